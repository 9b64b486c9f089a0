// The product's hooks for programs that link the framework but start no add-on (fuzz targets,
// benchmarks): a start declines, a release has nothing to do, a report goes nowhere.
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
