#include "presets/TarnwickLibrary.h"

#include "Environment/Addon.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "Environment/Directory.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLTypeProxy.h"
#include "platform/gsroot/DebugPrint.h"

namespace tarnwick {

namespace {

const char* const PresetTag = "preset";

String presetKey(const String& type, const String& menuName) {
    return type + String("\x1f") + menuName;
}

} // namespace

PresetList::PresetList() : XMLArray(String("presetList")) {}

PresetList::PresetList(const PresetList& other) : XMLArray(other) {
    m_presets.reserve(other.m_presets.size());
    for (const auto& preset : other.m_presets)
        m_presets.push_back(preset->clone());
}

Preset& PresetList::append(std::unique_ptr<Preset> preset) {
    m_presets.push_back(std::move(preset));
    m_indexed = false;
    return *m_presets.back();
}

void PresetList::swap(PresetList& other) {
    m_presets.swap(other.m_presets);
    m_indexed = false;
    other.m_indexed = false;
}

Preset* PresetList::findPreset(const String& type, const String& menuName) const {
    if (!m_indexed) {
        // Read presets are filled in after they are appended: the index is built when first asked.
        m_byKey.clear();
        for (size_t k = 0; k < m_presets.size(); ++k)
            m_byKey.emplace(presetKey(m_presets[k]->getType(), m_presets[k]->getMenuName()), k);
        m_indexed = true;
    }
    auto it = m_byKey.find(presetKey(type, menuName));
    return it == m_byKey.end() ? nullptr : m_presets[it->second].get();
}

void PresetList::reset() {
    m_presets.clear();
    m_indexed = false;
}

std::unique_ptr<XMLShipping> PresetList::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly || index >= m_presets.size()) return nullptr;
    return std::make_unique<XMLContainerProxy>(*m_presets[index], String(PresetTag));
}

std::unique_ptr<XMLShipping> PresetList::makeFieldProxyByName(const String& name) {
    if (name != PresetTag) return nullptr;
    append(std::make_unique<Preset>());
    return std::make_unique<XMLContainerProxy>(*m_presets.back(), String(PresetTag));
}

TarnwickLibrary::TarnwickLibrary() : XMLAssembly(String("tarnwickLibrary")) {}

Preset* TarnwickLibrary::findPresetFor(const String& valueName, const PresetRecord& record,
                                       const PresetDatabase& database) const {
    String type = record.getType();
    for (size_t k = 0; k < m_presets.size(); ++k) {
        Preset& preset = m_presets.at(k);
        if (preset.getType() == type && preset.findNestedPreset(valueName, record, database)) return &preset;
    }
    return nullptr;
}

bool TarnwickLibrary::read(DataBufferIn& in) {
    TarnwickLibrary fresh;
    XMLReader reader(in);
    if (!reader.read(fresh)) {
        DBPrint((String("The library configuration could not be read: ") + reader.getError() + "\n").c_str());
        return false;
    }
    m_version = fresh.m_version;
    m_platform = fresh.m_platform;
    m_presets.swap(fresh.m_presets);
    m_flag = fresh.m_flag;
    m_stamp = fresh.m_stamp;
    return true;
}

void TarnwickLibrary::load(Addon& addon) {
    TarnwickLibrary* library = addon.getTarnwickLibrary();
    std::unique_ptr<Directory> folder = addon.getScope2Folder();
    if (library == nullptr || !folder) return;
    DataFile file(*folder, String(FileName));
    if (!file.exists()) return;
    DataBufferIn in(file);
    (void)library->read(in); // a configuration that cannot be read leaves the last one
}

void TarnwickLibrary::reset() {
    m_flag = false;
    m_stamp = DateTime();
}

std::unique_ptr<XMLShipping> TarnwickLibrary::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly) return nullptr;
    if (index == 0) return std::make_unique<XMLTypeProxy<unsigned int>>(&m_version, String("version"));
    if (index == 1) return std::make_unique<XMLTypeProxy<unsigned int>>(&m_platform, String("platform"));
    if (index == 2) return std::make_unique<XMLContainerProxy>(m_presets, String("presetList"));
    return nullptr;
}

} // namespace tarnwick
