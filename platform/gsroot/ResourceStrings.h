// The host's reader of a module's resources.
#pragma once

#include <string>

#include "platform/api/Resources.h"

// The resource of a type and id, or null with size 0.
HOSTLIB_API const unsigned char* RSGetResource(GSResModule module, uint32_t type, int32_t id, uint32_t* size);
// String `index` (1-based) of the STRS list `listId`; false and an empty text when either is missing
// or the list is malformed.
HOSTLIB_API bool RSGetIndString(GSResModule module, int32_t listId, int32_t index, std::string* text);
// The number of strings in a STRS list; 0 when missing.
HOSTLIB_API int32_t RSGetStringCount(GSResModule module, int32_t listId);
