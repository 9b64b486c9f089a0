// The host functions the runtime cannot start without, and the check the environment entry makes
// before anything else: a module handed a table without one of them tells the user what is missing
// and declines to load, instead of starting half-working.
#pragma once

#include <string>
#include <vector>

#include "platform/api/HostFunctionTable.h"

namespace tarnwick {

// Their names as in the function table, in table order.
std::vector<std::string> requiredHostFunctions();
// The required functions the table lacks (slots past the size it declares count as lacking).
std::vector<std::string> missingHostFunctions(const HostFunctionTable& table);
// True when the installed table has every required function; else shows an error alert naming the
// missing ones and answers false. Needs none of them to say so.
bool requiredFunctionsPresent();

} // namespace tarnwick
