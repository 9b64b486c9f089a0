// A placed library part (host type 6; lamps build on it): a component element with its IFC data
// and its own copy of the object fields of the host record, which every accessor reads and writes
// and buildRecord writes back. The part's A and B are kept in the record as ratios of the part's
// default sizes, or as the sizes themselves when the part's first detail flag says so.
#pragma once

#include <memory>

#include "elements/IFCMemo.h"
#include "library/ComponentElem.h"
#include "platform/api/ObjectRecords.h"

namespace tarnwick {

class Object : public ComponentElem, public IFCMemo {
public:
    static constexpr uint8_t TypeCode = 6;
    // What the defaults' memo is read with: every part but bit 30.
    static constexpr uint64_t DefaultsMemoMask = 0x07FFFFFFBFFFFFFFULL;

    // An existing object: its part (type 4) from the record's part index.
    Object(const API_Element& record, const ElementLink& link);
    // A new object of the host's defaults for the variation; with loadDefaults their parameters
    // too, else the part's own.
    Object(bool loadDefaults, uint32_t variation);
    // A new object of the part, or of the part of that name (type 4).
    Object(const ComponentLink& part, uint32_t variation);
    Object(const String& partName, uint32_t variation);
    // For the kinds built on it: a record's object fields, or a new one of the part; the element
    // link carries the kind's own type.
    Object(const API_Element& record, const ElementLink& link, const ComponentLink& part);
    Object(const ElementLink& link, const ComponentLink& part);
    Object(const Object& other) = default;
    ~Object() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Object>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override;
    const HostElementHead& getRecord() const override { return m_object.head; }
    HostElementHead& getRecord() override { return m_object.head; }
    const HostObjectElement& getObjectRecord() const { return m_object; }

    // --- Attributes by role: pens 0 and 1 (main), 10 (fourth), 11 (second), 12 (third); setting
    // role 0 sets all four, 6 the second and 8 the third. Line type and surface for roles 0 and 1.
    void getPen(Pen& pen, uint32_t role) const override;
    void setPen(const Pen& pen, uint32_t role) override;
    void getLineStyle(LineStyle& style, uint32_t role) const override;
    void setLineStyle(const LineStyle& style, uint32_t role) override;
    void getFinish(Finish& finish, uint32_t role) const override;
    void setFinish(const Finish& finish, uint32_t role) override;
    // The fill of roles 0, 1 and 3; null for none and for any other role.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    // Roles 0 and 3 take a fill of index at least 1; anything else is ignored.
    void setPattern(const Pattern& pattern, uint32_t role) override;
    void getOverrideSet(OverrideSet& set) const override;
    void setOverrideSet(const OverrideSet& set) override;

    // --- Measures: the host's surface and volume of the object, asked each time.
    double getMeasureC() const override;
    double getMeasureD() override;
    using ComponentElem::getOwner;
    void getOwner(ElementLink& owner) const override { owner = getOwnerLink(); }
    // The A by B rectangle about the centre of the bounds, not turned with the object (area and
    // perimeter are the same either way); null without bounds.
    std::unique_ptr<CadPolygon> getOutline() const override;

    // --- Placement. The reference point's z is the elevation above the home storey, so that a
    // point read and set again is the same point.
    void getReferencePoint(CadPoint& point) const override;
    void setReferencePoint(const CadPoint& point) override;
    // With absolute, the home storey's level is added (subtracted when set).
    double getElevation(bool absolute) const override;
    void setElevation(double value, bool absolute) override;
    // In [0, 2π), turned by π for a mirrored object; a full turn within 1e-5 is 0.
    double getAngle() const override;
    void setAngle(double angle);

    // --- The part's sizes through the record (ComponentParameterMemo).
    double getParameterA() const override;
    double getParameterB() const override;
    // The ratio (or size) goes into the record, then the parameter is set. A part whose default
    // size is below 1e-5 keeps the ratio it has.
    void setA(double value) override;
    void setB(double value) override;

    // The mirrored switch; switch 3 read and set.
    bool isFlagA() const override { return m_object.mirrored != 0; }
    bool isFlagB() const override { return m_object.switch3 != 0; }
    void setFlagB(bool on) override { m_object.switch3 = on ? 1 : 0; }
    // Only object and lamp parts (type 0 is taken as 4) whose source is an ObjectSource; anything
    // else changes nothing. The first detail flag comes from the part; with reloadParameters the
    // sizes are reset and "A" and "B" take the part's defaults, with keepValues the parameters
    // follow the part and keep their values by name.
    void setComponentLink(const ComponentLink& link, bool reloadParameters, bool keepValues) override;
    // Takes from changed every object field the edit changed (the colour when a component moved by
    // more than 1e-5), then the component and IFC merges.
    void mergeChanges(const Element& changed, const Element& reference) override;
    using ComponentElem::mergeChanges;
    using IFCMemo::mergeChanges;
    // The host's object settings on a copy of the fields and the memo; accepted, the object takes
    // the fields back and follows the part. False when cancelled or the memo cannot be built.
    [[nodiscard]] bool setDefaultType() override { return editDefaults(); }
    [[nodiscard]] bool editDefaults();

    // --- The object's own.
    ElementLink getOwnerLink() const;
    ElementLink getSecondLink() const { return ElementLink(); }
    bool getSwitch1() const { return m_object.switch1 != 0; }
    bool getSwitch2() const { return m_object.switch2 != 0; }
    bool getSwitch6() const { return m_object.switch6 != 0; }
    bool areLinkedSwitchesSet() const;
    bool getLinkedSwitch2() const { return m_object.firstGroup.flags[1] != 0; }
    bool getLinkedSwitch3() const { return m_object.firstGroup.flags[2] != 0; }
    void setOwner(const ElementLink& owner) { m_object.ownerGuid = owner.getGuid().toAPI(); }
    void setSwitch1(bool on) { m_object.switch1 = on ? 1 : 0; }
    void setSwitch2(bool on) { m_object.switch2 = on ? 1 : 0; }
    void setSwitch6(bool on) { m_object.switch6 = on ? 1 : 0; }
    // Each only with which 0.
    void setLinkedSwitches(bool on, uint32_t which);
    void setLinkedSwitch2(bool on, uint32_t which);
    void setLinkedSwitch3(bool on, uint32_t which);
    CadPoint getOwnerOffset() const;
    uint16_t getOwnerKind() const { return m_object.ownerKind; }
    bool isFirstDetailSet() const { return m_object.firstDetail != 0; }
    uint32_t getPartIndex() const { return m_object.libIndex; }
    void setOwnerOffset(const CadPoint& offset);
    void setOwnerKind(uint16_t kind) { m_object.ownerKind = kind; }
    void setFirstDetail(bool on) { m_object.firstDetail = on ? 1 : 0; }
    void setMirrored(bool on) { m_object.mirrored = on ? 1 : 0; }
    void detachOwner();
    // The type's default fields, the part's index and first detail flag (true without a part),
    // no owner offset, and "A" and "B" at the part's default sizes. The user data is marked
    // changed, so that the next save writes it too.
    void initFromPart(const ComponentLink& part);

protected:
    uint32_t partIndexOf(const API_Element& record) const override;
    // For the kinds built on it (the lamp), which keep the same fields.
    HostObjectElement& editObjectRecord() { return m_object; }

private:
    void takeObjectFields(const API_Element& record);
    // The record's part index as the link of an object part.
    ComponentLink partLink() const;

    HostObjectElement m_object;
};

// The factory's creator of objects; null for a record of another type.
std::unique_ptr<Element> createObject(const API_Element& record, ElementLink& link);

} // namespace tarnwick
