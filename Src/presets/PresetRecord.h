// A record of the preset database: one generic class, made from a type name and a list of fields
// (a template registered for the type is cloned for every new record). The type is also the
// record's XML element name. A record of a type no template here knows is open: it keeps what was
// stored, is written back unchanged and takes part in nothing else.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "Environment/DateTime.h"
#include "presets/OpenElement.h"
#include "presets/PresetField.h"

namespace tarnwick {

class PresetRecord : public XMLAssembly {
public:
    using FieldList = std::vector<std::unique_ptr<PresetField>>;

    // XML members before the fields: the deleted mark, the date and the name.
    static constexpr size_t DeletedField = 0;
    static constexpr size_t DateField = 1;
    static constexpr size_t NameField = 2;
    static constexpr size_t FirstField = 3;

    // Fields named like the three members before them, or like an earlier field, are dropped.
    PresetRecord(const String& type, FieldList fields);
    PresetRecord(const PresetRecord& other); // deep, nested records included
    PresetRecord& operator=(const PresetRecord&) = delete;
    ~PresetRecord() override;

    // A record of a type no template here knows.
    static std::unique_ptr<PresetRecord> makeOpen(const String& type);

    virtual String getName() const { return m_name; }
    // Only a record of the same type takes this one's place.
    virtual bool acceptsReplacement(const PresetRecord& other) const { return other.getType() == getType(); }
    virtual bool isDeleted() const { return m_deleted; }
    // A required field is unset.
    virtual bool isInvalid() const;
    virtual void setName(const String& name) { m_name = name; }
    virtual void setDeleted(bool deleted) { m_deleted = deleted; }
    virtual void setDate(const DateTime& date) { m_date = date; }
    virtual std::unique_ptr<PresetRecord> clone() const { return std::make_unique<PresetRecord>(*this); }
    virtual String getType() const { return getElementName(); }
    // Sets the named field's value at the index; false when there is no such field or the index
    // is past PresetField::MaxValues.
    virtual bool setField(const String& name, const Setting& value, size_t index);
    // While importing, a record is kept only with every required field set.
    virtual void setImporting(bool importing) { m_importing = importing; }

    bool isOpen() const { return m_open; }
    const DateTime& getDate() const { return m_date; }

    size_t getPresetFieldCount() const { return m_fields.size(); }
    PresetField& getPresetField(size_t index) const { return *m_fields.at(index); }
    // Null when the record has no field of that name.
    PresetField* findField(const String& name) const;
    // The text of the XML member at the index, empty when it is no text.
    String getMemberText(size_t index);

    // XML: "deleted" (only when set), "date" (only when not zero), "name", the fields, then what
    // was stored that no field takes. A record needs a name; while importing, also its required
    // fields.
    bool afterRead() override;
    size_t getFieldCount() const override;
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;

private:
    explicit PresetRecord(const String& type);

    bool m_deleted = false;
    DateTime m_date;
    String m_name;
    FieldList m_fields;
    std::unordered_map<String, size_t> m_byName;
    OpenElementList m_unknown;
    bool m_importing = false;
    bool m_open = false;
};

} // namespace tarnwick
