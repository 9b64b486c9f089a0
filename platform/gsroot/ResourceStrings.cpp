#include "ResourceStrings.h"

#include <cstring>

namespace {
constexpr uint32_t stringListType = fourCC("STRS");

// A STRS blob: a 32-bit byte count (little-endian), then that many bytes of NUL-separated strings.
bool stringArea(GSResModule module, int32_t listId, const unsigned char** begin, uint32_t* count) {
    uint32_t size = 0;
    const unsigned char* data = RSGetResource(module, stringListType, listId, &size);
    if (data == nullptr || size < 4) return false;
    uint32_t declared =
        uint32_t(data[0]) | (uint32_t(data[1]) << 8) | (uint32_t(data[2]) << 16) | (uint32_t(data[3]) << 24);
    if (declared > size - 4) return false;
    *begin = data + 4;
    *count = declared;
    return true;
}
} // namespace

const unsigned char* RSGetResource(GSResModule module, uint32_t type, int32_t id, uint32_t* size) {
    if (size != nullptr) *size = 0;
    if (module == nullptr || module->entries == nullptr) return nullptr;
    for (uint32_t i = 0; i < module->count; ++i) {
        const ResourceEntry& entry = module->entries[i];
        if (entry.type == type && entry.id == id) {
            if (size != nullptr) *size = entry.size;
            return entry.data;
        }
    }
    return nullptr;
}

bool RSGetIndString(GSResModule module, int32_t listId, int32_t index, std::string* text) {
    if (text != nullptr) text->clear();
    const unsigned char* p = nullptr;
    uint32_t count = 0;
    if (index < 1 || !stringArea(module, listId, &p, &count)) return false;
    const unsigned char* end = p + count;
    for (int32_t i = 1; p < end; ++i) {
        const void* nul = std::memchr(p, 0, static_cast<size_t>(end - p));
        const unsigned char* stop = nul ? static_cast<const unsigned char*>(nul) : end;
        if (i == index) {
            if (text != nullptr)
                text->assign(reinterpret_cast<const char*>(p), static_cast<size_t>(stop - p));
            return true;
        }
        p = stop + 1;
    }
    return false;
}

int32_t RSGetStringCount(GSResModule module, int32_t listId) {
    const unsigned char* p = nullptr;
    uint32_t count = 0;
    if (!stringArea(module, listId, &p, &count)) return 0;
    int32_t n = 0;
    const unsigned char* end = p + count;
    while (p < end) {
        const void* nul = std::memchr(p, 0, static_cast<size_t>(end - p));
        ++n;
        if (nul == nullptr) break;
        p = static_cast<const unsigned char*>(nul) + 1;
    }
    return n;
}
