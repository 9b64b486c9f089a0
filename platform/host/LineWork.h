// The stand-in host's line work: default settings of linear dimensions, lines, polylines, circles,
// arcs, splines and hotspots.
#pragma once

#include <cstdint>

#include "platform/api/DraftingRecords.h"

namespace zavhost {

inline constexpr uint32_t LinearDimensionTypeCode = 11;
inline constexpr uint32_t HatchTypeCode = 18;
inline constexpr uint32_t LineTypeCode = 19;
inline constexpr uint32_t PolyLineTypeCode = 20;
inline constexpr uint32_t CircleTypeCode = 21;
inline constexpr uint32_t ArcTypeCode = 22;
inline constexpr uint32_t SplineTypeCode = 23;
inline constexpr uint32_t HotspotTypeCode = 24;

// Pen 1, solid line type 1, an arrow of pen 1 and 0.1 m; a circle of radius 1, round, a quarter
// turn for an arc; a dimension along x with 2.5 mm text in font 1. False for a type without line-work
// defaults.
bool setDefaultLineWork(API_Element& record);

} // namespace zavhost
