// What the item observers share: a host notification handed to the owning panel as a framework
// event, and the drag-and-drop stages of list boxes and tree views as drop events.
#pragma once

#include <cstdint>

#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "platform/dg/DGItems.h"

namespace tarnwick::notices {

// Hands the event to the panel registered for the source's host panel; a panel that is not
// registered hears nothing. Answers whether a panel heard it.
template <class E>
bool notifyPanel(const DG::ItemEvent& notification, uint32_t code, uint64_t data,
                 Receiver* receiver = nullptr) {
    DG::Item* source = notification.GetSource();
    if (source == nullptr) return false;
    InterfacePanel* panel = InterfacePanel::findByPanelId(static_cast<uint16_t>(source->GetPanelId()));
    if (panel == nullptr) return false;
    E event(code, ControlLink(static_cast<uint16_t>(source->GetId()), panel), data, receiver);
    panel->handleHostNotice(event);
    return true;
}

inline DropRecord dropRecord(uint16_t stage, uint16_t effect) {
    DropRecord record;
    record.messageCode = stage;
    record.effect = effect;
    return record;
}

template <class TargetEvent>
DropRecord targetRecord(uint16_t stage, uint16_t effect, const TargetEvent& event) {
    DropRecord record = dropRecord(stage, effect);
    record.x = event.GetPosition().GetX();
    record.y = event.GetPosition().GetY();
    record.insertPosition = static_cast<uint32_t>(event.GetInsertPosition());
    record.relativePosition = static_cast<uint16_t>(event.GetRelativePosition());
    return record;
}

inline bool sendDrop(const DG::ItemEvent& event, DropRecord& record, Receiver* receiver = nullptr) {
    return notifyPanel<DropEvent>(event, 17, pointerData(&record), receiver);
}

// The seven stages, 0-2 at the drag's source and 4-7 at its target; what the panel answers goes
// back into the host's out-values.
template <class SourceEvent> void dragStarting(const SourceEvent& event, bool* canStart) {
    DropRecord record = dropRecord(0, 0);
    ItemReceiver receiver(1);
    if (sendDrop(event, record, &receiver) && canStart != nullptr) *canStart = receiver.getValue() != 0;
}

template <class SourceEvent>
void dragStarted(const SourceEvent& event, DG::DragDrop::Effect* effect, bool* rightDragMenu) {
    DropRecord record = dropRecord(1, effect != nullptr ? *effect : 0);
    if (!sendDrop(event, record)) return;
    if (effect != nullptr) *effect = record.effect;
    if (rightDragMenu != nullptr) *rightDragMenu = record.flag != 0;
}

template <class SourceEvent> void dragEnded(const SourceEvent& event, DG::DragDrop::Effect effect) {
    DropRecord record = dropRecord(2, effect);
    sendDrop(event, record);
}

template <class TargetEvent>
void dragEntered(const TargetEvent& event, DG::DragDrop::Effect* effect, bool* defBehaviour) {
    DropRecord record = targetRecord(4, DG::DragDrop::All, event);
    ItemReceiver receiver(defBehaviour == nullptr || *defBehaviour ? 1 : 0);
    if (!sendDrop(event, record, &receiver)) return;
    if (effect != nullptr) *effect = record.effect;
    if (defBehaviour != nullptr) *defBehaviour = receiver.getValue() != 0;
}

template <class TargetEvent>
void dragMoved(const TargetEvent& event, DG::DragDrop::Effect* effect, bool* defBehaviour) {
    DropRecord record = targetRecord(5, effect != nullptr ? *effect : 0, event);
    ItemReceiver receiver(0);
    if (!sendDrop(event, record, &receiver)) return;
    if (effect != nullptr) *effect = record.effect;
    if (defBehaviour != nullptr) *defBehaviour = receiver.getValue() != 0;
}

// Left (6) and dropped (7).
template <class TargetEvent>
void dragEndedAtTarget(uint16_t stage, const TargetEvent& event, DG::DragDrop::Effect* effect) {
    DropRecord record = targetRecord(stage, DG::DragDrop::All, event);
    if (sendDrop(event, record) && effect != nullptr) *effect = record.effect;
}

} // namespace tarnwick::notices
