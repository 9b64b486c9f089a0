#include "construction/Skylight.h"

#include "construction/ConstructionHelpers.h"
#include "construction/Shelter.h"
#include "project/Drawing.h"

namespace tarnwick {

namespace {
ComponentLink skylightPartOf(const API_Element& record, Library* library) {
    return ComponentLink(ConstructionRecord<HostSkylightElement>(record).part().opening.libIndex,
                         Skylight::ComponentKind, library);
}
} // namespace

Skylight::Skylight(const API_Element& record, const ElementLink& link)
    : Opening(link, skylightPartOf(record, link.getLibrary())), m_record(record) {}

Skylight::Skylight(const ElementLink& link, const ComponentLink& component) : Opening(link, component) {}

uint32_t Skylight::partIndexOf(const API_Element& record) const {
    return ConstructionRecord<HostSkylightElement>(record).part().opening.libIndex;
}

ElementLink Skylight::getOwnerLink() const {
    return ElementLink(Guid(m_record.part().ownerGuid), getDrawing());
}

std::unique_ptr<Shelter> Skylight::getOwnerShelter() const {
    return fetchOnDrawingAs<Shelter>(*this, m_record.part().ownerGuid);
}

double Skylight::getOpeningMeasure1() const {
    return quantityField(getLink(), offsetof(HostOpeningQuantities, openingMeasure1));
}
double Skylight::getOpeningMeasure2() const {
    return quantityField(getLink(), offsetof(HostOpeningQuantities, openingMeasure2));
}
double Skylight::getMeasureA() const {
    return quantityField(getLink(), offsetof(HostOpeningQuantities, measure1));
}
double Skylight::getMeasureD() {
    return quantityField(getLink(), offsetof(HostOpeningQuantities, measure5));
}

std::unique_ptr<Element> createSkylight(const API_Element& record, ElementLink& link) {
    return createOfType<Skylight>(record, link);
}

} // namespace tarnwick
