#include "elements/input/RubberBand.h"

#include <algorithm>
#include <cmath>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "platform/api/InputRecords.h"
#include "project/Drawing.h"
#include "project/Project.h"

namespace tarnwick {

namespace {

constexpr uint32_t kArcChords = 36;
// A dashed line of more pieces than this is drawn solid: the user cannot tell, and the host
// would be asked for every one.
constexpr double kMostDashes = 65536.0;

CadPoint along(const Line& line, double fraction) {
    return line.getStartPoint() + (line.getEndPoint() - line.getStartPoint()) * fraction;
}

} // namespace

double rubberPixelLength() {
    Project* project = Host::getProject();
    Drawing* window = project != nullptr ? project->getFrontWindow() : nullptr;
    return window != nullptr ? window->getPixelLength() : 0.0;
}

bool drawRubberSegment(const RubberLineStyle& style, const Line& line) {
    HostRubberLine record;
    line.getStartPoint().getCoord3D(record.start);
    line.getEndPoint().getCoord3D(record.end);
    if (style.thick != 0) record.lineKind = HostRubberThick;
    return ACAPInterfaceCall(fourCC("DRLI"), &record) == hosterr::Ok;
}

bool drawRubberLine(const RubberLineStyle& style, const Line& line) {
    if (style.dashed == 0) return drawRubberSegment(style, line);
    double pixel = rubberPixelLength();
    double length = line.getLength();
    double period = pixel * (style.dashLength + style.gapLength);
    double pieces = std::ceil(length / period);
    if (!(pixel > kTolerance) || !(period > 0.0) || !(pieces <= kMostDashes) || !(length > 0.0))
        return drawRubberSegment(style, line);
    double dash = pixel * style.dashLength;
    for (size_t k = 0; k < static_cast<size_t>(pieces); ++k) {
        double from = static_cast<double>(k) * period;
        double to = std::min(from + dash, length);
        if (to <= from) continue; // a style without dashes draws only gaps
        if (!drawRubberSegment(style, Line(along(line, from / length), along(line, to / length))))
            return false;
    }
    return true;
}

uint32_t rubberArcChordCount(const RubberLineStyle& style, const CadArc& arc, double pixelLength) {
    if (style.dashed == 0 || !(std::fabs(pixelLength) > kTolerance)) return kArcChords;
    double pixels = std::trunc(arc.getLength() / std::fabs(pixelLength));
    double period = std::max(1, style.dashLength + style.gapLength);
    double chords = std::trunc(pixels / period);
    if (!(chords > 2.0)) return 0;
    return chords >= kArcChords ? kArcChords : static_cast<uint32_t>(chords);
}

bool drawRubberArc(const RubberLineStyle& style, const CadArc& arc) {
    uint32_t count = rubberArcChordCount(style, arc, style.dashed != 0 ? rubberPixelLength() : 0.0);
    if (count == 0) return true;
    double step = arc.getSweepAngle() / count;
    CadPoint from = arc.getStartPoint();
    for (uint32_t k = 1; k <= count; ++k) {
        CadPoint to = arc.getPointAt(arc.getStartAngle() + step * k);
        if (!drawRubberLine(style, Line(from, to))) return false;
        from = to;
    }
    return true;
}

bool drawRubberEdge(const RubberLineStyle& style, const PolyPoint& from, const PolyPoint& to) {
    if (std::fabs(to.getArcAngle()) <= kTolerance) return drawRubberLine(style, Line(from, to));
    return drawRubberArc(style, CadArc(from, to));
}

bool drawRubberPolygon(const RubberLineStyle& style, const CadPolygon& polygon) {
    size_t count = polygon.getVertexCount();
    for (size_t i = 0; i < count; ++i)
        if (!drawRubberEdge(style, polygon.getVertex(i + count - 1), polygon.getVertex(i))) return false;
    return true;
}

} // namespace tarnwick
