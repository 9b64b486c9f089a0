// A host slab (type 8): typed accessors over a private copy of its record, its outline with the
// per-edge data the host keeps beside it, its IFC data and its quantities, each asked of the host
// alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/BorderedPolygonMemo.h"
#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "elements/Element.h"
#include "elements/IFCMemo.h"
#include "geometry/Vector3.h"
#include "platform/api/SlabRecords.h"

namespace tarnwick {

class Slab : public Element, public BorderedPolygonMemo, public IFCMemo {
public:
    static constexpr uint8_t TypeCode = HostSlabTypeCode;
    static constexpr uint32_t Composite = 1;

    // The host's default slab, on the current database.
    Slab();
    Slab(const ElementLink& link, const API_Element& record);
    // Copies the element, the outline (deep), the IFC data and the record.
    Slab(const Slab& other);
    Slab& operator=(const Slab&) = delete;
    ~Slab() override;

    // The element's, not the memos'.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Slab>(*this); }

    // --- Measures: the host's slab quantities, one field each, 0.0 when it cannot say.
    double getMeasureA() const override { return getSlabMeasure1(); }
    double getMeasureB() const override { return getSlabMeasure2(); }
    double getMeasureC() const override { return getSlabMeasure3(); }
    double getMeasureD() override { return quantity(offsetof(HostSlabQuantities, measure5)); }
    double getMeasureE() override { return quantity(offsetof(HostSlabQuantities, measure6)); }
    // The outline's holes; 0 without an outline.
    uint32_t getOutlineHoleCount() const override { return outlineHoleCount(*this); }
    double getMeasureH() const override { return quantity(offsetof(HostSlabQuantities, measure10)); }
    double getMeasureJ() const override { return quantity(offsetof(HostSlabQuantities, measure12)); }
    double getOutlineMeasure() const override { return quantity(offsetof(HostSlabQuantities, perimeter)); }

    // --- Attributes.
    // 0 and 1; 6; 8; 10; 11 and 12 the cut-fill pens: the slab's own when its flag is set, else the
    // building material's, or for a composite slab its first core's material's (none without a
    // core). Other kinds empty.
    void getPen(Pen& pen, uint32_t which) const override;
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    // Kinds 0, 1 and 6 the first override, 5 the second, 7 the third, each when it overrides;
    // otherwise a composite's first core's surface (kinds 0, 1, 6), last core's (7) or none (5),
    // and a basic slab's building material's.
    void getFinish(Finish& finish, uint32_t which) const override;
    // Kinds 0, 1 and 3: the composite of a composite slab, else the building material's fill; 2:
    // the slab's own fill; null for index 0 and other kinds.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    // The building material of a basic slab; empty otherwise.
    void getMaterial(Material& material) const override;
    // A basic slab's material quantity per thickness (0.0 for a thickness up to 1e-5); else the
    // base's.
    double getCompositeQuantity(uint16_t material) override;
    uint32_t getStructureType() const override { return m_record.part().structureType; }
    void setStructureType(uint32_t type) override { m_record.part().structureType = type; }
    // 0 the kind-10, contour and both cut-fill pens; 1 contour; 6, 8, 10, 11, 12 their own.
    void setPen(const Pen& pen, uint32_t which) override;
    // Kind 2: the slab's own fill; kinds 0 and 3: a composite, which makes the slab composite. An
    // index below 1, another pattern or another kind changes nothing.
    void setPattern(const Pattern& pattern, uint32_t kind) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // Writes the override of the kind (as getFinish maps them), overriding.
    void setFinish(const Finish& finish, uint32_t which) override;

    // --- Geometry.
    // The outline's first vertex at the absolute elevation; the origin without an outline.
    void getReferencePoint(CadPoint& point) const override;
    double getElevation(bool absolute) const override;
    double getLength() override { return getOutlineMeasure(); }
    // A copy of the outline, read from the host first when none is held; null without.
    std::unique_ptr<CadPolygon> getOutline() const override { return outlineCopy(*this); }
    // Moves the outline to put its first vertex at the point, and takes the elevation from z.
    void setReferencePoint(const CadPoint& point) override;
    // Moves the outline in plan and the elevation by z; false when the outline cannot be read.
    bool moveBy(const CadPoint& offset) override;
    // The level of the slab's reference (its top, or by the reference kind a core face or its
    // bottom) stored as the elevation of its top.
    void setElevation(double value, bool absolute) override;

    // --- Record and memo.
    std::unique_ptr<API_Element> buildRecord() const override;
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The outline and its edge arrays; null when the outline cannot be written.
    ElementMemoPtr buildMemo(uint64_t& mask) override { return buildOutline(mask); }
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }

    // --- Memo hooks.
    Element* getOwner() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(getMemoMask(), store); }
    PolygonCounts getPolygonHeader() const override { return polygonCountsOf(m_record.part()); }
    bool hasEdgeValues() const override { return false; }

    // --- The slab's own.
    virtual bool getCutFillPensFromRecord() const { return m_record.part().cutFillFlag != 0; }
    virtual bool getAuxiliaryFlag() const { return m_record.part().auxiliaryFlag != 0; }
    // All three flags of the side (0 or 1; std::out_of_range past).
    virtual bool getSideFlags(size_t side) const { return allFlagsOf(sideFlagsOf(side)); }
    virtual bool getSideFlag2(size_t side) const { return flagOf(sideFlagsOf(side), 1); }
    virtual bool getSideFlag3(size_t side) const { return flagOf(sideFlagsOf(side), 2); }
    // The link value; when it is not 0 the value it hands out goes to out.
    virtual uint64_t getLinkedValue(uint32_t& out) const;
    virtual void setCutFillPensFromRecord(bool on) { m_record.part().cutFillFlag = on ? 1 : 0; }
    virtual void setAuxiliaryFlag(bool on) { m_record.part().auxiliaryFlag = on ? 1 : 0; }
    virtual void setSideFlags(size_t side, bool on) { setAllFlagsOf(sideFlagsOf(side), on); }
    virtual void setSideFlag2(size_t side, bool on) { setFlagOf(sideFlagsOf(side), 1, on); }
    virtual void setSideFlag3(size_t side, bool on) { setFlagOf(sideFlagsOf(side), 2, on); }
    // The linked plan point when there is a link value, else the origin.
    virtual CadPoint getLinkedPoint() const;
    virtual Vector3 getFirstVector() const;
    virtual Vector3 getSecondVector() const;
    virtual uint32_t getReferenceKind() const { return m_record.part().referenceKind; }
    virtual double getSlabMeasure1() const { return quantity(offsetof(HostSlabQuantities, slabMeasure1)); }
    virtual double getSlabMeasure2() const { return quantity(offsetof(HostSlabQuantities, slabMeasure2)); }
    virtual double getSlabMeasure3() const { return quantity(offsetof(HostSlabQuantities, slabMeasure3)); }
    virtual double getSlabMeasure4() const { return quantity(offsetof(HostSlabQuantities, slabMeasure4)); }
    virtual double getSlabMeasure5() const { return quantity(offsetof(HostSlabQuantities, slabMeasure5)); }
    virtual double getSlabMeasure6() const { return quantity(offsetof(HostSlabQuantities, slabMeasure6)); }
    virtual void setReferenceKind(uint32_t kind) { m_record.part().referenceKind = kind; }
    virtual double getThickness() const { return m_record.part().thickness; }
    virtual double getSlabValue() const { return m_record.part().slabValue; }
    virtual void setThickness(double thickness) { m_record.part().thickness = thickness; }
    // The host's default slab: head and part, the head's memo byte set. False when the host
    // refuses.
    virtual bool resetToDefaults() { return m_record.resetToDefaults(*this); }
    const HostSlabElement& getSlabRecord() const { return m_record.part(); }
    HostSlabElement& getSlabRecord() { return m_record.part(); }

private:
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }
    // The flag triple of side 0 or 1; std::out_of_range past them.
    FlagTriple& sideFlagsOf(size_t side) { return sideOf(m_record.part().sideFlags, side); }
    const FlagTriple& sideFlagsOf(size_t side) const { return sideOf(m_record.part().sideFlags, side); }

    ConstructionRecord<HostSlabElement> m_record;
};

// The factory's creator of slabs; null for a record of another type.
std::unique_ptr<Element> createSlab(const API_Element& record, ElementLink& link);

} // namespace tarnwick
