// The list's column editors and typed cell values.
#include "interface/ListCellEditors.h"

#include <algorithm>

#include "persistence/Setting.h"
#include "persistence/StringSetting.h"
#include "platform/dg/DGFunctions.h"

namespace tarnwick {

namespace {
// What the proxies reserve for a column made after the list was filled.
constexpr size_t ReservedValues = 50;
} // namespace

bool clampRange(int32_t size, int32_t& first, int32_t& count) {
    if (first >= size) return false;
    if (first < 0) {
        count += first;
        first = 0;
    }
    count = std::min(count, size - first);
    return count >= 1;
}

bool clampInsertion(int32_t size, int32_t& position, int32_t& count) {
    if (position > size) {
        count += position - size;
        position = size;
    } else if (position < 0) {
        count += position;
        position = 0;
    }
    return count >= 1;
}

// --- FieldProxy

FieldProxy::FieldProxy(DialogControl* editor, size_t reservedRows) : m_editor(editor) {
    m_values.reserve(reservedRows);
}

FieldProxy::FieldProxy(const FieldProxy& other) : m_editor(other.m_editor), m_shown(other.m_shown) {
    m_values.reserve(other.m_values.size());
    for (const auto& each : other.m_values)
        m_values.push_back(each ? each->clone() : nullptr);
}

FieldProxy& FieldProxy::operator=(const FieldProxy& other) {
    if (this != &other) *this = FieldProxy(other);
    return *this;
}

void FieldProxy::eraseRows(int16_t first, int16_t count) {
    int32_t from = first;
    int32_t many = count;
    if (!clampRange(static_cast<int32_t>(m_values.size()), from, many)) return;
    m_values.erase(m_values.begin() + from, m_values.begin() + from + many);
}

void FieldProxy::insertRows(int16_t position, int16_t count) {
    int32_t at = position;
    int32_t many = count;
    if (!clampInsertion(static_cast<int32_t>(m_values.size()), at, many)) return;
    std::vector<std::unique_ptr<Setting>> empty(static_cast<size_t>(many));
    m_values.insert(m_values.begin() + at, std::make_move_iterator(empty.begin()),
                    std::make_move_iterator(empty.end()));
}

Setting* FieldProxy::value(int16_t row) const {
    if (row < 0 || static_cast<size_t>(row) >= m_values.size()) return nullptr;
    return m_values[static_cast<size_t>(row)].get();
}

void FieldProxy::setValue(std::unique_ptr<Setting> value, int16_t row) {
    if (row < 0) return;
    if (static_cast<size_t>(row) >= m_values.size()) m_values.resize(static_cast<size_t>(row) + 1);
    m_values[static_cast<size_t>(row)] = std::move(value);
}

// --- ListControl::ProxyList

ListControl::ProxyList::ProxyList(int16_t columns, int16_t rows) {
    m_proxies.reserve(static_cast<size_t>(std::max<int16_t>(columns, 0)));
    for (int16_t column = 0; column < columns; ++column)
        m_proxies.emplace_back(nullptr, static_cast<size_t>(std::max<int16_t>(rows, 0)));
}

void ListControl::ProxyList::eraseRows(int16_t first, int16_t count) {
    for (FieldProxy& proxy : m_proxies)
        proxy.eraseRows(first, count);
}

void ListControl::ProxyList::insertRows(int16_t position, int16_t count) {
    for (FieldProxy& proxy : m_proxies)
        proxy.insertRows(position, count);
}

void ListControl::ProxyList::insertColumns(int16_t position, int16_t count) {
    int32_t at = position;
    int32_t many = count;
    if (!clampInsertion(size(), at, many)) return;
    std::vector<FieldProxy> made;
    made.reserve(static_cast<size_t>(many));
    for (int32_t i = 0; i < many; ++i)
        made.emplace_back(nullptr, ReservedValues);
    m_proxies.insert(m_proxies.begin() + at, std::make_move_iterator(made.begin()),
                     std::make_move_iterator(made.end()));
}

void ListControl::ProxyList::eraseColumns(int16_t first, int16_t count) {
    int32_t from = first;
    int32_t many = count;
    if (!clampRange(size(), from, many)) return;
    m_proxies.erase(m_proxies.begin() + from, m_proxies.begin() + from + many);
}

FieldProxy* ListControl::ProxyList::at(int16_t column) {
    return column >= 0 && column < size() ? &m_proxies[static_cast<size_t>(column)] : nullptr;
}

void ListControl::ProxyList::growTo(int16_t columns) {
    if (columns > size()) insertColumns(size(), static_cast<int16_t>(columns - size()));
}

// --- The list's operations over them

FieldProxy* ListControl::columnProxy(int16_t column) const {
    return m_editorsEnabled && m_proxies ? m_proxies->at(column) : nullptr;
}

bool ListControl::setColumnControl(DialogControl* editor, int16_t column) {
    if (column < 0 || column >= getColumns()) return false;
    if (editor != nullptr && (editor->getDialogId() != getDialogId() || editor->getItemId() >= getItemId()))
        return false;
    if (!m_proxies)
        m_proxies = std::make_unique<ProxyList>(static_cast<int16_t>(getColumns()), getRows());
    else
        m_proxies->growTo(static_cast<int16_t>(getColumns()));
    m_proxies->at(column)->setEditor(editor);
    return true;
}

DialogControl* ListControl::getColumnControl(int16_t column) const {
    FieldProxy* proxy = columnProxy(column);
    return proxy != nullptr ? proxy->getEditor() : nullptr;
}

bool ListControl::isColumnControlShown(int16_t column) const {
    FieldProxy* proxy = columnProxy(column);
    return proxy != nullptr && proxy->isShown();
}

void ListControl::setColumnControlsShown(bool shown, int16_t column) {
    if (column != NoRow && (column < 0 || column >= getColumns())) return;
    int16_t last = column == NoRow ? static_cast<int16_t>(getColumns() - 1) : column;
    for (int16_t at = column == NoRow ? 0 : column; at <= last; ++at) {
        FieldProxy* proxy = columnProxy(at);
        if (proxy == nullptr) continue;
        proxy->setShown(shown);
        DialogControl* editor = proxy->getEditor();
        DGListSetDialItemOnTabField(dialId(), itemId(), host(at),
                                    shown && editor != nullptr ? static_cast<short>(editor->getItemId()) : 0);
    }
}

void ListControl::replaceEditors(bool off) {
    if (!m_proxies) return;
    for (int16_t column = 0; column < static_cast<int16_t>(getColumns()); ++column) {
        FieldProxy* proxy = columnProxy(column);
        DialogControl* editor = proxy != nullptr ? proxy->getEditor() : nullptr;
        if (off || editor == nullptr || !proxy->isShown())
            DGListSetDialItemOnTabField(dialId(), itemId(), host(column), 0);
        else
            DGListSetDialItemOnTabField(dialId(), itemId(), host(column),
                                        static_cast<short>(editor->getItemId()));
    }
}

void ListControl::setEditedRow(int16_t row) {
    if (row != NoRow && !isValidRow(row)) row = NoRow;
    for (int16_t column = 0; column < static_cast<int16_t>(getColumns()); ++column) {
        FieldProxy* proxy = columnProxy(column);
        DialogControl* editor = proxy != nullptr ? proxy->getEditor() : nullptr;
        if (editor == nullptr) {
            DGListSetDialItemOnTabField(dialId(), itemId(), host(column), 0);
            continue;
        }
        if (isValidRow(m_editedRow)) {
            if (std::unique_ptr<Setting> typed = editor->getValue(0, 0)) {
                String text;
                setTabItemText(typed->getText(text), m_editedRow, column);
                proxy->setValue(std::move(typed), m_editedRow);
            }
        }
        if (row == NoRow) continue;
        // A row never given a value shows its cell's: the editor must not carry the last row's
        // value over, to be written into this row when the selection moves on.
        if (Setting* stored = proxy->value(row))
            editor->setValue(*stored, 0, 0);
        else if (std::unique_ptr<Setting> converted = getValue(row, column))
            editor->setValue(*converted, 0, 0);
        DGListSetDialItemOnTabField(dialId(), itemId(), host(column), 0);
        if (proxy->isShown())
            DGListSetDialItemOnTabField(dialId(), itemId(), host(column),
                                        static_cast<short>(editor->getItemId()));
    }
    m_editedRow = row;
}

std::unique_ptr<Setting> ListControl::getValue(int16_t row, int16_t column) const {
    if (!isValidCell(row, column)) return nullptr;
    FieldProxy* proxy = columnProxy(column);
    DialogControl* editor = proxy != nullptr ? proxy->getEditor() : nullptr;
    if (editor == nullptr) return std::make_unique<StringSetting>(getTabItemText(row, column));
    if (row != m_editedRow) {
        if (Setting* stored = proxy->value(row)) return stored->clone();
    } else if (std::unique_ptr<Setting> live = editor->getValue(0, 0)) {
        return live;
    }
    // The editor converts the cell's text into its kind of value through a clone, which shares the
    // editor's host item: what the user is typing there is kept aside and put back.
    std::unique_ptr<Setting> typed = editor->getValue(0, 0);
    std::unique_ptr<Setting> converted;
    {
        std::unique_ptr<DialogControl> converter = editor->clone();
        converter->setValue(StringSetting(getTabItemText(row, column)), 0, 0);
        converted = converter->getValue(0, 0);
    }
    if (typed) editor->setValue(*typed, 0, 0);
    if (converted) proxy->setValue(converted->clone(), row);
    return converted;
}

void ListControl::setValue(const Setting& value, int16_t row, int16_t column) {
    if (!isValidCell(row, column)) return;
    if (FieldProxy* proxy = columnProxy(column); proxy != nullptr && proxy->getEditor() != nullptr) {
        proxy->setValue(value.clone(), row);
        if (row == nextSelected(0)) proxy->getEditor()->setValue(value, 0, 0);
    }
    String text;
    setTabItemText(value.getText(text), row, column);
}

} // namespace tarnwick
