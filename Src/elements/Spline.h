// A host spline (type 23): its vertices and their directions in the memo, open or closed, with an
// arrow whose pen is the spline's second pen.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/PolygonElement.h"

namespace tarnwick {

class Spline : public PolygonElement<SplinePolygonMemo, HostSplineElement> {
public:
    static constexpr uint8_t TypeCode = 23;

    // A new spline in the host's default settings, taking the polygon when given.
    explicit Spline(std::unique_ptr<CadPolygon> polygon = nullptr);
    Spline(const API_Element& record, const ElementLink& link);
    Spline(const Spline& other) = default;
    ~Spline() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Spline>(*this); }
    // Roles 0 and 1 the pen value, 17 the arrow's pen; any other role: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    void setArrowStyle(const ArrowStyle& style, uint32_t which) override;
    // The first vertex; the origin without vertices.
    void getReferencePoint(CadPoint& point) const override;
    // The vertices are all in the memo.
    bool moveBy(const CadPoint& offset) override { return movePolygon(offset); }

    bool isClosed() const override { return m_record.closed != 0; }
    bool isDirectionFree() const override { return m_record.directionFree != 0; }

    virtual void setDirectionFree(bool on) { m_record.directionFree = on ? 1 : 0; }
    virtual void setClosed(bool on);
    // The last vertex; the origin without vertices.
    virtual CadPoint getEndPoint() const;

    const HostSplineElement& getSplineRecord() const { return m_record; }
};

// The factory's creator of splines; null for a record of another type.
std::unique_ptr<Element> createSpline(const API_Element& record, ElementLink& link);

} // namespace tarnwick
