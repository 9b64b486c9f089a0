#include "project/ElementMemo.h"

#include <new>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"

namespace tarnwick {

API_ElementMemo* allocateElementMemo() {
    GSPtr block = allocatePtr(static_cast<GSSize>(sizeof(API_ElementMemo)));
    return new (block) API_ElementMemo();
}

void freeElementMemo(API_ElementMemo* memo) {
    if (memo == nullptr) return;
    ACAPDisposeElementMemo(memo);
    memo->~API_ElementMemo();
    GSPtr block = reinterpret_cast<GSPtr>(memo);
    freePtr(block);
}

} // namespace tarnwick
