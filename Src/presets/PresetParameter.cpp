#include "presets/PresetParameter.h"

#include <limits>

#include "library/ParameterForm.h"
#include "library/ParameterList.h"
#include "persistence/XMLTypeProxy.h"

namespace tarnwick {

PresetParameter::PresetParameter(const String& name, uint64_t row, uint64_t column)
    : XMLAssembly(String("presetParameter")), m_name(name), m_row(row), m_column(column) {}

bool PresetParameter::elementOf(const Parameter& parameter, uint64_t index, uint64_t& element) const {
    if (index > std::numeric_limits<uint64_t>::max() - m_row) return false;
    element = m_row + index;
    return element < parameter.getRowCount();
}

void PresetParameter::reset() {
    m_name = String();
    m_row = 0;
    m_column = 0;
}

std::unique_ptr<XMLShipping> PresetParameter::makeFieldProxy(size_t index, bool attributesOnly) {
    if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&m_name, String("name"), true);
    if (attributesOnly) return nullptr;
    if (index == 1) return std::make_unique<XMLTypeProxy<unsigned long long>>(&m_row, String("row"));
    if (index == 2) return std::make_unique<XMLTypeProxy<unsigned long long>>(&m_column, String("column"));
    return nullptr;
}

ParameterForm<String>* findTextParameter(const ParameterList& target, const String& name) {
    return name.isEmpty() ? nullptr : dynamic_cast<ParameterForm<String>*>(target.find(name));
}

ParameterForm<short>* findIntegerParameter(const ParameterList& target, const String& name) {
    return name.isEmpty() ? nullptr : dynamic_cast<ParameterForm<short>*>(target.find(name));
}

String cellText(const ParameterForm<String>& parameter, uint64_t element) {
    return parameter.getValue(element, 0);
}

short cellInteger(const ParameterForm<short>& parameter, uint64_t element) {
    return parameter.getValue(element, 0);
}

bool setCellText(ParameterForm<String>& parameter, uint64_t element, const String& text) {
    if (cellText(parameter, element) == text) return false;
    parameter.setValue(text, element, 0);
    return true;
}

bool setCellInteger(ParameterForm<short>& parameter, uint64_t element, short value) {
    if (cellInteger(parameter, element) == value) return false;
    parameter.setValue(value, element, 0);
    return true;
}

} // namespace tarnwick
