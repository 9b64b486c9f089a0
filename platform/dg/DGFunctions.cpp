#include "DGFunctions.h"

#include <algorithm>
#include <string>

#include "DGDelivery.h"
#include "DGDesk.h"
#include "DGListState.h"
#include "DGPanel.h"
#include "DGPanelState.h"
#include "DGPopUpState.h"

namespace {

using DG::ItemState;
using DG::ItemType;
using DG::PanelState;

PanelState* panelFor(const char* call, short dialId) {
    DG::Panel* panel = DG::Desk::Get().FindPanel(dialId);
    if (panel != nullptr) return &panel->State();
    DG::Desk::Get().Refuse(std::string(call) + ": no panel " + std::to_string(dialId));
    return nullptr;
}

ItemState* itemFor(const char* call, short dialId, short item) {
    PanelState* panel = panelFor(call, dialId);
    if (panel == nullptr) return nullptr;
    if (ItemState* found = panel->item(item)) return found;
    DG::Desk::Get().Refuse(std::string(call) + ": no item " + std::to_string(item) + " in panel " +
                           std::to_string(dialId));
    return nullptr;
}

bool refuseKind(const char* call, short dialId, short item, const ItemState& state) {
    DG::Desk::Get().Refuse(std::string(call) + ": item " + std::to_string(item) + " of panel " +
                           std::to_string(dialId) + " is " + DG::ItemTypeWithArticle(state.type));
    return false;
}

bool hasText(ItemType type) {
    return type != ItemType::ListBox && type != ItemType::TreeView && type != ItemType::UserItem;
}

bool takesColour(ItemType type) {
    return type == ItemType::LeftText || type == ItemType::CenterText || type == ItemType::RightText ||
           type == ItemType::TextEdit;
}

bool hasValue(ItemType type) {
    return type == ItemType::CheckBox || type == ItemType::PopUp || type == ItemType::ListBox ||
           type == ItemType::UserControl;
}

short clampShort(int v) {
    return static_cast<short>(std::clamp(v, -32768, 32767));
}

// Sets the client size, keeping the anchor's point of the frame in place; PanelResized when it
// changed.
void resize(PanelState& panel, short width, short height, short anchor) {
    width = std::max(width, panel.minWidth);
    height = std::max(height, panel.minHeight);
    short dw = static_cast<short>(width - panel.width);
    short dh = static_cast<short>(height - panel.height);
    if (dw == 0 && dh == 0) return;
    DG::Point before = panel.frameSize();
    panel.width = width;
    panel.height = height;
    DG::Point after = panel.frameSize();
    int column = anchor >= DG::TopLeft && anchor <= DG::BottomRight ? (anchor - 1) % 3 : 0;
    int row = anchor >= DG::TopLeft && anchor <= DG::BottomRight ? (anchor - 1) / 3 : 0;
    int moveX = (after.GetX() - before.GetX()) * column / 2;
    int moveY = (after.GetY() - before.GetY()) * row / 2;
    panel.framePosition = DG::Point(clampShort(panel.framePosition.GetX() - moveX),
                                    clampShort(panel.framePosition.GetY() - moveY));
    DG::Delivery::ToPanel(*panel.panel, [dw, dh](DG::Panel& p, DG::PanelObserver& observer) {
        observer.PanelResized(DG::PanelResizeEvent(&p, false, dw, dh));
    });
}

} // namespace

DG::Point DGGetDialogClientSize(GSResModule resModule, short dialId, short sizeKind) {
    PanelState* panel = panelFor("DGGetDialogClientSize", dialId);
    if (panel == nullptr) return DG::Point();
    if (sizeKind == DG::CurrentSize) return DG::Point(panel->width, panel->height);
    DG::Point remembered;
    if (sizeKind == DG::RememberedSize &&
        DG::Desk::Get().RememberedSize(panel->module, panel->resourceId, &remembered))
        return remembered;
    if (sizeKind != DG::ResourceSize && sizeKind != DG::RememberedSize) {
        DG::Desk::Get().Refuse("DGGetDialogClientSize: no size kind " + std::to_string(sizeKind));
        return DG::Point();
    }
    DG::DialogTemplate resource;
    std::string why;
    if (!DG::LoadDialogTemplate(resModule, panel->resourceId, &resource, &why)) {
        DG::Desk::Get().Refuse("DGGetDialogClientSize: " + why);
        return DG::Point();
    }
    return DG::Point(resource.width, resource.height);
}

DG::Point DGGetDialogClientMinSize(short dialId) {
    PanelState* panel = panelFor("DGGetDialogClientMinSize", dialId);
    return panel != nullptr ? DG::Point(panel->minWidth, panel->minHeight) : DG::Point();
}

DG::Point DGGetDialogFrameMinSize(short dialId) {
    PanelState* panel = panelFor("DGGetDialogFrameMinSize", dialId);
    if (panel == nullptr) return DG::Point();
    return DG::Point(DG::ToPixels(panel->minWidth + 2 * DG::FrameBorderX, panel->scale),
                     DG::ToPixels(panel->minHeight + DG::FrameTitleY + DG::FrameBorderX, panel->scale));
}

void DGSetDialogClientSize(short dialId, short width, short height, short anchor, bool /*keepOld*/) {
    if (PanelState* panel = panelFor("DGSetDialogClientSize", dialId)) resize(*panel, width, height, anchor);
}

void DGSetDialogFrameSize(short dialId, short width, short height, short anchor, bool /*keepOld*/) {
    PanelState* panel = panelFor("DGSetDialogFrameSize", dialId);
    if (panel == nullptr) return;
    resize(*panel, static_cast<short>(DG::ToUnits(width, panel->scale) - 2 * DG::FrameBorderX),
           static_cast<short>(DG::ToUnits(height, panel->scale) - DG::FrameTitleY - DG::FrameBorderX),
           anchor);
}

void DGSetDialogClientMinSize(short dialId, short width, short height) {
    PanelState* panel = panelFor("DGSetDialogClientMinSize", dialId);
    if (panel == nullptr) return;
    panel->minWidth = std::max<short>(width, 0);
    panel->minHeight = std::max<short>(height, 0);
}

void DGSetDialogFrameMinSize(short dialId, short width, short height) {
    PanelState* panel = panelFor("DGSetDialogFrameMinSize", dialId);
    if (panel == nullptr) return;
    panel->minWidth =
        std::max<short>(static_cast<short>(DG::ToUnits(width, panel->scale) - 2 * DG::FrameBorderX), 0);
    panel->minHeight = std::max<short>(
        static_cast<short>(DG::ToUnits(height, panel->scale) - DG::FrameTitleY - DG::FrameBorderX), 0);
}

void DGRedrawDialog(short dialId) {
    PanelState* panel = panelFor("DGRedrawDialog", dialId);
    if (panel == nullptr) return;
    ++panel->redraws;
    DG::Delivery::UpdateUserItems(*panel->panel);
}

void DGSetFocus(short dialId, short item) {
    PanelState* panel = panelFor("DGSetFocus", dialId);
    if (panel == nullptr) return;
    if (item == -1) {
        panel->focus = 0;
        return;
    }
    if (itemFor("DGSetFocus", dialId, item) != nullptr) panel->focus = item;
}

DG::Rect DGGetMonitorRectFromRect(const DG::Rect& /*rect*/) {
    // One monitor: every rectangle is on it.
    return DG::Desk::Get().GetMonitorRect();
}

void DGSetDialogZPosition(short dialId, short position) {
    PanelState* panel = panelFor("DGSetDialogZPosition", dialId);
    if (panel != nullptr && position == DG::TopMost) DG::Desk::Get().BringToFront(*panel->panel);
}

DG::Rect DGGetItemRect(short dialId, short item) {
    ItemState* state = itemFor("DGGetItemRect", dialId, item);
    return state != nullptr ? state->rect : DG::Rect();
}

bool DGIsItemEnabled(short dialId, short item) {
    ItemState* state = itemFor("DGIsItemEnabled", dialId, item);
    return state != nullptr && state->enabled;
}

bool DGIsItemVisible(short dialId, short item) {
    ItemState* state = itemFor("DGIsItemVisible", dialId, item);
    return state != nullptr && state->visible;
}

void DGRedrawItem(short dialId, short item) {
    if (itemFor("DGRedrawItem", dialId, item) == nullptr) return;
    PanelState* panel = panelFor("DGRedrawItem", dialId);
    ++panel->redraws;
    DG::Delivery::UpdateUserItem(*panel->panel, item);
}

void DGMoveGrowItem(short dialId, short item, short hDisp, short vDisp, short hGrow, short vGrow) {
    ItemState* state = itemFor("DGMoveGrowItem", dialId, item);
    if (state == nullptr) return;
    const DG::Rect& r = state->rect;
    short left = clampShort(r.GetLeft() + hDisp);
    short top = clampShort(r.GetTop() + vDisp);
    short width = static_cast<short>(std::max(0, r.GetWidth() + hGrow));
    short height = static_cast<short>(std::max(0, r.GetHeight() + vGrow));
    state->rect = DG::Rect(left, top, clampShort(left + width), clampShort(top + height));
}

void DGMoveItem(short dialId, short item, short hDisp, short vDisp) {
    DGMoveGrowItem(dialId, item, hDisp, vDisp, 0, 0);
}

void DGGrowItem(short dialId, short item, short hGrow, short vGrow) {
    DGMoveGrowItem(dialId, item, 0, 0, hGrow, vGrow);
}

void DGShowItem(short dialId, short item) {
    ItemState* state = itemFor("DGShowItem", dialId, item);
    if (state == nullptr || state->visible) return;
    state->visible = true;
    DG::Delivery::UpdateUserItem(*panelFor("DGShowItem", dialId)->panel, item);
}

void DGHideItem(short dialId, short item) {
    if (ItemState* state = itemFor("DGHideItem", dialId, item)) state->visible = false;
}

void DGEnableItem(short dialId, short item) {
    if (ItemState* state = itemFor("DGEnableItem", dialId, item)) state->enabled = true;
}

void DGDisableItem(short dialId, short item) {
    if (ItemState* state = itemFor("DGDisableItem", dialId, item)) state->enabled = false;
}

void DGSetItemFont(short dialId, short item, short fontCode) {
    if (ItemState* state = itemFor("DGSetItemFont", dialId, item)) state->font = fontCode;
}

short DGGetItemFont(short dialId, short item) {
    ItemState* state = itemFor("DGGetItemFont", dialId, item);
    return state != nullptr ? state->font : 0;
}

GS::UniString DGGetItemText(short dialId, short item) {
    ItemState* state = itemFor("DGGetItemText", dialId, item);
    if (state == nullptr) return GS::UniString();
    if (!hasText(state->type)) return refuseKind("DGGetItemText", dialId, item, *state), GS::UniString();
    if (state->type == ItemType::PopUp) {
        const DG::PopUpState::Entry* chosen = DG::PopUpOf(*state)->Find(DG::PopUpOf(*state)->chosen);
        return chosen != nullptr ? chosen->text : GS::UniString();
    }
    return state->text;
}

void DGSetItemText(short dialId, short item, const GS::UniString& text) {
    ItemState* state = itemFor("DGSetItemText", dialId, item);
    if (state == nullptr) return;
    // A pop-up's text is its chosen entry's.
    if (!hasText(state->type) || state->type == ItemType::PopUp)
        return (void)refuseKind("DGSetItemText", dialId, item, *state);
    state->text = text;
}

GS::UniString DGGetItemTooltipString(short dialId, short item) {
    ItemState* state = itemFor("DGGetItemTooltipString", dialId, item);
    return state != nullptr ? state->tooltip : GS::UniString();
}

void DGSetItemTooltipString(short dialId, short item, const GS::UniString& text) {
    if (ItemState* state = itemFor("DGSetItemTooltipString", dialId, item)) state->tooltip = text;
}

void DGSetItemTextColor(short dialId, short item, const DG::Color& color) {
    ItemState* state = itemFor("DGSetItemTextColor", dialId, item);
    if (state == nullptr) return;
    if (!takesColour(state->type)) return (void)refuseKind("DGSetItemTextColor", dialId, item, *state);
    state->textColor = color;
    state->coloured = true;
}

void DGSetItemBackgroundColor(short dialId, short item, const DG::Color& color) {
    ItemState* state = itemFor("DGSetItemBackgroundColor", dialId, item);
    if (state == nullptr) return;
    if (!takesColour(state->type)) return (void)refuseKind("DGSetItemBackgroundColor", dialId, item, *state);
    state->backgroundColor = color;
    state->coloured = true;
}

long DGGetItemValLong(short dialId, short item) {
    ItemState* state = itemFor("DGGetItemValLong", dialId, item);
    if (state == nullptr) return 0;
    if (!hasValue(state->type)) return refuseKind("DGGetItemValLong", dialId, item, *state), 0;
    if (state->type == ItemType::PopUp) return DG::PopUpOf(*state)->chosen;
    if (state->type == ItemType::ListBox) return DG::ListOf(*state)->FirstSelectedFrom(1);
    return state->value;
}

void DGSetItemValLong(short dialId, short item, long value) {
    ItemState* state = itemFor("DGSetItemValLong", dialId, item);
    if (state == nullptr) return;
    if (!hasValue(state->type)) return (void)refuseKind("DGSetItemValLong", dialId, item, *state);
    if (state->type == ItemType::PopUp) {
        DG::PopUpState* menu = DG::PopUpOf(*state);
        const DG::PopUpState::Entry* entry =
            menu->Find(static_cast<short>(std::clamp<long>(value, 0, 32767)));
        if (entry == nullptr || entry->separator)
            return DG::Desk::Get().Refuse("DGSetItemValLong: no entry " + std::to_string(value) +
                                          " in item " + std::to_string(item) + " of panel " +
                                          std::to_string(dialId));
        menu->chosen = static_cast<short>(value);
        return;
    }
    if (state->type == ItemType::ListBox) {
        // The row becomes the only one selected; 0 selects none.
        DG::ListState* list = DG::ListOf(*state);
        if (value != 0 && list->Find(static_cast<short>(std::clamp<long>(value, 0, 32767))) == nullptr)
            return DG::Desk::Get().Refuse("DGSetItemValLong: no row " + std::to_string(value) + " in item " +
                                          std::to_string(item) + " of panel " + std::to_string(dialId));
        list->Select(DG::ListAllItems, false);
        if (value != 0) list->Select(static_cast<short>(value), true);
        DG::PlaceTabItems(*panelFor("DGSetItemValLong", dialId), item);
        return;
    }
    state->value = state->type == ItemType::CheckBox ? (value != 0) : value;
}

void DGBeginMoveGrowItems(short dialId) {
    if (PanelState* panel = panelFor("DGBeginMoveGrowItems", dialId)) ++panel->moveGrowDepth;
}

void DGEndMoveGrowItems(short dialId) {
    PanelState* panel = panelFor("DGEndMoveGrowItems", dialId);
    if (panel == nullptr) return;
    if (panel->moveGrowDepth == 0)
        return DG::Desk::Get().Refuse("DGEndMoveGrowItems: panel " + std::to_string(dialId) +
                                      " has no DGBeginMoveGrowItems to end");
    if (--panel->moveGrowDepth == 0) ++panel->redraws;
}

short DGGetMousePosition(short /*dialId*/, DGMousePosData* data) {
    if (data == nullptr) return 0;
    *data = DG::Desk::Get().GetMouse();
    return 1;
}
