// The pieces of an element's drawing: points, lines, arcs, texts, polygons and hatches as the host
// hands them out or as made from values and elements (the 3D body is in PrimitiveBody.h). Each
// kind is its geometry plus the Primitive part: the pen, line type and head flag, whether it takes
// part in 2D and 3D output, and two option bytes the collector sets (inside a bracket, inside a
// fill). Kinds are held through shared pointers to the whole object.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Environment/String.h"
#include "geometry/CadArc.h"
#include "geometry/CadPoint.h"
#include "geometry/CadPolygon.h"
#include "geometry/Line.h"
#include "platform/api/PrimitiveRecords.h"

namespace tarnwick {

class Circle;
class DataBufferOut;
class Element;
class LineElement;
class PrimitiveDrawer;
class ScriptAttributes;
class Text;

class Primitive {
public:
    static constexpr uint32_t PlainLineType = 1;

    virtual ~Primitive() = default;

    uint16_t getHeadFlag() const { return m_headFlag; }
    uint32_t getPen() const { return m_pen; }
    uint32_t getLineType() const { return m_lineType; }
    bool isIn2D() const { return m_in2D != 0; }
    bool isIn3D() const { return m_in3D != 0; }
    // The collector's two option bytes: 0 inside a bracket, 1 inside a fill.
    uint8_t getOption(size_t index) const { return index < 2 ? m_options[index] : 0; }
    void setOptions(uint8_t first, uint8_t second) {
        m_options[0] = first;
        m_options[1] = second;
    }

    // Moves the geometry by the vector.
    virtual void offset(const CadPoint& vector) = 0;
    // Whether the primitive touches the point in plan within the tolerance.
    virtual bool isHit(const CadPoint& point, double tolerance) const = 0;
    // A new box of the primitive; null when it has no extent to report.
    virtual std::unique_ptr<Cube> getBounds() const = 0;
    // The primitive as script text at the indent (tabs), moved by the offset; the context, when
    // given, writes the attribute statements. False when the stream has failed. A kind without
    // that form writes nothing and answers true.
    virtual bool write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                               uint16_t indent) const;
    virtual bool write3DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                               uint16_t indent) const;
    // Lines, arcs and texts hand themselves to the drawer; the other kinds draw nothing. True.
    virtual bool draw(PrimitiveDrawer& drawer, const CadPoint& offset) const;

protected:
    // Pen, line type and head flag of the record.
    Primitive(const HostShapePrimitive& record, bool in2D, bool in3D)
        : Primitive(record.headFlag, record.pen, record.lineType, in2D, in3D) {}
    Primitive(uint16_t headFlag, uint32_t pen, uint32_t lineType, bool in2D, bool in3D)
        : m_headFlag(headFlag), m_pen(pen), m_lineType(lineType), m_in2D(in2D ? 1 : 0), m_in3D(in3D ? 1 : 0) {
    }
    // The element's pen and line type (role 0) and its primitive flag.
    Primitive(const Element& element, bool in2D, bool in3D);
    Primitive(const Primitive&) = default;
    Primitive& operator=(const Primitive&) = default;

private:
    uint16_t m_headFlag = 0;
    uint32_t m_pen = 0;
    uint32_t m_lineType = 0;
    uint8_t m_in2D = 0;
    uint8_t m_in3D = 0;
    uint8_t m_options[2] = {};
};

// In the order the host reports them.
class PrimitiveList : public std::vector<std::shared_ptr<Primitive>> {};

class PrimitivePoint : public CadPoint, public Primitive {
public:
    // Line type 1.
    PrimitivePoint(const HostShapePrimitive& record, const CadPoint& position, bool in2D, bool in3D);
    PrimitivePoint(const CadPoint& position, uint16_t headFlag, uint32_t pen, bool in2D, bool in3D);
    // At the element's reference point; never in 3D.
    PrimitivePoint(const Element& element, bool in2D, bool in3D);

    void offset(const CadPoint& vector) override { *this += vector; }
    bool isHit(const CadPoint& point, double tolerance) const override { return isEqual2D(point, tolerance); }
    std::unique_ptr<Cube> getBounds() const override;
    bool write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;
    bool write3DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;
};

class PrimitiveLine : public Line, public Primitive {
public:
    PrimitiveLine(const HostShapePrimitive& record, bool in2D, bool in3D);
    PrimitiveLine(const HostShapePrimitive& record, const CadPoint& start, const CadPoint& end, bool in2D,
                  bool in3D);
    PrimitiveLine(const CadPoint& start, const CadPoint& end, uint16_t headFlag, uint32_t pen,
                  uint32_t lineType, bool in2D, bool in3D);
    // From the line's reference point to its end point.
    PrimitiveLine(const LineElement& element, bool in2D, bool in3D);

    void offset(const CadPoint& vector) override { *this += vector; }
    // On the segment, its ends included.
    bool isHit(const CadPoint& point, double tolerance) const override;
    std::unique_ptr<Cube> getBounds() const override;
    bool draw(PrimitiveDrawer& drawer, const CadPoint& offset) const override;
    bool write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;
    bool write3DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;
};

class PrimitiveArc : public CadArc, public Primitive {
public:
    // The sweep runs from the start to the end angle counter-clockwise, the other way round for a
    // clockwise record.
    PrimitiveArc(const HostShapePrimitive& record, bool in2D, bool in3D);
    // A circle's arc.
    PrimitiveArc(const HostShapePrimitive& record, const CadArc& arc, bool in2D, bool in3D);
    PrimitiveArc(const CadArc& arc, uint16_t headFlag, uint32_t pen, uint32_t lineType, bool in2D, bool in3D);
    // The circle's arc.
    PrimitiveArc(const Circle& element, bool in2D, bool in3D);
    double getRatio() const { return m_ratio; }
    double getAxisAngle() const { return m_axisAngle; }

    void offset(const CadPoint& vector) override { *this += vector; }
    // On the arc, its ends included.
    bool isHit(const CadPoint& point, double tolerance) const override;
    std::unique_ptr<Cube> getBounds() const override { return std::make_unique<Cube>(CadArc::getBounds()); }
    bool draw(PrimitiveDrawer& drawer, const CadPoint& offset) const override;
    // An ellipse (ratio other than 1) is scaled along its axis about its centre.
    bool write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;

private:
    double m_ratio = 1.0;
    double m_axisAngle = 0.0;
};

// The point is the text's anchor.
class PrimitiveText : public CadPoint, public Primitive {
public:
    // Anchored at the record's location; line type 1.
    PrimitiveText(const HostShapePrimitive& record, const String& text, bool in2D, bool in3D);
    PrimitiveText(const String& text, const CadPoint& anchor, double angle, uint16_t headFlag, uint32_t pen,
                  bool in2D, bool in3D);
    // The element's text at its reference point and angle, with its pen and line type.
    PrimitiveText(Text& element, bool in2D, bool in3D);
    const String& getText() const { return m_text; }
    double getAngle() const { return m_angle; }
    uint32_t getAnchor() const { return m_anchor; }

    void offset(const CadPoint& vector) override { *this += vector; }
    bool isHit(const CadPoint& point, double tolerance) const override { return isEqual2D(point, tolerance); }
    std::unique_ptr<Cube> getBounds() const override;
    bool draw(PrimitiveDrawer& drawer, const CadPoint& offset) const override;
    bool write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;

private:
    String m_text;
    double m_angle = 0.0;
    uint32_t m_anchor = 0;
};

class PrimitivePolygon : public CadPolygon, public Primitive {
public:
    // Filled as the record says; the fill pen is the fill word, or the record's pen when the fill
    // word's low 16 bits are 0.
    PrimitivePolygon(const HostShapePrimitive& record, const CadPolygon& polygon, uint32_t fillWord,
                     bool in2D, bool in3D);
    // A record without fill: not filled, fill pen 0.
    PrimitivePolygon(const HostShapePrimitive& record, const CadPolygon& polygon, bool in2D, bool in3D);
    // Not filled, fill pen 0.
    PrimitivePolygon(const CadPolygon& polygon, uint16_t headFlag, uint32_t pen, uint32_t lineType, bool in2D,
                     bool in3D);
    bool isFilled() const { return m_filled != 0; }
    uint32_t getFillPen() const { return m_fillPen; }
    void setFilled(bool filled) { m_filled = filled ? 1 : 0; }
    void setFillPen(uint32_t pen) { m_fillPen = pen; }

    void offset(const CadPoint& vector) override { *this += vector; }
    bool isHit(const CadPoint& point, double tolerance) const override { return contains(point, tolerance); }
    std::unique_ptr<Cube> getBounds() const override { return CadPolygon::getBounds(); }
    bool write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;

private:
    uint32_t m_fillPen = 0;
    uint8_t m_filled = 0;
};

class PrimitiveHatch : public PrimitivePolygon {
public:
    // The polygon with the fill's pen as its fill word, and the fill's other values.
    PrimitiveHatch(const HostShapePrimitive& record, const HostFillRecord& fill, const CadPolygon& polygon,
                   bool in2D, bool in3D);
    // A fill index, or a gradient.
    bool hasFill() const { return m_fillIndex != 0 || m_gradient != 0; }
    uint16_t getFillIndex() const { return m_fillIndex; }
    // The fill pen when there is no fill.
    uint32_t getBackgroundPen() const { return hasFill() ? m_backgroundPen : getFillPen(); }
    bool getContour() const { return m_contour != 0; }
    bool isGradient() const { return m_gradient != 0; }
    bool isLinear() const { return m_linear != 0; }
    void setFillIndex(uint16_t index) { m_fillIndex = index; }
    void setBackgroundPen(uint16_t pen) { m_backgroundPen = pen; }
    void setContour(bool contour) { m_contour = contour ? 1 : 0; }
    void setGradient(bool gradient) { m_gradient = gradient ? 1 : 0; }
    void setLinear(bool linear) { m_linear = linear ? 1 : 0; }

    bool write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;

private:
    uint16_t m_backgroundPen = 0;
    uint16_t m_fillIndex = 0;
    uint8_t m_contour = 0;
    uint8_t m_gradient = 0;
    uint8_t m_linear = 0;
};

class PrimitiveDistortedHatch : public PrimitiveHatch {
public:
    static constexpr uint32_t DistortedFillControl = 8;

    PrimitiveDistortedHatch(const HostShapePrimitive& record, const HostFillRecord& fill,
                            const CadPolygon& polygon, bool in2D, bool in3D);
    uint32_t getFillControl() const { return m_fillControl; }
    const CadPoint& getOrigin() const { return m_origin; }
    // The fill's five values, in the host's order; 0 past them.
    double getDistortion(size_t index) const { return index < 5 ? m_distortion[index] : 0.0; }

    // The fill's reference point moves with the polygon, so the pattern stays where it lay on it.
    void offset(const CadPoint& vector) override;
    bool write2DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;

private:
    uint32_t m_fillControl = DistortedFillControl;
    CadPoint m_origin;
    double m_distortion[5] = {};
};

} // namespace tarnwick
