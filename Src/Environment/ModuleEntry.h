// The module's two exported functions and its four entry functions.
#pragma once

#include "platform/api/HostFunctionTable.h"

#define TARNWICK_EXPORT extern "C" __attribute__((visibility("default")))

TARNWICK_EXPORT GSErrCode GetExportedFuncAddrs(ModuleExports* exports);
TARNWICK_EXPORT GSErrCode SetImportedFuncAddrs(const HostFunctionTable* table);
