// The dialog manager's functions over panels and items, addressed by panel id and item number
// (from 1). A call on a panel or item that does not exist, or that the item's kind does not
// have, changes nothing and answers 0, false or empty; the refusal is recorded (DG::Desk).
// Client sizes are dialog units; frame sizes and positions are pixels (dialog units times the
// panel's scale factor, rounded).
#pragma once

#include "DGListFunctions.h"
#include "DGPopUpFunctions.h"
#include "DGTreeFunctions.h"
#include "DGTypes.h"
#include "platform/api/Resources.h"
#include "platform/gsroot/UniString.h"

namespace DG {
class Image; // platform/dg/DGImage.h
}

// --- Panels.
// (width, height) of the panel's client area for a DG::SizeKind; (0, 0) when the panel is unknown.
HOSTLIB_API DG::Point DGGetDialogClientSize(GSResModule resModule, short dialId, short sizeKind);
HOSTLIB_API DG::Point DGGetDialogClientMinSize(short dialId);
HOSTLIB_API DG::Point DGGetDialogFrameMinSize(short dialId);
// The panel hears PanelResized when the size changes. `keepOld`: the old size is not remembered
// as the size to restore.
HOSTLIB_API void DGSetDialogClientSize(short dialId, short width, short height, short anchor, bool keepOld);
HOSTLIB_API void DGSetDialogFrameSize(short dialId, short width, short height, short anchor, bool keepOld);
HOSTLIB_API void DGSetDialogClientMinSize(short dialId, short width, short height);
HOSTLIB_API void DGSetDialogFrameMinSize(short dialId, short width, short height);
// Its user items are drawn again (UserItemUpdate), once any notification being delivered ends.
HOSTLIB_API void DGRedrawDialog(short dialId);
// `item` -1: the panel itself.
HOSTLIB_API void DGSetFocus(short dialId, short item);
// The rectangle, pixels, of the monitor that holds most of `rect`.
HOSTLIB_API DG::Rect DGGetMonitorRectFromRect(const DG::Rect& rect);
// DG::TopMost brings the panel in front of every other.
HOSTLIB_API void DGSetDialogZPosition(short dialId, short position);

// --- Items.
HOSTLIB_API DG::Rect DGGetItemRect(short dialId, short item);
HOSTLIB_API bool DGIsItemEnabled(short dialId, short item);
HOSTLIB_API bool DGIsItemVisible(short dialId, short item);
// A user item is drawn again (UserItemUpdate), once any notification being delivered ends.
HOSTLIB_API void DGRedrawItem(short dialId, short item);
// Moves and grows by differences, dialog units.
HOSTLIB_API void DGMoveGrowItem(short dialId, short item, short hDisp, short vDisp, short hGrow, short vGrow);
HOSTLIB_API void DGMoveItem(short dialId, short item, short hDisp, short vDisp);
HOSTLIB_API void DGGrowItem(short dialId, short item, short hGrow, short vGrow);
// A hidden user item shown is drawn again.
HOSTLIB_API void DGShowItem(short dialId, short item);
HOSTLIB_API void DGHideItem(short dialId, short item);
HOSTLIB_API void DGEnableItem(short dialId, short item);
HOSTLIB_API void DGDisableItem(short dialId, short item);
HOSTLIB_API void DGSetItemFont(short dialId, short item, short fontCode);
HOSTLIB_API short DGGetItemFont(short dialId, short item);
// Texts of buttons, static texts, edit texts, check boxes, pop-ups (the chosen item) and user
// controls. Setting an edit text's text sends no change notification.
HOSTLIB_API GS::UniString DGGetItemText(short dialId, short item);
HOSTLIB_API void DGSetItemText(short dialId, short item, const GS::UniString& text);
// Any item's tool tip, empty for none.
HOSTLIB_API GS::UniString DGGetItemTooltipString(short dialId, short item);
HOSTLIB_API void DGSetItemTooltipString(short dialId, short item, const GS::UniString& text);
// A button's picture; an empty image for other items.
HOSTLIB_API DG::Image DGGetItemImage(short dialId, short item);
HOSTLIB_API void DGSetItemImage(short dialId, short item, const DG::Image& image);
HOSTLIB_API void DGSetItemTextColor(short dialId, short item, const DG::Color& color);
HOSTLIB_API void DGSetItemBackgroundColor(short dialId, short item, const DG::Color& color);
// A check box's state (0 or 1), a pop-up's chosen item (from 1), a list's first selected row
// (from 1, 0 for none; setting one leaves it the only row selected) or a user control's value.
HOSTLIB_API long DGGetItemValLong(short dialId, short item);
HOSTLIB_API void DGSetItemValLong(short dialId, short item, long value);

// Moves and grows between these two are shown together, when the last End balances its Begin; an
// End that balances none is refused.
HOSTLIB_API void DGBeginMoveGrowItems(short dialId);
HOSTLIB_API void DGEndMoveGrowItems(short dialId);

// --- The mouse. Fills the record (zeros first) and answers 1; 0 when the record is null.
HOSTLIB_API short DGGetMousePosition(short dialId, DGMousePosData* data);
