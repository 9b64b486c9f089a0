#include "Environment/ModuleEntry.h"

#include "Environment/Addon.h"
#include "Environment/AddonHooks.h"
#include "Environment/Host.h"
#include "Environment/HostCallbacks.h"
#include "Environment/HostTable.h"
#include "Environment/RequiredFunctions.h"
#include "platform/api/HostErrors.h"

namespace tarnwick {

namespace {

constexpr uint32_t ProductTexts = 32528;
constexpr uint32_t AddonNameItem = 2;
constexpr uint32_t AddonDescriptionItem = 3;

// A module that declines to load is not released by the host: it takes itself down.
void releaseDeclinedAddon() {
    try {
        if (getAddon() != nullptr) (void)destroyProductAddon();
    } catch (...) {
    }
    setAddon(nullptr);
    Host::unload();
}

int32_t checkEnvironmentEntry(HostEnvironment* environment) {
    bool load = false;
    try {
        // Without these the module could only start half-working; the user is told what is missing.
        if (!requiredFunctionsPresent() || !ownResourcesReadable()) {
            releaseDeclinedAddon();
            return AddonDoNotLoad;
        }
        tellFunctionsDoneWithout();
        if (createProductAddon(environment) == 0 && getAddon() != nullptr) {
            Addon* addon = getAddon();
            HostCallScope scope(*addon, true);
            load = addon->checkEnvironment(Host::getResourceString(ProductTexts, AddonNameItem),
                                           Host::getResourceString(ProductTexts, AddonDescriptionItem),
                                           environment);
            scope.leave();
        }
    } catch (...) {
        reportCaughtException();
        load = false;
    }
    if (!load) releaseDeclinedAddon();
    return load ? AddonNormal : AddonDoNotLoad;
}

template <class Phase> GSErrCode runPhase(Phase phase) {
    try {
        Addon* addon = getAddon();
        if (addon == nullptr) return hosterr::Failed;
        HostCallScope scope(*addon, true);
        bool ok = (addon->*phase)();
        scope.leave();
        return ok ? hosterr::Ok : hosterr::Failed;
    } catch (...) {
        reportCaughtException();
        return hosterr::Internal;
    }
}

GSErrCode registerInterfaceEntry() {
    return runPhase(&Addon::registerInterface);
}
GSErrCode initializeEntry() {
    return runPhase(&Addon::initialize);
}

GSErrCode freeDataEntry() {
    GSErrCode err = hosterr::Internal;
    try {
        err = destroyProductAddon();
    } catch (...) {
        reportCaughtException();
    }
    try {
        Host::unload();
    } catch (...) {
    }
    forgetInstalledHandlers();
    installHostTable(nullptr); // a released module calls nothing more
    return err;
}

} // namespace

} // namespace tarnwick

GSErrCode GetExportedFuncAddrs(ModuleExports* exports) {
    if (exports == nullptr || exports->size < sizeof(uint32_t)) return hosterr::BadParameter;
    ModuleExports mine;
    mine.CheckEnvironment = &tarnwick::checkEnvironmentEntry;
    mine.RegisterInterface = &tarnwick::registerInterfaceEntry;
    mine.Initialize = &tarnwick::initializeEntry;
    mine.FreeData = &tarnwick::freeDataEntry;
    const tarnwick::ProductHooks& product = tarnwick::getProduct();
    mine.resources = product.resources != nullptr ? product.resources() : nullptr;
    // An older host knows fewer fields: fill only what it has room for.
    uint32_t room = exports->size < sizeof mine ? exports->size : static_cast<uint32_t>(sizeof mine);
    auto* bytes = reinterpret_cast<unsigned char*>(exports);
    const auto* source = reinterpret_cast<const unsigned char*>(&mine);
    for (uint32_t i = sizeof(uint32_t); i < room; ++i)
        bytes[i] = source[i];
    return hosterr::Ok;
}

GSErrCode SetImportedFuncAddrs(const HostFunctionTable* table) {
    tarnwick::installHostTable(table);
    return table != nullptr ? hosterr::Ok : hosterr::BadParameter;
}
