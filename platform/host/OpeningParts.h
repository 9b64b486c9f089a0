// The stand-in host's windows and doors: their defaults, their quantities, and their place in a
// wall. An opening lives in the wall its owner Guid names, in the same database; the wall's memo
// lists its windows (part 0x40000) and doors (part 0x80000) by Guid, in the order they were put in,
// and the openings go when the wall goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ElementStore.h"
#include "platform/api/OpeningRecords.h"

namespace zavhost {

inline constexpr uint32_t WindowTypeCode = HostWindowTypeCode;
inline constexpr uint32_t DoorTypeCode = HostDoorTypeCode;

inline bool isWallOpening(uint32_t typeCode) {
    return typeCode == WindowTypeCode || typeCode == DoorTypeCode;
}

// A window 1.2 wide and 1.5 high at 0.9 above the wall's base, or a door 0.9 by 2.1 at the base;
// pens 1, no part. False for a record of another type.
bool setDefaultOpeningSettings(API_Element& record);

// The opening's quantities in the block, each only when the mask asks for it: its surface in the
// wall (width by height) and the volume it cuts (times the wall's thickness), fixed values for the
// rest. Answers how many fields were filled.
size_t fillOpeningQuantities(const ElementStore& elements, const StoredElement& opening, const uint8_t* mask,
                             uint8_t* block);

// The memo parts of a wall's window and door lists: the host's own, kept by placing and deleting
// openings and never taken from a module's memo.
inline constexpr uint64_t OpeningListParts = MemoWindows | MemoDoors;
// Takes the lists out of a memo a module brings.
void dropOpeningLists(StoredMemo& memo);

// Why the opening cannot stand in the database: its owner is not a wall there. Empty when it can.
std::string openingPlacementProblem(const ElementStore& elements, const StoredElement& opening);
// A new opening of the defaults' settings in the wall, at the position along its reference line
// and on its storey. Why it cannot stand there, or empty.
std::string placeOpening(StoredElement& opening, const API_Element& defaults, const StoredElement& wall,
                         double position);
// Puts the opening into its owner wall's list (the opening must be in the store already).
void attachOpening(ElementStore& elements, const StoredElement& opening);
// Takes the opening out of its owner wall's list.
void detachOpening(ElementStore& elements, const StoredElement& opening);
// The openings whose owner is the wall, in the database's order.
std::vector<API_Guid> openingsOf(const ElementStore& elements, const API_Guid& wall);

} // namespace zavhost
