// The Host's project-side members. The project model fills them in; until a project object can be
// made, the Host answers as a host without an open project would.
#include "Environment/Host.h"

namespace tarnwick {

Project* Host::getProject() {
    return nullptr;
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
void Host::resetProject() {}
void Host::releaseProject() {}

} // namespace tarnwick
