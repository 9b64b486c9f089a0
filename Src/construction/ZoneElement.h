// A host zone (type 17): a placed zone stamp (a library part of kind 6 with its parameters and
// gables) with an outline, a name and number, a zone category, a top storey, and its area and
// volume quantities, each asked of the host alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "elements/IFCMemo.h"
#include "elements/PolygonMemo.h"
#include "library/ComponentElem.h"
#include "platform/api/LibraryRecords.h"
#include "platform/api/ZoneRecords.h"
#include "project/ZoneCategory.h"

namespace tarnwick {

class ZoneElement : public ComponentElem, public PolygonMemo, public IFCMemo {
public:
    static constexpr uint8_t TypeCode = HostZoneTypeCode;
    static constexpr uint32_t ComponentKind = LibPartZone;

    // A new zone of the stamp, on the host's default settings; the stamp's index is kept.
    explicit ZoneElement(const ComponentLink& stamp);
    // A new zone of the category, with its stamp.
    explicit ZoneElement(const ZoneCategory& category);
    ZoneElement(const ElementLink& link, const ComponentLink& stamp);
    // A zone as the host keeps it: the stamp is the record's own, else its category's.
    ZoneElement(const API_Element& record, const ElementLink& link);
    // The host's default zone with its memo (outline, gables, parameters), or a zeroed record.
    explicit ZoneElement(bool withDefaults);
    ZoneElement(const ZoneElement& other);
    ZoneElement& operator=(const ZoneElement&) = delete;
    ~ZoneElement() override;

    using ComponentElem::mergeChanges;
    using Element::getOwner;
    using Element::isValid;
    using IFCMemo::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<ZoneElement>(*this); }

    // --- Measures: the host's zone quantities, one field each, 0.0 (0) when it cannot say.
    double getMeasureA() const override { return quantity(offsetof(HostZoneQuantities, measure1)); }
    double getMeasureD() override { return quantity(offsetof(HostZoneQuantities, measure5)); }
    double getMeasureJ() const override { return quantity(offsetof(HostZoneQuantities, measure12)); }
    // The holes of the outline; 0 without one.
    uint32_t getOutlineHoleCount() const override { return outlineHoleCount(*this); }
    // The areas of the outline's holes, summed; 0.0 without.
    double getMeasureH() const override { return holeAreaSum(getOutline().get()); }
    double getBoundsZSize() override { return getHeight(); }

    // --- Attributes. Pens: 0 and 1 the contour pen, 2, 6 and 8 their own; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    // 0 the contour, kind-6, kind-2 and kind-8 pens; 1 the contour; 2, 6 and 8 their own.
    void setPen(const Pen& pen, uint32_t which) override;
    // Kinds 0 and 1: the surface; others empty (get) or nothing (set).
    void getFinish(Finish& finish, uint32_t which) const override;
    void setFinish(const Finish& finish, uint32_t which) override;

    // --- Geometry.
    // The outline's first vertex at the absolute elevation; without an outline, the second stamp
    // point.
    void getReferencePoint(CadPoint& point) const override;
    // Moves the outline by the point less the reference point, and takes the elevation from z
    // (absolute).
    void setReferencePoint(const CadPoint& point) override;
    double getElevation(bool absolute) const override {
        return storeyElevation(*this, m_record.part().elevation, absolute);
    }
    void setElevation(double value, bool absolute) override {
        m_record.part().elevation = relativeElevation(*this, value, absolute);
    }
    // A copy of the outline, loaded first; null without one.
    std::unique_ptr<CadPolygon> getOutline() const override { return outlineCopy(*this); }

    // --- Record and memo.
    // The outline's counts go with it when the outline is held; otherwise the record's stay.
    std::unique_ptr<API_Element> buildRecord() const override;
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The stamp's gables and parameters first (nothing more when they cannot be built), then the
    // outline; null when either fails.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }
    // The stamp's index goes into the record as well; the part is taken as a zone part.
    void setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) override;

    // --- Memo hooks: the memos that are not loaded (or not valid) are fetched together.
    Element* getOwner() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override;
    PolygonCounts getPolygonHeader() const override { return polygonCountsOf(m_record.part()); }

    // --- The zone's own.
    virtual bool getZoneFlag1() const { return m_record.part().zoneFlag1 != 0; }
    virtual bool getZoneFlag3() const { return m_record.part().zoneFlag3 != 0; }
    virtual void setZoneFlag1(bool on) { m_record.part().zoneFlag1 = on ? 1 : 0; }
    virtual void setZoneFlag2(bool on) { m_record.part().zoneFlag2 = on ? 1 : 0; }
    virtual void setZoneFlag3(bool on) { m_record.part().zoneFlag3 = on ? 1 : 0; }
    // The category of the record's index (an empty record when the project has none there).
    virtual ZoneCategory getZoneCategory() const;
    // Loads the parameters first, then takes the category's index and its stamp.
    virtual void setZoneCategory(const ZoneCategory& category);
    virtual double getZoneMeasure1() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure1)); }
    virtual double getZoneMeasure2() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure2)); }
    virtual int32_t getZoneMeasure3() const {
        return wholeQuantityField(getLink(), offsetof(HostZoneQuantities, zoneMeasure3));
    }
    virtual int32_t getZoneMeasure4() const {
        return wholeQuantityField(getLink(), offsetof(HostZoneQuantities, zoneMeasure4));
    }
    virtual double getZoneMeasure5() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure5)); }
    virtual double getZoneMeasure6() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure6)); }
    virtual double getZoneMeasure7() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure7)); }
    virtual double getZoneMeasure8() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure8)); }
    virtual double getZoneMeasure9() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure9)); }
    virtual double getZoneMeasure10() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure10)); }
    virtual double getZoneMeasure11() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure11)); }
    virtual double getZoneMeasure12() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure12)); }
    virtual double getZoneMeasure13() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure13)); }
    virtual double getZoneMeasure14() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure14)); }
    virtual double getZoneMeasure15() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure15)); }
    virtual double getZoneMeasure16() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure16)); }
    virtual double getZoneMeasure17() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure17)); }
    virtual double getZoneMeasure18() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure18)); }
    virtual double getZoneMeasure19() const { return quantity(offsetof(HostZoneQuantities, zoneMeasure19)); }
    virtual double getZoneValue1() const { return m_record.part().zoneValue1; }
    virtual double getZoneValue2() const { return m_record.part().zoneValue2; }
    virtual double getHeight() const { return m_record.part().height; }
    // The stamp points at the zone's absolute elevation.
    virtual CadPoint getFirstStampPoint() const;
    virtual CadPoint getSecondStampPoint() const;
    virtual uint32_t getStampIndex() const { return m_record.part().stampIndex; }
    // The field's text, never read past the field.
    virtual String getZoneNumber() const;
    virtual String getZoneName() const;
    virtual void setZoneValue1(double value) { m_record.part().zoneValue1 = value; }
    virtual void setHeight(double height) { m_record.part().height = height; }
    virtual void setZoneValue2(double value) { m_record.part().zoneValue2 = value; }
    virtual void setFirstStampPoint(const CadPoint& point) {
        m_record.part().stampPoint1 = point.getCoord2D();
    }
    virtual void setSecondStampPoint(const CadPoint& point) {
        m_record.part().stampPoint2 = point.getCoord2D();
    }
    // As much as fits with its terminator (31 and 255 characters); a surrogate pair is never cut.
    virtual void setZoneNumber(const String& number);
    virtual void setZoneName(const String& name);
    // The host's default zone; a zone that names its stamp keeps it. False when the host has no
    // defaults.
    virtual bool resetToDefaults();

    // The storey the top-storey offset names from the home storey; null for offset 0 or a storey
    // the plan does not have.
    Storey* getTopStorey() const;
    // The offset to a storey above the home storey; 0 (none) for any other.
    void setTopStorey(const Storey& storey);
    const HostZoneElement& getZoneRecord() const { return m_record.part(); }
    HostZoneElement& getZoneRecord() { return m_record.part(); }

private:
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }

    ConstructionRecord<HostZoneElement> m_record;
};

// The stamp of the zone category of that index: its stamp part by name in the project's library,
// as a zone part; no part when the index names no zone category or its stamp is not found.
ComponentLink zoneStampLink(uint16_t category);

// The factory's creator of zones; null for a record of another type.
std::unique_ptr<Element> createZone(const API_Element& record, ElementLink& link);

} // namespace tarnwick
