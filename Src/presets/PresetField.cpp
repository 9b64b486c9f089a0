#include "presets/PresetField.h"

#include <algorithm>

#include "library/Parameter.h"
#include "persistence/XMLTypeProxy.h"
#include "presets/PresetRecord.h"
#include "presets/PresetTemplates.h"

namespace tarnwick {

namespace {

// One value of a field as the text of an element.
class ValueProxy : public XMLUnit {
public:
    ValueProxy(Setting& value, const String& tag) : XMLUnit(tag), m_value(value) {}
    String getText() const override { return m_value.asText(); }
    bool readText(const String& text) override {
        m_value.setText(text);
        return true;
    }
    void reset() override { m_value.clear(); }

private:
    Setting& m_value;
};

const char* const ValueTag = "value";
const char* const UnsetTag = "unset";

// The value in the target's kind: numbers as numbers, so that no precision goes through text.
void convertInto(Setting& target, const Setting& value) {
    switch (target.getType()) {
    case Setting::BooleanType:
    case Setting::Int32Type:
    case Setting::Int64Type:
        target.setInt64(value.asInt64());
        break;
    case Setting::RealType:
    case Setting::LengthType:
        target.setDouble(value.asDouble());
        break;
    case Setting::TimeType:
        target.setDateTime(value.asDateTime());
        break;
    default:
        target.setText(value.asText());
        break;
    }
}

} // namespace

PresetField::PresetField(const String& name, std::unique_ptr<Setting> prototype, bool required)
    : XMLArray(name), m_name(name), m_prototype(std::move(prototype)), m_required(required) {
    if (!m_prototype) m_prototype = std::make_unique<StringSetting>();
    m_prototype->clear();
}

PresetField::PresetField(const PresetField& other)
    : XMLArray(other), m_name(other.m_name), m_prototype(other.m_prototype->clone()),
      m_required(other.m_required), m_unset(other.m_unset) {
    m_values.reserve(other.m_values.size());
    for (const auto& value : other.m_values)
        m_values.push_back(value->clone());
}

PresetField::~PresetField() = default;

bool PresetField::setValue(const Setting& value, size_t index) {
    if (index >= MaxValues) return false;
    while (m_values.size() <= index)
        m_values.push_back(m_prototype->clone());
    if (value.getType() == m_prototype->getType())
        m_values[index] = value.clone();
    else
        convertInto(*m_values[index], value);
    m_unset = false;
    return true;
}

bool PresetField::writeTo(Parameter& parameter, uint64_t row) const {
    bool changed = false;
    uint64_t columns = std::min<uint64_t>(parameter.getColumnCount(), m_values.size());
    for (uint64_t col = 0; col < columns; ++col) {
        String before = parameter.getValueText(row, col);
        parameter.setValue(*m_values[col], row, col);
        changed = parameter.getValueText(row, col) != before || changed;
    }
    return changed;
}

void PresetField::readFrom(const Parameter& parameter, uint64_t row) {
    uint64_t columns = std::min<uint64_t>(parameter.getColumnCount(), MaxValues);
    m_values.clear();
    for (uint64_t col = 0; col < columns; ++col)
        if (std::unique_ptr<Setting> cell = parameter.getValueSetting(row, col)) setValue(*cell, col);
}

void PresetField::beginRead() {
    m_values.clear();
    m_unset = false;
}

std::unique_ptr<XMLShipping> PresetField::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly) return nullptr;
    if (index == 0) {
        auto proxy = std::make_unique<XMLTypeProxy<bool>>(&m_unset, String(UnsetTag));
        proxy->setEnabled(m_unset);
        return proxy;
    }
    if (index - 1 < m_values.size())
        return std::make_unique<ValueProxy>(*m_values[index - 1], String(ValueTag));
    return nullptr;
}

std::unique_ptr<XMLShipping> PresetField::makeFieldProxyByName(const String& name) {
    if (name == UnsetTag) return makeFieldProxy(0, false);
    if (name != ValueTag || m_values.size() >= MaxValues) return nullptr;
    m_values.push_back(m_prototype->clone());
    return std::make_unique<ValueProxy>(*m_values.back(), String(ValueTag));
}

PresetFieldType<IDSetting, Guid>::PresetFieldType(const String& name, bool required)
    : PresetField(name, std::make_unique<IDSetting>(), required) {}

PresetFieldType<IDSetting, Guid>::PresetFieldType(const PresetFieldType& other)
    : PresetField(other), m_nested(other.m_nested ? other.m_nested->clone() : nullptr) {}

PresetFieldType<IDSetting, Guid>::~PresetFieldType() = default;

Guid PresetFieldType<IDSetting, Guid>::get(size_t index) const {
    const auto* value = dynamic_cast<const IDSetting*>(getValue(index));
    return value ? value->getValue() : Guid();
}

int64_t PresetFieldType<IDSetting, Guid>::find(const Guid& id) const {
    for (size_t index = 0; index < getValueCount(); ++index)
        if (get(index) == id) return static_cast<int64_t>(index);
    return -1;
}

void PresetFieldType<IDSetting, Guid>::setNestedRecord(std::unique_ptr<PresetRecord> record) {
    m_nested = std::move(record);
}

size_t PresetFieldType<IDSetting, Guid>::getFieldCount() const {
    return PresetField::getFieldCount() + (m_nested ? 1 : 0);
}

std::unique_ptr<XMLShipping> PresetFieldType<IDSetting, Guid>::makeFieldProxy(size_t index,
                                                                              bool attributesOnly) {
    if (m_nested && !attributesOnly && index == PresetField::getFieldCount())
        return std::make_unique<XMLContainerProxy>(*m_nested);
    return PresetField::makeFieldProxy(index, attributesOnly);
}

std::unique_ptr<XMLShipping> PresetFieldType<IDSetting, Guid>::makeFieldProxyByName(const String& name) {
    if (name == ValueTag || name == UnsetTag) return PresetField::makeFieldProxyByName(name);
    m_nested = makeRecordFor(name);
    return std::make_unique<XMLContainerProxy>(*m_nested);
}

} // namespace tarnwick
