#include "Memory.h"

#include <cstdlib>
#include <cstring>
#include <unordered_set>

#include "platform/api/HostErrors.h"

namespace {

// A handle points at the `data` field of its block, as a master pointer would.
struct HandleBlock {
    char* data;
    GSSize size;
};

struct PtrHeader {
    GSSize size;
    uint64_t pad;
};

std::unordered_set<const void*>& liveHandles() {
    static std::unordered_set<const void*> set;
    return set;
}
std::unordered_set<const void*>& livePtrs() {
    static std::unordered_set<const void*> set;
    return set;
}
int64_t failAfter = -1;

bool allocationAllowed() {
    if (failAfter < 0) return true;
    if (failAfter == 0) return false;
    --failAfter;
    return true;
}

constexpr GSSize maxSize = GSSize(1) << 40;

} // namespace

GSHandle BMNewHandle(GSSize size) {
    if (size < 0 || size > maxSize || !allocationAllowed()) return nullptr;
    auto* block = static_cast<HandleBlock*>(std::malloc(sizeof(HandleBlock)));
    if (block == nullptr) return nullptr;
    block->data = static_cast<char*>(std::calloc(size > 0 ? size : 1, 1));
    if (block->data == nullptr) {
        std::free(block);
        return nullptr;
    }
    block->size = size;
    GSHandle handle = &block->data;
    liveHandles().insert(handle);
    return handle;
}

bool BMIsLiveHandle(GSHandle handle) {
    return handle != nullptr && liveHandles().count(handle) != 0;
}

void BMKillHandle(GSHandle* handle) {
    if (handle == nullptr || *handle == nullptr) return;
    if (liveHandles().erase(*handle) == 0) std::abort(); // double free or a foreign pointer
    auto* block = reinterpret_cast<HandleBlock*>(*handle);
    std::free(block->data);
    std::free(block);
    *handle = nullptr;
}

GSSize BMHandleSize(GSHandle handle) {
    if (handle == nullptr) return 0;
    return reinterpret_cast<HandleBlock*>(handle)->size;
}

GSErrCode BMResizeHandle(GSHandle handle, GSSize newSize) {
    if (handle == nullptr || newSize < 0 || newSize > maxSize) return hosterr::BadParameter;
    if (!allocationAllowed()) return hosterr::MemoryFull;
    auto* block = reinterpret_cast<HandleBlock*>(handle);
    char* data = static_cast<char*>(std::realloc(block->data, newSize > 0 ? newSize : 1));
    if (data == nullptr) return hosterr::MemoryFull;
    if (newSize > block->size) std::memset(data + block->size, 0, newSize - block->size);
    block->data = data;
    block->size = newSize;
    return hosterr::Ok;
}

GSErrCode BMHandleToHandle(GSHandle source, GSHandle* copy) {
    if (copy == nullptr) return hosterr::BadParameter;
    *copy = nullptr;
    if (source == nullptr) return hosterr::BadParameter;
    GSHandle result = BMNewHandle(BMHandleSize(source));
    if (result == nullptr) return hosterr::MemoryFull;
    if (BMHandleSize(source) > 0) std::memcpy(*result, *source, BMHandleSize(source));
    *copy = result;
    return hosterr::Ok;
}

GSPtr BMNewPtr(GSSize size) {
    if (size < 0 || size > maxSize || !allocationAllowed()) return nullptr;
    auto* header = static_cast<PtrHeader*>(std::calloc(sizeof(PtrHeader) + (size > 0 ? size : 1), 1));
    if (header == nullptr) return nullptr;
    header->size = size;
    GSPtr ptr = reinterpret_cast<char*>(header + 1);
    livePtrs().insert(ptr);
    return ptr;
}

bool BMIsLivePtr(GSPtr ptr) {
    return ptr != nullptr && livePtrs().count(ptr) != 0;
}

void BMKillPtr(GSPtr* ptr) {
    if (ptr == nullptr || *ptr == nullptr) return;
    if (livePtrs().erase(*ptr) == 0) std::abort();
    std::free(reinterpret_cast<PtrHeader*>(*ptr) - 1);
    *ptr = nullptr;
}

GSSize BMPtrSize(GSPtr ptr) {
    if (ptr == nullptr) return 0;
    return (reinterpret_cast<PtrHeader*>(ptr) - 1)->size;
}

GSErrCode BMPtrToPtr(GSPtr source, GSPtr* copy) {
    if (copy == nullptr) return hosterr::BadParameter;
    *copy = nullptr;
    if (source == nullptr) return hosterr::BadParameter;
    GSPtr result = BMNewPtr(BMPtrSize(source));
    if (result == nullptr) return hosterr::MemoryFull;
    std::memcpy(result, source, BMPtrSize(source));
    *copy = result;
    return hosterr::Ok;
}

int64_t BMLiveHandleCount() {
    return static_cast<int64_t>(liveHandles().size());
}
int64_t BMLivePtrCount() {
    return static_cast<int64_t>(livePtrs().size());
}
void BMFailAfter(int64_t successes) {
    failAfter = successes;
}
