// A layer map kept in an attribute's extension block, as one 8-byte status record per layer of the
// project. The attribute that embeds it loads it (loadOwn).
#pragma once

#include <cstdint>
#include <memory>

#include "project/LayerMap.h"
#include "project/Memo.h"

namespace tarnwick {

class LayerMapMemo : public Memo {
public:
    static constexpr uint64_t Mask = 0x7FFFFFFBFFFFFFFull;

    LayerMapMemo() = default;
    LayerMapMemo(const LayerMapMemo& other); // deep
    LayerMapMemo& operator=(const LayerMapMemo& other);
    ~LayerMapMemo() override = default;

    bool isValid() const override { return m_map != nullptr; }
    // Loads through loadOwn.
    void load(Element&, MemoStore*& store) override { loadOwn(store); }
    // Every layer of the open project in database order, a layer the map lacks as hidden. False,
    // writing nothing, without a map or a project.
    bool writeMemo(MemoStore& store) override { return writeMap(store); }
    // Replaces the map by the store's; false (and no map) when the store holds no record.
    bool readMemo(MemoStore& store) override;
    virtual uint64_t getMask() const { return Mask; }

    // Loaded first; null when there is none.
    LayerMap* getLayerMap();
    // Loaded first, then the map replaced by this one (null: none).
    void setLayerMap(std::unique_ptr<LayerMap> map);

protected:
    bool writeMap(MemoStore& store) const;

private:
    std::unique_ptr<LayerMap> m_map;
};

} // namespace tarnwick
