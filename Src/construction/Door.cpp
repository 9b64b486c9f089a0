#include "construction/Door.h"

#include "construction/ConstructionHelpers.h"
#include "project/ElementMemo.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
ElementLink newDoorLink() {
    return ElementLink(ElementLink::makeTypeId(Door::TypeCode), nullptr, 0);
}

ComponentLink doorPartOf(const API_Element& record, Library* library) {
    return ComponentLink(ConstructionRecord<HostJoineryElement>(record).part().opening.libIndex,
                         Door::ComponentKind, library);
}

double doorQuantity(const Element& door, size_t offset) {
    return quantityField(door.getLink(), offset);
}
} // namespace

Door::Door(bool withMemo) : Joinery(newDoorLink(), ComponentLink()) {
    auto defaults = std::make_unique<API_Element>();
    ElementMemoPtr memo = withMemo ? makeElementMemo() : nullptr;
    if (getDefaults(*defaults, memo.get())) {
        record().copyFrom(*defaults);
    } else {
        record().part() = HostJoineryElement();
        memo.reset();
    }
    getLink().writeHeader(record().head(), true);
    if (memo) {
        ElementMemoStore store(memo.release());
        MemoStore* given = &store;
        ComponentElem::loadMemo(DefaultsMemoMask, given);
    }
    setComponentLink(ComponentLink(getOpeningRecord().libIndex, ComponentKind, nullptr), !withMemo,
                     !withMemo);
}

Door::Door(const ComponentLink& component) : Joinery(newDoorLink(), component) {
    (void)resetToDefaults();
}

Door::Door(const FamilyGuid& part, Library* library) : Door(ComponentLink(part, ComponentKind, library)) {}

Door::Door(const API_Element& record, const ElementLink& link)
    : Joinery(record, link, doorPartOf(record, link.getLibrary())) {}

void Door::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    const uint32_t kind = link.getType() == 0 ? ComponentKind : link.getType();
    if (kind != ComponentKind) return;
    Opening::setComponentLink(ComponentLink(link.getIndex(), kind, link.getLibrary()), resetSizes,
                              loadParameters);
}

bool Door::resetToDefaults() {
    const bool ok = record().resetToDefaults(*this);
    // The defaults name the default door's part: the door keeps its own.
    editOpeningRecord().libIndex = getComponentLink().getIndex();
    return ok;
}

double Door::getOpeningMeasure1() const {
    return doorQuantity(*this, offsetof(HostOpeningQuantities, openingMeasure1));
}
double Door::getOpeningMeasure2() const {
    return doorQuantity(*this, offsetof(HostOpeningQuantities, openingMeasure2));
}
double Door::getMeasureA() const {
    return doorQuantity(*this, offsetof(HostOpeningQuantities, measure1));
}
double Door::getMeasureB() const {
    return doorQuantity(*this, offsetof(HostOpeningQuantities, measure2));
}
double Door::getSurfaceArea() {
    return doorQuantity(*this, offsetof(HostOpeningQuantities, measure4));
}
double Door::getMeasureD() {
    return doorQuantity(*this, offsetof(HostOpeningQuantities, measure5));
}
double Door::getMeasureE() {
    return doorQuantity(*this, offsetof(HostOpeningQuantities, measure6));
}

std::unique_ptr<Element> createDoor(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Door::TypeCode) return nullptr;
    return std::make_unique<Door>(record, link);
}

} // namespace tarnwick
