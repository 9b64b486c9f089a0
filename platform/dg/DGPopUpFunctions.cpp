// The dialog manager's pop-up functions and the user-control library's menu functions, over one
// model of entries per item.
#include "DGPopUpFunctions.h"

#include <string>

#include "DGDesk.h"
#include "DGImage.h"
#include "DGPanel.h"
#include "DGPanelState.h"
#include "DGPopUpState.h"
#include "UCPopupMenu.h"

namespace {

using DG::ItemType;
using DG::PopUpState;
using Entry = DG::PopUpState::Entry;

enum class Kinds { PopUp, UserControl, Either };

std::string itemName(short dialId, short item) {
    return "item " + std::to_string(item) + " of panel " + std::to_string(dialId);
}

void refuse(const char* call, const std::string& why) {
    DG::Desk::Get().Refuse(std::string(call) + ": " + why);
}

PopUpState* menuFor(const char* call, short dialId, short item, Kinds kinds) {
    DG::Panel* panel = DG::Desk::Get().FindPanel(dialId);
    if (panel == nullptr) return refuse(call, "no panel " + std::to_string(dialId)), nullptr;
    DG::ItemState* state = panel->State().item(item);
    if (state == nullptr) return refuse(call, "no " + itemName(dialId, item)), nullptr;
    bool fits = (kinds != Kinds::UserControl && state->type == ItemType::PopUp) ||
                (kinds != Kinds::PopUp && state->type == ItemType::UserControl);
    if (!fits)
        return refuse(call, itemName(dialId, item) + " is " + DG::ItemTypeWithArticle(state->type)), nullptr;
    return DG::PopUpOf(*state);
}

Entry* entryFor(const char* call, short dialId, short item, short entry, Kinds kinds) {
    PopUpState* menu = menuFor(call, dialId, item, kinds);
    if (menu == nullptr) return nullptr;
    if (Entry* found = menu->Find(entry)) return found;
    refuse(call, "no entry " + std::to_string(entry) + " in " + itemName(dialId, item));
    return nullptr;
}

void choose(const char* call, short dialId, short item, short entry, Kinds kinds) {
    PopUpState* menu = menuFor(call, dialId, item, kinds);
    if (menu == nullptr) return;
    const Entry* found = menu->Find(entry);
    if (found == nullptr || found->separator)
        return refuse(call, "no entry " + std::to_string(entry) + " to choose in " + itemName(dialId, item));
    menu->chosen = entry;
}

bool insert(const char* call, short dialId, short item, short entry, Kinds kinds, bool separator) {
    PopUpState* menu = menuFor(call, dialId, item, kinds);
    if (menu == nullptr) return false;
    short at = entry == DG::PopUpBottom ? static_cast<short>(menu->Count() + 1) : entry;
    if (!menu->Insert(at)) {
        refuse(call, "no place " + std::to_string(entry) + " in " + itemName(dialId, item));
        return false;
    }
    menu->Find(at)->separator = separator;
    return true;
}

void erase(const char* call, short dialId, short item, short entry, Kinds kinds) {
    PopUpState* menu = menuFor(call, dialId, item, kinds);
    if (menu != nullptr && !menu->Delete(entry))
        refuse(call, "no entry " + std::to_string(entry) + " in " + itemName(dialId, item));
}

} // namespace

// --- The dialog manager's pop-ups.

short DGPopUpGetItemCount(short dialId, short item) {
    PopUpState* menu = menuFor("DGPopUpGetItemCount", dialId, item, Kinds::Either);
    return menu != nullptr ? menu->Count() : 0;
}

short DGPopUpGetSelected(short dialId, short item) {
    PopUpState* menu = menuFor("DGPopUpGetSelected", dialId, item, Kinds::PopUp);
    return menu != nullptr ? menu->chosen : 0;
}

void DGPopUpSelectItem(short dialId, short item, short popItem) {
    choose("DGPopUpSelectItem", dialId, item, popItem, Kinds::PopUp);
}

GS::UniString DGPopUpGetItemText(short dialId, short item, short popItem) {
    const Entry* entry = entryFor("DGPopUpGetItemText", dialId, item, popItem, Kinds::PopUp);
    return entry != nullptr ? entry->text : GS::UniString();
}

void DGPopUpSetItemText(short dialId, short item, short popItem, const GS::UniString& text) {
    if (Entry* entry = entryFor("DGPopUpSetItemText", dialId, item, popItem, Kinds::PopUp))
        entry->text = text;
}

DG::Icon DGPopUpGetItemIcon(short dialId, short item, short popItem) {
    const Entry* entry = entryFor("DGPopUpGetItemIcon", dialId, item, popItem, Kinds::PopUp);
    return entry != nullptr ? entry->icon : DG::Icon();
}

void DGPopUpSetItemIcon(short dialId, short item, short popItem, const DG::Icon& icon) {
    if (Entry* entry = entryFor("DGPopUpSetItemIcon", dialId, item, popItem, Kinds::PopUp))
        entry->icon = icon;
}

void DGPopUpSetItemStatus(short dialId, short item, short popItem, short status) {
    Entry* entry = entryFor("DGPopUpSetItemStatus", dialId, item, popItem, Kinds::PopUp);
    if (entry == nullptr) return;
    if (status != DG::PopUpItemEnabled && status != DG::PopUpItemDisabled)
        return refuse("DGPopUpSetItemStatus", "no status " + std::to_string(status));
    entry->disabled = status == DG::PopUpItemDisabled;
}

void DGPopUpSetItemStyle(short dialId, short item, short popItem, short style) {
    if (Entry* entry = entryFor("DGPopUpSetItemStyle", dialId, item, popItem, Kinds::PopUp))
        entry->style = style;
}

uint64_t DGPopUpGetItemUserData(short dialId, short item, short popItem) {
    const Entry* entry = entryFor("DGPopUpGetItemUserData", dialId, item, popItem, Kinds::PopUp);
    return entry != nullptr ? entry->userData : 0;
}

void DGPopUpSetItemUserData(short dialId, short item, short popItem, uint64_t value) {
    if (Entry* entry = entryFor("DGPopUpSetItemUserData", dialId, item, popItem, Kinds::PopUp))
        entry->userData = value;
}

bool DGPopUpInsertItem(short dialId, short item, short popItem) {
    return insert("DGPopUpInsertItem", dialId, item, popItem, Kinds::PopUp, false);
}

void DGPopUpDeleteItem(short dialId, short item, short popItem) {
    erase("DGPopUpDeleteItem", dialId, item, popItem, Kinds::PopUp);
}

bool DGPopUpInsertSeparator(short dialId, short item, short popItem) {
    return insert("DGPopUpInsertSeparator", dialId, item, popItem, Kinds::PopUp, true);
}

// --- The user-control library's menus.

short UCPopupGetSelectedItem(short dialId, short item) {
    PopUpState* menu = menuFor("UCPopupGetSelectedItem", dialId, item, Kinds::UserControl);
    return menu != nullptr ? menu->chosen : 0;
}

void UCPopupSelectItem(short dialId, short item, short ucItem) {
    choose("UCPopupSelectItem", dialId, item, ucItem, Kinds::UserControl);
}

GS::UniString UCPopupGetItemText(short dialId, short item, short ucItem) {
    const Entry* entry = entryFor("UCPopupGetItemText", dialId, item, ucItem, Kinds::UserControl);
    return entry != nullptr ? entry->text : GS::UniString();
}

void UCPopupSetItemText(short dialId, short item, short ucItem, const GS::UniString& text) {
    if (Entry* entry = entryFor("UCPopupSetItemText", dialId, item, ucItem, Kinds::UserControl))
        entry->text = text;
}

DG::Icon UCPopupGetItemIcon(short dialId, short item, short ucItem) {
    const Entry* entry = entryFor("UCPopupGetItemIcon", dialId, item, ucItem, Kinds::UserControl);
    return entry != nullptr ? entry->icon : DG::Icon();
}

void UCPopupSetItemIcon(short dialId, short item, short ucItem, const DG::Icon& icon) {
    if (Entry* entry = entryFor("UCPopupSetItemIcon", dialId, item, ucItem, Kinds::UserControl))
        entry->icon = icon;
}

void UCPopupSetItemStatus(short dialId, short item, short entry, bool disabled) {
    Entry* found =
        entryFor("UCPopupSetItemStatus", dialId, item, static_cast<short>(entry + 1), Kinds::UserControl);
    if (found != nullptr) found->disabled = disabled;
}

void UCPopupSetItemTextStyle(short dialId, short item, short ucItem, short style) {
    if (Entry* entry = entryFor("UCPopupSetItemTextStyle", dialId, item, ucItem, Kinds::UserControl))
        entry->style = style;
}

uint64_t UCPopupGetItemData(short dialId, short item, short ucItem) {
    const Entry* entry = entryFor("UCPopupGetItemData", dialId, item, ucItem, Kinds::UserControl);
    return entry != nullptr ? entry->userData : 0;
}

void UCPopupSetItemData(short dialId, short item, short ucItem, uint64_t value) {
    if (Entry* entry = entryFor("UCPopupSetItemData", dialId, item, ucItem, Kinds::UserControl))
        entry->userData = value;
}

bool UCPopupInsertItem(short dialId, short item, short ucItem) {
    // Only numbered places: appending has its own call.
    if (ucItem == DG::PopUpBottom) {
        refuse("UCPopupInsertItem", "no place -1 in " + itemName(dialId, item));
        return false;
    }
    return insert("UCPopupInsertItem", dialId, item, ucItem, Kinds::UserControl, false);
}

bool UCPopupAppendItem(short dialId, short item) {
    return insert("UCPopupAppendItem", dialId, item, DG::PopUpBottom, Kinds::UserControl, false);
}

void UCPopupDeleteItem(short dialId, short item, short ucItem) {
    erase("UCPopupDeleteItem", dialId, item, ucItem, Kinds::UserControl);
}

bool UCPopupInsertSeparator(short dialId, short item, short ucItem) {
    return insert("UCPopupInsertSeparator", dialId, item, ucItem, Kinds::UserControl, true);
}

void UCPopupSetButtonText(short dialId, short item, const GS::UniString& text) {
    if (PopUpState* menu = menuFor("UCPopupSetButtonText", dialId, item, Kinds::UserControl))
        menu->buttonText = text;
}

void UCPopupSetButtonIcon(short dialId, short item, const DG::Icon& icon) {
    if (PopUpState* menu = menuFor("UCPopupSetButtonIcon", dialId, item, Kinds::UserControl))
        menu->buttonIcon = icon;
}

void UCPopupSetControlKind(short dialId, short item, short kind) {
    PopUpState* menu = menuFor("UCPopupSetControlKind", dialId, item, Kinds::UserControl);
    if (menu == nullptr) return;
    if (kind < UC::TextAndIcon || kind > UC::TextOnly)
        return refuse("UCPopupSetControlKind", "no control kind " + std::to_string(kind));
    menu->controlKind = kind;
}
