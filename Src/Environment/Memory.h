// Host memory as the framework uses it.
#pragma once

#include <cstddef>

#include "Environment/String.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {

GSHandle allocateHandle(GSSize size);  // cleared; throws std::bad_alloc
void freeHandle(GSHandle& handle);     // frees and nulls; null does nothing
GSSize getHandleSize(GSHandle handle); // 0 for null
// Resizes keeping the contents (new bytes cleared); throws std::bad_alloc.
void resizeHandle(GSHandle handle, GSSize size);
// Frees what the field holds and puts a new cleared handle of the size there; throws std::bad_alloc.
GSHandle replaceHandle(GSHandle* field, size_t bytes);
// The number of whole entries of T the handle holds; 0 for null.
template <class T> size_t handleEntries(GSHandle handle) {
    return handle == nullptr ? 0 : static_cast<size_t>(getHandleSize(handle)) / sizeof(T);
}
// The handle's bytes as entries of T; null for null.
template <class T> T* handleData(GSHandle handle) {
    return handle == nullptr ? nullptr : reinterpret_cast<T*>(*handle);
}
inline void lockHandle(GSHandle) {}
inline void unlockHandle(GSHandle) {}
// The handle's bytes as text, up to the first NUL or its size.
String handleToString(GSHandle handle);
// A new handle holding the text's bytes and no NUL.
GSHandle stringToHandle(const String& text);

GSPtr allocatePtr(GSSize size); // cleared; throws std::bad_alloc
GSSize getPtrSize(GSPtr ptr);   // 0 for null
void freePtr(GSPtr& ptr);       // frees and nulls
GSPtr duplicatePtr(GSPtr ptr);  // null for null; throws std::bad_alloc

} // namespace tarnwick
