// Replaces the C library's allocation functions for the whole process and forwards to glibc's
// own. A block freed during a measure that was allocated before it lowers the live count, so a
// peak is never overstated; the benchmarks open a measure over fresh work only.
#include "HeapPeak.h"

#include <malloc.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>

extern "C" {
void* __libc_malloc(size_t size);
void __libc_free(void* block);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

// No threads run while a measure is open: the benchmarks are single-threaded.
bool counting = false;
int64_t live = 0;
int64_t peak = 0;

void added(void* block) {
    if (!counting || block == nullptr) return;
    live += static_cast<int64_t>(malloc_usable_size(block));
    peak = std::max(peak, live);
}

void removed(void* block) {
    if (counting && block != nullptr) live -= static_cast<int64_t>(malloc_usable_size(block));
}

} // namespace

namespace heappeak {

void start() {
    live = 0;
    peak = 0;
    counting = true;
}

int64_t stop() {
    counting = false;
    return peak;
}

int64_t kept() {
    return live;
}

} // namespace heappeak

extern "C" {

void* malloc(size_t size) {
    void* block = __libc_malloc(size);
    added(block);
    return block;
}

void free(void* block) {
    removed(block);
    __libc_free(block);
}

void* calloc(size_t count, size_t size) {
    void* block = __libc_calloc(count, size);
    added(block);
    return block;
}

void* realloc(void* block, size_t size) {
    removed(block);
    void* moved = __libc_realloc(block, size);
    // A failed realloc leaves the old block in place.
    added(moved != nullptr || size == 0 ? moved : block);
    return moved;
}

void* memalign(size_t alignment, size_t size) {
    void* block = __libc_memalign(alignment, size);
    added(block);
    return block;
}

void* aligned_alloc(size_t alignment, size_t size) {
    return memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    void* block = memalign(alignment, size);
    if (block == nullptr) return ENOMEM;
    *out = block;
    return 0;
}

void* valloc(size_t size) {
    return memalign(4096, size);
}

} // extern "C"
