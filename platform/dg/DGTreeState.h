// The items of one tree view, as the dialog manager keeps them: a forest under the root (item 0),
// each item with its text, colour, style, icon, user data, expanded flag and selection. Items are
// found by number in a hash; siblings are linked both ways, so that inserting and deleting never
// walk a list of siblings.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "DGImage.h"
#include "DGTreeView.h"
#include "platform/gsroot/UniString.h"

namespace DG {

struct ItemState;

class HOSTLIB_API TreeState {
public:
    struct Node {
        int32_t parent = TreeRootItem;
        int32_t firstChild = TreeNoItem;
        int32_t lastChild = TreeNoItem;
        int32_t next = TreeNoItem;
        int32_t prev = TreeNoItem;
        GS::UniString text;
        uint16_t red = 0; // the text colour, 16 bits a component; black at first
        uint16_t green = 0;
        uint16_t blue = 0;
        short style = 0;
        Icon icon;
        uint64_t userData = 0;
        bool expanded = false;
        bool selected = false;
    };

    TreeState();

    // An item (not the root); null for any other number.
    Node* Find(int32_t item);
    const Node* Find(int32_t item) const;
    bool IsItem(int32_t item) const { return Find(item) != nullptr; }
    int32_t Count() const { return static_cast<int32_t>(m_nodes.size() - 1); }

    // A new item under `parent` (0 for the top level) at TreeFirstChild, TreeLastChild or after
    // the sibling `position` (0 also the first place); TreeNoItem when the parent or the sibling
    // is not there or the numbers are used up.
    int32_t Insert(int32_t parent, int32_t position);
    // Removes the item and everything under it; the root removes every item. False for an unknown
    // item.
    bool Delete(int32_t item);
    // TreeNoItem when there is no such item; false in `known` for a relation the tree has not.
    int32_t Related(int32_t item, short relation, bool* known = nullptr) const;
    // Every item in the order of the tree, expanded or not (depth first, parents first); from the
    // root, the first item.
    int32_t NextInOrder(int32_t item) const;
    // Levels above the item: 0 for a top-level item.
    int Depth(int32_t item) const;

    // Answers whether the item's selection changed.
    bool Select(int32_t item, bool on);
    // Every item at once; answers whether any changed.
    bool SelectAll(bool on);
    int32_t SelectedCount() const { return m_selected; }
    // The first selected item from `item` on (the item itself when it is selected) in the order
    // of the tree; from the root, the first of all.
    int32_t FirstSelectedFrom(int32_t item) const;
    // The selected items in the order of the tree.
    std::vector<int32_t> Selected() const;
    // Expands or collapses; answers whether it changed.
    bool SetExpanded(int32_t item, bool on);

    // The item named by texts from the top level down (the first of equal texts at each level);
    // TreeNoItem when there is none.
    int32_t FindPath(const std::vector<std::string>& texts) const;

    // The user's last plain click, where a shift click starts its range.
    int32_t anchor = TreeNoItem;
    // DGTreeViewDisableDraw calls not yet balanced by DGTreeViewEnableDraw.
    int drawDisabled = 0;
    int redraws = 0;

private:
    int32_t NextDisplayed(int32_t item) const;
    int32_t PrevDisplayed(int32_t item) const;
    int32_t LastDisplayedUnder(int32_t item) const;
    void Unlink(int32_t item);

    std::unordered_map<int32_t, Node> m_nodes; // item 0 is the root
    int32_t m_nextNumber = 1;
    int32_t m_selected = 0;
};

// The items of a tree-view item, made when first wanted; null for an item of another kind.
HOSTLIB_API TreeState* TreeOf(ItemState& item);

} // namespace DG
