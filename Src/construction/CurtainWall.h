// A host curtain wall (type 37): typed accessors over a private copy of its record, its base
// outline, its IFC data, its quantities (each asked of the host alone), and its five part lists
// (segments, frames, panels, junctions, accessories), each read from the memo's block of part
// records. Writing its memo back writes the outline, the segments and the frames only.
#pragma once

#include <cstdint>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "construction/CurtainWallPartMemo.h"
#include "construction/CurtainWallParts.h"
#include "construction/CurtainWallSegment.h"
#include "elements/Element.h"
#include "elements/IFCMemo.h"
#include "elements/PolygonMemo.h"
#include "platform/api/CurtainWallRecords.h"

namespace tarnwick {

using SegmentMemo = CurtainWallPartMemo<CurtainWallSegment, MemoCurtainWallSegments>;
using PanelMemo = CurtainWallPartMemo<CurtainWallPanel, MemoCurtainWallPanels>;
using JunctionMemo = CurtainWallPartMemo<CurtainWallJunction, MemoCurtainWallJunctions>;
using AccessoryMemo = CurtainWallPartMemo<CurtainWallAccessory, MemoCurtainWallAccessories>;

class CurtainWall : public Element,
                    public AccessoryMemo,
                    public FrameMemo,
                    public JunctionMemo,
                    public PanelMemo,
                    public PolygonMemo,
                    public SegmentMemo,
                    public IFCMemo {
public:
    static constexpr uint8_t TypeCode = HostCurtainWallTypeCode;

    // The host's default curtain wall on the current database; with an outline, the outline (its
    // second flag set).
    explicit CurtainWall(std::unique_ptr<CadPolygon> outline = nullptr);
    CurtainWall(const API_Element& record, const ElementLink& link) : Element(link), m_record(record) {}
    // Every part cloned, the outline, IFC data and record copied.
    CurtainWall(const CurtainWall& other) = default;
    CurtainWall& operator=(const CurtainWall&) = delete;
    ~CurtainWall() override = default;

    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<CurtainWall>(*this); }
    // Regular: the flag is 0.
    bool isEnabled() const override { return m_record.part().regularFlag == 0; }

    // --- Measures: the host's curtain-wall quantities, one field each, 0.0 when it cannot say.
    double getMeasureC() const override { return quantity(offsetof(HostCurtainWallQuantities, measure3)); }
    double getSurfaceArea() override { return quantity(offsetof(HostCurtainWallQuantities, measure4)); }
    double getBoundsZSize() override { return quantity(offsetof(HostCurtainWallQuantities, height)); }
    double getLength() override { return quantity(offsetof(HostCurtainWallQuantities, length)); }

    // --- Attributes.
    // 0 and 1 the contour pen; 6 and 8 theirs, only while the pen flag is set; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    // 0 and 1 the line type; others empty.
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    std::unique_ptr<Pattern> getPattern(uint32_t) const override { return nullptr; }
    // 0 the kind-6 and kind-8 pens (not the contour pen); 1 the contour pen; 6; 8.
    void setPen(const Pen& pen, uint32_t which) override;
    void setPattern(const Pattern&, uint32_t) override {}
    void setLineStyle(const LineStyle& style, uint32_t which) override;

    // --- Geometry.
    // The begin point, z 0.
    void getReferencePoint(CadPoint& point) const override { point = linePoint(m_record.part().begin); }
    // A copy of the outline (loaded first); null without one.
    std::unique_ptr<CadPolygon> getOutline() const override { return outlineCopy(*this); }

    // --- Record and memo.
    // The record, with the held outline's counts.
    std::unique_ptr<API_Element> buildRecord() const override;
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The outline, then the segments, then the frames; null when one cannot be written. Panels,
    // junctions and accessories are never written here.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }

    // --- Memo hooks.
    Element* getOwner() const override { return memoOwner(this); }
    Element* getOwnerElement() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(MemoPolygon, store); }
    // The outline's counts, from the record.
    PolygonCounts getPolygonHeader() const override { return polygonCountsOf(m_record.part()); }
    void setPolygon(std::unique_ptr<CadPolygon> polygon) override;

    // --- The curtain wall's own.
    virtual double getBaseMeasure3() const { return getMeasureC(); }
    virtual double getCurtainWallMeasure1() const { return curtainWallMeasure(0); }
    virtual double getCurtainWallMeasure2() const { return curtainWallMeasure(1); }
    virtual double getCurtainWallMeasure3() const { return curtainWallMeasure(2); }
    virtual double getCurtainWallMeasure4() const { return curtainWallMeasure(3); }
    virtual double getCurtainWallMeasure5() const { return curtainWallMeasure(4); }
    virtual double getCurtainWallMeasure6() const { return curtainWallMeasure(5); }
    virtual double getCurtainWallMeasure7() const { return curtainWallMeasure(6); }
    virtual double getCurtainWallMeasure8() const { return curtainWallMeasure(7); }
    virtual double getCurtainWallValue1() const { return m_record.part().value1; }
    // The end point, z 0, with the arc angle and id 0.
    virtual PolyPoint getEndVertex() const {
        return PolyPoint(linePoint(m_record.part().end), getArcAngle());
    }
    virtual double getCurtainWallValue2() const { return 0.0; }
    virtual double getArcAngle() const { return 0.0; }
    virtual PolyEdge getReferenceLine() const { return referenceLineOf(*this, getEndVertex()); }
    virtual uint32_t getCurtainWallSetting() const { return m_record.part().setting; }
    // The host's default curtain wall, the head's memo byte set; false when the host refuses.
    virtual bool resetToDefaults() { return m_record.resetToDefaults(*this); }

    const HostCurtainWallElement& getCurtainWallRecord() const { return m_record.part(); }
    HostCurtainWallElement& getCurtainWallRecord() { return m_record.part(); }

private:
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }
    double curtainWallMeasure(size_t index) const {
        return quantity(offsetof(HostCurtainWallQuantities, curtainWallMeasure) + index * sizeof(double));
    }

    ConstructionRecord<HostCurtainWallElement> m_record;
};

std::unique_ptr<Element> createCurtainWall(const API_Element& record, ElementLink& link);

} // namespace tarnwick
