// The list box's host notifications as events of the panel that owns the control.
#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "interface/ItemNotices.h"
#include "interface/ListControl.h"
#include "platform/dg/DGItems.h"

namespace tarnwick {

using notices::notifyPanel;

namespace {

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
    notices::dragStarting(event, canStart);
}

void ListControl::Observer::ListBoxDragStarted(const DG::ListBoxDragSourceEvent& event,
                                               DG::DragDrop::Effect* effect, bool* rightDragMenu) {
    notices::dragStarted(event, effect, rightDragMenu);
}

void ListControl::Observer::ListBoxDragEnded(const DG::ListBoxDragSourceEvent& event,
                                             DG::DragDrop::Effect effect) {
    notices::dragEnded(event, effect);
}

void ListControl::Observer::ListBoxDragEntered(const DG::ListBoxDropTargetEvent& event,
                                               DG::DragDrop::Effect* effect, bool* defBehaviour) {
    notices::dragEntered(event, effect, defBehaviour);
}

void ListControl::Observer::ListBoxDragMoved(const DG::ListBoxDropTargetEvent& event,
                                             DG::DragDrop::Effect* effect, bool* defBehaviour) {
    notices::dragMoved(event, effect, defBehaviour);
}

void ListControl::Observer::ListBoxDragLeft(const DG::ListBoxDropTargetEvent& event,
                                            DG::DragDrop::Effect* effect) {
    notices::dragEndedAtTarget(6, event, effect);
}

void ListControl::Observer::ListBoxDropped(const DG::ListBoxDropTargetEvent& event,
                                           DG::DragDrop::Effect* effect) {
    notices::dragEndedAtTarget(7, event, effect);
}

} // namespace tarnwick
