#include "construction/GableOnlyMemo.h"

#include "construction/ConstructionHelpers.h"
#include "project/MemoStore.h"

namespace tarnwick {

void loadGablesOnly(Element& element, GableMemo& gables, uint64_t mask, MemoStore*& store,
                    const MemoFetch& fetch) {
    element.Element::loadMemo(mask, store);
    // A store without gables reads as none.
    if (memoPartsAtHand({{gables, MemoGables}}, mask, store, fetch)) (void)gables.readMemo(*store);
}

ElementMemoPtr buildGablesOnly(GableMemo& gables, uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!gables.writeMemo(store)) return nullptr;
    if (store.getMemo()->gables != nullptr) mask |= MemoGables;
    return ElementMemoPtr(store.release());
}

} // namespace tarnwick
