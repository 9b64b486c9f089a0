// The two functions the loadable build of the raw test module exports.
#include "RawTestModule.h"

extern "C" __attribute__((visibility("default"))) GSErrCode GetExportedFuncAddrs(ModuleExports* exports) {
    return rawmodule::getExportedFuncAddrs(exports);
}

extern "C" __attribute__((visibility("default"))) GSErrCode
SetImportedFuncAddrs(const HostFunctionTable* table) {
    return rawmodule::setImportedFuncAddrs(table);
}
