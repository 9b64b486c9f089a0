#include "project/LayerMap.h"

#include <cstring>

#include "Environment/Host.h"
#include "Environment/Memory.h"
#include "project/Specification.h"

namespace tarnwick {

LayerMap::LayerMap(bool fromProject) {
    Specification* database = fromProject ? Host::getSpecification() : nullptr;
    if (database == nullptr) return;
    Specification::Filter layers(AttrLayer, true);
    AttributeLink position(0u, AttrLayer, database);
    while (std::unique_ptr<Attribute> found = database->find(position, true, layers))
        if (const auto* layer = dynamic_cast<const Layer*>(found.get()))
            setStatus(*layer, layer->getStatus());
}

LayerMap::LayerMap(GSHandle records) {
    if (records == nullptr) return;
    const size_t count = static_cast<size_t>(getHandleSize(records)) / sizeof(HostLayerStatus);
    if (count == 0) return;
    m_table = std::make_unique<Table>();
    m_table->reserve(count);
    for (size_t i = 0; i < count; ++i) {
        HostLayerStatus record;
        std::memcpy(&record, *records + i * sizeof record, sizeof record);
        m_table->insert_or_assign(static_cast<uint16_t>(record.index), Layer::Status(record));
    }
}

LayerMap::LayerMap(const LayerMap& other)
    : m_table(other.m_table ? std::make_unique<Table>(*other.m_table) : nullptr) {}

LayerMap& LayerMap::operator=(const LayerMap& other) {
    if (this != &other) m_table = other.m_table ? std::make_unique<Table>(*other.m_table) : nullptr;
    return *this;
}

Layer::Status LayerMap::getStatus(const Layer& layer) const {
    if (m_table) {
        auto it = m_table->find(keyOf(layer));
        if (it != m_table->end()) return it->second;
    }
    return Layer::Status(LayerHidden, 0);
}

Layer::Status& LayerMap::entry(const Layer& layer) {
    if (!m_table) m_table = std::make_unique<Table>();
    return m_table->try_emplace(keyOf(layer), Layer::Status(0, 0)).first->second;
}

} // namespace tarnwick
