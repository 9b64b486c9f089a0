// The add-on object's base: the module's one Publisher, through which every host event and
// every product event passes.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/HostEvent.h"
#include "Environment/NonCopyable.h"
#include "Environment/Publisher.h"
#include "Environment/String.h"

struct HostEnvironment;

namespace tarnwick {

class Directory;
class Package;
class PackageStore;
class TarnwickLibrary;
struct AddonPackages;

class Addon : public Publisher {
public:
    enum class Phase { Created, EnvironmentChecked, InterfaceRegistered, Initialized };

    Addon() = default;
    ~Addon() override = default;

    using Publisher::checkEnvironment; // the phase itself; the form below fills the host's record
    bool registerInterface() override;
    bool initialize() override;

    // Host events first pass filterHostNotification; answers whether a subscriber handled it.
    virtual bool handleEvent(Event& event);
    // Fills the host's environment record with the add-on's name and description and runs the
    // environment-check phase; true when the module should load.
    virtual bool checkEnvironment(const String& name, const String& description,
                                  HostEnvironment* environment);
    // Forgets cached host state at the start of every outermost host call.
    virtual void resetHost();
    // The error hook, run when a host call of the add-on failed unexpectedly.
    virtual void onException() {}
    // The add-on's per-user preference folders of scopes 1 and 2, owned by the caller, or null.
    virtual std::unique_ptr<Directory> getScope1Folder();
    virtual std::unique_ptr<Directory> getScope2Folder();
    // False keeps a host event from the subscribers.
    virtual bool filterHostNotification(HostEvent&) { return true; }
    // A new, opened or closed project starts from the registered project packages alone (the
    // last project's packages are reset and dropped); a new or opened one then reads its own
    // from the module data.
    virtual void handleProjectNotification(ProjectEvent& event);
    // Resets the project's packages to the registered ones and reads the project's module data
    // into them; publishes ProjectEvent::PackagesLoaded (parameter 1 when stored data, or a
    // package's element in it, was there but could not be read).
    virtual void loadModuleData();
    // Writes the project's packages into the module data; the host is about to save.
    virtual void saveModuleData();

    // Packages. Scope 0 is the project's: the add-on keeps each registered package as the
    // default, every project's store holds a copy, and it travels as the project's module data.
    // Scopes 1 and 2 are the add-on's own stores, kept as the "frameworkPreferenceStore" file in
    // getScope1Folder and getScope2Folder. A package whose stored element cannot be read runs on
    // its defaults and writes that element back as stored until the package is changed; elements
    // of packages not registered are written back as stored.
    virtual void registerPackage(Package& package, int scope); // keeps a copy
    bool isPackageRegistered(uint32_t code, int scope) const;
    // Reads the preference files of scopes 1 and 2 (initialize does); false when a file was
    // there but could not be read.
    [[nodiscard]] virtual bool loadPackages();
    // Writes the scope's packages: true when written, or when there was nothing to write.
    [[nodiscard]] virtual bool savePackages(int scope);
    // Puts copies of the scope's shippable packages into store.
    virtual void collectPackages(int scope, PackageStore& store);
    // The live packages of a scope: 0 the project's (null without a project), 1 and 2 the
    // add-on's (null for any other scope).
    PackageStore* getPackageStore(int scope);

    // The add-on's library configuration, made on first use by the installed maker; null without
    // one. initialize loads it.
    TarnwickLibrary* getTarnwickLibrary();

    // The entry bracket: every call from the host into the module runs inside one. A reset starts
    // the count again at 1. Answers false when resetting the cached host state failed. An
    // exception from the host's entry flag leaves the count as it was, on entering and on leaving.
    [[nodiscard]] bool enterHostCall(bool reset = false);
    void leaveHostCall();
    int getEntryDepth() const { return m_entryDepth; }

    bool isInsideNotification() const { return m_insideNotification > 0; }
    void enterNotification() { ++m_insideNotification; }
    void leaveNotification() {
        if (m_insideNotification > 0) --m_insideNotification;
    }

    Phase getPhase() const { return m_phase; }
    const String& getAddonName() const { return m_name; }

private:
    friend class PackageKeeper;

    Phase m_phase = Phase::Created;
    String m_name;
    int m_entryDepth = 0;
    int m_insideNotification = 0;
    mutable std::shared_ptr<AddonPackages> m_packages; // made on first use
    std::shared_ptr<TarnwickLibrary> m_library;        // made on first use
};

// The module's one add-on object; null before start-up and after release.
Addon* getAddon();
void setAddon(Addon* addon);

// What the add-on's packages need of the layers above the runtime: the XML stores and the
// project's module data. The project model installs it when it starts; without it the add-on
// keeps no packages.
class PackageKeeper {
public:
    virtual ~PackageKeeper() = default;
    virtual PackageStore* getPackageStore(Addon& addon, int scope) = 0;
    virtual bool isPackageRegistered(const Addon& addon, uint32_t code, int scope) = 0;
    virtual void registerPackage(Addon& addon, Package& package, int scope) = 0;
    virtual bool loadPackages(Addon& addon) = 0;
    virtual bool savePackages(Addon& addon, int scope) = 0;
    virtual void collectPackages(Addon& addon, int scope, PackageStore& store) = 0;
    virtual void loadModuleData(Addon& addon) = 0;
    virtual void saveModuleData(Addon& addon) = 0;
    virtual void handleProjectNotification(Addon& addon, ProjectEvent& event) = 0;

protected:
    // The add-on's package state, made by the keeper on first use.
    static std::shared_ptr<AddonPackages>& stateOf(const Addon& addon) { return addon.m_packages; }
};

// Null uninstalls.
void installPackageKeeper(PackageKeeper* keeper);

// What the layer of the library configuration supplies: a new configuration, and its loading when
// the add-on starts. Empty hooks uninstall.
struct TarnwickLibraryHooks {
    std::shared_ptr<TarnwickLibrary> (*make)() = nullptr;
    void (*load)(Addon& addon) = nullptr;
};
void installTarnwickLibraryHooks(const TarnwickLibraryHooks& hooks);

// Brackets a host call into the module.
class HostCallScope : NonCopyable {
public:
    explicit HostCallScope(Addon& addon, bool reset = false);
    // Leaves when not left yet. What the host throws then cannot leave a destructor: it is
    // reported, or dropped when the call is already ending in an exception of its own.
    ~HostCallScope();
    bool ok() const { return m_ok; }
    // Leaves now; what the host throws on the way goes to the caller, who reports it.
    void leave();

private:
    Addon& m_addon;
    int m_unwinding;
    bool m_ok;
    bool m_left = false;
};

// Marks the add-on as inside a host notification, where transactions are refused.
class NotificationScope : NonCopyable {
public:
    explicit NotificationScope(Addon& addon) : m_addon(addon) { m_addon.enterNotification(); }
    ~NotificationScope() { m_addon.leaveNotification(); }

private:
    Addon& m_addon;
};

} // namespace tarnwick
