// The mapping of one field of a preset record to a target parameter, with the integer parameter
// that carries the field's unset flag per index (bit 0) and the parameters of older library
// layouts; and the list of them that moves a whole record in one pass.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "presets/PresetParameter.h"

namespace tarnwick {

class PresetRecord;

class PresetSetting : public XMLArray {
public:
    using LegacyList = std::vector<std::unique_ptr<PresetParameter>>;

    explicit PresetSetting(const String& field = String(),
                           const PresetParameter& parameter = PresetParameter());
    PresetSetting(const PresetSetting& other);
    PresetSetting& operator=(const PresetSetting&) = delete;

    const String& getField() const { return m_field; }
    const PresetParameter& getParameter() const { return m_parameter; }
    const PresetParameter& getFlags() const { return m_flags; }
    void setFlags(const PresetParameter& flags);
    size_t getLegacyCount() const { return m_legacy ? m_legacy->size() : 0; }
    const PresetParameter& getLegacy(size_t index) const { return *m_legacy->at(index); }
    void addLegacy(const PresetParameter& parameter);

    // The field's unset flag, then (unless unset) its values, into the elements of link index.
    // True when an element changed.
    bool writeToTarget(ParameterList& target, uint64_t index, const PresetRecord& record) const;
    // The other way: the flag from bit 0 of its element, then the values unless unset.
    void readFromTarget(const ParameterList& target, uint64_t index, PresetRecord& record) const;

    // XML "setting": "field" (attribute), "parameter", "flags" (only when named), "legacy"...
    void reset() override;
    bool afterRead() override { return !m_field.isEmpty(); }
    size_t getFieldCount() const override { return 3 + getLegacyCount(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;

private:
    String m_field;
    PresetParameter m_parameter;
    PresetParameter m_flags;
    std::unique_ptr<LegacyList> m_legacy; // made on first use
};

class PresetSettingList : public XMLArray {
public:
    PresetSettingList();
    PresetSettingList(const PresetSettingList& other);
    PresetSettingList& operator=(const PresetSettingList&) = delete;

    size_t size() const { return m_settings.size(); }
    const PresetSetting& at(size_t index) const { return *m_settings.at(index); }
    PresetSetting& append(std::unique_ptr<PresetSetting> setting);
    // The first setting of the field; null when none.
    const PresetSetting* findField(const String& field) const;

    bool writeToTarget(ParameterList& target, uint64_t index, const PresetRecord& record) const;
    void readFromTarget(const ParameterList& target, uint64_t index, PresetRecord& record) const;

    // XML "settingList": one "setting" per member.
    void reset() override;
    size_t getFieldCount() const override { return m_settings.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;

private:
    std::vector<std::unique_ptr<PresetSetting>> m_settings;
    mutable std::unordered_map<String, size_t> m_byField; // built on first use
    mutable bool m_indexed = false;
};

} // namespace tarnwick
