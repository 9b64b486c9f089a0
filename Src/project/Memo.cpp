#include "project/Memo.h"

#include "project/MemoStore.h"

namespace tarnwick {

void Memo::mergeChanges(const Memo&, const Memo&) {}

bool Memo::ensureLoaded(Element& owner) {
    if (m_loaded && isValid()) return true;
    MemoStoreHolder store;
    load(owner, store.slot());
    return m_loaded && isValid();
}

bool Memo::ensureOwnLoaded() {
    if (m_loaded && isValid()) return true;
    MemoStoreHolder store;
    loadOwn(store.slot());
    return m_loaded && isValid();
}

void Memo::loadOwn(MemoStore*&) {}

} // namespace tarnwick
