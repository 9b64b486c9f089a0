// A complex profile attribute (type 11): a cross-section shape and which of walls, beams and
// columns may use it.
#pragma once

#include <cstdint>

#include "project/RecordAttribute.h"

namespace tarnwick {

class ComplexProfile : public RecordAttribute<ComplexProfile, HostProfile, AttrProfile> {
public:
    ComplexProfile() = default; // a zeroed record, unbound
    explicit ComplexProfile(const AttributeLink& link) : RecordAttribute(link) {}
    ComplexProfile(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}

    uint8_t getWallUse() const { return record().wallUse; }
    uint8_t getBeamUse() const { return record().beamUse; }
    uint8_t getColumnUse() const { return record().columnUse; }
    void setWallUse(uint8_t use) { record().wallUse = use; }
    void setBeamUse(uint8_t use) { record().beamUse = use; }
    void setColumnUse(uint8_t use) { record().columnUse = use; }

private:
    friend class RecordAttribute<ComplexProfile, HostProfile, AttrProfile>;
    static void fillFallback(HostProfile& record) { record.header.typeCode = AttrProfile; }
};

} // namespace tarnwick
