#include "DGListFunctions.h"

#include <algorithm>
#include <string>

#include "DGDesk.h"
#include "DGImage.h"
#include "DGListState.h"
#include "DGPanel.h"
#include "DGPanelState.h"

namespace {

using DG::ListState;

std::string itemName(short dialId, short item) {
    return "item " + std::to_string(item) + " of panel " + std::to_string(dialId);
}

void refuse(const char* call, const std::string& why) {
    DG::Desk::Get().Refuse(std::string(call) + ": " + why);
}

// The list of a list-box item, with its panel's state; null, with the refusal recorded, for
// anything else.
ListState* listFor(const char* call, short dialId, short item, DG::PanelState** panel = nullptr) {
    DG::Panel* found = DG::Desk::Get().FindPanel(dialId);
    if (found == nullptr) return refuse(call, "no panel " + std::to_string(dialId)), nullptr;
    DG::ItemState* state = found->State().item(item);
    if (state == nullptr) return refuse(call, "no " + itemName(dialId, item)), nullptr;
    ListState* list = DG::ListOf(*state);
    if (list == nullptr)
        return refuse(call, itemName(dialId, item) + " is " + DG::ItemTypeWithArticle(state->type)), nullptr;
    if (panel != nullptr) *panel = &found->State();
    return list;
}

ListState::Row* rowFor(const char* call, short dialId, short item, short listItem,
                       ListState** list = nullptr) {
    ListState* found = listFor(call, dialId, item);
    if (list != nullptr) *list = found;
    if (found == nullptr) return nullptr;
    if (ListState::Row* row = found->Find(listItem)) return row;
    refuse(call, "no row " + std::to_string(listItem) + " in " + itemName(dialId, item));
    return nullptr;
}

bool hasTab(const char* call, short dialId, short item, const ListState& list, short tabIndex) {
    if (tabIndex >= 1 && static_cast<size_t>(tabIndex) <= list.tabs.size()) return true;
    refuse(call, "no tab field " + std::to_string(tabIndex) + " in " + itemName(dialId, item));
    return false;
}

ListState::Cell* cellFor(const char* call, short dialId, short item, short listItem, short tabIndex) {
    ListState* list = nullptr;
    if (rowFor(call, dialId, item, listItem, &list) == nullptr) return nullptr;
    return hasTab(call, dialId, item, *list, tabIndex) ? list->WritableCell(listItem, tabIndex) : nullptr;
}

ListState::HeaderItem* headerFor(const char* call, short dialId, short item, short headerItem) {
    ListState* list = listFor(call, dialId, item);
    if (list == nullptr) return nullptr;
    if (headerItem >= 1 && static_cast<size_t>(headerItem) <= list->header.size())
        return &list->header[static_cast<size_t>(headerItem - 1)];
    refuse(call, "no header item " + std::to_string(headerItem) + " in " + itemName(dialId, item));
    return nullptr;
}

void select(const char* call, short dialId, short item, short listItem, bool on) {
    DG::PanelState* panel = nullptr;
    ListState* list = listFor(call, dialId, item, &panel);
    if (list == nullptr) return;
    if (listItem != DG::ListAllItems && list->Find(listItem) == nullptr)
        return refuse(call, "no row " + std::to_string(listItem) + " in " + itemName(dialId, item));
    if (list->Select(listItem, on)) DG::PlaceTabItems(*panel, item);
}

short clampScroll(short row, const ListState& list) {
    return std::clamp<short>(row, 1, std::max<short>(1, list.Count()));
}

} // namespace

short DGListGetItemCount(short dialId, short item) {
    ListState* list = listFor("DGListGetItemCount", dialId, item);
    return list != nullptr ? list->Count() : 0;
}

bool DGListInsertItem(short dialId, short item, short listItem) {
    DG::PanelState* panel = nullptr;
    ListState* list = listFor("DGListInsertItem", dialId, item, &panel);
    if (list == nullptr) return false;
    short at = listItem == DG::ListBottom ? static_cast<short>(list->Count() + 1) : listItem;
    if (!list->Insert(at)) {
        refuse("DGListInsertItem",
               list->Count() >= ListState::MaxRows
                   ? itemName(dialId, item) + " holds 32767 rows already"
                   : "no place " + std::to_string(listItem) + " in " + itemName(dialId, item));
        return false;
    }
    DG::PlaceTabItems(*panel, item);
    return true;
}

void DGListDeleteItem(short dialId, short item, short listItem) {
    DG::PanelState* panel = nullptr;
    ListState* list = listFor("DGListDeleteItem", dialId, item, &panel);
    if (list == nullptr) return;
    if (!list->Delete(listItem))
        return refuse("DGListDeleteItem",
                      "no row " + std::to_string(listItem) + " in " + itemName(dialId, item));
    list->scroll = clampScroll(list->scroll, *list);
    DG::PlaceTabItems(*panel, item);
}

short DGListGetSelected(short dialId, short item, short listItem) {
    ListState* list = listFor("DGListGetSelected", dialId, item);
    return list != nullptr ? list->FirstSelectedFrom(std::max<short>(listItem, 1)) : 0;
}

void DGListSelectItem(short dialId, short item, short listItem) {
    select("DGListSelectItem", dialId, item, listItem, true);
}

void DGListDeselectItem(short dialId, short item, short listItem) {
    select("DGListDeselectItem", dialId, item, listItem, false);
}

GS::UniString DGListGetTabItemText(short dialId, short item, short listItem, short tabIndex) {
    ListState* list = nullptr;
    if (rowFor("DGListGetTabItemText", dialId, item, listItem, &list) == nullptr ||
        !hasTab("DGListGetTabItemText", dialId, item, *list, tabIndex))
        return GS::UniString();
    return list->CellText(listItem, tabIndex);
}

void DGListSetTabItemText(short dialId, short item, short listItem, short tabIndex,
                          const GS::UniString& text) {
    if (ListState::Cell* cell = cellFor("DGListSetTabItemText", dialId, item, listItem, tabIndex))
        cell->text = text;
}

DG::Icon DGListGetTabItemIcon(short dialId, short item, short listItem, short tabIndex) {
    ListState::Cell* cell = cellFor("DGListGetTabItemIcon", dialId, item, listItem, tabIndex);
    return cell != nullptr ? cell->icon : DG::Icon();
}

void DGListSetTabItemIcon(short dialId, short item, short listItem, short tabIndex, const DG::Icon& icon) {
    if (ListState::Cell* cell = cellFor("DGListSetTabItemIcon", dialId, item, listItem, tabIndex))
        cell->icon = icon;
}

void DGListRedrawItem(short dialId, short item, short listItem) {
    ListState* list = nullptr;
    if (rowFor("DGListRedrawItem", dialId, item, listItem, &list) != nullptr) ++list->redraws;
}

void DGListSetItemStyle(short dialId, short item, short listItem, short style) {
    if (ListState::Row* row = rowFor("DGListSetItemStyle", dialId, item, listItem)) row->style = style;
}

bool DGListGetItemColor(short dialId, short item, short listItem, unsigned short* red, unsigned short* green,
                        unsigned short* blue) {
    const ListState::Row* row = rowFor("DGListGetItemColor", dialId, item, listItem);
    if (row == nullptr) return false;
    if (red != nullptr) *red = row->red;
    if (green != nullptr) *green = row->green;
    if (blue != nullptr) *blue = row->blue;
    return true;
}

void DGListSetItemColor(short dialId, short item, short listItem, unsigned short red, unsigned short green,
                        unsigned short blue) {
    ListState::Row* row = rowFor("DGListSetItemColor", dialId, item, listItem);
    if (row == nullptr) return;
    row->red = red;
    row->green = green;
    row->blue = blue;
}

void DGListSetItemBackgroundColor(short dialId, short item, short listItem, unsigned short red,
                                  unsigned short green, unsigned short blue) {
    ListState::Row* row = rowFor("DGListSetItemBackgroundColor", dialId, item, listItem);
    if (row == nullptr) return;
    row->hasBackground = true;
    row->backRed = red;
    row->backGreen = green;
    row->backBlue = blue;
}

short DGListGetItemStatus(short dialId, short item, short listItem) {
    const ListState::Row* row = rowFor("DGListGetItemStatus", dialId, item, listItem);
    return row != nullptr ? row->status : 0;
}

void DGListSetItemStatus(short dialId, short item, short listItem, short status) {
    if (ListState::Row* row = rowFor("DGListSetItemStatus", dialId, item, listItem)) row->status = status;
}

uint64_t DGListGetItemUserData(short dialId, short item, short listItem) {
    const ListState::Row* row = rowFor("DGListGetItemUserData", dialId, item, listItem);
    return row != nullptr ? row->userData : 0;
}

void DGListSetItemUserData(short dialId, short item, short listItem, uint64_t value) {
    if (ListState::Row* row = rowFor("DGListSetItemUserData", dialId, item, listItem)) row->userData = value;
}

short DGListGetScrollPosition(short dialId, short item) {
    ListState* list = listFor("DGListGetScrollPosition", dialId, item);
    return list != nullptr ? list->scroll : 0;
}

void DGListSetScrollPosition(short dialId, short item, short listItem) {
    DG::PanelState* panel = nullptr;
    ListState* list = listFor("DGListSetScrollPosition", dialId, item, &panel);
    if (list == nullptr) return;
    list->scroll = clampScroll(listItem, *list);
    DG::PlaceTabItems(*panel, item);
}

short DGListGetHScrollPosition(short dialId, short item) {
    ListState* list = listFor("DGListGetHScrollPosition", dialId, item);
    return list != nullptr ? list->hScroll : 0;
}

void DGListSetHScrollPosition(short dialId, short item, short position) {
    DG::PanelState* panel = nullptr;
    ListState* list = listFor("DGListSetHScrollPosition", dialId, item, &panel);
    if (list == nullptr) return;
    list->hScroll = std::max<short>(position, 0);
    DG::PlaceTabItems(*panel, item);
}

short DGListGetItemHeight(short dialId, short item) {
    return listFor("DGListGetItemHeight", dialId, item) != nullptr ? ListState::ItemHeight : 0;
}

void DGListSetTabData(short dialId, short item, short nTabs, const DGListTabData* tabData) {
    DG::PanelState* panel = nullptr;
    ListState* list = listFor("DGListSetTabData", dialId, item, &panel);
    if (list == nullptr) return;
    if (nTabs < 1 || tabData == nullptr)
        return refuse("DGListSetTabData",
                      std::to_string(nTabs) + " tab fields for " + itemName(dialId, item));
    list->tabs.assign(tabData, tabData + nTabs);
    DG::PlaceTabItems(*panel, item);
}

void DGListSetDialItemOnTabField(short dialId, short item, short tabIndex, short dialItem) {
    DG::PanelState* panel = nullptr;
    ListState* list = listFor("DGListSetDialItemOnTabField", dialId, item, &panel);
    if (list == nullptr || !hasTab("DGListSetDialItemOnTabField", dialId, item, *list, tabIndex)) return;
    if (dialItem == 0) {
        list->tabItems.erase(tabIndex);
        return;
    }
    if (dialItem == item || panel->item(dialItem) == nullptr)
        return refuse("DGListSetDialItemOnTabField",
                      "no item " + std::to_string(dialItem) + " to place on " + itemName(dialId, item));
    list->tabItems[tabIndex] = dialItem;
    DG::PlaceTabItems(*panel, item);
}

void DGListDisableDraw(short dialId, short item) {
    if (ListState* list = listFor("DGListDisableDraw", dialId, item)) ++list->drawDisabled;
}

void DGListEnableDraw(short dialId, short item) {
    ListState* list = listFor("DGListEnableDraw", dialId, item);
    if (list == nullptr) return;
    if (list->drawDisabled == 0)
        return refuse("DGListEnableDraw", "drawing of " + itemName(dialId, item) + " is not off");
    if (--list->drawDisabled == 0) ++list->redraws;
}

short DGListGetHeaderFlags(short dialId, short item) {
    ListState* list = listFor("DGListGetHeaderFlags", dialId, item);
    return list != nullptr ? list->headerFlags : 0;
}

void DGListSetHeaderFlags(short dialId, short item, short flags) {
    if (ListState* list = listFor("DGListSetHeaderFlags", dialId, item)) list->headerFlags = flags;
}

short DGListGetHeaderHeight(short dialId, short item) {
    ListState* list = listFor("DGListGetHeaderHeight", dialId, item);
    return list != nullptr ? list->HeaderHeight() : 0;
}

short DGListGetHeaderItemCount(short dialId, short item) {
    ListState* list = listFor("DGListGetHeaderItemCount", dialId, item);
    return list != nullptr ? static_cast<short>(list->header.size()) : 0;
}

void DGListSetHeaderItemCount(short dialId, short item, short count) {
    DG::PanelState* panel = nullptr;
    ListState* list = listFor("DGListSetHeaderItemCount", dialId, item, &panel);
    if (list == nullptr) return;
    if (count < 0)
        return refuse("DGListSetHeaderItemCount",
                      std::to_string(count) + " header items for " + itemName(dialId, item));
    list->header.resize(static_cast<size_t>(count));
    // The rows move down or up with the header.
    DG::PlaceTabItems(*panel, item);
}

GS::UniString DGListGetHeaderItemText(short dialId, short item, short headerItem) {
    ListState::HeaderItem* header = headerFor("DGListGetHeaderItemText", dialId, item, headerItem);
    return header != nullptr ? header->text : GS::UniString();
}

void DGListSetHeaderItemText(short dialId, short item, short headerItem, const GS::UniString& text) {
    if (auto* header = headerFor("DGListSetHeaderItemText", dialId, item, headerItem)) header->text = text;
}

void DGListSetHeaderItemFont(short dialId, short item, short headerItem, short font) {
    if (auto* header = headerFor("DGListSetHeaderItemFont", dialId, item, headerItem)) header->font = font;
}

void DGListSetHeaderItemFlags(short dialId, short item, short headerItem, short flags) {
    if (auto* header = headerFor("DGListSetHeaderItemFlags", dialId, item, headerItem)) header->flags = flags;
}

short DGListGetHeaderItemSize(short dialId, short item, short headerItem) {
    ListState::HeaderItem* header = headerFor("DGListGetHeaderItemSize", dialId, item, headerItem);
    return header != nullptr ? header->size : 0;
}

void DGListSetHeaderItemSize(short dialId, short item, short headerItem, short size) {
    if (auto* header = headerFor("DGListSetHeaderItemSize", dialId, item, headerItem))
        header->size = std::max(size, header->minSize);
}

void DGListSetHeaderItemMinSize(short dialId, short item, short headerItem, short size) {
    auto* header = headerFor("DGListSetHeaderItemMinSize", dialId, item, headerItem);
    if (header == nullptr) return;
    header->minSize = std::max<short>(size, 0);
    header->size = std::max(header->size, header->minSize);
}

short DGListGetHeaderItemArrowType(short dialId, short item, short headerItem) {
    ListState::HeaderItem* header = headerFor("DGListGetHeaderItemArrowType", dialId, item, headerItem);
    return header != nullptr ? header->arrowType : 0;
}

void DGListSetHeaderItemArrowType(short dialId, short item, short headerItem, short arrowType) {
    if (auto* header = headerFor("DGListSetHeaderItemArrowType", dialId, item, headerItem))
        header->arrowType = arrowType;
}
