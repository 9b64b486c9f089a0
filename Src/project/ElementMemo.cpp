#include "project/ElementMemo.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "Environment/HostCalls.h"
#include "Environment/HostTable.h"
#include "Environment/Memory.h"
#include "platform/api/CurtainWallRecords.h"
#include "platform/api/ParameterRecords.h"
#include "platform/api/TextRecords.h"

namespace tarnwick {

namespace {

// The memo's word at a byte offset, as the record declares it.
void*& wordAt(API_ElementMemo& memo, size_t offset) {
    return *reinterpret_cast<void**>(reinterpret_cast<char*>(&memo) + offset);
}

// The fields that hold pointer blocks rather than handles (the drawing data is one, though its
// field is typed as a handle).
bool isPointerField(size_t offset) {
    static const size_t pointers[] = {
        offsetof(API_ElementMemo, subBlock),
        offsetof(API_ElementMemo, drawingData),
        offsetof(API_ElementMemo, edgeValues),
        offsetof(API_ElementMemo, sideOverrides),
        offsetof(API_ElementMemo, pivotRecords),
        offsetof(API_ElementMemo, curtainWallSegments),
        offsetof(API_ElementMemo, curtainWallFrames),
        offsetof(API_ElementMemo, curtainWallPanels),
        offsetof(API_ElementMemo, curtainWallJunctions),
        offsetof(API_ElementMemo, curtainWallAccessories),
    };
    for (size_t pointer : pointers)
        if (pointer == offset) return true;
    return false;
}

// The blocks the records of a handle or pointer block point to, one field of each record.
template <class Record, class Block> void freeNested(Block block, size_t bytes, void (*free)(Record&)) {
    for (size_t at = 0; at + sizeof(Record) <= bytes; at += sizeof(Record)) {
        Record record;
        std::memcpy(static_cast<void*>(&record), block + at, sizeof record);
        free(record);
    }
}

// Without the host's dispose call: a memo the module built holds only blocks it made itself
// through the memory manager, of the kinds its record declares, so the module frees them.
void freeOwnBlocks(API_ElementMemo& memo) {
    const size_t inlineStart = offsetof(API_ElementMemo, record256);
    const size_t inlineEnd = offsetof(API_ElementMemo, record304) + sizeof memo.record304;
    for (size_t offset = 0; offset + sizeof(void*) <= sizeof memo; offset += sizeof(void*)) {
        if (offset >= inlineStart && offset < inlineEnd) continue;
        void*& word = wordAt(memo, offset);
        if (word == nullptr) continue;
        if (isPointerField(offset)) {
            auto block = static_cast<GSPtr>(word);
            if (offset == offsetof(API_ElementMemo, subBlock))
                freeNested<HostContourSubBlock>(block, static_cast<size_t>(getPtrSize(block)),
                                                [](HostContourSubBlock& sub) {
                                                    freeHandle(sub.coordinates);
                                                    freeHandle(sub.subPolygonEnds);
                                                    freeHandle(sub.arcs);
                                                    freeHandle(sub.vertexIds);
                                                });
            freePtr(block);
        } else {
            auto handle = static_cast<GSHandle>(word);
            const size_t bytes = static_cast<size_t>(getHandleSize(handle));
            if (offset == offsetof(API_ElementMemo, paragraphs))
                freeNested<HostTextParagraph>(*handle, bytes, [](HostTextParagraph& paragraph) {
                    freePtr(paragraph.tabs);
                    freePtr(paragraph.runs);
                    freePtr(paragraph.lineEnds);
                });
            if (offset == offsetof(API_ElementMemo, parameters))
                freeNested<HostAdditionalParameter>(*handle, bytes, [](HostAdditionalParameter& parameter) {
                    if (parameter.valueForm == ParameterArrayValue) freeHandle(parameter.value.array);
                });
            freeHandle(handle);
        }
        word = nullptr;
    }
}

} // namespace

bool hostTakesMemosBack() {
    return hostTable().DisposeElementMemo != nullptr;
}

API_ElementMemo* defaultMemoTarget(API_ElementMemo* wanted, API_ElementMemo& local) {
    if (wanted != nullptr) *wanted = API_ElementMemo();
    local = API_ElementMemo();
    if (!hostTakesMemosBack()) return nullptr;
    return wanted != nullptr ? wanted : &local;
}

GSErrCode readDefaultElement(API_Element& record, API_ElementMemo* wanted) {
    API_ElementMemo local;
    API_ElementMemo* target = defaultMemoTarget(wanted, local);
    const GSErrCode err = ACAPGetDefaultElement(&record, target);
    if (target == &local) ACAPDisposeElementMemo(&local);
    return err;
}

API_ElementMemo* allocateElementMemo() {
    GSPtr block = allocatePtr(static_cast<GSSize>(sizeof(API_ElementMemo)));
    return new (block) API_ElementMemo();
}

void freeElementMemo(API_ElementMemo* memo) noexcept {
    if (memo == nullptr) return;
    try {
        if (hostTakesMemosBack())
            ACAPDisposeElementMemo(memo);
        else
            freeOwnBlocks(*memo);
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
