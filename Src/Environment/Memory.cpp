#include "Environment/Memory.h"

#include <cstring>
#include <new>

#include "platform/gsroot/Memory.h"

namespace tarnwick {

GSHandle allocateHandle(GSSize size) {
    GSHandle h = BMNewHandle(size);
    if (h == nullptr) throw std::bad_alloc();
    return h;
}

GSHandle replaceHandle(GSHandle* field, size_t bytes) {
    freeHandle(*field);
    *field = allocateHandle(static_cast<GSSize>(bytes));
    return *field;
}

void freeHandle(GSHandle& handle) {
    BMKillHandle(&handle);
}

GSSize getHandleSize(GSHandle handle) {
    return BMHandleSize(handle);
}

void resizeHandle(GSHandle handle, GSSize size) {
    if (BMResizeHandle(handle, size) != 0) throw std::bad_alloc();
}

String handleToString(GSHandle handle) {
    if (handle == nullptr) return String();
    return String(*handle, static_cast<size_t>(BMHandleSize(handle)));
}

GSHandle stringToHandle(const String& text) {
    GSHandle h = allocateHandle(static_cast<GSSize>(text.getByteLength()));
    if (text.getByteLength() > 0) std::memcpy(*h, text.c_str(), text.getByteLength());
    return h;
}

GSPtr allocatePtr(GSSize size) {
    GSPtr p = BMNewPtr(size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

GSSize getPtrSize(GSPtr ptr) {
    return BMPtrSize(ptr);
}

void freePtr(GSPtr& ptr) {
    BMKillPtr(&ptr);
}

GSPtr duplicatePtr(GSPtr ptr) {
    if (ptr == nullptr) return nullptr;
    GSPtr copy = nullptr;
    if (BMPtrToPtr(ptr, &copy) != 0) throw std::bad_alloc();
    return copy;
}

} // namespace tarnwick
