// Faults a scenario asks of the host: any call of the table can answer an error and do nothing,
// and a command that answers an error leaves the project as it was, whatever it changed.
#include "ModelTestSupport.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/Scenario.h"
#include "platform/io/FileSystem.h"
#include "support/PlayScenario.h"

using namespace zavhost;

namespace {
size_t faultedCalls(StandInHost& host, const std::string& function) {
    size_t count = 0;
    for (const HostCall& call : host.calls().calls())
        if (call.function == function && call.arguments() == "(fault)") ++count;
    return count;
}
} // namespace

TEST(FaultGates, StandInFrontOfEverySlotTheHostFills) {
    HostFunctionTable table;
    fillFunctionTable(&table);
    for (const std::string& name : functionSlotNames())
        EXPECT_TRUE(functionSlotGated(table, name)) << name;
    // Gating twice puts no second gate in front: the first still leads to the function.
    HostFunctionTable again = table;
    gateFunctionSlots(again);
    EXPECT_EQ(again.CreateElement, table.CreateElement);
    ASSERT_TRUE(clearFunctionSlot(table, "LinkElements"));
    EXPECT_FALSE(functionSlotGated(table, "LinkElements"));
    EXPECT_FALSE(functionSlotGated(table, "NoSuchSlot"));
}

// A table gated again still answers through the host, and a fault set after still fails the call.
TEST_F(ModelTest, ATableGatedTwiceStillReachesTheHost) {
    const API_Guid guid = create(15);
    HostFunctionTable again = table();
    gateFunctionSlots(again);
    EXPECT_TRUE(again.FilterElement(&guid, 0, 0, nullptr));
    host.faults().set("FilterElement", 1, 1, hosterr::Failed);
    EXPECT_FALSE(again.FilterElement(&guid, 0, 0, nullptr));
    EXPECT_TRUE(again.FilterElement(&guid, 0, 0, nullptr));
    EXPECT_EQ(faultedCalls(host, "FilterElement"), 1u);
}

TEST_F(ModelTest, FaultedCallsAnswerTheirCodeChangeNothingAndAreLogged) {
    HostElementHead head = headOf(create(15));
    host.faults().set("SetElementUserData", 2, 3, hosterr::MemoryFull);
    std::vector<GSErrCode> answers;
    for (const char* bytes : {"one", "two", "three", "four"}) {
        HostUserData data{.version = 1, .platformSign = 0x5757, .flags = 12, .dataHandle = handleOf(bytes)};
        answers.push_back(inCommand([&] { return table().SetElementUserData(&head, &data); }));
        BMKillHandle(&data.dataHandle);
        if (answers.size() == 3) {
            HostUserData read;
            ASSERT_EQ(table().GetElementUserData(&head, &read), hosterr::Ok);
            EXPECT_EQ(bytesOf(read.dataHandle), "one"); // the faulted calls wrote nothing
            BMKillHandle(&read.dataHandle);
        }
    }
    EXPECT_EQ(answers,
              (std::vector<GSErrCode>{hosterr::Ok, hosterr::MemoryFull, hosterr::MemoryFull, hosterr::Ok}));
    EXPECT_EQ(faultedCalls(host, "SetElementUserData"), 2u);
    EXPECT_TRUE(host.calls().contains("SetElementUserData ((fault)) -> memory full"));

    // A question answers no, a status the code, a pointer null; counted from when the fault is set.
    host.faults().set("FilterElement", 1, 1, hosterr::Failed);
    host.faults().set("GetLockableObjectStatus", 1, 1, hosterr::Refused);
    host.faults().set("GetOwnResModule", 1, 1, hosterr::Failed);
    EXPECT_FALSE(table().FilterElement(&head.guid, 0, 0, nullptr));
    EXPECT_TRUE(table().FilterElement(&head.guid, 0, 0, nullptr));
    const API_Guid lockable = sharingcalls::lockableGuidOf("LayerSettingsDialog");
    EXPECT_EQ(table().GetLockableObjectStatus(&lockable, 0), hosterr::Refused);
    EXPECT_EQ(table().GetLockableObjectStatus(&lockable, 0), 1);
    EXPECT_EQ(table().GetOwnResModule(), nullptr);
    EXPECT_EQ(faultedCalls(host, "GetOwnResModule"), 1u);

    // A selector's call is a call of its dispatcher too; a fault of the dispatcher fails them all.
    host.faults().set("GARF", 1, 1, hosterr::BadParameter);
    API_Guid current;
    EXPECT_EQ(database("GARF", &current), hosterr::BadParameter);
    EXPECT_EQ(database("GARF", &current), hosterr::Ok);
    host.faults().set("DatabaseCall", 2, 2, hosterr::Failed);
    EXPECT_EQ(database("GARF", &current), hosterr::Ok);
    EXPECT_EQ(database("GARF", &current), hosterr::Failed);
    EXPECT_EQ(database("GARF", &current), hosterr::Ok);

    // The undoable command itself: refused without running.
    host.faults().set("RunUndoableCommand", 1, 1, hosterr::Refused);
    const size_t steps = project().undoSteps.size();
    bool ran = false;
    EXPECT_EQ(table().RunUndoableCommand(
                  nullptr, [](void* data) { return *static_cast<bool*>(data) = true, hosterr::Ok; }, &ran),
              hosterr::Refused);
    EXPECT_FALSE(ran);
    EXPECT_EQ(project().undoSteps.size(), steps);

    host.faults().clear();
    HostUserData data{.version = 1, .platformSign = 0x5757, .flags = 12, .dataHandle = handleOf("five")};
    EXPECT_EQ(inCommand([&] { return table().SetElementUserData(&head, &data); }), hosterr::Ok);
    BMKillHandle(&data.dataHandle);
}

// Whatever a command changed, an error answer puts the project back as it was and keeps no step.
TEST_F(ModelTest, ACommandThatAnswersAnErrorLeavesNothingOfWhatItDid) {
    const API_Guid text = create(15);
    const API_Guid label = create(16);
    const API_Guid gone = create(15);
    HostElementHead textHead = headOf(text);
    HostUserData data{.version = 1, .platformSign = 0x5757, .flags = 12, .dataHandle = handleOf("kept")};
    GSHandle moduleBytes = handleOf("module data");
    ASSERT_EQ(inCommand([&] {
                  GSErrCode err = table().SetElementUserData(&textHead, &data);
                  if (err == hosterr::Ok) err = table().LinkElements(&text, &label, 0);
                  if (err == hosterr::Ok) err = table().SetModuleData(moduleBytes);
                  return err;
              }),
              hosterr::Ok);
    const ProjectModel before = project().model;
    const size_t steps = project().undoSteps.size();

    HostElementHead labelHead = headOf(label);
    HostElementHead defaultText;
    defaultText.typeCode = 15;
    HostUserData other{.version = 1, .platformSign = 0x5757, .flags = 12, .dataHandle = handleOf("changed")};
    GSHandle otherBytes = handleOf("other module data");
    GSHandle goneHeads = headsOf(gone);
    API_Element made;
    made.head.typeCode = 16;
    API_Attribute layer = attribute(AttrLayer, 0, "Half Made");
    EXPECT_EQ(inCommand([&] {
                  const GSErrCode answers[] = {
                      table().SetElementUserData(&textHead, &other),
                      table().SetElementUserData(&labelHead, &other),
                      table().SetElementUserData(&defaultText, &other),
                      table().UnlinkElements(&text, &label),
                      table().LinkElements(&label, &text, 3),
                      table().ElementSwitchOffCall(&textHead),
                      table().CreateElement(&made, nullptr),
                      table().DeleteElements(goneHeads, 1),
                      table().SetModuleData(otherBytes),
                      table().CreateAttribute(&layer, nullptr),
                  };
                  for (GSErrCode answer : answers)
                      EXPECT_EQ(answer, hosterr::Ok);
                  EXPECT_NE(project().model, before);
                  return hosterr::Failed;
              }),
              hosterr::Failed);
    EXPECT_TRUE(project().model == before);
    EXPECT_EQ(project().undoSteps.size(), steps);
    EXPECT_TRUE(host.transcript().contains("dropped: the command answered failed"));
    for (GSHandle* handle : {&data.dataHandle, &other.dataHandle, &moduleBytes, &otherBytes, &goneHeads})
        BMKillHandle(handle);
}

TEST(FaultSteps, NameAFunctionOrSelectorAndCallsOrAPathToDeny) {
    ParsedScenario parsed = parseScenario("fault SetElementUserData calls 2 to 3 answer memory-full\n"
                                          "fault GCLP calls 1 answer failed\n"
                                          "fault \"LinkElements\" calls 4 answer 0x8106000A\n"
                                          "fault unwritable \"{home}/ZAV Link\"\n"
                                          "fault writable reports/old.zavrpt\n"
                                          "fault clear\n");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0].line << ": " << parsed.errors[0].message;
    const std::vector<Step>& s = parsed.steps;
    ASSERT_EQ(s.size(), 6u);
    for (const Step& step : s) {
        EXPECT_EQ(step.kind, StepKind::FaultSetting);
        EXPECT_FALSE(step.isAction()); // nothing for `expect answer` to check
    }
    EXPECT_EQ(*s[0].text, "SetElementUserData");
    EXPECT_EQ(*s[0].number, 2);
    EXPECT_EQ(*s[0].number2, 3);
    EXPECT_EQ(*s[0].model.count, int64_t(hosterr::MemoryFull));
    EXPECT_EQ(*s[1].number2, 1);
    EXPECT_EQ(*s[2].model.count, int64_t(hosterr::Refused));
    EXPECT_EQ(s[3].model.verb, "unwritable");
    EXPECT_EQ(*s[3].text, "{home}/ZAV Link");
    EXPECT_EQ(s[4].model.verb, "writable");
    EXPECT_EQ(s[5].model.verb, "clear");

    ParsedScenario bad = parseScenario("fault SetElementUserDta calls 1 answer failed\n"
                                       "fault CreateElement calls 1 answer ok\n"
                                       "fault CreateElement calls 0 answer failed\n"
                                       "fault CreateElement calls 3 to 2 answer failed\n"
                                       "fault CreateElement answer failed\n"
                                       "fault unwritable\n"
                                       "fault clear now\n");
    std::vector<int> lines;
    for (const ScenarioError& error : bad.errors)
        lines.push_back(error.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_NE(bad.errors[0].message.find("no SetElementUserDta"), std::string::npos);
}

TEST(FaultSteps, SetTheHostsFaultsAndUnwritablePlacesUntilCleared) {
    const std::string home = ::testing::TempDir() + "fault-steps";
    const IO::Location held(home + "/ZAV Link");
    IO::Location inside = held;
    inside.AppendToLocal("ZAVCommand.xml");
    {
        StandInHost host;
        RunOptions options;
        options.homeFolder = home;
        testsupport::Played played = testsupport::playScenario(host,
                                                               "fault unwritable \"ZAV Link\"\n"
                                                               "fault unwritable \"{home}/report.zavrpt\"\n"
                                                               "fault writable \"{home}/report.zavrpt\"\n"
                                                               "fault CreateElement calls 1 answer refused\n",
                                                               options);
        ASSERT_TRUE(played.passed) << played.failure;
        EXPECT_TRUE(IO::IsUnwritable(inside));
        EXPECT_FALSE(IO::IsUnwritable(IO::Location(home + "/report.zavrpt")));
        EXPECT_EQ(host.faults().check("CreateElement"), std::optional<GSErrCode>(hosterr::Refused));
        EXPECT_EQ(host.faults().check("CreateElement"), std::nullopt);
        EXPECT_TRUE(host.transcript().contains("ZAV Link is unwritable from now on"));

        played = testsupport::playScenario(host, "fault clear\n", options);
        ASSERT_TRUE(played.passed) << played.failure;
        EXPECT_FALSE(IO::IsUnwritable(inside));

        host.faults().setUnwritable(home, true);
        EXPECT_TRUE(IO::IsUnwritable(inside));
    }
    // A host that goes leaves nothing unwritable behind it.
    EXPECT_FALSE(IO::IsUnwritable(inside));
}
