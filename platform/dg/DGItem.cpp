#include "DGItem.h"

#include <algorithm>
#include <string>

#include "DGDesk.h"
#include "DGFunctions.h"
#include "DGPanel.h"
#include "DGPanelState.h"

namespace DG {

namespace {
template <class T> void removeOne(std::vector<T*>& list, const T* value) {
    auto it = std::find(list.begin(), list.end(), value);
    if (it != list.end()) list.erase(it);
}
} // namespace

ItemObserver::~ItemObserver() {
    for (Item* item : m_items)
        removeOne(item->m_observers, this);
}

Item::Item(const Panel& panel, short item) {
    bind(panel, item, nullptr);
}

Item::Item(const Panel& panel, short item, ItemType kind) {
    bind(panel, item, &kind);
}

void Item::bind(const Panel& panel, short item, const ItemType* kind) {
    m_id = item;
    ItemState* state = panel.IsValid() ? panel.State().item(item) : nullptr;
    std::string where = "item " + std::to_string(item) + " of panel " + std::to_string(panel.GetId());
    if (state == nullptr) {
        Desk::Get().Refuse("no " + where);
        return;
    }
    if (kind != nullptr && state->type != *kind) {
        Desk::Get().Refuse(ItemTypeWithArticle(*kind) + " over " + where + ", " +
                           ItemTypeWithArticle(state->type));
        return;
    }
    m_panel = panel.State().panel;
    m_valid = true;
    state->objects.push_back(this);
}

Item::~Item() {
    for (ItemObserver* observer : m_observers)
        removeOne(observer->m_items, this);
    if (m_panel != nullptr)
        if (ItemState* state = m_panel->State().item(m_id)) removeOne(state->objects, this);
}

short Item::GetPanelId() const {
    return m_panel != nullptr ? m_panel->GetId() : 0;
}

GS::UniString Item::GetTooltipString() const {
    if (m_panel != nullptr) return DGGetItemTooltipString(m_panel->GetId(), m_id);
    Desk::Get().Refuse("the tool tip of item " + std::to_string(m_id) + ", which stands for nothing");
    return GS::UniString();
}

void Item::SetTooltip(const GS::UniString& text) {
    if (m_panel != nullptr) return DGSetItemTooltipString(m_panel->GetId(), m_id, text);
    Desk::Get().Refuse("a tool tip for item " + std::to_string(m_id) + ", which stands for nothing");
}

void Item::Attach(ItemObserver& observer) {
    if (!m_valid || std::find(m_observers.begin(), m_observers.end(), &observer) != m_observers.end()) return;
    m_observers.push_back(&observer);
    observer.m_items.push_back(this);
}

void Item::Detach(ItemObserver& observer) {
    removeOne(m_observers, &observer);
    removeOne(observer.m_items, this);
}

} // namespace DG
