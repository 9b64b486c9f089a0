// The host's memory manager: relocatable handles and pointer blocks, counted so that tests
// can prove they leave nothing behind.
#pragma once

#include "platform/api/HostTypes.h"

// A new handle of size bytes, cleared; null when size is negative or memory runs out.
HOSTLIB_API GSHandle BMNewHandle(GSSize size);
HOSTLIB_API void BMKillHandle(GSHandle* handle);  // frees and nulls; null does nothing
HOSTLIB_API GSSize BMHandleSize(GSHandle handle); // 0 for null
// Resizes keeping the contents; new bytes are cleared. Answers 0 or a host error.
HOSTLIB_API GSErrCode BMResizeHandle(GSHandle handle, GSSize newSize);
// A new handle with a copy of the source's bytes. Answers 0 or a host error.
HOSTLIB_API GSErrCode BMHandleToHandle(GSHandle source, GSHandle* copy);

HOSTLIB_API GSPtr BMNewPtr(GSSize size); // cleared; null on failure
HOSTLIB_API void BMKillPtr(GSPtr* ptr);
HOSTLIB_API GSSize BMPtrSize(GSPtr ptr); // 0 for null
HOSTLIB_API GSErrCode BMPtrToPtr(GSPtr source, GSPtr* copy);

// True when the handle or pointer was made by this memory manager and is still alive.
HOSTLIB_API bool BMIsLiveHandle(GSHandle handle);
HOSTLIB_API bool BMIsLivePtr(GSPtr ptr);

// Live allocations, for leak checks.
HOSTLIB_API int64_t BMLiveHandleCount();
HOSTLIB_API int64_t BMLivePtrCount();
// Makes the next allocations fail after `successes` more have succeeded; -1 switches it off.
HOSTLIB_API void BMFailAfter(int64_t successes);
