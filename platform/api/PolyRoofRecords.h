// Multi-plane roofs (type 9, roof class 1): the shelter record followed by the pivot polygon's
// counts, and the host's split of such a roof into one single-plane roof per plane, handed one by
// one to a decomposer the module supplies.
#pragma once

#include <cstddef>

#include "ElementRecords.h"
#include "SlabRecords.h"

inline constexpr uint32_t HostSingleRoofClass = 0;
inline constexpr uint32_t HostPolyRoofClass = 1;

struct HostPolyRoofElement {
    HostShelterElement shelter;
    uint32_t pivotCoordinateCount = 0; // the pivot polygon's counts, as the outline's
    uint32_t pivotEndCount = 0;
    uint32_t pivotArcCount = 0;
    uint8_t reserved[4] = {};
};
static_assert(sizeof(HostPolyRoofElement) == 280 && sizeof(HostPolyRoofElement) <= sizeof(API_Element));
static_assert(offsetof(HostPolyRoofElement, pivotCoordinateCount) == 264 &&
              offsetof(HostPolyRoofElement, pivotArcCount) == 272);

// Which part of the split element a part element is.
struct HostElementPartId {
    uint32_t main = 0;
    uint32_t sub = 0;
};
static_assert(sizeof(HostElementPartId) == 8);

// "ACAPConvertPolyRoof" calls it once per plane; the record and memo are the host's and live only
// for the call. What it answers other than 0 ends the split with that error.
class API_ElementDecomposerInterface {
public:
    virtual ~API_ElementDecomposerInterface() = default;
    virtual GSErrCode GeneratePartElement(const HostElementPartId& partId, const API_Element& element,
                                          const API_ElementMemo& memo) = 0;
};
