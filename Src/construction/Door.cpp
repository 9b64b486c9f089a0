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
    (void)resetToDefaults(); // a host without defaults leaves the zeroed door of the part
}

Door::Door(const FamilyGuid& part, Library* library) : Door(ComponentLink(part, ComponentKind, library)) {}

Door::Door(const API_Element& record, const ElementLink& link)
    : Joinery(record, link, doorPartOf(record, link.getLibrary())) {}

void Door::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    setKindedLink(link, ComponentKind, resetSizes, loadParameters);
}

bool Door::resetToDefaults() {
    const bool ok = record().resetToDefaults(*this);
    // The defaults name the default door's part: the door keeps its own.
    editOpeningRecord().libIndex = getComponentLink().getIndex();
    return ok;
}

std::unique_ptr<Element> createDoor(const API_Element& record, ElementLink& link) {
    return createOfType<Door>(record, link);
}

} // namespace tarnwick
