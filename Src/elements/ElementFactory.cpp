#include "elements/ElementFactory.h"

#include <cstring>
#include <map>

#include "elements/Element.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

// Creators by element id, in registration order within one id.
using CreatorList = std::multimap<uint16_t, ElementCreator>;

std::unique_ptr<CreatorList>& preferredList() {
    static std::unique_ptr<CreatorList> list;
    return list;
}

std::unique_ptr<CreatorList>& defaultList() {
    static std::unique_ptr<CreatorList> list;
    return list;
}

std::unique_ptr<Element> askCreators(const CreatorList* list, uint16_t key, const API_Element& record,
                                     ElementLink& link) {
    if (list == nullptr) return nullptr;
    auto [first, last] = list->equal_range(key);
    for (auto it = first; it != last; ++it)
        if (std::unique_ptr<Element> element = it->second(record, link)) return element;
    return nullptr;
}

} // namespace

uint32_t recordSubKind(const API_Element& record) {
    uint32_t subKind = 0;
    std::memcpy(&subKind, record.raw + offsetof(HostKindedElement, subKind), sizeof subKind);
    return subKind;
}

void registerElementCreator(uint16_t elementId, ElementCreator creator, bool preferred) {
    if (creator == nullptr) return;
    std::unique_ptr<CreatorList>& list = preferred ? preferredList() : defaultList();
    if (!list) list = std::make_unique<CreatorList>();
    auto [first, last] = list->equal_range(elementId);
    for (auto it = first; it != last; ++it)
        if (it->second == creator) return;
    list->emplace_hint(last, elementId, creator);
}

std::unique_ptr<Element> createElement(const API_Element& record, ElementLink& link, MemoStore* store) {
    link.setVariation(record.head.variation);
    const uint16_t key = static_cast<uint16_t>(record.head.typeCode & 0xFF);
    std::unique_ptr<Element> element;
    try {
        element = askCreators(preferredList().get(), key, record, link);
        if (!element) element = askCreators(defaultList().get(), key, record, link);
    } catch (const std::bad_alloc&) {
        return nullptr; // a creator that cannot allocate makes nothing
    }
    if (element && store != nullptr) {
        Element::MemoLoadSwitch onlyTheMask(true);
        MemoStore* given = store;
        element->loadMemo(MemoAll, given);
        if (given != store) delete given; // not the caller's: a store the element fetched itself
    }
    return element;
}

void releaseElementCreators() {
    preferredList().reset();
    defaultList().reset();
}

} // namespace tarnwick
