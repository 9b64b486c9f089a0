// The host's element memo block as the framework holds it: host pointer memory of one memo record
// whose handles belong to the holder and go with the block.
#pragma once

#include <memory>

#include "platform/api/ElementRecords.h"

namespace tarnwick {

// Whether the host can take back the element memos it hands out (it supplies DisposeElementMemo).
// Without it no memo is fetched from the host: the module could not give it back.
bool hostTakesMemosBack();
// Where a read of a default element puts the memo: the caller's memo (else `local`, for a caller
// that wants none) when the host can take it back; null otherwise, so that the host hands out
// none. The caller disposes of `local` when it is the answer.
API_ElementMemo* defaultMemoTarget(API_ElementMemo* wanted, API_ElementMemo& local);
// The host's default element of the type the record's header names, with its memo in wanted (null
// for none) when the host can take memos back; a memo read for no one is given back at once.
// Answers the host's code.
GSErrCode readDefaultElement(API_Element& record, API_ElementMemo* wanted);

// A new zeroed memo block; throws std::bad_alloc.
API_ElementMemo* allocateElementMemo();
// Frees every handle the memo names (the host's dispose call; without it, the blocks the module
// made itself), then the block; null does nothing. It runs in destructors, so what the host throws
// meanwhile goes no further.
void freeElementMemo(API_ElementMemo* memo) noexcept;

struct ElementMemoDeleter {
    void operator()(API_ElementMemo* memo) const { freeElementMemo(memo); }
};
using ElementMemoPtr = std::unique_ptr<API_ElementMemo, ElementMemoDeleter>;

inline ElementMemoPtr makeElementMemo() {
    return ElementMemoPtr(allocateElementMemo());
}

} // namespace tarnwick
