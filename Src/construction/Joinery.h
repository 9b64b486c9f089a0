// The opening that sits in a wall (doors and windows): it owns the record copy, knows its owner wall
// (looked up each time, never cached) and places itself along the wall's centre line.
#pragma once

#include <cstddef>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "construction/Opening.h"
#include "geometry/PolyEdge.h"

namespace tarnwick {

class Attribute;
class Wall;

class Joinery : public Opening {
public:
    // The record copy is left to the kind's resetToDefaults.
    Joinery(const ElementLink& link, const ComponentLink& component);
    Joinery(const API_Element& record, const ElementLink& link, const ComponentLink& component);
    Joinery(const Joinery& other) = default;
    ~Joinery() override = default;

    // The start of the span moved sideways by half the wall's thickness; the origin without a span.
    void getReferencePoint(CadPoint& point) const override;
    // Above the owner wall's elevation; without a wall, above the home storey when absolute.
    double getElevation(bool absolute) const override;
    std::unique_ptr<API_Element> buildRecord() const override { return m_record.build(getLink()); }
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }
    // The span's plan direction; 0.0 without a span.
    double getAngle() const override;
    // The first joinery flag.
    bool isFlagA() const override { return getJoineryFlag(0); }
    const HostOpeningPart& getOpeningRecord() const override { return m_record.part().opening; }
    HostOpeningPart& editOpeningRecord() override { return m_record.part().opening; }

    // --- Measures of doors and windows alike: the opening fields of the host's quantities, one
    // field each, 0.0 when it cannot say.
    double getOpeningMeasure1() const override {
        return quantity(offsetof(HostOpeningQuantities, openingMeasure1));
    }
    double getOpeningMeasure2() const override {
        return quantity(offsetof(HostOpeningQuantities, openingMeasure2));
    }
    double getMeasureA() const override { return quantity(offsetof(HostOpeningQuantities, measure1)); }
    double getMeasureB() const override { return quantity(offsetof(HostOpeningQuantities, measure2)); }
    double getSurfaceArea() override { return quantity(offsetof(HostOpeningQuantities, measure4)); }
    double getMeasureD() override { return quantity(offsetof(HostOpeningQuantities, measure5)); }
    double getMeasureE() override { return quantity(offsetof(HostOpeningQuantities, measure6)); }

    // --- The joinery's own.
    // The owner Guid on the joinery's drawing.
    virtual ElementLink getOwnerLink() const;
    // The owner when it is a wall; null otherwise (an element of another class is dropped).
    virtual std::unique_ptr<Wall> getOwnerWall() const;
    virtual void setOwner(const Guid& owner) { m_record.part().ownerGuid = owner.toAPI(); }
    virtual void setWallPosition(double position) { m_record.part().wallPosition = position; }
    virtual void setRelativeElevation(double elevation) { m_record.part().relativeElevation = elevation; }
    virtual void setJoineryValue1(double value) { m_record.part().joineryValues[0] = value; }
    virtual void setJoineryValue2(double value) { m_record.part().joineryValues[1] = value; }
    virtual void setJoineryValue3(double value) { m_record.part().joineryValues[2] = value; }
    virtual void setJoineryValue4(double value) { m_record.part().joineryValues[3] = value; }
    virtual void setJoineryValue5(double value) { m_record.part().joineryValues[4] = value; }
    // Writes the kind; kinds 1 and 3 with an attribute also its index.
    virtual void setAttributeChoice(uint32_t kind, const Attribute* attribute);
    virtual double getWallPosition() const { return m_record.part().wallPosition; }
    virtual double getRelativeElevation() const { return m_record.part().relativeElevation; }
    virtual double getJoineryValue1() const { return m_record.part().joineryValues[0]; }
    virtual double getJoineryValue2() const { return m_record.part().joineryValues[1]; }
    virtual double getJoineryValue3() const { return m_record.part().joineryValues[2]; }
    virtual double getJoineryValue4() const { return m_record.part().joineryValues[3]; }
    virtual double getJoineryValue5() const { return m_record.part().joineryValues[4]; }

    // The kind; for kinds 1 and 3 the attribute index goes into index (untouched otherwise).
    uint32_t getAttributeChoice(uint16_t& index) const;
    // The three joinery flags (0 to 2); a flag past the third throws std::out_of_range.
    bool getJoineryFlag(size_t which) const { return flagOf(m_record.part().joineryFlags, which); }
    void setJoineryFlag(size_t which, bool on) { setFlagOf(m_record.part().joineryFlags, which, on); }
    const HostJoineryElement& getJoineryRecord() const { return m_record.part(); }

    // The opening's span along its owner wall's centre line, raised by the relative elevation, and
    // the wall's thickness. False without an owner wall, and on a curved wall when the opening does
    // not fit its circle: wider than its diameter, or on a radius that is not above 0.
    bool getSpan(PolyEdge& span, double& wallValue) const;

protected:
    uint32_t partIndexOf(const API_Element& record) const override;
    ConstructionRecord<HostJoineryElement>& record() { return m_record; }
    // The kind's setComponentLink: a link of kind 0 is taken as the kind, one of another kind is
    // refused and nothing changes.
    void setKindedLink(const ComponentLink& link, uint32_t kind, bool resetSizes, bool loadParameters);
    double quantity(size_t offset) const { return quantityField(getLink(), offset); }

private:
    ConstructionRecord<HostJoineryElement> m_record;
};

} // namespace tarnwick
