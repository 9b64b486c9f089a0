// A host skylight (type 44): the opening whose library part is a skylight part (kind 13), held by
// a roof or shell. Its quantities are the opening fields of the host's quantity block, each asked
// for alone.
#pragma once

#include <memory>

#include "construction/ConstructionRecord.h"
#include "construction/Opening.h"
#include "platform/api/LibraryRecords.h"

namespace tarnwick {

class Shelter;

class Skylight : public Opening {
public:
    static constexpr uint8_t TypeCode = HostSkylightTypeCode;
    static constexpr uint32_t ComponentKind = LibPartSkylight;

    Skylight(const API_Element& record, const ElementLink& link);
    // The opening alone: the record is left to the caller.
    Skylight(const ElementLink& link, const ComponentLink& component);
    Skylight(const Skylight& other) = default;
    ~Skylight() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Skylight>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override { return m_record.build(getLink()); }
    const HostElementHead& getRecord() const override { return m_record.head(); }
    HostElementHead& getRecord() override { return m_record.head(); }
    const HostOpeningPart& getOpeningRecord() const override { return m_record.part().opening; }
    HostOpeningPart& editOpeningRecord() override { return m_record.part().opening; }

    double getOpeningMeasure1() const override;
    double getOpeningMeasure2() const override;
    double getMeasureA() const override;
    // The value of measure A.
    double getMeasureB() const override { return getMeasureA(); }
    double getMeasureD() override;

    // --- The skylight's own.
    // The owner Guid on the skylight's drawing.
    virtual ElementLink getOwnerLink() const;
    // The roof or shell that holds it; null for an owner of another class or none. (getOwner is the
    // memos' hook for the element that embeds them.)
    virtual std::unique_ptr<Shelter> getOwnerShelter() const;
    virtual uint32_t getSkylightSetting1() const { return m_record.part().settings[0]; }
    virtual uint32_t getSkylightSetting2() const { return m_record.part().settings[1]; }
    virtual uint32_t getSkylightSetting3() const { return m_record.part().settings[2]; }
    virtual CadPoint getAnchorPoint() const { return CadPoint(m_record.part().anchor); }
    virtual double getSkylightValue1() const { return m_record.part().values[0]; }
    virtual double getSkylightValue2() const { return m_record.part().values[1]; }
    // Takes the link's element Guid as the owner.
    virtual void setOwner(const ElementLink& owner) { m_record.part().ownerGuid = owner.getGuid().toAPI(); }
    virtual void setSkylightSetting1(uint32_t value) { m_record.part().settings[0] = value; }
    virtual void setSkylightSetting2(uint32_t value) { m_record.part().settings[1] = value; }
    virtual void setSkylightSetting3(uint32_t value) { m_record.part().settings[2] = value; }
    virtual void setAnchorPoint(const CadPoint& point) { m_record.part().anchor = point.getCoord3D(); }
    virtual void setSkylightValue1(double value) { m_record.part().values[0] = value; }
    virtual void setSkylightValue2(double value) { m_record.part().values[1] = value; }
    const HostSkylightElement& getSkylightRecord() const { return m_record.part(); }

protected:
    uint32_t partIndexOf(const API_Element& record) const override;

private:
    ConstructionRecord<HostSkylightElement> m_record;
};

// The factory's creator of skylights; null for a record of another type.
std::unique_ptr<Element> createSkylight(const API_Element& record, ElementLink& link);

} // namespace tarnwick
