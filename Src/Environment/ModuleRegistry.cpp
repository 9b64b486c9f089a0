#include "Environment/ModuleRegistry.h"

#include <vector>

namespace tarnwick {

namespace {
std::vector<ModuleHooks>& modules() {
    static std::vector<ModuleHooks> list;
    return list;
}
size_t initialisedCount = 0;
bool initialised = false;
} // namespace

void registerModule(const ModuleHooks& hooks) {
    for (const ModuleHooks& held : modules())
        if (held.initialise == hooks.initialise && held.terminate == hooks.terminate) return;
    modules().push_back(hooks);
}

GSErrCode initialiseModules() {
    auto& list = modules();
    for (; initialisedCount < list.size(); ++initialisedCount) {
        const ModuleHooks& m = list[initialisedCount];
        GSErrCode err = m.initialise ? m.initialise() : 0;
        if (err != 0) {
            terminateModules();
            return err;
        }
    }
    initialised = true;
    return 0;
}

GSErrCode terminateModules() {
    auto& list = modules();
    GSErrCode first = 0;
    while (initialisedCount > 0) {
        const ModuleHooks& m = list[--initialisedCount];
        GSErrCode err = m.terminate ? m.terminate() : 0;
        if (err != 0 && first == 0) first = err;
    }
    initialised = false;
    return first;
}

bool modulesInitialised() {
    return initialised;
}

} // namespace tarnwick
