// The stand-in host's curtain walls and their parts (segments, frames, panels, junctions,
// accessories): their defaults, their quantities, and the parts' place in their wall. A part is an
// element of its own in the wall's database, naming the wall by its owner Guid; the wall's memo
// holds each kind's parts as a pointer block of their records (parts 0x2000000 to 0x20000000), in
// the order they were made, kept in step with the part elements: a module that changes the wall's
// memo with a kind's bit changes, adds and removes the parts themselves. The parts go with the wall.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "ElementStore.h"
#include "platform/api/CurtainWallRecords.h"

namespace zavhost {

struct Project;

inline bool isCurtainWallPart(uint32_t typeCode) {
    return typeCode >= HostCurtainWallSegmentTypeCode && typeCode <= HostCurtainWallAccessoryTypeCode;
}

// The memo parts that hold a curtain wall's part records.
inline constexpr uint64_t CurtainWallPartBits = MemoCurtainWallSegments | MemoCurtainWallFrames |
                                                MemoCurtainWallPanels | MemoCurtainWallJunctions |
                                                MemoCurtainWallAccessories;

// A curtain wall from (0, 0) to (1, 0), pens and line type 1, its kind-6 and kind-8 pens its own;
// parts with the curtain wall's pens and a panel named "Panel". False for a record of another type.
bool setDefaultCurtainWallSettings(API_Element& record);

// The quantities of a curtain wall (its reference line's length, a height of 3 and the surface
// they make, fixed values for the rest) or a panel (its surface, 1.5), each only when the mask asks
// for it. Answers how many fields were filled; 0 for other types.
size_t fillCurtainWallQuantities(const StoredElement& element, const uint8_t* mask, uint8_t* block);

// Takes the part blocks out of a memo a module brings: the wall's blocks are the host's.
void dropCurtainWallParts(StoredMemo& memo);
// Why the part records a memo brings for a curtain wall cannot be taken: a block of partial
// records, or a record of another type. Empty when they can.
std::string curtainWallMemoProblem(const StoredMemo& memo, uint64_t mask);
// Why the part cannot stand in the database: its owner is not a curtain wall there. Empty when it
// can.
std::string curtainWallPartProblem(const ElementStore& elements, const StoredElement& part);

// The curtain wall a part's record names.
API_Guid curtainWallOwnerOf(const API_Element& part);
// The parts whose owner is the wall, in the database's order.
std::vector<API_Guid> curtainWallPartsOf(const ElementStore& elements, const API_Guid& wall);
// Writes the wall's part blocks anew from its part elements.
void syncCurtainWallParts(ElementStore& elements, const API_Guid& wall);
// Takes each kind the mask names from the memo's records: a record naming one of the wall's parts
// of the kind changes it, any other becomes a new part, and parts the block does not name go (their
// Guids are appended to gone, for the caller to delete). The memo's part blocks are then taken out
// of it; the wall's blocks are written anew by syncCurtainWallParts.
void takeCurtainWallParts(ElementStore& elements, const API_Guid& wall, StoredMemo& memo, uint64_t mask,
                          std::vector<API_Guid>& gone);

// Moves a curtain wall's or part's own points: the reference line, a junction's or accessory's
// position, a segment's contour.
void transformCurtainWallPoints(StoredElement& element, const HostEditTransformation& edit);
// After an edit moved the element: a curtain wall's parts go with it, except those already moved
// (added to moved), and a part's wall takes its records anew.
void moveCurtainWallWith(ElementStore& elements, const API_Guid& guid, const HostEditTransformation& edit,
                         std::unordered_set<API_Guid, GuidHash>& moved);
// After a module made or changed the element: a curtain wall takes the parts of the memo's kinds
// that the mask names (deleting those it no longer names), and a part's wall takes its records anew.
void keepCurtainWallInStep(Project& project, ElementStore& elements, const API_Guid& guid, StoredMemo& given,
                           uint64_t mask);

// A new curtain wall of the defaults' settings along the line, with one segment along it whose
// contour is the rectangle 3 high over it (in its plane, x along the line and y up), three frames
// (at the begin point, the middle and the end point, each standing there) and two panels between
// them. The parts are added to the store after the wall, which must already be in it.
void addCurtainWallParts(ElementStore& elements, const StoredElement& wall);
// A curtain wall of the defaults' settings along the line (its head kept), its base outline a band
// 0.2 wide about the line.
void startCurtainWall(StoredElement& wall, const API_Element& defaults, const HostCoord2D& begin,
                      const HostCoord2D& end);

} // namespace zavhost
