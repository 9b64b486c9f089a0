// The tree view's host notifications as events of the panel that owns the control.
#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "interface/TreeViewControl.h"
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

uint64_t treeItemData(int32_t treeItem) {
    return static_cast<uint32_t>(treeItem);
}

DropRecord dropRecord(uint16_t stage, uint16_t effect) {
    DropRecord record;
    record.messageCode = stage;
    record.effect = effect;
    return record;
}

DropRecord targetRecord(uint16_t stage, uint16_t effect, const DG::TreeViewDropTargetEvent& event) {
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

void TreeViewControl::Observer::attach(DG::Panel&, DialogControl& control) {
    auto* tree = dynamic_cast<TreeViewControl*>(&control);
    if (tree && tree->getItem()) tree->getItem()->Attach(*this);
}

void TreeViewControl::Observer::TreeViewSelectionChanged(const DG::TreeViewSelectionChangeEvent& event) {
    notifyPanel<ItemEvent>(event, 6, 0);
}

void TreeViewControl::Observer::TreeViewClicked(const DG::TreeViewClickEvent& event) {
    notifyPanel<ActionEvent>(event, 4, treeItemData(event.GetTreeItem()));
}

void TreeViewControl::Observer::TreeViewItemClicked(const DG::TreeViewItemClickEvent& event) {
    notifyPanel<ActionEvent>(event, 0, 0);
}

void TreeViewControl::Observer::TreeViewDoubleClicked(const DG::TreeViewDoubleClickEvent& event) {
    notifyPanel<ActionEvent>(event, 5, treeItemData(event.GetTreeItem()));
}

void TreeViewControl::Observer::TreeViewItemExpanded(const DG::TreeViewItemExpandEvent& event) {
    TreeItemNotice notice{3, static_cast<uint32_t>(event.GetTreeItem()), String(), String()};
    notifyPanel<ItemEvent>(event, 6, pointerData(&notice));
}

void TreeViewControl::Observer::TreeViewItemCollapsed(const DG::TreeViewItemCollapseEvent& event) {
    TreeItemNotice notice{4, static_cast<uint32_t>(event.GetTreeItem()), String(), String()};
    notifyPanel<ItemEvent>(event, 6, pointerData(&notice));
}

void TreeViewControl::Observer::TreeViewDragStarting(const DG::TreeViewDragSourceEvent& event,
                                                     bool* canStart) {
    DropRecord record = dropRecord(0, 0);
    ItemReceiver receiver(1);
    if (sendDrop(event, record, &receiver) && canStart != nullptr) *canStart = receiver.getValue() != 0;
}

void TreeViewControl::Observer::TreeViewDragStarted(const DG::TreeViewDragSourceEvent& event,
                                                    DG::DragDrop::Effect* effect, bool* rightDragMenu) {
    DropRecord record = dropRecord(1, effect != nullptr ? *effect : 0);
    if (!sendDrop(event, record)) return;
    if (effect != nullptr) *effect = record.effect;
    if (rightDragMenu != nullptr) *rightDragMenu = record.flag != 0;
}

void TreeViewControl::Observer::TreeViewDragEnded(const DG::TreeViewDragSourceEvent& event,
                                                  DG::DragDrop::Effect effect) {
    DropRecord record = dropRecord(2, effect);
    sendDrop(event, record);
}

void TreeViewControl::Observer::TreeViewDragEntered(const DG::TreeViewDropTargetEvent& event,
                                                    DG::DragDrop::Effect* effect, bool* defBehaviour) {
    DropRecord record = targetRecord(4, DG::DragDrop::All, event);
    ItemReceiver receiver(defBehaviour == nullptr || *defBehaviour ? 1 : 0);
    if (!sendDrop(event, record, &receiver)) return;
    if (effect != nullptr) *effect = record.effect;
    if (defBehaviour != nullptr) *defBehaviour = receiver.getValue() != 0;
}

void TreeViewControl::Observer::TreeViewDragMoved(const DG::TreeViewDropTargetEvent& event,
                                                  DG::DragDrop::Effect* effect, bool* defBehaviour) {
    DropRecord record = targetRecord(5, effect != nullptr ? *effect : 0, event);
    ItemReceiver receiver(0);
    if (!sendDrop(event, record, &receiver)) return;
    if (effect != nullptr) *effect = record.effect;
    if (defBehaviour != nullptr) *defBehaviour = receiver.getValue() != 0;
}

void TreeViewControl::Observer::TreeViewDragLeft(const DG::TreeViewDropTargetEvent& event,
                                                 DG::DragDrop::Effect* effect) {
    DropRecord record = targetRecord(6, DG::DragDrop::All, event);
    if (sendDrop(event, record) && effect != nullptr) *effect = record.effect;
}

void TreeViewControl::Observer::TreeViewDropped(const DG::TreeViewDropTargetEvent& event,
                                                DG::DragDrop::Effect* effect) {
    DropRecord record = targetRecord(7, DG::DragDrop::All, event);
    if (sendDrop(event, record) && effect != nullptr) *effect = record.effect;
}

uint16_t TreeViewControl::Observer::drop(const DG::ItemEvent& source, uint16_t stage, uint32_t insertPosition,
                                         uint16_t relativePosition) {
    DropRecord record = dropRecord(stage, DG::DragDrop::All);
    record.insertPosition = insertPosition;
    record.relativePosition = relativePosition;
    sendDrop(source, record);
    return record.effect;
}

} // namespace tarnwick
