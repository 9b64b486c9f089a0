#include "construction/GableOnlyMemo.h"

#include "project/Drawing.h"
#include "project/MemoStore.h"

namespace tarnwick {

void loadGablesOnly(Element& element, GableMemo& gables, uint64_t mask, MemoStore*& store,
                    const MemoFetch& fetch) {
    element.Element::loadMemo(mask, store);
    if (!Element::isMemoLoadSuspended() && (!gables.isLoaded() || !gables.isValid())) mask |= MemoGables;
    if ((mask & MemoGables) == 0) return;
    if (store == nullptr && (element.getDrawing() == nullptr || !fetch(mask, store))) {
        // Nothing the host holds can be read: the gables stand as loaded and empty.
        gables.setLoaded(true);
        return;
    }
    (void)gables.readMemo(*store);
}

ElementMemoPtr buildGablesOnly(GableMemo& gables, uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!gables.writeMemo(store)) return nullptr;
    if (store.getMemo()->gables != nullptr) mask |= MemoGables;
    return ElementMemoPtr(store.release());
}

} // namespace tarnwick
