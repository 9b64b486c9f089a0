// A host column (type 2): typed accessors over a private copy of its record, the roof gables that
// cut it, its IFC data, its quantities, and its plan outline: a rectangle, or the circle through
// its corners, built on first use and dropped whenever a setter changes what it is built from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionProfile.h"
#include "construction/ConstructionRecord.h"
#include "elements/Element.h"
#include "elements/GableMemo.h"
#include "elements/IFCMemo.h"
#include "geometry/CadPolygon.h"
#include "geometry/PolyEdge.h"
#include "platform/api/BeamColumnRecords.h"

namespace tarnwick {

class Column : public Element, public GableMemo, public IFCMemo, public ConstructionProfile {
public:
    static constexpr uint8_t TypeCode = HostColumnTypeCode;

    // The host's default column.
    Column();
    Column(const ElementLink& link, const API_Element& record);
    // A copy builds its own outline.
    Column(const Column& other);
    Column& operator=(const Column&) = delete;
    ~Column() override = default;

    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Column>(*this); }
    // With the storey-span flag set: the column's top lies more than the tolerance above the
    // storey's level and its base more than the tolerance below the storey's top.
    bool isOnStorey(const Storey& storey, double tolerance = 0.0) const override;
    // Regular: the storey-span flag is clear.
    bool isEnabled() const override { return m_record.part().storeySpanFlag == 0; }

    // --- Measures: the host's column quantities, one field each, 0.0 when it cannot say; B and C
    // answer A.
    double getMeasureA() const override { return quantity(offsetof(HostColumnQuantities, measureA)); }
    double getMeasureB() const override { return getMeasureA(); }
    double getMeasureC() const override { return getMeasureA(); }
    double getMeasureD() override { return quantity(offsetof(HostColumnQuantities, measureD)); }
    double getMeasureE() override { return quantity(offsetof(HostColumnQuantities, measureE)); }
    double getMeasureF() override { return quantity(offsetof(HostColumnQuantities, measureF)); }
    double getMeasureG() override { return quantity(offsetof(HostColumnQuantities, measureG)); }
    uint32_t getOutlineHoleCount() const override { return static_cast<uint32_t>(outline().getHoleCount()); }
    // The areas of the outline's holes, summed.
    double getMeasureH() const override { return holeAreaSum(&outline()); }
    // The plan perimeters of the outline's holes, summed.
    double getMeasureJ() const override { return holePerimeterSum(&outline()); }

    // --- Attributes.
    // 0 and 1 the contour pen; 2; 3; 4 and 10 the kind-4 pen; 5; 11 and 12 the cut-fill pens, the
    // core material's unless the cut-fill flag is set; 13 the veneer material's cut-fill background
    // pen; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    // The finish override when it overrides, else the core material's finish.
    void getFinish(Finish& finish, uint32_t which) const override;
    // Kinds 0, 1 and 3 the core material's cut fill, 2 the veneer material's; null for index 0 and
    // other kinds.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    void getComplexProfile(ComplexProfile& profile) const override;
    // The core material of a basic column; empty otherwise.
    void getMaterial(Material& material) const override;
    // Summed over the core and the veneer materials.
    double getMaterialQuantity(uint16_t material) override;
    double getCompositeQuantity(uint16_t material) override;
    uint32_t getStructureType() const override { return m_record.part().structureType; }
    // 0 the kind-4, contour, both cut-fill, kind-3 and kind-2 pens; 1 contour; 2; 3; 4 and 10; 5;
    // 6 and 11 cut fill; 8 and 12 cut-fill background.
    void setPen(const Pen& pen, uint32_t which) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    void setFinish(const Finish& finish, uint32_t which) override;
    void setComplexProfile(const ComplexProfile& profile) override;
    void setStructureType(uint32_t type) override { m_record.part().structureType = type; }

    // --- Geometry.
    // The reference point at the absolute elevation.
    void getReferencePoint(CadPoint& point) const override;
    double getElevation(bool absolute) const override;
    double getBoundsZSize() override { return m_record.part().height; }
    double getBoundsXSize() override { return m_record.part().width; }
    double getBoundsYSize() override { return m_record.part().depth; }
    // A copy of the outline.
    std::unique_ptr<CadPolygon> getOutline() const override;
    // Moves the reference point in plan and takes the elevation from z (absolute).
    void setReferencePoint(const CadPoint& point) override;
    void setElevation(double value, bool absolute) override;

    // --- Record and memo.
    std::unique_ptr<API_Element> buildRecord() const override { return m_record.build(getLink()); }
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }
    Element* getOwner() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(MemoGables, store); }
    uint16_t getProfileSetting() const override { return m_record.part().profileSetting; }

    // --- The column's own.
    virtual bool getColumnFlag() const { return m_record.part().columnFlag != 0; }
    // The veneer material of a basic column; empty otherwise.
    virtual Material getVeneerMaterial() const;
    virtual uint16_t getColumnValue2() const { return m_record.part().columnValue2; }
    // A circular column's as deep as it is wide: the depth; otherwise 0.0.
    virtual double getDiameter() const;
    virtual double getVeneerThickness() const { return m_record.part().veneerThickness; }
    virtual double getOverallWidth() const;
    virtual double getOverallDepth() const;
    // Through the reference point along the axis angle, as long as the width; depthwise across it,
    // as long as the depth.
    virtual void getCrossLine(PolyEdge& line, bool depthwise) const;
    virtual double getAxisAngle() const { return m_record.part().axisAngle; }
    virtual double getExtraAngle() const { return m_record.part().extraAngle; }
    virtual double getColumnValue3() const { return m_record.part().columnValue3; }
    virtual uint16_t getColumnValue1() const { return m_record.part().columnValue1; }
    virtual bool isCircular() const { return m_record.part().circularFlag != 0; }
    virtual double getColumnQuantity1() const { return columnQuantity(0); }
    virtual double getColumnQuantity2() const { return columnQuantity(1); }
    virtual double getColumnQuantity3() const { return columnQuantity(2); }
    virtual double getColumnQuantity4() const { return columnQuantity(3); }
    virtual double getBaseMeasure1() const { return getMeasureA(); }
    virtual double getColumnQuantity5() const { return columnQuantity(4); }
    virtual double getColumnQuantity6() const { return columnQuantity(5); }
    virtual double getColumnQuantity7() const { return columnQuantity(6); }
    // The setters of what the outline is built from drop it.
    virtual void setWidth(double width) { setShape(&HostColumnElement::width, width); }
    virtual void setDepth(double depth) { setShape(&HostColumnElement::depth, depth); }
    virtual void setVeneerThickness(double thickness) {
        setShape(&HostColumnElement::veneerThickness, thickness);
    }
    virtual void setAxisAngle(double angle) { setShape(&HostColumnElement::axisAngle, angle); }
    virtual void setExtraAngle(double angle) { setShape(&HostColumnElement::extraAngle, angle); }
    virtual void setColumnValue3(double value) { m_record.part().columnValue3 = value; }
    virtual void setHeight(double height) { m_record.part().height = height; }
    virtual void setColumnValue1(uint16_t value) { m_record.part().columnValue1 = value; }
    virtual void setCircular(bool on) { setShape(&HostColumnElement::circularFlag, uint8_t(on ? 1 : 0)); }
    // The host's default column: head and part, the head's memo byte set. False when the host
    // refuses.
    virtual bool resetToDefaults();
    const HostColumnElement& getColumnRecord() const { return m_record.part(); }
    // For changing the record: the outline is built again on next use.
    HostColumnElement& getColumnRecord();

private:
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }
    double columnQuantity(size_t index) const {
        return quantity(offsetof(HostColumnQuantities, columnQuantity) + index * sizeof(double));
    }
    // A field the outline is built from takes the value; the outline is built again on next use.
    template <class T> void setShape(T HostColumnElement::*field, T value) {
        m_record.part().*field = value;
        m_outline.reset();
    }
    // The outline, built when none is held.
    const CadPolygon& outline() const;

    ConstructionRecord<HostColumnElement> m_record;
    mutable std::unique_ptr<CadPolygon> m_outline;
};

// The factory's creator of columns; null for a record of another type.
std::unique_ptr<Element> createColumn(const API_Element& record, ElementLink& link);

} // namespace tarnwick
