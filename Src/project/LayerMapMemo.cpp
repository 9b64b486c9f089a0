#include "project/LayerMapMemo.h"

#include <cstring>

#include "Environment/Host.h"
#include "Environment/Memory.h"
#include "project/AttributeSelection.h"
#include "project/MemoStore.h"
#include "project/Specification.h"

namespace tarnwick {

LayerMapMemo::LayerMapMemo(const LayerMapMemo& other)
    : Memo(other), m_map(other.m_map ? std::make_unique<LayerMap>(*other.m_map) : nullptr) {}

LayerMapMemo& LayerMapMemo::operator=(const LayerMapMemo& other) {
    if (this != &other) {
        Memo::operator=(other);
        m_map = other.m_map ? std::make_unique<LayerMap>(*other.m_map) : nullptr;
    }
    return *this;
}

bool LayerMapMemo::writeMap(MemoStore& store) const {
    Specification* database = Host::getSpecification();
    if (!m_map || database == nullptr) return false;
    AttributeSelection<Layer> layers;
    layers.collect(database->begin(Specification::Filter(AttrLayer, true), false), Specification::end());
    GSHandle* field = store.layerStatusAddress();
    freeHandle(*field);
    *field = allocateHandle(static_cast<GSSize>(layers.size() * sizeof(HostLayerStatus)));
    for (size_t i = 0; i < layers.size(); ++i) {
        const Layer& layer = *layers[i];
        HostLayerStatus record;
        m_map->getStatus(layer).toRecord(record);
        record.index = layer.getIndex16();
        std::memcpy(**field + i * sizeof record, &record, sizeof record);
    }
    return true;
}

bool LayerMapMemo::readMemo(MemoStore& store) {
    m_map.reset();
    GSHandle records = store.getLayerStatus();
    if (getHandleSize(records) >= static_cast<GSSize>(sizeof(HostLayerStatus)))
        m_map = std::make_unique<LayerMap>(records);
    m_loaded = m_map != nullptr;
    return m_loaded;
}

LayerMap* LayerMapMemo::getLayerMap() {
    ensureOwnLoaded();
    return m_map.get();
}

void LayerMapMemo::setLayerMap(std::unique_ptr<LayerMap> map) {
    ensureOwnLoaded();
    if (map.get() == m_map.get()) {
        (void)map.release(); // already held
        return;
    }
    m_map = std::move(map);
    // A map set here is the memo now: loading again would put the host's back.
    m_loaded = m_map != nullptr;
}

} // namespace tarnwick
