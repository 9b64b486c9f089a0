#include "Environment/Addon.h"

#include <cstring>
#include <exception>

#include "Environment/AddonHooks.h"
#include "Environment/Directory.h"
#include "Environment/Host.h"
#include "Environment/HostCallbacks.h"
#include "Environment/HostCalls.h"
#include "platform/io/SpecialFolders.h"

namespace tarnwick {

namespace {
Addon* theAddon = nullptr;
PackageKeeper* packageKeeper = nullptr;
TarnwickLibraryHooks libraryHooks;

std::unique_ptr<Directory> preferenceFolder(int which) {
    IO::Location location;
    if (IO::GetSpecialFolder(which, &location) != hosterr::Ok) return nullptr;
    return std::make_unique<Directory>(location);
}

} // namespace

void installPackageKeeper(PackageKeeper* keeper) {
    packageKeeper = keeper;
}

void installTarnwickLibraryHooks(const TarnwickLibraryHooks& hooks) {
    libraryHooks = hooks;
}

TarnwickLibrary* Addon::getTarnwickLibrary() {
    if (!m_library && libraryHooks.make != nullptr) m_library = libraryHooks.make();
    return m_library.get();
}

PackageStore* Addon::getPackageStore(int scope) {
    return packageKeeper != nullptr ? packageKeeper->getPackageStore(*this, scope) : nullptr;
}

bool Addon::isPackageRegistered(uint32_t code, int scope) const {
    return packageKeeper != nullptr && packageKeeper->isPackageRegistered(*this, code, scope);
}

void Addon::registerPackage(Package& package, int scope) {
    if (packageKeeper != nullptr) packageKeeper->registerPackage(*this, package, scope);
}

bool Addon::loadPackages() {
    return packageKeeper == nullptr || packageKeeper->loadPackages(*this);
}

bool Addon::savePackages(int scope) {
    return packageKeeper == nullptr || packageKeeper->savePackages(*this, scope);
}

void Addon::collectPackages(int scope, PackageStore& store) {
    if (packageKeeper != nullptr) packageKeeper->collectPackages(*this, scope, store);
}

void Addon::loadModuleData() {
    if (packageKeeper != nullptr) packageKeeper->loadModuleData(*this);
}

void Addon::saveModuleData() {
    if (packageKeeper != nullptr) packageKeeper->saveModuleData(*this);
}

void Addon::handleProjectNotification(ProjectEvent& event) {
    if (packageKeeper != nullptr) packageKeeper->handleProjectNotification(*this, event);
}

Addon* getAddon() {
    return theAddon;
}
void setAddon(Addon* addon) {
    theAddon = addon;
}

bool Addon::checkEnvironment(const String& name, const String& description, HostEnvironment* environment) {
    m_name = name;
    if (environment != nullptr) {
        name.copyTo(environment->addonName, sizeof environment->addonName);
        description.copyTo(environment->addonDescription, sizeof environment->addonDescription);
    }
    bool ok = Publisher::checkEnvironment();
    m_phase = Phase::EnvironmentChecked;
    return ok;
}

bool Addon::registerInterface() {
    bool ok = Publisher::registerInterface();
    m_phase = Phase::InterfaceRegistered;
    return ok;
}

bool Addon::initialize() {
    // The add-on follows the project itself: its packages travel with each project.
    bool ok = installProjectNotifier() == hosterr::Ok;
    ok = installModuleDataHandler() == hosterr::Ok && ok;
    // A preference file that cannot be read leaves its defaults in place; the add-on still starts.
    (void)loadPackages();
    if (libraryHooks.load != nullptr) libraryHooks.load(*this);
    ok = Publisher::initialize() && ok;
    m_phase = Phase::Initialized;
    return ok;
}

bool Addon::handleEvent(Event& event) {
    if (auto* hostEvent = dynamic_cast<HostEvent*>(&event)) {
        if (!filterHostNotification(*hostEvent)) return false;
    }
    return publish(event);
}

void Addon::resetHost() {
    Host::reset();
}

std::unique_ptr<Directory> Addon::getScope1Folder() {
    return preferenceFolder(IO::AddOnPreferencesScope1);
}
std::unique_ptr<Directory> Addon::getScope2Folder() {
    return preferenceFolder(IO::AddOnPreferencesScope2);
}

bool Addon::enterHostCall(bool reset) {
    const int outer = m_entryDepth;
    m_entryDepth = reset ? 1 : m_entryDepth + 1;
    try {
        ACAPSetEntryFlag(true);
    } catch (...) {
        m_entryDepth = outer;
        throw;
    }
    if (m_entryDepth == 1) {
        try {
            resetHost();
        } catch (...) {
            onException();
            return false;
        }
    }
    return true;
}

void Addon::leaveHostCall() {
    if (m_entryDepth > 0) --m_entryDepth;
    if (m_entryDepth == 0) ACAPSetEntryFlag(false);
}

HostCallScope::HostCallScope(Addon& addon, bool reset)
    : m_addon(addon), m_unwinding(std::uncaught_exceptions()), m_ok(addon.enterHostCall(reset)) {}

HostCallScope::~HostCallScope() {
    if (m_left) return;
    try {
        leave();
    } catch (...) {
        if (std::uncaught_exceptions() == m_unwinding) reportCaughtException();
    }
}

void HostCallScope::leave() {
    if (m_left) return;
    m_left = true;
    m_addon.leaveHostCall();
}

} // namespace tarnwick
