// What the stand-in host can tell of an element's geometry: its node points, plan box, length
// and area, from the polygon of its memo or the points of its record.
#pragma once

#include <optional>
#include <vector>

#include "ElementStore.h"
#include "platform/api/LabelRecords.h"

namespace zavhost {

// Record offsets of the points the host reads for kinds without a polygon.
inline constexpr size_t LineBeginOffset = 184; // lines (19): begin and end, two plan points
inline constexpr size_t LineEndOffset = 200;
inline constexpr size_t TextLocationOffset = 192; // texts (15)
// Labels (16): the leader's three points, the first the label's reference point.
inline constexpr size_t LabelLeaderOffset = offsetof(HostLabelElement, leader);

// The plan point a record keeps at the offset.
HostCoord2D pointAt(const API_Element& record, size_t offset);

// The polygon's contours from the memo's coordinates (16-byte points from index 1) and
// sub-polygon ends (u32, a leading 0), each as stored (a closed one repeats its first point);
// empty when the memo has none or they do not fit.
std::vector<std::vector<HostCoord2D>> contoursOf(const StoredMemo& memo);

// The node points: those set for the element, else the polygon's points (each contour without
// its closing repeat), else the record's points.
std::vector<HostCoord3D> nodePointsOf(const StoredElement& element);
std::optional<HostBox3D> boxOf(const StoredElement& element);
// A text block's box in the model at a drawing scale: its paper size placed by its anchor at its
// location and turned by its angle, z at 0; nothing for a record that cannot be placed.
std::optional<HostBox3D> textBoxOf(const StoredElement& element, double scale);
double lengthOf(const StoredElement& element); // a line's length, or the polygon's perimeter
double areaOf(const StoredElement& element);   // the outline's area less the holes', 0 for none
// Moves the element's points by the edit: each point p becomes matrix × (p - origin) + target
// (the memo's polygon, a wall's or a line's two ends, a text's location, and the nodes set for it;
// a mirror turns a wall's arc the other way).
void transformGeometry(StoredElement& element, const HostEditTransformation& edit);

} // namespace zavhost
