// The dialog manager's functions over pop-up items, addressed by panel id, dialog item (from 1)
// and entry (from 1; a separator is an entry too). A call on a panel or item that does not exist,
// on an item that is no pop-up, or on an entry that is not there changes nothing and answers 0,
// false or empty; the refusal is recorded (DG::Desk). None of them is heard by the pop-up's
// observers: only the user's choice is.
#pragma once

#include <cstdint>

#include "platform/api/HostTypes.h"
#include "platform/gsroot/UniString.h"

namespace DG {
class Icon; // platform/dg/DGImage.h

constexpr short PopUpBottom = -1; // insert after the last entry
enum PopUpItemStatus : short { PopUpItemEnabled = 0, PopUpItemDisabled = 2 };
} // namespace DG

// The entries of a pop-up, and also of a user control's menu (UCPopupMenu.h): both kinds keep
// their entries in one place.
HOSTLIB_API short DGPopUpGetItemCount(short dialId, short item);
// The chosen entry, 0 when none.
HOSTLIB_API short DGPopUpGetSelected(short dialId, short item);
HOSTLIB_API void DGPopUpSelectItem(short dialId, short item, short popItem);
HOSTLIB_API GS::UniString DGPopUpGetItemText(short dialId, short item, short popItem);
HOSTLIB_API void DGPopUpSetItemText(short dialId, short item, short popItem, const GS::UniString& text);
HOSTLIB_API DG::Icon DGPopUpGetItemIcon(short dialId, short item, short popItem);
HOSTLIB_API void DGPopUpSetItemIcon(short dialId, short item, short popItem, const DG::Icon& icon);
// A DG::PopUpItemStatus; a disabled entry cannot be chosen by the user.
HOSTLIB_API void DGPopUpSetItemStatus(short dialId, short item, short popItem, short status);
// 16 bold, 32 italic.
HOSTLIB_API void DGPopUpSetItemStyle(short dialId, short item, short popItem, short style);
HOSTLIB_API uint64_t DGPopUpGetItemUserData(short dialId, short item, short popItem);
HOSTLIB_API void DGPopUpSetItemUserData(short dialId, short item, short popItem, uint64_t value);
// A new empty entry at `popItem` (1..count + 1) or DG::PopUpBottom; false when refused.
HOSTLIB_API bool DGPopUpInsertItem(short dialId, short item, short popItem);
HOSTLIB_API void DGPopUpDeleteItem(short dialId, short item, short popItem);
HOSTLIB_API bool DGPopUpInsertSeparator(short dialId, short item, short popItem);
