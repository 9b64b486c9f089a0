// The dialog manager's functions over the items of a tree view, addressed by panel id, dialog
// item (from 1) and tree item number (DGTreeView.h). A call on a panel or item that does not
// exist, on an item that is no tree view, or on a tree item that is not there changes nothing and
// answers 0, false, empty or TreeNoItem; the refusal is recorded (DG::Desk). None of them is heard
// by the tree view's observers: only the user's actions are.
#pragma once

#include <cstdint>

#include "DGTreeView.h"
#include "platform/gsroot/UniString.h"

namespace DG {
class Icon; // platform/dg/DGImage.h
}

// The new item under `parent` (0: the top level) at DG::TreeFirstChild, DG::TreeLastChild, or
// after the sibling `position` (0 also the first place); TreeNoItem when refused.
HOSTLIB_API int32_t DGTreeViewInsertItem(short dialId, short item, int32_t parent, int32_t position);
// The tree item with everything under it; 0 every item.
HOSTLIB_API void DGTreeViewDeleteItem(short dialId, short item, int32_t tvItem);
// A DG::TreeRelation of the tree item (item 0 the root: its first child, the last displayed and
// the first displayed); TreeNoItem when there is no such item.
HOSTLIB_API int32_t DGTreeViewGetItem(short dialId, short item, int32_t tvItem, short relation);
HOSTLIB_API int32_t DGTreeViewGetItemCount(short dialId, short item);

HOSTLIB_API void DGTreeViewExpandItem(short dialId, short item, int32_t tvItem);
HOSTLIB_API void DGTreeViewCollapseItem(short dialId, short item, int32_t tvItem);
HOSTLIB_API bool DGTreeViewIsItemExpanded(short dialId, short item, int32_t tvItem);

// The first selected item from `tvItem` on (the item itself when selected) in the order of the
// tree, expanded or not; from 0, the first of all; TreeNoItem when none.
HOSTLIB_API int32_t DGTreeViewGetSelected(short dialId, short item, int32_t tvItem);
HOSTLIB_API int32_t DGTreeViewGetSelCount(short dialId, short item);
// Writes the selected items in the order of the tree, at most `capacity` of them, and answers how
// many it wrote.
HOSTLIB_API int32_t DGTreeViewGetSelItems(short dialId, short item, int32_t* items, int32_t capacity);
// Tree item 0: every item.
HOSTLIB_API void DGTreeViewSelectItem(short dialId, short item, int32_t tvItem);
HOSTLIB_API void DGTreeViewDeselectItem(short dialId, short item, int32_t tvItem);

HOSTLIB_API GS::UniString DGTreeViewGetItemText(short dialId, short item, int32_t tvItem);
HOSTLIB_API void DGTreeViewSetItemText(short dialId, short item, int32_t tvItem, const GS::UniString& text);
// The text colour, 16 bits a component; false, leaving the components alone, when refused.
HOSTLIB_API bool DGTreeViewGetItemColor(short dialId, short item, int32_t tvItem, unsigned short* red,
                                        unsigned short* green, unsigned short* blue);
HOSTLIB_API void DGTreeViewSetItemColor(short dialId, short item, int32_t tvItem, unsigned short red,
                                        unsigned short green, unsigned short blue);
// The text style bits: 16 bold, 32 italic.
HOSTLIB_API short DGTreeViewGetItemStyle(short dialId, short item, int32_t tvItem);
HOSTLIB_API void DGTreeViewSetItemStyle(short dialId, short item, int32_t tvItem, short style);
HOSTLIB_API uint64_t DGTreeViewGetItemUserData(short dialId, short item, int32_t tvItem);
HOSTLIB_API void DGTreeViewSetItemUserData(short dialId, short item, int32_t tvItem, uint64_t value);
// Icon kind 0 is the item's icon; the tree view has no other.
HOSTLIB_API void DGTreeViewSetItemIcon(short dialId, short item, int32_t tvItem, short iconKind,
                                       const DG::Icon& icon);
HOSTLIB_API DG::Icon DGTreeViewGetItemIcon(short dialId, short item, int32_t tvItem, short iconKind);
HOSTLIB_API void DGTreeViewRedrawItem(short dialId, short item, int32_t tvItem);

// Drawing is off from a DisableDraw until the EnableDraw that balances it; an EnableDraw that
// balances none is refused.
HOSTLIB_API void DGTreeViewDisableDraw(short dialId, short item);
HOSTLIB_API void DGTreeViewEnableDraw(short dialId, short item);
