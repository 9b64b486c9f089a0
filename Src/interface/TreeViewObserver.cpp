// The tree view's host notifications as events of the panel that owns the control.
#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "interface/ItemNotices.h"
#include "interface/TreeViewControl.h"
#include "platform/dg/DGItems.h"

namespace tarnwick {

using notices::notifyPanel;

namespace {

uint64_t treeItemData(int32_t treeItem) {
    return static_cast<uint32_t>(treeItem);
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
    notices::dragStarting(event, canStart);
}

void TreeViewControl::Observer::TreeViewDragStarted(const DG::TreeViewDragSourceEvent& event,
                                                    DG::DragDrop::Effect* effect, bool* rightDragMenu) {
    notices::dragStarted(event, effect, rightDragMenu);
}

void TreeViewControl::Observer::TreeViewDragEnded(const DG::TreeViewDragSourceEvent& event,
                                                  DG::DragDrop::Effect effect) {
    notices::dragEnded(event, effect);
}

void TreeViewControl::Observer::TreeViewDragEntered(const DG::TreeViewDropTargetEvent& event,
                                                    DG::DragDrop::Effect* effect, bool* defBehaviour) {
    notices::dragEntered(event, effect, defBehaviour);
}

void TreeViewControl::Observer::TreeViewDragMoved(const DG::TreeViewDropTargetEvent& event,
                                                  DG::DragDrop::Effect* effect, bool* defBehaviour) {
    notices::dragMoved(event, effect, defBehaviour);
}

void TreeViewControl::Observer::TreeViewDragLeft(const DG::TreeViewDropTargetEvent& event,
                                                 DG::DragDrop::Effect* effect) {
    notices::dragEndedAtTarget(6, event, effect);
}

void TreeViewControl::Observer::TreeViewDropped(const DG::TreeViewDropTargetEvent& event,
                                                DG::DragDrop::Effect* effect) {
    notices::dragEndedAtTarget(7, event, effect);
}

uint16_t TreeViewControl::Observer::drop(const DG::ItemEvent& source, uint16_t stage, uint32_t insertPosition,
                                         uint16_t relativePosition) {
    DropRecord record = notices::dropRecord(stage, DG::DragDrop::All);
    record.insertPosition = insertPosition;
    record.relativePosition = relativePosition;
    notices::sendDrop(source, record);
    return record.effect;
}

} // namespace tarnwick
