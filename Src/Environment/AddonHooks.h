// What a product supplies to the runtime's entry functions. The product installs its hooks before
// the host calls the first entry (a static ProductRegistration in a file the module links
// directly); without them the module declines to load and reports nothing.
#pragma once

#include <vector>

#include "Environment/RequiredFunctions.h"
#include "platform/api/HostFunctionTable.h"
#include "platform/api/Resources.h"

namespace tarnwick {

struct ProductHooks {
    // Runs the framework's module initialisers, makes the add-on object the global one and starts
    // it; a non-zero answer stops the module from loading.
    GSErrCode (*createAddon)(HostEnvironment* environment) = nullptr;
    // Deletes the add-on object and runs the module finalisers; answers their code.
    GSErrCode (*destroyAddon)() = nullptr;
    // Tells the user that something went wrong inside the add-on.
    void (*reportInternalError)() = nullptr;
    // The module's resources, handed to the host with the entries.
    const ResourceModule* (*resources)() = nullptr;
    // The host functions the product's tools cannot work without, beyond the runtime's own: a
    // table without one of them stops the module from loading, and the user is told which.
    std::vector<HostFunction> (*requiredFunctions)() = nullptr;
};

void installProduct(const ProductHooks& hooks);
const ProductHooks& getProduct();

// Installs a product's hooks when the program starts.
struct ProductRegistration {
    explicit ProductRegistration(const ProductHooks& hooks) { installProduct(hooks); }
};

// The installed hooks, each answering its neutral value when the product supplies none.
GSErrCode createProductAddon(HostEnvironment* environment);
GSErrCode destroyProductAddon();
void reportProductError();
// Reports an exception caught where a call from the host returns: the product's error alert.
// Whatever the report throws itself goes no further.
void reportCaughtException() noexcept;

} // namespace tarnwick
