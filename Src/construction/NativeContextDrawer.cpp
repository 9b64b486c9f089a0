#include "construction/NativeContextDrawer.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "elements/Primitive.h"
#include "project/Pen.h"

namespace tarnwick {

namespace {
constexpr double FullTurn = 2.0 * std::numbers::pi;
constexpr double AngleTolerance = 1e-5;

NewDisplay::Color colorOf(const Colour& colour) {
    return {static_cast<float>(colour.getRed()), static_cast<float>(colour.getGreen()),
            static_cast<float>(colour.getBlue()), static_cast<float>(colour.getAlpha())};
}

// A record whose end angle equals its start gets a sweep of 0 (or minus a turn), and that is a
// full circle as much as a sweep of a whole turn is.
bool isFullCircle(double sweep) {
    double rest = std::fmod(sweep, FullTurn);
    if (std::fabs(std::fabs(rest) - FullTurn) <= AngleTolerance) rest = 0.0;
    return std::fabs(rest) <= AngleTolerance;
}
} // namespace

NativeContextDrawer::NativeContextDrawer(std::shared_ptr<NewDisplay::NativeContext> context)
    : m_context(std::move(context)) {}

void NativeContextDrawer::setContext(std::shared_ptr<NewDisplay::NativeContext> context) {
    m_context = std::move(context);
    m_currentPen = 0;
    m_currentLineType = 0;
}

void NativeContextDrawer::setPen(uint16_t index) {
    if (!m_context || index == m_currentPen) return;
    const Pen pen(AttributeLink(static_cast<int16_t>(index), AttrPen));
    m_context->SetForeColor(colorOf(m_fixedColour ? *m_fixedColour : pen.getColour()));
    const double width = m_fixedWidth != 0.0 ? m_fixedWidth : pen.getWidth() * m_scale / MillimetresPerPoint;
    m_context->SetLineWidth(static_cast<float>(width));
    m_currentPen = index;
}

CadPoint NativeContextDrawer::mapPoint(const CadPoint& model) const {
    const CadPoint view = m_projection ? m_projection->transform(model) : model;
    return CadPoint(view.getX(), -view.getY(), view.getZ()) + m_origin;
}

void NativeContextDrawer::takeAttributes(const Primitive& primitive) {
    setPen(static_cast<uint16_t>(primitive.getPen()));
    m_currentLineType = static_cast<uint16_t>(primitive.getLineType());
}

void NativeContextDrawer::moveTo(const CadPoint& model) {
    const CadPoint p = mapPoint(model);
    m_context->MoveTo(static_cast<float>(p.getX()), static_cast<float>(p.getY()));
}

void NativeContextDrawer::lineTo(const CadPoint& model) {
    const CadPoint p = mapPoint(model);
    m_context->LineTo(static_cast<float>(p.getX()), static_cast<float>(p.getY()));
}

void NativeContextDrawer::drawLine(const PrimitiveLine& line, const CadPoint& offset) {
    if (!m_context) return;
    takeAttributes(line);
    moveTo(line.getStartPoint() + offset);
    lineTo(line.getEndPoint() + offset);
}

void NativeContextDrawer::drawArc(const PrimitiveArc& arc, const CadPoint& offset) {
    if (!m_context) return;
    takeAttributes(arc);
    const CadPoint centre = mapPoint(arc.getCentre() + offset);
    moveTo(arc.getEndPoint() + offset);
    const auto x = static_cast<float>(centre.getX());
    const auto y = static_cast<float>(centre.getY());
    const auto radius = static_cast<float>(arc.getRadius() * 2.0 * m_scale * 0.5);
    if (isFullCircle(arc.getSweep())) {
        m_context->ArcTo(NewDisplay::DisplayArc::CreateFullCircle(x, y, radius));
        return;
    }
    // Mirrored, as the context's y axis points down.
    double start = std::fmod(FullTurn - arc.getEndAngle(), FullTurn);
    if (start < 0.0) start += FullTurn;
    m_context->ArcTo(NewDisplay::DisplayArc::CreateCircularArc(x, y, radius, static_cast<float>(start),
                                                               static_cast<float>(arc.getSweep())));
}

void NativeContextDrawer::drawText(const PrimitiveText& text, const CadPoint& offset) {
    if (!m_context || text.getText().isEmpty()) return;
    takeAttributes(text);
    const CadPoint anchor = mapPoint(text + offset);
    m_context->DrawPlainText(text.getText().toUniString(), TE::Font(), static_cast<float>(anchor.getX()),
                             static_cast<float>(anchor.getY()), static_cast<float>(text.getAngle()));
}

void NativeContextDrawer::drawPolygon(const PrimitivePolygon& polygon, const CadPoint& offset) {
    const size_t count = polygon.getVertexCount();
    if (!m_context || count == 0) return;
    takeAttributes(polygon);
    m_context->BeginPolygon(false);
    moveTo(polygon.getVertex(0) + offset);
    for (size_t i = 1; i <= count; ++i)
        lineTo(polygon.getVertex(i) + offset);
    m_context->EndPolygon();
}

} // namespace tarnwick
