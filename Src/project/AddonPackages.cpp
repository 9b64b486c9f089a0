// The Addon's package members: the registered packages of each scope, the project's packages in
// its module data, and the preference files of scopes 1 and 2.
//
// Stored data is never overwritten by accident. Each package reads its own stored element; a
// package whose element cannot be read runs on its defaults and writes that element back byte
// for byte until the package itself writes differently from those defaults, that is until it was
// deliberately changed. Elements no registered package takes are written back as they are, and a
// package registered later reads its element then. Stored data that cannot even be taken apart
// is left as it is until some package is changed.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Environment/Addon.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "Environment/Directory.h"
#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "Environment/MemoryBlock.h"
#include "persistence/PackageDocument.h"
#include "persistence/PackageStore.h"
#include "persistence/XMLReader.h"
#include "platform/io/FileSystem.h"
#include "project/Project.h"
#include "project/ProjectModel.h"

namespace tarnwick {

namespace {

const char* const StoreName = "frameworkPreferenceStore";
const char* const StoreFileName = "frameworkPreferenceStore.xml";
const char* const StoreTempFileName = "frameworkPreferenceStore.xml.tmp";

bool validScope(int scope) {
    return scope >= 0 && scope <= 2;
}

// What a scope has stored.
struct Stored {
    bool present = false; // something is stored
    bool fetched = false; // and its bytes could be had
    std::string text;
};

} // namespace

struct AddonPackages {
    // A package whose stored element could not be read.
    struct Kept {
        std::string bytes;    // its stored elements; empty when the stored data is kept whole
        std::string fallback; // what its defaults write: anything else is a deliberate change
    };

    struct Scope {
        PackageStore registered{String(StoreName)}; // the defaults, as registered
        PackageStore live{String(StoreName)};       // scopes 1 and 2; the project holds scope 0's
        std::map<uint32_t, Kept> kept;
        std::vector<PackageDocument::Element> unclaimed; // stored elements no registered package takes
        bool keepWhole = false;  // the stored data could be neither read nor taken apart
        bool storedRead = false; // the stored data was read (scope 0: the open project's)
    };

    ~AddonPackages() {
        for (Scope& scope : scopes) {
            scope.live.closeAll();
            scope.registered.closeAll();
        }
    }

    std::shared_ptr<Package> defaults(int scope, uint32_t code) const {
        return std::shared_ptr<Package>(scopes[scope].registered.getPackage(code)->clone());
    }

    // The package's element as its store writes it (a shipping copy where it makes one).
    static bool elementText(Package& package, std::string& text) {
        if (std::unique_ptr<Package> copy = package.makeShippingCopy()) {
            XMLContainerProxy proxy(std::unique_ptr<XMLShipping>(std::move(copy)), package.getElementName());
            return PackageDocument::writeElement(proxy, text);
        }
        return PackageDocument::writeElement(package, text);
    }

    void keep(int scope, uint32_t code, std::string bytes) {
        Kept& kept = scopes[scope].kept[code];
        kept.bytes = std::move(bytes);
        if (!elementText(*defaults(scope, code), kept.fallback)) kept.fallback.clear();
    }

    // Reads the package's stored elements into a copy of its defaults; when one fails the package
    // keeps its defaults and the elements are kept.
    void take(int scope, PackageStore& live, uint32_t code, const std::vector<std::string>& parts) {
        std::shared_ptr<Package> package = defaults(scope, code);
        bool ok = true;
        for (const std::string& part : parts)
            ok = ok && PackageDocument::readElement(part, *package);
        if (ok) {
            live.sharePackage(package, false);
            return;
        }
        live.sharePackage(defaults(scope, code), false); // nothing half-read
        std::string joined;
        for (const std::string& part : parts)
            joined += joined.empty() ? part : "\n" + part;
        keep(scope, code, std::move(joined));
    }

    // The registered package that reads elements of that name, or 0.
    uint32_t codeFor(int scope, const String& elementName) const {
        const PackageStore& registered = scopes[scope].registered;
        for (uint32_t code : registered.getCodes()) {
            Package* package = registered.getPackage(code);
            if (package->isShippable() && package->getElementName() == elementName) return code;
        }
        return 0;
    }

    // The registered packages start again from their defaults and then read what is stored. False
    // when something stored could not be read.
    bool settle(int scope, PackageStore& live, const Stored& stored) {
        Scope& s = scopes[scope];
        s.kept.clear();
        s.unclaimed.clear();
        s.keepWhole = false;
        for (uint32_t code : s.registered.getCodes())
            live.sharePackage(defaults(scope, code), false);
        if (!stored.present) return true;

        PackageDocument document;
        if (stored.fetched && document.split(stored.text, String(StoreName))) {
            std::map<uint32_t, std::vector<std::string>> parts;
            for (const PackageDocument::Element& element : document.getElements()) {
                uint32_t code = codeFor(scope, element.name);
                if (code == 0)
                    s.unclaimed.push_back(element);
                else
                    parts[code].push_back(element.bytes);
            }
            for (const auto& [code, bytes] : parts)
                take(scope, live, code, bytes);
            return s.kept.empty();
        }

        // Text that cannot be taken apart (another encoding, say) is read as a whole, or kept whole.
        PackageStore read{String(StoreName)};
        for (uint32_t code : s.registered.getCodes())
            read.sharePackage(defaults(scope, code), false);
        DataBufferIn in{String(stored.text)};
        if (stored.fetched && XMLReader(in).read(read)) {
            for (uint32_t code : read.getCodes())
                live.sharePackage(read.getSharedPackage(code), false);
            return true;
        }
        s.keepWhole = true;
        for (uint32_t code : s.registered.getCodes())
            keep(scope, code, std::string());
        return false;
    }

    // A package registered after the stored data was read takes its stored elements now.
    void addLate(int scope, PackageStore& live, uint32_t code) {
        Scope& s = scopes[scope];
        live.sharePackage(defaults(scope, code), false);
        if (s.keepWhole) return keep(scope, code, std::string());
        String name = s.registered.getPackage(code)->getElementName();
        std::vector<std::string> parts;
        // The others keep their order; the claimed ones go in one erase.
        auto claimed =
            std::stable_partition(s.unclaimed.begin(), s.unclaimed.end(),
                                  [&name](const PackageDocument::Element& e) { return e.name != name; });
        for (auto it = claimed; it != s.unclaimed.end(); ++it)
            parts.push_back(std::move(it->bytes));
        s.unclaimed.erase(claimed, s.unclaimed.end());
        if (!parts.empty()) take(scope, live, code, parts);
    }

    // The scope's document. Empty when the stored data is kept whole and nothing was changed;
    // changed gets the kept packages that were.
    bool compose(int scope, PackageStore& live, std::string& text, std::vector<uint32_t>& changed) {
        Scope& s = scopes[scope];
        std::vector<std::string> parts;
        std::set<std::string> written;
        for (uint32_t code : live.getCodes()) {
            Package* package = live.getPackage(code);
            if (!package->isShippable()) continue;
            std::string part;
            if (!elementText(*package, part)) return false;
            auto kept = s.kept.find(code);
            if (kept != s.kept.end()) {
                if (part != kept->second.fallback)
                    changed.push_back(code);
                else if (!kept->second.bytes.empty())
                    part = kept->second.bytes;
            }
            written.insert(package->getElementName().bytes());
            parts.push_back(std::move(part));
        }
        text.clear();
        if (s.keepWhole && changed.empty()) return true;
        for (const PackageDocument::Element& element : s.unclaimed)
            if (written.count(element.name.bytes()) == 0) parts.push_back(element.bytes);
        text = PackageDocument::compose(String(StoreName), parts);
        return true;
    }

    // After a successful write: what was changed is stored now.
    void written(int scope, const std::vector<uint32_t>& changed) {
        Scope& s = scopes[scope];
        if (s.keepWhole) {
            s.keepWhole = false;
            s.kept.clear();
        }
        for (uint32_t code : changed)
            s.kept.erase(code);
    }

    // Nothing of one project reaches the next: packages that do not keep their values on reset
    // are reset (whoever still holds one sees that), and the store holds the defaults only.
    void forgetProject(Project& project) {
        project.resetPackages();
        project.getPackageStore().removeAll();
        Scope& s = scopes[0];
        settle(0, project.getPackageStore(), Stored());
        s.storedRead = false;
    }

    Scope scopes[3];
    bool filesLoaded = false;
};

namespace {

// The module data. No data (none stored, no project, a host without module data) is nothing
// stored; any other failure is data that could not be had.
Stored readModuleData() {
    Stored stored;
    GSHandle data = nullptr;
    GSErrCode err = ACAPGetModuleData(&data);
    MemoryBlock block(data);
    if (err == hosterr::NotFound || err == hosterr::NoProject || err == hosterr::NotSupplied) return stored;
    stored.present = true;
    if (err != hosterr::Ok) return stored;
    if (block.getSize() <= 0) {
        stored.present = false;
        return stored;
    }
    stored.fetched = true;
    stored.text.assign(block.getData(), static_cast<size_t>(block.getSize()));
    return stored;
}

std::unique_ptr<Directory> scopeFolder(Addon& addon, int scope) {
    return scope == 1 ? addon.getScope1Folder() : addon.getScope2Folder();
}

Stored readStoreFile(const Directory* folder) {
    Stored stored;
    if (folder == nullptr) return stored;
    DataFile file(*folder, String(StoreFileName));
    if (!file.exists()) return stored;
    stored.present = true;
    DataBufferIn in(file);
    char block[DataBufferIn::BlockSize];
    while (!in.hasFailed()) {
        size_t got = in.read(block, sizeof block);
        if (got == 0) break;
        stored.text.append(block, got);
    }
    stored.fetched = !in.hasFailed();
    return stored;
}

// Writes the text beside the file and then puts it in the file's place, so that neither a failed
// write nor a power loss leaves a half-written file behind.
bool writeStoreFile(const Directory& folder, const std::string& text) {
    DataFile temp(folder, String(StoreTempFileName));
    // A leftover is replaced, not written through; anything else in the way fails the write.
    if (IO::GetItemType(temp.getLocation()) == IO::ItemFile && !temp.remove()) return false;
    if (!temp.open(true)) return false;
    bool ok = temp.setLength(0) && temp.write(text.data(), text.size());
    ok = temp.close() && ok;
    if (ok) {
        DataFile target(folder, String(StoreFileName));
        ok = IO::ReplaceFile(target.getLocation(), temp.getLocation()) == hosterr::Ok;
    }
    if (!ok) static_cast<void>(temp.remove()); // a leftover is replaced by the next write
    return ok;
}

bool loadStoreFile(Addon& addon, AddonPackages& state, int scope) {
    std::unique_ptr<Directory> folder = scopeFolder(addon, scope);
    AddonPackages::Scope& s = state.scopes[scope];
    bool ok = state.settle(scope, s.live, readStoreFile(folder.get()));
    s.storedRead = true;
    return ok;
}

} // namespace

namespace {

// The add-on's packages over the persistence layer's stores and the project's module data.
class ProjectPackages : public PackageKeeper {
public:
    PackageStore* getPackageStore(Addon& addon, int scope) override;
    bool isPackageRegistered(const Addon& addon, uint32_t code, int scope) override;
    void registerPackage(Addon& addon, Package& package, int scope) override;
    bool loadPackages(Addon& addon) override;
    bool savePackages(Addon& addon, int scope) override;
    void collectPackages(Addon& addon, int scope, PackageStore& store) override;
    void loadModuleData(Addon& addon) override;
    void saveModuleData(Addon& addon) override;
    void handleProjectNotification(Addon& addon, ProjectEvent& event) override;

private:
    static AddonPackages& packagesOf(const Addon& addon) {
        std::shared_ptr<AddonPackages>& state = stateOf(addon);
        if (!state) state = std::make_shared<AddonPackages>();
        return *state;
    }
};

ProjectPackages thePackages;

} // namespace

void installProjectPackages() {
    installPackageKeeper(&thePackages);
}

void uninstallProjectPackages() {
    installPackageKeeper(nullptr);
}

PackageStore* ProjectPackages::getPackageStore(Addon& addon, int scope) {
    if (scope == 0) {
        Project* project = Host::getProject();
        return project ? &project->getPackageStore() : nullptr;
    }
    return validScope(scope) ? &packagesOf(addon).scopes[scope].live : nullptr;
}

bool ProjectPackages::isPackageRegistered(const Addon& addon, uint32_t code, int scope) {
    return validScope(scope) && packagesOf(addon).scopes[scope].registered.hasPackage(code);
}

void ProjectPackages::registerPackage(Addon& addon, Package& package, int scope) {
    if (!validScope(scope)) return;
    AddonPackages& state = packagesOf(addon);
    AddonPackages::Scope& s = state.scopes[scope];
    s.registered.putPackage(package);
    uint32_t code = package.getCode();

    // Making the project object reads its module data, this package's included.
    PackageStore* live = scope == 0 ? (Host::hasProject() ? addon.getPackageStore(0) : nullptr) : &s.live;
    if (live == nullptr || live->hasPackage(code)) return;
    if (scope != 0 && !state.filesLoaded) {
        live->sharePackage(state.defaults(scope, code), false); // initialize reads the files
    } else if (!s.storedRead) {
        if (scope == 0)
            addon.loadModuleData();
        else
            loadStoreFile(addon, state, scope);
    } else {
        state.addLate(scope, *live, code);
    }
}

bool ProjectPackages::loadPackages(Addon& addon) {
    AddonPackages& state = packagesOf(addon);
    bool ok = true;
    for (int scope = 1; scope <= 2; ++scope) {
        if (state.scopes[scope].registered.getPackageCount() == 0) continue;
        ok = loadStoreFile(addon, state, scope) && ok;
    }
    state.filesLoaded = true;
    return ok;
}

bool ProjectPackages::savePackages(Addon& addon, int scope) {
    if (!validScope(scope)) return false;
    AddonPackages& state = packagesOf(addon);
    if (state.scopes[scope].registered.getPackageCount() == 0) return true;
    PackageStore* live = addon.getPackageStore(scope);
    if (live == nullptr) return false;
    std::string text;
    std::vector<uint32_t> changed;
    if (!state.compose(scope, *live, text, changed)) return false;
    if (text.empty()) return true; // the stored data stays as it is

    bool ok = false;
    if (scope == 0) {
        GSHandle data = stringToHandle(String(text));
        ok = ACAPSetModuleData(data) == hosterr::Ok;
        freeHandle(data);
    } else {
        std::unique_ptr<Directory> folder = scopeFolder(addon, scope);
        ok = folder != nullptr && writeStoreFile(*folder, text);
    }
    if (ok) state.written(scope, changed);
    return ok;
}

void ProjectPackages::collectPackages(Addon& addon, int scope, PackageStore& store) {
    PackageStore* live = addon.getPackageStore(scope);
    if (live == nullptr) return;
    for (uint32_t code : live->getCodes()) {
        Package* package = live->getPackage(code);
        if (package->isShippable()) store.putPackage(*package);
    }
}

void ProjectPackages::loadModuleData(Addon& addon) {
    AddonPackages& state = packagesOf(addon);
    if (state.scopes[0].registered.getPackageCount() == 0) return;
    Project* project = Host::getProject();
    if (project == nullptr) return;
    bool ok = state.settle(0, project->getPackageStore(), readModuleData());
    state.scopes[0].storedRead = true;
    ProjectEvent loaded(static_cast<uint32_t>(ProjectEvent::PackagesLoaded), ok ? 0 : 1);
    addon.handleEvent(loaded);
}

void ProjectPackages::saveModuleData(Addon& addon) {
    // A failed write leaves the host the module data it holds, and the host saves that.
    static_cast<void>(addon.savePackages(0));
}

void ProjectPackages::handleProjectNotification(Addon& addon, ProjectEvent& event) {
    switch (event.getNotification()) {
    case ProjectNew:
    case ProjectNewAndReset:
    case ProjectOpen:
        if (Project* project = Host::getProject()) packagesOf(addon).forgetProject(*project);
        addon.loadModuleData();
        break;
    case ProjectClose:
        if (Project* project = Host::getProject()) packagesOf(addon).forgetProject(*project);
        break;
    default:
        break;
    }
}

} // namespace tarnwick
