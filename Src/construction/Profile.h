// The host's body elements of one type (43) told apart by a sub-kind: extrusions, sweeps and
// morphs. Typed accessors over a private copy of the record, the quantities each asked of the host
// alone, and the profile polygon the module sets itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "construction/ProfileMemo.h"
#include "elements/Element.h"
#include "platform/api/ProfileRecords.h"

namespace tarnwick {

class Profile : public Element, public ProfileMemo {
public:
    static constexpr uint8_t TypeCode = HostProfileTypeCode;

    Profile(const Profile& other);
    Profile& operator=(const Profile&) = delete;
    ~Profile() override;

    // The element's, not the memo's.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    uint32_t getSubKind() const { return m_record.part().subKind; }

    // --- Measures: the host's body quantities, one field each, 0.0 when it cannot say.
    double getMeasureA() const override { return quantity(offsetof(HostProfileQuantities, measure1)); }
    double getMeasureB() const override { return quantity(offsetof(HostProfileQuantities, measure2)); }
    double getMeasureC() const override { return quantity(offsetof(HostProfileQuantities, measure3)); }
    // Measures A + B + C.
    double getSurfaceArea() override { return getMeasureB() + getMeasureA() + getMeasureC(); }
    double getMeasureD() override { return quantity(offsetof(HostProfileQuantities, measure5)); }
    double getMeasureE() override { return quantity(offsetof(HostProfileQuantities, measure6)); }
    // The one 32-bit field of the quantities.
    uint32_t getOutlineHoleCount() const override {
        return static_cast<uint32_t>(
            wholeQuantityField(getLink(), offsetof(HostProfileQuantities, measure9)));
    }
    double getMeasureH() const override { return quantity(offsetof(HostProfileQuantities, measure10)); }
    // Measure E less measure D.
    double getMeasureI() const override {
        return quantity(offsetof(HostProfileQuantities, measure6)) -
               quantity(offsetof(HostProfileQuantities, measure5));
    }
    double getMeasureJ() const override { return quantity(offsetof(HostProfileQuantities, measure12)); }
    double getOutlineMeasure() const override { return quantity(offsetof(HostProfileQuantities, perimeter)); }
    double getOutlineArea() const override { return quantity(offsetof(HostProfileQuantities, area)); }

    // --- Attributes.
    // 0 and 1 the contour pen; 6, 8, 10; 11 and 12 the cut-fill pens, the building material's
    // unless the cut-fill flag is set; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    // 0 and 1 the contour line type, 3 its own; others empty.
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    // 0, 1 and 6 the first override, 5 the second, 7 the third, each only when it overrides;
    // otherwise the building material's finish.
    void getFinish(Finish& finish, uint32_t which) const override;
    // Kinds 0, 1 and 3: the building material's cut fill; null otherwise or for index 0.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    // 0 every pen (8, 6, 10, contour, cut-fill background and cut fill); 1 contour; 6, 8, 10, 11,
    // 12 that kind's. Other kinds write nothing.
    void setPen(const Pen& pen, uint32_t which) override;
    // 0 both line types, 1 the contour's, 3 its own.
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // Writes the override getFinish reads for the kind: the finish's index, overriding when its
    // third byte is set.
    void setFinish(const Finish& finish, uint32_t which) override;

    // --- Geometry: from the element's 3D model, which the host builds.
    // The first corner of the 3D model's bounds; the origin without a model.
    void getReferencePoint(CadPoint& point) const override;
    // The reference point's z, plus the home storey's level when absolute.
    double getElevation(bool absolute) const override;

    // --- Record and memo.
    std::unique_ptr<API_Element> buildRecord() const override { return m_record.build(getLink()); }
    // Every part when the profile is not loaded or not valid; the memo reads nothing of it.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // An empty block with mask 0, so that saving changes none of the parts the host holds; null
    // for an invalid profile.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }

    // --- Memo hooks.
    Element* getOwner() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override;

    // --- The body's own. Side 0 or 1; std::out_of_range past them.
    // All three flags of the side set.
    virtual bool getSideFlags(size_t side) const { return allFlagsOf(sideFlagsOf(side)); }
    virtual bool getSideFlag2(size_t side) const { return flagOf(sideFlagsOf(side), 1); }
    virtual bool getSideFlag3(size_t side) const { return flagOf(sideFlagsOf(side), 2); }
    virtual void setSideFlags(size_t side, bool on) { setAllFlagsOf(sideFlagsOf(side), on); }
    virtual void setSideFlag2(size_t side, bool on) { setFlagOf(sideFlagsOf(side), 1, on); }
    virtual void setSideFlag3(size_t side, bool on) { setFlagOf(sideFlagsOf(side), 2, on); }
    // The host's default of the kind: head and part, the head's memo byte set. False when the host
    // refuses; the sub-kind stays the kind's either way.
    virtual bool resetToDefaults();
    const HostProfileElement& getProfileRecord() const { return m_record.part(); }
    HostProfileElement& getProfileRecord() { return m_record.part(); }

protected:
    // A new body of the sub-kind on the host's defaults.
    explicit Profile(uint32_t subKind);
    Profile(const API_Element& record, const ElementLink& link);

private:
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }
    // The flag triple of side 0 or 1; std::out_of_range past them.
    FlagTriple& sideFlagsOf(size_t side) { return sideOf(m_record.part().sideFlags, side); }
    const FlagTriple& sideFlagsOf(size_t side) const { return sideOf(m_record.part().sideFlags, side); }

    ConstructionRecord<HostProfileElement> m_record;
};

class Extrusion : public Profile {
public:
    static constexpr uint32_t SubKind = HostExtrusionSubKind;
    Extrusion() : Profile(SubKind) {}
    Extrusion(const API_Element& record, const ElementLink& link) : Profile(record, link) {}
    std::unique_ptr<Element> clone() const override { return std::make_unique<Extrusion>(*this); }
};

class Sweep : public Profile {
public:
    static constexpr uint32_t SubKind = HostSweepSubKind;
    Sweep() : Profile(SubKind) {}
    Sweep(const API_Element& record, const ElementLink& link) : Profile(record, link) {}
    std::unique_ptr<Element> clone() const override { return std::make_unique<Sweep>(*this); }
};

class Morph : public Profile {
public:
    static constexpr uint32_t SubKind = HostMorphSubKind;
    Morph() : Profile(SubKind) {}
    Morph(const API_Element& record, const ElementLink& link) : Profile(record, link) {}
    std::unique_ptr<Element> clone() const override { return std::make_unique<Morph>(*this); }
};

// The factory's creators, one per kind: null for a record of another type or sub-kind.
std::unique_ptr<Element> createExtrusion(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createSweep(const API_Element& record, ElementLink& link);
std::unique_ptr<Element> createMorph(const API_Element& record, ElementLink& link);

} // namespace tarnwick
