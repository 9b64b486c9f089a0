// A scenario played in parts, as a session made as it goes plays it: what one part sets up the
// next finds, what a part leaves unused is caught between parts, and the history can be dropped.
#include "HostTestSupport.h"
#include "platform/host/ModelSteps.h"

using namespace zavhost;

namespace {

class ScenarioPartsTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        options.homeFolder = ::testing::TempDir() + "scenario-parts";
        runner = std::make_unique<ScenarioRunner>(host, options);
        runner->start();
    }

    bool part(const std::string& text, int firstLine = 1) {
        ParsedScenario parsed = parseScenario(text);
        EXPECT_TRUE(parsed.errors.empty()) << parsed.errors[0].message;
        for (Step& step : parsed.steps)
            step.line += firstLine - 1;
        return runner->play(parsed.steps);
    }

    RunOptions options;
    std::unique_ptr<ScenarioRunner> runner;
};

} // namespace

TEST_F(ScenarioPartsTest, APartFindsWhatTheOneBeforeMade) {
    ASSERT_TRUE(part("project new \"Parts\"\nelement add wall as \"W\"\n")) << runner->failure();
    ASSERT_TRUE(part("select \"W\"\nexpect selection count 1\n", 3)) << runner->failure();
    std::string why;
    EXPECT_NE(runner->model().labelled(*host.project(), "W", &why), nullptr) << why;
    EXPECT_TRUE(runner->checkNothingLeft()) << runner->failure();
    EXPECT_TRUE(runner->finish(4, true));
    EXPECT_TRUE(runner->failure().empty()) << runner->failure();
}

TEST_F(ScenarioPartsTest, AFailedPartSaysItsLine) {
    ASSERT_TRUE(part("project new \"Parts\"\n"));
    EXPECT_FALSE(part("expect undo-count 1\n", 7));
    EXPECT_EQ(runner->failedLine(), 7);
    EXPECT_NE(runner->failure().find("there are 0 undo step(s)"), std::string::npos) << runner->failure();
    EXPECT_FALSE(runner->finish(7, false));
}

TEST_F(ScenarioPartsTest, WhatAPartLeftUnusedIsCaughtBetweenParts) {
    ASSERT_TRUE(part("project new \"Parts\"\nalert answer \"Cancel\"\n"));
    EXPECT_FALSE(runner->checkNothingLeft());
    EXPECT_EQ(runner->failedLine(), 2);
    EXPECT_NE(runner->failure().find("the alert answer of this line was never used"), std::string::npos)
        << runner->failure();
    host.alerts().clear();
    runner->finish(2, false);
}

TEST_F(ScenarioPartsTest, AClickNoInputTookIsLeftOver) {
    ASSERT_TRUE(part("project new \"Parts\"\n"));
    ASSERT_TRUE(part("click 1 2\n", 5));
    EXPECT_FALSE(runner->checkNothingLeft());
    EXPECT_EQ(runner->failedLine(), 5);
    EXPECT_NE(runner->failure().find("no input asked for it"), std::string::npos) << runner->failure();
    host.input().clear();
    runner->finish(5, false);
}

TEST_F(ScenarioPartsTest, ForgettingTheHistoryKeepsTheSession) {
    ASSERT_TRUE(attach() == hosterr::Ok);
    ASSERT_TRUE(
        part("project new \"Parts\"\nelement add wall as \"W\"\nmenu \"Raw Test\" \"Ask Question\"\n"));
    EXPECT_FALSE(host.calls().calls().empty());
    EXPECT_FALSE(host.alerts().shown().empty());
    EXPECT_FALSE(host.transcript().lines().empty());
    runner->forgetHistory();
    EXPECT_TRUE(host.calls().calls().empty());
    EXPECT_TRUE(host.alerts().shown().empty());
    EXPECT_TRUE(host.transcript().lines().empty());
    // Marks count from here; what the project holds stays.
    ASSERT_TRUE(part("expect call-count 0\nexpect no-alert\nselect \"W\"\nexpect selection count 1\n", 4))
        << runner->failure();
    ASSERT_TRUE(part("menu \"Raw Test\" \"Ask Question\"\nexpect alert \"Question\"\n", 8))
        << runner->failure();
    EXPECT_TRUE(runner->finish(9, true)) << runner->failure();
}

TEST_F(ScenarioPartsTest, WaitingForTheAnnotatorWithNoneStartedHolds) {
    ParsedScenario parsed = parseScenario("annotator wait\n");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0].message;
    EXPECT_EQ(parsed.steps[0].kind, StepKind::AnnotatorSetting);
    EXPECT_EQ(parsed.steps[0].model.verb, "wait");
    EXPECT_TRUE(runner->play(parsed.steps)) << runner->failure();
    ParsedScenario extra = parseScenario("annotator wait 10\n");
    ASSERT_EQ(extra.errors.size(), 1u);
    EXPECT_NE(extra.errors[0].message.find("unexpected \"10\""), std::string::npos)
        << extra.errors[0].message;
    ParsedScenario misspelt = parseScenario("annotator wiat\n");
    ASSERT_EQ(misspelt.errors.size(), 1u);
    EXPECT_NE(misspelt.errors[0].message.find("unknown annotator step"), std::string::npos);
    runner->finish(1, true);
}
