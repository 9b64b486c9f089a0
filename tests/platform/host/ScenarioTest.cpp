#include <filesystem>

#include "HostTestSupport.h"
#include "platform/host/Scenario.h"
#include "platform/host/ScenarioRunner.h"

using namespace zavhost;

TEST(ScenarioParser, ReadsEveryCommandForm) {
    ParsedScenario parsed = parseScenario(R"(# a story
load
menu "Raw Test" "Say \"Hello\""   # a comment after a step
command RAWC 2 data "bytes"
command 1234
notify close 7
alert answer "No"
alert answer 3
progress cancel-after 0
expect progress open title "T" phases 2 phase "P" steps 4 value -1 polls 3 cancelled
expect answer 0x8106000A
expect alert containing "x"
expect call-count 0 containing "SPRV"
project open "{home}/a b.zavproj"
)",
                                          ParseOptions{true});
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0].line << ": " << parsed.errors[0].message;
    ASSERT_EQ(parsed.steps.size(), 13u);
    const std::vector<Step>& s = parsed.steps;
    EXPECT_EQ(s[0].kind, StepKind::Load);
    EXPECT_FALSE(s[0].text.has_value());
    EXPECT_EQ(s[1].line, 3);
    EXPECT_EQ(*s[1].text2, "Say \"Hello\"");
    EXPECT_EQ(s[1].source, "menu \"Raw Test\" \"Say \\\"Hello\\\"\"");
    EXPECT_EQ(*s[2].number, int64_t(fourCC("RAWC")));
    EXPECT_EQ(*s[2].number2, 2);
    EXPECT_EQ(*s[2].text, "bytes");
    EXPECT_EQ(*s[3].number, 1234);
    EXPECT_EQ(*s[3].number2, 1);
    EXPECT_EQ(*s[4].number, int64_t(ProjectClose));
    EXPECT_EQ(*s[4].number2, 7);
    EXPECT_EQ(*s[5].text, "No");
    EXPECT_EQ(*s[6].number, 3);
    const ProgressExpectation& p = s[8].progress;
    EXPECT_TRUE(*p.open && *p.cancelled);
    EXPECT_EQ(*p.title, "T");
    EXPECT_EQ(*p.value, -1);
    EXPECT_EQ(*s[9].number, int64_t(hosterr::Refused));
    EXPECT_FALSE(s[10].text.has_value());
    EXPECT_EQ(*s[10].text2, "x");
    EXPECT_EQ(*s[12].text, "{home}/a b.zavproj");
}

TEST(ScenarioParser, ReportsEveryMalformedLineWithItsNumber) {
    ParsedScenario parsed = parseScenario("load\n"
                                          "menu \"Raw Test\"\n"
                                          "\n"
                                          "frobnicate\n"
                                          "alert answer 4\n"
                                          "expect undo Raw\n"
                                          "menu \"open\n"
                                          "expect progress\n"
                                          "command TOOLONG\n"
                                          "project save-and-reopen now\n"
                                          "menu \"a\"\"b\" \"c\"\n");
    std::vector<int> lines;
    for (const ScenarioError& error : parsed.errors)
        lines.push_back(error.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_NE(parsed.errors[0].message.find("--module"), std::string::npos);
    EXPECT_NE(parsed.errors[2].message.find("unknown command \"frobnicate\""), std::string::npos);
    EXPECT_NE(parsed.errors[8].message.find("unexpected \"now\""), std::string::npos);
}

TEST(ScenarioParser, AnActionFollowedByAnAnswerCheckMayFail) {
    ParsedScenario parsed =
        parseScenario("menu \"M\" \"A\"\nexpect refused\nmenu \"M\" \"B\"\n# gap\nexpect failure\n"
                      "menu \"M\" \"C\"\nexpect no-alert\n");
    ASSERT_TRUE(parsed.errors.empty());
    EXPECT_TRUE(parsed.steps[0].answerChecked);
    EXPECT_TRUE(parsed.steps[2].answerChecked);
    EXPECT_FALSE(parsed.steps[4].answerChecked);
}

class ScenarioRun : public HostTest {
protected:
    bool play(const std::string& text) {
        RunOptions options;
        options.modulePath = RAW_TEST_MODULE_PATH;
        options.homeFolder = ::testing::TempDir() + "scenario-run";
        return HostTest::play(text, options, ParseOptions{true});
    }
};

TEST_F(ScenarioRun, PlaysAStoryAndUnloadsAtTheEnd) {
    EXPECT_TRUE(play(R"S(load
expect calls containing "RegisterMenu (32500, 32510, 17, 0)"
project new "Story"
menu "Raw Test" "Nested Steps"
expect undo "Outer Step"
expect undo-count 1
alert answer "No"
menu "Raw Test" "Ask Question"
expect alert "Question" containing "Proceed"
expect no-alert
expect debug containing "question answered 2"
mark
progress cancel-after 2
menu "Raw Test" "Long Task"
expect progress closed title "Long Task" phases 1 phase "Working" steps 10 value 2 polls 3 cancelled
expect call-count 2 containing "IPRV"
project save-and-reopen
expect project "Story"
expect module-data containing "outer+inner"
expect undo-count 0
menu "Raw Test" "Disabled Item"
expect refused
command RAWC 9
expect answer not-found
)S")) << failedLine
      << ": " << failure;
    EXPECT_FALSE(host.moduleLoaded());
    EXPECT_TRUE(host.transcript().contains("debug: raw: free data"));
    std::filesystem::remove(::testing::TempDir() + "scenario-run/Story.zavproj");
}

TEST_F(ScenarioRun, StopsAtTheFirstFailedExpectationWithItsLine) {
    EXPECT_FALSE(play("load\nproject new \"P\"\nexpect undo-count 1\nmenu \"Raw Test\" \"Undoable Step\"\n"));
    EXPECT_EQ(failedLine, 3);
    EXPECT_EQ(failure, "expectation failed: wanted undo-count 1; found there are 0 undo step(s)");
    EXPECT_TRUE(host.project()->undoSteps.empty()); // line 4 never ran
}

TEST_F(ScenarioRun, ModuleAnswersAreRecordedNotFailures) {
    EXPECT_TRUE(
        play("load\nmenu \"Raw Test\" \"Write Data\"\nmenu \"Raw Test\" \"Say Hello\"\nexpect answer ok\n"
             "menu \"Raw Test\" \"Write Data\"\nexpect answer no-project\n"));
}

TEST_F(ScenarioRun, AnImpossibleActionOrAnUnusedOrUnfittingAlertAnswerFails) {
    EXPECT_FALSE(play("load\nmenu \"Raw Test\" \"Disabled Item\"\n"));
    EXPECT_EQ(failedLine, 2);
    EXPECT_NE(failure.find("is disabled"), std::string::npos);
    EXPECT_FALSE(play("load\nalert answer 2\nunload\n"));
    EXPECT_EQ(failedLine, 2);
    EXPECT_NE(failure.find("never used"), std::string::npos);
    host.alerts().clear();
    EXPECT_FALSE(play("load\nalert answer \"Later\"\nmenu \"Raw Test\" \"Say Hello\"\nexpect no-alert\n"));
    EXPECT_EQ(failedLine, 3);
    EXPECT_NE(failure.find("fits no button"), std::string::npos);
}

TEST_F(ScenarioRun, PartsPlayedOnOneRunnerKeepTheModuleAndDropWhatAFailedPartLeftQueued) {
    RunOptions options;
    options.modulePath = RAW_TEST_MODULE_PATH;
    options.homeFolder = ::testing::TempDir() + "scenario-parts";
    ScenarioRunner runner(host, options);
    auto part = [](const char* text) { return parseScenario(text, ParseOptions{true}).steps; };
    ASSERT_TRUE(runner.run(part("load\nproject new \"P\"\n"), ScenarioRunner::End::KeepLoaded));
    EXPECT_TRUE(host.moduleLoaded());

    // The part stops at its failed line: the answer queued after it is dropped, not kept for the
    // next part's question.
    EXPECT_FALSE(
        runner.run(part("expect undo-count 1\nalert answer \"No\"\n"), ScenarioRunner::End::KeepLoaded));
    EXPECT_EQ(runner.failedLine(), 1);
    EXPECT_FALSE(runner.run(part("alert answer \"No\"\nmenu \"Raw Test\" \"Disabled Item\"\n"),
                            ScenarioRunner::End::KeepLoaded));
    EXPECT_TRUE(host.alerts().queued().empty());
    EXPECT_TRUE(host.moduleLoaded());

    // The next part starts clean, hears the first button of its own question, and the last part
    // of a story unloads as a whole scenario does.
    EXPECT_TRUE(runner.run(
        part("menu \"Raw Test\" \"Ask Question\"\nexpect debug containing \"question answered 1\"\n"),
        ScenarioRunner::End::KeepLoaded))
        << runner.failure();
    EXPECT_EQ(runner.failedLine(), 0);
    EXPECT_TRUE(runner.failure().empty());
    EXPECT_TRUE(runner.run(part("menu \"Raw Test\" \"Say Hello\"\n")));
    EXPECT_FALSE(host.moduleLoaded());
}

TEST(ScenarioParser, AMenuExpectationNamesAStateAnIconOrBoth) {
    ParsedScenario parsed = parseScenario("expect menu \"M\" \"A\" enabled icon 16\n"
                                          "expect menu \"M\" \"B\" no-icon\n"
                                          "expect menu \"M\" \"C\" disabled\n"
                                          "expect menu \"M\" \"D\"\n"
                                          "expect menu \"M\" \"E\" icon 0\n"
                                          "expect menu \"M\" \"F\" icon\n"
                                          "expect menu \"M\" \"G\" icon 16 enabled\n");
    ASSERT_EQ(parsed.steps.size(), 3u);
    EXPECT_EQ(*parsed.steps[0].number, 1);
    EXPECT_EQ(*parsed.steps[0].number2, 16);
    EXPECT_FALSE(parsed.steps[1].number.has_value());
    EXPECT_EQ(*parsed.steps[1].number2, 0);
    EXPECT_EQ(*parsed.steps[2].number, 0);
    EXPECT_FALSE(parsed.steps[2].number2.has_value());
    std::vector<int> lines;
    for (const ScenarioError& error : parsed.errors)
        lines.push_back(error.line);
    EXPECT_EQ(lines, (std::vector<int>{4, 5, 6, 7}));
    EXPECT_NE(parsed.errors[0].message.find("icon SIDE|no-icon"), std::string::npos)
        << parsed.errors[0].message;
    EXPECT_NE(parsed.errors[1].message.find("must be at least 1"), std::string::npos);
}

TEST_F(ScenarioRun, TheMenuShowsTheIconsTheModuleCarries) {
    EXPECT_TRUE(play("load\n"
                     "expect menu \"Raw Test\" \"Ask Question\" enabled icon 2\n"
                     "expect menu \"Raw Test\" \"Say Hello\" no-icon\n"
                     "expect menu \"Raw Test\" \"Undoable Step\" enabled no-icon\n"))
        << failedLine << ": " << failure;
    EXPECT_FALSE(play("load\nexpect menu \"Raw Test\" \"Ask Question\" icon 3\n"));
    EXPECT_EQ(failedLine, 2);
    EXPECT_NE(failure.find("the item shows 2x2 pixels at 96 dpi and 4x4 pixels at 192 dpi (icon 32502)"),
              std::string::npos)
        << failure;
    EXPECT_FALSE(play("load\nexpect menu \"Raw Test\" \"Say Hello\" enabled icon 2\n"));
    EXPECT_NE(failure.find("the item shows no icon at 96 dpi and no icon at 192 dpi (icon 32501)"),
              std::string::npos)
        << failure;
    EXPECT_FALSE(play("load\nexpect menu \"Raw Test\" \"Ask Question\" no-icon\n"));
    EXPECT_NE(failure.find("shows 2x2 pixels"), std::string::npos) << failure;
}

TEST_F(ScenarioRun, RelativeProjectPathsLiveInTheHomeFolder) {
    RunOptions options;
    options.homeFolder = "/home/h";
    options.scenarioFolder = "/s";
    ScenarioRunner runner(host, options);
    EXPECT_EQ(runner.resolvePath("a.zavproj"), "/home/h/a.zavproj");
    EXPECT_EQ(runner.resolvePath("{scenario}/data/a.zavproj"), "/s/data/a.zavproj");
    EXPECT_EQ(runner.resolvePath("{home}/b.zavproj"), "/home/h/b.zavproj");
    EXPECT_EQ(runner.resolvePath("/abs/c.zavproj"), "/abs/c.zavproj");
}

TEST(ScenarioParser, SuspendGroupsIsSwitchedOnOrOffAndExpectedSo) {
    ParsedScenario parsed = parseScenario("suspend-groups on\n"
                                          "suspend-groups off\n"
                                          "expect suspend-groups on\n"
                                          "expect suspend-groups off\n"
                                          "suspend-groups\n"
                                          "suspend-groups yes\n"
                                          "expect suspend-groups\n"
                                          "suspend-groups on off\n");
    ASSERT_EQ(parsed.steps.size(), 4u);
    EXPECT_EQ(parsed.steps[0].kind, StepKind::SuspendGroups);
    EXPECT_TRUE(parsed.steps[0].isAction());
    EXPECT_EQ(*parsed.steps[0].number, 1);
    EXPECT_EQ(*parsed.steps[1].number, 0);
    EXPECT_EQ(parsed.steps[2].kind, StepKind::ExpectSuspendGroups);
    EXPECT_FALSE(parsed.steps[2].isAction());
    EXPECT_EQ(*parsed.steps[2].number, 1);
    EXPECT_EQ(*parsed.steps[3].number, 0);
    std::vector<int> lines;
    for (const ScenarioError& error : parsed.errors)
        lines.push_back(error.line);
    EXPECT_EQ(lines, (std::vector<int>{5, 6, 7, 8}));
    EXPECT_NE(parsed.errors[0].message.find("suspend-groups on or off"), std::string::npos);
    EXPECT_NE(parsed.errors[2].message.find("expect suspend-groups on or off"), std::string::npos);
}

TEST_F(ScenarioRun, SuspendGroupsStandsAsTheUserOrTheModuleLeftIt) {
    EXPECT_TRUE(play("load\nexpect suspend-groups off\nsuspend-groups on\nexpect suspend-groups on\n"
                     "mark\nsuspend-groups off\nexpect suspend-groups off\nexpect no-calls\n"))
        << failedLine << ": " << failure;
    EXPECT_TRUE(host.transcript().contains("suspend groups on"));
    EXPECT_FALSE(play("suspend-groups on\nexpect suspend-groups off\n"));
    EXPECT_EQ(failedLine, 2);
    EXPECT_EQ(failure, "expectation failed: wanted suspend-groups off; found Suspend Groups is on");
    // What the module switches is what the host then answers.
    ASSERT_EQ(host.functionTable().SetSuspendGroups(false), hosterr::Ok);
    EXPECT_TRUE(play("expect suspend-groups off\n")) << failedLine << ": " << failure;
}
