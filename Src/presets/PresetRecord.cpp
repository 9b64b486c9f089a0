#include "presets/PresetRecord.h"

#include "persistence/XMLTypeProxy.h"

namespace tarnwick {

namespace {

const char* const DeletedTag = "deleted";
const char* const DateTag = "date";
const char* const NameTag = "name";

bool isMemberName(const String& name) {
    return name == DeletedTag || name == DateTag || name == NameTag;
}

// The date in its text form; text that is no date fails the read.
class DateProxy : public XMLUnit {
public:
    DateProxy(DateTime& date, const String& tag) : XMLUnit(tag), m_date(date) {}
    String getText() const override { return m_date.toText(); }
    bool readText(const String& text) override { return m_date.fromText(text); }
    void reset() override { m_date = DateTime(); }

private:
    DateTime& m_date;
};

} // namespace

PresetRecord::PresetRecord(const String& type) : XMLAssembly(type) {}

PresetRecord::PresetRecord(const String& type, FieldList fields) : XMLAssembly(type) {
    m_fields.reserve(fields.size());
    for (auto& field : fields) {
        if (!field || isMemberName(field->getName()) || m_byName.count(field->getName()) != 0) continue;
        m_byName.emplace(field->getName(), m_fields.size());
        m_fields.push_back(std::move(field));
    }
}

PresetRecord::PresetRecord(const PresetRecord& other)
    : XMLAssembly(other), m_deleted(other.m_deleted), m_date(other.m_date), m_name(other.m_name),
      m_byName(other.m_byName), m_unknown(other.m_unknown), m_importing(other.m_importing),
      m_open(other.m_open) {
    m_fields.reserve(other.m_fields.size());
    for (const auto& field : other.m_fields)
        m_fields.push_back(field->clone());
}

PresetRecord::~PresetRecord() = default;

std::unique_ptr<PresetRecord> PresetRecord::makeOpen(const String& type) {
    std::unique_ptr<PresetRecord> record(new PresetRecord(type));
    record->m_open = true;
    return record;
}

bool PresetRecord::isInvalid() const {
    for (const auto& field : m_fields)
        if (field->isRequired() && field->isUnset()) return true;
    return false;
}

bool PresetRecord::setField(const String& name, const Setting& value, size_t index) {
    PresetField* field = findField(name);
    return field != nullptr && field->setValue(value, index);
}

PresetField* PresetRecord::findField(const String& name) const {
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : m_fields[it->second].get();
}

String PresetRecord::getMemberText(size_t index) {
    std::unique_ptr<XMLShipping> member = makeFieldProxy(index, false);
    XMLUnit* unit = member ? member->asUnit() : nullptr;
    return unit ? unit->getText() : String();
}

bool PresetRecord::afterRead() {
    if (m_open) return true;
    return !m_name.isEmpty() && !(m_importing && isInvalid());
}

size_t PresetRecord::getFieldCount() const {
    return m_open ? m_unknown.size() : FirstField + m_fields.size() + m_unknown.size();
}

std::unique_ptr<XMLShipping> PresetRecord::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly) return nullptr;
    if (m_open) return m_unknown.makeProxy(index);
    if (index == DeletedField) {
        auto proxy = std::make_unique<XMLTypeProxy<bool>>(&m_deleted, String(DeletedTag));
        proxy->setEnabled(m_deleted);
        return proxy;
    }
    if (index == DateField) {
        auto proxy = std::make_unique<DateProxy>(m_date, String(DateTag));
        proxy->setEnabled(m_date != DateTime());
        return proxy;
    }
    if (index == NameField) return std::make_unique<XMLTypeProxy<String>>(&m_name, String(NameTag));
    index -= FirstField;
    if (index < m_fields.size()) return std::make_unique<XMLContainerProxy>(*m_fields[index]);
    return m_unknown.makeProxy(index - m_fields.size());
}

std::unique_ptr<XMLShipping> PresetRecord::makeFieldProxyByName(const String& name) {
    if (m_open) return m_unknown.append(name);
    if (name == DeletedTag) return makeFieldProxy(DeletedField, false);
    if (name == DateTag) return makeFieldProxy(DateField, false);
    if (name == NameTag) return makeFieldProxy(NameField, false);
    if (PresetField* field = findField(name)) {
        field->beginRead();
        return std::make_unique<XMLContainerProxy>(*field);
    }
    return m_unknown.append(name);
}

} // namespace tarnwick
