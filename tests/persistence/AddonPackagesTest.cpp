// The add-on's packages through the stand-in host: project packages in the module data across
// saves, reopens and project switches; preference files across module reloads; stored data that
// cannot be read is never overwritten by accident.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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
    explicit PackageAddon(const std::string& folder, bool projectPackages = true, bool userPackages = true)
        : m_folder(folder) {
        Prefs prefs;
        Counter counter;
        counter.value = 5;
        if (projectPackages) registerPackage(prefs, 0);
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
    std::string moduleData(zavhost::StandInHost& host) {
        const auto& data = host.project()->model.moduleData;
        return data ? *data : "<none>";
    }

    TempFolder temp;
};

} // namespace

TEST_F(AddonPackageTest, ProjectPackagesSurviveASaveAndReopen) {
    ModuleUnderTest module(factory());
    ASSERT_EQ(module.attachResult(), hosterr::Ok);
    zavhost::StandInHost& host = module.host();
    ASSERT_NE(projectPrefs(), nullptr);
    EXPECT_TRUE(getAddon()->isPackageRegistered(Prefs::Code, 0));
    EXPECT_FALSE(getAddon()->isPackageRegistered(Prefs::Code, 1));
    projectPrefs()->path = String("/specs/house <1>.xml");
    projectPrefs()->warned = false;

    ASSERT_EQ(host.saveAndReopenProject(projectFile("house")), hosterr::Ok);
    EXPECT_NE(moduleData(host).find("<testPrefs>"), std::string::npos);
    ASSERT_NE(projectPrefs(), nullptr);
    EXPECT_EQ(projectPrefs()->path, "/specs/house <1>.xml");
    EXPECT_FALSE(projectPrefs()->warned);
    EXPECT_FALSE(addon().lastLoadFailed);
}

TEST_F(AddonPackageTest, ANewProjectStartsFromTheRegisteredDefaults) {
    ModuleUnderTest module(factory());
    zavhost::StandInHost& host = module.host();
    projectPrefs()->path = String("/first.xml");
    ASSERT_EQ(host.saveProject(projectFile("first")), hosterr::Ok);

    host.newProject("Second");
    ASSERT_NE(projectPrefs(), nullptr);
    EXPECT_EQ(projectPrefs()->path, "");
    EXPECT_TRUE(projectPrefs()->warned);
    projectPrefs()->path = String("/second.xml");

    ASSERT_EQ(host.openProject(projectFile("first")), hosterr::Ok);
    EXPECT_EQ(projectPrefs()->path, "/first.xml");
    host.closeProject();
    EXPECT_EQ(projectPrefs()->path, ""); // the object lives on, the closed project's values do not
}

TEST_F(AddonPackageTest, WithoutProjectPackagesTheModuleDataIsLeftAlone) {
    ModuleUnderTest module(factory(false, false));
    zavhost::StandInHost& host = module.host();
    size_t from = host.calls().size();
    ASSERT_EQ(host.saveAndReopenProject(projectFile("plain")), hosterr::Ok);
    EXPECT_EQ(moduleData(host), "<none>");
    EXPECT_FALSE(host.calls().contains("ModuleData", from)) << host.calls().texts(from);
}

TEST_F(AddonPackageTest, UnreadableModuleDataIsKeptUntilSomethingIsChanged) {
    const std::string corrupt[] = {
        "<frameworkPreferenceStore><testPrefs><path>/kept.xml</path><level>abc</level>",
        "<frameworkPreferenceStore><testPrefs><path>/kept.xml</path><level>666</level></testPrefs>"
        "</frameworkPreferenceStore>",
        std::string("\0\x01garbage", 9),
    };
    for (const std::string& stored : corrupt) {
        zavhost::Project file;
        file.name = "Damaged";
        file.model.moduleData = stored;
        std::string path = projectFile("damaged");
        std::string why;
        ASSERT_TRUE(zavhost::ProjectFile::save(file, path, &why)) << why;

        ModuleUnderTest module(factory(), false);
        zavhost::StandInHost& host = module.host();
        ASSERT_EQ(host.openProject(path), hosterr::Ok);
        EXPECT_TRUE(addon().lastLoadFailed);
        ASSERT_NE(projectPrefs(), nullptr);
        EXPECT_EQ(projectPrefs()->path, ""); // running on its defaults, nothing half-read

        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        EXPECT_EQ(moduleData(host), stored);
        EXPECT_TRUE(getAddon()->savePackages(0));
        EXPECT_EQ(moduleData(host), stored);

        projectPrefs()->path = String("/chosen.xml"); // a deliberate change replaces the stored data
        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        EXPECT_FALSE(addon().lastLoadFailed);
        EXPECT_EQ(projectPrefs()->path, "/chosen.xml");
    }
}

TEST_F(AddonPackageTest, SetPackageReplacesAndAnnouncesTheChange) {
    ModuleUnderTest module(factory());
    Prefs replacement;
    replacement.level = 3;
    Host::getProject()->setPackage(replacement, true);
    EXPECT_EQ(addon().changedCode, Prefs::Code);
    EXPECT_EQ(projectPrefs()->level, 3u);
    addon().changedCode = 0;
    Host::getProject()->setPackage(replacement, false);
    EXPECT_EQ(addon().changedCode, 0u);
    // The project's own reset keeps its packages.
    Host::getProject()->reset();
    EXPECT_EQ(projectPrefs()->level, 3u);
}

TEST_F(AddonPackageTest, APackageRegisteredLateStartsFromTheStoredData) {
    ModuleUnderTest module(factory(false, false));
    zavhost::StandInHost& host = module.host();
    host.project()->model.moduleData =
        "<frameworkPreferenceStore><testPrefs><path>/late.xml</path></testPrefs></frameworkPreferenceStore>";
    Prefs prefs;
    getAddon()->registerPackage(prefs, 0);
    ASSERT_NE(projectPrefs(), nullptr);
    EXPECT_EQ(projectPrefs()->path, "/late.xml");
}

TEST_F(AddonPackageTest, ThePreferenceFileSurvivesAModuleReload) {
    std::string file = temp.path("frameworkPreferenceStore.xml");
    {
        ModuleUnderTest module(factory());
        ASSERT_NE(userCounter(), nullptr);
        EXPECT_EQ(userCounter()->value, 5u);
        userCounter()->value = 77;
        EXPECT_TRUE(getAddon()->savePackages(1));
        EXPECT_TRUE(getAddon()->savePackages(2)); // nothing registered there: nothing to write
    }
    EXPECT_NE(readFile(file).find("<value>77</value>"), std::string::npos);
    EXPECT_EQ(readFile(file + ".tmp"), "<missing>");
    ModuleUnderTest again(factory());
    ASSERT_NE(userCounter(), nullptr);
    EXPECT_EQ(userCounter()->value, 77u);
}

TEST_F(AddonPackageTest, AnUnreadablePreferenceFileIsKeptUntilSomethingIsChanged) {
    std::string file = temp.path("frameworkPreferenceStore.xml");
    const std::string stored = "<frameworkPreferenceStore><counter><value>-3</value></counter>";
    writeFile(file, stored);
    ModuleUnderTest module(factory());
    EXPECT_EQ(userCounter()->value, 5u);
    EXPECT_FALSE(getAddon()->loadPackages());
    EXPECT_TRUE(getAddon()->savePackages(1));
    EXPECT_EQ(readFile(file), stored);
    userCounter()->value = 6;
    EXPECT_TRUE(getAddon()->savePackages(1));
    EXPECT_NE(readFile(file).find("<value>6</value>"), std::string::npos);
    EXPECT_TRUE(getAddon()->loadPackages());
}

TEST_F(AddonPackageTest, AFailedWriteLeavesThePreferenceFileWhole) {
    std::string file = temp.path("frameworkPreferenceStore.xml");
    {
        ModuleUnderTest module(factory());
        userCounter()->value = 8;
        ASSERT_TRUE(getAddon()->savePackages(1));
    }
    std::string before = readFile(file);
    // A folder in the way of the temporary file makes the write fail.
    IO::CreateFolder(IO::Location(file + ".tmp"));
    ModuleUnderTest module(factory());
    userCounter()->value = 9;
    EXPECT_FALSE(getAddon()->savePackages(1));
    EXPECT_EQ(readFile(file), before);
    IO::DeleteTree(IO::Location(file + ".tmp"));
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
