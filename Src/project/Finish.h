// A surface attribute (a material's look in 3D), over its host record. The texture file's location
// that the host hands out with a record stays the caller's: the wrapper never keeps it.
#pragma once

#include "project/RecordAttribute.h"

namespace tarnwick {

class Finish : public RecordAttribute<Finish, HostSurface, AttrSurface> {
public:
    Finish() = default;
    explicit Finish(const AttributeLink& link) : RecordAttribute(link) {}
    Finish(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {
        this->record().textureLocation = nullptr;
    }

    uint32_t getType() const { return record().surfaceType; }
};

} // namespace tarnwick
