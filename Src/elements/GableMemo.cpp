#include "elements/GableMemo.h"

#include "elements/Element.h"

namespace tarnwick {

void GableMemo::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(MemoMask, store);
}

} // namespace tarnwick
