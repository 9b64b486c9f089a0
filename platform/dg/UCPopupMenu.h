// The user-control library's pop-up menu: a menu on a user-control item whose button can show the
// chosen entry's text and icon. Its functions are addressed by panel id and dialog item like the
// dialog manager's, and number entries from 1, except UCPopupSetItemStatus, which takes the
// entry's number from 0. Refusals are recorded as the dialog manager's (DG::Desk). The user's
// choice is heard as UserControlChanged; the menu leaves its button alone until told.
#pragma once

#include <cstdint>

#include "DGItems.h"
#include "platform/gsroot/UniString.h"

namespace DG {
class Icon; // platform/dg/DGImage.h
}

namespace UC {

// What the button shows: 0 the chosen entry's text and icon, 1 only its icon, 2 only its text.
enum ControlKind : short { TextAndIcon = 0, IconOnly = 1, TextOnly = 2 };

class HOSTLIB_API PopupMenu : public DG::UserControl {
public:
    PopupMenu(const DG::Panel& panel, short item) : DG::UserControl(panel, item) {}
};

} // namespace UC

// The chosen entry, 0 when none.
HOSTLIB_API short UCPopupGetSelectedItem(short dialId, short item);
HOSTLIB_API void UCPopupSelectItem(short dialId, short item, short ucItem);
HOSTLIB_API GS::UniString UCPopupGetItemText(short dialId, short item, short ucItem);
HOSTLIB_API void UCPopupSetItemText(short dialId, short item, short ucItem, const GS::UniString& text);
HOSTLIB_API DG::Icon UCPopupGetItemIcon(short dialId, short item, short ucItem);
HOSTLIB_API void UCPopupSetItemIcon(short dialId, short item, short ucItem, const DG::Icon& icon);
// `entry` from 0: 1 is the second entry.
HOSTLIB_API void UCPopupSetItemStatus(short dialId, short item, short entry, bool disabled);
HOSTLIB_API void UCPopupSetItemTextStyle(short dialId, short item, short ucItem, short style);
HOSTLIB_API uint64_t UCPopupGetItemData(short dialId, short item, short ucItem);
HOSTLIB_API void UCPopupSetItemData(short dialId, short item, short ucItem, uint64_t value);
// A new empty entry at `ucItem` (1..count + 1); false when refused.
HOSTLIB_API bool UCPopupInsertItem(short dialId, short item, short ucItem);
HOSTLIB_API bool UCPopupAppendItem(short dialId, short item);
HOSTLIB_API void UCPopupDeleteItem(short dialId, short item, short ucItem);
// At `ucItem` (1..count + 1), or after the last for -1.
HOSTLIB_API bool UCPopupInsertSeparator(short dialId, short item, short ucItem);
HOSTLIB_API void UCPopupSetButtonText(short dialId, short item, const GS::UniString& text);
HOSTLIB_API void UCPopupSetButtonIcon(short dialId, short item, const DG::Icon& icon);
// A UC::ControlKind.
HOSTLIB_API void UCPopupSetControlKind(short dialId, short item, short kind);
