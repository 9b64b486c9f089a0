// A city attribute: a geographic location by two angles, kept as degrees next to the record,
// which holds them in whole minutes.
#pragma once

#include "project/RecordAttribute.h"

namespace tarnwick {

class City : public RecordAttribute<City, HostCity, AttrCity> {
public:
    City() = default; // a zeroed record, angles 0, unbound
    explicit City(const AttributeLink& link) : RecordAttribute(link) {}
    // The factory's form: the angles are the stored minutes in degrees, fraction kept.
    City(const API_Attribute& record, const AttributeLink& link);

    double getFirstAngle() const;
    double getSecondAngle() const;
    // Keeps the degrees and stores whole minutes (truncated) in the record.
    void setFirstAngle(double degrees);
    void setSecondAngle(double degrees);
    uint16_t getField300() const { return record().word300; }
    void setField300(uint16_t value) { record().word300 = value; }

private:
    friend class RecordAttribute<City, HostCity, AttrCity>;
    static constexpr bool fallbackUnlinks = true;
    void recordLoaded() const;

    mutable double m_firstAngle = 0.0;
    mutable double m_secondAngle = 0.0;
};

} // namespace tarnwick
