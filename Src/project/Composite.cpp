#include "project/Composite.h"

#include "project/MemoStore.h"
#include "project/Specification.h"

namespace tarnwick {

uint32_t Composite::getIndex() const {
    return static_cast<uint16_t>(-static_cast<int32_t>(m_link.getIndex16()));
}

AttributeMemoPtr Composite::makeMemo() const {
    auto* self = const_cast<Composite*>(this);
    // A composite stored elsewhere takes its cores along, not only its record.
    self->ensureOwnLoaded();
    AttributeMemoStore store;
    if (!self->writeMemo(store)) return nullptr;
    // The store's block is the host memory manager's; the memo pointer's is the module's.
    AttributeMemoPtr memo(new HostAttributeMemo(*store.getBlock()));
    *store.getBlock() = HostAttributeMemo();
    return memo;
}

void Composite::loadOwn(MemoStore*& store) {
    (void)record();
    Specification* database = m_link.getDatabase();
    if (database == nullptr || m_link.getIndex16() == 0) return;
    AttributeMemoPtr definition = database->getDefinition(m_link);
    if (!definition) return;
    auto* own = new AttributeMemoStore();
    store = own; // the caller's from here on
    *own->getBlock() = *definition;
    *definition = HostAttributeMemo(); // its handles now belong to the store
    readMemo(*own);
}

} // namespace tarnwick
