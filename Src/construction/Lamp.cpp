#include "construction/Lamp.h"

#include <cstring>
#include <memory>

#include "construction/ConstructionHelpers.h"

namespace tarnwick {

namespace {
ElementLink newLampLink(uint32_t variation) {
    return ElementLink(ElementLink::makeTypeId(Lamp::TypeCode), nullptr, variation);
}

ComponentLink lampPartOf(const API_Element& record, Library* library) {
    HostLampElement fields;
    std::memcpy(static_cast<void*>(&fields), record.raw, sizeof fields);
    return ComponentLink(fields.libIndex, Lamp::ComponentKind, library);
}
} // namespace

Lamp::Lamp() : Object(API_Element(), newLampLink(0), ComponentLink()) {
    auto defaults = std::make_unique<API_Element>();
    HostObjectElement& fields = editObjectRecord();
    if (getDefaults(*defaults, nullptr))
        std::memcpy(static_cast<void*>(&fields), defaults->raw, sizeof fields);
    else
        fields = HostObjectElement();
    getLink().writeHeader(fields.head, true);
    Object::setComponentLink(ComponentLink(fields.libIndex, ComponentKind, nullptr), true, true);
}

Lamp::Lamp(const ComponentLink& component, uint32_t variation)
    : Object(API_Element(), newLampLink(variation), component) {
    initFromPart();
}

Lamp::Lamp(const FamilyGuid& part, Library* library, uint32_t variation)
    : Lamp(ComponentLink(part, ComponentKind, library), variation) {}

Lamp::Lamp(const ElementLink& link, const ComponentLink& component) : Object(API_Element(), link, component) {
    initFromPart();
}

Lamp::Lamp(const API_Element& record, const ElementLink& link)
    : Object(record, link, lampPartOf(record, link.getLibrary())) {}

void Lamp::initFromPart() {
    // The defaults name the default lamp's part: the lamp keeps its own.
    Object::initFromPart(getComponentLink());
    editObjectRecord().head.byte76 = 1;
}

std::unique_ptr<Element> createLamp(const API_Element& record, ElementLink& link) {
    return createOfType<Lamp>(record, link);
}

} // namespace tarnwick
