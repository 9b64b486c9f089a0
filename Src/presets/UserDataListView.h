// The record list of a user-data dialog: a list control with one row per record that passes the
// view's filters, the link from rows to record ids, deleted and invalid records drawn apart, a
// name field riding in the name column, and the list's width shared out among its columns.
//
// A small stack: UserDataFilteredControl keeps the filters, UserDataControl the rows' record ids
// and looks, UserDataFlatControl fills a flat list, UserDataListView is the list itself.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "Environment/Guid.h"
#include "elements/text/TextStyle.h"
#include "interface/ListControl.h"
#include "persistence/StringSetting.h"

namespace tarnwick {

template <class Db> class UserDataFilteredControl {
public:
    using Filter = typename Db::Filter;
    using Record = typename Db::RecordPtr::element_type;

    virtual ~UserDataFilteredControl() = default;

    void addFilter(std::shared_ptr<const Filter> filter) {
        if (filter) m_filters.push_back(std::move(filter));
    }
    void clearFilters() { m_filters.clear(); }
    // Shows the wanted record whatever the filters say.
    void setShowWanted(bool show) { m_showWanted = show ? 1 : 0; }
    bool getShowWanted() const { return m_showWanted != 0; }
    // Every filter must accept; no filters accept everything.
    bool accepts(const Guid& id, const Record& record) const {
        for (const auto& filter : m_filters)
            if (!filter->accept(id, record)) return false;
        return true;
    }

private:
    std::vector<std::shared_ptr<const Filter>> m_filters;
    uint8_t m_showWanted = 0;
};

// Rows are keyed by their user data, the row's 1-based position when it was appended.
template <class Db, class Control> class UserDataControl : public UserDataFilteredControl<Db> {
public:
    using Record = typename UserDataFilteredControl<Db>::Record;
    static constexpr int64_t NoRowKey = 0;

    void setRowId(int64_t rowKey, const Guid& id) {
        m_ids[rowKey] = id;
        m_keys[id] = rowKey;
    }
    // NoRowKey when no row shows the record.
    int64_t findRow(const Guid& id) const {
        auto found = m_keys.find(id);
        return found == m_keys.end() ? NoRowKey : found->second;
    }
    // The null Guid for a key no row has.
    Guid getRowId(int64_t rowKey) const {
        auto found = m_ids.find(rowKey);
        return found == m_ids.end() ? Guid() : found->second;
    }
    void clearRowMap() {
        m_ids.clear();
        m_keys.clear();
    }
    // The row of that key becomes the only one selected; false when there is none.
    bool selectRow(int64_t rowKey) {
        Control& control = getControl();
        for (int16_t row = 0; row < control.getRows(); ++row)
            if (static_cast<int64_t>(control.getUserData(row)) == rowKey) {
                control.deselectAll();
                control.select(true, row);
                return true;
            }
        return false;
    }
    // Deleted records in italics, invalid ones in red; false when the record needs neither.
    bool styleRow(const Record& record, TextStyle& style) const {
        bool styled = false;
        if (record.isDeleted()) {
            style.setStyle(static_cast<uint16_t>(style.getStyle() | TextStyle::Italic));
            styled = true;
        }
        if (record.isInvalid()) {
            style.setColour(Colour(1.0, 0.0, 0.0));
            styled = true;
        }
        return styled;
    }

protected:
    virtual Control& getControl() = 0;

private:
    std::map<int64_t, Guid> m_ids;
    std::unordered_map<Guid, int64_t> m_keys;
};

template <class Db, class Control> class UserDataFlatControl : public UserDataControl<Db, Control> {
public:
    using Record = typename UserDataControl<Db, Control>::Record;

    // Rebuilds the rows from the database in its order and selects the wanted record's row, else
    // the fallback row when there is one; drawn once.
    void fill(const Db& database, const Guid& wanted, int16_t fallbackRow) {
        Control& control = this->getControl();
        control.setDrawEnabled(false);
        control.setDimensions(0, control.getColumns());
        this->clearRowMap();
        int16_t wantedRow = ListControl::NoRow;
        for (const auto& [id, record] : database) {
            if (!record) continue;
            bool isWanted = wanted.isValid() && id == wanted;
            if (!this->accepts(id, *record) && !(isWanted && this->getShowWanted())) continue;
            int16_t row = appendRow(id, *record);
            if (isWanted) wantedRow = row;
        }
        if (wantedRow == ListControl::NoRow && control.isValidRow(fallbackRow)) wantedRow = fallbackRow;
        control.deselectAll();
        if (wantedRow != ListControl::NoRow) control.select(true, wantedRow);
        control.setDrawEnabled(true);
    }

    // A row at the end for the record, its name cell the name given or the record's own;
    // answers the row.
    int16_t appendRow(const Guid& id, const Record& record, const String& name = String()) {
        Control& control = this->getControl();
        if (!control.appendRows(1)) return ListControl::NoRow;
        auto row = static_cast<int16_t>(control.getRows() - 1);
        int64_t key = control.getRows();
        control.setUserData(static_cast<uint64_t>(key), row);
        this->setRowId(key, id);
        control.setValue(StringSetting(name.isEmpty() ? record.getName() : name), row, 0);
        TextStyle style(0, TextStyle::DefaultSize);
        if (this->styleRow(record, style)) control.setStyle(style, row, 0);
        return row;
    }
};

template <class Db> class UserDataListView : public ListControl, public UserDataFlatControl<Db, ListControl> {
public:
    static constexpr int16_t ColumnGap = 4;

    // Moving or growing the list lays its columns out again.
    void moveBy(const ScreenPoint& offset, int16_t row = 0) override {
        ListControl::moveBy(offset, row);
        layoutColumnWidths();
    }
    void growBy(const ScreenPoint& offset, int16_t row = 0) override {
        ListControl::growBy(offset, row);
        layoutColumnWidths();
    }

    int16_t getNameColumn() const { return m_nameColumn; }
    // A fraction of 0 keeps the column at its fixed width.
    void setColumnShare(int16_t column, double fraction, int16_t fixedWidth) {
        if (column < 0 || static_cast<size_t>(column) >= m_shares.size()) return;
        m_shares[static_cast<size_t>(column)].fraction = fraction;
        m_shares[static_cast<size_t>(column)].fixedWidth = fixedWidth;
    }
    // The control edits the name column in place, and takes its width.
    void attachControl(DialogControl* control) {
        if (static_cast<size_t>(m_nameColumn) < m_shares.size())
            m_shares[static_cast<size_t>(m_nameColumn)].control = control;
        for (size_t column = 0; column < m_shares.size(); ++column)
            if (m_shares[column].control != nullptr)
                setColumnControl(m_shares[column].control, static_cast<int16_t>(column));
    }

    // The list's width less a gap and a margin per column is shared among the columns with a
    // fraction, after the fixed ones; a shared width never goes negative, however narrow the list,
    // and a fixed column keeps its width even when less is left.
    void layoutColumnWidths() { layoutColumnWidths(getWidth()); }
    void layoutColumnWidths(int listWidth) {
        setDrawEnabled(false);
        const int columns = static_cast<int>(m_shares.size());
        int available = listWidth - ColumnGap * columns - 26;
        int share = available;
        for (const Share& column : m_shares)
            if (!column.hasFraction()) share -= column.fixedWidth;
        share = std::max(share, 0);
        for (int column = 0; column < columns && column < static_cast<int>(getColumns()); ++column) {
            const Share& entry = m_shares[static_cast<size_t>(column)];
            const int width = entry.hasFraction()
                                  ? std::clamp(static_cast<int>(std::lround(entry.fraction * share)), 0,
                                               std::max(available, 0))
                                  : static_cast<int>(entry.fixedWidth);
            setColumnStyle(ListColumnStyle(static_cast<int16_t>(width), 0), static_cast<int16_t>(column));
            if (entry.control != nullptr) entry.control->setWidth(static_cast<int16_t>(width));
            available -= width;
        }
        setColumnGap(ColumnGap);
        setDrawEnabled(true);
    }

protected:
    UserDataListView(const ControlLink& link, int16_t columns, int16_t nameColumn)
        : ListControl(link, 0, static_cast<uint16_t>(std::max<int16_t>(columns, 1)), ListColumnStyle(40, 0)),
          m_nameColumn(nameColumn) {
        const size_t count = getColumns();
        m_shares.resize(count);
        for (Share& column : m_shares)
            column.fraction = 1.0 / static_cast<double>(count);
    }

    ListControl& getControl() override { return *this; }

private:
    struct Share {
        DialogControl* control = nullptr; // the dialog's
        double fraction = 0.0;
        int16_t fixedWidth = 0;
        bool hasFraction() const { return std::fabs(fraction) > 0.00001; }
    };

    std::vector<Share> m_shares;
    int16_t m_nameColumn;
};

} // namespace tarnwick
