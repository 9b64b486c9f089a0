// A host wall (type 1): typed accessors over a private copy of its record, the roof gables that
// cut it, the outline of a polygonal wall, its IFC data, where other walls meet it, its windows and
// doors, and its quantities, each asked of the host alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionProfile.h"
#include "construction/ConstructionRecord.h"
#include "elements/Element.h"
#include "elements/GableMemo.h"
#include "elements/IFCMemo.h"
#include "elements/PolygonMemo.h"
#include "geometry/PolyEdge.h"
#include "geometry/PolyPoint.h"
#include "platform/api/WallRecords.h"

namespace tarnwick {

class ElementLinkList;

class Wall : public Element,
             public GableMemo,
             public PolygonMemo,
             public IFCMemo,
             public ConstructionProfile {
public:
    static constexpr uint8_t TypeCode = HostWallTypeCode;
    static constexpr uint32_t Composite = 1;
    static constexpr uint32_t ComplexProfileStructure = 2;
    static constexpr uint32_t EndThickness = 1;
    static constexpr uint32_t Polygonal = 2;
    // Where a connection sits on a wall: its begin point, along it, its end point.
    static constexpr uint32_t AtBegin = 2;
    static constexpr uint32_t Along = 4;
    static constexpr uint32_t AtEnd = 8;

    // One connection of this wall to another element.
    class Relation {
    public:
        Relation(const ElementLink& other, uint32_t ownEnd, uint32_t othersEnd)
            : link(other), thisEnd(ownEnd), otherEnd(othersEnd) {}
        virtual ~Relation() = default;

        ElementLink link;
        uint32_t thisEnd;
        uint32_t otherEnd;
    };

    // The host's default wall.
    Wall();
    Wall(const ElementLink& link, const API_Element& record);
    // Copies the element, gables, IFC data, record and the outline (deep); relations are asked
    // again.
    Wall(const Wall& other);
    Wall& operator=(const Wall&) = delete;
    ~Wall() override;

    // The element's, not the memos'.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Wall>(*this); }
    // The kind code.
    uint32_t getClassValue() const override { return m_record.part().kindCode; }
    // With the storey-span flag set: the wall's top lies more than the tolerance above the
    // storey's level and its base more than the tolerance below the storey's top.
    bool isOnStorey(const Storey& storey, double tolerance = 0.0) const override;
    // Regular: the storey-span flag is clear.
    bool isEnabled() const override { return m_record.part().storeySpanFlag == 0; }

    // --- Measures: the host's wall quantities, one field each, 0.0 when it cannot say.
    double getMeasureA() const override { return quantity(offsetof(HostWallQuantities, measureA)); }
    double getMeasureB() const override { return quantity(offsetof(HostWallQuantities, measureB)); }
    double getMeasureC() const override { return quantity(offsetof(HostWallQuantities, measureC)); }
    double getMeasureD() override { return quantity(offsetof(HostWallQuantities, measureD)); }
    double getMeasureE() override { return quantity(offsetof(HostWallQuantities, measureE)); }
    double getMeasureF() override { return quantity(offsetof(HostWallQuantities, measureF)); }
    double getMeasureG() override { return quantity(offsetof(HostWallQuantities, measureG)); }
    // The holes of the outline; 0 without one.
    uint32_t getOutlineHoleCount() const override { return outlineHoleCount(*this); }
    double getMeasureH() const override { return quantity(offsetof(HostWallQuantities, measureH)); }
    double getMeasureI() const override { return quantity(offsetof(HostWallQuantities, measureI)); }
    // The plan perimeters of the outline's holes, summed; 0.0 without an outline.
    double getMeasureJ() const override { return holePerimeterSum(getOutline().get()); }

    // --- Attributes.
    // 0 and 1 the contour pen; 5; 10; 11 and 12 the cut-fill pens, the building material's unless
    // the cut-fill flag is set; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    // 0, 1 and 4 the first finish override, 2 the second, 3 the third, each only when it
    // overrides; otherwise the building material's finish.
    void getFinish(Finish& finish, uint32_t which) const override;
    // Kinds 0, 1 and 3: the composite of a composite wall, the building material's cut fill of a
    // basic one; null for index 0, a profiled wall and other kinds.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    // The complex profile of a profiled wall (structure type 2); empty otherwise.
    void getComplexProfile(ComplexProfile& profile) const override;
    // The building material of a basic wall; empty otherwise.
    void getMaterial(Material& material) const override;
    // A basic wall's first measure; else the base's.
    double getCompositeQuantity(uint16_t material) override;
    uint32_t getStructureType() const override { return m_record.part().structureType; }
    // 0 the kind-10, contour and both cut-fill pens; 1 contour; 5; 6 and 11 cut fill; 8 and 12
    // cut-fill background; 10. Other kinds write nothing.
    void setPen(const Pen& pen, uint32_t which) override;
    // A composite, of whatever kind, and the structure becomes composite; any other pattern is
    // not one a wall can take and changes nothing.
    void setPattern(const Pattern& pattern, uint32_t kind) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // Writes the override of the kind (as getFinish maps them), overriding.
    void setFinish(const Finish& finish, uint32_t which) override;
    void setComplexProfile(const ComplexProfile& profile) override;
    void setStructureType(uint32_t type) override { m_record.part().structureType = type; }

    // --- Geometry.
    // The begin point at the absolute elevation.
    void getReferencePoint(CadPoint& point) const override;
    // The base elevation, plus the home storey's level when absolute.
    double getElevation(bool absolute) const override;
    double getBoundsZSize() override { return m_record.part().height; }
    // The plan length of the reference line (an arc's when the arc angle is above 1e-5 in size).
    double getLength() override;
    // A copy of the outline, read from the host first when none is held; null without.
    std::unique_ptr<CadPolygon> getOutline() const override;
    // Moves the begin point in plan and takes the elevation from z (absolute).
    void setReferencePoint(const CadPoint& point) override;
    void setElevation(double value, bool absolute) override;

    // --- Record and memo.
    std::unique_ptr<API_Element> buildRecord() const override { return m_record.build(getLink()); }
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Gables, and a polygonal wall's outline; null when the outline cannot be written.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }

    // --- Memo hooks.
    Element* getOwner() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override;
    // This wall's outline counts, from its connection record.
    PolygonCounts getPolygonHeader() const override { return m_outlineCounts; }
    uint16_t getProfileSetting() const override { return m_record.part().profileSetting; }

    // --- The wall's own.
    virtual bool getCutFillPensFromRecord() const { return m_record.part().cutFillFlag != 0; }
    virtual bool getAuxiliaryFlag() const { return m_record.part().auxiliaryFlag != 0; }
    virtual void setCutFillPensFromRecord(bool on) { m_record.part().cutFillFlag = on ? 1 : 0; }
    virtual void setAuxiliaryFlag(bool on) { m_record.part().auxiliaryFlag = on ? 1 : 0; }
    // Stored as (v + 42) x 100; 0 when the stored value is below 1.
    virtual int16_t getScaledValue() const;
    virtual double getThickness() const { return m_record.part().thickness; }
    // The end thickness of a wall that has one, else the thickness.
    virtual double getEndThickness() const;
    // The end point at the absolute elevation, with the arc angle.
    virtual void getEndPoint(PolyPoint& point) const;
    // 0.0 for a straight wall; never negative.
    virtual double getArcRadius() const;
    virtual double getReferenceOffset() const { return m_record.part().referenceOffset; }
    virtual double getSideOffset() const { return m_record.part().referenceOffset; }
    virtual double getExtraLength() const { return m_record.part().extraLength; }
    virtual double getArcAngle() const { return m_record.part().arcAngle; }
    // The reference line moved sideways to the wall's centre: by half the thickness less the
    // reference offset, to the other side when the side flag is clear.
    virtual void getCenterLine(PolyEdge& edge) const;
    virtual uint32_t getGeometryKind() const { return m_record.part().geometryKind; }
    virtual uint32_t getReferenceLinePosition() const { return m_record.part().referenceLinePosition; }
    virtual uint32_t getWallValue1() const { return m_record.part().wallValue1; }
    virtual uint32_t getWallValue2() const { return m_record.part().wallValue2; }
    // The links of the wall's windows (doors), appended in the host's order; the count appended.
    virtual size_t getWindowLinks(ElementLinkList& links) const;
    virtual size_t getWindowCount() const;
    virtual size_t getDoorLinks(ElementLinkList& links) const;
    virtual size_t getDoorCount() const;
    // The plan direction from the begin to the end point, in [0, 2 pi).
    virtual double getAngle() const;
    virtual double getBaseMeasure1() const { return getMeasureA(); }
    virtual double getBaseMeasure2() const { return getMeasureB(); }
    virtual double getBaseMeasure3() const { return getMeasureC(); }
    // The host's own wall quantities.
    virtual double getWallQuantity1() const { return wallQuantity(0); }
    virtual double getWallQuantity2() const { return wallQuantity(1); }
    virtual double getWallQuantity3() const { return wallQuantity(2); }
    virtual double getWallQuantity4() const { return wallQuantity(3); }
    virtual double getWallQuantity5() const { return wallQuantity(4); }
    virtual double getWallQuantity6() const { return wallQuantity(5); }
    virtual double getWallQuantity7() const { return wallQuantity(6); }
    virtual double getWallQuantity8() const { return wallQuantity(7); }
    virtual double getWallQuantity9() const { return wallQuantity(8); }
    virtual double getWallValue3() const { return m_record.part().wallValue3; }
    virtual double getWallValue4() const { return m_record.part().wallValue4; }
    virtual void setReferenceLinePosition(uint32_t position) {
        m_record.part().referenceLinePosition = position;
    }
    virtual void setThickness(double thickness) { m_record.part().thickness = thickness; }
    virtual void setEndThickness(double thickness) { m_record.part().endThickness = thickness; }
    // Moves the end point in plan and takes the elevation from z (absolute).
    virtual void setEndPoint(const CadPoint& point);
    // Extends the reference line's end (begin) to the point and writes it back.
    virtual void extendTo(const CadPoint& point, bool lengthenOnly);
    virtual void extendReversedTo(const CadPoint& point, bool lengthenOnly);
    virtual void setArcAngle(double angle) { m_record.part().arcAngle = angle; }
    virtual void setHeight(double height) { m_record.part().height = height; }
    // Turns the reference line about its begin point, keeping its length.
    virtual void setAngle(double angle);
    // Moves every window and door of the wall along it by the distance and saves each. Elements
    // that are not windows or doors are passed over; false when one was, or a save failed, or the
    // wall has no drawing.
    virtual bool moveOpenings(double distance);
    virtual void setExtraLength(double length) { m_record.part().extraLength = length; }
    virtual void setScaledValue(int16_t value);
    // The host's default wall: head and part, relations dropped, the head's memo byte set. False
    // when the host refuses.
    virtual bool resetToDefaults();
    const HostWallElement& getWallRecord() const { return m_record.part(); }
    HostWallElement& getWallRecord() { return m_record.part(); }

    // Where other walls meet this one, asked of the host on first use; none (asked again next
    // time) when the host reports no connection or cannot say.
    size_t getRelationCount();
    // Null when there are none; std::out_of_range at or past the count.
    const Relation* getRelation(size_t index);

private:
    bool isPolygonal() const { return getGeometryKind() == Polygonal; }
    bool fillRelations();
    // Reads the outline from the wall's connection record; false when the host cannot say.
    bool readOutlineFromHost();
    // The guid list of a memo part, as links on the wall's drawing.
    size_t appendGuidList(uint64_t part, ElementLinkList& links) const;
    PolyEdge referenceLine() const;
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }
    double wallQuantity(size_t index) const {
        return quantity(offsetof(HostWallQuantities, wallQuantity) + index * sizeof(double));
    }
    // Writes an extended reference line back: its ends, its arc angle, and its height as the
    // elevation.
    void takeReferenceLine(PolyEdge edge);

    ConstructionRecord<HostWallElement> m_record;
    std::unique_ptr<std::vector<Relation>> m_relations;
    PolygonCounts m_outlineCounts;
};

// The factory's creator of walls; null for a record of another type.
std::unique_ptr<Element> createWall(const API_Element& record, ElementLink& link);

} // namespace tarnwick
