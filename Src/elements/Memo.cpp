#include "elements/Memo.h"

#include <memory>

#include "elements/MemoStore.h"

namespace tarnwick {

void Memo::mergeChanges(const Memo&, const Memo&) {}

bool Memo::ensureLoaded(Element& owner) {
    if (m_loaded && isValid()) return true;
    MemoStore* store = nullptr;
    try {
        load(owner, store);
    } catch (...) {
        delete store;
        throw;
    }
    delete store;
    return m_loaded && isValid();
}

} // namespace tarnwick
