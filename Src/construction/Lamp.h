// A host lamp (type 7): the placed object whose library part is a lamp part (kind 5). It keeps its
// own part across a start from the host's defaults.
#pragma once

#include "library/FamilyGuid.h"
#include "library/Object.h"
#include "platform/api/LibraryRecords.h"

namespace tarnwick {

class Lamp : public Object {
public:
    static constexpr uint8_t TypeCode = HostLampTypeCode;
    static constexpr uint32_t ComponentKind = LibPartLamp;

    // The host's default lamp with its part and that part's parameters.
    Lamp();
    // A new lamp of the part, on the host's default settings.
    Lamp(const ComponentLink& component, uint32_t variation);
    Lamp(const FamilyGuid& part, Library* library, uint32_t variation);
    Lamp(const ElementLink& link, const ComponentLink& component);
    Lamp(const API_Element& record, const ElementLink& link);
    Lamp(const Lamp& other) = default;
    ~Lamp() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Lamp>(*this); }
    // The host's default lamp with the head's memo byte set, keeping the lamp's own part, its first
    // detail flag and its sizes.
    void initFromPart();
    using Object::initFromPart;
};

// The factory's creator of lamps; null for a record of another type.
std::unique_ptr<Element> createLamp(const API_Element& record, ElementLink& link);

} // namespace tarnwick
