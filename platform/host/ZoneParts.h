// The stand-in host's zones: their defaults (a record and a memo of stamp parameters), the stamp a
// placed zone takes from its category by name in the library, the outline the record's counts
// must describe, and their quantities.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ElementStore.h"
#include "platform/api/ZoneRecords.h"

namespace zavhost {

struct Project;

inline constexpr uint32_t ZoneTypeCode = HostZoneTypeCode;

// A zone named "Zone", number "1", 3 high, pens 1, surface 1, no category and no stamp. False for
// a record of another type.
bool setDefaultZoneSettings(API_Element& record);
// The default zone's memo: its stamp's parameters ("StampSize" 0.5, "ShowArea" on).
StoredMemo defaultZoneMemo();

// A zone the user places: the default zone's record and parameters, keeping its own head; the
// outline's counts from the polygon of its memo, both stamp points at the outline's centre, and,
// when its category names a stamp, that part of the library found by name.
void startZone(const Project& project, StoredElement& zone, const DefaultElement& defaults);

// Why the host cannot keep the zone: its record's counts do not describe an outline in its memo.
// Empty when it can.
std::string zoneOutlineProblem(const StoredElement& zone);

// The zone's quantities in the block, each only when the mask asks for it: floor area, perimeter,
// volume (area x height), the holes and the outline's corners as whole numbers, the holes' area,
// fixed values for the rest. Answers how many fields were filled.
size_t fillZoneQuantities(const StoredElement& zone, const uint8_t* mask, uint8_t* block);

} // namespace zavhost
