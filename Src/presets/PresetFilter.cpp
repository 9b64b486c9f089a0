#include "presets/PresetFilter.h"

#include "Environment/Host.h"
#include "library/ParameterForm.h"
#include "persistence/XMLTypeProxy.h"
#include "project/Project.h"

namespace tarnwick {

PresetKeyFilter::PresetKeyFilter(std::shared_ptr<const PresetRecord> keyRecord, const PresetIDField& field)
    : m_keyRecord(std::move(keyRecord)), m_field(field) {
    for (size_t index = 0; index < field.getValueCount(); ++index)
        m_ids.insert(field.get(index));
}

bool PresetKeyFilter::test(const Guid& id, const PresetRecord* record) const {
    return record != nullptr && m_ids.count(id) != 0;
}

PresetFilter::PresetFilter(const String& type) : XMLAssembly(String("filter")), m_type(type) {}

void PresetFilter::setKeyParameter(const PresetParameter& parameter) {
    m_keyParameter.setName(parameter.getName());
    m_keyParameter.setRow(parameter.getRow());
    m_keyParameter.setColumn(parameter.getColumn());
}

std::unique_ptr<PresetKeyFilter> PresetFilter::makeKeyFilter(const ParameterList& target) const {
    Project* project = Host::getProject();
    auto* database =
        project ? dynamic_cast<PresetDatabase*>(project->getPackage(PresetDatabase::Code)) : nullptr;
    return database ? makeKeyFilter(target, *database) : nullptr;
}

std::unique_ptr<PresetKeyFilter> PresetFilter::makeKeyFilter(const ParameterList& target,
                                                             const PresetDatabase& database) const {
    if (m_type.isEmpty() || m_keyFilterField.isEmpty()) return nullptr;
    ParameterForm<String>* key = findTextParameter(target, m_keyParameter.getName());
    uint64_t element = 0;
    if (key == nullptr || !m_keyParameter.elementOf(*key, 0, element)) return nullptr;
    PresetDatabase::RecordPtr record = database.getRecord(Guid(cellText(*key, element)));
    if (!record || record->getType() != m_type) return nullptr;
    auto* field = dynamic_cast<const PresetIDField*>(record->findField(m_keyFilterField));
    return field ? std::make_unique<PresetKeyFilter>(record, *field) : nullptr;
}

void PresetFilter::reset() {
    m_type = String();
    m_keyFilterField = String();
    m_keyParameter.reset();
}

std::unique_ptr<XMLShipping> PresetFilter::makeFieldProxy(size_t index, bool attributesOnly) {
    if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&m_type, String("type"), true);
    if (attributesOnly) return nullptr;
    if (index == 1)
        return std::make_unique<XMLTypeProxy<String>>(&m_keyFilterField, String("keyFilterField"), true);
    if (index == 2) return std::make_unique<XMLContainerProxy>(m_keyParameter, String("keyParameter"));
    return nullptr;
}

} // namespace tarnwick
