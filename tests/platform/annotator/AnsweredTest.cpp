// The answered file: what each run answered, in words, for the host's transcript; written before
// the flag, so that whoever waits for the flag finds it.
#include "AnnotatorTestSupport.h"

using namespace annotatortest;

namespace {

class AnnotatorAnswered : public AnnotatorRun {
protected:
    std::string answered() const { return readText(dir / "ZAVAnswered.txt"); }
};

} // namespace

TEST_F(AnnotatorAnswered, ASelectionSaysTheClausePicked) {
    command(pathCommand("selectAnnotation", spec()));
    answers("clause \"F10/110\"\n");
    ASSERT_EQ(run(), zavannotator::ExitAnswered) << diagnostics.str();
    EXPECT_EQ(answered(), "selectAnnotation: noError, clause \"F10/110\" \"F10/110 Facing brickwork\"\n");
    // The next run adds its own line.
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    EXPECT_EQ(answered(), "selectAnnotation: noError, clause \"F10/110\" \"F10/110 Facing brickwork\"\n"
                          "selectAnnotation: userCancelled\n");
}

TEST_F(AnnotatorAnswered, TheStatusWrittenAndTheFaultsAreSaid) {
    command(pathCommand("selectAnnotation", spec()));
    answers("clause \"F10/110\"\nfault error generalError\nfault no-flag\nfault command-id 2\n");
    ASSERT_EQ(run(), zavannotator::ExitAnswered) << diagnostics.str();
    EXPECT_EQ(answered(),
              "selectAnnotation: generalError (fault: commandID 2, error generalError, no flag file)\n");
}

TEST_F(AnnotatorAnswered, ARetrievalSaysWhatStandsAndWhatIsGone) {
    command(pathCommand("retrieveClause", spec(),
                        "<annotations>" + sentAnnotation("F10/110", "h110") + sentAnnotation("X/1", "gone") +
                            "</annotations>\n"));
    ASSERT_EQ(run(), zavannotator::ExitAnswered) << diagnostics.str();
    EXPECT_EQ(answered(), "retrieveClause: noError, the clauses as they stand now: F10/110; gone from the "
                          "specification: X/1\n");
}

TEST_F(AnnotatorAnswered, ADisplayCommandIsShownAndAnswersNothing) {
    command(pathCommand("displayClause", spec(), sentAnnotation("F10/110", "h110") + "\n"));
    ASSERT_EQ(run(), zavannotator::ExitAnswered) << diagnostics.str();
    EXPECT_EQ(answered(), "displayClause: shown for clause \"F10/110\", nothing answered\n");
    EXPECT_FALSE(has("ZAVFlag.txt"));
}

TEST_F(AnnotatorAnswered, ACrashSaysNothingWasAnswered) {
    command(pathCommand("selectAnnotation", spec()));
    answers("clause \"F10/110\"\nfault crash\n");
    ASSERT_EQ(run(), zavannotator::ExitCrashed);
    EXPECT_EQ(answered(), "the Annotator ended before it answered anything (fault: crash)\n");
}

TEST_F(AnnotatorAnswered, TheNoteIsThereBeforeTheFlag) {
    command("<selectSpecification commandID=\"1\"/>");
    answers("specification \"spec.xml\"\n");
    zavannotator::RunOptions options{(dir / "ZAVCommand.xml").string(), (dir / "ZAVAnswers.txt").string(),
                                     (dir / "ZAVAsked.txt").string()};
    std::string noteAtFlag;
    auto writer = [&](const std::string& path, const std::string& bytes) {
        if (fs::path(path).filename() == zavannotator::FlagFileName) noteAtFlag = answered();
        return zavannotator::writeWholeFile(path, bytes);
    };
    ASSERT_EQ(zavannotator::runAnnotator(options, writer, diagnostics), zavannotator::ExitAnswered);
    EXPECT_EQ(noteAtFlag, "selectSpecification: noError, the file \"spec.xml\"\n");
}
