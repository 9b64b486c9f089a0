// The host's radial (type 12), level (13) and angular (14) dimensions: pens, text and arrows from
// their records; an angular dimension's reference point is the first of its four points.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Dimension.h"
#include "elements/LinearDimension.h"

namespace tarnwick {

class RadialDimension : public DimensionOf<HostRadialDimension> {
public:
    static constexpr uint8_t TypeCode = 12;

    RadialDimension() : DimensionOf(TypeCode) { applyDefaults(); }
    RadialDimension(const API_Element& record, const ElementLink& link) : DimensionOf(record, link) {}
    RadialDimension(const RadialDimension& other) = default;
    ~RadialDimension() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<RadialDimension>(*this); }
    bool moveBy(const CadPoint& offset) override { return moveReferencePoint(offset); }

    virtual uint32_t getFieldF1() const { return m_record.fieldF1; }
    virtual uint32_t getFieldF2() const { return m_record.fieldF2; }
    virtual HostArrow getArrowRecord() const { return m_record.arrow; }
    virtual void setFieldF1(uint32_t value) { m_record.fieldF1 = value; }
    virtual void setFieldF2(uint32_t value) { m_record.fieldF2 = value; }
    virtual void setArrowRecord(const HostArrow& arrow) { m_record.arrow = arrow; }

    const HostRadialDimension& getRadialRecord() const { return m_record; }
};

class LevelDimension : public DimensionOf<HostLevelDimension> {
public:
    static constexpr uint8_t TypeCode = 13;

    LevelDimension() : DimensionOf(TypeCode) { applyDefaults(); }
    LevelDimension(const API_Element& record, const ElementLink& link) : DimensionOf(record, link) {}
    LevelDimension(const LevelDimension& other) = default;
    ~LevelDimension() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<LevelDimension>(*this); }
    bool moveBy(const CadPoint& offset) override { return moveReferencePoint(offset); }

    const HostLevelDimension& getLevelRecord() const { return m_record; }
};

class AngularDimension : public DimensionOf<HostAngularDimension> {
public:
    static constexpr uint8_t TypeCode = 14;

    AngularDimension() : DimensionOf(TypeCode) { applyDefaults(); }
    AngularDimension(const API_Element& record, const ElementLink& link) : DimensionOf(record, link) {}
    AngularDimension(const AngularDimension& other) = default;
    ~AngularDimension() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<AngularDimension>(*this); }
    void getReferencePoint(CadPoint& point) const override;
    // Moves all four points with the first.
    void setReferencePoint(const CadPoint& point) override;
    // All four points.
    bool moveBy(const CadPoint& offset) override { return moveReferencePoint(offset); }

    virtual uint32_t getFieldF1() const { return m_record.fieldF1; }
    virtual uint32_t getFieldF2() const { return m_record.fieldF2; }
    virtual uint32_t getFieldF3() const { return m_record.fieldF3; }
    virtual double getFieldF4() const { return m_record.fieldF4; }
    virtual HostArrow getArrowRecord() const { return m_record.arrow; }
    virtual void setFieldF1(uint32_t value) { m_record.fieldF1 = value; }
    virtual void setFieldF2(uint32_t value) { m_record.fieldF2 = value; }
    virtual void setFieldF3(uint32_t value) { m_record.fieldF3 = value; }
    virtual void setFieldF4(double value) { m_record.fieldF4 = value; }
    virtual void setArrowRecord(const HostArrow& arrow) { m_record.arrow = arrow; }

    const HostAngularDimension& getAngularRecord() const { return m_record; }
};

// The factory's creators; null for a record of another type.
std::unique_ptr<Element> createRadialDimension(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createLevelDimension(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createAngularDimension(const API_Element& record, ElementLink& link);

} // namespace tarnwick
