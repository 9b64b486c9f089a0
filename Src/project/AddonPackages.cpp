// The Addon's package members: the registered packages of each scope, the project's packages in
// its module data, and the preference files of scopes 1 and 2.
//
// Stored data that cannot be read (a corrupt file or module data block, a record refused after
// reading) is never overwritten by accident. The scope then runs on its registered defaults, and
// the text those defaults write is remembered. A save writes only once the scope's packages write
// differently from that text, that is once something was deliberately changed; the first
// successful write ends the protection. For the project it also ends with the project.
#include <string>

#include "Environment/Addon.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/DataFile.h"
#include "Environment/Directory.h"
#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "Environment/MemoryBlock.h"
#include "persistence/PackageStore.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "platform/io/FileSystem.h"
#include "project/Project.h"

namespace tarnwick {

namespace {

const char* const StoreName = "frameworkPreferenceStore";
const char* const StoreFileName = "frameworkPreferenceStore.xml";
const char* const StoreTempFileName = "frameworkPreferenceStore.xml.tmp";

bool validScope(int scope) {
    return scope >= 0 && scope <= 2;
}

} // namespace

struct AddonPackages {
    struct Scope {
        PackageStore registered{String(StoreName)}; // the defaults, as registered
        PackageStore live{String(StoreName)};       // scopes 1 and 2; the project holds scope 0's
        bool protectStored = false;                 // the stored data could not be read
        std::string fallbackText;                   // what the defaults wrote when that happened
    };

    ~AddonPackages() {
        for (Scope& scope : scopes) {
            scope.live.closeAll();
            scope.registered.closeAll();
        }
    }

    // Replaces what target holds by copies of the scope's registered packages.
    void fillDefaults(int scope, PackageStore& target) const {
        target.removeAll();
        for (uint32_t code : scopes[scope].registered.getCodes())
            target.putPackage(*scopes[scope].registered.getPackage(code));
    }

    static bool toText(PackageStore& store, std::string& text) {
        String out;
        DataBufferOut buffer;
        buffer.open(out);
        bool ok = XMLWriter(buffer).write(store, true, 1, true, false);
        ok = buffer.close() && ok;
        text = out.bytes();
        return ok;
    }

    // After a read: the live store takes what was read, or the defaults when it failed, and the
    // scope is protected when it failed.
    void settle(int scope, PackageStore& live, PackageStore& read, bool unreadable) {
        if (unreadable) fillDefaults(scope, read);
        live.removeAll();
        for (uint32_t code : read.getCodes())
            live.sharePackage(read.getSharedPackage(code), false);
        Scope& s = scopes[scope];
        s.protectStored = unreadable;
        s.fallbackText.clear();
        if (unreadable && !toText(live, s.fallbackText)) s.fallbackText.clear();
    }

    // False when the scope's stored data must stay as it is: it could not be read, and the
    // packages still write what the defaults wrote then.
    bool mayOverwrite(int scope, const std::string& text) const {
        const Scope& s = scopes[scope];
        return !s.protectStored || text != s.fallbackText;
    }

    Scope scopes[3];
    bool filesLoaded = false;
};

namespace {

// Reads the module data into store. False when there was data that could not be read; no data
// (none stored, no project, a host without module data) is not a failure.
bool readModuleData(PackageStore& store) {
    GSHandle data = nullptr;
    GSErrCode err = ACAPGetModuleData(&data);
    MemoryBlock block(data);
    if (err == hosterr::NotFound || err == hosterr::NoProject || err == hosterr::NotSupplied) return true;
    if (err != hosterr::Ok) return false;
    if (block.getSize() <= 0) return true;
    DataBufferIn in(block);
    return XMLReader(in).read(store);
}

std::unique_ptr<Directory> scopeFolder(Addon& addon, int scope) {
    return scope == 1 ? addon.getScope1Folder() : addon.getScope2Folder();
}

// Reads a preference file into store. False when the file is there but cannot be read.
bool readStoreFile(const Directory* folder, PackageStore& store) {
    if (folder == nullptr) return true;
    DataFile file(*folder, String(StoreFileName));
    if (!file.exists()) return true;
    DataBufferIn in(file);
    if (in.hasFailed()) return false;
    return XMLReader(in).read(store);
}

// Writes the text beside the file and then puts it in the file's place, so that a failed write
// never leaves a half-written file behind.
bool writeStoreFile(const Directory& folder, const std::string& text) {
    DataFile temp(folder, String(StoreTempFileName));
    bool ok = temp.open(true) && temp.setLength(0) && temp.seek(0);
    if (ok) {
        DataBufferOut out;
        ok = out.open(temp) && out.write(text.data(), text.size());
        ok = out.close() && ok;
    }
    ok = temp.close() && ok;
    if (ok) {
        DataFile target(folder, String(StoreFileName));
        ok = IO::Rename(temp.getLocation(), target.getLocation()) == hosterr::Ok;
    }
    if (!ok) temp.remove();
    return ok;
}

} // namespace

AddonPackages& Addon::packages() const {
    if (!m_packages) m_packages = std::make_shared<AddonPackages>();
    return *m_packages;
}

PackageStore* Addon::getPackageStore(int scope) {
    if (scope == 0) {
        Project* project = Host::getProject();
        return project ? &project->getPackageStore() : nullptr;
    }
    return validScope(scope) ? &packages().scopes[scope].live : nullptr;
}

bool Addon::isPackageRegistered(uint32_t code, int scope) const {
    return validScope(scope) && packages().scopes[scope].registered.hasPackage(code);
}

void Addon::registerPackage(Package& package, int scope) {
    if (!validScope(scope)) return;
    AddonPackages& state = packages();
    state.scopes[scope].registered.putPackage(package);
    uint32_t code = package.getCode();

    // A package registered late still starts from what is stored for it.
    PackageStore* live = nullptr;
    bool readStored = false;
    if (scope == 0) {
        live = Host::hasProject() ? getPackageStore(0) : nullptr;
        readStored = live != nullptr;
    } else {
        live = &state.scopes[scope].live;
        readStored = state.filesLoaded;
    }
    if (live == nullptr || live->hasPackage(code)) return;
    PackageStore single{String(StoreName)};
    single.putPackage(package);
    if (readStored) {
        std::unique_ptr<Directory> folder = scope == 0 ? nullptr : scopeFolder(*this, scope);
        bool ok = scope == 0 ? readModuleData(single) : readStoreFile(folder.get(), single);
        if (!ok) {
            single.removeAll();
            single.putPackage(package);
        }
    }
    live->sharePackage(single.getSharedPackage(code), false);
}

bool Addon::loadPackages() {
    AddonPackages& state = packages();
    bool ok = true;
    for (int scope = 1; scope <= 2; ++scope) {
        if (state.scopes[scope].registered.getPackageCount() == 0) continue;
        std::unique_ptr<Directory> folder = scopeFolder(*this, scope);
        PackageStore read{String(StoreName)};
        state.fillDefaults(scope, read);
        bool unreadable = !readStoreFile(folder.get(), read);
        state.settle(scope, state.scopes[scope].live, read, unreadable);
        ok = ok && !unreadable;
    }
    state.filesLoaded = true;
    return ok;
}

bool Addon::savePackages(int scope) {
    if (!validScope(scope)) return false;
    AddonPackages& state = packages();
    if (state.scopes[scope].registered.getPackageCount() == 0) return true;
    PackageStore* live = getPackageStore(scope);
    if (live == nullptr) return false;
    std::string text;
    if (!AddonPackages::toText(*live, text)) return false;
    if (!state.mayOverwrite(scope, text)) return true;

    bool ok = false;
    if (scope == 0) {
        GSHandle data = stringToHandle(String(text));
        ok = ACAPSetModuleData(data) == hosterr::Ok;
        freeHandle(data);
    } else {
        std::unique_ptr<Directory> folder = scopeFolder(*this, scope);
        ok = folder != nullptr && writeStoreFile(*folder, text);
    }
    if (ok) state.scopes[scope].protectStored = false;
    return ok;
}

void Addon::collectPackages(int scope, PackageStore& store) {
    PackageStore* live = getPackageStore(scope);
    if (live == nullptr) return;
    for (uint32_t code : live->getCodes()) {
        Package* package = live->getPackage(code);
        if (package->isShippable()) store.putPackage(*package);
    }
}

void Addon::loadModuleData() {
    AddonPackages& state = packages();
    if (state.scopes[0].registered.getPackageCount() == 0) return;
    Project* project = Host::getProject();
    if (project == nullptr) return;
    PackageStore read{String(StoreName)};
    state.fillDefaults(0, read);
    bool unreadable = !readModuleData(read);
    state.settle(0, project->getPackageStore(), read, unreadable);
    ProjectEvent loaded(static_cast<uint32_t>(ProjectEvent::PackagesLoaded), unreadable ? 1 : 0);
    handleEvent(loaded);
}

void Addon::saveModuleData() {
    savePackages(0);
}

void Addon::handleProjectNotification(ProjectEvent& event) {
    switch (event.getNotification()) {
    case ProjectNew:
    case ProjectNewAndReset:
    case ProjectOpen:
        loadModuleData();
        break;
    case ProjectClose: {
        // Nothing of the closed project may reach the next one.
        AddonPackages& state = packages();
        if (state.scopes[0].registered.getPackageCount() == 0) break;
        if (PackageStore* live = getPackageStore(0)) {
            PackageStore defaults{String(StoreName)};
            state.fillDefaults(0, defaults);
            state.settle(0, *live, defaults, false);
        }
        break;
    }
    default:
        break;
    }
}

} // namespace tarnwick
