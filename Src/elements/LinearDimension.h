// A host linear dimension (type 11): its points in the memo, ordered along the dimension line, the
// first one's projection the reference point.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Dimension.h"
#include "elements/DimensionMemo.h"

namespace tarnwick {

class LinearDimension : public DimensionOf<HostLinearDimension>, public DimensionMemo {
public:
    static constexpr uint8_t TypeCode = 11;

    // A new dimension in the host's default settings, without points.
    LinearDimension();
    LinearDimension(const API_Element& record, const ElementLink& link);
    LinearDimension(const LinearDimension& other) = default;
    LinearDimension& operator=(const LinearDimension& other) = default;
    ~LinearDimension() override = default;

    // The element's, not the memo's.
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<LinearDimension>(*this); }
    // Roles 0/1 the dimension pen, 2, 8, 16 the text pen, 17 the arrow pen; any other: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const override;
    // Role 0 sets the dimension, text and arrow pens.
    void setPen(const Pen& pen, uint32_t which) override;
    void setArrowStyle(const ArrowStyle& style, uint32_t which) override;
    // Orders the points against the point; the first one's projection becomes the reference.
    void setReferencePoint(const CadPoint& point) override;
    // The points (plan, 3D and projected positions) and the reference point; their order stays.
    bool moveBy(const CadPoint& offset) override;
    // Adds every part unless the points are loaded and valid (when memo loading is not
    // suspended). A new dimension has nothing to read; a failed fetch leaves the points unloaded.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null, with mask 0, when the points cannot be written.
    ElementMemoPtr buildMemo(uint64_t& mask) override;

    // Each reorders the points after the change.
    void setPoint(std::unique_ptr<DimensionPoint> point, size_t index) override;
    void insertPoint(std::unique_ptr<DimensionPoint> point, size_t index) override;
    void removePoint(size_t index) override;
    // Also sets the record's point count to 0.
    std::vector<std::unique_ptr<DimensionPoint>> clearPoints(bool release) override;
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(Mask, store); }
    Element& getMemoOwner() override { return *this; }

    // 0 a free direction, 1 horizontal, 2 vertical.
    virtual uint32_t getOrientation() const { return m_record.orientation; }
    virtual uint32_t getFieldF1() const { return m_record.fieldF1; }
    virtual uint32_t getFieldF3() const { return m_record.fieldF3; }
    virtual bool getFlagB1() const { return m_record.flagB1 != 0; }
    virtual bool getFlagB2() const { return m_record.flagB2 != 0; }
    // The host keeps only its second bit; the flag always reads as set.
    virtual bool getFlagB3() const { return true; }
    virtual bool getFlagB4() const { return m_record.flagB4 != 0; }
    virtual bool getFlagB5() const { return m_record.flagB5 != 0; }
    virtual bool getFlagB6() const { return m_record.flagB6 != 0; }
    virtual bool getFlagB7() const { return m_record.flagB7 != 0; }
    virtual uint32_t getFieldF5() const { return m_record.fieldF5; }
    virtual double getFieldF4() const { return m_record.fieldF4; }
    virtual uint32_t getArrowKind() const { return m_record.arrow.kind; }
    virtual Pen getArrowPen() const { return Pen(AttributeLink(int16_t(m_record.arrow.pen), AttrPen)); }
    virtual double getArrowSize() const { return m_record.arrow.size; }
    virtual void setOrientation(uint32_t orientation) { m_record.orientation = orientation; }
    virtual void setFieldF1(uint32_t value) { m_record.fieldF1 = value; }
    virtual void setFieldF3(uint32_t value) { m_record.fieldF3 = value; }
    virtual void setFlagB1(bool on) { m_record.flagB1 = on ? 1 : 0; }
    virtual void setFlagB2(bool on) { m_record.flagB2 = on ? 1 : 0; }
    // Sets or clears the second bit; answers the byte as it was.
    virtual uint8_t setFlagB3(bool on);
    virtual void setFlagB4(bool on) { m_record.flagB4 = on ? 1 : 0; }
    virtual void setFlagB5(bool on) { m_record.flagB5 = on ? 1 : 0; }
    virtual void setFlagB6(bool on) { m_record.flagB6 = on ? 1 : 0; }
    virtual void setFlagB7(bool on) { m_record.flagB7 = on ? 1 : 0; }
    virtual void setFieldF5(uint32_t value) { m_record.fieldF5 = value; }
    virtual void setFieldF4(double value) { m_record.fieldF4 = value; }
    virtual void setArrowKind(uint32_t kind) { m_record.arrow.kind = kind; }
    virtual void setArrowPen(const Pen& pen) { m_record.arrow.pen = static_cast<uint16_t>(pen.getIndex16()); }
    virtual void setArrowSize(double size) { m_record.arrow.size = size; }
    CadPoint getDirection() const { return CadPoint(m_record.direction.x, m_record.direction.y, 0.0); }
    // A zero vector changes nothing. With snap, a direction within the tolerance of horizontal or
    // vertical becomes the unit vector that way (0 for a component within the tolerance).
    virtual void setDirection(const CadPoint& vector, bool snap, double tolerance);
    // Ignores a null or unusable point; with defaults it takes the dimension's F4 and F5.
    virtual void addPoint(std::unique_ptr<DimensionPoint> point, bool withDefaults);
    // Its points are in the memo, so its record claims one.
    void applyDefaults() override;
    // Orders the points by their distance along the direction, ties kept in their order, each
    // projected onto the line through the point; answers the first projection (the origin
    // without points).
    virtual CadPoint arrangePoints(const CadPoint& through);

    const HostLinearDimension& getDimensionRecord() const { return m_record; }
    HostLinearDimension& getDimensionRecord() { return m_record; }

private:
    void rearrange();
};

// The factory's creator of linear dimensions; null for a record of another type.
std::unique_ptr<Element> createLinearDimension(const API_Element& record, ElementLink& link);

} // namespace tarnwick
