// The add-on's library configuration: a version, a platform word and the configuration presets
// (PresetList). The add-on holds one, made on first use, and loads it when it starts from
// "tarnwickLibrary.xml" in its preferences folder of scope 2.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "Environment/DateTime.h"
#include "platform/api/HostTypes.h"
#include "presets/Preset.h"

namespace tarnwick {

class Addon;
class DataBufferIn;
class EditManager;
class Element;

// The presets of the configuration, written as "preset" members.
class PresetList : public XMLArray {
public:
    PresetList();
    PresetList(const PresetList& other);
    PresetList& operator=(const PresetList&) = delete;

    size_t size() const { return m_presets.size(); }
    Preset& at(size_t index) const { return *m_presets.at(index); }
    Preset& append(std::unique_ptr<Preset> preset);
    void swap(PresetList& other);

    // The first preset of the type and menu name (exact comparison); null when none.
    Preset* findPreset(const String& type, const String& menuName) const;

    void reset() override;
    size_t getFieldCount() const override { return m_presets.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;

private:
    std::vector<std::unique_ptr<Preset>> m_presets;
    mutable std::unordered_map<String, size_t> m_byKey; // built on first use
    mutable bool m_indexed = false;
};

class TarnwickLibrary : public XMLAssembly {
public:
    static constexpr const char* FileName = "tarnwickLibrary.xml";

    TarnwickLibrary();

    uint32_t getVersion() const { return m_version; }
    uint32_t getPlatform() const { return m_platform; }
    PresetList& getPresetList() { return m_presets; }

    Preset* findPreset(const String& type, const String& menuName) const {
        return m_presets.findPreset(type, menuName);
    }
    // The first preset of the record's type through which the value name reaches a field.
    Preset* findPresetFor(const String& valueName, const PresetRecord& record,
                          const PresetDatabase& database) const;

    // Brings a placed object's parameters up to date with the presets that serve its part type,
    // against the project's preset database. Other elements are left alone. True when it changed.
    bool updateElement(Element& element) const;
    // Whether a preset serves placed parts of that type.
    bool servesPart(uint32_t partType) const;
    // The update run over the drawing of the edit manager: the selection, or every placed object
    // once the user agrees. Each object is made editable before its presets apply, so one that
    // cannot be is neither changed nor recorded. False without a drawing or when the user
    // declines. A host call that fails (reading the selection, the elements or their parameters,
    // saving one; the host taking no memos back) ends the run with the host's code in *failure
    // (0 otherwise), and the preset database is then put back as it was.
    bool collectElementsForUpdate(EditManager& edits, bool all, GSErrCode* failure = nullptr) const;

    // Reads a "tarnwickLibrary" document. All or nothing: on failure the configuration stays as it
    // was and the reason goes to the debug output.
    [[nodiscard]] bool read(DataBufferIn& in);
    // Reads the add-on's configuration file, when there is one.
    static void load(Addon& addon);

    // XML "tarnwickLibrary": "version", "platform", "presetList". reset clears the flag and stamp.
    void reset() override;
    size_t getFieldCount() const override { return 3; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;

private:
    unsigned int m_version = 0;
    unsigned int m_platform = 0;
    PresetList m_presets;
    bool m_flag = false;
    DateTime m_stamp;
};

} // namespace tarnwick
