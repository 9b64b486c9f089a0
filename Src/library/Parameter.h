// One named parameter of a library part: a single value or a two-dimensional array of values,
// addressed (row, col) in row-major order. The value forms are ParameterForm<T>; the kinds add
// their host type code, their text and the Setting they hand out.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/String.h"
#include "platform/api/ParameterRecords.h"

namespace tarnwick {

class Setting;

class Parameter {
public:
    // As a row or column argument: every row or every column; never a cell of its own.
    static constexpr uint64_t NoIndex = 0xFFFFFFFF;
    // The most cells a parameter grows to: far above real arrays, yet a corrupt row number
    // cannot make it allocate gigabytes.
    static constexpr uint64_t MaxCells = uint64_t(1) << 20;

    virtual ~Parameter() = default;

    virtual std::unique_ptr<Parameter> clone() const = 0;
    // Empty for a cell that is not there.
    virtual String getValueText(uint64_t row, uint64_t col) const = 0;
    // A new Setting of the kind's class; one holding zero for a cell that is not there.
    virtual std::unique_ptr<Setting> getValueSetting(uint64_t row, uint64_t col) const;
    virtual uint64_t getRowCount() const { return 1; }
    // 1 for a single value.
    virtual uint64_t getColumnCount() const { return m_columns == 0 ? 1 : m_columns; }
    virtual uint32_t getType() const = 0;
    virtual int32_t getCommandKind() const = 0;
    // Below 1 counts as 1; only an array shrinks. False when refused.
    virtual bool setRowCount(uint64_t count) = 0;
    // Keeps the (row, col) of every cell that stays. False when refused.
    virtual bool setColumnCount(uint64_t count);
    // Text that is no value of the kind leaves the cell as it was.
    virtual void setValueText(const String& text, uint64_t row, uint64_t col) = 0;
    // Grows columns, then rows, to reach the cell; throws std::out_of_range when it cannot.
    virtual void setValue(const Setting& value, uint64_t row, uint64_t col);
    // Takes over other's values (and, where allowed, its size); only from the same kind of values.
    virtual bool assign(const Parameter& other, bool resizeRows, bool resizeColumns) = 0;
    virtual void resetValues() = 0;
    // Replays a user's edit (reference before, changed after) onto this parameter, cell by cell.
    virtual void mergeChanges(const Parameter& changed, const Parameter& reference) = 0;
    // Same kind of values, size and cells (reals compared exactly).
    virtual bool equals(const Parameter& other) const = 0;
    friend bool operator==(const Parameter& a, const Parameter& b) { return a.equals(b); }

    // The record for one cell; false when the cell is not there.
    virtual bool toChangeRecord(HostParameterChange& record, uint64_t row, uint64_t col) const;
    // The record with a new name (and text) block the caller frees (freeCommandRecord), also when
    // this answers false. Throws std::bad_alloc when a block cannot be made, leaving none.
    virtual bool toCommandRecord(HostCommandParameter& record) const;
    // The record, with a new value handle for an array (freeHostRecord); throws std::bad_alloc
    // when it cannot be made.
    virtual bool toHostRecord(HostAdditionalParameter& record) const;
    virtual bool writeCommandValue(HostCommandParameter& record) const = 0;
    virtual bool writeChangeValue(HostParameterChange& record, uint64_t row, uint64_t col) const = 0;
    virtual bool writeHostValue(HostAdditionalParameter& record) const = 0;
    // Sets the value from the record; false, with nothing changed, when it cannot be read.
    virtual bool readCommandValue(const HostCommandParameter& record) = 0;
    // Sets the value or values from the record; the value handle is checked against its size.
    // False, with nothing changed, when it cannot be read.
    virtual bool readHostValue(const HostAdditionalParameter& record) = 0;
    virtual bool addRows(uint64_t count) = 0;
    virtual void setColumnCountRaw(uint64_t count) { m_columns = count; }

    // The kind of the record's type code (1..15) with its values; null for another code or values
    // that cannot be read.
    static std::unique_ptr<Parameter> create(const HostAdditionalParameter& record);
    // Kind 1 text, 2 integer (LongParameter), 3 real, with its one value; null for another kind.
    static std::unique_ptr<Parameter> create(const HostCommandParameter& record);

    // Frees what toCommandRecord and toHostRecord made in a record.
    static void freeCommandRecord(HostCommandParameter& record);
    static void freeHostRecord(HostAdditionalParameter& record);

    // Not a single value; a single value still reports one row and one column.
    bool isArray() const { return m_columns > 0; }
    const String& getName() const { return m_name; }
    void setName(const String& name) { m_name = name; }
    const String& getDescription() const { return m_description; }
    void setDescription(const String& description) { m_description = description; }
    uint64_t getColumns() const { return m_columns; }
    uint16_t getFlags() const { return m_flags; }
    void setFlags(uint16_t flags) { m_flags = flags; }
    uint16_t getIndex() const { return m_index; }
    void setIndex(uint16_t index) { m_index = index; }

protected:
    // An array when columns > 1 or isArray; a single value otherwise.
    Parameter(const String& name, const String& description, uint16_t flags, uint64_t columns, uint16_t index,
              bool isArray);
    // Name, description, index and flags; an array record keeps at least one column, so that
    // it is written back as an array.
    explicit Parameter(const HostAdditionalParameter& record);
    // Name, index and flags; a single value.
    explicit Parameter(const HostCommandParameter& record);
    Parameter(const Parameter&) = default;
    Parameter& operator=(const Parameter&) = default;

    // The buffer whose address a change record carries: valid until the next record is filled.
    static char16_t* changeTextBuffer();
    static constexpr size_t ChangeTextBytes = 256 * sizeof(char16_t);

private:
    String m_name;
    String m_description;
    uint64_t m_columns = 0;
    uint16_t m_flags = 0;
    uint16_t m_index = 0;
};

} // namespace tarnwick
