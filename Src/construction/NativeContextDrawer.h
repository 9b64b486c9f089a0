// Paints drawing primitives on the host's native drawing context, for previews of elements in
// dialogs. The owner sets the projection, origin and scale, and may fix the colour or the line
// width of everything drawn; without a context nothing is drawn and nothing changes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "elements/PrimitiveDrawer.h"
#include "geometry/CadPoint.h"
#include "geometry/Projection.h"
#include "platform/graphics/NativeContext.h"
#include "project/Colour.h"

namespace tarnwick {

class CadPolygon;
class Primitive;
class PrimitivePolygon;

class NativeContextDrawer : public PrimitiveDrawer {
public:
    // A pen's width is in millimetres, the context's in points.
    static constexpr double MillimetresPerPoint = 0.3527777777778;

    explicit NativeContextDrawer(std::shared_ptr<NewDisplay::NativeContext> context = nullptr);

    const std::shared_ptr<NewDisplay::NativeContext>& getContext() const { return m_context; }
    // A new context has no pen or line type set yet.
    void setContext(std::shared_ptr<NewDisplay::NativeContext> context);
    // Null draws plan coordinates as they are.
    void setProjection(std::shared_ptr<const Projection> projection) { m_projection = std::move(projection); }
    void setOrigin(const CadPoint& origin) { m_origin = origin; }
    double getScale() const { return m_scale; }
    void setScale(double scale) { m_scale = scale; }
    void setFixedColour(const std::optional<Colour>& colour) { m_fixedColour = colour; }
    // 0 takes the width from each pen again.
    void setFixedWidth(double width) { m_fixedWidth = width; }

    uint16_t getCurrentPen() const { return m_currentPen; }
    uint16_t getCurrentLineType() const { return m_currentLineType; }

    // When the index differs from the current one: the pen's colour (or the fixed colour) becomes
    // the context's fore colour, and the pen's width times the scale in points (or the fixed
    // width) its line width; the index becomes current.
    void setPen(uint16_t index);
    // Through the projection, y negated (the context's y points down), plus the origin.
    CadPoint mapPoint(const CadPoint& model) const;

    void drawLine(const PrimitiveLine& line, const CadPoint& offset) override;
    // A sweep that is a whole turn (or none) draws the full circle.
    void drawArc(const PrimitiveArc& arc, const CadPoint& offset) override;
    // An empty text draws nothing.
    void drawText(const PrimitiveText& text, const CadPoint& offset) override;
    // The outline only, closed back to its first vertex; holes and arc edges are not drawn.
    // Nothing for a polygon without vertices.
    void drawPolygon(const PrimitivePolygon& polygon, const CadPoint& offset);

private:
    // The primitive's pen, then its line type.
    void takeAttributes(const Primitive& primitive);
    void moveTo(const CadPoint& model);
    void lineTo(const CadPoint& model);

    std::shared_ptr<NewDisplay::NativeContext> m_context;
    std::shared_ptr<const Projection> m_projection;
    CadPoint m_origin;
    double m_scale = 1.0;
    std::optional<Colour> m_fixedColour;
    double m_fixedWidth = 0.0;
    uint16_t m_currentPen = 0;
    uint16_t m_currentLineType = 0;
};

} // namespace tarnwick
