// The fields of a preset record. A field has a name, a value per index (the columns of the
// parameter it is tied to) of one Setting kind, and an unset flag: an unset field passes no value
// on. PresetFieldType<IDSetting, Guid> is the reference and ID-list field: its values are record
// ids, and it may carry a nested record of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Environment/Guid.h"
#include "persistence/Setting.h"
#include "persistence/Shipping.h"
#include "persistence/StringSetting.h"

namespace tarnwick {

class Parameter;
class PresetRecord;

class PresetField : public XMLArray {
public:
    // The most values a field holds; a value for an index beyond is dropped.
    static constexpr size_t MaxValues = 4096;

    // A new field is unset and has no values.
    PresetField(const String& name, std::unique_ptr<Setting> prototype, bool required = false);
    PresetField(const PresetField& other);
    PresetField& operator=(const PresetField&) = delete;
    ~PresetField() override;

    virtual std::unique_ptr<PresetField> clone() const { return std::make_unique<PresetField>(*this); }

    const String& getName() const { return m_name; }
    bool isRequired() const { return m_required; }
    bool isUnset() const { return m_unset; }
    void setUnset(bool unset) { m_unset = unset; }
    // The kind the field's values take.
    const Setting& getPrototype() const { return *m_prototype; }

    size_t getValueCount() const { return m_values.size(); }
    // Null past the end.
    const Setting* getValue(size_t index) const {
        return index < m_values.size() ? m_values[index].get() : nullptr;
    }
    // Takes the value, converted to the field's kind, at the index; indices before it that have
    // none get the kind's empty value. The field is then set. False, with nothing changed, for an
    // index at or past MaxValues.
    bool setValue(const Setting& value, size_t index);
    void clearValues() { m_values.clear(); }

    // Writes value k into the cell (row, k) for every column the parameter has; the row must be
    // there. Nothing grows. True when a cell changed.
    bool writeTo(Parameter& parameter, uint64_t row) const;
    // The values become the cells of the row, one per column (at most MaxValues); the row must be
    // there.
    void readFrom(const Parameter& parameter, uint64_t row);

    // XML, under the field's name: "unset" (only while unset), then one "value" per index.
    // Reading an element of the field replaces its values and its flag.
    void beginRead();
    size_t getFieldCount() const override { return 1 + m_values.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;

private:
    String m_name;
    std::unique_ptr<Setting> m_prototype;
    std::vector<std::unique_ptr<Setting>> m_values;
    bool m_required;
    bool m_unset = true;
};

// A field of one Setting kind S whose values are of type V.
template <class S, class V> class PresetFieldType : public PresetField {
public:
    explicit PresetFieldType(const String& name, bool required = false)
        : PresetField(name, std::make_unique<S>(), required) {}

    std::unique_ptr<PresetField> clone() const override { return std::make_unique<PresetFieldType>(*this); }

    // The kind's empty value past the end.
    V get(size_t index = 0) const {
        const Setting* value = getValue(index);
        const auto* typed = dynamic_cast<const S*>(value);
        return typed ? V(typed->getValue()) : V();
    }
    bool set(const V& value, size_t index = 0) { return setValue(S(value), index); }
};

// Record ids: a reference to a record (its first value) or a list of them, with the nested record
// the field may carry in place of a record of the database.
template <> class PresetFieldType<IDSetting, Guid> : public PresetField {
public:
    explicit PresetFieldType(const String& name, bool required = false);
    PresetFieldType(const PresetFieldType& other);
    ~PresetFieldType() override;

    std::unique_ptr<PresetField> clone() const override { return std::make_unique<PresetFieldType>(*this); }

    Guid get(size_t index = 0) const;
    bool set(const Guid& value, size_t index = 0) { return setValue(IDSetting(value), index); }
    // The position of the id among the values, or -1.
    int64_t find(const Guid& id) const;

    PresetRecord* getNestedRecord() const { return m_nested.get(); }
    void setNestedRecord(std::unique_ptr<PresetRecord> record);

    // XML: the values, then the nested record under its type name.
    size_t getFieldCount() const override;
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;

private:
    std::unique_ptr<PresetRecord> m_nested;
};

using PresetIDField = PresetFieldType<IDSetting, Guid>;

} // namespace tarnwick
