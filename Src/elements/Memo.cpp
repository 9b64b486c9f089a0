#include "elements/Memo.h"

#include "elements/MemoStore.h"

namespace tarnwick {

void Memo::mergeChanges(const Memo&, const Memo&) {}

bool Memo::ensureLoaded(Element& owner) {
    if (m_loaded && isValid()) return true;
    MemoStoreHolder store;
    load(owner, store.slot());
    return m_loaded && isValid();
}

} // namespace tarnwick
