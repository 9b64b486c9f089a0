// A configuration preset: how records of one type of the preset database are tied to a library
// part's parameters (the target). Array parameters of the target carry, per link index, the
// record's name, an echo of it, its id (the key) and a status word; the setting list maps the
// record's fields to parameters; the index range says which link indices the preset serves.
//
// Status words: 0 linked and current, 1 the linked record is missing, deleted or of another type,
// 2 store the target as a record, 4 as 0, 8 detach, 9 detached (a typed name links again).
//
// Records reach further records through their reference fields; every walk over them stops at a
// record it has met before, so records that refer to each other cannot make it run away.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "interface/IndexRange.h"
#include "presets/PresetDatabase.h"
#include "presets/PresetFilter.h"
#include "presets/PresetSetting.h"

namespace tarnwick {

class Preset : public XMLArray {
public:
    explicit Preset(const String& type = String(), const String& menuName = String());
    Preset(const Preset& other); // the filter too
    Preset& operator=(const Preset&) = delete;
    ~Preset() override;

    std::unique_ptr<Preset> clone() const { return std::make_unique<Preset>(*this); }

    const String& getType() const { return m_type; }
    const String& getMenuName() const { return m_menuName; }
    const PresetFilter* getFilter() const { return m_filter.get(); }
    void setFilter(std::unique_ptr<PresetFilter> filter) { m_filter = std::move(filter); }
    PresetParameter& getNameParameter() { return m_nameParameter; }
    PresetParameter& getEchoParameter() { return m_echoParameter; }
    PresetParameter& getKeyParameter() { return m_keyParameter; }
    PresetParameter& getStatusParameter() { return m_statusParameter; }
    PresetSettingList& getSettingList() { return m_settings; }
    IndexRange& getIndexRange() { return m_indexRange; }
    const std::vector<uint32_t>& getSubtypes() const { return m_subtypes; }
    void addSubtype(uint32_t code) { m_subtypes.push_back(code); }

    // An empty subtype list applies to every type code.
    bool appliesTo(uint32_t code) const;

    // Brings every link index of the range up to date by its status, then fills the menu
    // parameter with the names the target may choose. True when the target changed.
    bool applyTo(ParameterList& target, PresetDatabase& database);

    // Per link index; each answers whether the target changed.
    bool refreshFromRecord(ParameterList& target, uint64_t index, PresetDatabase& database);
    bool writeRecordToTarget(ParameterList& target, const PresetRecord& record, const Guid& id,
                             uint64_t index, PresetDatabase& database);
    // Status 0 follows only once a record of the preset's type is linked; otherwise nothing is
    // stored and the status stays.
    bool storeTargetAsRecord(ParameterList& target, uint64_t index, PresetDatabase& database);
    bool markMissing(ParameterList& target, uint64_t index);
    bool detachTarget(ParameterList& target, uint64_t index, PresetDatabase& database);

    // Legacy import: sets the record's field that a legacy parameter name maps to, here or in a
    // nested preset; false when none matches.
    bool matchParameters(PresetRecord& record, const String& legacyName, const Setting& value, size_t index,
                         PresetDatabase& database);
    // Whether the legacy parameter name maps to a field here or in a nested preset.
    bool findNestedPreset(const String& legacyName, const PresetRecord& record,
                          const PresetDatabase& database);
    // The parameter of the first setting of the field; an empty one when none.
    PresetParameter parameterForField(const String& fieldName) const;
    // A parameter named after the field of the first setting whose parameter, or one of whose
    // legacy parameters (with its column), bears the name; an empty one when none.
    PresetParameter parameterForLegacyName(const String& name) const;

    // XML "preset": "type" and "menuName" (attributes), "filter" (when there is one), the four
    // parameters, "settingList", "indexRange", then one "subtype" per entry.
    void reset() override;
    bool afterRead() override { return !m_type.isEmpty() && !m_menuName.isEmpty(); }
    size_t getFieldCount() const override { return 9 + m_subtypes.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;

private:
    // What a walk over records has met: a record under a preset.
    struct Visit {
        const Preset* preset;
        const PresetRecord* record;
        bool operator==(const Visit&) const = default;
    };
    struct VisitHash {
        size_t operator()(const Visit& v) const {
            return std::hash<const void*>()(v.preset) ^ (std::hash<const void*>()(v.record) * 31);
        }
    };
    using Visited = std::unordered_set<Visit, VisitHash>;

    // The record a reference field leads to, with its id (null for a nested record of the field),
    // and the preset of the configuration that serves it under the mapped parameter.
    struct Nested {
        PresetRecord* record = nullptr;
        Guid id;
        Preset* preset = nullptr;
    };
    Nested nestedFor(const PresetField& field, const PresetDatabase& database, bool onlySet) const;

    bool writeRecord(ParameterList& target, const PresetRecord& record, const Guid& id, uint64_t index,
                     PresetDatabase& database, Visited& visited);
    void readRecord(const ParameterList& target, uint64_t index, PresetRecord& record,
                    PresetDatabase& database, Visited& visited);
    bool match(PresetRecord& record, const String& legacyName, const Setting& value, size_t index,
               PresetDatabase& database, Visited& visited);
    bool findNested(const String& legacyName, const PresetRecord& record, const PresetDatabase& database,
                    Visited& visited);

    String m_type;
    String m_menuName;
    std::unique_ptr<PresetFilter> m_filter;
    PresetParameter m_nameParameter;
    PresetParameter m_echoParameter;
    PresetParameter m_keyParameter;
    PresetParameter m_statusParameter;
    PresetSettingList m_settings;
    IndexRange m_indexRange{0, 1};
    std::vector<uint32_t> m_subtypes;
};

} // namespace tarnwick
