// The stand-in host's extrusions, sweeps and morphs (type 43, the sub-kind after the head and as the
// head's variation): their defaults and their quantities. The host keeps a body's section as the
// polygon of its memo, so a user's edit moves it with the polygon; in 3D it is that section from
// the body's bottom to its top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ElementStore.h"
#include "platform/api/ProfileRecords.h"

namespace zavhost {

inline constexpr uint32_t ProfileTypeCode = HostProfileTypeCode;

// Pens and line types 1, material 1, the cut-fill pens the material's, no overrides; the sub-kind
// is the record's variation. An extrusion's sides have every flag set, a sweep's first side only,
// a morph's none. False for a record of another type.
bool setDefaultProfileSettings(API_Element& record);

// A body the user places starts from its kind's default settings, keeping its own head; the
// head's variation becomes the sub-kind.
void startProfile(API_Element& record, const API_Element& defaults);

// "extrusion", "sweep" or "morph", as scenarios name them; "sub-kind N" for others.
std::string profileKindName(uint32_t subKind);

// The body's quantities in the block, each only when the mask asks for it: the volume, the top and
// bottom, the sides, the bottom and top levels, the section's perimeter and area and its holes,
// fixed values for the rest. Answers how many fields were filled.
size_t fillProfileQuantities(const StoredElement& body, double bottom, double top, const uint8_t* mask,
                             uint8_t* block);

} // namespace zavhost
