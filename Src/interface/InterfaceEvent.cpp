#include "interface/InterfaceEvent.h"

#include <cstring>

#include "interface/InterfacePanel.h"

namespace tarnwick {

InterfaceEvent::InterfaceEvent(uint32_t kind, uint32_t code, const ControlLink& link, uint64_t data,
                               Receiver* receiver)
    : Event({InterfaceSource, kind}, receiver), m_code(code), m_link(link), m_data(data) {}

DialogControl* InterfaceEvent::getControl() const {
    InterfacePanel* panel = getPanel();
    return panel != nullptr ? panel->findControl(getItemId()) : nullptr;
}

namespace {
ControlLink linkOf(const DG::UserItemUpdateEvent& update) {
    const DG::Item* source = update.GetSource();
    return source != nullptr ? ControlLink(*source) : ControlLink();
}
} // namespace

PaintEvent::PaintEvent(const DG::UserItemUpdateEvent& update, Receiver* receiver)
    : InterfaceEventOf(16, linkOf(update), pointerData(&update), receiver) {}

std::unique_ptr<NewDisplay::UserItemUpdateNativeContext> PaintEvent::makeContext() const {
    const DG::UserItemUpdateEvent* update = getUpdate();
    return update != nullptr ? std::make_unique<NewDisplay::UserItemUpdateNativeContext>(*update) : nullptr;
}

ScreenPoint DropEvent::getPosition() const {
    return m_record != nullptr ? ScreenPoint(m_record->x, m_record->y) : ScreenPoint();
}

void DropEvent::setEffect(uint16_t effect) {
    if (m_record != nullptr) m_record->effect = effect;
}

void DropEvent::setWord4(uint16_t value) {
    if (m_record != nullptr) m_record->word4 = value;
}

void DropEvent::setFlag(uint8_t flag) {
    if (m_record != nullptr) m_record->flag = flag;
}

uint16_t ListHeaderEvent::getColumn() const {
    const ListHeaderRecord* record = getRecord();
    return record != nullptr ? static_cast<uint16_t>(record->column - 1) : 0;
}

uint16_t ListHeaderDragEvent::getNewPosition() const {
    const ListHeaderRecord* record = getRecord();
    return record != nullptr ? static_cast<uint16_t>(record->newPosition - 1) : 0;
}

ScreenPoint ListHeaderResizeEvent::getWidth() const {
    const ListHeaderRecord* record = getRecord();
    return ScreenPoint(record != nullptr ? static_cast<int16_t>(record->width) : int16_t(0), 0);
}

uint16_t ListHeaderResizeEvent::getAction() const {
    const ListHeaderRecord* record = getRecord();
    return record != nullptr ? record->action : 2;
}

ResizeData ResizeEvent::getResize() const {
    ResizeData resize;
    uint64_t data = getData();
    std::memcpy(static_cast<void*>(&resize), &data, sizeof resize);
    return resize;
}

uint64_t ResizeEvent::pack(const ResizeData& resize) {
    uint64_t data = 0;
    std::memcpy(&data, &resize, sizeof data);
    return data;
}

} // namespace tarnwick
