// The answer file's faults, malformed command files, the order of the result and the flag, and
// the program started as the product starts it.
#include "AnnotatorTestSupport.h"

#include <ostream>

#include "platform/windows/Shell.h"

using namespace annotatortest;
using zavlink::ResultList;
using zavlink::SelectAnnotationResult;
using zavlink::Status;

namespace {

struct FaultCase {
    const char* name;
    const char* fault;
    int exit;
    bool result, flag;
    bool reads;         // the product reads the result file
    size_t results;     // then: how many results
    uint32_t commandID; // of the first
    uint32_t error;
};

// The case's name stands for it in the test's name.
void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

class AnnotatorFaults : public AnnotatorRun, public ::testing::WithParamInterface<FaultCase> {};

} // namespace

TEST_P(AnnotatorFaults, ChangeTheNextAnswerOnly) {
    const FaultCase& c = GetParam();
    command(pathCommand("selectAnnotation", spec()));
    answers(std::string("specification \"spec.xml\"\nclause \"F10/110\"\nclause \"F10/120\"\n") + c.fault +
            "\n");
    EXPECT_EQ(run(), c.exit) << diagnostics.str();
    EXPECT_EQ(has("ZAVResult.xml"), c.result);
    EXPECT_EQ(has("ZAVFlag.txt"), c.flag);
    // Used, and gone before the answer; the clause is taken too, unless the run crashed first.
    bool crashed = c.exit == zavannotator::ExitCrashed;
    EXPECT_EQ(readText(dir / "ZAVAnswers.txt"), std::string("specification \"spec.xml\"\n") +
                                                    (crashed ? "clause \"F10/110\"\n" : "") +
                                                    "clause \"F10/120\"\n");
    if (c.result) {
        std::unique_ptr<ResultList> list = read();
        ASSERT_EQ(list != nullptr, c.reads) << result();
        if (list) {
            ASSERT_EQ(list->size(), c.results);
            EXPECT_NE(dynamic_cast<const SelectAnnotationResult*>(list->at(0)), nullptr);
            EXPECT_EQ(list->at(0)->getCommandID(), c.commandID);
            EXPECT_EQ(list->at(0)->getError(), c.error);
        }
    }
    // The next exchange is answered as if nothing had happened.
    fs::remove(dir / "ZAVResult.xml");
    fs::remove(dir / "ZAVFlag.txt");
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    std::unique_ptr<ResultList> list = read();
    ASSERT_TRUE(list) << result();
    const auto* next = only<SelectAnnotationResult>(*list);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->getCommandID(), 1u);
    EXPECT_EQ(next->annotation.number.bytes(), crashed ? "F10/110" : "F10/120");
    EXPECT_TRUE(has("ZAVFlag.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, AnnotatorFaults,
    ::testing::Values(
        FaultCase{"slow", "fault slow 1", 0, true, true, true, 1, 1, Status::noError},
        FaultCase{"noFlag", "fault no-flag", 0, true, false, true, 1, 1, Status::noError},
        FaultCase{"noResult", "fault no-result", 0, false, true, false, 0, 0, 0},
        FaultCase{"malformed", "fault malformed", 0, true, true, false, 0, 0, 0},
        FaultCase{"twoResults", "fault two-results", 0, true, true, true, 2, 1, Status::noError},
        FaultCase{"commandID", "fault command-id 2", 0, true, true, true, 1, 2, Status::noError},
        FaultCase{"knownError", "fault error \"badParameters\"", 0, true, true, true, 1, 1,
                  Status::badParameters},
        FaultCase{"unknownError", "fault error bogus", 0, true, true, false, 0, 0, 0},
        FaultCase{"blankNumber", "fault blank-number", 0, true, true, false, 0, 0, 0},
        FaultCase{"crash", "fault crash", zavannotator::ExitCrashed, false, false, false, 0, 0, 0}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(AnnotatorRun, FaultsCombineInOneAnswer) {
    command(pathCommand("selectAnnotation", spec()));
    answers("clause \"F10/110\"\nfault two-results\nfault command-id 7\nfault no-flag\n");
    ASSERT_EQ(run(), 0);
    std::unique_ptr<ResultList> list = read();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ(list->at(1)->getCommandID(), 7u);
    EXPECT_FALSE(has("ZAVFlag.txt"));
}

TEST_F(AnnotatorRun, TheFlagComesOnlyAfterTheWholeResult) {
    const std::string commands[] = {"<selectSpecification commandID=\"1\"/>",
                                    pathCommand("selectAnnotation", spec()),
                                    pathCommand("retrieveClause", spec(), "<annotations/>")};
    for (const std::string& each : commands) {
        SCOPED_TRACE(each);
        fs::remove(dir / "ZAVResult.xml");
        command(each);
        answers("specification \"spec.xml\"\nclause \"F10/110\"\n");
        resultWholeAtFlag = false;
        ASSERT_EQ(run(), 0);
        EXPECT_EQ(written, (std::vector<std::string>{"ZAVResult.xml", "ZAVFlag.txt"}));
        EXPECT_TRUE(resultWholeAtFlag);
    }
}

TEST_F(AnnotatorRun, UnreadableCommandFilesAnswerBadXML) {
    struct {
        const char* name;
        std::string text; // null-like "-": no file
        std::string expected;
    } cases[] = {
        {"cut short", "<zavCommand parent=\"ZAVHost\"><selectAnnotation commandID=\"1\"><zavPath>",
         "<selectAnnotation commandID=\"1\" error=\"badXML\"/>"},
        {"two roots", commandFile("<selectSpecification commandID=\"1\"/>") + "<zavCommand/>",
         "<selectSpecification commandID=\"1\" error=\"badXML\"/>"},
        {"entity", "<!DOCTYPE zavCommand [<!ENTITY e \"x\">]><zavCommand><selectSpecification/></zavCommand>",
         ""},
        {"not xml", "ZAVCommand", ""},
        {"another document", "<zavResult><selectSpecification commandID=\"1\"/></zavResult>", ""},
        {"missing", "-", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dir / "ZAVCommand.xml");
        if (c.text != "-") writeText(dir / "ZAVCommand.xml", c.text);
        answers("specification \"spec.xml\"\n");
        ASSERT_EQ(run(), 0);
        std::string body = result();
        std::string open = "<zavResult parent=\"ZAV Annotator\" version=\"1\">\n";
        ASSERT_NE(body.find(open), std::string::npos) << body;
        EXPECT_EQ(body.substr(body.find(open) + open.size()),
                  (c.expected.empty() ? "" : " " + c.expected + "\n") + "</zavResult>\n");
        EXPECT_TRUE(has("ZAVFlag.txt"));
    }
}

// Only the sender it knows: any other parent or version, or none, and nothing is done or noted.
TEST_F(AnnotatorRun, RefusesCommandFilesOfAnotherParentOrVersion) {
    const std::string select = pathCommand("selectAnnotation", spec());
    const struct {
        const char* name;
        std::string root;
        std::string asked;
    } cases[] = {
        {"another name", "<zavCommand parent=\"ZAV Link\" version=\"22\">",
         R"(refused "parent \"ZAV Link\" is not \"ZAVHost\"")"},
        {"another case", "<zavCommand parent=\"zavhost\" version=\"22\">",
         R"(refused "parent \"zavhost\" is not \"ZAVHost\"")"},
        {"no parent", "<zavCommand version=\"22\">", R"(refused "parent \"\" is not \"ZAVHost\"")"},
        {"another version", "<zavCommand parent=\"ZAVHost\" version=\"23\">",
         R"(refused "version \"23\" is not \"22\"")"},
        {"no version", "<zavCommand parent=\"ZAVHost\">", R"(refused "version \"\" is not \"22\"")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dir / "ZAVAsked.txt");
        writeText(dir / "ZAVCommand.xml", c.root + "\n" + select + "\n</zavCommand>\n");
        answers("clause \"F10/110\"\n");
        ASSERT_EQ(run(), zavannotator::ExitAnswered);
        EXPECT_NE(result().find("<zavResult parent=\"ZAV Annotator\" version=\"1\">\n"
                                " <selectAnnotation commandID=\"1\" error=\"badParameters\"/>\n"
                                "</zavResult>\n"),
                  std::string::npos)
            << result();
        EXPECT_TRUE(has("ZAVFlag.txt"));
        // The queued clause is still the user's to pick.
        EXPECT_EQ(readText(dir / "ZAVAnswers.txt"), "clause \"F10/110\"\n");
        EXPECT_EQ(readText(dir / "ZAVAsked.txt"), c.asked + "\n");
        EXPECT_NE(diagnostics.str().find("refused: "), std::string::npos) << diagnostics.str();
        // The product sees no clause, so its read of the answer fails.
        EXPECT_EQ(read(), nullptr);
    }

    // A display command of a refused file is neither shown nor noted.
    fs::remove(dir / "ZAVAsked.txt");
    writeText(dir / "ZAVCommand.xml", "<zavCommand parent=\"ZAV Link\" version=\"22\">" +
                                          pathCommand("displayClause", spec()) + "</zavCommand>");
    fs::remove(dir / "ZAVResult.xml");
    fs::remove(dir / "ZAVFlag.txt");
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(readText(dir / "ZAVAsked.txt").rfind("refused ", 0), 0u);

    // The sender it knows is answered.
    command(select);
    answers("clause \"F10/110\"\n");
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    std::unique_ptr<ResultList> list = read();
    ASSERT_NE(list, nullptr);
    const auto* answer = only<SelectAnnotationResult>(*list);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->getError(), Status::noError);
}

TEST_F(AnnotatorRun, UnknownCommandsAndAWrongAnswerFile) {
    command("<reticulateSplines commandID=\"1\"/>");
    ASSERT_EQ(run(), 0);
    EXPECT_NE(result().find("<reticulateSplines commandID=\"1\" error=\"noCommand\"/>"), std::string::npos);

    command("<selectSpecification commandID=\"1\"/>");
    answers("specification \"spec.xml\"\nfault explode\n");
    EXPECT_EQ(run(), zavannotator::ExitFailed);
    EXPECT_NE(result().find("<selectSpecification commandID=\"1\" error=\"generalError\"/>"),
              std::string::npos);
    EXPECT_NE(diagnostics.str().find("ZAVAnswers.txt:2: unknown fault \"explode\""), std::string::npos)
        << diagnostics.str();
    EXPECT_TRUE(has("ZAVFlag.txt"));
}

// As the product starts it: the shell's "open" with the quoted program and the quoted path, in a
// folder whose name has blanks, brackets and an apostrophe.
TEST_F(AnnotatorRun, StartedThroughTheShellWithAQuotedPath) {
    fs::path folder = dir / "ZAV Link (user's)";
    fs::create_directories(folder);
    writeText(folder / "ZAVCommand.xml", commandFile("<selectSpecification commandID=\"1\"/>"));
    writeText(folder / "ZAVAnswers.txt", "specification \"" + spec() + "\"\n");
    setenv(zavannotator::FolderVariable, "", 1); // the answer file beside the command file
    std::string program = std::string("\"") + ZAV_ANNOTATOR_PATH + "\"";
    std::string parameters = "\"" + (folder / "ZAVCommand.xml").string() + "\"";
    HINSTANCE started =
        ShellExecute(nullptr, "open", program.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
    ASSERT_GT(reinterpret_cast<intptr_t>(started), 32);
    ASSERT_EQ(WaitForStartedProcesses(60000), 0);
    EXPECT_TRUE(fs::exists(folder / "ZAVFlag.txt"));
    EXPECT_NE(readText(folder / "ZAVResult.xml").find("<zavPath>" + spec() + "</zavPath>"), std::string::npos)
        << readText(folder / "ZAVResult.xml");
    EXPECT_NE(readText(folder / "ZAVAsked.txt").find("selectSpecification"), std::string::npos);
}
