#include "DGListState.h"

#include <algorithm>
#include <memory>

#include "DGPanelState.h"

namespace DG {

bool ListState::Insert(short row) {
    if (Count() >= MaxRows || !m_rows.Insert(row)) return false;
    if (anchor >= row) ++anchor;
    m_selectionDirty = true;
    return true;
}

bool ListState::Delete(short row) {
    if (row == 0) {
        m_rows.Clear();
        anchor = 0;
        m_selectionDirty = true;
        return true;
    }
    if (!m_rows.Delete(row)) return false;
    if (anchor == row)
        anchor = 0;
    else if (anchor > row)
        --anchor;
    m_selectionDirty = true;
    return true;
}

bool ListState::Select(short row, bool on) {
    if (row == 0) {
        bool changed = false;
        for (int at = 1; at <= Count(); ++at) {
            Row* each = Find(static_cast<short>(at));
            changed = changed || each->selected != on;
            each->selected = on;
        }
        m_selected.clear();
        m_selectionDirty = on;
        return changed;
    }
    Row* found = Find(row);
    if (found == nullptr || found->selected == on) return false;
    found->selected = on;
    // Kept in step while it is sound, so that a selection changed row by row is not read afresh
    // for each row.
    if (!m_selectionDirty) {
        auto at = std::lower_bound(m_selected.begin(), m_selected.end(), row);
        if (on)
            m_selected.insert(at, row);
        else
            m_selected.erase(at);
    }
    return true;
}

short ListState::SelectedCount() const {
    (void)FirstSelectedFrom(1);
    return static_cast<short>(m_selected.size());
}

short ListState::FirstSelectedFrom(short row) const {
    if (m_selectionDirty) {
        m_selected.clear();
        for (int at = 1; at <= Count(); ++at)
            if (Find(static_cast<short>(at))->selected) m_selected.push_back(static_cast<short>(at));
        m_selectionDirty = false;
    }
    auto found = std::lower_bound(m_selected.begin(), m_selected.end(), row);
    return found != m_selected.end() ? *found : 0;
}

GS::UniString ListState::CellText(short row, short tabField) const {
    const Row* found = Find(row);
    if (found == nullptr || tabField < 1 || static_cast<size_t>(tabField) > found->cells.size())
        return GS::UniString();
    return found->cells[static_cast<size_t>(tabField - 1)].text;
}

ListState::Cell* ListState::WritableCell(short row, short tabField) {
    Row* found = Find(row);
    if (found == nullptr || tabField < 1) return nullptr;
    if (found->cells.size() < static_cast<size_t>(tabField))
        found->cells.resize(static_cast<size_t>(tabField));
    return &found->cells[static_cast<size_t>(tabField - 1)];
}

ListState* ListOf(ItemState& item) {
    if (item.type != ItemType::ListBox) return nullptr;
    if (!item.list) {
        item.list = std::make_shared<ListState>();
        DGListTabData whole;
        whole.end = item.rect.GetWidth();
        item.list->tabs.push_back(whole);
    }
    return item.list.get();
}

void PlaceTabItems(PanelState& panel, short listItem) {
    ItemState* listState = panel.item(listItem);
    ListState* list = listState != nullptr ? ListOf(*listState) : nullptr;
    if (list == nullptr || list->tabItems.empty()) return;
    short row = list->FirstSelectedFrom(1);
    list->tabItemRow = row;
    const Rect& frame = listState->rect;
    auto top = static_cast<short>(frame.GetTop() + list->HeaderHeight() +
                                  (row - list->scroll) * ListState::ItemHeight);
    for (const auto& [tab, dialItem] : list->tabItems) {
        ItemState* placed = panel.item(dialItem);
        if (placed == nullptr || tab < 1 || static_cast<size_t>(tab) > list->tabs.size()) continue;
        // Shown only over a selected row, as the user sees the cell it edits.
        placed->visible = row != 0;
        if (row == 0) continue;
        const DGListTabData& field = list->tabs[static_cast<size_t>(tab - 1)];
        auto left = static_cast<short>(frame.GetLeft() + field.start - list->hScroll);
        placed->rect = Rect(left, top, static_cast<short>(left + field.end - field.start),
                            static_cast<short>(top + ListState::ItemHeight));
    }
}

} // namespace DG
