#include <stdexcept>

#include "HostTestSupport.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

using namespace zavhost;

TEST_F(HostTest, EntriesRunInOrderAndReleaseRunsAtUnloadUnlessTheModuleDeclines) {
    rawmodule::setDeclineToLoad(true);
    EXPECT_EQ(attach(), hosterr::Refused);
    EXPECT_FALSE(host.moduleLoaded());
    EXPECT_EQ(rawmodule::record().entries, std::vector<std::string>{"check"});
    EXPECT_TRUE(host.transcript().contains("declined"));
    rawmodule::setDeclineToLoad(false);
    ASSERT_EQ(attach(), hosterr::Ok);
    EXPECT_TRUE(host.moduleLoaded());
    EXPECT_EQ(rawmodule::record().entries, (std::vector<std::string>{"check", "register", "initialize"}));
    EXPECT_STREQ(host.moduleEnvironment().addonName, "Raw Test Module");
    EXPECT_EQ(host.unloadModule(), hosterr::Ok);
    EXPECT_EQ(rawmodule::record().entries.back(), "free");
    EXPECT_FALSE(host.moduleLoaded());
    EXPECT_EQ(host.unloadModule(), hosterr::NotFound);
    EXPECT_EQ(host.menus().menus().size(), 0u);
}

TEST_F(HostTest, LoadsModuleFromFileAndRejectsBadPaths) {
    EXPECT_EQ(host.loadModule("/nonexistent/module.apx"), hosterr::NotFound);
    EXPECT_FALSE(host.lastError().empty());
    ASSERT_EQ(host.loadModule(RAW_TEST_MODULE_PATH), hosterr::Ok);
    EXPECT_EQ(host.loadModule(RAW_TEST_MODULE_PATH), hosterr::Refused);
    ASSERT_NE(host.menus().menuTitled("Raw Test"), nullptr);
    host.newProject("Loaded");
    EXPECT_EQ(host.chooseMenuItem("Raw Test", "Undoable Step"), hosterr::Ok);
    EXPECT_EQ(host.project()->undoSteps.size(), 1u);
    EXPECT_EQ(host.unloadModule(), hosterr::Ok);
    EXPECT_NE(DBPrintedText().find("raw: free data"), std::string::npos);
}

TEST_F(HostTest, OneHostAtATime) {
    EXPECT_EQ(StandInHost::current(), &host);
    EXPECT_THROW(StandInHost second, std::logic_error);
    EXPECT_EQ(StandInHost::current(), &host);
}

TEST_F(HostTest, MenusComeFromTheStringListAndChoicesReachTheHandler) {
    ASSERT_EQ(attach(), hosterr::Ok);
    const Menu* menu = host.menus().menu(rawmodule::menuList);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title, "Raw Test");
    EXPECT_EQ(menu->positionCode, 17);
    ASSERT_EQ(menu->items.size(), 16u);
    EXPECT_EQ(menu->items[0].text, "Say Hello");
    EXPECT_EQ(menu->items[0].iconId, 32501);
    EXPECT_EQ(menu->items[0].icon, nullptr); // the module carries no icon 32501
    EXPECT_EQ(menu->items[1].hostFlags, "E3");
    ASSERT_NE(menu->items[1].icon, nullptr); // read from the module's resources
    ASSERT_NE(menu->items[1].doubleIcon, nullptr);
    EXPECT_EQ(menu->items[1].icon->GetWidth(), 2);
    EXPECT_EQ(menu->items[1].doubleIcon->GetWidth(), 4);
    EXPECT_EQ(menu->items[1].prompt, "Asks a question with three buttons");
    EXPECT_TRUE(menu->items[2].separator);
    // Registering outside interface registration is refused.
    EXPECT_EQ(rawmodule::record().lateRegisterMenu, hosterr::Refused);
    EXPECT_EQ(host.registerMenu(rawmodule::menuList + 2, rawmodule::promptList, 17, 0), hosterr::Refused);

    EXPECT_EQ(host.chooseMenuItem("Raw Test", "Write Data"), hosterr::NoProject); // the handler's answer
    ASSERT_EQ(rawmodule::record().menuSelections.size(), 1u);
    EXPECT_EQ(rawmodule::record().menuSelections[0].menuResId, rawmodule::menuList);
    EXPECT_EQ(rawmodule::record().menuSelections[0].itemIndex, rawmodule::WriteData);
    EXPECT_EQ(host.chooseMenuItem("Raw Test", "No Such Item"), hosterr::NotFound);
    EXPECT_NE(host.lastError().find("\"Say Hello\""), std::string::npos); // lists what there is
    EXPECT_EQ(host.chooseMenuItem("Other", "Say Hello"), hosterr::NotFound);
    EXPECT_EQ(host.chooseMenuItem("Raw Test", "-"), hosterr::NotFound);
    EXPECT_EQ(choose(3), hosterr::Refused); // the separator
    EXPECT_EQ(choose(17), hosterr::NotFound);

    // A disabled item cannot be chosen until enabled.
    int32_t flags = 0;
    EXPECT_EQ(host.getMenuItemFlags(rawmodule::menuList, rawmodule::DisabledItem, &flags), hosterr::Ok);
    EXPECT_EQ(flags, 1);
    EXPECT_EQ(host.chooseMenuItem("Raw Test", "Disabled Item"), hosterr::Refused);
    EXPECT_EQ(rawmodule::record().menuSelections.size(), 1u);
    ASSERT_EQ(host.chooseMenuItem("Raw Test", "Toggle Disabled Item"), hosterr::Ok);
    EXPECT_EQ(host.chooseMenuItem("Raw Test", "Disabled Item"), hosterr::Ok);
    EXPECT_EQ(rawmodule::record().menuSelections.back().itemIndex, rawmodule::DisabledItem);
    EXPECT_EQ(host.getMenuItemFlags(rawmodule::menuList, 0, &flags), hosterr::BadIndex);
    EXPECT_EQ(host.setMenuItemFlags(rawmodule::menuList, 17, 0), hosterr::BadIndex);
    EXPECT_EQ(host.setMenuItemFlags(1, 1, 0), hosterr::NotFound);
}

TEST_F(HostTest, AMenuItemNumberOutsideTheMenuIsRefusedAndChangesNothing) {
    ASSERT_EQ(attach(), hosterr::Ok);
    const HostFunctionTable& table = host.functionTable();
    const int32_t last = rawmodule::FailRelease;
    ASSERT_EQ(host.menus().menu(rawmodule::menuList)->items.size(), size_t(last));
    const size_t selections = rawmodule::record().menuSelections.size();
    for (int32_t outside : {0, -1, last + 1, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(outside);
        int32_t flags = 77;
        EXPECT_EQ(table.GetMenuItemFlags(rawmodule::menuList, outside, &flags), hosterr::BadIndex);
        EXPECT_EQ(flags, 77);
        EXPECT_EQ(table.SetMenuItemFlags(rawmodule::menuList, outside, 1), hosterr::BadIndex);
        EXPECT_EQ(choose(outside), hosterr::NotFound);
        EXPECT_NE(host.lastError().find("has no item " + std::to_string(outside)), std::string::npos);
    }
    EXPECT_EQ(rawmodule::record().menuSelections.size(), selections);
    EXPECT_TRUE(host.calls().contains("SetMenuItemFlags (32500, 0, 1) -> bad index"));
    for (const MenuItem& each : host.menus().menu(rawmodule::menuList)->items)
        EXPECT_EQ(each.disabled(), each.index == rawmodule::DisabledItem) << each.text;
    // The last item is in the menu: its flags change, and it can be chosen.
    EXPECT_EQ(table.SetMenuItemFlags(rawmodule::menuList, last, 0), hosterr::Ok);
    EXPECT_EQ(choose(last), hosterr::Ok);
    EXPECT_EQ(rawmodule::record().menuSelections.back().itemIndex, last);
}

TEST_F(HostTest, UnknownSelectorsAreRefusedAndLoggedAndSmallQueriesAnswerSoundly) {
    HostFunctionTable& table = host.functionTable();
    EXPECT_EQ(table.EnvironmentCall(fourCC("ZZZZ"), nullptr, nullptr, nullptr), hosterr::BadSelector);
    EXPECT_EQ(table.InterfaceCall(fourCC("NOPE"), nullptr, nullptr, nullptr, nullptr, nullptr),
              hosterr::BadSelector);
    EXPECT_EQ(table.DatabaseCall(0x01020304u, nullptr, nullptr, nullptr), hosterr::BadSelector);
    ASSERT_EQ(host.calls().size(), 3u);
    EXPECT_EQ(host.calls()[0].text(),
              "EnvironmentCall ZZZZ (unknown selector) -> unknown selector (0x81060080)");
    EXPECT_EQ(host.calls()[2].selector, "0x01020304");
    host.interfaceCalls().add("NOPE", [](SelectorCall&) { return hosterr::Ok; });
    EXPECT_EQ(table.InterfaceCall(fourCC("NOPE"), nullptr, nullptr, nullptr, nullptr, nullptr), hosterr::Ok);

    bool flag = true;
    EXPECT_EQ(table.HasOpenProject(&flag), hosterr::Ok);
    EXPECT_FALSE(flag);
    EXPECT_EQ(table.HasOpenProject(nullptr), hosterr::BadParameter);
    EXPECT_EQ(table.SetSuspendGroups(true), hosterr::Ok);
    EXPECT_EQ(table.GetSuspendGroups(&flag), hosterr::Ok);
    EXPECT_TRUE(flag);
    EXPECT_EQ(table.SetEntryFlag(true), hosterr::Ok);
    EXPECT_TRUE(host.entryFlag());
    EXPECT_EQ(table.GetOwnResModule(), nullptr); // no module
    EXPECT_EQ(table.SetModuleData(nullptr), hosterr::NoProject);
}

TEST_F(HostTest, CallLogSaysExactlyWhichCallsAnActionMadeAndCommandsReachTheirHandler) {
    ASSERT_EQ(attach(), hosterr::Ok);
    host.newProject("Calls");
    host.calls().clear();
    host.sendProjectNotification(ProjectChangeWorkspace);
    EXPECT_EQ(host.calls().size(), 0u); // the notifier only prints
    choose(rawmodule::UndoableStep);
    EXPECT_EQ(host.calls().texts(),
              "RunUndoableCommand (\"Raw Step\") -> ok\nSetModuleData (9 bytes) -> ok\n");
    EXPECT_EQ(host.calls().count("SetModuleData"), 1u);
    EXPECT_EQ(host.calls().count("SetModuleData", 2), 0u);

    GSHandle parameters = BMNewHandle(5);
    EXPECT_EQ(host.sendCommand(fourCC("RAWC"), 1, parameters), hosterr::Ok);
    EXPECT_NE(DBPrintedText().find("version 1 with 5 parameter bytes"), std::string::npos);
    EXPECT_EQ(host.sendCommand(fourCC("RAWC"), 2, nullptr), hosterr::Failed);
    EXPECT_EQ(host.sendCommand(fourCC("RAWC"), 3, nullptr), hosterr::NotFound);
    EXPECT_EQ(host.sendCommand(fourCC("XXXX"), 1, nullptr), hosterr::NotFound);
    BMKillHandle(&parameters);
}
