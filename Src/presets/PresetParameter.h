// Where a preset's value lives in a library part: one array parameter of the target, by name, and
// its first row; link index i uses the row's element row + i. The column only offsets the values
// of older layouts. Written under the name its owner gives: "name" (attribute), "row", "column".
//
// The cell helpers below never grow a parameter: reading or writing past an array's end would
// (a read included), so every element is checked against the row count first.
#pragma once

#include <cstdint>
#include <memory>

#include "persistence/Shipping.h"

namespace tarnwick {

class Parameter;
class ParameterList;
template <class T> class ParameterForm;

class PresetParameter : public XMLAssembly {
public:
    explicit PresetParameter(const String& name = String(), uint64_t row = 0, uint64_t column = 0);

    const String& getName() const { return m_name; }
    uint64_t getRow() const { return m_row; }
    uint64_t getColumn() const { return m_column; }
    void setName(const String& name) { m_name = name; }
    void setRow(uint64_t row) { m_row = row; }
    void setColumn(uint64_t column) { m_column = column; }

    // The element row + index of the parameter, when the parameter has it.
    bool elementOf(const Parameter& parameter, uint64_t index, uint64_t& element) const;

    void reset() override;
    bool afterRead() override { return !m_name.isEmpty(); }
    size_t getFieldCount() const override { return 3; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;

private:
    String m_name;
    unsigned long long m_row;
    unsigned long long m_column;
};

// The target's text and 16-bit integer parameters of a name; null when missing or of another kind.
ParameterForm<String>* findTextParameter(const ParameterList& target, const String& name);
ParameterForm<short>* findIntegerParameter(const ParameterList& target, const String& name);
// The first cell of an element that is there.
String cellText(const ParameterForm<String>& parameter, uint64_t element);
short cellInteger(const ParameterForm<short>& parameter, uint64_t element);
// Writes the first cell of an element that is there when it differs; true when it did.
bool setCellText(ParameterForm<String>& parameter, uint64_t element, const String& text);
bool setCellInteger(ParameterForm<short>& parameter, uint64_t element, short value);

} // namespace tarnwick
