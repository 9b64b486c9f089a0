#include "DGDelivery.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DGDesk.h"
#include "DGItem.h"
#include "DGItems.h"
#include "DGPanel.h"
#include "DGPanelState.h"

namespace DG::Delivery {

namespace {
template <class T> bool has(const std::vector<T*>& list, const T* value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}
} // namespace

void Run(Panel& panel, std::function<void(Panel&)> work) {
    short id = panel.GetId();
    Desk::Get().Deliver(panel.weak_from_this().lock(), [id, work = std::move(work)] {
        // Ids are not given again while a panel lives, so the id finds this panel or none.
        if (Panel* found = Desk::Get().FindPanel(id)) work(*found);
    });
}

void CallPanelObservers(PanelState& state, const std::function<void(PanelObserver&)>& notify) {
    std::vector<PanelObserver*> observers = state.observers;
    for (PanelObserver* observer : observers)
        if (has(state.observers, observer)) notify(*observer);
}

void ToPanel(Panel& panel, std::function<void(Panel&, PanelObserver&)> notify) {
    Run(panel, [notify = std::move(notify)](Panel& p) {
        CallPanelObservers(p.State(), [&](PanelObserver& observer) { notify(p, observer); });
    });
}

void CallItemObservers(PanelState& state, short item,
                       const std::function<void(Item&, ItemObserver&)>& notify) {
    ItemState* itemState = state.item(item);
    if (itemState == nullptr) return;
    std::vector<Item*> objects = itemState->objects;
    for (Item* object : objects) {
        if (!has(itemState->objects, object)) continue;
        std::vector<ItemObserver*> observers = object->Observers();
        for (ItemObserver* observer : observers) {
            // An observer may destroy the object it hears.
            if (!has(itemState->objects, object)) break;
            if (has(object->Observers(), observer)) notify(*object, *observer);
        }
    }
}

void ToItem(Panel& panel, short item, std::function<void(Item&, ItemObserver&)> notify) {
    Run(panel, [item, notify = std::move(notify)](Panel& p) { CallItemObservers(p.State(), item, notify); });
}

void UpdateUserItem(Panel& panel, short item) {
    Run(panel, [item](Panel& p) {
        PanelState& state = p.State();
        ItemState* target = state.item(item);
        if (!state.open || !state.visible || target == nullptr || target->type != ItemType::UserItem ||
            !target->visible)
            return;
        auto picture = std::make_shared<NewDisplay::NativeContext::Drawing>();
        target->picture = picture;
        const Rect rect = target->rect;
        bool heard = false;
        CallItemObservers(state, item, [&](Item& source, ItemObserver& observer) {
            if (auto* user = dynamic_cast<UserItemObserver*>(&observer)) {
                heard = true;
                user->UserItemUpdate(UserItemUpdateEvent(&source, picture, rect));
            }
        });
        picture->closed = true;
        if (heard)
            Desk::Get().Tell("user item " + std::to_string(item) + " of " + Desk::Describe(p) +
                             " drawn: " + std::to_string(picture->calls.size()) + " calls");
    });
}

void UpdateUserItems(Panel& panel) {
    const std::vector<ItemState>& items = panel.State().items;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].type == ItemType::UserItem) UpdateUserItem(panel, static_cast<short>(i + 1));
}

void Close(Panel& panel, bool accepted) {
    PanelState& state = panel.State();
    if (!state.open) return;
    state.open = false;
    state.visible = false;
    state.active = false;
    state.closeAccepted = accepted;
    Desk::Get().Closed(panel);
    ToPanel(panel, [accepted](Panel& p, PanelObserver& observer) {
        observer.PanelClosed(PanelCloseEvent(&p, accepted));
    });
}

void RequestClose(Panel& panel, bool accept) {
    Run(panel, [accept](Panel& p) {
        if (!p.State().open) return;
        bool accepted = true;
        CallPanelObservers(p.State(), [&](PanelObserver& observer) {
            bool answer = true;
            observer.PanelCloseRequested(PanelCloseRequestEvent(&p, accept), &answer);
            accepted = accepted && answer;
        });
        if (!accepted) {
            Desk::Get().Tell(Desk::Describe(p) + " stays open: the add-on refused to close it");
            return;
        }
        Close(p, accept);
    });
}

} // namespace DG::Delivery
