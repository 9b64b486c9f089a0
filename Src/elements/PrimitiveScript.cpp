// The primitive kinds as script text: hotspots, lines, arcs, circles, texts and polygons with
// their put blocks, attribute statements through the caller's context.
#include <cmath>
#include <numbers>

#include "elements/Primitive.h"
#include "elements/ScriptAttributes.h"
#include "elements/ScriptText.h"
#include "project/Fill.h"
#include "project/LineStyle.h"
#include "project/Pen.h"

namespace tarnwick {

namespace {
constexpr double FullTurn = 2.0 * std::numbers::pi;
constexpr double Tolerance = ScriptText::Precision;

// Pen words count as the host's signed 16-bit indices.
int32_t index16(uint32_t word) {
    return static_cast<int16_t>(word & 0xFFFF);
}

void penStatement(ScriptAttributes* context, ScriptText& text, uint32_t pen, int32_t slot) {
    if (context != nullptr)
        context->writeAttributeStatement(Pen(AttributeLink(int16_t(index16(pen)), AttrPen)), text.stream(),
                                         text.getIndent(), slot, true, true);
}

void lineTypeStatement(ScriptAttributes* context, ScriptText& text, uint32_t lineType) {
    if (context != nullptr)
        context->writeAttributeStatement(LineStyle(AttributeLink(int16_t(index16(lineType)), AttrLineType)),
                                         text.stream(), text.getIndent(), ScriptAttributes::OutlinePens, true,
                                         true);
}

// A fill pen inside a poly2_b statement: the context's value, or the plain index where the context
// writes none, so that no argument is left empty.
void fillPenValue(ScriptAttributes* context, ScriptText& text, uint32_t pen, int32_t slot) {
    if (context == nullptr ||
        !context->writeAttributeStatement(Pen(AttributeLink(int16_t(index16(pen)), AttrPen)), text.stream(),
                                          text.getIndent(), slot, false, false))
        text << index16(pen);
}

// The contours of the polygon as coordinate triples; answers how many were written, 0 (and
// nothing written) when the polygon is not valid.
int32_t writePutBlock(const PrimitivePolygon& polygon, ScriptText& text) {
    if (!polygon.isIn2D() || !polygon.isValid(true, Tolerance)) return 0;
    const size_t holes = polygon.getHoleCount();
    const bool closing = holes > 0 || polygon.isClosed();
    int32_t count = 0;
    text.tabs() << "put ";
    for (size_t c = 0; c <= holes; ++c) {
        const CadPolygon& contour = c == 0 ? static_cast<const CadPolygon&>(polygon) : polygon.getHole(c - 1);
        const size_t edges = contour.getVertexCount() + (contour.isClosed() ? 1 : 0);
        if (c > 0) text.tabs(1);
        text.point2(contour.getVertex(0)) << ", 1,\n";
        ++count;
        for (size_t i = 1; i < edges; ++i) {
            const PolyPoint& end = contour.getVertex(i);
            text.tabs(1);
            if (end.isArc(Tolerance)) {
                text.point2(contour.getEdge(i - 1).getArcCentre()) << ", 901,\n";
                text.tabs(1) << "0, ";
                text.degrees(end.getArcAngle()) << ", 4001";
                count += 2;
            } else {
                text.point2(end) << ", 1";
                ++count;
            }
            if (i + 1 < edges || closing) text << ",";
            text << "\n";
        }
        if (!closing) continue;
        text.tabs(1);
        if (holes > 0) {
            text.point2(contour.getVertex(0)) << ", -1";
            if (c < holes) text << ",";
        } else {
            text << "0, 0, 700";
        }
        text << "\n";
        ++count;
    }
    return count;
}

void writePoly2A(ScriptText& text, int32_t count, uint32_t pen) {
    text.tabs() << "poly2_a " << count << ", 1, " << index16(pen) << ", get(" << 3 * count << ")\n";
}

void writePoly2B(ScriptAttributes* context, ScriptText& text, int32_t count, int32_t mask,
                 uint32_t foreground, uint32_t background) {
    text.tabs() << "poly2_b " << count << ", " << mask << ", ";
    fillPenValue(context, text, foreground, ScriptAttributes::FillPens);
    text << ", ";
    fillPenValue(context, text, background, ScriptAttributes::BackgroundPens);
    text << ", get(" << 3 * count << ")\n";
}

// The hatch's fill index, or its gradient: defined once per script, set while not current.
void fillStep(const PrimitiveHatch& hatch, ScriptAttributes* context, ScriptText& text) {
    if (context == nullptr) return;
    if (!hatch.isGradient()) {
        context->writeAttributeStatement(Fill(AttributeLink(int16_t(hatch.getFillIndex()), AttrFill)),
                                         text.stream(), text.getIndent(), ScriptAttributes::OutlinePens, true,
                                         true);
        return;
    }
    const bool linear = hatch.isLinear();
    const String name(linear ? "tarnwickLinearGradient" : "tarnwickRadialGradient");
    const uint32_t current =
        linear ? ScriptAttributes::LinearGradientFill : ScriptAttributes::RadialGradientFill;
    if (!context->isGradientDefined(linear)) {
        text.tabs() << (linear ? "define linear_gradient_fill " : "define radial_gradient_fill ") << name
                    << "\n";
        context->setGradientDefined(linear, name);
    }
    if ((context->getCurrent(AttrFill) & 0xFFFF) != current) {
        text.tabs() << "set fill " << name << "\n";
        context->setCurrent(AttrFill, current, ScriptAttributes::OutlinePens);
    }
}

// The put block, pen, line type and fill of a hatch; the count of triples (0: nothing more to write).
int32_t writeHatchHead(const PrimitiveHatch& hatch, ScriptAttributes* context, ScriptText& text) {
    const int32_t count = writePutBlock(hatch, text);
    if (count == 0) return 0;
    penStatement(context, text, hatch.getPen(), ScriptAttributes::OutlinePens);
    lineTypeStatement(context, text, hatch.getLineType());
    fillStep(hatch, context, text);
    return count;
}

int32_t hatchMask(const PrimitiveHatch& hatch) {
    return (hatch.hasFill() ? 2 : 0) + (hatch.getContour() ? 1 : 0);
}
} // namespace

bool PrimitivePoint::write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                                   uint16_t indent) const {
    if (!isIn2D()) return true;
    ScriptText text(out, offset, indent);
    penStatement(context, text, getPen(), ScriptAttributes::OutlinePens);
    text.tabs() << "hotspot2 ";
    text.point2(*this) << "\n";
    return text.isGood();
}

bool PrimitivePoint::write3DScript(DataBufferOut& out, ScriptAttributes*, const CadPoint& offset,
                                   uint16_t indent) const {
    if (!isIn3D()) return true;
    ScriptText text(out, offset, indent);
    text.tabs() << "hotspot ";
    text.point3(*this) << "\n";
    return text.isGood();
}

bool PrimitiveLine::write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                                  uint16_t indent) const {
    if (!isIn2D()) return true;
    ScriptText text(out, offset, indent);
    penStatement(context, text, getPen(),
                 getOption(0) > 0 ? ScriptAttributes::FillPens : ScriptAttributes::OutlinePens);
    lineTypeStatement(context, text, getLineType());
    text.tabs() << "line2 ";
    text.point2(getStartPoint()) << ", ";
    text.point2(getEndPoint()) << "\n";
    return text.isGood();
}

bool PrimitiveLine::write3DScript(DataBufferOut& out, ScriptAttributes*, const CadPoint& offset,
                                  uint16_t indent) const {
    if (!isIn3D()) return true;
    ScriptText text(out, offset, indent);
    text.tabs() << "lin_ ";
    text.point3(getStartPoint()) << ", ";
    text.point3(getEndPoint()) << "\n";
    return text.isGood();
}

bool PrimitiveArc::write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                                 uint16_t indent) const {
    if (!isIn2D()) return true;
    ScriptText text(out, offset, indent);
    penStatement(context, text, getPen(), ScriptAttributes::OutlinePens);
    lineTypeStatement(context, text, getLineType());
    // The scaling acts on the coordinate system, so the ellipse is drawn about the origin after
    // moving the origin to its centre.
    const bool scaled = std::fabs(m_ratio - 1.0) > Tolerance;
    if (scaled) {
        text.tabs() << "add2 ";
        text.point2(getCentre()) << "\n";
        text.tabs() << "rot2 ";
        text.real(m_axisAngle) << "\n";
        text.tabs() << "mulx ";
        text.real(m_ratio) << "\n";
    }
    text.tabs();
    double sweep = std::fmod(getSweep(), FullTurn);
    if (std::fabs(std::fabs(sweep) - FullTurn) <= Tolerance) sweep = 0.0;
    text << (std::fabs(sweep) > Tolerance ? "arc2 " : "circle2 ");
    if (scaled)
        text << "0, 0";
    else
        text.point2(getCentre());
    text << ", ";
    text.real(getRadius());
    if (std::fabs(sweep) > Tolerance) {
        double first = getStartAngle();
        double second = getStartAngle() + getSweep();
        if (getSweep() < 0.0) std::swap(first, second);
        text << ", ";
        text.degrees(first) << ", ";
        text.degrees(second);
    }
    text << "\n";
    if (scaled) text.tabs() << "del 3\n";
    return text.isGood();
}

bool PrimitiveText::write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                                  uint16_t indent) const {
    if (!isIn2D()) return true;
    ScriptText text(out, offset, indent);
    penStatement(context, text, getPen(), ScriptAttributes::OutlinePens);
    lineTypeStatement(context, text, getLineType());
    text.tabs() << "text2 ";
    text.point2(*this) << ", " << ScriptText::quoted(m_text) << "\n";
    return text.isGood();
}

bool PrimitivePolygon::write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                                     uint16_t indent) const {
    ScriptText text(out, offset, indent);
    const int32_t count = writePutBlock(*this, text);
    if (count == 0) return true;
    penStatement(context, text, getPen(), ScriptAttributes::OutlinePens);
    lineTypeStatement(context, text, getLineType());
    if (isFilled())
        writePoly2B(context, text, count, 2 + (index16(getPen()) > 0 ? 1 : 0), m_fillPen, m_fillPen);
    else
        writePoly2A(text, count, getPen());
    return text.isGood();
}

bool PrimitiveHatch::write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                                   uint16_t indent) const {
    ScriptText text(out, offset, indent);
    const int32_t count = writeHatchHead(*this, context, text);
    if (count == 0) return true;
    if (hasFill())
        writePoly2B(context, text, count, hatchMask(*this), getFillPen(), getBackgroundPen());
    else
        writePoly2A(text, count, getPen());
    return text.isGood();
}

bool PrimitiveDistortedHatch::write2DScript(DataBufferOut& out, ScriptAttributes* context,
                                            const CadPoint& offset, uint16_t indent) const {
    if (context == nullptr || !hasFill()) return PrimitiveHatch::write2DScript(out, context, offset, indent);
    ScriptText text(out, offset, indent);
    const int32_t count = writeHatchHead(*this, context, text);
    if (count == 0) return true;
    text.tabs() << "poly2_b{5} " << count << ", " << hatchMask(*this) << ", 1, "
                << static_cast<int32_t>(m_fillControl) << ",\n";
    text.tabs(1);
    fillPenValue(context, text, getFillPen(), ScriptAttributes::FillPens);
    text << ", ";
    fillPenValue(context, text, getBackgroundPen(), ScriptAttributes::BackgroundPens);
    text << ",\n";
    text.tabs(1);
    text.point2(m_origin) << ",\n";
    text.tabs(1);
    for (size_t i = 0; i < 4; ++i)
        text.real(m_distortion[i]) << (i < 3 ? ", " : ",\n");
    text.tabs(1);
    text.real(m_distortion[4]) << ",\n";
    text.tabs(1) << "get(" << 3 * count << ")\n";
    return text.isGood();
}

} // namespace tarnwick
