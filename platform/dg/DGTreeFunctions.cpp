#include "DGTreeFunctions.h"

#include <algorithm>
#include <string>

#include "DGDesk.h"
#include "DGImage.h"
#include "DGPanel.h"
#include "DGPanelState.h"
#include "DGTreeState.h"

namespace {

using DG::TreeState;

std::string itemName(short dialId, short item) {
    return "item " + std::to_string(item) + " of panel " + std::to_string(dialId);
}

// The tree of a tree-view item; null, with the refusal recorded, for anything else.
TreeState* treeFor(const char* call, short dialId, short item) {
    DG::Desk& desk = DG::Desk::Get();
    DG::Panel* panel = desk.FindPanel(dialId);
    if (panel == nullptr) {
        desk.Refuse(std::string(call) + ": no panel " + std::to_string(dialId));
        return nullptr;
    }
    DG::ItemState* state = panel->State().item(item);
    if (state == nullptr) {
        desk.Refuse(std::string(call) + ": no " + itemName(dialId, item));
        return nullptr;
    }
    TreeState* tree = DG::TreeOf(*state);
    if (tree == nullptr)
        desk.Refuse(std::string(call) + ": " + itemName(dialId, item) + " is " +
                    DG::ItemTypeWithArticle(state->type));
    return tree;
}

// The tree item; null, with the refusal recorded, when it is not there.
TreeState::Node* nodeFor(const char* call, short dialId, short item, int32_t tvItem,
                         TreeState** tree = nullptr) {
    TreeState* found = treeFor(call, dialId, item);
    if (tree != nullptr) *tree = found;
    if (found == nullptr) return nullptr;
    if (TreeState::Node* node = found->Find(tvItem)) return node;
    DG::Desk::Get().Refuse(std::string(call) + ": no tree item " + std::to_string(tvItem) + " in " +
                           itemName(dialId, item));
    return nullptr;
}

bool refuseUnknown(const char* call, short dialId, short item, int32_t tvItem, const TreeState& tree) {
    if (tvItem == DG::TreeRootItem || tree.IsItem(tvItem)) return false;
    DG::Desk::Get().Refuse(std::string(call) + ": no tree item " + std::to_string(tvItem) + " in " +
                           itemName(dialId, item));
    return true;
}

void select(const char* call, short dialId, short item, int32_t tvItem, bool on) {
    TreeState* tree = treeFor(call, dialId, item);
    if (tree == nullptr || refuseUnknown(call, dialId, item, tvItem, *tree)) return;
    if (tvItem == DG::TreeRootItem)
        tree->SelectAll(on);
    else
        tree->Select(tvItem, on);
}

void expand(const char* call, short dialId, short item, int32_t tvItem, bool on) {
    TreeState* tree = nullptr;
    if (nodeFor(call, dialId, item, tvItem, &tree) != nullptr) tree->SetExpanded(tvItem, on);
}

} // namespace

int32_t DGTreeViewInsertItem(short dialId, short item, int32_t parent, int32_t position) {
    TreeState* tree = treeFor("DGTreeViewInsertItem", dialId, item);
    if (tree == nullptr) return DG::TreeNoItem;
    int32_t made = tree->Insert(parent, position);
    if (made == DG::TreeNoItem)
        DG::Desk::Get().Refuse("DGTreeViewInsertItem: no place " + std::to_string(position) +
                               " under tree item " + std::to_string(parent) + " in " +
                               itemName(dialId, item));
    return made;
}

void DGTreeViewDeleteItem(short dialId, short item, int32_t tvItem) {
    TreeState* tree = treeFor("DGTreeViewDeleteItem", dialId, item);
    if (tree == nullptr || refuseUnknown("DGTreeViewDeleteItem", dialId, item, tvItem, *tree)) return;
    tree->Delete(tvItem);
}

int32_t DGTreeViewGetItem(short dialId, short item, int32_t tvItem, short relation) {
    TreeState* tree = treeFor("DGTreeViewGetItem", dialId, item);
    if (tree == nullptr || refuseUnknown("DGTreeViewGetItem", dialId, item, tvItem, *tree))
        return DG::TreeNoItem;
    bool known = false;
    int32_t related = tree->Related(tvItem, relation, &known);
    if (!known) DG::Desk::Get().Refuse("DGTreeViewGetItem: no relation " + std::to_string(relation));
    return related;
}

int32_t DGTreeViewGetItemCount(short dialId, short item) {
    TreeState* tree = treeFor("DGTreeViewGetItemCount", dialId, item);
    return tree != nullptr ? tree->Count() : 0;
}

void DGTreeViewExpandItem(short dialId, short item, int32_t tvItem) {
    expand("DGTreeViewExpandItem", dialId, item, tvItem, true);
}

void DGTreeViewCollapseItem(short dialId, short item, int32_t tvItem) {
    expand("DGTreeViewCollapseItem", dialId, item, tvItem, false);
}

bool DGTreeViewIsItemExpanded(short dialId, short item, int32_t tvItem) {
    const TreeState::Node* node = nodeFor("DGTreeViewIsItemExpanded", dialId, item, tvItem);
    return node != nullptr && node->expanded;
}

int32_t DGTreeViewGetSelected(short dialId, short item, int32_t tvItem) {
    TreeState* tree = treeFor("DGTreeViewGetSelected", dialId, item);
    if (tree == nullptr || refuseUnknown("DGTreeViewGetSelected", dialId, item, tvItem, *tree))
        return DG::TreeNoItem;
    return tree->FirstSelectedFrom(tvItem);
}

int32_t DGTreeViewGetSelCount(short dialId, short item) {
    TreeState* tree = treeFor("DGTreeViewGetSelCount", dialId, item);
    return tree != nullptr ? tree->SelectedCount() : 0;
}

int32_t DGTreeViewGetSelItems(short dialId, short item, int32_t* items, int32_t capacity) {
    TreeState* tree = treeFor("DGTreeViewGetSelItems", dialId, item);
    if (tree == nullptr || items == nullptr || capacity <= 0) return 0;
    std::vector<int32_t> selected = tree->Selected();
    size_t count = std::min(selected.size(), static_cast<size_t>(capacity));
    std::copy_n(selected.begin(), count, items);
    return static_cast<int32_t>(count);
}

void DGTreeViewSelectItem(short dialId, short item, int32_t tvItem) {
    select("DGTreeViewSelectItem", dialId, item, tvItem, true);
}

void DGTreeViewDeselectItem(short dialId, short item, int32_t tvItem) {
    select("DGTreeViewDeselectItem", dialId, item, tvItem, false);
}

GS::UniString DGTreeViewGetItemText(short dialId, short item, int32_t tvItem) {
    const TreeState::Node* node = nodeFor("DGTreeViewGetItemText", dialId, item, tvItem);
    return node != nullptr ? node->text : GS::UniString();
}

void DGTreeViewSetItemText(short dialId, short item, int32_t tvItem, const GS::UniString& text) {
    if (TreeState::Node* node = nodeFor("DGTreeViewSetItemText", dialId, item, tvItem)) node->text = text;
}

bool DGTreeViewGetItemColor(short dialId, short item, int32_t tvItem, unsigned short* red,
                            unsigned short* green, unsigned short* blue) {
    const TreeState::Node* node = nodeFor("DGTreeViewGetItemColor", dialId, item, tvItem);
    if (node == nullptr) return false;
    if (red != nullptr) *red = node->red;
    if (green != nullptr) *green = node->green;
    if (blue != nullptr) *blue = node->blue;
    return true;
}

void DGTreeViewSetItemColor(short dialId, short item, int32_t tvItem, unsigned short red,
                            unsigned short green, unsigned short blue) {
    TreeState::Node* node = nodeFor("DGTreeViewSetItemColor", dialId, item, tvItem);
    if (node == nullptr) return;
    node->red = red;
    node->green = green;
    node->blue = blue;
}

short DGTreeViewGetItemStyle(short dialId, short item, int32_t tvItem) {
    const TreeState::Node* node = nodeFor("DGTreeViewGetItemStyle", dialId, item, tvItem);
    return node != nullptr ? node->style : 0;
}

void DGTreeViewSetItemStyle(short dialId, short item, int32_t tvItem, short style) {
    if (TreeState::Node* node = nodeFor("DGTreeViewSetItemStyle", dialId, item, tvItem)) node->style = style;
}

uint64_t DGTreeViewGetItemUserData(short dialId, short item, int32_t tvItem) {
    const TreeState::Node* node = nodeFor("DGTreeViewGetItemUserData", dialId, item, tvItem);
    return node != nullptr ? node->userData : 0;
}

void DGTreeViewSetItemUserData(short dialId, short item, int32_t tvItem, uint64_t value) {
    if (TreeState::Node* node = nodeFor("DGTreeViewSetItemUserData", dialId, item, tvItem))
        node->userData = value;
}

void DGTreeViewSetItemIcon(short dialId, short item, int32_t tvItem, short iconKind, const DG::Icon& icon) {
    TreeState::Node* node = nodeFor("DGTreeViewSetItemIcon", dialId, item, tvItem);
    if (node == nullptr) return;
    if (iconKind != 0) {
        DG::Desk::Get().Refuse("DGTreeViewSetItemIcon: no icon kind " + std::to_string(iconKind));
        return;
    }
    node->icon = icon;
}

DG::Icon DGTreeViewGetItemIcon(short dialId, short item, int32_t tvItem, short iconKind) {
    const TreeState::Node* node = nodeFor("DGTreeViewGetItemIcon", dialId, item, tvItem);
    if (node == nullptr) return DG::Icon();
    if (iconKind != 0) {
        DG::Desk::Get().Refuse("DGTreeViewGetItemIcon: no icon kind " + std::to_string(iconKind));
        return DG::Icon();
    }
    return node->icon;
}

void DGTreeViewRedrawItem(short dialId, short item, int32_t tvItem) {
    TreeState* tree = nullptr;
    if (nodeFor("DGTreeViewRedrawItem", dialId, item, tvItem, &tree) != nullptr) ++tree->redraws;
}

void DGTreeViewDisableDraw(short dialId, short item) {
    if (TreeState* tree = treeFor("DGTreeViewDisableDraw", dialId, item)) ++tree->drawDisabled;
}

void DGTreeViewEnableDraw(short dialId, short item) {
    TreeState* tree = treeFor("DGTreeViewEnableDraw", dialId, item);
    if (tree == nullptr) return;
    if (tree->drawDisabled == 0) {
        DG::Desk::Get().Refuse("DGTreeViewEnableDraw: drawing of " + itemName(dialId, item) + " is not off");
        return;
    }
    if (--tree->drawDisabled == 0) ++tree->redraws;
}
