// IFC properties of an element, one class per kind of value the host keeps: a single value, a
// list, bounds, an enumeration with its selected values, a table and a calendar date.
#pragma once

#include <map>

#include "Environment/Containers.h"
#include "elements/IFCData.h"
#include "persistence/TimeSetting.h"

namespace tarnwick {

class IFCProperty : public IFCData {
public:
    IFCProperty(const String& name, const String& groupName, const String& typeName, const String& extraText);
    IFCProperty(const IFCProperty&) = default;
    // One object of the class the record's property type names; null when the record lacks a
    // name, a group name or the value its type needs.
    static std::unique_ptr<IFCProperty> create(const API_IFCProperty& host);

    String getGroupName() const { return m_groupName ? *m_groupName : String(); }
    String getExtraText() const { return m_extraText ? *m_extraText : String(); }
    // False when the name or the group name is empty, or a value could not be written.
    virtual bool toHost(API_IFCProperty& host) const;

protected:
    IFCProperty(const API_IFCProperty& host, const String& typeName);

private:
    SharedText m_groupName;
    SharedText m_extraText;
};

class IFCSingleValue : public IFCProperty {
public:
    IFCSingleValue(const Setting* value, const String& name, const String& groupName, const String& typeName,
                   const String& extraText);
    IFCSingleValue(const IFCSingleValue& other);
    explicit IFCSingleValue(const API_IFCProperty& host);

    std::unique_ptr<IFCData> clone() const override { return std::make_unique<IFCSingleValue>(*this); }
    int32_t getPropertyType() const override { return 0; }
    bool toHost(API_IFCProperty& host) const override;
    virtual const Setting* getValue() const { return m_value.get(); }
    virtual void setValue(const Setting& value);

private:
    std::unique_ptr<Setting> m_value;
};

class IFCListValue : public IFCProperty, public Vector<Setting> {
public:
    IFCListValue(const String& name, const String& groupName, const String& typeName, const String& extraText,
                 size_t reserved = 0);
    IFCListValue(const IFCListValue& other);
    explicit IFCListValue(const API_IFCProperty& host);

    std::unique_ptr<IFCData> clone() const override { return std::make_unique<IFCListValue>(*this); }
    int32_t getPropertyType() const override { return 1; }
    bool toHost(API_IFCProperty& host) const override;
};

class IFCBoundedValue : public IFCProperty {
public:
    IFCBoundedValue(const IFCBoundedValue& other);
    explicit IFCBoundedValue(const API_IFCProperty& host);

    std::unique_ptr<IFCData> clone() const override { return std::make_unique<IFCBoundedValue>(*this); }
    int32_t getPropertyType() const override { return 2; }
    bool toHost(API_IFCProperty& host) const override;
    virtual const Setting* getLower() const { return m_lower.get(); }
    virtual const Setting* getUpper() const { return m_upper.get(); }
    virtual void setLower(const Setting& value);
    virtual void setUpper(const Setting& value);

private:
    std::unique_ptr<Setting> m_lower;
    std::unique_ptr<Setting> m_upper;
};

// Values ordered by the Setting ordering; values of different classes never order.
struct IFCValueLess {
    bool operator()(const std::shared_ptr<const Setting>& a, const std::shared_ptr<const Setting>& b) const {
        return a->isLess(*b);
    }
};

class IFCEnumeratedValue : public IFCProperty,
                           public std::map<std::shared_ptr<const Setting>, bool, IFCValueLess> {
public:
    IFCEnumeratedValue(const IFCEnumeratedValue&) = default;
    explicit IFCEnumeratedValue(const API_IFCProperty& host);

    std::unique_ptr<IFCData> clone() const override { return std::make_unique<IFCEnumeratedValue>(*this); }
    int32_t getPropertyType() const override { return 3; }
    bool toHost(API_IFCProperty& host) const override;
};

class IFCTableValue : public IFCProperty {
public:
    using Rows = std::map<std::shared_ptr<const Setting>, std::shared_ptr<const Setting>, IFCValueLess>;

    IFCTableValue(const IFCTableValue&) = default;
    explicit IFCTableValue(const API_IFCProperty& host);

    std::unique_ptr<IFCData> clone() const override { return std::make_unique<IFCTableValue>(*this); }
    int32_t getPropertyType() const override { return 4; }
    bool toHost(API_IFCProperty& host) const override;
    const ValueType& getKeyType() const { return m_keyType; }
    const Rows& getRows() const { return m_rows; }

private:
    ValueType m_keyType;
    Rows m_rows;
};

class IFCCalendarDate : public IFCProperty {
public:
    IFCCalendarDate(const Setting* value, const String& name, const String& groupName, const String& typeName,
                    const String& extraText);
    IFCCalendarDate(const IFCCalendarDate& other);
    explicit IFCCalendarDate(const API_IFCProperty& host);

    std::unique_ptr<IFCData> clone() const override { return std::make_unique<IFCCalendarDate>(*this); }
    int32_t getPropertyType() const override { return 5; }
    bool toHost(API_IFCProperty& host) const override;
    virtual const Setting* getValue() const { return m_value.get(); }
    virtual void setValue(const Setting& value);

private:
    std::unique_ptr<Setting> m_value;
};

} // namespace tarnwick
