// The host's element memo block as the framework holds it: host pointer memory of one memo record
// whose handles belong to the holder and go with the block.
#pragma once

#include <memory>

#include "platform/api/ElementRecords.h"

namespace tarnwick {

// A new zeroed memo block; throws std::bad_alloc.
API_ElementMemo* allocateElementMemo();
// Frees every handle the memo names (the host's dispose call), then the block; null does nothing.
// It runs in destructors, so what the host throws meanwhile goes no further.
void freeElementMemo(API_ElementMemo* memo) noexcept;

struct ElementMemoDeleter {
    void operator()(API_ElementMemo* memo) const { freeElementMemo(memo); }
};
using ElementMemoPtr = std::unique_ptr<API_ElementMemo, ElementMemoDeleter>;

inline ElementMemoPtr makeElementMemo() {
    return ElementMemoPtr(allocateElementMemo());
}

} // namespace tarnwick
