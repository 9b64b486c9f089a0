// A layer combination attribute: a named state (shown, locked, connection class) of every layer.
// Its layer states live in the attribute's memo.
#pragma once

#include "project/RecordAttribute.h"

namespace tarnwick {

class LayerCombination
    : public RecordAttribute<LayerCombination, HostLayerCombination, AttrLayerCombination> {
public:
    LayerCombination() = default; // an empty record, unbound, no entries
    explicit LayerCombination(const AttributeLink& link) : RecordAttribute(link) {}
    LayerCombination(const API_Attribute& record, const AttributeLink& link)
        : RecordAttribute(record, link) {}

    // Layer combinations report their index negated (high half 0); callers negate it back.
    uint32_t getIndex() const override {
        return static_cast<uint16_t>(-static_cast<int32_t>(m_link.getIndex16()));
    }
    uint16_t getEntryCount() const { return record().entryCount; }

private:
    friend class RecordAttribute<LayerCombination, HostLayerCombination, AttrLayerCombination>;
    static void fillFallback(HostLayerCombination& record) { record.header.typeCode = AttrLayerCombination; }
    static constexpr bool fallbackUnlinks = true;
};

} // namespace tarnwick
