#include "elements/Primitive.h"

#include <cmath>
#include <numbers>

#include "elements/Circle.h"
#include "elements/Element.h"
#include "elements/LineElement.h"
#include "elements/PrimitiveDrawer.h"
#include "elements/text/Text.h"
#include "project/LineStyle.h"
#include "project/Pen.h"

namespace tarnwick {

namespace {
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

uint32_t penOf(const Element& element) {
    Pen pen;
    element.getPen(pen, 0);
    return pen.getIndex();
}

uint32_t lineTypeOf(const Element& element) {
    LineStyle style;
    element.getLineStyle(style, 0);
    return style.getIndex();
}

CadPoint referencePointOf(const Element& element) {
    CadPoint point;
    element.getReferencePoint(point);
    return point;
}

std::unique_ptr<Cube> boxOf(const CadPoint& first, const CadPoint& second) {
    auto box = std::make_unique<Cube>(CadPoint(first.getX(), first.getY(), first.getZ()),
                                      CadPoint(second.getX(), second.getY(), second.getZ()));
    box->normalise();
    return box;
}

constexpr uint32_t HitCodes = kAtStart | kInside | kAtEnd;
} // namespace

Primitive::Primitive(const Element& element, bool in2D, bool in3D)
    : Primitive(element.getPrimitiveFlag(), penOf(element), lineTypeOf(element), in2D, in3D) {}

bool Primitive::write2DScript(DataBufferOut&, ScriptAttributes*, const CadPoint&, uint16_t) const {
    return true;
}

bool Primitive::write3DScript(DataBufferOut&, ScriptAttributes*, const CadPoint&, uint16_t) const {
    return true;
}

bool Primitive::draw(PrimitiveDrawer&, const CadPoint&) const {
    return true;
}

PrimitivePoint::PrimitivePoint(const HostShapePrimitive& record, const CadPoint& position, bool in2D,
                               bool in3D)
    : CadPoint(position), Primitive(record.headFlag, record.pen, PlainLineType, in2D, in3D) {}

PrimitivePoint::PrimitivePoint(const CadPoint& position, uint16_t headFlag, uint32_t pen, bool in2D,
                               bool in3D)
    : CadPoint(position), Primitive(headFlag, pen, PlainLineType, in2D, in3D) {}

PrimitivePoint::PrimitivePoint(const Element& element, bool in2D, bool)
    : CadPoint(referencePointOf(element)), Primitive(element, in2D, false) {}

std::unique_ptr<Cube> PrimitivePoint::getBounds() const {
    return boxOf(*this, *this);
}

PrimitiveLine::PrimitiveLine(const HostShapePrimitive& record, bool in2D, bool in3D)
    : Line(pointOf(record.line.begin), pointOf(record.line.end)), Primitive(record, in2D, in3D) {}

PrimitiveLine::PrimitiveLine(const HostShapePrimitive& record, const CadPoint& start, const CadPoint& end,
                             bool in2D, bool in3D)
    : Line(start, end), Primitive(record, in2D, in3D) {}

PrimitiveLine::PrimitiveLine(const CadPoint& start, const CadPoint& end, uint16_t headFlag, uint32_t pen,
                             uint32_t lineType, bool in2D, bool in3D)
    : Line(start, end), Primitive(headFlag, pen, lineType, in2D, in3D) {}

PrimitiveLine::PrimitiveLine(const LineElement& element, bool in2D, bool in3D)
    : Line(referencePointOf(element), element.getEndPoint()), Primitive(element, in2D, in3D) {}

bool PrimitiveLine::isHit(const CadPoint& point, double tolerance) const {
    return (getPosition(point, tolerance) & HitCodes) != 0;
}

std::unique_ptr<Cube> PrimitiveLine::getBounds() const {
    return boxOf(getStartPoint(), getEndPoint());
}

bool PrimitiveLine::draw(PrimitiveDrawer& drawer, const CadPoint& offset) const {
    drawer.drawLine(*this, offset);
    return true;
}

PrimitiveArc::PrimitiveArc(const HostShapePrimitive& record, bool in2D, bool in3D)
    : CadArc(pointOf(record.arc.centre), record.arc.radius, sweepOf(record.arc), record.arc.startAngle),
      Primitive(record, in2D, in3D), m_ratio(record.arc.ratio), m_axisAngle(record.arc.axisAngle) {}

PrimitiveArc::PrimitiveArc(const HostShapePrimitive& record, const CadArc& arc, bool in2D, bool in3D)
    : CadArc(arc), Primitive(record, in2D, in3D) {}

PrimitiveArc::PrimitiveArc(const CadArc& arc, uint16_t headFlag, uint32_t pen, uint32_t lineType, bool in2D,
                           bool in3D)
    : CadArc(arc), Primitive(headFlag, pen, lineType, in2D, in3D) {}

PrimitiveArc::PrimitiveArc(const Circle& element, bool in2D, bool in3D)
    : CadArc(element.getArc()), Primitive(element, in2D, in3D) {}

bool PrimitiveArc::isHit(const CadPoint& point, double tolerance) const {
    return (getPosition(point, tolerance) & HitCodes) != 0;
}

bool PrimitiveArc::draw(PrimitiveDrawer& drawer, const CadPoint& offset) const {
    drawer.drawArc(*this, offset);
    return true;
}

PrimitiveText::PrimitiveText(const HostShapePrimitive& record, const String& text, bool in2D, bool in3D)
    : CadPoint(pointOf(record.text.location)),
      Primitive(record.headFlag, record.pen, PlainLineType, in2D, in3D), m_text(text),
      m_angle(record.text.angle), m_anchor(record.text.anchor) {}

PrimitiveText::PrimitiveText(const String& text, const CadPoint& anchor, double angle, uint16_t headFlag,
                             uint32_t pen, bool in2D, bool in3D)
    : CadPoint(anchor), Primitive(headFlag, pen, PlainLineType, in2D, in3D), m_text(text), m_angle(angle) {}

PrimitiveText::PrimitiveText(Text& element, bool in2D, bool in3D)
    : CadPoint(referencePointOf(element)), Primitive(element, in2D, in3D), m_text(element.getText()),
      m_angle(element.getAngle()) {}

std::unique_ptr<Cube> PrimitiveText::getBounds() const {
    return boxOf(*this, *this);
}

bool PrimitiveText::draw(PrimitiveDrawer& drawer, const CadPoint& offset) const {
    drawer.drawText(*this, offset);
    return true;
}

PrimitivePolygon::PrimitivePolygon(const HostShapePrimitive& record, const CadPolygon& polygon,
                                   uint32_t fillWord, bool in2D, bool in3D)
    : CadPolygon(polygon), Primitive(record, in2D, in3D),
      m_fillPen((fillWord & 0xFFFF) != 0 ? fillWord : record.pen), m_filled(record.filled) {}

PrimitivePolygon::PrimitivePolygon(const HostShapePrimitive& record, const CadPolygon& polygon, bool in2D,
                                   bool in3D)
    : CadPolygon(polygon), Primitive(record, in2D, in3D) {}

PrimitivePolygon::PrimitivePolygon(const CadPolygon& polygon, uint16_t headFlag, uint32_t pen,
                                   uint32_t lineType, bool in2D, bool in3D)
    : CadPolygon(polygon), Primitive(headFlag, pen, lineType, in2D, in3D) {}

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

void PrimitiveDistortedHatch::offset(const CadPoint& vector) {
    PrimitiveHatch::offset(vector);
    m_origin += vector;
}

} // namespace tarnwick
