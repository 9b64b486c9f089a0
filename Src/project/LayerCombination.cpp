#include "project/LayerCombination.h"

#include "Environment/Memory.h"
#include "project/MemoStore.h"

namespace tarnwick {

AttributeMemoPtr LayerCombination::makeMemo() const {
    AttributeMemoPtr memo(new HostAttributeMemo());
    {
        AttributeMemoStore store(memo.get());
        store.setReleased(true); // the block stays memo's
        if (!writeMap(store)) return nullptr;
    }
    const GSSize size = getHandleSize(memo->layerStatus);
    auto& cached = const_cast<HostLayerCombination&>(record());
    cached.entryCount = static_cast<uint16_t>(size / static_cast<GSSize>(sizeof(HostLayerStatus)));
    return memo;
}

void LayerCombination::loadOwn(MemoStore*& store) {
    (void)record(); // a combination the database does not have drops its link here
    if (store == nullptr) {
        Specification* database = m_link.getDatabase();
        if (database == nullptr || m_link.getIndex16() <= 0) return;
        AttributeMemoPtr definition = database->getDefinition(m_link);
        if (!definition) return;
        auto fetched = std::make_unique<AttributeMemoStore>();
        // The host's handles move into the store, which frees them with its block.
        *fetched->getBlock() = *definition;
        *definition = HostAttributeMemo();
        store = fetched.release();
    }
    (void)readMemo(*store);
}

} // namespace tarnwick
