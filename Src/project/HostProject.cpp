// The Host's project-side members. The project object is made on first use while the host has a
// project open, and kept until the module is released; until the project model can make its
// databases, the Host answers for them as a host without an open project would.
#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "Project.h"

namespace tarnwick {

namespace {
std::unique_ptr<Project> theProject;
} // namespace

Project* Host::getProject() {
    if (!theProject) {
        if (!hasProject()) return nullptr;
        theProject = std::make_unique<Project>();
        // A new project object starts with the project's own packages.
        if (Addon* addon = getAddon()) addon->loadModuleData();
    }
    return theProject.get();
}

Plan* Host::getPlan() {
    return nullptr;
}
Specification* Host::getSpecification() {
    return nullptr;
}
Library* Host::getLibrary() {
    return nullptr;
}
Drawing* Host::getCurrentDatabase() {
    return nullptr;
}
bool Host::setCurrentDatabase(Drawing*) {
    return false;
}
bool Host::setFrontWindow(Drawing*) {
    return false;
}

void Host::resetProject() {
    if (theProject) theProject->reset();
}

void Host::releaseProject() {
    theProject.reset();
}

} // namespace tarnwick
