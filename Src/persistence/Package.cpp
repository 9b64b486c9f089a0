#include "persistence/Package.h"

namespace tarnwick {

std::unique_ptr<Package> Package::cloneDefault() const {
    std::unique_ptr<Package> copy = clone();
    if (copy) copy->reset();
    return copy;
}

} // namespace tarnwick
