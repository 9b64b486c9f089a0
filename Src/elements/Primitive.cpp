#include "elements/Primitive.h"

#include <cmath>
#include <numbers>

namespace tarnwick {

namespace {
constexpr uint32_t PlainLineType = 1;
constexpr double FullTurn = 2.0 * std::numbers::pi;

CadPoint pointOf(const HostCoord2D& c) {
    return CadPoint(c.x, c.y, 0.0);
}

double sweepOf(const HostShapeArc& arc) {
    double sweep = std::fmod(arc.endAngle - arc.startAngle, FullTurn);
    if (sweep < 0.0) sweep += FullTurn;
    if (arc.clockwise != 0) sweep -= FullTurn;
    return sweep;
}
} // namespace

PrimitivePoint::PrimitivePoint(const HostShapePrimitive& record, const CadPoint& position, bool in2D,
                               bool in3D)
    : CadPoint(position), Primitive(record.headFlag, record.pen, PlainLineType, in2D, in3D) {}

PrimitiveLine::PrimitiveLine(const HostShapePrimitive& record, bool in2D, bool in3D)
    : Line(pointOf(record.line.begin), pointOf(record.line.end)), Primitive(record, in2D, in3D) {}

PrimitiveLine::PrimitiveLine(const HostShapePrimitive& record, const CadPoint& start, const CadPoint& end,
                             bool in2D, bool in3D)
    : Line(start, end), Primitive(record, in2D, in3D) {}

PrimitiveArc::PrimitiveArc(const HostShapePrimitive& record, bool in2D, bool in3D)
    : CadArc(pointOf(record.arc.centre), record.arc.radius, sweepOf(record.arc), record.arc.startAngle),
      Primitive(record, in2D, in3D), m_ratio(record.arc.ratio), m_axisAngle(record.arc.axisAngle) {}

PrimitiveArc::PrimitiveArc(const HostShapePrimitive& record, const CadArc& arc, bool in2D, bool in3D)
    : CadArc(arc), Primitive(record, in2D, in3D) {}

PrimitiveText::PrimitiveText(const HostShapePrimitive& record, const String& text, bool in2D, bool in3D)
    : CadPoint(pointOf(record.text.location)),
      Primitive(record.headFlag, record.pen, PlainLineType, in2D, in3D), m_text(text),
      m_angle(record.text.angle), m_anchor(record.text.anchor) {}

PrimitivePolygon::PrimitivePolygon(const HostShapePrimitive& record, const CadPolygon& polygon,
                                   uint32_t fillWord, bool in2D, bool in3D)
    : CadPolygon(polygon), Primitive(record, in2D, in3D),
      m_fillPen((fillWord & 0xFFFF) != 0 ? fillWord : record.pen), m_filled(record.filled) {}

PrimitiveHatch::PrimitiveHatch(const HostShapePrimitive& record, const HostFillRecord& fill,
                               const CadPolygon& polygon, bool in2D, bool in3D)
    : PrimitivePolygon(record, polygon, fill.fillPen, in2D, in3D), m_backgroundPen(fill.backgroundPen),
      m_fillIndex(fill.fillIndex), m_contour(fill.contour), m_gradient(fill.gradient), m_linear(fill.linear) {
}

PrimitiveDistortedHatch::PrimitiveDistortedHatch(const HostShapePrimitive& record, const HostFillRecord& fill,
                                                 const CadPolygon& polygon, bool in2D, bool in3D)
    : PrimitiveHatch(record, fill, polygon, in2D, in3D), m_origin(pointOf(fill.origin)) {
    for (size_t i = 0; i < 5; ++i)
        m_distortion[i] = fill.distortion[i];
}

} // namespace tarnwick
