// What the user does on the desk: typing, clicking, ticking, closing, resizing, keys and drops,
// each delivered to the observers as the host would.
#include <string>

#include "DGDelivery.h"
#include "DGDesk.h"
#include "DGItems.h"
#include "DGListState.h"
#include "DGPanel.h"
#include "DGPanelState.h"

namespace DG {

namespace {
bool refuse(std::string* why, const std::string& text) {
    if (why != nullptr) *why = text;
    return false;
}

bool isStaticText(ItemType type) {
    return type == ItemType::LeftText || type == ItemType::CenterText || type == ItemType::RightText;
}

// The item the user can reach: the panel open, the item there, visible and enabled.
ItemState* reachable(Panel& panel, short item, std::string* why) {
    PanelState& state = panel.State();
    if (!state.open) return refuse(why, Desk::Describe(panel) + " is not open"), nullptr;
    ItemState* found = state.item(item);
    if (found == nullptr)
        return refuse(why, Desk::Describe(panel) + " has no item " + std::to_string(item) + " (it has " +
                               std::to_string(state.items.size()) + ")"),
               nullptr;
    std::string what = "item " + std::to_string(item) + " of " + Desk::Describe(panel);
    if (!found->visible) return refuse(why, what + " is hidden"), nullptr;
    if (!found->enabled) return refuse(why, what + " is disabled"), nullptr;
    return found;
}

bool wrongKind(Panel& panel, short item, const ItemState& state, const char* action, std::string* why) {
    return refuse(why, std::string("cannot ") + action + " item " + std::to_string(item) + " of " +
                           Desk::Describe(panel) + ": it is " + ItemTypeWithArticle(state.type));
}

void focus(Panel& panel, short item) {
    Delivery::MoveFocus(panel, item);
}

void notifyChanged(Panel& panel, short item) {
    Delivery::ToItem(panel, item, [](Item& source, ItemObserver& observer) {
        if (auto* edit = dynamic_cast<TextEditBaseObserver*>(&observer))
            edit->TextEditChanged(ItemChangeEvent(&source));
    });
    TabItemChanged(panel, item);
}

// Holds the modifier keys in the mouse record while a click is delivered.
class HeldKeys {
public:
    HeldKeys(Desk& desk, short modifiers) : m_desk(desk), m_saved(desk.GetMouse()) {
        DGMousePosData mouse = m_saved;
        mouse.modifiers = modifiers;
        desk.SetMouse(mouse);
    }
    ~HeldKeys() { m_desk.SetMouse(m_saved); }

private:
    Desk& m_desk;
    DGMousePosData m_saved;
};
} // namespace

void Delivery::MoveFocus(Panel& panel, short item) {
    PanelState& state = panel.State();
    short previous = state.focus;
    state.focus = item;
    if (previous == 0 || previous == item) return;
    Delivery::ToItem(panel, previous, [](Item& source, ItemObserver& observer) {
        observer.ItemFocusLost(ItemFocusEvent(&source));
    });
}

bool Desk::TypeText(Panel& panel, short item, const GS::UniString& text, std::string* why) {
    ItemState* state = reachable(panel, item, why);
    if (state == nullptr) return false;
    if (state->type != ItemType::TextEdit) return wrongKind(panel, item, *state, "type into", why);
    focus(panel, item);
    for (char16_t c : text.Text()) {
        Delivery::Run(panel, [item, c](Panel& p) {
            bool denied = false;
            Delivery::CallItemObservers(p.State(), item, [&](Item& source, ItemObserver& observer) {
                bool deny = false;
                observer.ItemCharEntered(ItemCharEnterEvent(&source, c), &deny);
                denied = denied || deny;
            });
            ItemState* target = p.State().item(item);
            if (denied || target == nullptr) {
                Desk::Get().Tell("the add-on refused the character '" +
                                 GS::UniString(std::u16string(1, c)).ToCStr() + "'");
                return;
            }
            target->text.Append(GS::UniString(std::u16string(1, c)));
            notifyChanged(p, item);
        });
    }
    return true;
}

bool Desk::SetText(Panel& panel, short item, const GS::UniString& text, std::string* why) {
    ItemState* state = reachable(panel, item, why);
    if (state == nullptr) return false;
    if (state->type != ItemType::TextEdit) return wrongKind(panel, item, *state, "set the text of", why);
    focus(panel, item);
    state->text = text;
    notifyChanged(panel, item);
    return true;
}

bool Desk::Click(Panel& panel, short item, short modifiers, std::string* why) {
    ItemState* state = reachable(panel, item, why);
    if (state == nullptr) return false;
    HeldKeys held(*this, modifiers);
    ItemType type = state->type;
    // Controls take the focus when clicked; texts and user items do not.
    if (type == ItemType::Button || type == ItemType::CheckBox || type == ItemType::TextEdit)
        focus(panel, item);
    if (type == ItemType::Button) {
        Delivery::ToItem(panel, item, [modifiers](Item& source, ItemObserver& observer) {
            if (auto* button = dynamic_cast<ButtonItemObserver*>(&observer))
                button->ButtonClicked(ItemClickEvent(&source, modifiers));
        });
    } else if (isStaticText(type)) {
        Delivery::ToItem(panel, item, [modifiers](Item& source, ItemObserver& observer) {
            if (auto* text = dynamic_cast<StaticTextObserver*>(&observer))
                text->StaticTextClicked(ItemClickEvent(&source, modifiers));
        });
    } else if (type == ItemType::CheckBox) {
        return Tick(panel, item, state->value == 0, why);
    } else if (type == ItemType::UserItem) {
        Delivery::ToItem(panel, item, [modifiers](Item& source, ItemObserver& observer) {
            if (auto* user = dynamic_cast<UserItemObserver*>(&observer))
                user->UserItemClicked(ItemClickEvent(&source, modifiers));
        });
    } else if (type != ItemType::TextEdit) {
        return wrongKind(panel, item, *state, "click", why);
    }
    return true;
}

bool Desk::DoubleClick(Panel& panel, short item, short modifiers, std::string* why) {
    ItemState* state = reachable(panel, item, why);
    if (state == nullptr) return false;
    HeldKeys held(*this, modifiers);
    if (isStaticText(state->type)) {
        Delivery::ToItem(panel, item, [modifiers](Item& source, ItemObserver& observer) {
            if (auto* text = dynamic_cast<StaticTextObserver*>(&observer))
                text->StaticTextDoubleClicked(ItemClickEvent(&source, modifiers));
        });
    } else if (state->type == ItemType::UserItem) {
        Delivery::ToItem(panel, item, [modifiers](Item& source, ItemObserver& observer) {
            if (auto* user = dynamic_cast<UserItemObserver*>(&observer))
                user->UserItemDoubleClicked(ItemClickEvent(&source, modifiers));
        });
    } else {
        return wrongKind(panel, item, *state, "double-click", why);
    }
    return true;
}

bool Desk::UpdateUserItem(Panel& panel, short item, std::string* why) {
    PanelState& state = panel.State();
    if (!state.open) return refuse(why, Describe(panel) + " is not open");
    if (!state.visible) return refuse(why, Describe(panel) + " is hidden");
    ItemState* found = state.item(item);
    if (found == nullptr)
        return refuse(why, Describe(panel) + " has no item " + std::to_string(item) + " (it has " +
                               std::to_string(state.items.size()) + ")");
    if (found->type != ItemType::UserItem) return wrongKind(panel, item, *found, "update", why);
    if (!found->visible)
        return refuse(why, "item " + std::to_string(item) + " of " + Describe(panel) + " is hidden");
    Delivery::UpdateUserItem(panel, item);
    return true;
}

bool Desk::Tick(Panel& panel, short item, bool on, std::string* why) {
    ItemState* state = reachable(panel, item, why);
    if (state == nullptr) return false;
    if (state->type != ItemType::CheckBox) return wrongKind(panel, item, *state, "tick", why);
    if ((state->value != 0) == on) return true;
    state->value = on ? 1 : 0;
    Delivery::ToItem(panel, item, [](Item& source, ItemObserver& observer) {
        if (auto* check = dynamic_cast<CheckItemObserver*>(&observer))
            check->CheckItemChanged(ItemChangeEvent(&source));
    });
    TabItemChanged(panel, item);
    return true;
}

bool Desk::CloseBox(Panel& panel, std::string* why) {
    if (!panel.State().open) return refuse(why, Describe(panel) + " is not open");
    Delivery::RequestClose(panel, false);
    return true;
}

bool Desk::Resize(Panel& panel, short hGrow, short vGrow, std::string* why) {
    PanelState& state = panel.State();
    if (!state.open) return refuse(why, Describe(panel) + " is not open");
    if (!state.growable) return refuse(why, Describe(panel) + " cannot be resized");
    short width = std::max<short>(state.minWidth, static_cast<short>(state.width + hGrow));
    short height = std::max<short>(state.minHeight, static_cast<short>(state.height + vGrow));
    short dw = static_cast<short>(width - state.width);
    short dh = static_cast<short>(height - state.height);
    Delivery::ToPanel(
        panel, [](Panel& p, PanelObserver& o) { o.PanelResizeEntered(PanelResizeEvent(&p, true, 0, 0)); });
    Delivery::ToPanel(
        panel, [dw, dh](Panel& p, PanelObserver& o) { o.PanelResizing(PanelResizeEvent(&p, true, dw, dh)); });
    Delivery::Run(panel, [width, height](Panel& p) {
        p.State().width = width;
        p.State().height = height;
    });
    Delivery::ToPanel(
        panel, [dw, dh](Panel& p, PanelObserver& o) { o.PanelResized(PanelResizeEvent(&p, true, dw, dh)); });
    Delivery::ToPanel(panel, [dw, dh](Panel& p, PanelObserver& o) {
        o.PanelResizeExited(PanelResizeEvent(&p, true, dw, dh));
    });
    return true;
}

bool Desk::PressHotKey(Panel& panel, short keyId, std::string* why) {
    PanelState& state = panel.State();
    if (!state.open) return refuse(why, Describe(panel) + " is not open");
    if (state.hotKeys.count(keyId) == 0)
        return refuse(why, Describe(panel) + " has registered no hot key " + std::to_string(keyId));
    Delivery::Run(panel, [keyId](Panel& p) {
        bool processed = false;
        Delivery::CallPanelObservers(p.State(), [&](PanelObserver& observer) {
            bool answer = false;
            observer.PanelHotkeyPressed(PanelHotKeyEvent(&p, keyId), &answer);
            processed = processed || answer;
        });
        Desk::Get().Tell(std::string("hot key ") + std::to_string(keyId) +
                         (processed ? " processed" : " not processed"));
    });
    return true;
}

bool Desk::DragAndDrop(Panel& panel, Point target, DragDrop::Effect* effect, bool* handled,
                       std::string* why) {
    PanelState& state = panel.State();
    if (!state.open) return refuse(why, Describe(panel) + " is not open");
    if (!state.dragAndDrop) return refuse(why, Describe(panel) + " takes no drops");
    *effect = DragDrop::None;
    *handled = false;
    for (int phase = 0; phase < 3; ++phase) {
        Delivery::Run(panel, [phase, target, effect, handled](Panel& p) {
            *effect = DragDrop::All;
            *handled = false;
            Delivery::CallPanelObservers(p.State(), [&](PanelObserver& observer) {
                PanelDragEvent event(&p, target);
                if (phase == 0)
                    observer.PanelDragEntered(event, effect, handled);
                else if (phase == 1)
                    observer.PanelDragMoved(event, effect, handled);
                else
                    observer.PanelDropped(event, effect, handled);
            });
        });
    }
    return true;
}

} // namespace DG
