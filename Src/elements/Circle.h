// A host circle or arc (types 21 and 22): centre, radius, begin and end angle, axis ratio and a
// reflected flag that runs the arc from the end angle back to the begin angle.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "geometry/CadArc.h"
#include "platform/api/DraftingRecords.h"

namespace tarnwick {

class Circle : public Element {
public:
    static constexpr uint8_t TypeCode = 21;
    static constexpr uint8_t ArcTypeCode = 22;

    // A new circle in the host's default settings: radius 1 about the origin.
    Circle();
    // A new circle along the arc.
    explicit Circle(const CadArc& arc);
    // The record part is left for the caller to fill.
    explicit Circle(const ElementLink& link);
    Circle(const API_Element& record, const ElementLink& link);
    Circle(const Circle& other) = default;
    ~Circle() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Circle>(*this); }
    // Arcs answer the circle's id too; the record keeps the type the host gave.
    uint16_t getElementID() const override { return ElementLink::makeTypeId(TypeCode); }
    // Roles 0 and 1 the pen value, 17 the second pen; any other role: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    // Of the whole circle, whatever the angles.
    double getOutlineMeasure() const override;
    double getOutlineArea() const override;
    // The arc's two ends, the second carrying the sweep; closed for a full circle.
    std::unique_ptr<CadPolygon> getOutline() const override;
    void setReferencePoint(const CadPoint& point) override;
    // The centre; the angles and the radius stay.
    bool moveBy(const CadPoint& offset) override { return moveReferencePoint(offset); }
    std::unique_ptr<API_Element> buildRecord() const override;
    // No memo parts: null, the mask as it was.
    ElementMemoPtr buildMemo(uint64_t&) override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    virtual bool isFlagSet() const { return m_record.flag != 0; }
    virtual void setFlag(bool on) { m_record.flag = on ? 1 : 0; }
    // A full circle has sweep 0; a reflected arc sweeps clockwise from the begin angle.
    virtual CadArc getArc() const;
    CadPoint getCentre() const;
    virtual double getRadius() const { return m_record.radius; }
    virtual double getBeginAngle() const { return m_record.beginAngle; }
    virtual double getEndAngle() const { return m_record.endAngle; }
    virtual double getAxisRatio() const { return m_record.axisRatio; }
    virtual bool isReflected() const { return m_record.reflected != 0; }
    virtual bool isFullCircle() const;
    // Axis ratio 1, not reflected.
    virtual void setArc(const CadArc& arc);
    virtual void setRadius(double radius) { m_record.radius = radius; }
    virtual void setBeginAngle(double angle) { m_record.beginAngle = angle; }
    virtual void setEndAngle(double angle) { m_record.endAngle = angle; }
    virtual void setAxisRatio(double ratio) { m_record.axisRatio = ratio; }
    virtual void setReflected(bool on) { m_record.reflected = on ? 1 : 0; }
    virtual void applyDefaults();

    const HostCircleElement& getCircleRecord() const { return m_record; }

private:
    HostCircleElement m_record;
};

// The factory's creator of circles and arcs; null for a record of another type.
std::unique_ptr<Element> createCircle(const API_Element& record, ElementLink& link);

} // namespace tarnwick
