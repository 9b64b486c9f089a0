#include "Project.h"

#include "persistence/PackageStore.h"

namespace tarnwick {

Project::Project() : m_packages(std::make_unique<PackageStore>(String("frameworkPreferenceStore"), true)) {}

Project::~Project() = default;

void Project::reset() {}

Package* Project::getPackage(uint32_t code) const {
    return m_packages->getPackage(code, false);
}

void Project::setPackage(const Package& package, bool notify) {
    m_packages->putPackage(package, notify);
}

void Project::adoptPackage(Package* package, bool notify) {
    m_packages->adoptPackage(package, notify);
}

void Project::resetPackages() {
    m_packages->resetPackages(true);
}

} // namespace tarnwick
