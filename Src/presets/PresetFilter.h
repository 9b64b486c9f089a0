// The filter a configuration preset may carry: it names a key record (the record whose id the
// target's key parameter holds, of the filter's type) and an ID-list field of it; for one target
// it gives a PresetKeyFilter that lets through only the records that field lists.
#pragma once

#include <memory>
#include <unordered_set>

#include "presets/PresetDatabase.h"
#include "presets/PresetParameter.h"

namespace tarnwick {

class PresetKeyFilter : public PresetRecordFilter {
public:
    // Holds the key record, so that its field stays while the filter is in use.
    PresetKeyFilter(std::shared_ptr<const PresetRecord> keyRecord, const PresetIDField& field);

    bool test(const Guid& id, const PresetRecord* record) const override;
    const PresetIDField& getField() const { return m_field; }

private:
    std::shared_ptr<const PresetRecord> m_keyRecord;
    const PresetIDField& m_field;
    std::unordered_set<Guid> m_ids;
};

class PresetFilter : public XMLAssembly {
public:
    explicit PresetFilter(const String& type = String());

    const String& getType() const { return m_type; }
    const String& getKeyFilterField() const { return m_keyFilterField; }
    const PresetParameter& getKeyParameter() const { return m_keyParameter; }
    void setKeyFilterField(const String& field) { m_keyFilterField = field; }
    void setKeyParameter(const PresetParameter& parameter);

    // The key filter for the target, over the project's preset database; null when the target
    // names no key record of the filter's type, or the record's field is no ID list.
    std::unique_ptr<PresetKeyFilter> makeKeyFilter(const ParameterList& target) const;
    std::unique_ptr<PresetKeyFilter> makeKeyFilter(const ParameterList& target,
                                                   const PresetDatabase& database) const;

    // XML "filter": "type" (attribute), "keyFilterField", "keyParameter".
    void reset() override;
    bool afterRead() override { return !m_type.isEmpty(); }
    size_t getFieldCount() const override { return 3; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;

private:
    String m_type;
    String m_keyFilterField;
    PresetParameter m_keyParameter;
};

} // namespace tarnwick
