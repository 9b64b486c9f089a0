#include "library/ParameterForm.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "Environment/Memory.h"
#include "Environment/NumberText.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"
#include "persistence/ValueText.h"

namespace tarnwick {

namespace {
template <class I> std::optional<I> integerOf(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < std::numeric_limits<I>::min() || whole > std::numeric_limits<I>::max()) return std::nullopt;
    return static_cast<I>(whole);
}

// Number of UTF-16 units before the first NUL at or after `from`; none when there is no NUL.
std::optional<size_t> unitsToNul(const char* data, size_t units, size_t from) {
    for (size_t at = from; at < units; ++at) {
        char16_t unit;
        std::memcpy(&unit, data + at * sizeof unit, sizeof unit);
        if (unit == 0) return at - from;
    }
    return std::nullopt;
}
} // namespace

template <class T>
ParameterForm<T>::ParameterForm(const String& name, const String& description, uint16_t flags,
                                uint64_t columns, uint16_t index, bool isArray)
    : Parameter(name, description, flags, columns, index, isArray) {
    fillSingle();
}

template <class T> void ParameterForm<T>::fillSingle() {
    if (!isArray() && m_values.empty()) m_values.resize(1);
}

template <class T> std::optional<T> ParameterForm<T>::fromText(const String& text) {
    bool valid = false;
    if constexpr (std::is_same_v<T, short>) {
        const int32_t value = parseInt(text, &valid);
        if (!valid) return std::nullopt;
        return integerOf<short>(value);
    } else if constexpr (std::is_same_v<T, int>) {
        const int32_t value = parseInt(text, &valid);
        if (!valid) return std::nullopt;
        return value;
    } else if constexpr (std::is_same_v<T, bool>) {
        return !(text == "0" || text.toLower() == "false");
    } else if constexpr (std::is_same_v<T, double>) {
        const double value = parseDouble(text, &valid);
        if (!valid) return std::nullopt;
        return value;
    } else {
        return text;
    }
}

template <class T> std::optional<T> ParameterForm<T>::fromSetting(const Setting& value) {
    if constexpr (std::is_same_v<T, short>)
        return integerOf<short>(value.asInt32());
    else if constexpr (std::is_same_v<T, int>)
        return value.asInt32();
    else if constexpr (std::is_same_v<T, bool>)
        return value.asBool();
    else if constexpr (std::is_same_v<T, double>)
        return value.asDouble();
    else
        return value.asText();
}

template <class T> std::optional<T> ParameterForm<T>::fromNumber(double value) {
    if constexpr (std::is_same_v<T, short> || std::is_same_v<T, int>)
        return integerOf<T>(value);
    else if constexpr (std::is_same_v<T, bool>)
        return value != 0.0;
    else if constexpr (std::is_same_v<T, double>)
        return value;
    else
        return std::nullopt;
}

template <class T> String ParameterForm<T>::toText(const T& value) {
    if constexpr (std::is_same_v<T, short> || std::is_same_v<T, int>)
        return String(intToText(value));
    else if constexpr (std::is_same_v<T, bool>)
        return String(value ? "1" : "0");
    else if constexpr (std::is_same_v<T, double>)
        return exactRealText(value);
    else
        return value;
}

template <class T>
std::optional<uint64_t> ParameterForm<T>::cellIndex(uint64_t row, uint64_t col, bool grow) {
    const uint64_t columns = getColumnCount();
    if (col >= columns || row >= MaxCells) return std::nullopt;
    const uint64_t rows = getRowCount();
    if (row >= rows) {
        if (!grow) return std::nullopt;
        if (!isArray()) {
            // Only row 0 of a single value, which may have lost its cell to setColumnCountRaw.
            if (row != 0) return std::nullopt;
            m_values.resize(1);
        } else if (!addRows(row - rows + 1)) {
            return std::nullopt;
        }
    }
    return row * columns + col;
}

template <class T> std::optional<uint64_t> ParameterForm<T>::cellIndex(uint64_t row, uint64_t col) const {
    if (col >= getColumnCount() || row >= getRowCount()) return std::nullopt;
    return row * getColumnCount() + col;
}

template <class T> uint64_t ParameterForm<T>::checkedCell(uint64_t row, uint64_t col) {
    std::optional<uint64_t> index = cellIndex(row, col, true);
    if (!index) throw std::out_of_range("");
    if (*index >= m_values.size()) throw std::out_of_range("invalid vector<T> subscript");
    return *index;
}

template <class T> T ParameterForm<T>::getValue(uint64_t row, uint64_t col) {
    return m_values[checkedCell(row, col)];
}

template <class T> T ParameterForm<T>::getValue(uint64_t row, uint64_t col) const {
    std::optional<uint64_t> index = cellIndex(row, col);
    return index ? T(m_values[*index]) : T();
}

template <class T> void ParameterForm<T>::setValue(const T& value, uint64_t row, uint64_t col) {
    if constexpr (std::is_same_v<T, double>) {
        if (!std::isfinite(value)) return;
    }
    m_values[checkedCell(row, col)] = value;
}

template <class T> void ParameterForm<T>::storeValue(T value, uint64_t row, uint64_t col) {
    m_values[checkedCell(row, col)] = std::move(value);
}

template <class T>
std::unique_ptr<Setting> ParameterForm<T>::getValueSetting(uint64_t row, uint64_t col) const {
    const T value = getValue(row, col);
    if constexpr (std::is_same_v<T, short> || std::is_same_v<T, int>)
        return std::make_unique<Int32Setting>(value);
    else if constexpr (std::is_same_v<T, bool>)
        return std::make_unique<BooleanSetting>(value);
    else if constexpr (std::is_same_v<T, double>)
        return std::make_unique<RealSetting>(value);
    else
        return std::make_unique<StringSetting>(value);
}

template <class T> String ParameterForm<T>::getValueText(uint64_t row, uint64_t col) const {
    return cellIndex(row, col) ? toText(getValue(row, col)) : String();
}

template <class T> uint64_t ParameterForm<T>::getRowCount() const {
    return m_values.size() / getColumnCount();
}

template <class T> int32_t ParameterForm<T>::getCommandKind() const {
    if constexpr (std::is_same_v<T, String>)
        return CommandParameterText;
    else if constexpr (std::is_same_v<T, double>)
        return CommandParameterReal;
    else
        return CommandParameterInteger;
}

template <class T> bool ParameterForm<T>::addRows(uint64_t count) {
    if (!isArray()) return false;
    const uint64_t rows = getRowCount() + count;
    if (count > MaxCells || rows * getColumnCount() > MaxCells) return false;
    m_values.resize(rows * getColumnCount());
    return true;
}

template <class T> bool ParameterForm<T>::addColumns(uint64_t count) {
    const uint64_t rows = getRowCount();
    const uint64_t oldColumns = getColumnCount();
    const uint64_t columns = oldColumns + count;
    if (count > MaxCells || rows * columns > MaxCells) return false;
    std::vector<T> moved(rows * columns);
    for (uint64_t r = 0; r < rows; ++r)
        for (uint64_t c = 0; c < oldColumns; ++c)
            moved[r * columns + c] = m_values[r * oldColumns + c];
    m_values = std::move(moved);
    setColumnCountRaw(columns);
    return true;
}

template <class T> bool ParameterForm<T>::setRowCount(uint64_t count) {
    count = std::max<uint64_t>(count, 1);
    const uint64_t rows = getRowCount();
    if (count == rows) return true;
    if (count > rows) return addRows(count - rows);
    if (!isArray()) return false;
    m_values.resize(count * getColumnCount());
    return true;
}

template <class T> bool ParameterForm<T>::setColumnCount(uint64_t count) {
    // An array keeps at least one column: none would make it a single value with no cell.
    count = std::max<uint64_t>(count, 1);
    const uint64_t oldColumns = getColumnCount();
    if (count == oldColumns) return true;
    if (count > oldColumns) return addColumns(count - oldColumns);
    if (!isArray()) return false;
    const uint64_t rows = getRowCount();
    std::vector<T> kept(rows * count);
    for (uint64_t r = 0; r < rows; ++r)
        for (uint64_t c = 0; c < count; ++c)
            kept[r * count + c] = m_values[r * oldColumns + c];
    m_values = std::move(kept);
    setColumnCountRaw(count);
    return true;
}

template <class T> void ParameterForm<T>::setValueText(const String& text, uint64_t row, uint64_t col) {
    if (std::optional<T> value = fromText(text)) setValue(*value, row, col);
}

template <class T> void ParameterForm<T>::setValue(const Setting& value, uint64_t row, uint64_t col) {
    if (row >= MaxCells || col >= MaxCells) throw std::out_of_range("");
    if (col >= getColumnCount()) setColumnCount(col + 1);
    if (row >= getRowCount()) setRowCount(row + 1);
    checkedCell(row, col);
    if (std::optional<T> converted = fromSetting(value)) setValue(*converted, row, col);
}

template <class T>
bool ParameterForm<T>::assign(const Parameter& other, bool resizeRows, bool resizeColumns) {
    if (other.getType() != getType()) return false;
    const auto* same = dynamic_cast<const ParameterForm<T>*>(&other);
    if (same == nullptr) return false;
    if (!resizeRows && other.getRowCount() != getRowCount()) return false;
    if (!resizeColumns && other.getColumnCount() != getColumnCount()) return false;
    if (same == this) return true;
    m_values = same->m_values;
    setColumnCountRaw(same->getColumns());
    return true;
}

template <class T> void ParameterForm<T>::resetValues() {
    const uint64_t cells = getRowCount() * getColumnCount();
    m_values.clear();
    m_values.resize(cells);
    fillSingle();
}

template <class T> void ParameterForm<T>::mergeChanges(const Parameter& changed, const Parameter& reference) {
    if (changed.getType() != getType()) return;
    if (reference.getType() != changed.getType()) {
        assign(changed, true, true);
        return;
    }
    const uint64_t referenceRows = reference.getRowCount();
    const uint64_t referenceColumns = reference.getColumnCount();
    for (uint64_t c = 0; c < changed.getColumnCount(); ++c) {
        for (uint64_t r = 0; r < changed.getRowCount(); ++r) {
            if (c >= referenceColumns && c >= getColumnCount()) addColumns(1);
            if (r >= referenceRows && r >= getRowCount()) addRows(1);
            std::unique_ptr<Setting> edited = changed.getValueSetting(r, c);
            if (!edited) continue;
            bool write = r >= referenceRows || c >= referenceColumns;
            if (!write) {
                std::unique_ptr<Setting> before = reference.getValueSetting(r, c);
                write = !before || !before->isEqual(*edited);
            }
            if (write) setValue(*edited, r, c);
        }
    }
}

template <class T> bool ParameterForm<T>::equals(const Parameter& other) const {
    const auto* same = dynamic_cast<const ParameterForm<T>*>(&other);
    return same != nullptr && other.getType() == getType() && other.getColumnCount() == getColumnCount() &&
           other.getRowCount() == getRowCount() && same->m_values == m_values;
}

template <class T> bool ParameterForm<T>::writeCommandValue(HostCommandParameter& record) const {
    const T value = getValue(0, 0);
    if constexpr (std::is_same_v<T, String>) {
        record.text = allocatePtr(static_cast<GSSize>(value.getByteLength() + 1));
        std::memcpy(record.text, value.c_str(), value.getByteLength());
    } else if constexpr (std::is_same_v<T, double>) {
        record.real = value;
    } else {
        record.integer = static_cast<int32_t>(value);
    }
    return true;
}

template <class T>
bool ParameterForm<T>::writeChangeValue(HostParameterChange& record, uint64_t row, uint64_t col) const {
    if (!cellIndex(row, col)) return false;
    const T value = getValue(row, col);
    if constexpr (std::is_same_v<T, String>) {
        value.copyToUtf16(changeTextBuffer(), ChangeTextBytes);
        record.text = changeTextBuffer();
    } else {
        record.value = static_cast<double>(value);
    }
    return true;
}

template <class T> bool ParameterForm<T>::writeHostValue(HostAdditionalParameter& record) const {
    if (!isArray()) {
        if constexpr (std::is_same_v<T, String>)
            getValue(0, 0).copyToUtf16(record.value.text, sizeof record.value.text);
        else
            record.value.real = static_cast<double>(getValue(0, 0));
        return true;
    }
    // The host's arrays have a row at least: an empty array goes out as one row of zeros.
    const uint64_t cells = std::max<uint64_t>(getRowCount(), 1) * getColumnCount();
    if constexpr (std::is_same_v<T, String>) {
        std::vector<std::u16string> texts(cells);
        size_t units = 0;
        for (uint64_t i = 0; i < cells; ++i) {
            if (i < m_values.size()) texts[i] = m_values[i].toUtf16();
            units += texts[i].size() + 1;
        }
        GSHandle handle = allocateHandle(static_cast<GSSize>(units * sizeof(char16_t)));
        char* at = *handle;
        for (const std::u16string& text : texts) {
            std::memcpy(at, text.data(), text.size() * sizeof(char16_t));
            at += (text.size() + 1) * sizeof(char16_t);
        }
        record.value.array = handle;
    } else {
        GSHandle handle = allocateHandle(static_cast<GSSize>(cells * sizeof(double)));
        for (uint64_t i = 0; i < cells && i < m_values.size(); ++i) {
            const double value = static_cast<double>(m_values[i]);
            std::memcpy(*handle + i * sizeof value, &value, sizeof value);
        }
        record.value.array = handle;
    }
    return true;
}

template <class T> bool ParameterForm<T>::readCommandValue(const HostCommandParameter& record) {
    std::optional<T> value;
    if constexpr (std::is_same_v<T, String>)
        value = record.text != nullptr ? String(record.text) : String();
    else if (record.kind == CommandParameterInteger)
        value = fromNumber(record.integer);
    else if (record.kind == CommandParameterReal)
        value = fromNumber(record.real);
    if (!value) return false;
    storeValue(std::move(*value), 0, 0);
    return true;
}

template <class T> bool ParameterForm<T>::readHostValue(const HostAdditionalParameter& record) {
    if (record.valueForm == ParameterArrayValue) return readArray(record);
    if (record.valueForm != ParameterSingleValue) return false;
    std::optional<T> value;
    if constexpr (std::is_same_v<T, String>)
        value = String(record.value.text, sizeof record.value.text);
    else
        value = fromNumber(record.value.real);
    if (!value) return false;
    storeValue(std::move(*value), 0, 0);
    return true;
}

template <class T> bool ParameterForm<T>::readArray(const HostAdditionalParameter& record) {
    const GSHandle handle = record.value.array;
    if (handle == nullptr) return false;
    const uint64_t columns = std::max<uint64_t>(record.secondDimension, 1);
    const uint64_t cells = std::max<uint64_t>(record.firstDimension, 1) * columns;
    if (cells > MaxCells) return false;
    const uint64_t size = static_cast<uint64_t>(getHandleSize(handle));
    const char* data = *handle;
    std::vector<T> read;
    read.reserve(cells);
    if constexpr (std::is_same_v<T, String>) {
        const size_t units = size / sizeof(char16_t);
        size_t at = 0;
        for (uint64_t i = 0; i < cells; ++i) {
            std::optional<size_t> length = unitsToNul(data, units, at);
            if (!length) return false;
            std::u16string text(*length, u'\0');
            std::memcpy(text.data(), data + at * sizeof(char16_t), *length * sizeof(char16_t));
            read.emplace_back(text.c_str(), *length * sizeof(char16_t));
            at += *length + 1;
        }
    } else {
        if (cells * sizeof(double) > size) return false;
        for (uint64_t i = 0; i < cells; ++i) {
            double number;
            std::memcpy(&number, data + i * sizeof number, sizeof number);
            std::optional<T> value = fromNumber(number);
            if (!value) return false;
            read.push_back(*value);
        }
    }
    m_values = std::move(read);
    setColumnCountRaw(columns);
    return true;
}

template class ParameterForm<short>;
template class ParameterForm<int>;
template class ParameterForm<bool>;
template class ParameterForm<double>;
template class ParameterForm<String>;

} // namespace tarnwick
