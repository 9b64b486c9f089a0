// The host functions the module cannot start without, and the check the environment entry makes
// before anything else: a module handed a table without one of them tells the user what is missing
// and declines to load, instead of starting half-working. The runtime names its own; a product adds
// those its tools cannot work without (ProductHooks::requiredFunctions).
#pragma once

#include <string>
#include <vector>

#include "platform/api/HostFunctionTable.h"

namespace tarnwick {

// A function of the table by its name there, and whether a table has it.
struct HostFunction {
    const char* name;
    bool (*present)(const HostFunctionTable& table);
};

#define TARNWICK_HOST_FUNCTION(slot)                                                                         \
    ::tarnwick::HostFunction {                                                                               \
#slot, [](const HostFunctionTable& t) { return t.slot != nullptr; }                                  \
    }

// Their names as in the function table: the runtime's in table order, then the product's.
std::vector<std::string> requiredHostFunctions();
// The required functions the table lacks (slots past the size it declares count as lacking).
std::vector<std::string> missingHostFunctions(const HostFunctionTable& table);
// True when the installed table has every required function; else shows an error alert naming the
// missing ones and answers false. Needs none of them to say so.
bool requiredFunctionsPresent();
// True when the host hands the module its own resources and their texts can be read; else shows an
// error alert, in words of its own (not those resources'), and answers false.
bool ownResourcesReadable();
// Tells the user once, by an alert, of each function the module does without at a cost (the
// table lacks DisposeElementMemo: no element memo is fetched).
void tellFunctionsDoneWithout();

} // namespace tarnwick
