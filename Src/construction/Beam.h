// A host beam (type 3): typed accessors over a private copy of its record, the roof gables that
// cut it, its IFC data, its slope, and its quantities, each asked of the host alone. A beam has no
// outline.
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
#include "geometry/PolyEdge.h"
#include "geometry/PolyPoint.h"
#include "platform/api/BeamColumnRecords.h"

namespace tarnwick {

class Beam : public Element, public GableMemo, public IFCMemo, public ConstructionProfile {
public:
    static constexpr uint8_t TypeCode = HostBeamTypeCode;

    // The host's default beam.
    Beam();
    Beam(const ElementLink& link, const API_Element& record);
    Beam(const Beam& other) = default;
    Beam& operator=(const Beam&) = delete;
    ~Beam() override = default;

    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Beam>(*this); }

    // --- Measures: the host's beam quantities, one field each, 0.0 when it cannot say. A beam has
    // no outline, so no holes.
    double getMeasureA() const override { return quantity(offsetof(HostBeamQuantities, measureA)); }
    double getMeasureB() const override { return quantity(offsetof(HostBeamQuantities, measureB)); }
    double getMeasureC() const override { return quantity(offsetof(HostBeamQuantities, measureC)); }
    double getMeasureD() override { return quantity(offsetof(HostBeamQuantities, measureD)); }
    double getMeasureH() const override { return quantity(offsetof(HostBeamQuantities, measureH)); }
    double getMeasureI() const override { return quantity(offsetof(HostBeamQuantities, measureI)); }

    // --- Attributes.
    // 0 and 1 the contour pen, 2, 4, 10; 11 and 12 the cut-fill pens, the building material's
    // unless the cut-fill flag is set; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    // Kinds below 2 the line type, the others the second line type.
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    // The kind's override when it overrides, else the building material's finish.
    void getFinish(Finish& finish, uint32_t which) const override;
    // Kinds 0, 1 and 3: the building material's cut fill; null for index 0 and other kinds.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    void getComplexProfile(ComplexProfile& profile) const override;
    // The building material of a basic beam; empty otherwise.
    void getMaterial(Material& material) const override;
    // The material's quantity over the second size; 0.0 when that size is within 1e-5 of 0.
    double getCompositeQuantity(uint16_t material) override;
    uint32_t getStructureType() const override { return m_record.part().structureType; }
    // 0 the kind-10, contour, both cut-fill and kind-2 pens; 1 contour; 2; 4; 6 and 11 cut fill; 8
    // and 12 cut-fill background; 10.
    void setPen(const Pen& pen, uint32_t which) override;
    // Negative kinds nothing; below 2 the line type; 2 the second line type; others nothing.
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // 0 and 1 all five overrides; 2 the first, 3 the third, 5 the fifth, 6 the second, 7 the
    // fourth.
    void setFinish(const Finish& finish, uint32_t which) override;
    void setComplexProfile(const ComplexProfile& profile) override;

    // --- Geometry.
    // The begin point at the absolute elevation.
    void getReferencePoint(CadPoint& point) const override;
    double getElevation(bool absolute) const override;
    double getBoundsZSize() override { return m_record.part().height; }
    // The plan length of the axis.
    double getLength() override { return getReferenceLine().getPlanLength(); }
    std::unique_ptr<CadPolygon> getOutline() const override { return nullptr; }
    // Moves the begin point in plan and takes the elevation from z (absolute).
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

    // --- The beam's own.
    virtual double getSecondSize() const { return m_record.part().secondSize; }
    // The end point at the absolute elevation with the arc angle; a sloped beam's is raised by its
    // plan length times the tangent of the slope.
    virtual void getEndPoint(PolyPoint& point) const;
    // From the begin point to the end point.
    virtual PolyEdge getReferenceLine() const;
    virtual double getBeamQuantity1() const { return beamQuantity(0); }
    virtual double getBeamQuantity2() const { return beamQuantity(1); }
    virtual double getBeamQuantity3() const { return beamQuantity(2); }
    virtual double getBeamQuantity4() const { return beamQuantity(3); }
    virtual double getBeamQuantity5() const { return beamQuantity(4); }
    virtual double getBeamQuantity6() const { return beamQuantity(5); }
    virtual void setSecondSize(double size) { m_record.part().secondSize = size; }
    // Moves the end point in plan and takes the elevation from z (absolute).
    virtual void setEndPoint(const CadPoint& point);
    virtual void setHeight(double height) { m_record.part().height = height; }
    // The host's default beam: head and part, the head's memo byte set. False when the host
    // refuses.
    virtual bool resetToDefaults() { return m_record.resetToDefaults(*this); }
    const HostBeamElement& getBeamRecord() const { return m_record.part(); }
    HostBeamElement& getBeamRecord() { return m_record.part(); }

private:
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }
    double beamQuantity(size_t index) const {
        return quantity(offsetof(HostBeamQuantities, beamQuantity) + index * sizeof(double));
    }

    ConstructionRecord<HostBeamElement> m_record;
};

// The factory's creator of beams; null for a record of another type.
std::unique_ptr<Element> createBeam(const API_Element& record, ElementLink& link);

} // namespace tarnwick
