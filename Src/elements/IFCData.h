// The IFC data the host keeps for an element, mirrored as typed values: the root of the family
// with its value-type table and the process-wide pools, attributes and classification references.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/String.h"
#include "persistence/Setting.h"
#include "platform/api/IFCRecords.h"

namespace tarnwick {

class IFCData {
public:
    using SharedText = std::shared_ptr<const String>;
    struct ValueType {
        SharedText name;
        uint32_t kind = 0; // a Setting::Type, 0 for none
    };

    IFCData(const String& name, const String& typeName, uint8_t hostFlag = 0);
    IFCData(const IFCData&) = default;
    IFCData& operator=(const IFCData&) = delete;
    virtual ~IFCData() = default;

    virtual std::unique_ptr<IFCData> clone() const = 0;
    // 0..5 the host property types, -1 an attribute, -2 a classification reference.
    virtual int32_t getPropertyType() const = 0;
    // A new empty value of the type's kind (this object's own when type is null), assigned from
    // from when given; null for the date kind and unknown kinds.
    virtual std::unique_ptr<Setting> makeValue(const Setting* from, const ValueType* type) const;
    virtual bool readValue(Setting& target, const API_IFCPropertyValue& host, const ValueType* type) const;
    // True when the type has a name and a kind other than the date kind.
    virtual bool writeValue(API_IFCPropertyValue& host, const Setting& value, const ValueType* type) const;

    String getName() const { return m_name ? *m_name : String(); }
    const SharedText& getSharedName() const { return m_name; }
    const ValueType& getValueType() const { return m_valueType; }
    uint8_t getHostFlag() const { return m_hostFlag; }

    // The kind of an IFC type name; a name outside the table is text with a default, else 0.
    static uint32_t kindOf(const String& typeName, bool withDefault);
    static ValueType valueTypeOf(const String& typeName);
    // One shared String per text while the pool lasts; null for the empty text.
    static SharedText pooled(const String& text);
    // One shared Setting per equal value of one class while the pool lasts; null for null.
    static std::shared_ptr<const Setting> pooledValue(std::unique_ptr<Setting> value);
    // Objects made before keep their Strings; new ones get new ones.
    static void releaseValueTypeMaps();
    // At unload: the pools and the type-name table.
    static void releaseAll();

protected:
    SharedText m_name;
    ValueType m_valueType;
    uint8_t m_hostFlag = 0;
    uint8_t m_extra[2] = {0, 0};
};

class IFCAttribute : public IFCData {
public:
    IFCAttribute(const Setting* value, const String& name, const String& typeName, uint8_t hostFlag = 0);
    IFCAttribute(const IFCAttribute& other);
    // Null unless the record has a name and a type name.
    static std::unique_ptr<IFCAttribute> create(const API_IFCAttribute& host);

    std::unique_ptr<IFCData> clone() const override { return std::make_unique<IFCAttribute>(*this); }
    int32_t getPropertyType() const override { return -1; }
    virtual const Setting* getValue() const { return m_value.get(); }
    virtual void setValue(const Setting& value);
    // False when the name or the type name is empty.
    virtual bool toHost(API_IFCAttribute& host) const;

private:
    std::unique_ptr<Setting> m_value;
};

class IFCClassification {
public:
    IFCClassification() = default;
    IFCClassification(const String& from, const String& release, const String& called)
        : source(from), edition(release), name(called) {}
    virtual ~IFCClassification() = default;

    String source;
    String edition;
    String name;
};

class IFCClassificationReference : public IFCData {
public:
    explicit IFCClassificationReference(const API_IFCClassificationReference& host);
    static std::unique_ptr<IFCClassificationReference> create(const API_IFCClassificationReference& host) {
        return std::make_unique<IFCClassificationReference>(host);
    }

    std::unique_ptr<IFCData> clone() const override {
        return std::make_unique<IFCClassificationReference>(*this);
    }
    int32_t getPropertyType() const override { return -2; }
    virtual bool toHost(API_IFCClassificationReference& host) const;

    IFCClassification classification;
    String location;
    String itemReference;
    String referenceName;
    uint8_t locationSet = 0;
    uint8_t itemReferenceSet = 0;
    uint8_t nameSet = 0;
};

} // namespace tarnwick
