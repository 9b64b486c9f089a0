// The Host's project-side members. The project object is made on first use while the host has a
// project open, and kept until the module is released.
#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "project/ElementLink.h"
#include "project/Project.h"

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
    Project* project = getProject();
    return project == nullptr ? nullptr : project->getPlan();
}

Specification* Host::getSpecification() {
    Project* project = getProject();
    return project == nullptr ? nullptr : project->getSpecification();
}

Library* Host::getLibrary() {
    Project* project = getProject();
    return project == nullptr ? nullptr : project->getLibrary();
}

Drawing* Host::getCurrentDatabase() {
    Project* project = getProject();
    return project == nullptr ? nullptr : project->getCurrentDatabase();
}

bool Host::setCurrentDatabase(Drawing* drawing) {
    Project* project = getProject();
    return project != nullptr && project->setCurrentDatabase(drawing);
}

bool Host::setFrontWindow(Drawing* drawing) {
    Project* project = getProject();
    return project != nullptr && project->setFrontWindow(drawing);
}

bool Host::setDefaultType(const ElementLink& tool) {
    return setDefaultType(tool.getTypeId(), tool.getVariation());
}

bool Host::setDefaultType(uint16_t typeId, uint32_t variation) {
    uint8_t type[2] = {static_cast<uint8_t>(typeId & 0xFF), static_cast<uint8_t>(typeId >> 8)};
    return ACAPEnvironmentCall(fourCC("SETD"), type, &variation) == hosterr::Ok;
}

void Host::resetProject() {
    if (theProject) theProject->reset();
}

void Host::releaseProject() {
    theProject.reset();
}

const User& Host::getCurrentUser() {
    static const User blank(String(), 0);
    Project* project = getProject();
    const User* user = project != nullptr ? project->getUser(0) : nullptr;
    return user != nullptr ? *user : blank;
}

} // namespace tarnwick
