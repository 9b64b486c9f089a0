#include "elements/IFCData.h"

#include <map>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "Environment/Guid.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"

namespace tarnwick {

namespace {

std::unique_ptr<std::map<String, IFCData::SharedText>>& namePool() {
    static std::unique_ptr<std::map<String, IFCData::SharedText>> pool;
    return pool;
}

// Values by their class and text, each bucket holding the values that read alike.
using ValuePool = std::unordered_map<std::string, std::vector<std::shared_ptr<const Setting>>>;

std::unique_ptr<ValuePool>& valuePool() {
    static std::unique_ptr<ValuePool> pool;
    return pool;
}

std::unique_ptr<std::map<String, uint32_t>>& typeTable() {
    static std::unique_ptr<std::map<String, uint32_t>> table;
    return table;
}

const std::map<String, uint32_t>& types() {
    auto& table = typeTable();
    if (!table) {
        table = std::make_unique<std::map<String, uint32_t>>(std::map<String, uint32_t>{
            {String("IfcAreaMeasure"), Setting::RealType},
            {String("IfcBoolean"), Setting::BooleanType},
            {String("IfcCalendarDate"), Setting::TimeType},
            {String("IfcCountMeasure"), Setting::Int64Type},
            {String("IfcGloballyUniqueId"), Setting::IDType},
            {String("IfcIdentifier"), Setting::StringType},
            {String("IfcInteger"), Setting::Int64Type},
            {String("IfcLabel"), Setting::StringType},
            {String("IfcLengthMeasure"), Setting::LengthType},
            {String("IfcLogical"), Setting::BooleanType},
            {String("IfcMassMeasure"), Setting::RealType},
            {String("IfcMassPerLengthMeasure"), Setting::RealType},
            {String("IfcParameterValue"), Setting::RealType},
            {String("IfcReal"), Setting::RealType},
            {String("IfcText"), Setting::StringType},
            {String("IfcVolumeMeasure"), Setting::RealType},
        });
    }
    return *table;
}

} // namespace

IFCData::IFCData(const String& name, const String& typeName, uint8_t hostFlag)
    : m_name(pooled(name)), m_valueType(valueTypeOf(typeName)), m_hostFlag(hostFlag) {}

uint32_t IFCData::kindOf(const String& typeName, bool withDefault) {
    const auto& table = types();
    auto it = table.find(typeName);
    if (it != table.end()) return it->second;
    return withDefault ? uint32_t(Setting::StringType) : 0;
}

IFCData::ValueType IFCData::valueTypeOf(const String& typeName) {
    if (typeName.isEmpty()) return {};
    return {pooled(typeName), kindOf(typeName, true)};
}

IFCData::SharedText IFCData::pooled(const String& text) {
    if (text.isEmpty()) return nullptr;
    auto& pool = namePool();
    if (!pool) pool = std::make_unique<std::map<String, SharedText>>();
    auto& entry = (*pool)[text];
    if (!entry) entry = std::make_shared<const String>(text);
    return entry;
}

std::shared_ptr<const Setting> IFCData::pooledValue(std::unique_ptr<Setting> value) {
    if (!value) return nullptr;
    auto& pool = valuePool();
    if (!pool) pool = std::make_unique<ValuePool>();
    const Setting& wanted = *value;
    String text;
    wanted.getText(text);
    auto& bucket = (*pool)[std::string(typeid(wanted).name()) + '\0' + text.bytes()];
    for (const auto& held : bucket) {
        const Setting& candidate = *held;
        if (typeid(candidate) == typeid(wanted) && candidate.isEqual(wanted)) return held;
    }
    bucket.push_back(std::shared_ptr<const Setting>(std::move(value)));
    return bucket.back();
}

void IFCData::releaseValueTypeMaps() {
    namePool().reset();
    valuePool().reset();
}

void IFCData::releaseAll() {
    releaseValueTypeMaps();
    typeTable().reset();
}

std::unique_ptr<Setting> IFCData::makeValue(const Setting* from, const ValueType* type) const {
    std::unique_ptr<Setting> value;
    switch ((type ? type : &m_valueType)->kind) {
    case Setting::BooleanType:
        value = std::make_unique<BooleanSetting>();
        break;
    case Setting::Int32Type:
        value = std::make_unique<Int32Setting>();
        break;
    case Setting::Int64Type:
        value = std::make_unique<Int64Setting>();
        break;
    case Setting::RealType:
        value = std::make_unique<RealSetting>();
        break;
    case Setting::LengthType:
        value = std::make_unique<LengthSetting>(0.0, true);
        break;
    case Setting::StringType:
        value = std::make_unique<StringSetting>(String(), true);
        break;
    case Setting::IDType:
        value = std::make_unique<IDSetting>(Guid(), 0, true);
        break;
    default:
        return nullptr;
    }
    if (from) value->assign(*from);
    return value;
}

bool IFCData::readValue(Setting& target, const API_IFCPropertyValue& host, const ValueType* type) const {
    switch ((type ? type : &m_valueType)->kind) {
    case Setting::BooleanType:
        target.setInt32(host.boolValue ? 1 : 0);
        return true;
    case Setting::Int32Type:
    case Setting::Int64Type:
        target.setInt64(host.intValue);
        return true;
    case Setting::RealType:
    case Setting::LengthType:
        target.setDouble(host.doubleValue);
        return true;
    case Setting::StringType: {
        String text(host.stringValue);
        if (text.isEmpty()) {
            // The host may keep a typed value only; its text stands in.
            switch (host.primitiveType) {
            case 1:
                text = String(host.doubleValue);
                break;
            case 2:
                text = String(host.boolValue ? "1" : "0");
                break;
            case 3:
                text = String(static_cast<long long>(host.intValue));
                break;
            default:
                break;
            }
        }
        target.setText(text);
        return true;
    }
    case Setting::IDType:
        target.setText(String(host.stringValue));
        return true;
    default:
        return false;
    }
}

bool IFCData::writeValue(API_IFCPropertyValue& host, const Setting& value, const ValueType* type) const {
    const ValueType& valueType = type ? *type : m_valueType;
    if (valueType.name) host.valueType = valueType.name->toUniString();
    switch (valueType.kind) {
    case Setting::BooleanType:
        host.boolValue = !value.isEmpty();
        break;
    case Setting::Int32Type:
        host.intValue = int64_t(value.asInt32());
        break;
    case Setting::Int64Type:
        host.intValue = value.asInt64();
        break;
    case Setting::RealType:
    case Setting::LengthType:
        host.doubleValue = value.asDouble();
        break;
    case Setting::StringType:
        host.stringValue = value.asText().toUniString();
        break;
    case Setting::IDType: {
        IDSetting id;
        id.assign(value);
        host.stringValue = id.asText().toUniString();
        break;
    }
    default:
        return false;
    }
    return valueType.name != nullptr;
}

IFCAttribute::IFCAttribute(const Setting* value, const String& name, const String& typeName, uint8_t hostFlag)
    : IFCData(name, typeName, hostFlag), m_value(makeValue(value, nullptr)) {}

IFCAttribute::IFCAttribute(const IFCAttribute& other)
    : IFCData(other), m_value(other.m_value ? other.m_value->clone() : nullptr) {}

std::unique_ptr<IFCAttribute> IFCAttribute::create(const API_IFCAttribute& host) {
    String name(host.attributeName), typeName(host.attributeType);
    if (name.isEmpty() || typeName.isEmpty()) return nullptr;
    auto attribute = std::make_unique<IFCAttribute>(nullptr, name, typeName, host.flag);
    if (attribute->m_value) attribute->m_value->setText(String(host.attributeValue));
    return attribute;
}

void IFCAttribute::setValue(const Setting& value) {
    if (m_value) m_value->assign(value);
}

bool IFCAttribute::toHost(API_IFCAttribute& host) const {
    String name = getName();
    String typeName = m_valueType.name ? *m_valueType.name : String();
    String text = m_value ? m_value->asText() : String();
    host.attributeName = name.toUniString();
    host.attributeType = typeName.toUniString();
    host.attributeValue = text.toUniString();
    host.hasValue = text.isEmpty() ? 0 : 1;
    host.flag = m_hostFlag;
    return !name.isEmpty() && !typeName.isEmpty();
}

IFCClassificationReference::IFCClassificationReference(const API_IFCClassificationReference& host)
    : IFCData(String(host.location), String()),
      classification(String(host.classificationSource), String(host.classificationEdition),
                     String(host.classificationName)),
      location(host.location), itemReference(host.itemReference), referenceName(host.name),
      locationSet(host.locationSet), itemReferenceSet(host.itemReferenceSet), nameSet(host.nameSet) {}

bool IFCClassificationReference::toHost(API_IFCClassificationReference& host) const {
    host.location = location.toUniString();
    host.itemReference = itemReference.toUniString();
    host.name = referenceName.toUniString();
    host.locationSet = locationSet;
    host.itemReferenceSet = itemReferenceSet;
    host.nameSet = nameSet;
    host.classificationSource = classification.source.toUniString();
    host.classificationEdition = classification.edition.toUniString();
    host.classificationName = classification.name.toUniString();
    return true;
}

} // namespace tarnwick
