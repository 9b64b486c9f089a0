// A host linear dimension (type 11): its points in the memo, ordered along the dimension line, the
// first one's projection the reference point.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/DimensionMemo.h"
#include "elements/Element.h"
#include "platform/api/DimensionRecords.h"

namespace tarnwick {

// The host's dimension kinds share nothing but being dimensions.
class Dimension : public Element {
public:
    using Element::Element;
    ~Dimension() override = default;
};

class LinearDimension : public Dimension, public DimensionMemo {
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
    std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const override;
    std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const override;
    // Role 0 sets the dimension, text and arrow pens.
    void setPen(const Pen& pen, uint32_t which) override;
    void setTextStyle(const TextStyle& style, uint32_t which) override;
    void setArrowStyle(const ArrowStyle& style, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    // Orders the points against the point; the first one's projection becomes the reference.
    void setReferencePoint(const CadPoint& point) override;
    std::unique_ptr<API_Element> buildRecord() const override;
    // Adds every part unless the points are loaded and valid (when memo loading is not
    // suspended). A new dimension has nothing to read; a failed fetch leaves the points unloaded.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null, with mask 0, when the points cannot be written.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    // Each reorders the points after the change.
    void setPoint(std::unique_ptr<DimensionPoint> point, size_t index) override;
    void insertPoint(std::unique_ptr<DimensionPoint> point, size_t index) override;
    void removePoint(size_t index) override;
    // Also sets the record's point count to 0.
    std::vector<std::unique_ptr<DimensionPoint>> clearPoints(bool release) override;
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(Mask, store); }
    Element& getMemoOwner() override { return *this; }

    virtual uint32_t getOrientation() const { return m_record.orientation; }
    virtual void setOrientation(uint32_t orientation) { m_record.orientation = orientation; }
    CadPoint getDirection() const { return CadPoint(m_record.direction.x, m_record.direction.y, 0.0); }
    // A zero vector changes nothing. With snap, a direction within the tolerance of horizontal or
    // vertical becomes the unit vector that way (0 for a component within the tolerance).
    virtual void setDirection(const CadPoint& vector, bool snap, double tolerance);
    // Ignores a null or unusable point; with defaults it takes the dimension's F4 and F5.
    virtual void addPoint(std::unique_ptr<DimensionPoint> point, bool withDefaults);
    virtual void applyDefaults();
    // Orders the points by their distance along the direction, ties kept in their order, each
    // projected onto the line through the point; answers the first projection (the origin
    // without points).
    virtual CadPoint arrangePoints(const CadPoint& through);

    const HostLinearDimension& getDimensionRecord() const { return m_record; }
    HostLinearDimension& getDimensionRecord() { return m_record; }

private:
    void rearrange();

    HostLinearDimension m_record;
};

// The factory's creator of linear dimensions; null for a record of another type.
std::unique_ptr<Element> createLinearDimension(const API_Element& record, ElementLink& link);

} // namespace tarnwick
