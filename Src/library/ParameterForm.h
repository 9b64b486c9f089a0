// The values of a parameter of one value type (short, int, bool, double or String), row-major.
//
// Cells: a column past the end is never a cell. A row past the end of an array becomes one when
// the parameter is changed or read through getValue (the array grows by the missing rows, up to
// MaxCells); a single value has only row 0, which is always there and holds zero while unset.
// Const reads never grow anything.
#pragma once

#include <optional>
#include <type_traits>
#include <vector>

#include "Environment/String.h"
#include "library/Parameter.h"

namespace tarnwick {

template <class T> class ParameterForm : public Parameter {
    static_assert(std::is_same_v<T, short> || std::is_same_v<T, int> || std::is_same_v<T, bool> ||
                  std::is_same_v<T, double> || std::is_same_v<T, String>);

public:
    using ValueType = T;
    using Parameter::setValue;

    std::unique_ptr<Setting> getValueSetting(uint64_t row, uint64_t col) const override;
    String getValueText(uint64_t row, uint64_t col) const override;
    uint64_t getRowCount() const override;
    int32_t getCommandKind() const override;
    bool setRowCount(uint64_t count) override;
    bool setColumnCount(uint64_t count) override;
    void setValueText(const String& text, uint64_t row, uint64_t col) override;
    void setValue(const Setting& value, uint64_t row, uint64_t col) override;
    bool assign(const Parameter& other, bool resizeRows, bool resizeColumns) override;
    void resetValues() override;
    void mergeChanges(const Parameter& changed, const Parameter& reference) override;
    bool equals(const Parameter& other) const override;
    bool writeCommandValue(HostCommandParameter& record) const override;
    bool writeChangeValue(HostParameterChange& record, uint64_t row, uint64_t col) const override;
    bool writeHostValue(HostAdditionalParameter& record) const override;
    bool readCommandValue(const HostCommandParameter& record) override;
    bool readHostValue(const HostAdditionalParameter& record) override;
    bool addRows(uint64_t count) override;

    // Throws std::out_of_range (empty message) for a cell that is not there; an array grows to
    // reach the row.
    T getValue(uint64_t row, uint64_t col);
    // Never grows: zero for a cell that is not there.
    T getValue(uint64_t row, uint64_t col) const;
    // Stores the value; a double that is NaN or infinite leaves the cell as it was.
    void setValue(const T& value, uint64_t row, uint64_t col);
    // Stores any value.
    void storeValue(T value, uint64_t row, uint64_t col);
    // Cell (r, c) stays at (r, c); a single value that gains columns becomes an array.
    bool addColumns(uint64_t count);

    const std::vector<T>& getValues() const { return m_values; }

protected:
    ParameterForm(const String& name, const String& description, uint16_t flags, uint64_t columns,
                  uint16_t index, bool isArray);
    explicit ParameterForm(const HostAdditionalParameter& record) : Parameter(record) { fillSingle(); }
    explicit ParameterForm(const HostCommandParameter& record) : Parameter(record) { fillSingle(); }
    ParameterForm(const ParameterForm&) = default;

    // The value of a text, a Setting or a host number; none when it is no value of the type.
    static std::optional<T> fromText(const String& text);
    static std::optional<T> fromSetting(const Setting& value);
    static std::optional<T> fromNumber(double value);
    static String toText(const T& value);

private:
    void fillSingle();
    // The index of a cell, growing an array to reach its row when grow is set; none when the
    // cell is not there.
    std::optional<uint64_t> cellIndex(uint64_t row, uint64_t col, bool grow);
    std::optional<uint64_t> cellIndex(uint64_t row, uint64_t col) const;
    uint64_t checkedCell(uint64_t row, uint64_t col);
    bool readArray(const HostAdditionalParameter& record);

    std::vector<T> m_values;
};

extern template class ParameterForm<short>;
extern template class ParameterForm<int>;
extern template class ParameterForm<bool>;
extern template class ParameterForm<double>;
extern template class ParameterForm<String>;

} // namespace tarnwick
