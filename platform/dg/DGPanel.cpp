#include "DGPanel.h"

#include <algorithm>
#include <cmath>

#include "DGDelivery.h"
#include "DGDesk.h"
#include "DGItem.h"
#include "DGListState.h"
#include "DGPanelState.h"
#include "DGPopUpState.h"

namespace DG {

namespace {
template <class T> void removeOne(std::vector<T*>& list, const T* value) {
    auto it = std::find(list.begin(), list.end(), value);
    if (it != list.end()) list.erase(it);
}

// Answers false, recording the refusal, for an invalid panel.
bool usable(const Panel& panel, const char* what) {
    if (panel.IsValid()) return true;
    Desk::Get().Refuse(std::string(what) + " on a panel that could not be made");
    return false;
}
// A list's columns as its tab fields, side by side (and its header when they have texts); a pop-up's
// entries.
void fillContents(ItemState& item, const ItemTemplate& resource) {
    if (ListState* list = ListOf(item); list != nullptr && !resource.columns.empty()) {
        list->tabs.clear();
        short start = 0;
        bool header = false;
        for (const auto& [width, text] : resource.columns) {
            DGListTabData field;
            field.start = start;
            field.end = start = static_cast<short>(start + width);
            list->tabs.push_back(field);
            header = header || !text.empty();
        }
        for (size_t i = 0; header && i < resource.columns.size(); ++i) {
            ListState::HeaderItem headerItem;
            headerItem.text = GS::UniString(resource.columns[i].second.c_str());
            headerItem.size = resource.columns[i].first;
            list->header.push_back(std::move(headerItem));
        }
    }
    if (PopUpState* menu = PopUpOf(item)) {
        for (const std::string& text : resource.entries) {
            menu->Insert(static_cast<short>(menu->Count() + 1));
            PopUpState::Entry* entry = menu->Find(menu->Count());
            entry->separator = text == "-";
            if (!entry->separator) entry->text = GS::UniString(text.c_str());
        }
    }
}
} // namespace

short ToPixels(double units, double scale) {
    return static_cast<short>(std::floor(units * scale + 0.5));
}

short ToUnits(double pixels, double scale) {
    return static_cast<short>(std::floor(pixels / scale + 0.5));
}

Point PanelState::frameSize() const {
    return Point(ToPixels(width + 2 * FrameBorderX, scale),
                 ToPixels(height + FrameTitleY + FrameBorderX, scale));
}

Point PanelState::clientOffset() const {
    return Point(ToPixels(FrameBorderX, scale), ToPixels(FrameTitleY, scale));
}

void PanelState::orphanItems() {
    for (ItemState& item : items) {
        for (Item* object : item.objects) {
            object->m_panel = nullptr;
            object->m_valid = false;
        }
        item.objects.clear();
    }
}

PanelObserver::~PanelObserver() {
    for (Panel* panel : m_panels)
        removeOne(panel->State().observers, this);
}

Panel::Panel(GSResModule resModule, short resId, Kind kind) : m_state(std::make_unique<PanelState>()) {
    PanelState& state = *m_state;
    state.panel = this;
    state.kind = kind == Kind::Modal ? PanelState::Kind::Modal : PanelState::Kind::Palette;
    state.resourceId = resId;
    state.module = resModule;
    Desk& desk = Desk::Get();
    DialogTemplate resource;
    std::string why;
    if (!LoadDialogTemplate(resModule, resId, &resource, &why)) {
        desk.Refuse(why);
        return;
    }
    bool wantPalette = kind == Kind::Palette;
    if ((resource.kind == DialogTemplate::Kind::Palette) != wantPalette) {
        desk.Refuse("dialog " + std::to_string(resId) + " is a " +
                    (wantPalette ? "modal dialog, not a palette" : "palette, not a modal dialog"));
        return;
    }
    state.title = GS::UniString(resource.title.c_str());
    state.width = state.minWidth = resource.width;
    state.height = state.minHeight = resource.height;
    state.growable = resource.growable;
    state.scale = desk.GetScaleFactor();
    for (const ItemTemplate& each : resource.items) {
        ItemState item;
        item.type = each.type;
        item.rect = each.rect;
        item.text = GS::UniString(each.text.c_str());
        item.tooltip = GS::UniString(each.help.c_str());
        item.value = each.type == ItemType::CheckBox ? (each.value != 0) : 0;
        fillContents(item, each);
        state.items.push_back(std::move(item));
    }
    Rect monitor = desk.GetMonitorRect();
    Point frame = state.frameSize();
    state.framePosition =
        Point(static_cast<short>((monitor.GetLeft() + monitor.GetRight() - frame.GetX()) / 2),
              static_cast<short>((monitor.GetTop() + monitor.GetBottom() - frame.GetY()) / 2));
    state.id = desk.Register(*this);
}

Panel::~Panel() {
    PanelState& state = *m_state;
    if (state.open) {
        // Gone without closing: the panel disappears without notifications, as its window would.
        state.open = false;
        Desk::Get().Closed(*this);
    }
    for (PanelObserver* observer : state.observers)
        removeOne(observer->m_panels, this);
    state.observers.clear();
    state.orphanItems();
    if (state.id != 0) Desk::Get().Unregister(*this);
}

short Panel::GetId() const {
    return m_state->id;
}

short Panel::GetResourceId() const {
    return m_state->resourceId;
}

GSResModule Panel::GetResourceModule() const {
    return m_state->module;
}

short Panel::GetItemCount() const {
    return static_cast<short>(m_state->items.size());
}

Item* Panel::GetItem(short item) const {
    ItemState* state = m_state->item(item);
    return state != nullptr && !state->objects.empty() ? state->objects.back() : nullptr;
}

double Panel::GetScaleFactor() const {
    return m_state->scale;
}

bool Panel::IsOpen() const {
    return m_state->open;
}

void Panel::Attach(PanelObserver& observer) {
    if (!usable(*this, "Attach")) return;
    std::vector<PanelObserver*>& observers = m_state->observers;
    if (std::find(observers.begin(), observers.end(), &observer) != observers.end()) return;
    observers.push_back(&observer);
    observer.m_panels.push_back(this);
}

void Panel::Detach(PanelObserver& observer) {
    removeOne(m_state->observers, &observer);
    removeOne(observer.m_panels, this);
}

void Panel::EnableDragAndDropEvent() {
    if (usable(*this, "EnableDragAndDropEvent")) m_state->dragAndDrop = true;
}

bool Panel::IsDragAndDropEnabled() const {
    return m_state->dragAndDrop;
}

short Panel::RegisterHotKey(short keyCode, short /*modifiers*/) {
    if (!usable(*this, "RegisterHotKey")) return 0;
    short id = m_state->nextHotKey++;
    m_state->hotKeys[id] = keyCode;
    return id;
}

void Panel::UnregisterHotKey(short keyId) {
    if (m_state->hotKeys.erase(keyId) == 0) Desk::Get().Refuse("no hot key " + std::to_string(keyId));
}

Point Dialog::GetClientPosition() const {
    const PanelState& state = State();
    Point offset = state.clientOffset();
    return Point(static_cast<short>(state.framePosition.GetX() + offset.GetX()),
                 static_cast<short>(state.framePosition.GetY() + offset.GetY()));
}

Point Dialog::GetFramePosition() const {
    return State().framePosition;
}

void Dialog::SetClientPosition(const Point& position) {
    if (!usable(*this, "SetClientPosition")) return;
    Point offset = State().clientOffset();
    State().framePosition = Point(static_cast<short>(position.GetX() - offset.GetX()),
                                  static_cast<short>(position.GetY() - offset.GetY()));
}

void Dialog::SetFramePosition(const Point& position) {
    if (usable(*this, "SetFramePosition")) State().framePosition = position;
}

GS::UniString Dialog::GetTitle() const {
    return State().title;
}

void Dialog::SetTitle(const GS::UniString& title) {
    if (usable(*this, "SetTitle")) State().title = title;
}

ModalDialog::ModalDialog(GSResModule dialResModule, short resId, GSResModule /*dialIconResModule*/)
    : Dialog(dialResModule, resId, Kind::Modal) {}

ModalDialog::~ModalDialog() = default;

bool ModalDialog::Invoke() {
    if (!usable(*this, "Invoke")) return false;
    Desk& desk = Desk::Get();
    if (State().open) {
        desk.Refuse(Desk::Describe(*this) + " is running already");
        return false;
    }
    std::shared_ptr<Panel> keep = weak_from_this().lock();
    desk.PushFrame();
    State().closeAccepted = false;
    State().visible = true;
    desk.Opened(*this);
    if (State().open) Delivery::UpdateUserItems(*this);
    if (State().open) desk.RunModal(*this);
    if (State().open) {
        desk.Tell(Desk::Describe(*this) + " is aborted: it was left open");
        Delivery::Close(*this, false);
    }
    desk.PopFrame();
    return State().closeAccepted;
}

void ModalDialog::PostCloseRequest(short response) {
    if (!usable(*this, "PostCloseRequest")) return;
    Delivery::RequestClose(*this, response == Accept);
}

void ModalDialog::Abort() {
    if (!usable(*this, "Abort")) return;
    Delivery::Run(*this, [](Panel& panel) { Delivery::Close(panel, false); });
}

void ModelessBase::BeginEventProcessing() {
    if (!usable(*this, "BeginEventProcessing") || State().open) return;
    State().closeAccepted = false;
    Desk::Get().Opened(*this);
}

void ModelessBase::EndEventProcessing() {
    if (usable(*this, "EndEventProcessing")) Delivery::Close(*this, false);
}

void ModelessBase::Show(short position) {
    if (!usable(*this, "Show")) return;
    if (!State().open) {
        Desk::Get().Refuse("Show of " + Desk::Describe(*this) + " before BeginEventProcessing");
        return;
    }
    const bool shown = !State().visible;
    State().visible = true;
    if (position == TopMost) Desk::Get().BringToFront(*this);
    // Coming on screen, the palette's user items are drawn.
    if (shown) Delivery::UpdateUserItems(*this);
}

void ModelessBase::Hide() {
    if (usable(*this, "Hide")) State().visible = false;
}

void ModelessBase::Activate() {
    if (!usable(*this, "Activate") || !State().open) return;
    State().active = true;
    Desk::Get().BringToFront(*this);
}

bool ModelessBase::IsVisible() const {
    return State().visible;
}

bool ModelessBase::IsActive() const {
    return State().active;
}

Palette::Palette(GSResModule dialResModule, short resId, GSResModule /*dialIconResModule*/,
                 const GS::Guid& guid)
    : ModelessBase(dialResModule, resId, Kind::Palette), m_guid(guid) {}

Palette::~Palette() = default;

const GS::Guid& Palette::GetGuid() const {
    return m_guid;
}

} // namespace DG
