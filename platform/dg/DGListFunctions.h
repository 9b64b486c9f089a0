// The dialog manager's functions over list boxes, addressed by panel id, dialog item (from 1),
// row (list item, from 1) and tab field (from 1). A call on a panel or item that does not exist,
// on an item that is no list box, or on a row, tab field or header item that is not there changes
// nothing and answers 0, false or empty; the refusal is recorded (DG::Desk). None of them is heard
// by the list's observers: only the user's actions are.
#pragma once

#include <cstdint>

#include "DGListBox.h"
#include "platform/gsroot/UniString.h"

namespace DG {
class Icon; // platform/dg/DGImage.h

constexpr short ListBottom = -1; // DGListInsertItem: after the last row
constexpr short ListAllItems = 0;
} // namespace DG

// --- Rows.
HOSTLIB_API short DGListGetItemCount(short dialId, short item);
// A new empty row at `listItem` (1..count + 1) or DG::ListBottom; false when refused, also at
// 32767 rows.
HOSTLIB_API bool DGListInsertItem(short dialId, short item, short listItem);
// DG::ListAllItems deletes every row.
HOSTLIB_API void DGListDeleteItem(short dialId, short item, short listItem);

// --- Selection. The first selected row from `listItem` on (the row itself when selected; 0 from
// the first); 0 when none.
HOSTLIB_API short DGListGetSelected(short dialId, short item, short listItem);
// DG::ListAllItems: every row. Dialog items on the tab fields move to the first selected row.
HOSTLIB_API void DGListSelectItem(short dialId, short item, short listItem);
HOSTLIB_API void DGListDeselectItem(short dialId, short item, short listItem);

// --- Cells: a tab field (1..the tab field count) of a row.
HOSTLIB_API GS::UniString DGListGetTabItemText(short dialId, short item, short listItem, short tabIndex);
HOSTLIB_API void DGListSetTabItemText(short dialId, short item, short listItem, short tabIndex,
                                      const GS::UniString& text);
HOSTLIB_API DG::Icon DGListGetTabItemIcon(short dialId, short item, short listItem, short tabIndex);
HOSTLIB_API void DGListSetTabItemIcon(short dialId, short item, short listItem, short tabIndex,
                                      const DG::Icon& icon);
HOSTLIB_API void DGListRedrawItem(short dialId, short item, short listItem);

// --- A row's looks and data. Style bits: 16 bold, 32 italic. Colours: 16 bits a component, the
// text black and no background at first; the getter answers false, leaving them, when refused.
HOSTLIB_API void DGListSetItemStyle(short dialId, short item, short listItem, short style);
HOSTLIB_API bool DGListGetItemColor(short dialId, short item, short listItem, unsigned short* red,
                                    unsigned short* green, unsigned short* blue);
HOSTLIB_API void DGListSetItemColor(short dialId, short item, short listItem, unsigned short red,
                                    unsigned short green, unsigned short blue);
HOSTLIB_API void DGListSetItemBackgroundColor(short dialId, short item, short listItem, unsigned short red,
                                              unsigned short green, unsigned short blue);
HOSTLIB_API short DGListGetItemStatus(short dialId, short item, short listItem);
HOSTLIB_API void DGListSetItemStatus(short dialId, short item, short listItem, short status);
HOSTLIB_API uint64_t DGListGetItemUserData(short dialId, short item, short listItem);
HOSTLIB_API void DGListSetItemUserData(short dialId, short item, short listItem, uint64_t value);

// --- Scrolling and layout. The scroll position is the first row shown (kept in 1..count), the
// horizontal one dialog units (kept at 0 or more). Rows are 16 units high.
HOSTLIB_API short DGListGetScrollPosition(short dialId, short item);
HOSTLIB_API void DGListSetScrollPosition(short dialId, short item, short listItem);
HOSTLIB_API short DGListGetHScrollPosition(short dialId, short item);
HOSTLIB_API void DGListSetHScrollPosition(short dialId, short item, short position);
HOSTLIB_API short DGListGetItemHeight(short dialId, short item);
// The list's tab fields, `nTabs` of them (at least 1). Until set they are the resource's columns,
// else one field the list's width.
HOSTLIB_API void DGListSetTabData(short dialId, short item, short nTabs, const DGListTabData* tabData);
// Places dialog item `dialItem` of the same panel on a tab field: it moves over that field of the
// first selected row, shown, whenever the selection, the rows, the fields or the scroll change, and
// is hidden while no row is selected. 0 takes the field's item off (it stays as it is).
HOSTLIB_API void DGListSetDialItemOnTabField(short dialId, short item, short tabIndex, short dialItem);
// Drawing is off from a DisableDraw until the EnableDraw that balances it; an EnableDraw that
// balances none is refused.
HOSTLIB_API void DGListDisableDraw(short dialId, short item);
HOSTLIB_API void DGListEnableDraw(short dialId, short item);

// --- The header: shown (20 units high) while it has items; header items from 1.
HOSTLIB_API short DGListGetHeaderFlags(short dialId, short item);
HOSTLIB_API void DGListSetHeaderFlags(short dialId, short item, short flags);
HOSTLIB_API short DGListGetHeaderHeight(short dialId, short item);
HOSTLIB_API short DGListGetHeaderItemCount(short dialId, short item);
// New header items are empty.
HOSTLIB_API void DGListSetHeaderItemCount(short dialId, short item, short count);
HOSTLIB_API GS::UniString DGListGetHeaderItemText(short dialId, short item, short headerItem);
HOSTLIB_API void DGListSetHeaderItemText(short dialId, short item, short headerItem,
                                         const GS::UniString& text);
HOSTLIB_API void DGListSetHeaderItemFont(short dialId, short item, short headerItem, short font);
HOSTLIB_API void DGListSetHeaderItemFlags(short dialId, short item, short headerItem, short flags);
HOSTLIB_API short DGListGetHeaderItemSize(short dialId, short item, short headerItem);
HOSTLIB_API void DGListSetHeaderItemSize(short dialId, short item, short headerItem, short size);
HOSTLIB_API void DGListSetHeaderItemMinSize(short dialId, short item, short headerItem, short size);
HOSTLIB_API short DGListGetHeaderItemArrowType(short dialId, short item, short headerItem);
HOSTLIB_API void DGListSetHeaderItemArrowType(short dialId, short item, short headerItem, short arrowType);
