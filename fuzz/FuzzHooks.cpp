// The product's hooks, which the framework's entry code calls; the fuzz targets start no add-on.
#include "Environment/AddonHooks.h"

namespace zavlink {
GSErrCode createAddon(HostEnvironment*) {
    return 1;
}
GSErrCode destroyAddon() {
    return 0;
}
void reportInternalError() {}
} // namespace zavlink
