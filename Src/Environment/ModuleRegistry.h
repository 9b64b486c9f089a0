// The framework's modules: set up once when the add-on starts, taken down when it is released.
#pragma once

#include "platform/api/HostTypes.h"

namespace tarnwick {

struct ModuleHooks {
    const char* name = "";
    GSErrCode (*initialise)() = nullptr;
    GSErrCode (*terminate)() = nullptr;
};

// Adds a module; modules initialise in the order added and terminate in reverse. A module whose
// hooks are there already is not added again, so that layers can register what they stand on.
void registerModule(const ModuleHooks& hooks);
// Initialises every module not yet initialised; on the first error the modules done so far are
// terminated again and the error is answered.
GSErrCode initialiseModules();
// Terminates the initialised modules, last first; answers the first error met (all still run).
GSErrCode terminateModules();
bool modulesInitialised();

} // namespace tarnwick
