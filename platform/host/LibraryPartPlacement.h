// The stand-in host's elements that place library parts beside objects: the default lamp, the
// default door's memo, and a door, skylight or lamp of a part of the library the scenario names.
#pragma once

#include <string>

#include "ElementStore.h"
#include "LibraryManager.h"

namespace zavhost {

// A lamp of no part at its part's sizes (ratios 1), pens 1. False for a record of another type.
bool setDefaultLampSettings(API_Element& record);
// The default door's memo: the parameters "A" and "B" at its width and height.
StoredMemo makeDefaultDoorMemo(const API_Element& defaults);
// The library part's type that a door (3), skylight (13) or lamp (5) places; 0 for another
// element type.
uint32_t placedPartType(uint32_t elementType);
// The part the element places, from its record: a door's, skylight's, lamp's or object's; 0 for
// none or another type.
uint32_t placedPartIndex(const API_Element& record);
// The door, skylight or lamp places the library's part of that name and type, with the part's
// default parameters in its memo. Why it cannot, or empty.
std::string placeNamedPart(const LibraryManager& library, StoredElement& element, const std::string& name);

} // namespace zavhost
