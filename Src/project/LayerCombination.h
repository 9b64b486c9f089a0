// A layer combination attribute: a named state (shown, locked, connection class) of every layer.
// Its layer states live in the attribute's memo.
#pragma once

#include "project/LayerMapMemo.h"
#include "project/RecordAttribute.h"

namespace tarnwick {

class LayerCombination : public RecordAttribute<LayerCombination, HostLayerCombination, AttrLayerCombination>,
                         public LayerMapMemo {
public:
    LayerCombination() = default; // an empty record, unbound, no entries
    explicit LayerCombination(const AttributeLink& link) : RecordAttribute(link) {}
    LayerCombination(const API_Attribute& record, const AttributeLink& link)
        : RecordAttribute(record, link) {}
    LayerCombination(const LayerCombination&) = default; // the map deep
    LayerCombination& operator=(const LayerCombination&) = default;

    // The record's, not the memo's.
    using RecordAttribute::isLoaded;

    // Layer combinations report their index negated (high half 0); Specification::make takes no
    // negative index of this type, so callers negate it back.
    uint32_t getIndex() const override {
        return static_cast<uint16_t>(-static_cast<int32_t>(m_link.getIndex16()));
    }
    uint16_t getEntryCount() const { return record().entryCount; }

    // The memo with every layer of the project, its record count written into the cached record
    // (the store takes the record next); null without a map or a project.
    AttributeMemoPtr makeMemo() const override;

    // The map from the host's definition of the combination; a store given is read instead.
    void loadOwn(MemoStore*& store) override;

private:
    friend class RecordAttribute<LayerCombination, HostLayerCombination, AttrLayerCombination>;
    static void fillFallback(HostLayerCombination& record) { record.header.typeCode = AttrLayerCombination; }
    static constexpr bool fallbackUnlinks = true;
};

} // namespace tarnwick
