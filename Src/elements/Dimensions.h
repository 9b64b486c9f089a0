// The host's radial (type 12), level (13) and angular (14) dimensions: pens, text and arrows from
// their records; an angular dimension's reference point is the first of its four points.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/LinearDimension.h"
#include "platform/api/DimensionRecords.h"
#include "project/Font.h"
#include "project/Pen.h"

namespace tarnwick {

class RadialDimension : public Dimension {
public:
    static constexpr uint8_t TypeCode = 12;

    RadialDimension();
    RadialDimension(const API_Element& record, const ElementLink& link);
    RadialDimension(const RadialDimension& other) = default;
    ~RadialDimension() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<RadialDimension>(*this); }
    // Roles 0/1, 16 the text pen, 17 the arrow pen; role 0 sets all three.
    void getPen(Pen& pen, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const override;
    void setTextStyle(const TextStyle& style, uint32_t which) override;
    std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const override;
    void setArrowStyle(const ArrowStyle& style, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    void setReferencePoint(const CadPoint& point) override { m_record.reference = point.getCoord2D(); }
    std::unique_ptr<API_Element> buildRecord() const override;
    ElementMemoPtr buildMemo(uint64_t&) override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    virtual uint32_t getFieldF1() const { return m_record.fieldF1; }
    virtual uint32_t getFieldF2() const { return m_record.fieldF2; }
    virtual HostArrow getArrowRecord() const { return m_record.arrow; }
    virtual void setFieldF1(uint32_t value) { m_record.fieldF1 = value; }
    virtual void setFieldF2(uint32_t value) { m_record.fieldF2 = value; }
    virtual void setArrowRecord(const HostArrow& arrow) { m_record.arrow = arrow; }
    virtual Font getTextFont() const {
        return Font(AttributeLink(int16_t(m_record.textBlock.font), AttrFont));
    }
    virtual Pen getTextPen() const { return Pen(AttributeLink(m_record.textBlock.pen, AttrPen)); }
    virtual double getTextSize() const { return m_record.textBlock.size; }
    virtual void setTextFont(const Font& font) {
        m_record.textBlock.font = static_cast<uint16_t>(font.getIndex16());
    }
    virtual void setTextPen(const Pen& pen) { m_record.textBlock.pen = pen.getIndex(); }
    virtual void setTextSize(double size) { m_record.textBlock.size = size; }
    virtual void applyDefaults();

    const HostRadialDimension& getRadialRecord() const { return m_record; }

private:
    HostRadialDimension m_record;
};

class LevelDimension : public Dimension {
public:
    static constexpr uint8_t TypeCode = 13;

    LevelDimension();
    LevelDimension(const API_Element& record, const ElementLink& link);
    LevelDimension(const LevelDimension& other) = default;
    ~LevelDimension() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<LevelDimension>(*this); }
    // Roles 0/1 and 16 the text pen; role 0 sets both.
    void getPen(Pen& pen, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const override;
    void setTextStyle(const TextStyle& style, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    void setReferencePoint(const CadPoint& point) override { m_record.reference = point.getCoord2D(); }
    std::unique_ptr<API_Element> buildRecord() const override;
    ElementMemoPtr buildMemo(uint64_t&) override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    virtual Font getTextFont() const {
        return Font(AttributeLink(int16_t(m_record.textBlock.font), AttrFont));
    }
    virtual Pen getTextPen() const { return Pen(AttributeLink(m_record.textBlock.pen, AttrPen)); }
    virtual double getTextSize() const { return m_record.textBlock.size; }
    virtual void setTextFont(const Font& font) {
        m_record.textBlock.font = static_cast<uint16_t>(font.getIndex16());
    }
    virtual void setTextPen(const Pen& pen) { m_record.textBlock.pen = pen.getIndex(); }
    virtual void setTextSize(double size) { m_record.textBlock.size = size; }
    virtual void applyDefaults();

    const HostLevelDimension& getLevelRecord() const { return m_record; }

private:
    HostLevelDimension m_record;
};

class AngularDimension : public Dimension {
public:
    static constexpr uint8_t TypeCode = 14;

    AngularDimension();
    AngularDimension(const API_Element& record, const ElementLink& link);
    AngularDimension(const AngularDimension& other) = default;
    ~AngularDimension() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<AngularDimension>(*this); }
    // As a radial dimension's.
    void getPen(Pen& pen, uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const override;
    void setTextStyle(const TextStyle& style, uint32_t which) override;
    std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const override;
    void setArrowStyle(const ArrowStyle& style, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    // Moves all four points with the first.
    void setReferencePoint(const CadPoint& point) override;
    // All four points.
    bool moveBy(const CadPoint& offset) override { return moveReferencePoint(offset); }
    std::unique_ptr<API_Element> buildRecord() const override;
    ElementMemoPtr buildMemo(uint64_t&) override { return nullptr; }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

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
    virtual Font getTextFont() const {
        return Font(AttributeLink(int16_t(m_record.textBlock.font), AttrFont));
    }
    virtual Pen getTextPen() const { return Pen(AttributeLink(m_record.textBlock.pen, AttrPen)); }
    virtual double getTextSize() const { return m_record.textBlock.size; }
    virtual void setTextFont(const Font& font) {
        m_record.textBlock.font = static_cast<uint16_t>(font.getIndex16());
    }
    virtual void setTextPen(const Pen& pen) { m_record.textBlock.pen = pen.getIndex(); }
    virtual void setTextSize(double size) { m_record.textBlock.size = size; }
    virtual void applyDefaults();

    const HostAngularDimension& getAngularRecord() const { return m_record; }

private:
    HostAngularDimension m_record;
};

// The factory's creators; null for a record of another type.
std::unique_ptr<Element> createRadialDimension(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createLevelDimension(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createAngularDimension(const API_Element& record, ElementLink& link);

} // namespace tarnwick
