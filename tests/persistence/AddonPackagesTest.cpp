// The add-on's packages through the stand-in host: project packages in the module data across
// saves, reopens and project switches; preference files across module reloads; stored data that
// cannot be read is never overwritten by accident.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "../Environment/TempFolder.h"
#include "Environment/Directory.h"
#include "Environment/Host.h"
#include "Samples.h"
#include "persistence/PackageStore.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/host/ProjectFile.h"
#include "project/Project.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace samples;
using testsupport::ModuleUnderTest;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return in ? bytes.str() : std::string("<missing>");
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Registers a Prefs package in the project scope and a Counter in scope 1, whose folder the test
// chooses; counts the loads it is told about.
class PackageAddon : public Addon {
public:
    explicit PackageAddon(const std::string& folder, bool projectPackages = true, bool userPackages = true,
                          bool projectCounter = false)
        : m_folder(folder) {
        Prefs prefs;
        Counter counter;
        counter.value = 5;
        if (projectPackages) registerPackage(prefs, 0);
        if (projectCounter) registerPackage(counter, 0);
        if (userPackages) registerPackage(counter, 1);
    }
    std::unique_ptr<Directory> getScope1Folder() override {
        return m_folder.empty() ? nullptr : std::make_unique<Directory>(IO::Location(m_folder));
    }
    bool handleEvent(Event& event) override {
        if (auto* project = dynamic_cast<ProjectEvent*>(&event)) {
            if (project->getNotification() == static_cast<uint32_t>(ProjectEvent::PackagesLoaded))
                lastLoadFailed = project->getParameter() != 0;
            if (project->getNotification() == static_cast<uint32_t>(ProjectEvent::PackagesChanged))
                changedCode = static_cast<uint32_t>(project->getParameter());
        }
        return Addon::handleEvent(event);
    }

    bool lastLoadFailed = false;
    uint32_t changedCode = 0;

private:
    std::string m_folder;
};

PackageAddon& addon() {
    return static_cast<PackageAddon&>(*getAddon());
}

Prefs* projectPrefs() {
    Project* project = Host::getProject();
    return project ? static_cast<Prefs*>(project->getPackage(Prefs::Code)) : nullptr;
}

Counter* projectCounter() {
    Project* project = Host::getProject();
    return project ? static_cast<Counter*>(project->getPackage(Counter::Code)) : nullptr;
}

Counter* userCounter() {
    return static_cast<Counter*>(getAddon()->getPackageStore(1)->getPackage(Counter::Code));
}

class AddonPackageTest : public ::testing::Test {
protected:
    void SetUp() override { DBSetQuiet(true); }
    std::function<Addon*()> factory(bool projectPackages = true, bool userPackages = true) {
        std::string folder = temp.path();
        return [=] { return new PackageAddon(folder, projectPackages, userPackages); };
    }
    std::string projectFile(const char* name) { return temp.path(std::string(name) + ".zavproj"); }
    std::string prefsFile() { return temp.path("frameworkPreferenceStore.xml"); }
    // A project file whose module data holds stored.
    std::string projectWith(const std::string& stored, const char* name = "stored") {
        zavhost::Project file;
        file.name = name;
        file.model.moduleData = stored;
        std::string path = projectFile(name);
        std::string why;
        EXPECT_TRUE(zavhost::ProjectFile::save(file, path, &why)) << why;
        return path;
    }
    std::string moduleData(zavhost::StandInHost& host) {
        const auto& data = host.project()->model.moduleData;
        return data ? *data : "<none>";
    }

    TempFolder temp;
};

} // namespace

TEST_F(AddonPackageTest, ProjectPackagesAreSetSavedReopenedAndResetForANewProject) {
    ModuleUnderTest module(factory());
    ASSERT_EQ(module.attachResult(), hosterr::Ok);
    zavhost::StandInHost& host = module.host();
    ASSERT_NE(projectPrefs(), nullptr);
    EXPECT_TRUE(getAddon()->isPackageRegistered(Prefs::Code, 0));
    EXPECT_FALSE(getAddon()->isPackageRegistered(Prefs::Code, 1));
    Prefs replacement;
    replacement.level = 3;
    Host::getProject()->setPackage(replacement, true); // replaces, and announces the change
    EXPECT_EQ(addon().changedCode, Prefs::Code);
    EXPECT_EQ(projectPrefs()->level, 3u);
    addon().changedCode = 0;
    Host::getProject()->setPackage(replacement, false);
    EXPECT_EQ(addon().changedCode, 0u);
    Host::getProject()->reset(); // the project's own reset keeps its packages
    EXPECT_EQ(projectPrefs()->level, 3u);
    projectPrefs()->path = String("/specs/house <1>.xml");
    projectPrefs()->warned = false;

    ASSERT_EQ(host.saveAndReopenProject(projectFile("house")), hosterr::Ok);
    EXPECT_NE(moduleData(host).find("<testPrefs>"), std::string::npos);
    ASSERT_NE(projectPrefs(), nullptr);
    EXPECT_EQ(projectPrefs()->path, "/specs/house <1>.xml");
    EXPECT_FALSE(projectPrefs()->warned);
    EXPECT_EQ(projectPrefs()->level, 3u);
    EXPECT_FALSE(addon().lastLoadFailed);

    host.newProject("Second");
    ASSERT_NE(projectPrefs(), nullptr);
    EXPECT_EQ(projectPrefs()->path, "");
    EXPECT_TRUE(projectPrefs()->warned);
    projectPrefs()->path = String("/second.xml");
    ASSERT_EQ(host.openProject(projectFile("house")), hosterr::Ok);
    EXPECT_EQ(projectPrefs()->path, "/specs/house <1>.xml");
    host.closeProject();
    EXPECT_EQ(projectPrefs()->path, ""); // the object lives on, the closed project's values do not
}

TEST_F(AddonPackageTest, WithoutProjectPackagesTheModuleDataIsLeftAloneUntilOneIsRegistered) {
    ModuleUnderTest module(factory(false, false));
    zavhost::StandInHost& host = module.host();
    size_t from = host.calls().size();
    ASSERT_EQ(host.saveAndReopenProject(projectFile("plain")), hosterr::Ok);
    EXPECT_EQ(moduleData(host), "<none>");
    EXPECT_FALSE(host.calls().contains("ModuleData", from)) << host.calls().texts(from);

    // One registered late starts from the stored data.
    host.project()->model.moduleData =
        "<frameworkPreferenceStore><testPrefs><path>/late.xml</path></testPrefs></frameworkPreferenceStore>";
    Prefs prefs;
    getAddon()->registerPackage(prefs, 0);
    ASSERT_NE(projectPrefs(), nullptr);
    EXPECT_EQ(projectPrefs()->path, "/late.xml");
}

TEST_F(AddonPackageTest, UnreadableModuleDataIsKeptUntilSomethingIsChanged) {
    const std::string refused = "<testPrefs><path>/kept.xml</path><level>666</level></testPrefs>";
    struct Case {
        std::string stored;
        std::string kept; // what every unchanged save must leave in the module data
    } cases[] = {
        // Not even well-formed: kept whole.
        {"<frameworkPreferenceStore><testPrefs><path>/kept.xml</path><level>abc</level>", ""},
        {std::string("\0\x01garbage", 9), ""},
        // A record refused after reading: its element is kept as stored.
        {"<frameworkPreferenceStore>" + refused + "</frameworkPreferenceStore>", refused},
        {refused, refused}, // a document of the one package
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        std::string path = projectWith(c.stored, "damaged");
        ModuleUnderTest module(factory(), false);
        zavhost::StandInHost& host = module.host();
        ASSERT_EQ(host.openProject(path), hosterr::Ok);
        EXPECT_TRUE(addon().lastLoadFailed);
        ASSERT_NE(projectPrefs(), nullptr);
        EXPECT_EQ(projectPrefs()->path, ""); // running on its defaults, nothing half-read

        for (int save = 0; save < 2; ++save) {
            ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
            if (c.kept.empty())
                EXPECT_EQ(moduleData(host), c.stored);
            else
                EXPECT_NE(moduleData(host).find(c.kept), std::string::npos) << moduleData(host);
            EXPECT_TRUE(addon().lastLoadFailed);
        }

        projectPrefs()->path = String("/chosen.xml"); // a deliberate change replaces the stored data
        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        EXPECT_FALSE(addon().lastLoadFailed);
        EXPECT_EQ(projectPrefs()->path, "/chosen.xml");
        EXPECT_EQ(moduleData(host).find("666"), std::string::npos);
    }
}

// Module data of a counter and of a package whose record is refused: the counter loads and
// saves as usual, and edits to it never write defaults over the other package's stored element.
TEST_F(AddonPackageTest, AnUnreadablePackageKeepsItsElementThroughOtherEdits) {
    const std::string refused = "<testPrefs>\n\t<path>/kept.xml</path>\n\t<level>666</level>\n</testPrefs>";
    std::string path =
        projectWith("<?xml version=\"1.0\"?>\n<frameworkPreferenceStore>\n<counter><value>4</value>"
                    "</counter>" +
                    refused + "</frameworkPreferenceStore>");
    ModuleUnderTest module([this] { return new PackageAddon(temp.path(), true, false, true); }, false);
    zavhost::StandInHost& host = module.host();
    ASSERT_EQ(host.openProject(path), hosterr::Ok);
    EXPECT_TRUE(addon().lastLoadFailed);
    ASSERT_NE(projectCounter(), nullptr);
    EXPECT_EQ(projectCounter()->value, 4u); // read, though its neighbour was refused
    EXPECT_EQ(projectPrefs()->path, "");

    for (unsigned value : {9u, 10u}) {
        projectCounter()->value = value;
        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        EXPECT_NE(moduleData(host).find(refused), std::string::npos) << moduleData(host);
        EXPECT_EQ(projectCounter()->value, value);
        EXPECT_EQ(projectPrefs()->path, "");
        EXPECT_TRUE(addon().lastLoadFailed);
    }

    // A change to the package itself ends the protection.
    projectPrefs()->level = 2;
    ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
    EXPECT_EQ(moduleData(host).find("/kept.xml"), std::string::npos) << moduleData(host);
    EXPECT_FALSE(addon().lastLoadFailed);
    EXPECT_EQ(projectPrefs()->level, 2u);
    EXPECT_EQ(projectCounter()->value, 10u);
}

// Elements of packages not registered are carried along; one registered late reads its element
// then, under the same rule.
TEST_F(AddonPackageTest, ElementsOfUnregisteredPackagesAreWrittenBack) {
    struct Case {
        const char* stored;
        bool readable;
    } cases[] = {
        {"<counter><value>12</value></counter>", true},
        {"<counter><value>-3</value></counter>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const std::string future = "<future version=\"3\"><x>&lt;1&gt;</x><y/></future>";
        std::string path =
            projectWith("<frameworkPreferenceStore>" + future + c.stored +
                        "<testPrefs><path>/read.xml</path></testPrefs></frameworkPreferenceStore>");
        ModuleUnderTest module(factory(true, false), false);
        zavhost::StandInHost& host = module.host();
        ASSERT_EQ(host.openProject(path), hosterr::Ok);
        EXPECT_FALSE(addon().lastLoadFailed);
        EXPECT_EQ(projectPrefs()->path, "/read.xml");
        projectPrefs()->path = String("/edited.xml");
        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        EXPECT_NE(moduleData(host).find(future), std::string::npos) << moduleData(host);
        EXPECT_NE(moduleData(host).find(c.stored), std::string::npos) << moduleData(host);

        Counter counter;
        counter.value = 5;
        getAddon()->registerPackage(counter, 0);
        ASSERT_NE(projectCounter(), nullptr);
        EXPECT_EQ(projectCounter()->value, c.readable ? 12u : 5u);
        projectPrefs()->path = String("/again.xml"); // an unrelated edit
        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        EXPECT_NE(moduleData(host).find(future), std::string::npos) << moduleData(host);
        EXPECT_EQ(moduleData(host).find(c.stored) != std::string::npos, !c.readable) << moduleData(host);
        EXPECT_NE(moduleData(host).find("<counter>"), std::string::npos);
        EXPECT_EQ(projectCounter()->value, c.readable ? 12u : 5u);
    }
}

// Nothing of one project reaches the next, whether or not the add-on registered the package.
TEST_F(AddonPackageTest, AnotherProjectStartsWithoutTheLastOnesPackages) {
    struct Forgetful : Counter {
        std::unique_ptr<Package> clone() const override { return std::make_unique<Forgetful>(*this); }
        bool keepOnReset() const override { return false; }
    };
    for (bool open : {false, true}) {
        SCOPED_TRACE(open ? "open" : "new");
        std::string other = projectWith("", "other");
        ModuleUnderTest module(factory(false, false));
        zavhost::StandInHost& host = module.host();
        auto held = std::make_shared<Forgetful>();
        held->value = 7;
        Host::getProject()->getPackageStore().sharePackage(held);
        Prefs prefs;
        prefs.path = String("/first.xml");
        Host::getProject()->setPackage(prefs, false);

        ASSERT_EQ(open ? host.openProject(other) : host.newProject("Second"), hosterr::Ok);
        EXPECT_EQ(Host::getProject()->getPackage(Prefs::Code), nullptr);
        EXPECT_EQ(Host::getProject()->getPackage(Counter::Code), nullptr);
        EXPECT_EQ(held->value, 0u); // reset as it left the project
    }
}

// A failed write, a changed mode or a temporary file left behind (by a crash, or planted as a link)
// never costs the file its contents, and the file is read again by the next module.
TEST_F(AddonPackageTest, ThePreferenceFileSurvivesModuleReloadsAndFailedWrites) {
    const std::string file = prefsFile(), tmp = file + ".tmp";
    {
        ModuleUnderTest module(factory());
        ASSERT_NE(userCounter(), nullptr);
        EXPECT_EQ(userCounter()->value, 5u);
        userCounter()->value = 77;
        EXPECT_TRUE(getAddon()->savePackages(1));
        EXPECT_TRUE(getAddon()->savePackages(2)); // nothing registered there: nothing to write
    }
    const std::string before = readFile(file);
    EXPECT_NE(before.find("<value>77</value>"), std::string::npos);
    EXPECT_EQ(readFile(tmp), "<missing>");
    // A folder in the way of the temporary file makes the write fail, and is left alone.
    IO::CreateFolder(IO::Location(tmp));
    ModuleUnderTest module(factory());
    ASSERT_NE(userCounter(), nullptr);
    EXPECT_EQ(userCounter()->value, 77u);
    userCounter()->value = 9;
    EXPECT_FALSE(getAddon()->savePackages(1));
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(IO::GetItemType(IO::Location(tmp)), IO::ItemFolder);
    IO::DeleteTree(IO::Location(tmp));
    EXPECT_TRUE(getAddon()->savePackages(1));
    EXPECT_NE(readFile(file).find("<value>9</value>"), std::string::npos);

    for (mode_t mode : {0600, 0640, 0604, 0666}) {
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        userCounter()->value = mode;
        ASSERT_TRUE(getAddon()->savePackages(1));
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_NE(readFile(file).find("<value>" + std::to_string(mode) + "</value>"), std::string::npos);
        EXPECT_EQ(readFile(tmp), "<missing>");
    }

    const std::string other = temp.path("other.txt");
    writeFile(other, "precious");
    ASSERT_EQ(::symlink(other.c_str(), tmp.c_str()), 0);
    userCounter()->value = 11;
    EXPECT_TRUE(getAddon()->savePackages(1));
    EXPECT_EQ(readFile(other), "precious");
    EXPECT_NE(readFile(file).find("<value>11</value>"), std::string::npos);
}

TEST_F(AddonPackageTest, AnUnreadablePreferenceFileIsKeptUntilSomethingIsChanged) {
    const std::string stored = "<frameworkPreferenceStore><counter><value>-3</value></counter>";
    writeFile(prefsFile(), stored);
    ModuleUnderTest module(factory());
    EXPECT_EQ(userCounter()->value, 5u);
    EXPECT_FALSE(getAddon()->loadPackages());
    EXPECT_TRUE(getAddon()->savePackages(1));
    EXPECT_EQ(readFile(prefsFile()), stored);
    userCounter()->value = 6;
    EXPECT_TRUE(getAddon()->savePackages(1));
    EXPECT_NE(readFile(prefsFile()).find("<value>6</value>"), std::string::npos);
    EXPECT_TRUE(getAddon()->loadPackages());
}

TEST_F(AddonPackageTest, WithoutAFolderPreferencesStayInMemory) {
    ModuleUnderTest module([] { return new PackageAddon(std::string()); });
    ASSERT_NE(userCounter(), nullptr);
    EXPECT_EQ(userCounter()->value, 5u);
    EXPECT_FALSE(getAddon()->savePackages(1));
    EXPECT_FALSE(getAddon()->savePackages(3));
    EXPECT_EQ(getAddon()->getPackageStore(3), nullptr);
    PackageStore collected;
    getAddon()->collectPackages(1, collected);
    EXPECT_TRUE(collected.hasPackage(Counter::Code));
}
