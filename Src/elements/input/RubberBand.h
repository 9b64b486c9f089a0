// Rubber-band lines in the host's drawing window, drawn while an input waits: segments, dashed
// lines, arcs as chains of chords, polygon edges and whole polygons.
#pragma once

#include <cstdint>

#include "geometry/CadArc.h"
#include "geometry/CadPolygon.h"
#include "geometry/Line.h"

namespace tarnwick {

// Dash and gap lengths are screen pixels.
struct RubberLineStyle {
    uint8_t thick = 0;
    uint8_t dashed = 0;
    uint16_t dashLength = 3;
    uint16_t gapLength = 1;
};
static_assert(sizeof(RubberLineStyle) == 6);

// Each answers whether the host drew everything asked.
bool drawRubberSegment(const RubberLineStyle& style, const Line& line);
// A dashed line walks the front window's pixels; without a usable pixel length it is drawn solid.
bool drawRubberLine(const RubberLineStyle& style, const Line& line);
bool drawRubberArc(const RubberLineStyle& style, const CadArc& arc);
bool drawRubberEdge(const RubberLineStyle& style, const PolyPoint& from, const PolyPoint& to);
// Every edge, the closing one first; stops at the first that fails.
bool drawRubberPolygon(const RubberLineStyle& style, const CadPolygon& polygon);

// The chords drawRubberArc draws for the arc at that model length per pixel: 36, or for a dashed
// arc in a window of known pixel size as many as its dashes, at most 36; 0 when that is 2 or less.
uint32_t rubberArcChordCount(const RubberLineStyle& style, const CadArc& arc, double pixelLength);
// The front window's model length per pixel; 0 when there is none or the host cannot say.
double rubberPixelLength();

} // namespace tarnwick
