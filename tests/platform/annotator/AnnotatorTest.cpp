// Each command the product sends, answered from the specification and the answer file, and
// read back with the product's result classes.
#include "AnnotatorTestSupport.h"

#include <ostream>

#include "platform/annotator/AnswerFile.h"

using namespace annotatortest;
using zavlink::ResultList;
using zavlink::RetrieveAnnotationResult;
using zavlink::SelectAnnotationResult;
using zavlink::SelectSpecificationResult;
using zavlink::Status;

namespace {

struct SpecificationCase {
    const char* name;
    std::string answers;
    uint32_t error;
    const char* zavPath; // in the exchange folder; null: none answered
};

// The case's name stands for it in the test's name.
void PrintTo(const SpecificationCase& c, std::ostream* out) {
    *out << c.name;
}

class AnnotatorSelectSpecification : public AnnotatorRun,
                                     public ::testing::WithParamInterface<SpecificationCase> {};

} // namespace

TEST_P(AnnotatorSelectSpecification, AnswersTheChosenFileOrWhyNot) {
    const SpecificationCase& c = GetParam();
    writeText(dir / "other.xml", SpecText);
    command("<selectSpecification commandID=\"1\"/>");
    answers(c.answers);
    ASSERT_EQ(run(), zavannotator::ExitAnswered) << diagnostics.str();
    std::string text = result();
    std::unique_ptr<ResultList> list = read();
    if (c.zavPath == nullptr) {
        // The product's check refuses an error without a path unless it is a cancel.
        EXPECT_NE(text.find(std::string("error=\"") + Status::getName(c.error).c_str() + "\"/>"),
                  std::string::npos)
            << text;
        EXPECT_EQ(text.find("zavPath"), std::string::npos);
        return;
    }
    ASSERT_TRUE(list) << text;
    const auto* answer = only<SelectSpecificationResult>(*list);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->getCommandID(), 1u);
    EXPECT_EQ(answer->getError(), c.error);
    EXPECT_EQ(answer->getZavPath().bytes(), (dir / c.zavPath).string());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AnnotatorSelectSpecification,
    ::testing::Values(
        SpecificationCase{"relative", "specification \"spec.xml\"\n", Status::noError, "spec.xml"},
        SpecificationCase{"lastCounts", "specification \"spec.xml\"\n# x\nspecification \"other.xml\"\n",
                          Status::noError, "other.xml"},
        SpecificationCase{"noneChosen", "", Status::userCancelled, nullptr},
        SpecificationCase{"cancelled", "specification \"spec.xml\"\ncancel\n", Status::userCancelled,
                          nullptr},
        SpecificationCase{"missing", "specification \"gone.xml\"\n", Status::specificationNotFound, nullptr}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(AnnotatorRun, SelectAnnotationAnswersTheClauseWithItsDefaults) {
    command(pathCommand("selectAnnotation", spec()));
    answers("clause \"F10/120\"\nclause \"h150\"\nclause \"F10/110\"\n");
    struct Expected {
        const char *section, *code, *number, *revision, *zavTitle, *hidden, *display;
    } expected[] = {
        {"F10 Brick/block walling", "F11", "F10/120", "B", "Blockwork & ties", "h120",
         "F10/120 Blockwork & ties"},
        {"L10 Own section", "", "L10/150", "C", "Window boards", "h150", "L10/150 Boards and sills"},
        {"F10 Brick/block walling", "F10", "F10/110", "A", "Facing brickwork", "h110",
         "F10/110 Facing brickwork"},
    };
    for (const Expected& e : expected) {
        ASSERT_EQ(run(), zavannotator::ExitAnswered);
        std::unique_ptr<ResultList> list = read();
        ASSERT_TRUE(list) << result();
        const auto* answer = only<SelectAnnotationResult>(*list);
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer->getError(), Status::noError);
        const zavlink::Annotation& a = answer->annotation;
        EXPECT_EQ(a.section.bytes(), e.section);
        EXPECT_EQ(a.code.bytes(), e.code);
        EXPECT_EQ(a.number.bytes(), e.number);
        EXPECT_EQ(a.revision.bytes(), e.revision);
        EXPECT_EQ(a.zavTitle.bytes(), e.zavTitle);
        EXPECT_EQ(a.hiddenNumber.bytes(), e.hidden);
        EXPECT_EQ(a.originalDisplayTitle.bytes(), e.display);
        EXPECT_EQ(a.modelDisplayTitle.bytes(), e.display);
        EXPECT_FALSE(a.hasBeenReassigned);
    }
    // The queue is used up: the user cancels, and the file is left with nothing queued.
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    std::unique_ptr<ResultList> list = read();
    ASSERT_TRUE(list);
    ASSERT_NE(only<SelectAnnotationResult>(*list), nullptr);
    EXPECT_EQ(list->at(0)->getError(), Status::userCancelled);
    EXPECT_EQ(readText(dir / "ZAVAnswers.txt"), "");
}

TEST_F(AnnotatorRun, SelectAnnotationErrors) {
    writeText(dir / "broken.xml",
              "<specification><section><clause zavTitle=\"no number\"/></section></specification>");
    struct {
        std::string zavPath;
        std::string answers;
        const char* error;
        const char* left; // the answer file afterwards
    } cases[] = {
        {spec(), "clause \"Z99/999\"\n", "clauseNotFound", ""},
        {spec(), "clause \"\"\n", "clauseNotFound", ""},
        {(dir / "gone.xml").string(), "clause \"F10/110\"\n", "specificationNotFound",
         "clause \"F10/110\"\n"},
        {"", "clause \"F10/110\"\n", "specificationNotFound", "clause \"F10/110\"\n"},
        {(dir / "broken.xml").string(), "clause \"F10/110\"\n", "generalError", "clause \"F10/110\"\n"},
        {spec(), "clause \"F10/110\"\ncancel\n", "userCancelled", "clause \"F10/110\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zavPath + " / " + c.answers);
        command(pathCommand("selectAnnotation", c.zavPath));
        answers(c.answers);
        ASSERT_EQ(run(), zavannotator::ExitAnswered);
        EXPECT_NE(result().find(std::string("<selectAnnotation commandID=\"1\" error=\"") + c.error + "\"/>"),
                  std::string::npos)
            << result();
        EXPECT_EQ(readText(dir / "ZAVAnswers.txt"), c.left);
    }
}

TEST_F(AnnotatorRun, RetrieveClauseAnswersEachClauseAsItStandsNow) {
    std::string sent = "<annotations>" + sentAnnotation("F10/110", "h110") +
                       sentAnnotation("F10/120", "h120") + sentAnnotation("L10/150", "h150") +
                       sentAnnotation("F10/110", "") + sentAnnotation("X", "unknown") + "</annotations>\n";
    command(pathCommand("retrieveClause", spec(), sent));
    auto numbersAndTitles = [this] {
        std::unique_ptr<ResultList> list = read();
        const auto* answer = list ? only<RetrieveAnnotationResult>(*list) : nullptr;
        std::string seen;
        if (answer == nullptr) return std::string("no answer: ") + result();
        EXPECT_EQ(answer->getError(), Status::noError);
        EXPECT_TRUE(answer->isReceived());
        for (const zavlink::Annotation& a : answer->annotations)
            seen += a.number.bytes() + "=" + a.zavTitle.bytes() + ";";
        return seen;
    };
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    EXPECT_EQ(numbersAndTitles(), "F10/110=Facing brickwork;F10/120=Blockwork & ties;L10/150=Window boards;");

    // Between two runs the specification changes: a title and a number, and a clause goes.
    std::ostringstream edits;
    EXPECT_EQ(zavannotator::editSpecification(spec(), "F10/110", "zavTitle", "Brick walling, revised", edits),
              0);
    EXPECT_EQ(zavannotator::editSpecification(spec(), "h150", "number", "L10/160", edits), 0);
    EXPECT_EQ(zavannotator::editSpecification(spec(), "F10/120", "", "", edits), 0);
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    EXPECT_EQ(numbersAndTitles(), "F10/110=Brick walling, revised;L10/160=Window boards;");

    command(pathCommand("retrieveClause", spec(), "<annotations/>\n"));
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    EXPECT_EQ(numbersAndTitles(), "");

    command(pathCommand("retrieveClause", spec()));
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    EXPECT_NE(result().find("<retrieveClause commandID=\"1\" error=\"badParameters\"/>"), std::string::npos);
}

TEST_F(AnnotatorRun, EditsRefuseWhatTheyCannotDo) {
    std::ostringstream why;
    EXPECT_EQ(zavannotator::editSpecification(spec(), "F10/110", "colour", "red", why),
              zavannotator::ExitUsage);
    EXPECT_EQ(zavannotator::editSpecification(spec(), "Z9", "zavTitle", "x", why), zavannotator::ExitFailed);
    EXPECT_EQ(zavannotator::editSpecification(spec(), "", "", "", why), zavannotator::ExitFailed);
    EXPECT_EQ(zavannotator::editSpecification((dir / "gone.xml").string(), "F10/110", "", "", why),
              zavannotator::ExitFailed);
    EXPECT_EQ(readText(dir / "spec.xml"), SpecText);
}

TEST_F(AnnotatorRun, DisplayCommandsAreNotedAndNotAnswered) {
    for (const char* name :
         {"displayClause", "displayGuidance", "displayManufacturerInfo", "displayReport"}) {
        SCOPED_TRACE(name);
        fs::remove(dir / "ZAVAsked.txt");
        // The report carries the paths alone.
        bool report = std::string(name) == "displayReport";
        command(pathCommand(name, spec(), report ? "" : sentAnnotation("F10/110", "h110") + "\n"));
        answers("fault crash\n");
        EXPECT_EQ(run(), zavannotator::ExitAnswered);
        EXPECT_TRUE(written.empty());
        EXPECT_FALSE(has("ZAVResult.xml"));
        EXPECT_FALSE(has("ZAVFlag.txt"));
        // A fault waits for an exchange that waits.
        EXPECT_EQ(readText(dir / "ZAVAnswers.txt"), "fault crash\n");
        EXPECT_EQ(readText(dir / "ZAVAsked.txt"),
                  std::string(name) + " commandID=\"1\" zavPath=\"" + spec() +
                      "\" modelPath=\"/p/House.zavproj\"" +
                      (report ? "" : " number=\"F10/110\" hiddenNumber=\"h110\"") + "\n");
    }
}

TEST_F(AnnotatorRun, AskedFileNotesEveryRun) {
    command("<selectSpecification commandID=\"1\"/>");
    run();
    command(pathCommand("retrieveClause", spec(),
                        "<annotations>" + sentAnnotation("A/1", "a") + sentAnnotation("B/2", "b") +
                            "</annotations>"));
    run();
    writeText(dir / "ZAVCommand.xml", "<zavCommand><selectAnnotation commandID=\"1\">");
    run();
    std::string asked = readText(dir / "ZAVAsked.txt");
    EXPECT_EQ(asked.substr(0, asked.find('\n', asked.find("retrieveClause"))),
              "selectSpecification commandID=\"1\"\nretrieveClause commandID=\"1\" zavPath=\"" + spec() +
                  "\" modelPath=\"/p/House.zavproj\" numbers=\"A/1,B/2\"");
    EXPECT_NE(asked.find("\nunreadable \""), std::string::npos) << asked;
}

TEST(AnnotatorAnswerFile, AreCheckedWord_by_word) {
    struct {
        const char* line;
        bool good;
    } cases[] = {
        {"", true},
        {"  # only a comment", true},
        {"specification \"/a b/c.xml\"", true},
        {"specification", false},
        {"specification \"a\" \"b\"", false},
        {"clause \"F10/110\" # picked", true},
        {"clause \"unclosed", false},
        {"cancel", true},
        {"cancel now", false},
        {"fault slow 250", true},
        {"fault slow soon", false},
        {"fault slow 1000000", false},
        {"fault slow", false},
        {"fault no-flag", true},
        {"fault no-flag 3", false},
        {"fault error \"bogus name\"", true},
        {"fault command-id 2", true},
        {"fault explode", false},
        {"fault", false},
        {"choose \"x\"", false},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_EQ(zavannotator::AnswerFile::checkLine(c.line, &why), c.good) << c.line << ": " << why;
        EXPECT_EQ(why.empty(), c.good) << c.line;
    }
    EXPECT_EQ(zavannotator::AnswerFile::quoted("a \"b\" \\c"), "\"a \\\"b\\\" \\\\c\"");
    std::string why;
    EXPECT_TRUE(
        zavannotator::AnswerFile::checkLine("clause " + zavannotator::AnswerFile::quoted("x \"y\""), &why));
}
