#include "Environment/AddonHooks.h"

#include "platform/api/HostErrors.h"

namespace tarnwick {

namespace {
ProductHooks& installed() {
    static ProductHooks hooks;
    return hooks;
}
} // namespace

void installProduct(const ProductHooks& hooks) {
    installed() = hooks;
}

const ProductHooks& getProduct() {
    return installed();
}

GSErrCode createProductAddon(HostEnvironment* environment) {
    const ProductHooks& hooks = installed();
    return hooks.createAddon != nullptr ? hooks.createAddon(environment) : hosterr::Failed;
}

GSErrCode destroyProductAddon() {
    const ProductHooks& hooks = installed();
    return hooks.destroyAddon != nullptr ? hooks.destroyAddon() : hosterr::Ok;
}

void reportProductError() {
    const ProductHooks& hooks = installed();
    if (hooks.reportInternalError != nullptr) hooks.reportInternalError();
}

void reportCaughtException() noexcept {
    try {
        reportProductError();
    } catch (...) {
    }
}

} // namespace tarnwick
