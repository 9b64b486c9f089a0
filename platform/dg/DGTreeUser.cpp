// What the user does in a tree view: clicks and double clicks on its items, and their expanders,
// each delivered to the tree view's observers as the host would.
#include <string>

#include "DGDelivery.h"
#include "DGDesk.h"
#include "DGItems.h"
#include "DGPanel.h"
#include "DGPanelState.h"
#include "DGTreeState.h"

namespace DG {

namespace {

bool refuse(std::string* why, const std::string& text) {
    if (why != nullptr) *why = text;
    return false;
}

// The tree the user can reach: the panel open, the item a visible and enabled tree view, the
// tree item in it.
TreeState* reachableTree(Panel& panel, short item, int32_t treeItem, std::string* why) {
    PanelState& state = panel.State();
    std::string what = "item " + std::to_string(item) + " of " + Desk::Describe(panel);
    if (!state.open) return refuse(why, Desk::Describe(panel) + " is not open"), nullptr;
    ItemState* found = state.item(item);
    if (found == nullptr)
        return refuse(why, Desk::Describe(panel) + " has no item " + std::to_string(item)), nullptr;
    TreeState* tree = TreeOf(*found);
    if (tree == nullptr)
        return refuse(why, what + " is " + ItemTypeWithArticle(found->type) + ", not a tree view"), nullptr;
    if (!found->visible) return refuse(why, what + " is hidden"), nullptr;
    if (!found->enabled) return refuse(why, what + " is disabled"), nullptr;
    if (!tree->IsItem(treeItem))
        return refuse(why, what + " has no tree item " + std::to_string(treeItem)), nullptr;
    return tree;
}

// Delivers to the tree view's observers with the keys held in the mouse record meanwhile.
void toTree(Panel& panel, short item, short modifiers, std::function<void(Item&, TreeViewObserver&)> notify) {
    Delivery::Run(panel, [item, modifiers, notify = std::move(notify)](Panel& p) {
        Desk& desk = Desk::Get();
        DGMousePosData saved = desk.GetMouse();
        DGMousePosData held = saved;
        held.modifiers = modifiers;
        desk.SetMouse(held);
        Delivery::CallItemObservers(p.State(), item, [&](Item& source, ItemObserver& observer) {
            if (auto* tree = dynamic_cast<TreeViewObserver*>(&observer)) notify(source, *tree);
        });
        desk.SetMouse(saved);
    });
}

// The selection after a click; answers whether it changed.
bool clickSelection(TreeState& tree, int32_t treeItem, short modifiers) {
    if ((modifiers & CommandKey) != 0) {
        tree.anchor = treeItem;
        return tree.Select(treeItem, !tree.Find(treeItem)->selected);
    }
    if ((modifiers & ShiftKey) != 0 && tree.IsItem(tree.anchor)) {
        // The range runs in the order of the tree, whichever end comes first.
        bool changed = false;
        int32_t from = tree.anchor;
        int32_t at = from;
        while (at != TreeNoItem && at != treeItem)
            at = tree.NextInOrder(at);
        if (at == TreeNoItem) from = treeItem;
        int32_t to = from == treeItem ? tree.anchor : treeItem;
        for (at = from; at != TreeNoItem; at = tree.NextInOrder(at)) {
            changed = tree.Select(at, true) || changed;
            if (at == to) break;
        }
        return changed;
    }
    tree.anchor = treeItem;
    bool wasOnly = tree.SelectedCount() == 1 && tree.Find(treeItem)->selected;
    if (wasOnly) return false;
    tree.SelectAll(false);
    tree.Select(treeItem, true);
    return true;
}

} // namespace

bool Desk::ClickTreeItem(Panel& panel, short item, int32_t treeItem, short modifiers, std::string* why) {
    if (reachableTree(panel, item, treeItem, why) == nullptr) return false;
    toTree(panel, item, modifiers, [treeItem, modifiers](Item& source, TreeViewObserver& observer) {
        observer.TreeViewClicked(TreeViewClickEvent(&source, treeItem, modifiers));
    });
    Delivery::Run(panel, [item, treeItem, modifiers](Panel& p) {
        ItemState* state = p.State().item(item);
        TreeState* tree = state != nullptr ? TreeOf(*state) : nullptr;
        // A click handler may have taken the item away.
        if (tree == nullptr || !tree->IsItem(treeItem) || !clickSelection(*tree, treeItem, modifiers)) return;
        toTree(p, item, modifiers, [](Item& source, TreeViewObserver& observer) {
            observer.TreeViewSelectionChanged(TreeViewSelectionChangeEvent(&source));
        });
    });
    toTree(panel, item, modifiers, [treeItem, modifiers](Item& source, TreeViewObserver& observer) {
        observer.TreeViewItemClicked(TreeViewItemClickEvent(&source, treeItem, modifiers));
    });
    return true;
}

bool Desk::DoubleClickTreeItem(Panel& panel, short item, int32_t treeItem, short modifiers,
                               std::string* why) {
    if (!ClickTreeItem(panel, item, treeItem, modifiers, why)) return false;
    toTree(panel, item, modifiers, [treeItem, modifiers](Item& source, TreeViewObserver& observer) {
        observer.TreeViewDoubleClicked(TreeViewDoubleClickEvent(&source, treeItem, modifiers));
    });
    return true;
}

bool Desk::ExpandTreeItem(Panel& panel, short item, int32_t treeItem, bool expand, short modifiers,
                          std::string* why) {
    TreeState* tree = reachableTree(panel, item, treeItem, why);
    if (tree == nullptr) return false;
    if (tree->Find(treeItem)->firstChild == TreeNoItem)
        return refuse(why, "tree item " + std::to_string(treeItem) + " has no children to " +
                               (expand ? "expand" : "collapse"));
    if (!tree->SetExpanded(treeItem, expand)) return true;
    toTree(panel, item, modifiers, [treeItem, modifiers, expand](Item& source, TreeViewObserver& observer) {
        TreeViewItemEvent event(&source, treeItem, modifiers);
        if (expand)
            observer.TreeViewItemExpanded(event);
        else
            observer.TreeViewItemCollapsed(event);
    });
    return true;
}

} // namespace DG
