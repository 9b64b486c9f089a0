// The states of a project's layers as a layer combination keeps them: shown or hidden, locked,
// in the workspace, and the connection class, by layer index. The table is made on the first
// entry, so an empty map holds none; a layer without an entry reads as hidden.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/api/HostRecords.h"
#include "project/Layer.h"

namespace tarnwick {

class LayerMap {
public:
    // With fromProject, an entry for every layer of the open project as it is now; else empty.
    explicit LayerMap(bool fromProject = false);
    // An entry for each whole 8-byte status record in the handle (null or short: empty); a later
    // record of the same layer replaces an earlier one.
    explicit LayerMap(GSHandle records);
    LayerMap(const LayerMap& other);
    LayerMap& operator=(const LayerMap& other);
    virtual ~LayerMap() = default;

    size_t getCount() const { return m_table ? m_table->size() : 0; }
    // Hidden (and nothing else) for a layer without an entry.
    Layer::Status getStatus(const Layer& layer) const;

    // Each setter first gives a layer without an entry a clear one (shown, class 0).
    void setLocked(const Layer& layer, bool on) { entry(layer).setLocked(on); }
    void setHidden(const Layer& layer, bool on) { entry(layer).setHidden(on); }
    void setNotInWorkspace(const Layer& layer, bool on) { entry(layer).setNotInWorkspace(on); }
    void setFlag0010(const Layer& layer, bool on) { entry(layer).setFlag0010(on); }
    void setConnectionClass(const Layer& layer, uint32_t connectionClass) {
        entry(layer).setConnectionClass(connectionClass);
    }
    void setStatus(const Layer& layer, const Layer::Status& status) { entry(layer) = status; }

    // The key of a layer: its host index as 16 bits, zero-extended, as the status records hold it.
    static uint32_t keyOf(const Layer& layer) { return static_cast<uint16_t>(layer.getIndex16()); }

private:
    using Table = std::unordered_map<uint32_t, Layer::Status>;
    Layer::Status& entry(const Layer& layer);

    std::unique_ptr<Table> m_table;
};

} // namespace tarnwick
