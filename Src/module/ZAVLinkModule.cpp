// The module's product: the runtime's entries create, release and report through these hooks.
#include "Environment/AddonHooks.h"
#include "annotation/ZAVLinkAddon.h"
#include "resources/ModuleResources.h"

namespace {
const tarnwick::ProductRegistration product({&zavlink::createAddon, &zavlink::destroyAddon,
                                             &zavlink::reportInternalError, &zavModuleResources,
                                             &zavlink::requiredFunctions});
} // namespace
