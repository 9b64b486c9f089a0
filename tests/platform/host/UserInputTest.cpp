#include <filesystem>

#include "HostTestSupport.h"
#include "platform/api/InputRecords.h"
#include "platform/host/Scenario.h"
#include "platform/host/ScenarioRunner.h"

using namespace zavhost;

TEST(InputWords, ClicksFinishAndCancelParseAndStandBetweenAnActionAndItsCheck) {
    ParsedScenario parsed = parseScenario("menu \"M\" \"Pick\"\n"
                                          "click 1.5 -2\n"
                                          "click 1 2 3 on \"W\" arc 90\n"
                                          "finish input\n"
                                          "cancel input\n"
                                          "expect answer cancelled\n");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0].message;
    const std::vector<Step>& s = parsed.steps;
    EXPECT_TRUE(s[0].answerChecked);
    EXPECT_EQ(s[1].kind, StepKind::InputClick);
    EXPECT_EQ(s[1].model.numbers, (std::vector<double>{1.5, -2, 0}));
    EXPECT_EQ(s[2].model.numbers, (std::vector<double>{1, 2, 3, 90}));
    EXPECT_EQ(*s[2].text, "W");
    EXPECT_EQ(s[3].kind, StepKind::InputFinish);
    EXPECT_EQ(s[4].kind, StepKind::InputCancel);

    const char* bad[] = {"click 1", "click 1 2 on W", "click 1 2 arc",
                         "finish",  "cancel now",     "click 1 2 3 4"};
    for (const char* line : bad)
        EXPECT_EQ(parseScenario(line).errors.size(), 1u) << line;
}

class InputRun : public HostTest {
protected:
    GSErrCode ask(const char (&selector)[5], void* record, void* callback = nullptr) {
        return host.functionTable().InterfaceCall(fourCC(selector), record, callback, nullptr, nullptr,
                                                  nullptr);
    }
    void queue(InputAction::Kind kind) {
        InputAction action;
        action.kind = kind;
        action.line = 7;
        host.input().queue(action);
    }
};

TEST_F(InputRun, AClickNoInputTakesOrThatNamesNoElementFailsItsLine) {
    struct Case {
        const char* text;
        int line;
        const char* why;
    };
    const Case cases[] = {
        {"project new \"H\"\nclick 1 2\n", 2, "the action of line 1 asked for no more input"},
        {"mark\nclick 1 2\n", 2, "never used: no input asked for it"},
        {"project new \"H\"\nclick 1 2 on \"W\"\n", 2, "no element is labelled \"W\""},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(play(c.text)) << c.text;
        EXPECT_EQ(failedLine, c.line) << c.text;
        EXPECT_NE(failure.find(c.why), std::string::npos) << failure;
        host.input().clear();
    }
}

namespace {
GSErrCode g_nested = hosterr::Ok;
GSErrCode g_drawn = hosterr::Ok;
void askAgain(HostCursor*) {
    HostPointInput again;
    g_nested = StandInHost::current()->functionTable().InterfaceCall(fourCC("IPOI"), &again, nullptr, nullptr,
                                                                     nullptr, nullptr);
    HostRubberLine line;
    g_drawn = StandInHost::current()->functionTable().InterfaceCall(fourCC("DRLI"), &line, nullptr, nullptr,
                                                                    nullptr, nullptr);
}
} // namespace

TEST_F(InputRun, TheHostAsksOneInputAtATimeAndDrawsOnlyWhileItWaits) {
    HostRubberLine line;
    EXPECT_EQ(ask("DRLI", &line), hosterr::Refused);

    host.input().queue(InputAction());
    HostPointInput point;
    EXPECT_EQ(ask("IPOI", &point, reinterpret_cast<void*>(&askAgain)), hosterr::Ok);
    EXPECT_EQ(g_nested, hosterr::Refused);
    EXPECT_EQ(g_drawn, hosterr::Ok);
    EXPECT_EQ(ask("INCA", nullptr), hosterr::Ok);

    struct Case {
        const char* name;
        uint32_t selector;
        void* record;
        GSErrCode answer;
    };
    HostArcInput arcWithoutCentre;
    HostPolygonInput polygonWithoutCallbacks;
    const Case cases[] = {
        {"arc without a centre", fourCC("IARC"), &arcWithoutCentre, hosterr::BadParameter},
        {"polygon without callbacks", fourCC("IPOL"), &polygonWithoutCallbacks, hosterr::BadParameter},
        {"no record", fourCC("IPOI"), nullptr, hosterr::BadParameter},
    };
    queue(InputAction::Click);
    for (const Case& c : cases) {
        EXPECT_EQ(
            host.functionTable().InterfaceCall(c.selector, c.record, nullptr, nullptr, nullptr, nullptr),
            c.answer)
            << c.name;
        EXPECT_EQ(host.input().queued().size(), 1u) << c.name << ": the click stays for a proper input";
    }
    host.input().clear();

    // A finish where a point is asked cancels it, and the scenario hears of the misplaced line.
    queue(InputAction::Finish);
    EXPECT_EQ(ask("IPOI", &point), hosterr::Cancelled);
    EXPECT_EQ(ask("INCA", nullptr), hosterr::Cancelled);
    std::vector<std::string> problems = host.input().takeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("line 7"), std::string::npos);
}
