// What single-plane and multi-plane roofs share: typed accessors over a private copy of the roof
// record, the outline with its per-edge data (edge values included), the side overrides, the
// skylights the host relates to the roof, and the quantities, each asked of the host alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/BorderedPolygonMemo.h"
#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "elements/Element.h"
#include "elements/IFCMemo.h"
#include "elements/OverrideSet.h"
#include "platform/api/SlabRecords.h"

namespace tarnwick {

class ElementLinkList;
class Roof;

class Shelter : public Element, public BorderedPolygonMemo, public IFCMemo {
public:
    static constexpr uint8_t TypeCode = HostRoofTypeCode;
    static constexpr uint32_t Composite = 1;
    static constexpr uint8_t SkylightTypeCode = 44;

    Shelter(const Shelter& other);
    Shelter& operator=(const Shelter&) = delete;
    ~Shelter() override;

    // The element's, not the memos'.
    using Element::getOverrideSet;
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;
    using Element::setOverrideSet;

    // --- Measures: the host's roof quantities, one field each, 0.0 when it cannot say.
    double getMeasureA() const override { return quantity(offsetof(HostShelterQuantities, measure1)); }
    double getMeasureB() const override { return quantity(offsetof(HostShelterQuantities, measure2)); }
    double getMeasureC() const override { return quantity(offsetof(HostShelterQuantities, measure3)); }
    double getMeasureD() override { return quantity(offsetof(HostShelterQuantities, measure5)); }
    double getMeasureE() override { return quantity(offsetof(HostShelterQuantities, measure6)); }
    // The outline's holes; 0 without an outline.
    uint32_t getOutlineHoleCount() const override { return outlineHoleCount(*this); }
    double getMeasureH() const override { return quantity(offsetof(HostShelterQuantities, measure10)); }
    double getMeasureJ() const override { return quantity(offsetof(HostShelterQuantities, measure12)); }

    // --- Attributes.
    // The side's override record with the shared extension (side 0 or 1; std::out_of_range past).
    void getOverrideSet(OverrideSet& set, size_t side) const;
    // Writes the side's override record back; the shared extension is left as it is.
    void setOverrideSet(const OverrideSet& set, size_t side);
    // 0 and 1; 5, 6, 8, 10; 11 and 12 the cut-fill pens, the roof's own when its flag is set, else
    // the building material's. Other kinds empty.
    void getPen(Pen& pen, uint32_t which) const override;
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    // Kinds 0 and 1 the first override, 5 the second, 7 the third, each when it overrides;
    // otherwise the building material's finish.
    void getFinish(Finish& finish, uint32_t which) const override;
    // Kinds 0, 1 and 3: the composite of a composite roof, else the building material's fill.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    void getMaterial(Material& material) const override;
    uint32_t getStructureType() const override { return m_record.part().structureType; }
    void setStructureType(uint32_t type) override { m_record.part().structureType = type; }
    // 0 the kind-10, contour and both cut-fill pens; 1 contour; 5, 6, 8, 10, 11, 12 their own.
    void setPen(const Pen& pen, uint32_t which) override;
    // Kinds 0 and 3: a composite makes the roof composite. Any other pattern or kind changes
    // nothing.
    void setPattern(const Pattern& pattern, uint32_t kind) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    void setFinish(const Finish& finish, uint32_t which) override;

    // --- Geometry.
    // The outline's first vertex at the absolute elevation; the origin without an outline.
    void getReferencePoint(CadPoint& point) const override;
    double getElevation(bool absolute) const override {
        return storeyElevation(*this, m_record.part().elevation, absolute);
    }
    std::unique_ptr<CadPolygon> getOutline() const override { return outlineCopy(*this); }
    // Moves the outline to put its first vertex at the point, and takes the elevation from z.
    void setReferencePoint(const CadPoint& point) override;
    // Moves the outline in plan and the elevation by z; false when the outline cannot be read.
    bool moveBy(const CadPoint& offset) override;
    void setElevation(double value, bool absolute) override {
        m_record.part().elevation = relativeElevation(*this, value, absolute);
    }

    // --- Record and memo.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The outline, its edge arrays and edge values; null when the outline cannot be written.
    ElementMemoPtr buildMemo(uint64_t& mask) override { return buildOutline(mask); }
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }

    // --- Memo hooks.
    Element* getOwner() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(getMemoMask(), store); }
    PolygonCounts getPolygonHeader() const override { return polygonCountsOf(m_record.part()); }
    bool hasEdgeValues() const override { return true; }

    // --- The roof's own.
    virtual bool getCutFillPensFromRecord() const { return m_record.part().cutFillFlag != 0; }
    virtual bool getAuxiliaryFlag() const { return m_record.part().auxiliaryFlag != 0; }
    // All three flags of the side's triple (side 0 or 1; std::out_of_range past).
    virtual bool getSideFlags(size_t side) const { return allFlagsOf(sideFlagsOf(side)); }
    virtual bool getSideFlag2(size_t side) const { return flagOf(sideFlagsOf(side), 1); }
    virtual bool getSideFlag3(size_t side) const { return flagOf(sideFlagsOf(side), 2); }
    virtual uint32_t getShelterSetting() const { return m_record.part().shelterSetting; }
    virtual void setCutFillPensFromRecord(bool on) { m_record.part().cutFillFlag = on ? 1 : 0; }
    virtual void setAuxiliaryFlag(bool on) { m_record.part().auxiliaryFlag = on ? 1 : 0; }
    virtual void setSideFlags(size_t side, bool on) { setAllFlagsOf(sideFlagsOf(side), on); }
    virtual void setSideFlag2(size_t side, bool on) { setFlagOf(sideFlagsOf(side), 1, on); }
    virtual void setSideFlag3(size_t side, bool on) { setFlagOf(sideFlagsOf(side), 2, on); }
    virtual void setShelterSetting(uint32_t setting) { m_record.part().shelterSetting = setting; }
    virtual size_t getRoofCount() = 0;
    // Null past the count.
    virtual Roof* getRoof(size_t index) = 0;
    // Appends the skylights the host relates to the roof, on the roof's drawing; false when the
    // host cannot say.
    virtual bool getSkylights(ElementLinkList& links) const;
    virtual double getShelterValue() const { return m_record.part().shelterValue; }
    virtual void setShelterValue(double value) { m_record.part().shelterValue = value; }
    virtual double getBaseMeasure1() const { return getMeasureA(); }
    virtual double getBaseMeasure2() const { return getMeasureB(); }
    virtual double getBaseMeasure3() const { return getMeasureC(); }
    virtual double getShelterMeasure1() const {
        return quantity(offsetof(HostShelterQuantities, shelterMeasure1));
    }
    virtual double getShelterMeasure2() const {
        return quantity(offsetof(HostShelterQuantities, shelterMeasure2));
    }
    virtual double getShelterMeasure3() const {
        return quantity(offsetof(HostShelterQuantities, shelterMeasure3));
    }
    virtual double getShelterMeasure4() const { return shelterMeasure(4); }
    virtual double getShelterMeasure5() const { return shelterMeasure(5); }
    virtual double getShelterMeasure6() const { return shelterMeasure(6); }
    virtual double getShelterMeasure7() const { return shelterMeasure(7); }
    virtual double getShelterMeasure8() const { return shelterMeasure(8); }
    virtual double getShelterMeasure9() const { return shelterMeasure(9); }
    virtual double getShelterMeasure10() const { return shelterMeasure(10); }
    virtual double getShelterMeasure11() const { return shelterMeasure(11); }
    virtual double getShelterMeasure12() const { return shelterMeasure(12); }
    virtual double getSlopeAngle() = 0;
    const HostShelterElement& getShelterRecord() const { return m_record.part(); }
    HostShelterElement& getShelterRecord() { return m_record.part(); }

protected:
    // A new roof of the host's type on the current database, its record still empty.
    Shelter();
    Shelter(const ElementLink& link, const API_Element& record);

    double quantity(size_t offset) const { return quantityField(getLink(), offset); }
    // Measures 4 to 12, on consecutive fields.
    double shelterMeasure(size_t number) const;
    // The flag triple of side 0 or 1 (std::out_of_range past them): the first bytes of the
    // side's override record.
    FlagTriple& sideFlagsOf(size_t side) { return sideOf(m_record.part().sideOverrides, side).flags; }
    const FlagTriple& sideFlagsOf(size_t side) const {
        return sideOf(m_record.part().sideOverrides, side).flags;
    }

    ConstructionRecord<HostShelterElement> m_record;
};

} // namespace tarnwick
