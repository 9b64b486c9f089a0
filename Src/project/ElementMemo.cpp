#include "project/ElementMemo.h"

#include <new>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"

namespace tarnwick {

API_ElementMemo* allocateElementMemo() {
    GSPtr block = allocatePtr(static_cast<GSSize>(sizeof(API_ElementMemo)));
    return new (block) API_ElementMemo();
}

void freeElementMemo(API_ElementMemo* memo) noexcept {
    if (memo == nullptr) return;
    try {
        ACAPDisposeElementMemo(memo);
    } catch (...) {
    }
    memo->~API_ElementMemo();
    GSPtr block = reinterpret_cast<GSPtr>(memo);
    try {
        freePtr(block);
    } catch (...) {
    }
}

} // namespace tarnwick
