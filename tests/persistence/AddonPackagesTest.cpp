// The add-on's packages through the stand-in host: project packages in the module data across
// saves, reopens and project switches; preference files across module reloads; stored data that
// cannot be read is never overwritten by accident.
#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "../Environment/TempFolder.h"
#include "Environment/Directory.h"
#include "Environment/Host.h"
#include "FileBytes.h"
#include "Samples.h"
#include "persistence/PackageStore.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/host/ProjectFile.h"
#include "project/Project.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace samples;
using filebytes::readFile;
using filebytes::writeFile;
using testsupport::ModuleUnderTest;

namespace {

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
        EXPECT_TRUE(host.project()->model.keyedModuleData.empty()); // nothing dropped, nothing aside
        EXPECT_TRUE(host.alerts().shown().empty());
    }

    // A change to the package itself ends the protection; what held its element goes aside first.
    const std::string before = moduleData(host);
    projectPrefs()->level = 2;
    ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
    EXPECT_EQ(moduleData(host).find("/kept.xml"), std::string::npos) << moduleData(host);
    const std::map<std::string, std::string> copies{{"frameworkPreferenceStore.unreadable", before}};
    EXPECT_EQ(host.project()->model.keyedModuleData, copies);
    EXPECT_EQ(host.alerts().shown().size(), 1u);
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

namespace {

const std::string Kept = "<testPrefs><path>/kept.xml</path></testPrefs>";

// Stored documents that cannot be read whole, and one that can, with what of each must survive
// the first write after a change.
struct Damage {
    const char* what;
    std::string stored;
    bool whole;       // it reads whole: nothing goes aside
    std::string kept; // what the rewritten document still holds
    const char* path; // what the project's Prefs read
};

std::vector<Damage> damages() {
    // About 20 kB of settings, cut at 12000 bytes.
    std::string big = "<frameworkPreferenceStore>" + Kept;
    for (int i = 0; big.size() < 20000; ++i)
        big +=
            "<future n=\"" + std::to_string(i) + "\"><x>" + std::string(40, 'a' + i % 26) + "</x></future>";
    big += "</frameworkPreferenceStore>";
    const std::string cut = big.substr(0, 12000);
    const std::string lastWhole = cut.substr(0, cut.rfind("</future>") + 9);
    const std::string lastElement = lastWhole.substr(lastWhole.rfind("<future"));
    return {
        {"cut inside its last element", "<frameworkPreferenceStore>" + Kept + "<counter><value>3", false,
         Kept, "/kept.xml"},
        {"20 kB cut at 12000 bytes", cut, false, lastElement, "/kept.xml"},
        {"garbage in the middle",
         "<frameworkPreferenceStore>" + Kept +
             "<<garbage>><counter><value>3</value></counter></frameworkPreferenceStore>",
         false, Kept, "/kept.xml"},
        {"nothing readable", std::string("\0\x01garbage", 9), false, "", ""},
        {"cut inside its first element", "<frameworkPreferenceStore><testPrefs><path>/kept.xml</pa", false,
         "", ""},
        {"well-formed",
         "<frameworkPreferenceStore>" + Kept +
             "<counter><value>3</value></counter></frameworkPreferenceStore>",
         true, Kept, "/kept.xml"},
    };
}

bool mentions(const zavhost::ShownAlert& alert, const std::string& a, const std::string& b) {
    return alert.type == DGAlertWarning && alert.message.find("\"" + a + "\"") != std::string::npos &&
           (b.empty() || alert.message.find("\"" + b + "\"") != std::string::npos);
}

} // namespace

// A preference file that cannot be read whole keeps what was whole before the fault, stays as it
// is while nothing changes, and goes to a copy beside it before the first write replaces it; the
// user is told once where the copy is.
TEST_F(AddonPackageTest, APreferenceFileThatCannotBeReadWholeGoesAsideBeforeItIsReplaced) {
    int index = 0;
    for (const Damage& d : damages()) {
        SCOPED_TRACE(d.what);
        const std::string folder = temp.path("case" + std::to_string(index++));
        IO::CreateFolder(IO::Location(folder));
        const std::string file = folder + "/frameworkPreferenceStore.xml";
        const std::string copy = folder + "/frameworkPreferenceStore.unreadable.xml";
        writeFile(file, d.stored);
        ModuleUnderTest module([folder] { return new PackageAddon(folder); });
        const auto& alerts = module.host().alerts().shown();
        EXPECT_EQ(getAddon()->loadPackages(), d.whole);
        EXPECT_EQ(userCounter()->value, d.whole ? 3u : 5u); // the counter was never whole
        EXPECT_TRUE(getAddon()->savePackages(1));
        if (!d.whole) {
            EXPECT_EQ(readFile(file), d.stored); // nothing changed, nothing written
        }

        userCounter()->value = 6;
        EXPECT_TRUE(getAddon()->savePackages(1));
        const std::string now = readFile(file);
        EXPECT_NE(now.find("<value>6</value>"), std::string::npos) << now;
        if (!d.kept.empty()) {
            EXPECT_NE(now.find(d.kept), std::string::npos) << now;
        }
        if (d.whole) {
            EXPECT_EQ(readFile(copy), "<missing>");
            EXPECT_TRUE(alerts.empty());
            continue;
        }
        EXPECT_EQ(readFile(copy), d.stored);
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_TRUE(mentions(alerts[0], file, copy)) << alerts[0].message;

        userCounter()->value = 7;
        EXPECT_TRUE(getAddon()->savePackages(1));
        EXPECT_TRUE(getAddon()->loadPackages()); // whole now
        EXPECT_EQ(userCounter()->value, 7u);

        // Damaged the same way again in the same session: the same copy serves, and the user was
        // told already.
        writeFile(file, d.stored);
        EXPECT_FALSE(getAddon()->loadPackages());
        userCounter()->value = 8;
        EXPECT_TRUE(getAddon()->savePackages(1));
        EXPECT_EQ(readFile(copy), d.stored);
        EXPECT_EQ(readFile(folder + "/frameworkPreferenceStore.unreadable-2.xml"), "<missing>");
        EXPECT_EQ(alerts.size(), 1u);
    }
}

// The same for the project's module data: the copy goes under a key of its own in the project and
// travels with it.
TEST_F(AddonPackageTest, ModuleDataThatCannotBeReadWholeGoesAsideBeforeItIsReplaced) {
    const std::string key = "frameworkPreferenceStore.unreadable";
    for (const Damage& d : damages()) {
        SCOPED_TRACE(d.what);
        std::string path = projectWith(d.stored, "damaged");
        ModuleUnderTest module([this] { return new PackageAddon(temp.path(), true, false, true); }, false);
        zavhost::StandInHost& host = module.host();
        const auto& alerts = host.alerts().shown();
        ASSERT_EQ(host.openProject(path), hosterr::Ok);
        EXPECT_EQ(addon().lastLoadFailed, !d.whole);
        EXPECT_EQ(projectPrefs()->path, d.path);
        EXPECT_EQ(projectCounter()->value, d.whole ? 3u : 5u);
        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        if (!d.whole) {
            EXPECT_EQ(moduleData(host), d.stored);
        }
        EXPECT_TRUE(host.project()->model.keyedModuleData.empty());

        projectCounter()->value = 8; // a change of another package than the one read
        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        EXPECT_FALSE(addon().lastLoadFailed);
        EXPECT_EQ(projectCounter()->value, 8u);
        EXPECT_EQ(projectPrefs()->path, d.path);
        // The Prefs package writes its own element; others' elements are carried over as stored.
        if (!d.kept.empty() && d.kept != Kept) {
            EXPECT_NE(moduleData(host).find(d.kept), std::string::npos) << moduleData(host);
        }
        if (d.whole) {
            EXPECT_TRUE(host.project()->model.keyedModuleData.empty());
            EXPECT_TRUE(alerts.empty());
            continue;
        }
        const std::map<std::string, std::string> copies{{key, d.stored}};
        EXPECT_EQ(host.project()->model.keyedModuleData, copies); // saved with the project
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_TRUE(mentions(alerts[0], path, key)) << alerts[0].message;

        // The damaged project once more, in the same session: copied again, told once.
        path = projectWith(d.stored, "damaged");
        ASSERT_EQ(host.openProject(path), hosterr::Ok);
        projectCounter()->value = 9;
        ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
        EXPECT_EQ(host.project()->model.keyedModuleData, copies);
        EXPECT_EQ(alerts.size(), 1u);
    }
}

// Settings cut short after a package whose record is refused: the first save with a change drops
// the cut bytes, the second the refused element. The copy kept aside at the first save holds what
// was stored and is never written over: in one session it serves both saves; stored data read
// afresh between them goes to a copy of its own.
TEST_F(AddonPackageTest, TheCopyKeptAsideAtTheFirstSaveIsNotWrittenOverAtTheSecond) {
    const std::string refused = "<testPrefs><path>/kept.xml</path><level>666</level></testPrefs>";
    const std::string stored = "<frameworkPreferenceStore>" + refused + "<counter><value>3";
    for (bool readBetween : {false, true}) {
        SCOPED_TRACE(readBetween ? "read afresh between the saves" : "one session");
        const std::string folder = temp.path(readBetween ? "afresh" : "session");
        IO::CreateFolder(IO::Location(folder));
        const std::string file = folder + "/frameworkPreferenceStore.xml";
        const std::string copy = folder + "/frameworkPreferenceStore.unreadable.xml";
        const std::string second = folder + "/frameworkPreferenceStore.unreadable-2.xml";
        writeFile(file, stored);
        ModuleUnderTest module([folder] {
            auto* made = new PackageAddon(folder);
            Prefs prefs;
            made->registerPackage(prefs, 1);
            return made;
        });
        const auto& alerts = module.host().alerts().shown();
        auto prefs = [] {
            return static_cast<Prefs*>(getAddon()->getPackageStore(1)->getPackage(Prefs::Code));
        };
        EXPECT_FALSE(getAddon()->loadPackages());
        ASSERT_NE(prefs(), nullptr);

        userCounter()->value = 6;
        EXPECT_TRUE(getAddon()->savePackages(1));
        const std::string first = readFile(file);
        EXPECT_NE(first.find(refused), std::string::npos) << first;
        EXPECT_EQ(readFile(copy), stored);

        if (readBetween) {
            EXPECT_FALSE(getAddon()->loadPackages()); // the refused record again
        }
        prefs()->path = String("/chosen.xml");
        EXPECT_TRUE(getAddon()->savePackages(1));
        const std::string now = readFile(file);
        EXPECT_EQ(now.find("666"), std::string::npos) << now;
        EXPECT_NE(now.find("/chosen.xml"), std::string::npos) << now;
        EXPECT_NE(now.find("<value>6</value>"), std::string::npos) << now;
        EXPECT_EQ(readFile(copy), stored);
        EXPECT_EQ(readFile(second), readBetween ? first : "<missing>");
        ASSERT_EQ(alerts.size(), 1u); // told once of the file
        EXPECT_TRUE(mentions(alerts[0], file, copy)) << alerts[0].message;
    }
}

// When no copy can be kept, nothing stored is written over, and the user is told once.
TEST_F(AddonPackageTest, WithoutRoomForACopyUnreadableSettingsAreNotReplaced) {
    const std::string stored = "<frameworkPreferenceStore>" + Kept + "<counter><value>3";
    {
        zavhost::Project file;
        file.name = "full";
        file.model.moduleData = stored;
        for (int n = 1; n <= 100; ++n)
            file.model.keyedModuleData["frameworkPreferenceStore.unreadable" +
                                       (n == 1 ? std::string() : "-" + std::to_string(n))] = "older";
        std::string why;
        ASSERT_TRUE(zavhost::ProjectFile::save(file, projectFile("full"), &why)) << why;
    }
    ModuleUnderTest module([this] { return new PackageAddon(temp.path(), true, false, true); }, false);
    zavhost::StandInHost& host = module.host();
    const auto& alerts = host.alerts().shown();
    ASSERT_EQ(host.openProject(projectFile("full")), hosterr::Ok);
    for (unsigned value : {8u, 9u}) {
        projectCounter()->value = value;
        EXPECT_FALSE(getAddon()->savePackages(0));
        ASSERT_EQ(host.saveProject(projectFile("full")), hosterr::Ok);
        EXPECT_EQ(moduleData(host), stored);
        EXPECT_EQ(host.project()->model.keyedModuleData.size(), 100u);
    }
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_TRUE(mentions(alerts[0], projectFile("full"), "")) << alerts[0].message;
    EXPECT_NE(alerts[0].message.find("no copy"), std::string::npos) << alerts[0].message;

    writeFile(prefsFile(), stored);
    for (int n = 1; n <= 100; ++n)
        writeFile(temp.path(n == 1 ? "frameworkPreferenceStore.unreadable.xml"
                                   : "frameworkPreferenceStore.unreadable-" + std::to_string(n) + ".xml"),
                  "older");
    Counter counter;
    counter.value = 5;
    getAddon()->registerPackage(counter, 1); // reads the file
    EXPECT_FALSE(getAddon()->loadPackages());
    for (unsigned value : {8u, 9u}) {
        userCounter()->value = value;
        EXPECT_FALSE(getAddon()->savePackages(1));
        EXPECT_EQ(readFile(prefsFile()), stored);
    }
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_TRUE(mentions(alerts[1], prefsFile(), "")) << alerts[1].message;
}

TEST_F(AddonPackageTest, ASaveThatCannotStoreTheSettingsSaysSoOncePerProject) {
    ModuleUnderTest module(factory());
    zavhost::StandInHost& host = module.host();
    ASSERT_EQ(host.saveProject(projectFile("kept")), hosterr::Ok);
    EXPECT_TRUE(host.alerts().shown().empty());
    const std::string stored = moduleData(host);

    projectPrefs()->path = String("/changed.xml");
    host.faults().set("SetModuleData", 1, 100, hosterr::Failed);
    ASSERT_EQ(host.saveProject(projectFile("kept")), hosterr::Ok); // the host saves what it holds
    EXPECT_EQ(moduleData(host), stored);
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    const zavhost::ShownAlert& alert = host.alerts().shown().back();
    EXPECT_EQ(alert.type, DGAlertWarning);
    EXPECT_NE(alert.message.find("could not be stored with the project \"" + projectFile("kept") + "\""),
              std::string::npos)
        << alert.message;
    EXPECT_NE(alert.message.find("those changed since are lost"), std::string::npos) << alert.message;
    ASSERT_EQ(host.saveProject(projectFile("kept")), hosterr::Ok);
    EXPECT_EQ(host.alerts().shown().size(), 1u);

    // Once the host takes the settings again, the change goes in and nothing more is said.
    host.faults().clear();
    ASSERT_EQ(host.saveProject(projectFile("kept")), hosterr::Ok);
    EXPECT_NE(moduleData(host).find("/changed.xml"), std::string::npos);
    EXPECT_EQ(host.alerts().shown().size(), 1u);
}
