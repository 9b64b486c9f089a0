#include "presets/PresetSetting.h"

#include "library/ParameterForm.h"
#include "library/ParameterList.h"
#include "persistence/XMLTypeProxy.h"
#include "presets/PresetRecord.h"

namespace tarnwick {

namespace {
const char* const SettingTag = "setting";
} // namespace

PresetSetting::PresetSetting(const String& field, const PresetParameter& parameter)
    : XMLArray(String("presetSetting")), m_field(field), m_parameter(parameter) {}

PresetSetting::PresetSetting(const PresetSetting& other)
    : XMLArray(other), m_field(other.m_field), m_parameter(other.m_parameter), m_flags(other.m_flags) {
    for (size_t k = 0; k < other.getLegacyCount(); ++k)
        addLegacy(other.getLegacy(k));
}

void PresetSetting::setFlags(const PresetParameter& flags) {
    m_flags.setName(flags.getName());
    m_flags.setRow(flags.getRow());
    m_flags.setColumn(flags.getColumn());
}

void PresetSetting::addLegacy(const PresetParameter& parameter) {
    if (!m_legacy) m_legacy = std::make_unique<LegacyList>();
    m_legacy->push_back(std::make_unique<PresetParameter>(parameter));
}

bool PresetSetting::writeToTarget(ParameterList& target, uint64_t index, const PresetRecord& record) const {
    const PresetField* field = record.findField(m_field);
    if (field == nullptr) return false;
    bool changed = false;
    uint64_t element = 0;
    if (!m_flags.getName().isEmpty()) {
        ParameterForm<short>* flags = findIntegerParameter(target, m_flags.getName());
        if (flags && m_flags.elementOf(*flags, index, element))
            changed = setCellInteger(*flags, element, field->isUnset() ? 1 : 0);
    }
    Parameter* values = m_parameter.getName().isEmpty() ? nullptr : target.find(m_parameter.getName());
    if (!field->isUnset() && values && m_parameter.elementOf(*values, index, element))
        changed = field->writeTo(*values, element) || changed;
    return changed;
}

void PresetSetting::readFromTarget(const ParameterList& target, uint64_t index, PresetRecord& record) const {
    PresetField* field = record.findField(m_field);
    if (field == nullptr) return;
    uint64_t element = 0;
    if (!m_flags.getName().isEmpty()) {
        ParameterForm<short>* flags = findIntegerParameter(target, m_flags.getName());
        if (flags && m_flags.elementOf(*flags, index, element))
            field->setUnset((cellInteger(*flags, element) & 1) != 0);
    }
    const Parameter* values = m_parameter.getName().isEmpty() ? nullptr : target.find(m_parameter.getName());
    if (!field->isUnset() && values && m_parameter.elementOf(*values, index, element))
        field->readFrom(*values, element);
}

void PresetSetting::reset() {
    m_field = String();
    m_legacy.reset();
}

std::unique_ptr<XMLShipping> PresetSetting::makeFieldProxy(size_t index, bool attributesOnly) {
    if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&m_field, String("field"), true);
    if (attributesOnly) return nullptr;
    if (index == 1) return std::make_unique<XMLContainerProxy>(m_parameter, String("parameter"));
    if (index == 2) {
        auto proxy = std::make_unique<XMLContainerProxy>(m_flags, String("flags"));
        proxy->setEnabled(!m_flags.getName().isEmpty());
        return proxy;
    }
    if (index - 3 < getLegacyCount())
        return std::make_unique<XMLContainerProxy>(*(*m_legacy)[index - 3], String("legacy"));
    return nullptr;
}

std::unique_ptr<XMLShipping> PresetSetting::makeFieldProxyByName(const String& name) {
    if (name == "field") return makeFieldProxy(0, false);
    if (name == "parameter") return makeFieldProxy(1, false);
    if (name == "flags") return std::make_unique<XMLContainerProxy>(m_flags, String("flags"));
    if (name != "legacy") return nullptr;
    addLegacy(PresetParameter());
    return std::make_unique<XMLContainerProxy>(*m_legacy->back(), String("legacy"));
}

PresetSettingList::PresetSettingList() : XMLArray(String("presetSettingList")) {}

PresetSettingList::PresetSettingList(const PresetSettingList& other) : XMLArray(other) {
    m_settings.reserve(other.m_settings.size());
    for (const auto& setting : other.m_settings)
        m_settings.push_back(std::make_unique<PresetSetting>(*setting));
}

PresetSetting& PresetSettingList::append(std::unique_ptr<PresetSetting> setting) {
    m_settings.push_back(std::move(setting));
    m_indexed = false;
    return *m_settings.back();
}

const PresetSetting* PresetSettingList::findField(const String& field) const {
    if (!m_indexed) {
        // Read settings are filled in after they are appended: the index is built when first asked.
        m_byField.clear();
        for (size_t k = 0; k < m_settings.size(); ++k)
            m_byField.emplace(m_settings[k]->getField(), k);
        m_indexed = true;
    }
    auto it = m_byField.find(field);
    return it == m_byField.end() ? nullptr : m_settings[it->second].get();
}

bool PresetSettingList::writeToTarget(ParameterList& target, uint64_t index,
                                      const PresetRecord& record) const {
    bool changed = false;
    for (const auto& setting : m_settings)
        changed = setting->writeToTarget(target, index, record) || changed;
    return changed;
}

void PresetSettingList::readFromTarget(const ParameterList& target, uint64_t index,
                                       PresetRecord& record) const {
    for (const auto& setting : m_settings)
        setting->readFromTarget(target, index, record);
}

void PresetSettingList::reset() {
    m_settings.clear();
    m_indexed = false;
}

std::unique_ptr<XMLShipping> PresetSettingList::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly || index >= m_settings.size()) return nullptr;
    return std::make_unique<XMLContainerProxy>(*m_settings[index], String(SettingTag));
}

std::unique_ptr<XMLShipping> PresetSettingList::makeFieldProxyByName(const String& name) {
    if (name != SettingTag) return nullptr;
    append(std::make_unique<PresetSetting>());
    return std::make_unique<XMLContainerProxy>(*m_settings.back(), String(SettingTag));
}

} // namespace tarnwick
