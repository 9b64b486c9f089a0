// The typed values of a list's cells in the columns that have an editor: one FieldProxy a column,
// holding the editor (not owned: it belongs to the dialog) and a value per row.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "interface/ListControl.h"

namespace tarnwick {

class DialogControl;
class Setting;

class FieldProxy {
public:
    explicit FieldProxy(DialogControl* editor = nullptr, size_t reservedRows = 0);
    // Copies every value.
    FieldProxy(const FieldProxy& other);
    FieldProxy& operator=(const FieldProxy& other);
    FieldProxy(FieldProxy&&) = default;
    FieldProxy& operator=(FieldProxy&&) = default;
    virtual ~FieldProxy() = default;

    // Rows as the list counts them: a first row past the values does nothing, a negative one
    // counts back from the count and starts at 0; a position past the values adds the excess.
    virtual void eraseRows(int16_t first, int16_t count);
    virtual void insertRows(int16_t position, int16_t count);

    // Null when the row has none.
    Setting* value(int16_t row) const;
    // Takes the value (null clears it).
    void setValue(std::unique_ptr<Setting> value, int16_t row);

    DialogControl* getEditor() const { return m_editor; }
    void setEditor(DialogControl* editor) { m_editor = editor; }
    bool isShown() const { return m_shown; }
    void setShown(bool shown) { m_shown = shown; }

private:
    DialogControl* m_editor;
    bool m_shown = true;
    std::vector<std::unique_ptr<Setting>> m_values;
};

class ListControl::ProxyList {
public:
    ProxyList(int16_t columns, int16_t rows);
    ProxyList(const ProxyList&) = default;
    ProxyList& operator=(const ProxyList&) = default;
    virtual ~ProxyList() = default;

    virtual void eraseRows(int16_t first, int16_t count);
    virtual void insertRows(int16_t position, int16_t count);
    // New columns have no editor, are shown and have room for 50 values.
    virtual void insertColumns(int16_t position, int16_t count);
    virtual void eraseColumns(int16_t first, int16_t count);

    // Null past the last column.
    FieldProxy* at(int16_t column);
    int16_t size() const { return static_cast<int16_t>(m_proxies.size()); }
    // Adds columns at the end up to the count.
    void growTo(int16_t columns);

private:
    std::vector<FieldProxy> m_proxies;
};

// A first index and a count as rows and columns take them, clamped to a sequence of `size`:
// false when nothing is left to do.
bool clampRange(int32_t size, int32_t& first, int32_t& count);
// A position past the end adds the excess to the count; a negative one counts back from it.
bool clampInsertion(int32_t size, int32_t& position, int32_t& count);

} // namespace tarnwick
