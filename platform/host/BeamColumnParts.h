// The stand-in host's beams and columns, with the points of the placed construction elements that
// keep their geometry in their records (beams, columns, lamps, skylights): the nodes the host
// shows, the user's edits that move them, and where a scenario puts them.
#pragma once

#include <optional>
#include <vector>

#include "ElementStore.h"
#include "platform/api/BeamColumnRecords.h"

namespace zavhost {

inline constexpr uint32_t ColumnTypeCode = HostColumnTypeCode;
inline constexpr uint32_t BeamTypeCode = HostBeamTypeCode;

// A basic beam 0.5 high and 0.3 wide from (0, 0) to (1, 0), not sloped; a basic column 0.5 by 0.5
// and 3 high. Pens 1, line types 1, material 1. False for a record of another type.
bool setDefaultBeamSettings(API_Element& record);
bool setDefaultColumnSettings(API_Element& record);

// Beams, columns and lamps the user places start from their default's settings, keeping their own
// head; false (and nothing done) for another type.
bool startPlacedRecord(API_Element& record, const API_Element& defaults);
// A beam's axis from begin to end.
void setBeamLine(API_Element& record, const HostCoord2D& begin, const HostCoord2D& end);
// The plan point of a column's or lamp's reference, or a skylight's anchor; false for another type.
bool setPlacedPoint(API_Element& record, const HostCoord2D& point);

// A beam's two ends, a column's or lamp's reference point, a skylight's anchor; nothing for another
// type.
std::optional<std::vector<HostCoord3D>> placedNodes(const API_Element& record);
// Moves those points by the edit (a mirror turns a beam's arc the other way); false for another
// type.
bool transformPlacedPoints(API_Element& record, const HostEditTransformation& edit);

} // namespace zavhost
