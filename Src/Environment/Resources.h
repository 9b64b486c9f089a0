// The module's own resources, as the host hands them out.
#pragma once

#include <cstdint>

#include "Environment/String.h"

namespace tarnwick {

// Item `index` (1-based) of the module's string list `listId`; empty when the host supplies no
// resources or the list or the item is missing.
String loadResourceString(uint32_t listId, uint32_t index);

} // namespace tarnwick
