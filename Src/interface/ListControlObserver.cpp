// The list box's host notifications as events of the panel that owns the control.
#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "interface/ListControl.h"
#include "platform/dg/DGItems.h"

namespace tarnwick {

namespace {

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
    panel->handleEvent(event);
    return true;
}

uint16_t modifierOf(short keys) {
    if ((keys & DG::CommandKey) != 0) return ListClick::Command;
    if ((keys & DG::OptionKey) != 0) return ListClick::Option;
    if ((keys & DG::ShiftKey) != 0) return ListClick::Shift;
    return ListClick::None;
}

void click(const DG::ListBoxClickEvent& event, uint32_t code) {
    ListClick data;
    data.listItem = static_cast<uint16_t>(event.GetRow());
    data.x = event.GetPosition().GetX();
    data.y = event.GetPosition().GetY();
    data.modifier = modifierOf(event.GetModifiers());
    notifyPanel<ActionEvent>(event, code, pointerData(&data));
}

template <class E>
void header(const DG::ItemEvent& event, uint32_t code, uint16_t stage, short first, short second,
            short change) {
    ListHeaderData data;
    data.action = stage;
    data.column = static_cast<uint16_t>(first);
    data.newPosition = static_cast<uint16_t>(second);
    data.width = static_cast<uint16_t>(change);
    notifyPanel<E>(event, code, pointerData(&data));
}

DropRecord dropRecord(uint16_t stage, uint16_t effect) {
    DropRecord record;
    record.messageCode = stage;
    record.effect = effect;
    return record;
}

DropRecord targetRecord(uint16_t stage, uint16_t effect, const DG::ListBoxDropTargetEvent& event) {
    DropRecord record = dropRecord(stage, effect);
    record.x = event.GetPosition().GetX();
    record.y = event.GetPosition().GetY();
    record.insertPosition = static_cast<uint32_t>(event.GetInsertPosition());
    record.relativePosition = static_cast<uint16_t>(event.GetRelativePosition());
    return record;
}

bool sendDrop(const DG::ItemEvent& event, DropRecord& record, Receiver* receiver = nullptr) {
    return notifyPanel<DropEvent>(event, 17, pointerData(&record), receiver);
}

} // namespace

void ListControl::Observer::attach(DG::Panel&, DialogControl& control) {
    auto* list = dynamic_cast<ListControl*>(&control);
    if (list && list->getItem()) list->getItem()->Attach(*this);
}

void ListControl::Observer::ListBoxSelectionChanged(const DG::ListBoxSelectionChangeEvent& event) {
    notifyPanel<ItemEvent>(event, 6, 0);
}

void ListControl::Observer::ListBoxClicked(const DG::ListBoxClickEvent& event) {
    click(event, 4);
}

void ListControl::Observer::ListBoxDoubleClicked(const DG::ListBoxClickEvent& event) {
    click(event, 5);
}

void ListControl::Observer::ListBoxTabFieldUpdated(const DG::ListBoxTabFieldUpdateEvent& event) {
    notifyPanel<ItemEvent>(event, 6, 0);
}

void ListControl::Observer::ListBoxHeaderItemClicked(const DG::ListBoxHeaderItemEvent& event) {
    header<ListHeaderClickEvent>(event, 23, 0, event.GetHeaderItem(), event.GetHeaderItem(), 0);
}

void ListControl::Observer::ListBoxHeaderItemDragged(const DG::ListBoxHeaderItemDragEvent& event) {
    header<ListHeaderDragEvent>(event, 24, 0, event.GetOldPosition(), event.GetNewPosition(), 0);
}

void ListControl::Observer::ListBoxHeaderItemResizeEntered(const DG::ListBoxHeaderItemEvent& event) {
    header<ListHeaderResizeEvent>(event, 25, 0, event.GetHeaderItem(), event.GetHeaderItem(),
                                  event.GetChange());
}

void ListControl::Observer::ListBoxHeaderItemResized(const DG::ListBoxHeaderItemEvent& event) {
    header<ListHeaderResizeEvent>(event, 25, 1, event.GetHeaderItem(), event.GetHeaderItem(),
                                  event.GetChange());
}

void ListControl::Observer::ListBoxHeaderItemResizeExited(const DG::ListBoxHeaderItemEvent& event) {
    header<ListHeaderResizeEvent>(event, 25, 2, event.GetHeaderItem(), event.GetHeaderItem(),
                                  event.GetChange());
}

void ListControl::Observer::ListBoxDragStarting(const DG::ListBoxDragSourceEvent& event, bool* canStart) {
    DropRecord record = dropRecord(0, 0);
    ItemReceiver receiver(1);
    if (sendDrop(event, record, &receiver) && canStart != nullptr) *canStart = receiver.getValue() != 0;
}

void ListControl::Observer::ListBoxDragStarted(const DG::ListBoxDragSourceEvent& event,
                                               DG::DragDrop::Effect* effect, bool* rightDragMenu) {
    DropRecord record = dropRecord(1, effect != nullptr ? *effect : 0);
    if (!sendDrop(event, record)) return;
    if (effect != nullptr) *effect = record.effect;
    if (rightDragMenu != nullptr) *rightDragMenu = record.flag != 0;
}

void ListControl::Observer::ListBoxDragEnded(const DG::ListBoxDragSourceEvent& event,
                                             DG::DragDrop::Effect effect) {
    DropRecord record = dropRecord(2, effect);
    sendDrop(event, record);
}

void ListControl::Observer::ListBoxDragEntered(const DG::ListBoxDropTargetEvent& event,
                                               DG::DragDrop::Effect* effect, bool* defBehaviour) {
    DropRecord record = targetRecord(4, DG::DragDrop::All, event);
    ItemReceiver receiver(defBehaviour == nullptr || *defBehaviour ? 1 : 0);
    if (!sendDrop(event, record, &receiver)) return;
    if (effect != nullptr) *effect = record.effect;
    if (defBehaviour != nullptr) *defBehaviour = receiver.getValue() != 0;
}

void ListControl::Observer::ListBoxDragMoved(const DG::ListBoxDropTargetEvent& event,
                                             DG::DragDrop::Effect* effect, bool* defBehaviour) {
    DropRecord record = targetRecord(5, effect != nullptr ? *effect : 0, event);
    ItemReceiver receiver(0);
    if (!sendDrop(event, record, &receiver)) return;
    if (effect != nullptr) *effect = record.effect;
    if (defBehaviour != nullptr) *defBehaviour = receiver.getValue() != 0;
}

void ListControl::Observer::ListBoxDragLeft(const DG::ListBoxDropTargetEvent& event,
                                            DG::DragDrop::Effect* effect) {
    DropRecord record = targetRecord(6, DG::DragDrop::All, event);
    if (sendDrop(event, record) && effect != nullptr) *effect = record.effect;
}

void ListControl::Observer::ListBoxDropped(const DG::ListBoxDropTargetEvent& event,
                                           DG::DragDrop::Effect* effect) {
    DropRecord record = targetRecord(7, DG::DragDrop::All, event);
    if (sendDrop(event, record) && effect != nullptr) *effect = record.effect;
}

} // namespace tarnwick
