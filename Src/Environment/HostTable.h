// The host function table the module was handed. Every host call goes through it.
#pragma once

#include "platform/api/HostFunctionTable.h"

namespace tarnwick {

// Copies the host's table; slots beyond the size the host declares count as not supplied.
// Null forgets the table (every call then answers "not supplied").
void installHostTable(const HostFunctionTable* table);
const HostFunctionTable& hostTable();

} // namespace tarnwick
