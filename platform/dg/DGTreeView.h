// Tree view items as the add-on holds them, their notification events and observers. The tree's
// items themselves live in the dialog manager (DGTreeState.h) and are reached by number through
// the DGTreeView functions.
#pragma once

#include <cstdint>

#include "DGItem.h"

namespace DG {

// Tree item numbers: from 1, in the order made, never given twice while the panel lives.
constexpr int32_t TreeRootItem = 0;        // above the top level
constexpr int32_t TreeNoItem = -1;         // 0xFFFFFFFF: none, or a refusal
constexpr int32_t TreeFirstChild = -65535; // insert positions besides a sibling to follow
constexpr int32_t TreeLastChild = -65534;

// The relations of DGTreeViewGetItem. Display order is what the user sees top to bottom: the
// items whose ancestors are all expanded.
enum TreeRelation : short {
    TreeNextSibling = 1,
    TreePrevSibling = 2,
    TreeParent = 3, // 0 for a top-level item
    TreeChild = 4,  // the first child; of item 0, the first top-level item
    TreeLastDisplayed = 5,
    TreeNextDisplayed = 6,
    TreePrevDisplayed = 7,
};

// A notification about one tree item: `modifiers` are the DG::ModifierKey bits held.
class HOSTLIB_API TreeViewItemEvent : public ItemEvent {
public:
    TreeViewItemEvent(Item* source, int32_t treeItem, short modifiers = 0)
        : ItemEvent(source), m_treeItem(treeItem), m_modifiers(modifiers) {}
    int32_t GetTreeItem() const { return m_treeItem; }
    short GetModifiers() const { return m_modifiers; }

private:
    int32_t m_treeItem;
    short m_modifiers;
};

using TreeViewSelectionChangeEvent = ItemChangeEvent;
using TreeViewClickEvent = TreeViewItemEvent;
using TreeViewItemClickEvent = TreeViewItemEvent;
using TreeViewDoubleClickEvent = TreeViewItemEvent;
using TreeViewItemExpandEvent = TreeViewItemEvent;
using TreeViewItemCollapseEvent = TreeViewItemEvent;
// The tree item dragged.
using TreeViewDragSourceEvent = TreeViewItemEvent;

// Where a drag is over the tree view: the target position as the tree view gives it, the tree
// item it would insert at and where relative to it.
class HOSTLIB_API TreeViewDropTargetEvent : public ItemEvent {
public:
    enum RelativePosition : short { Over = 0, Before = 1, After = 2 };
    TreeViewDropTargetEvent(Item* source, Point position, int32_t insertPosition, short relativePosition)
        : ItemEvent(source), m_position(position), m_insertPosition(insertPosition),
          m_relativePosition(relativePosition) {}
    Point GetPosition() const { return m_position; }
    int32_t GetInsertPosition() const { return m_insertPosition; }
    short GetRelativePosition() const { return m_relativePosition; }

private:
    Point m_position;
    int32_t m_insertPosition;
    short m_relativePosition;
};

// A click on a tree item is heard as TreeViewClicked, then TreeViewSelectionChanged when the
// selection changed, then TreeViewItemClicked; a double click adds TreeViewDoubleClicked. Only the
// user's actions are heard: what the add-on changes through the DGTreeView functions is not.
class HOSTLIB_API TreeViewObserver : public ItemObserver {
public:
    virtual void TreeViewSelectionChanged(const TreeViewSelectionChangeEvent&) {}
    virtual void TreeViewClicked(const TreeViewClickEvent&) {}
    virtual void TreeViewItemClicked(const TreeViewItemClickEvent&) {}
    virtual void TreeViewDoubleClicked(const TreeViewDoubleClickEvent&) {}
    virtual void TreeViewItemExpanded(const TreeViewItemExpandEvent&) {}
    virtual void TreeViewItemCollapsed(const TreeViewItemCollapseEvent&) {}

    // The drag source. `canStart` starts true; `effect` starts with the effects the tree view
    // allows and goes back as those the drag offers.
    virtual void TreeViewDragStarting(const TreeViewDragSourceEvent&, bool* /*canStart*/) {}
    virtual void TreeViewDragStarted(const TreeViewDragSourceEvent&, DragDrop::Effect* /*effect*/,
                                     bool* /*rightDragMenu*/) {}
    virtual void TreeViewDragEnded(const TreeViewDragSourceEvent&, DragDrop::Effect /*effect*/) {}

    // The drop target. `defBehaviour` true leaves the tree view's own handling (marking the
    // target) in place; it may be null, when the tree view offers none.
    virtual void TreeViewDragEntered(const TreeViewDropTargetEvent&, DragDrop::Effect* /*effect*/,
                                     bool* /*defBehaviour*/) {}
    virtual void TreeViewDragMoved(const TreeViewDropTargetEvent&, DragDrop::Effect* /*effect*/,
                                   bool* /*defBehaviour*/) {}
    virtual void TreeViewDragLeft(const TreeViewDropTargetEvent&, DragDrop::Effect* /*effect*/) {}
    virtual void TreeViewDropped(const TreeViewDropTargetEvent&, DragDrop::Effect* /*effect*/) {}
};

class HOSTLIB_API TreeView : public Item {
public:
    void Attach(TreeViewObserver& observer) { Item::Attach(observer); }
    void Detach(TreeViewObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;

protected:
    TreeView(const Panel& panel, short item) : Item(panel, item, ItemType::TreeView) {}
};

class HOSTLIB_API SingleSelTreeView : public TreeView {
public:
    SingleSelTreeView(const Panel& panel, short item) : TreeView(panel, item) {}
};

class HOSTLIB_API MultiSelTreeView : public TreeView {
public:
    MultiSelTreeView(const Panel& panel, short item) : TreeView(panel, item) {}
};

} // namespace DG
