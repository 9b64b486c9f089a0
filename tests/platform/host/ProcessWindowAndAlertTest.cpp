#include "HostTestSupport.h"
#include "platform/dg/Alert.h"
#include "platform/gsroot/UniString.h"

using namespace zavhost;

namespace {
GSErrCode call(StandInHost& host, const char (&selector)[5], void* a = nullptr, void* b = nullptr) {
    return host.functionTable().InterfaceCall(fourCC(selector), a, b, nullptr, nullptr, nullptr);
}
} // namespace

TEST_F(HostTest, ProcessWindowKeepsItsStateRefusesASecondOneAndCancelsAfterTheScriptedPolls) {
    GS::UniString title("Collecting"), phase("Plans");
    int16_t phases = 2;
    int32_t steps = 5, value = 3, one = 1;
    EXPECT_EQ(call(host, "SPRV", &value), hosterr::Refused); // no window yet
    EXPECT_EQ(call(host, "CPWD"), hosterr::Refused);
    EXPECT_EQ(call(host, "CANC"), hosterr::Ok);
    EXPECT_EQ(call(host, "IPWD", nullptr, &phases), hosterr::BadParameter);
    ASSERT_EQ(call(host, "IPWD", &title, &phases), hosterr::Ok);
    EXPECT_EQ(call(host, "IPWD", &title, &phases), hosterr::Refused);
    EXPECT_EQ(call(host, "SPRP", &phase, &steps), hosterr::Ok);
    EXPECT_EQ(call(host, "SPRV", &value), hosterr::Ok);
    EXPECT_EQ(call(host, "IPRV", &one), hosterr::Ok);
    EXPECT_EQ(call(host, "IPRV", nullptr), hosterr::BadParameter);
    const ProcessWindowState& state = host.processWindow().state();
    EXPECT_TRUE(state.open);
    EXPECT_EQ(state.title, "Collecting");
    EXPECT_EQ(state.phaseCount, 2);
    ASSERT_EQ(state.phases.size(), 1u);
    EXPECT_EQ(state.phases[0].text, "Plans");
    EXPECT_EQ(state.phases[0].steps, 5);
    EXPECT_EQ(state.value, 4);
    EXPECT_EQ(call(host, "CPWD"), hosterr::Ok);
    EXPECT_FALSE(host.processWindow().state().open);
    EXPECT_EQ(host.processWindow().state().value, 4); // kept for expectations
    EXPECT_EQ(call(host, "IPWD", &title, &phases), hosterr::Ok);
    EXPECT_EQ(host.processWindow().timesOpened(), 2);
    EXPECT_EQ(host.calls().count("InterfaceCall IPWD (\"Collecting\", 2)"), 3u);
    call(host, "CPWD");

    // Cancel comes exactly after the scripted polls.
    host.processWindow().cancelAfter(3); // armed before the window opens
    ASSERT_EQ(call(host, "IPWD", &title, &phases), hosterr::Ok);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(call(host, "CANC"), hosterr::Ok) << i;
    EXPECT_EQ(call(host, "CANC"), hosterr::Cancelled);
    EXPECT_EQ(call(host, "CANC"), hosterr::Cancelled); // stays pressed
    EXPECT_EQ(host.processWindow().state().polls, 5);
    call(host, "CPWD");
    EXPECT_FALSE(host.processWindow().cancelArmed()); // used up by that window
    ASSERT_EQ(call(host, "IPWD", &title, &phases), hosterr::Ok);
    EXPECT_EQ(call(host, "CANC"), hosterr::Ok);
    host.processWindow().cancelAfter(0); // armed while open: the next poll
    EXPECT_EQ(call(host, "CANC"), hosterr::Cancelled);
    call(host, "CPWD");
}

TEST_F(HostTest, ModuleLongTaskStopsWhenCancelled) {
    ASSERT_EQ(attach(), hosterr::Ok);
    host.processWindow().cancelAfter(4);
    EXPECT_EQ(choose(rawmodule::LongTask), hosterr::Ok);
    EXPECT_TRUE(rawmodule::record().longTaskCancelled);
    EXPECT_EQ(rawmodule::record().longTaskSteps, 4);
    EXPECT_EQ(host.processWindow().state().value, 4);
    EXPECT_TRUE(host.transcript().contains("the user presses Cancel in \"Long Task\" (after 4 poll(s))"));
    EXPECT_EQ(choose(rawmodule::LongTask), hosterr::Ok); // no cancel armed now
    EXPECT_FALSE(rawmodule::record().longTaskCancelled);
    EXPECT_EQ(host.processWindow().state().value, 10);
}

TEST_F(HostTest, AlertsAreRecordedAndAnsweredFromTheQueueOrWithTheFirstButton) {
    ASSERT_EQ(attach(), hosterr::Ok);
    EXPECT_EQ(choose(rawmodule::AskQuestion), hosterr::Ok);
    EXPECT_EQ(rawmodule::record().lastAlertAnswer, 1); // nothing queued: the first button
    host.alerts().queue({0, "Cancel", 7});
    choose(rawmodule::AskQuestion);
    EXPECT_EQ(rawmodule::record().lastAlertAnswer, 3);
    host.alerts().queue({2, "", 8});
    choose(rawmodule::AskQuestion);
    EXPECT_EQ(rawmodule::record().lastAlertAnswer, 2);
    ASSERT_EQ(host.alerts().shown().size(), 3u);
    const ShownAlert& shown = host.alerts().shown()[2];
    EXPECT_EQ(shown.type, DGAlertWarning);
    EXPECT_EQ(shown.headline, "Question");
    EXPECT_EQ(shown.guide, "A guide text");
    EXPECT_EQ(shown.text(),
              "alert (warning) \"Question\": \"Proceed with the question?\" guide \"A guide text\" "
              "[Yes] [No] [Cancel] -> button 2");
    EXPECT_TRUE(host.alerts().takeProblems().empty());

    // An answer that fits no button is a problem, and presses the first.
    host.alerts().queue({2, "", 4});
    host.alerts().queue({0, "Maybe", 5});
    choose(rawmodule::SayHello); // offers only OK
    EXPECT_EQ(rawmodule::record().lastAlertAnswer, 1);
    choose(rawmodule::AskQuestion);
    EXPECT_EQ(rawmodule::record().lastAlertAnswer, 1);
    std::vector<std::string> problems = host.alerts().takeProblems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("line 4 (button 2)"), std::string::npos);
    EXPECT_NE(problems[1].find("line 5 (\"Maybe\")"), std::string::npos);
    EXPECT_TRUE(host.alerts().takeProblems().empty());
}

TEST(DGAlert, WithoutAHandlerAnswersTheFirstButton) {
    ASSERT_EQ(StandInHost::current(), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(DGAlert(DGAlertError, "Headline", "Message", "", "OK", "Cancel", ""), 1);
    std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("Headline: Message"), std::string::npos);
    DGAlertHandler previous = DGSetAlertHandler(
        [](const DGAlertRequest& request) { return static_cast<short>(request.button3.IsEmpty() ? 2 : 3); });
    EXPECT_FALSE(previous);
    EXPECT_EQ(DGAlert(DGAlertNotify, "", "", "", "A", "B", ""), 2);
    DGSetAlertHandler(nullptr);
}
