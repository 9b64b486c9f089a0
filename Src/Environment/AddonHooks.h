// What the product supplies to the runtime's entry functions.
#pragma once

#include "platform/api/HostFunctionTable.h"

namespace zavlink {
// Runs the framework's module initialisers, makes the add-on object the global one and starts it;
// a non-zero answer stops the module from loading.
GSErrCode createAddon(HostEnvironment* environment);
// Deletes the add-on object and runs the module finalisers; answers their code.
GSErrCode destroyAddon();
// Tells the user that something went wrong inside the add-on.
void reportInternalError();
} // namespace zavlink
