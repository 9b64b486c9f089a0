// The Addon's package members: the registered packages of each scope, the project's packages in
// its module data, and the preference files of scopes 1 and 2.
//
// Stored data is never overwritten by accident. Each package reads its own stored element; a
// package whose element cannot be read runs on its defaults and writes that element back byte
// for byte until the package itself writes differently from those defaults, that is until it was
// deliberately changed. Elements no registered package takes are written back as they are, and a
// package registered later reads its element then. Of stored data that cannot even be taken apart
// (cut short, say) the elements whole before the fault are read, and the data is left as it is
// until some package is changed. Before a write drops stored bytes that could not be read, those
// bytes are kept aside and the user is told where, once per document in a session.
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
#include "persistence/StoredCopy.h"
#include "persistence/XMLReader.h"
#include "platform/io/FileSystem.h"
#include "project/Alert.h"
#include "project/Project.h"
#include "project/ProjectModel.h"

namespace tarnwick {

namespace {

const char* const StoreName = "frameworkPreferenceStore";
const char* const StoreFileName = "frameworkPreferenceStore.xml";

// Items of the framework's texts that tell the user of stored settings kept aside or not stored.
enum AsideText : uint32_t {
    FileCopied = 28,              // $1 the file, $2 the copy
    ModuleDataCopied = 29,        // $1 the project, $2 the key
    FileNotCopied = 30,           // $1 the file
    ModuleDataNotCopied = 31,     // $1 the project
    ModuleDataNotStoredItem = 32, // $1 the project
};

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
        bool unreadable = false;  // the stored data could be neither read nor taken apart whole
        bool storedRead = false;  // the stored data was read (scope 0: the open project's)
        bool copied = false;      // what of it could not be read is kept aside
        bool writeFailed = false; // the last write of the stored data did not go through
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

    // While the stored data cannot be read whole, it stays as it is until the package is changed
    // from what it holds now.
    void watch(int scope, PackageStore& live, uint32_t code) {
        Scope& s = scopes[scope];
        if (s.kept.count(code) != 0) return;
        Kept& kept = s.kept[code];
        Package* package = live.getPackage(code);
        if (package == nullptr || !elementText(*package, kept.fallback)) kept.fallback.clear();
    }

    // Each registered package takes its elements; the others are carried along.
    void distribute(int scope, PackageStore& live, const std::vector<PackageDocument::Element>& elements) {
        std::map<uint32_t, std::vector<std::string>> parts;
        for (const PackageDocument::Element& element : elements) {
            uint32_t code = codeFor(scope, element.name);
            if (code == 0)
                scopes[scope].unclaimed.push_back(element);
            else
                parts[code].push_back(element.bytes);
        }
        for (const auto& [code, bytes] : parts)
            take(scope, live, code, bytes);
    }

    // Text that cannot be taken apart (another encoding, say) may still read as a whole.
    bool readWhole(int scope, PackageStore& live, const std::string& text) {
        PackageStore read{String(StoreName)};
        for (uint32_t code : scopes[scope].registered.getCodes())
            read.sharePackage(defaults(scope, code), false);
        DataBufferIn in{String(text)};
        if (!XMLReader(in).read(read)) return false;
        for (uint32_t code : read.getCodes())
            live.sharePackage(read.getSharedPackage(code), false);
        return true;
    }

    // The registered packages start again from their defaults and then read what is stored. False
    // when something stored could not be read.
    bool settle(int scope, PackageStore& live, const Stored& stored) {
        Scope& s = scopes[scope];
        s.kept.clear();
        s.unclaimed.clear();
        s.unreadable = false;
        s.copied = false;
        for (uint32_t code : s.registered.getCodes())
            live.sharePackage(defaults(scope, code), false);
        if (!stored.present) return true;

        PackageDocument document;
        if (!stored.fetched || !document.split(stored.text, String(StoreName))) {
            if (stored.fetched && readWhole(scope, live, stored.text)) return true;
            // The elements whole before the fault are read all the same.
            s.unreadable = true;
            if (stored.fetched) (void)document.salvage(stored.text, String(StoreName));
        }
        distribute(scope, live, document.getElements());
        if (s.unreadable)
            for (uint32_t code : s.registered.getCodes())
                watch(scope, live, code);
        return !s.unreadable && s.kept.empty();
    }

    // A package registered after the stored data was read takes its stored elements now.
    void addLate(int scope, PackageStore& live, uint32_t code) {
        Scope& s = scopes[scope];
        live.sharePackage(defaults(scope, code), false);
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
        if (s.unreadable) watch(scope, live, code);
    }

    // The scope's document. Empty when the stored data could not be read whole and nothing was
    // changed; changed gets the kept packages that were, and loses is set when the document drops
    // stored bytes that could not be read.
    bool compose(int scope, PackageStore& live, std::string& text, std::vector<uint32_t>& changed,
                 bool& loses) {
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
                if (part != kept->second.fallback) {
                    changed.push_back(code);
                    loses = loses || !kept->second.bytes.empty();
                } else if (!kept->second.bytes.empty()) {
                    part = kept->second.bytes;
                }
            }
            written.insert(package->getElementName().bytes());
            parts.push_back(std::move(part));
        }
        text.clear();
        if (s.unreadable && changed.empty()) return true;
        loses = loses || s.unreadable;
        for (const PackageDocument::Element& element : s.unclaimed)
            if (written.count(element.name.bytes()) == 0) parts.push_back(element.bytes);
        text = PackageDocument::compose(String(StoreName), parts);
        return true;
    }

    // After a successful write: what was changed is stored now.
    void written(int scope, const std::vector<uint32_t>& changed) {
        Scope& s = scopes[scope];
        if (s.unreadable) {
            s.unreadable = false;
            std::erase_if(s.kept, [](const auto& entry) { return entry.second.bytes.empty(); });
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
    std::set<std::string> told; // what the user was told of stored data kept aside
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
    if (!DataFile(*folder, String(StoreFileName)).exists()) return stored;
    stored.present = true;
    stored.fetched = storedcopy::readFile(*folder, String(StoreFileName), stored.text);
    return stored;
}

// The open project, as the user knows it.
String projectName() {
    Project* project = Host::getProject();
    if (project == nullptr) return String();
    std::unique_ptr<DataFile> file = project->getFile();
    if (file && !file->getPath().isEmpty()) return file->getPath();
    return project->getName();
}

void tell(AddonPackages& state, uint32_t item, const String& document, const String& where) {
    if (!state.told.insert(std::to_string(item) + "\n" + document.bytes()).second) return;
    WarnAlert().show(Host::getResourceString(Host::FrameworkTexts, item, document, where));
}

// The stored bytes as they are now hold all that could not be read (until the first write that
// drops any, what was unreadable is written back as it was stored): they go aside first.
bool keepAside(Addon& addon, AddonPackages& state, int scope) {
    AddonPackages::Scope& s = state.scopes[scope];
    if (s.copied) return true;
    String document, where;
    if (scope == 0) {
        Stored stored = readModuleData();
        if (!stored.present) { // nothing stored to lose
            s.copied = true;
            return true;
        }
        document = projectName();
        if (stored.fetched) where = storedcopy::keepModuleDataCopy(String(StoreName), stored.text);
    } else {
        std::unique_ptr<Directory> folder = scopeFolder(addon, scope);
        if (folder == nullptr) return false;
        const String name(StoreFileName);
        DataFile file(*folder, name);
        int type = IO::GetItemType(file.getLocation());
        if (type == IO::ItemMissing) {
            s.copied = true;
            return true;
        }
        if (type != IO::ItemFile) return false; // the write cannot replace it either
        document = file.getPath();
        std::string bytes;
        where = storedcopy::readFile(*folder, name, bytes) ? storedcopy::keepFileCopy(*folder, name, bytes)
                                                           : storedcopy::moveFileAside(*folder, name);
    }
    s.copied = !where.isEmpty();
    if (scope == 0)
        tell(state, s.copied ? ModuleDataCopied : ModuleDataNotCopied, document, where);
    else
        tell(state, s.copied ? FileCopied : FileNotCopied, document, where);
    return s.copied;
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
    bool loses = false;
    if (!state.compose(scope, *live, text, changed, loses)) return false;
    if (text.empty()) return true; // the stored data stays as it is
    if (loses && !keepAside(addon, state, scope)) return false;

    bool ok = false;
    if (scope == 0) {
        GSHandle data = stringToHandle(String(text));
        ok = ACAPSetModuleData(data) == hosterr::Ok;
        freeHandle(data);
    } else {
        std::unique_ptr<Directory> folder = scopeFolder(addon, scope);
        ok = folder != nullptr && storedcopy::writeWhole(*folder, String(StoreFileName), text);
    }
    state.scopes[scope].writeFailed = !ok;
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
    // A failed write leaves the host the module data it holds, and the host saves that: what
    // changed since is lost with the project, and the user is told.
    AddonPackages& state = packagesOf(addon);
    state.scopes[0].writeFailed = false;
    if (!addon.savePackages(0) && state.scopes[0].writeFailed)
        tell(state, ModuleDataNotStoredItem, projectName(), String());
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
