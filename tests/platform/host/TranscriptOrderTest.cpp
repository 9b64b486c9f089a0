// Where the transcript tells what the Annotator, a program of its own, answered: at a place the
// story fixes, not wherever the host happened to find the note, so that two runs read the same.
#include <filesystem>
#include <fstream>

#include "HostTestSupport.h"
#include "platform/host/ScenarioRunner.h"
#include "platform/windows/Shell.h"

using namespace zavhost;
namespace fs = std::filesystem;

namespace {

const std::string Answer = "selectAnnotation: noError, clause \"F10/110\" \"F10/110 Clay facing brickwork\"";

class TranscriptOrder : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        home = ::testing::TempDir() + "transcript-order-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(home);
        fs::create_directories(home + "/annotator");
        options.modulePath = RAW_TEST_MODULE_PATH;
        options.homeFolder = home;
    }

    static std::vector<Step> steps(const std::string& text) {
        ParsedScenario parsed = parseScenario(text, ParseOptions{true});
        EXPECT_TRUE(parsed.errors.empty()) << parsed.errors[0].message;
        return parsed.steps;
    }

    std::string answeredFile() const { return home + "/annotator/ZAVAnswered.txt"; }

    // The Annotator notes an answer, as it does before it writes its flag.
    void annotatorNotes(const std::string& line) const {
        std::ofstream(answeredFile(), std::ios::binary | std::ios::app) << line << "\n";
    }

    // The index of the first transcript line holding `part`, else -1.
    int lineOf(const std::string& part) {
        const std::vector<std::string>& lines = host.transcript().lines();
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(part) != std::string::npos) return static_cast<int>(i);
        return -1;
    }

    std::string home;
    RunOptions options;
};

} // namespace

TEST_F(TranscriptOrder, AnAnswerTheModuleWaitedForIsToldInsideItsProgressWindow) {
    ScenarioRunner runner(host, options);
    runner.start();
    ASSERT_TRUE(runner.play(steps("load\n")));
    // However quickly the Annotator answers, even before the module has opened its window, the
    // story has the answer come while the window is open: the module saw it when the window closed.
    annotatorNotes(Answer);
    ASSERT_TRUE(runner.play(steps("menu \"Raw Test\" \"Long Task\"\n")));
    EXPECT_TRUE(runner.finish(1, true));

    const int menu = lineOf("menu \"Raw Test\" \"Long Task\"");
    const int opens = lineOf("progress window \"Long Task\" opens");
    const int answer = lineOf("the ZAV Annotator: " + Answer);
    const int closes = lineOf("progress window \"Long Task\" closes");
    ASSERT_GE(menu, 0);
    EXPECT_LT(menu, opens);
    EXPECT_LT(opens, answer) << host.transcript().text();
    EXPECT_EQ(answer + 1, closes) << host.transcript().text();
}

TEST_F(TranscriptOrder, AnAnswerAfterTheUserCancelledTheWaitIsToldAtTheEndOfTheLine) {
    ScenarioRunner runner(host, options);
    runner.start();
    ASSERT_TRUE(runner.play(steps("load\nprogress cancel-after 3\n")));
    // Whether the answer had come when the user gave up depends on the machine: it is told after
    // the window's end, as the line's last word.
    annotatorNotes(Answer);
    ASSERT_TRUE(runner.play(steps("menu \"Raw Test\" \"Long Task\"\nmark\n")));
    EXPECT_TRUE(runner.finish(2, true));

    const int closes = lineOf("progress window \"Long Task\" closes");
    const int answer = lineOf("the ZAV Annotator: " + Answer);
    const int mark = lineOf("   2  mark");
    ASSERT_GE(closes, 0);
    EXPECT_LT(closes, answer) << host.transcript().text();
    EXPECT_LT(answer, mark) << host.transcript().text();
    EXPECT_NE(host.transcript().lines()[static_cast<size_t>(closes)].find("cancelled"), std::string::npos);
}

TEST_F(TranscriptOrder, ALineEndsOnlyOnceTheAnnotatorsItStartedHaveEnded) {
    ScenarioRunner runner(host, options);
    runner.start();
    ASSERT_TRUE(runner.play(steps("load\n")));
    // An Annotator the module does not wait for (a display command) notes its line a moment later.
    const std::string shown = "displayGuidance: shown, nothing answered";
    const std::string script = "sleep 0.3; echo '" + shown + "' >> '" + answeredFile() + "'";
    ASSERT_GT(reinterpret_cast<intptr_t>(
                  ShellExecute(nullptr, "open", "/bin/sh", ("-c \"" + script + "\"").c_str(), nullptr, 0)),
              32);
    ASSERT_TRUE(runner.play(steps("mark\nmark\n")));
    EXPECT_TRUE(runner.finish(2, true));

    // Told under the line during which it ran, before the next one begins.
    const int first = lineOf("   1  mark");
    const int answer = lineOf("the ZAV Annotator: " + shown);
    EXPECT_EQ(answer, first + 1) << host.transcript().text();
    EXPECT_EQ(ReapStartedProcesses(), 0);
}

TEST_F(TranscriptOrder, AnAnnotatorIsDoneWithinAWaitUntilOneIsMadeLateAndAgainOnceARunTookThat) {
    ScenarioRunner runner(host, options);
    runner.start();
    EXPECT_TRUE(AreStartedProcessesPunctual());
    ASSERT_TRUE(runner.play(steps("annotator fault slow 400\nannotator fault no-flag\n")));
    EXPECT_FALSE(AreStartedProcessesPunctual());

    // A run that has not taken the late answer leaves the time as it passes.
    const std::string answers = home + "/annotator/ZAVAnswers.txt";
    const auto run = [&](const std::string& left) {
        const std::string script = "printf '" + left + "' > '" + answers + "'";
        ASSERT_GT(reinterpret_cast<intptr_t>(ShellExecute(nullptr, "open", "/bin/sh",
                                                          ("-c \"" + script + "\"").c_str(), nullptr, 0)),
                  32);
    };
    run("fault slow 400\\n");
    ASSERT_TRUE(runner.play(steps("mark\n")));
    EXPECT_FALSE(AreStartedProcessesPunctual());
    // One that took it, though another fault waits still.
    run("fault no-flag\\n");
    ASSERT_TRUE(runner.play(steps("mark\n")));
    EXPECT_TRUE(AreStartedProcessesPunctual());

    EXPECT_TRUE(runner.finish(3, true));
    EXPECT_FALSE(AreStartedProcessesPunctual());
}
