// A host single-plane roof (type 9, roof class 0), alone or as one plane of a multi-plane roof
// that the host split: its slope, pivot line and flag over the shelter's record.
#pragma once

#include <cstdint>
#include <memory>

#include "construction/Shelter.h"
#include "geometry/Line.h"
#include "geometry/Plane.h"
#include "platform/api/PolyRoofRecords.h"

namespace tarnwick {

class Roof : public Shelter {
public:
    static constexpr uint32_t RoofClass = HostSingleRoofClass;

    // The host's default roof, on the current database.
    Roof();
    Roof(const ElementLink& link, const API_Element& record);
    // One plane of a split multi-plane roof: the record copied, the part identifier kept, the
    // outline read from the host's memo, which stays the host's.
    Roof(const ElementLink& link, const API_Element& record, const API_ElementMemo& memo,
         const HostElementPartId& partId);
    // Copies the element, the outline (deep), the IFC data, the record and the part identifier.
    Roof(const Roof& other);
    Roof& operator=(const Roof&) = delete;
    ~Roof() override;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Roof>(*this); }
    // The record copy with the outline's counts.
    std::unique_ptr<API_Element> buildRecord() const override;

    size_t getRoofCount() override { return 1; }
    // Itself at 0.
    Roof* getRoof(size_t index) override { return index == 0 ? this : nullptr; }
    // Stored per slope: value / cos(slope). A vertical roof keeps the value it has.
    void setShelterValue(double value) override;
    double getSlopeAngle() override { return m_record.part().slopeAngle; }

    // --- The roof's own.
    // The pivot line's plan points at the roof's absolute elevation.
    virtual Line getPivotLine() const;
    virtual bool getRoofFlag() const { return m_record.part().roofFlag != 0; }
    virtual void setSlopeAngle(double angle) { m_record.part().slopeAngle = angle; }
    // Takes the plan points, and the elevation from the first point's height (absolute).
    virtual void setPivotLine(const Line& line);
    virtual void setRoofFlag(bool on) { m_record.part().roofFlag = on ? 1 : 0; }
    // The plane through the pivot line rising at the slope angle to the left of the line's
    // direction (seen from above); horizontal when the line has no length in plan.
    Plane getRoofPlane() const;
    // The host's default roof, the part identifier cleared; false when the host refuses.
    virtual bool resetToDefaults();
    const HostElementPartId& getPartId() const { return m_partId; }

private:
    HostElementPartId m_partId;
};

// The factory's creator of single-plane roofs; null for another type or roof class.
std::unique_ptr<Element> createRoof(const API_Element& record, ElementLink& link);

} // namespace tarnwick
