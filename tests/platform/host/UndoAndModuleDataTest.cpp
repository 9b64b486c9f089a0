#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

#include "HostTestSupport.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"
#include "platform/io/FileSystem.h"

using namespace zavhost;

TEST_F(HostTest, UndoableCommandsMakeOneNamedStepOrNone) {
    ASSERT_EQ(attach(), hosterr::Ok);
    EXPECT_EQ(choose(rawmodule::UndoableStep), hosterr::NoProject);
    host.newProject("Undo");
    EXPECT_EQ(choose(rawmodule::UndoableStep), hosterr::Ok);
    ASSERT_EQ(host.project()->undoSteps.size(), 1u);
    EXPECT_EQ(host.project()->undoSteps[0].name, "Raw Step");
    EXPECT_EQ(moduleData(), "step data");
    EXPECT_TRUE(host.transcript().contains("undo step \"Raw Step\""));

    // Nested: one step under the outer name.
    EXPECT_EQ(choose(rawmodule::NestedSteps), hosterr::Ok);
    EXPECT_EQ(rawmodule::record().nestedInner, hosterr::Ok);
    ASSERT_EQ(host.project()->undoSteps.size(), 2u);
    EXPECT_EQ(host.project()->undoSteps[1].name, "Outer Step");
    EXPECT_EQ(moduleData(), "outer+inner");
    EXPECT_FALSE(host.insideCommand());

    // Failed: no step, and the project as it was.
    host.project()->model.texts["city"] = "Leeds";
    ProjectModel before = host.project()->model;
    EXPECT_EQ(choose(rawmodule::FailingStep), hosterr::Failed);
    EXPECT_EQ(host.project()->undoSteps.size(), 2u);
    EXPECT_EQ(host.project()->model, before);

    // Inside a notification: refused, no step.
    ASSERT_EQ(choose(rawmodule::ArmNotificationStep), hosterr::Ok);
    host.sendProjectNotification(ProjectChangeWorkspace);
    EXPECT_EQ(rawmodule::record().notificationStep, hosterr::Refused);
    EXPECT_EQ(host.project()->undoSteps.size(), 2u);
    EXPECT_EQ(moduleData(), "outer+inner");
    EXPECT_FALSE(host.insideNotification());
    EXPECT_EQ(choose(rawmodule::UndoableStep), hosterr::Ok); // outside the notification it runs
}

TEST_F(HostTest, ModuleDataRequestsCountAsNotifications) {
    bool sawInside = false;
    static bool* seen = nullptr;
    seen = &sawInside;
    host.installModuleDataHandler([](uint32_t) {
        *seen = StandInHost::current()->insideNotification();
        return hosterr::Ok;
    });
    host.newProject("Data");
    std::string path = std::string(::testing::TempDir()) + "host-data.zavproj";
    EXPECT_EQ(host.saveProject(path), hosterr::Ok);
    EXPECT_TRUE(sawInside);
    EXPECT_FALSE(host.insideNotification());
    std::remove(path.c_str());
}

TEST_F(HostTest, ModuleDataIsCopiedBothWays) {
    HostFunctionTable& table = host.functionTable();
    GSHandle out = nullptr;
    EXPECT_EQ(table.GetModuleData(&out), hosterr::NoProject);
    host.newProject("Copies");
    EXPECT_EQ(table.GetModuleData(&out), hosterr::NotFound);
    EXPECT_EQ(out, nullptr);
    GSHandle in = BMNewHandle(3);
    std::memcpy(*in, "abc", 3);
    EXPECT_EQ(table.SetModuleData(in), hosterr::Ok);
    std::memcpy(*in, "xyz", 3); // the host kept its own copy
    BMKillHandle(&in);
    ASSERT_EQ(table.GetModuleData(&out), hosterr::Ok);
    ASSERT_EQ(BMHandleSize(out), 3);
    EXPECT_EQ(std::string(*out, 3), "abc");
    BMKillHandle(&out);
    char notAHandle[8] = {};
    char* fake = notAHandle;
    EXPECT_EQ(table.SetModuleData(&fake), hosterr::BadParameter);
    EXPECT_EQ(table.SetModuleData(nullptr), hosterr::Ok);
    EXPECT_EQ(table.GetModuleData(&out), hosterr::NotFound);
    // Empty data is data.
    GSHandle empty = BMNewHandle(0);
    EXPECT_EQ(table.SetModuleData(empty), hosterr::Ok);
    BMKillHandle(&empty);
    ASSERT_EQ(table.GetModuleData(&out), hosterr::Ok);
    EXPECT_EQ(BMHandleSize(out), 0);
    BMKillHandle(&out);
    BMFailAfter(0);
    EXPECT_EQ(table.GetModuleData(&out), hosterr::MemoryFull);
    BMFailAfter(-1);
}

TEST_F(HostTest, ModuleDataUnderAKeyIsKeptBesideTheOther) {
    HostFunctionTable& table = host.functionTable();
    GSHandle out = nullptr;
    EXPECT_EQ(table.GetModuleDataByKey("copy", &out), hosterr::NoProject);
    GSHandle in = BMNewHandle(3);
    std::memcpy(*in, "abc", 3);
    EXPECT_EQ(table.SetModuleDataByKey("copy", in), hosterr::NoProject);
    host.newProject("Keys");
    EXPECT_EQ(table.GetModuleDataByKey("copy", &out), hosterr::NotFound);
    EXPECT_EQ(out, nullptr);
    const std::string longest(255, 'k'), tooLong(256, 'k');
    for (const char* bad : {static_cast<const char*>(nullptr), "", tooLong.c_str()}) {
        EXPECT_EQ(table.SetModuleDataByKey(bad, in), hosterr::BadParameter);
        EXPECT_EQ(table.GetModuleDataByKey(bad, &out), hosterr::BadParameter);
    }
    EXPECT_EQ(table.GetModuleDataByKey("copy", nullptr), hosterr::BadParameter);
    EXPECT_EQ(table.SetModuleDataByKey("copy", in), hosterr::Ok);
    EXPECT_EQ(table.SetModuleDataByKey(longest.c_str(), in), hosterr::Ok);
    std::memcpy(*in, "xyz", 3); // the host kept its own copy
    EXPECT_EQ(table.SetModuleDataByKey("other", in), hosterr::Ok);
    BMKillHandle(&in);
    EXPECT_FALSE(host.project()->model.moduleData.has_value()); // the unnamed data is apart
    ASSERT_EQ(table.GetModuleDataByKey("copy", &out), hosterr::Ok);
    EXPECT_EQ(std::string(*out, static_cast<size_t>(BMHandleSize(out))), "abc");
    BMKillHandle(&out);
    ASSERT_EQ(table.GetModuleDataByKey("other", &out), hosterr::Ok);
    EXPECT_EQ(std::string(*out, static_cast<size_t>(BMHandleSize(out))), "xyz");
    BMKillHandle(&out);
    char notAHandle[8] = {};
    char* fake = notAHandle;
    EXPECT_EQ(table.SetModuleDataByKey("copy", &fake), hosterr::BadParameter);

    std::string path = std::string(::testing::TempDir()) + "host-keys.zavproj";
    ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
    const std::map<std::string, std::string> kept{{"copy", "abc"}, {longest, "abc"}, {"other", "xyz"}};
    EXPECT_EQ(host.project()->model.keyedModuleData, kept);
    EXPECT_EQ(table.SetModuleDataByKey("copy", nullptr), hosterr::Ok); // removes the key
    EXPECT_EQ(table.GetModuleDataByKey("copy", &out), hosterr::NotFound);
    BMFailAfter(0);
    EXPECT_EQ(table.GetModuleDataByKey("other", &out), hosterr::MemoryFull);
    BMFailAfter(-1);
    std::remove(path.c_str());
}

TEST_F(HostTest, ModuleDataSurvivesSaveAndReopen) {
    ASSERT_EQ(attach(), hosterr::Ok);
    host.newProject("Lasting");
    ASSERT_EQ(choose(rawmodule::WriteData), hosterr::Ok);
    host.project()->model.texts["client"] = "Someone";
    std::string path = std::string(::testing::TempDir()) + "host-lasting.zavproj";
    ASSERT_EQ(host.saveAndReopenProject(path), hosterr::Ok);
    EXPECT_EQ(host.project()->name, "Lasting");
    EXPECT_EQ(host.project()->filePath, path);
    EXPECT_EQ(host.project()->model.texts.at("client"), "Someone");
    EXPECT_EQ(rawmodule::record().dataAfterLoad, "hello from the raw module");
    const std::vector<uint32_t> requests{ModuleDataBeforeSave, ModuleDataAfterLoad};
    EXPECT_EQ(rawmodule::record().moduleDataRequests, requests);
    const std::vector<uint32_t> notifications{ProjectNew, ProjectPreSave, ProjectSave, ProjectClose,
                                              ProjectOpen};
    EXPECT_EQ(rawmodule::record().notifications, notifications);
    EXPECT_TRUE(host.project()->undoSteps.empty());
    std::remove(path.c_str());
}

TEST_F(HostTest, ProjectActionsWithoutAProjectAreRefused) {
    EXPECT_EQ(host.closeProject(), hosterr::NoProject);
    EXPECT_EQ(host.saveProject("anything.zavproj"), hosterr::NoProject);
    EXPECT_EQ(host.saveAndReopenProject("anything.zavproj"), hosterr::NoProject);
    host.newProject("Unsaved");
    EXPECT_EQ(host.saveProject(""), hosterr::BadParameter); // no file yet
    EXPECT_EQ(host.saveProject("/nonexistent-folder/x.zavproj"), hosterr::Failed);
    EXPECT_TRUE(host.hasProject());
}

namespace {
std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
} // namespace

TEST_F(HostTest, AProjectFileHeldUnwritableIsNotSavedAndTheHostSaysSo) {
    struct Writable {
        ~Writable() { IO::ClearUnwritable(); }
    } writable;
    const std::string path = ::testing::TempDir() + "held-" + std::to_string(::getpid()) + ".zavproj";
    std::remove(path.c_str());
    host.newProject("Held");
    ASSERT_EQ(host.saveProject(path), hosterr::Ok);
    const std::string saved = readWhole(path);
    ASSERT_FALSE(saved.empty());
    host.project()->name = "Held, changed";

    host.faults().setUnwritable(path, true);
    EXPECT_EQ(host.saveProject(path), hosterr::Failed);
    EXPECT_EQ(readWhole(path), saved);
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    const zavhost::ShownAlert& told = host.alerts().shown().back();
    EXPECT_EQ(told.headline, "The project \"Held, changed\" could not be saved.");
    EXPECT_EQ(told.message, "Cannot write " + path +
                                ": the disk or its folder refuses writing (read-only, or access denied). The "
                                "project stays open as it was.");
    EXPECT_TRUE(host.hasProject());

    // Writable again, it saves; a link left at the temporary name is not written through.
    host.faults().setUnwritable(path, false);
    const std::string elsewhere = ::testing::TempDir() + "elsewhere-" + std::to_string(::getpid());
    std::remove(elsewhere.c_str());
    std::filesystem::create_symlink(elsewhere, path + ".saving");
    EXPECT_EQ(host.saveProject(path), hosterr::Ok);
    EXPECT_NE(readWhole(path), saved);
    EXPECT_FALSE(std::filesystem::exists(elsewhere));
    EXPECT_EQ(host.alerts().shown().size(), 1u);
    std::remove(path.c_str());
}
