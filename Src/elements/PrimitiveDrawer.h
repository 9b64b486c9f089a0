// What the drawable primitive kinds need of whatever paints them. The painter stands in a layer
// above the elements, so the kinds reach it only through this interface.
#pragma once

namespace tarnwick {

class CadPoint;
class PrimitiveArc;
class PrimitiveLine;
class PrimitiveText;

class PrimitiveDrawer {
public:
    virtual ~PrimitiveDrawer() = default;

    // Each paints the primitive moved by the offset.
    virtual void drawLine(const PrimitiveLine& line, const CadPoint& offset) = 0;
    virtual void drawArc(const PrimitiveArc& arc, const CadPoint& offset) = 0;
    virtual void drawText(const PrimitiveText& text, const CadPoint& offset) = 0;

protected:
    PrimitiveDrawer() = default;
    PrimitiveDrawer(const PrimitiveDrawer&) = default;
    PrimitiveDrawer& operator=(const PrimitiveDrawer&) = default;
};

} // namespace tarnwick
