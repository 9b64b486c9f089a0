// The stand-in host's walls: their defaults, their quantities and the connection record of where
// walls meet ("GECN", released with "DECN").
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ElementStore.h"
#include "platform/api/WallRecords.h"

namespace zavhost {

class StandInHost;

inline constexpr uint32_t WallTypeCode = HostWallTypeCode;

// A straight basic wall 3 high and 0.3 thick from (0, 0) to (1, 0), pens 1, material 1, its
// scaled value 0. False for a record of another type.
bool setDefaultWallSettings(API_Element& record);

// A wall the user places starts from the default wall's settings, keeping its own head; with
// polygonal, its outline is the polygon of its memo.
void startWall(API_Element& record, const API_Element& defaults, bool polygonal);
// The wall's reference line, from begin to end.
void setWallLine(API_Element& record, const HostCoord2D& begin, const HostCoord2D& end);

// Where a straight wall's two faces lie: offsets to the left of its reference line, the right
// face's first (its side flag and reference offset place the wall about the line). Nothing for a
// curved wall or one without length.
struct WallFaces {
    double right = 0.0;
    double left = 0.0;
};
std::optional<WallFaces> straightWallFaces(const HostWallElement& wall);
// A wall's outline from its reference line and thickness, without the closing repeat: a straight
// wall's four corners (along the right face, back along the left), a curved wall's faces as arcs
// of `arcSegments` chords each; empty for a wall without length.
std::vector<HostCoord2D> wallOutline(const HostWallElement& wall, size_t arcSegments = 24);

// The wall's quantities in the block, each only when the mask asks for it (its bytes at the same
// offset): length, side area and volume of a straight or curved wall, fixed values for the rest.
// Answers how many fields were filled.
size_t fillWallQuantities(const StoredElement& wall, const uint8_t* mask, uint8_t* block);

// "GECN" (Guid, kind 1, record) and "DECN" (record).
void registerWallConnectionSelectors(StandInHost& host);

} // namespace zavhost
