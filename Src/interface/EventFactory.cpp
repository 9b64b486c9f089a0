#include "interface/EventFactory.h"

#include <cstring>
#include <initializer_list>
#include <map>
#include <new>

namespace tarnwick {

namespace {

using FactoryTable = std::multimap<uint16_t, EventFactory>;

std::unique_ptr<FactoryTable> builtInFactories;
std::unique_ptr<FactoryTable> addedFactories;

bool accepts(uint32_t code, std::initializer_list<uint32_t> codes) {
    for (uint32_t c : codes)
        if (c == code) return true;
    return false;
}

template <class E, class... Args> std::unique_ptr<InterfaceEvent> make(Args&&... args) {
    try {
        return std::make_unique<E>(std::forward<Args>(args)...);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// A factory for one class that takes the message's data as it comes.
template <class E, uint32_t... Codes>
std::unique_ptr<InterfaceEvent> plain(uint32_t code, const ControlLink& link, uint64_t data) {
    return accepts(code, {Codes...}) ? make<E>(code, link, data) : nullptr;
}

// The data points at the eight bytes of the host's resize message.
std::unique_ptr<InterfaceEvent> resize(uint32_t code, const ControlLink& link, uint64_t data) {
    if (!accepts(code, {12, 13})) return nullptr;
    uint64_t bytes = 0;
    if (const void* source = dataPointer<const void>(data)) std::memcpy(&bytes, source, sizeof bytes);
    return make<ResizeEvent>(code, link, bytes);
}

void insert(FactoryTable& table, std::initializer_list<uint16_t> codes, EventFactory factory) {
    for (uint16_t code : codes)
        table.emplace(code, factory);
}

std::unique_ptr<InterfaceEvent> firstMade(const FactoryTable* table, uint16_t code, const ControlLink& link,
                                          uint64_t data) {
    if (table == nullptr) return nullptr;
    auto [from, to] = table->equal_range(code);
    for (auto it = from; it != to; ++it)
        if (auto event = it->second(code, link, data)) return event;
    return nullptr;
}

} // namespace

void buildEventFactories() {
    auto table = std::make_unique<FactoryTable>();
    insert(*table, {1, 3, 14, 11}, &plain<DialogEvent, 1, 3, 11, 12, 13, 14>);
    insert(*table, {13}, &resize);
    insert(*table, {4, 5}, &plain<ActionEvent, 4, 5>);
    insert(*table, {6}, &plain<ItemEvent, 6>);
    insert(*table, {7}, &plain<ChangeEvent, 7>);
    insert(*table, {8}, &plain<MoveEvent, 8>);
    insert(*table, {9}, &plain<FocusEvent, 9>);
    insert(*table, {10}, &plain<KeyEvent, 10>);
    insert(*table, {16}, &plain<PaintEvent, 16>);
    insert(*table, {17}, &plain<DropEvent, 17>);
    insert(*table, {27}, &plain<SplitterDragEvent, 27>);
    insert(*table, {23}, &plain<ListHeaderClickEvent, 23>);
    insert(*table, {24}, &plain<ListHeaderDragEvent, 24>);
    insert(*table, {25}, &plain<ListHeaderResizeEvent, 25>);
    builtInFactories = std::move(table);
}

void freeEventFactories() {
    builtInFactories.reset();
    addedFactories.reset();
}

void addEventFactory(uint16_t code, EventFactory factory) {
    if (factory == nullptr) return;
    if (!addedFactories) addedFactories = std::make_unique<FactoryTable>();
    addedFactories->emplace(code, factory);
}

std::unique_ptr<InterfaceEvent> makeInterfaceEvent(uint16_t code, const ControlLink& link, uint64_t data) {
    if (auto event = firstMade(addedFactories.get(), code, link, data)) return event;
    return firstMade(builtInFactories.get(), code, link, data);
}

} // namespace tarnwick
