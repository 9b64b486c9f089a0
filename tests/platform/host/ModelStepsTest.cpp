#include "HostTestSupport.h"
#include "platform/host/ObjectSettings.h"
#include "platform/host/Scenario.h"
#include "platform/host/ScenarioRunner.h"

using namespace zavhost;

TEST(ModelStepParser, ReadsTheModelWordsAndRejectsWhatDoesNotFit) {
    ParsedScenario parsed = parseScenario(R"(layer add "A" hidden locked
element add line in "S" as "L" from 0 0 to 1.5 -2 with-user-data "u" held-by 3
element add hatch polygon 0 0 1 0 1 1 layer "A"
expect element count 2 type 19 in "S" with-user-data
expect element type text user-data containing "x"
view current plan "Ground Floor"
project shared "me" "you"
)");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0].line << ": " << parsed.errors[0].message;
    const std::vector<Step>& s = parsed.steps;
    EXPECT_EQ(s[0].kind, StepKind::ModelAction);
    EXPECT_EQ(s[0].model.flags, (std::set<std::string>{"hidden", "locked"}));
    EXPECT_EQ(s[1].model.code, 19u);
    EXPECT_EQ(s[1].model.numbers, (std::vector<double>{0, 0, 1.5, -2}));
    EXPECT_EQ(*s[1].model.count, 3);
    EXPECT_EQ(s[1].model.options.at("as"), "L");
    EXPECT_EQ(s[2].model.numbers.size(), 6u);
    EXPECT_EQ(s[3].kind, StepKind::ExpectModel);
    EXPECT_EQ(*s[3].model.count, 2);
    EXPECT_EQ(s[4].model.options.at("user-data"), "x");
    EXPECT_EQ(s[6].model.texts.size(), 2u);

    ParsedScenario bad = parseScenario("layer add \"A\" purple\n"
                                       "element add teapot\n"
                                       "element add hatch polygon 0 0 1 1\n"
                                       "element add proxy in \"S\"\n"
                                       "view add plan \"P\"\n"
                                       "expect element\n"
                                       "attribute add colour \"C\"\n"
                                       "lockable \"X\" free mine\n");
    ASSERT_EQ(bad.errors.size(), 8u);
    EXPECT_NE(bad.errors[0].message.find("this line knows hidden, locked, not-in-workspace"),
              std::string::npos);
    EXPECT_NE(bad.errors[1].message.find("unknown element type \"teapot\""), std::string::npos);
    EXPECT_NE(bad.errors[2].message.find("three points"), std::string::npos);
    EXPECT_NE(bad.errors[3].message.find("of \"LABEL\""), std::string::npos);
    EXPECT_NE(bad.errors[4].message.find("cannot be added"), std::string::npos);
    EXPECT_NE(bad.errors[6].message.find("unknown attribute type"), std::string::npos);
}

TEST_F(HostTest, ModelStepsFailWithTheirReason) {
    ScenarioRunner runner(host, RunOptions{});
    ParsedScenario parsed = parseScenario(R"(project new "H"
element add text as "T" with-user-data "alpha"
expect element "T" user-data containing "alpha"
element set "T" no-user-data
expect element "T" user-data containing "alpha"
)");
    ASSERT_TRUE(parsed.errors.empty());
    EXPECT_FALSE(runner.run(parsed.steps));
    EXPECT_EQ(runner.failedLine(), 5);
    EXPECT_NE(runner.failure().find("\"T\": its user data is none"), std::string::npos) << runner.failure();

    ParsedScenario missing = parseScenario("project new \"H\"\nselect \"Nobody\"\n");
    ScenarioRunner second(host, RunOptions{});
    EXPECT_FALSE(second.run(missing.steps));
    EXPECT_NE(second.failure().find("no element is labelled \"Nobody\""), std::string::npos)
        << second.failure();
}

TEST_F(HostTest, ParameterCellsReadAPlacedPartsMemoParameters) {
    ScenarioRunner runner(host, RunOptions{});
    ParsedScenario parsed = parseScenario(R"(project new "H"
library part "Pendant" type 5 param "Bulbs" int 3 param "Shade" text "Linen" array "Heights" length 2 1 0.5 0.75
element add lamp as "L1" part "Pendant"
element add text as "T"
)");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0].message;
    ASSERT_TRUE(runner.run(parsed.steps, ScenarioRunner::End::KeepLoaded)) << runner.failure();
    ViewDatabases& views = host.project()->model.views;
    std::vector<const StoredElement*> plan;
    for (const ViewDatabase& database : views.all())
        if (database.kind == DatabasePlan) plan = views.elementsOf(database).inOrder();
    ASSERT_EQ(plan.size(), 2u);
    const StoredElement& lamp = *plan[0];
    // Any letter case finds it; a number, a text and an array's cells row by row.
    EXPECT_EQ(parameterCells(lamp, "bulbs"), (std::vector<std::string>{"n" + std::to_string(3.0)}));
    EXPECT_EQ(parameterCells(lamp, "Shade"), (std::vector<std::string>{"tLinen"}));
    EXPECT_EQ(parameterCells(lamp, "Heights"),
              (std::vector<std::string>{"n" + std::to_string(0.5), "n" + std::to_string(0.75)}));
    EXPECT_FALSE(parameterCells(lamp, "Colour").has_value());
    EXPECT_FALSE(parameterCells(*plan[1], "Bulbs").has_value()); // a text has no parameters
}

TEST_F(HostTest, AnElementExpectationChecksEveryParameterItNames) {
    const std::string setup = R"(project new "H"
library part "Pendant" type 5 param "Bulbs" int 3 param "Shade" text "Linen"
element add lamp as "L1" part "Pendant"
)";
    struct Case {
        const char* line;
        bool holds;
    };
    for (const Case& c :
         {Case{R"(expect element "L1" parameter "Bulbs" 3 parameter "Shade" "Linen")", true},
          Case{R"(expect element "L1" parameter "Bulbs" 99 parameter "Shade" "Linen")", false},
          Case{R"(expect element "L1" parameter "Bulbs" 3 parameter "Shade" "Silk")", false}}) {
        ScenarioRunner runner(host, RunOptions{});
        ParsedScenario parsed = parseScenario(setup + c.line + "\n");
        ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0].message;
        EXPECT_EQ(runner.run(parsed.steps), c.holds) << c.line << ": " << runner.failure();
    }
}
