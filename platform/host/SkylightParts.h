// The stand-in host's skylights: their defaults, and their place in a roof or shell. A skylight
// names its owner by Guid, in the same database; "GetRelatedElements" finds a roof's skylights by
// that owner.
#pragma once

#include <string>
#include <vector>

#include "ElementStore.h"
#include "platform/api/OpeningRecords.h"

namespace zavhost {

inline constexpr uint32_t SkylightTypeCode = HostSkylightTypeCode;

// Roofs (9) and shells (43) hold skylights.
inline bool holdsSkylights(uint32_t typeCode) {
    return typeCode == 9 || typeCode == 43;
}

// A skylight 0.8 wide and 1.2 long, pens 1, no part. False for a record of another type.
bool setDefaultSkylightSettings(API_Element& record);

// Why the skylight cannot stand in the database: its owner is not a roof or shell there. Empty
// when it can.
std::string skylightPlacementProblem(const ElementStore& elements, const StoredElement& skylight);
// A new skylight of the defaults' settings in the roof, anchored at the point (z 0) on the roof's
// storey. Why it cannot stand there, or empty.
std::string placeSkylight(StoredElement& skylight, const API_Element& defaults, const StoredElement& roof,
                          const HostCoord2D& at);
// The elements of the type whose owner is the element, in the database's order: skylights of a
// roof or shell, windows or doors of a wall; none for another type.
std::vector<API_Guid> ownedElements(const ElementStore& elements, const API_Guid& owner, uint32_t typeCode);

} // namespace zavhost
