#include "elements/IFCProperty.h"

#include <vector>

namespace tarnwick {

namespace {

String typeNameOf(const API_IFCPropertyValue& value) {
    return String(value.valueType);
}

String headTypeName(const API_IFCProperty& host) {
    switch (host.propertyType) {
    case 0:
        return typeNameOf(host.singleValue);
    case 1:
        return host.listValues.IsEmpty() ? String() : typeNameOf(host.listValues[0]);
    case 2:
        return typeNameOf(host.lowerBound);
    case 3:
        return host.selectedValues.IsEmpty() ? String() : typeNameOf(host.selectedValues[0]);
    case 4:
        return host.definedValues.IsEmpty() ? String() : typeNameOf(host.definedValues[0]);
    case 5:
        return host.referenceKind == 0 ? String("IfcCalendarDate") : String();
    default:
        return String();
    }
}

bool acceptable(const API_IFCProperty& host) {
    if (String(host.propertyName).isEmpty() || String(host.propertySetName).isEmpty()) return false;
    switch (host.propertyType) {
    case 0:
        return !typeNameOf(host.singleValue).isEmpty();
    case 1:
        return !host.listValues.IsEmpty() && !typeNameOf(host.listValues[0]).isEmpty();
    case 2:
        return !typeNameOf(host.lowerBound).isEmpty();
    case 3:
        return !host.selectedValues.IsEmpty() && !typeNameOf(host.selectedValues[0]).isEmpty();
    case 4:
        return !host.definedValues.IsEmpty() && !typeNameOf(host.definedValues[0]).isEmpty();
    case 5:
        return true;
    default:
        return false;
    }
}

std::unique_ptr<Setting> cloneOf(const std::unique_ptr<Setting>& value) {
    return value ? value->clone() : nullptr;
}

} // namespace

IFCProperty::IFCProperty(const String& name, const String& groupName, const String& typeName,
                         const String& extraText)
    : IFCData(name, typeName), m_groupName(pooled(groupName)), m_extraText(pooled(extraText)) {}

IFCProperty::IFCProperty(const API_IFCProperty& host, const String& typeName)
    : IFCData(String(host.propertyName), typeName, host.flag),
      m_groupName(pooled(String(host.propertySetName))), m_extraText(pooled(String(host.description))) {}

std::unique_ptr<IFCProperty> IFCProperty::create(const API_IFCProperty& host) {
    if (!acceptable(host)) return nullptr;
    switch (host.propertyType) {
    case 0:
        return std::make_unique<IFCSingleValue>(host);
    case 1:
        return std::make_unique<IFCListValue>(host);
    case 2:
        return std::make_unique<IFCBoundedValue>(host);
    case 3:
        return std::make_unique<IFCEnumeratedValue>(host);
    case 4:
        return std::make_unique<IFCTableValue>(host);
    case 5:
        return std::make_unique<IFCCalendarDate>(host);
    default:
        return nullptr;
    }
}

bool IFCProperty::toHost(API_IFCProperty& host) const {
    host.propertyType = getPropertyType();
    String name = getName(), group = getGroupName();
    host.propertyName = name.toUniString();
    host.propertySetName = group.toUniString();
    host.description = getExtraText().toUniString();
    host.flag = m_hostFlag;
    return !name.isEmpty() && !group.isEmpty();
}

// --- Single value.

IFCSingleValue::IFCSingleValue(const Setting* value, const String& name, const String& groupName,
                               const String& typeName, const String& extraText)
    : IFCProperty(name, groupName, typeName, extraText), m_value(value ? value->clone() : nullptr) {}

IFCSingleValue::IFCSingleValue(const IFCSingleValue& other)
    : IFCProperty(other), m_value(cloneOf(other.m_value)) {}

IFCSingleValue::IFCSingleValue(const API_IFCProperty& host)
    : IFCProperty(host, headTypeName(host)), m_value(makeValue(nullptr, nullptr)) {
    if (m_value) readValue(*m_value, host.singleValue, nullptr);
}

bool IFCSingleValue::toHost(API_IFCProperty& host) const {
    bool head = IFCProperty::toHost(host);
    return head && m_value && writeValue(host.singleValue, *m_value, nullptr);
}

void IFCSingleValue::setValue(const Setting& value) {
    if (m_value) m_value->assign(value);
}

// --- List.

IFCListValue::IFCListValue(const String& name, const String& groupName, const String& typeName,
                           const String& extraText, size_t reserved)
    : IFCProperty(name, groupName, typeName, extraText) {
    reserve(reserved);
}

IFCListValue::IFCListValue(const IFCListValue& other) : IFCProperty(other), Vector<Setting>() {
    reserve(other.size());
    for (size_t i = 0; i < other.size(); ++i)
        push_back(other[i]->clone());
}

IFCListValue::IFCListValue(const API_IFCProperty& host) : IFCProperty(host, headTypeName(host)) {
    for (const API_IFCPropertyValue& item : host.listValues) {
        auto value = makeValue(nullptr, nullptr);
        if (!value) break;
        readValue(*value, item, nullptr);
        push_back(std::move(value));
    }
}

bool IFCListValue::toHost(API_IFCProperty& host) const {
    bool head = IFCProperty::toHost(host);
    host.listValues.Clear();
    for (size_t i = 0; i < size(); ++i) {
        API_IFCPropertyValue item;
        if (writeValue(item, *(*this)[i], nullptr)) host.listValues.Push(item);
    }
    return head && !host.listValues.IsEmpty();
}

// --- Bounds.

IFCBoundedValue::IFCBoundedValue(const IFCBoundedValue& other)
    : IFCProperty(other), m_lower(cloneOf(other.m_lower)), m_upper(cloneOf(other.m_upper)) {}

IFCBoundedValue::IFCBoundedValue(const API_IFCProperty& host)
    : IFCProperty(host, headTypeName(host)), m_lower(makeValue(nullptr, nullptr)),
      m_upper(makeValue(nullptr, nullptr)) {
    if (m_lower) readValue(*m_lower, host.lowerBound, nullptr);
    if (m_upper) readValue(*m_upper, host.upperBound, nullptr);
}

bool IFCBoundedValue::toHost(API_IFCProperty& host) const {
    bool head = IFCProperty::toHost(host);
    bool lower = m_lower && writeValue(host.lowerBound, *m_lower, nullptr);
    bool upper = m_upper && writeValue(host.upperBound, *m_upper, nullptr);
    return head && lower && upper;
}

void IFCBoundedValue::setLower(const Setting& value) {
    if (m_lower) m_lower->assign(value);
}

void IFCBoundedValue::setUpper(const Setting& value) {
    if (m_upper) m_upper->assign(value);
}

// --- Enumeration.

IFCEnumeratedValue::IFCEnumeratedValue(const API_IFCProperty& host) : IFCProperty(host, headTypeName(host)) {
    std::vector<std::unique_ptr<Setting>> selected;
    for (const API_IFCPropertyValue& item : host.selectedValues) {
        auto value = makeValue(nullptr, nullptr);
        if (!value) return;
        readValue(*value, item, nullptr);
        selected.push_back(std::move(value));
    }
    for (const API_IFCPropertyValue& item : host.enumerationValues) {
        auto value = makeValue(nullptr, nullptr);
        readValue(*value, item, nullptr);
        bool isSelected = false;
        for (const auto& chosen : selected)
            if (!chosen->isLess(*value) && !value->isLess(*chosen)) isSelected = true;
        emplace(pooledValue(std::move(value)), isSelected);
    }
}

bool IFCEnumeratedValue::toHost(API_IFCProperty& host) const {
    bool head = IFCProperty::toHost(host);
    host.enumerationValues.Clear();
    host.selectedValues.Clear();
    for (const auto& [value, selected] : *this) {
        API_IFCPropertyValue item;
        if (!writeValue(item, *value, nullptr)) continue;
        host.enumerationValues.Push(item);
        if (selected) host.selectedValues.Push(item);
    }
    return head && !host.enumerationValues.IsEmpty();
}

// --- Table.

IFCTableValue::IFCTableValue(const API_IFCProperty& host) : IFCProperty(host, headTypeName(host)) {
    size_t rows = std::min(host.definingValues.GetSize(), host.definedValues.GetSize());
    if (rows == 0) return;
    m_keyType = valueTypeOf(typeNameOf(host.definingValues[0]));
    for (size_t i = 0; i < rows; ++i) {
        auto key = makeValue(nullptr, &m_keyType);
        auto value = makeValue(nullptr, nullptr);
        if (!key || !value) return;
        readValue(*key, host.definingValues[i], &m_keyType);
        readValue(*value, host.definedValues[i], nullptr);
        m_rows.emplace(pooledValue(std::move(key)), pooledValue(std::move(value)));
    }
}

bool IFCTableValue::toHost(API_IFCProperty& host) const {
    bool head = IFCProperty::toHost(host);
    host.definingValues.Clear();
    host.definedValues.Clear();
    for (const auto& [key, value] : m_rows) {
        API_IFCPropertyValue keyItem, valueItem;
        if (!writeValue(keyItem, *key, &m_keyType) || !writeValue(valueItem, *value, nullptr)) continue;
        host.definingValues.Push(keyItem);
        host.definedValues.Push(valueItem);
    }
    return head && !host.definingValues.IsEmpty() &&
           host.definingValues.GetSize() == host.definedValues.GetSize();
}

// --- Calendar date.

IFCCalendarDate::IFCCalendarDate(const Setting* value, const String& name, const String& groupName,
                                 const String& typeName, const String& extraText)
    : IFCProperty(name, groupName, typeName, extraText), m_value(value ? value->clone() : nullptr) {}

IFCCalendarDate::IFCCalendarDate(const IFCCalendarDate& other)
    : IFCProperty(other), m_value(cloneOf(other.m_value)) {}

IFCCalendarDate::IFCCalendarDate(const API_IFCProperty& host) : IFCProperty(host, headTypeName(host)) {
    DateTime stamp = DateTime::now();
    if (host.referenceKind == 0) {
        uint32_t word = (uint32_t(host.year) & 0x7FFF) | (uint32_t(host.month & 0xF) << 15) |
                        (uint32_t(host.day & 0x1F) << 22);
        stamp = DateTime::fromRaw(word, 0, stamp.getOffset());
    }
    m_value = std::make_unique<TimeSetting>(stamp);
}

bool IFCCalendarDate::toHost(API_IFCProperty& host) const {
    bool head = IFCProperty::toHost(host);
    if (const auto* time = dynamic_cast<const TimeSetting*>(m_value.get())) {
        DateTime stamp = time->getTime();
        host.referenceKind = 0;
        host.day = uint16_t(stamp.getDay());
        host.month = uint16_t(stamp.getMonth());
        host.year = uint16_t(stamp.getYear());
    }
    return head;
}

void IFCCalendarDate::setValue(const Setting& value) {
    if (m_value) m_value->assign(value);
}

} // namespace tarnwick
