// The long random session's ledger of user data: what it reads as an annotation, and which
// changes a move may make to what the user made.
#include <filesystem>

#include "HostTestSupport.h"
#include "platform/host/ModelCalls.h"
#include "platform/host/ModelSteps.h"
#include "platform/host/SoakLedger.h"

using namespace zavhost;
using zavannotator::Clause;

namespace {

std::string annotationXml(const std::string& number, const std::string& revision, bool ignored = false,
                          const std::string& title = "Clay facing brickwork") {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><annotation><section>F10 Brick</section>"
                      "<code>F10</code><number>" +
                      number + "</number><revision>" + revision + "</revision><zavTitle>" + title +
                      "</zavTitle><hiddenNumber>" + number + "-h</hiddenNumber><originalDisplayTitle>" +
                      number + " " + title + "</originalDisplayTitle><modelDisplayTitle>" + number + " " +
                      title + "</modelDisplayTitle><hasBeenReassigned>false</hasBeenReassigned>";
    if (ignored) xml += "<isAccepted>true</isAccepted>";
    return xml + "</annotation>";
}

// In a scenario line: quotes escaped.
std::string quotedXml(const std::string& xml) {
    std::string out = "\"";
    for (char c : xml)
        out += c == '"' ? std::string("\\\"") : std::string(1, c);
    return out + "\"";
}

Clause clauseOf(const std::string& number, const std::string& revision,
                const std::string& title = "Clay facing brickwork") {
    std::optional<Clause> clause = readAnnotation(annotationXml(number, revision, false, title));
    EXPECT_TRUE(clause.has_value());
    return clause.value_or(Clause());
}

class SoakLedgerTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        options.homeFolder = ::testing::TempDir() + "soak-ledger";
        std::filesystem::create_directories(options.homeFolder);
        runner = std::make_unique<ScenarioRunner>(host, options);
        runner->start();
        ASSERT_TRUE(play("project new \"Ledger\"\n"
                         "element add wall as \"W\" from 0 0 to 4 0\n"
                         "element add label as \"A\" at 1 1 with-user-data " +
                         quotedXml(annotationXml("F10/110", "A")) +
                         "\n"
                         "element add label as \"N\" at 5 5 with-user-data \"a note\"\n"));
        ledger.start(*host.project());
    }
    void TearDown() override {
        runner->finish(0, true);
        HostTest::TearDown();
    }

    bool play(const std::string& text) {
        ParsedScenario parsed = parseScenario(text);
        EXPECT_TRUE(parsed.errors.empty()) << parsed.errors[0].message;
        const bool passed = runner->play(parsed.steps);
        EXPECT_TRUE(passed) << runner->failure();
        return passed;
    }
    API_Guid guidOf(const std::string& label) {
        std::string missing;
        const StoredElement* element = runner->model().labelled(*host.project(), label, &missing);
        EXPECT_NE(element, nullptr) << missing;
        return element != nullptr ? element->guid() : API_Guid();
    }
    bool settle(const SoakAllowance& allowance = {}) {
        return ledger.settle(*host.project(), allowance, &why);
    }
    void rewrite(const std::string& label, const std::string& xml) {
        play("element set \"" + label + "\" with-user-data " + quotedXml(xml) + "\n");
    }

    RunOptions options;
    std::unique_ptr<ScenarioRunner> runner;
    SoakLedger ledger;
    std::string why;
};

} // namespace

TEST(SoakAnnotation, ReadsTheClauseOfAnAnnotation) {
    std::optional<Clause> clause = readAnnotation(annotationXml("F10/110", "B", true));
    ASSERT_TRUE(clause.has_value());
    EXPECT_EQ(clause->number, "F10/110");
    EXPECT_EQ(clause->revision, "B");
    EXPECT_EQ(clause->hiddenNumber, "F10/110-h");
    EXPECT_EQ(clause->originalDisplayTitle, "F10/110 Clay facing brickwork");
    EXPECT_EQ(clause->isAccepted, "true");
    // Texts are trimmed as the Annotator trims them; escapes are XML's.
    clause = readAnnotation("<annotation><number> L10/150 </number><zavTitle>Boards &amp; sills</zavTitle>"
                            "</annotation>");
    ASSERT_TRUE(clause.has_value());
    EXPECT_EQ(clause->number, "L10/150");
    EXPECT_EQ(clause->zavTitle, "Boards & sills");
}

TEST(SoakAnnotation, BytesThatAreNoAnnotationReadAsNone) {
    EXPECT_FALSE(readAnnotation("a note of the user's own").has_value());
    EXPECT_FALSE(readAnnotation("<annotation><number>F10/110</number>").has_value()); // not well-formed
    EXPECT_FALSE(readAnnotation("<clause><number>F10/110</number></clause>").has_value());
    EXPECT_FALSE(readAnnotation("<annotation>not quite one</annotation>").has_value()); // no number
    EXPECT_FALSE(readAnnotation("<annotation><number><b>F</b></number></annotation>").has_value());
    EXPECT_FALSE(readAnnotation("").has_value());
    // A hidden number alone still names a clause.
    EXPECT_TRUE(readAnnotation("<annotation><hiddenNumber>F10-0110</hiddenNumber></annotation>").has_value());
}

TEST(SoakAnnotation, TheSameClauseLeavesTheModelsMarksAside) {
    Clause a = clauseOf("F10/110", "A");
    Clause b = a;
    b.isAccepted = "true";
    b.hasBeenReassigned = "true";
    b.modelDisplayTitle = "anything";
    EXPECT_TRUE(sameClause(a, b));
    for (std::string Clause::*field :
         {&Clause::section, &Clause::code, &Clause::number, &Clause::revision, &Clause::zavTitle,
          &Clause::hiddenNumber, &Clause::originalDisplayTitle}) {
        Clause c = a;
        c.*field += "x";
        EXPECT_FALSE(sameClause(a, c));
    }
    EXPECT_EQ(clauseText(b), "F10/110 rev A \"F10/110 Clay facing brickwork\" (ignored)");
}

TEST(SoakAnnotation, AClauseIsFoundInAListByTheTextOfOneField) {
    Clause first, second, third;
    first.number = "F10/110";
    first.hiddenNumber = "110";
    second.number = "F10/120";
    second.hiddenNumber = "F10/110";
    third.number = "F10/110";
    third.revision = "B";
    const SoakClauses list{first, second, third};
    const Clause* byNumber = clauseIn(list, &Clause::number, "F10/110");
    ASSERT_NE(byNumber, nullptr);
    EXPECT_EQ(byNumber->hiddenNumber, "110"); // the first that matches
    const Clause* byHidden = clauseIn(list, &Clause::hiddenNumber, "F10/110");
    ASSERT_NE(byHidden, nullptr);
    EXPECT_EQ(byHidden->number, "F10/120");
    EXPECT_EQ(clauseIn(list, &Clause::number, "110"), nullptr);
    EXPECT_EQ(clauseIn({}, &Clause::number, "F10/110"), nullptr);
}

TEST_F(SoakLedgerTest, NotesEveryElementWithUserData) {
    EXPECT_EQ(ledger.size(), 2u);
    EXPECT_EQ(ledger.annotations(), 1u);
    EXPECT_EQ(ledger.ignored(), 0u);
    ASSERT_NE(ledger.find(guidOf("A")), nullptr);
    EXPECT_EQ(ledger.find(guidOf("A"))->clause->number, "F10/110");
    EXPECT_FALSE(ledger.find(guidOf("N"))->clause.has_value());
    EXPECT_EQ(ledger.find(guidOf("W")), nullptr);
    // Nothing done, nothing changed: the move holds.
    EXPECT_TRUE(settle()) << why;
    // Elements moved keep their user data: that is no change of it.
    play("user element move \"A\" \"N\" \"W\" by 1 1\n");
    EXPECT_TRUE(settle()) << why;
}

TEST_F(SoakLedgerTest, AnElementGoneFailsUnlessTheUserDeletedIt) {
    play("element delete \"N\"\n");
    EXPECT_FALSE(settle());
    EXPECT_NE(why.find("the user data of element"), std::string::npos) << why;
    EXPECT_NE(why.find("is gone, and nothing the user did takes it away"), std::string::npos) << why;
    EXPECT_EQ(ledger.size(), 1u); // noted as it is now, so the next move starts from here

    const API_Guid annotation = guidOf("A");
    SoakAllowance deleting;
    deleting.deleted.insert(annotation);
    play("user element delete \"A\"\n");
    EXPECT_TRUE(settle(deleting)) << why;
    EXPECT_EQ(ledger.annotations(), 0u);
}

TEST_F(SoakLedgerTest, ALabelGoesWithTheElementThatLinksIt) {
    play("element link \"W\" to \"A\"\n");
    ASSERT_TRUE(settle()) << why;
    play("element delete \"W\"\nelement delete \"A\"\n");
    EXPECT_TRUE(settle()) << why;
    // Not linked: the note does not go with the wall; nor linked, as it shows no annotation.
    play("element add wall as \"W2\"\nelement delete \"W2\"\nelement delete \"N\"\n");
    EXPECT_FALSE(settle());
    play("element add wall as \"W3\"\nelement add label as \"N2\" with-user-data \"mine\"\n"
         "element link \"W3\" to \"N2\"\n");
    ledger.start(*host.project());
    play("element delete \"W3\"\nelement delete \"N2\"\n");
    EXPECT_FALSE(settle());
}

TEST_F(SoakLedgerTest, TheLabelsOfWhatTheUserDeletesGoWithIt) {
    play("element link \"W\" to \"A\"\n");
    ASSERT_TRUE(settle()) << why;
    SoakAllowance deleting;
    deleting.deleted.insert(guidOf("W"));
    play("element delete \"W\"\n");
    EXPECT_FALSE(settle(deleting));
    EXPECT_NE(why.find("F10/110 Clay facing brickwork\" of element " + model::guidText(guidOf("A")) +
                       " stays, though the element"),
              std::string::npos)
        << why;
}

TEST_F(SoakLedgerTest, TheLabelsOfAWindowGoWithItsWall) {
    play("element add window as \"N\" wall \"W\" position 1\nelement link \"N\" to \"A\"\n");
    ASSERT_TRUE(settle()) << why;
    SoakAllowance deleting;
    deleting.deleted.insert(guidOf("W"));
    play("element delete \"W\"\n");
    EXPECT_FALSE(settle(deleting));
    EXPECT_NE(why.find(" stays, though the element"), std::string::npos) << why;
}

TEST_F(SoakLedgerTest, ALabelMayOutliveWhatTheUserDidNotDelete) {
    play("element add wall as \"W2\"\nelement link \"W2\" to \"A\"\n");
    ASSERT_TRUE(settle()) << why;
    SoakAllowance deleting;
    deleting.deleted.insert(guidOf("W"));
    play("element delete \"W\"\nelement delete \"W2\"\n");
    EXPECT_TRUE(settle(deleting)) << why;
}

TEST_F(SoakLedgerTest, UserDataRewrittenFailsUnlessTheMoveAllowsIt) {
    rewrite("N", "another note");
    EXPECT_FALSE(settle());
    EXPECT_NE(why.find("the user's own data was rewritten"), std::string::npos) << why;

    rewrite("A", "garbage");
    SoakAllowance anything;
    anything.replacedBy = {clauseOf("F10/110", "B")};
    anything.mayIgnore = anything.mayRestore = true;
    EXPECT_FALSE(settle(anything));
    EXPECT_NE(why.find("it no longer reads as an annotation"), std::string::npos) << why;
}

TEST_F(SoakLedgerTest, AnAnnotationRewrittenAsItWasHolds) {
    std::string same = annotationXml("F10/110", "A");
    same.replace(same.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), 38, "");
    rewrite("A", same);
    EXPECT_TRUE(settle()) << why;
}

TEST_F(SoakLedgerTest, ReplaceTakesThePickedClauseOnly) {
    rewrite("A", annotationXml("M20/210", "A", false, "Gypsum plaster"));
    SoakAllowance replace;
    replace.replacedBy = {clauseOf("M20/210", "A", "Gypsum plaster")};
    EXPECT_TRUE(settle(replace)) << why;

    rewrite("A", annotationXml("L20/110", "A", false, "Timber doors"));
    EXPECT_FALSE(settle(replace));
    EXPECT_NE(why.find("nothing the user did makes it show L20/110 rev A"), std::string::npos) << why;
}

TEST_F(SoakLedgerTest, UpdateTakesTheClauseAsTheListsGiveIt) {
    SoakAllowance update;
    update.updatedFrom = {{clauseOf("F10/110", "B")}, {clauseOf("F10/110", "C")}};
    rewrite("A", annotationXml("F10/110", "C"));
    EXPECT_TRUE(settle(update)) << why;
    rewrite("A", annotationXml("F10/110", "D"));
    EXPECT_FALSE(settle(update));

    // Gone only when a list lacks its clause.
    play("element delete \"A\"\n");
    EXPECT_FALSE(settle(update));
    EXPECT_NE(why.find("is gone"), std::string::npos) << why;
}

TEST_F(SoakLedgerTest, UpdateDeletesAnAnnotationWhoseClauseIsGone) {
    SoakAllowance update;
    update.updatedFrom = {{clauseOf("L10/150", "A")}};
    play("element delete \"A\"\n");
    EXPECT_TRUE(settle(update)) << why;
}

TEST_F(SoakLedgerTest, UpdateLeavesAnIgnoredAnnotationAlone) {
    rewrite("A", annotationXml("F10/110", "A", true));
    SoakAllowance ignore;
    ignore.mayIgnore = true;
    EXPECT_TRUE(settle(ignore)) << why;
    EXPECT_EQ(ledger.ignored(), 1u);

    SoakAllowance update;
    update.updatedFrom = {{clauseOf("F10/110", "B")}};
    rewrite("A", annotationXml("F10/110", "B"));
    EXPECT_FALSE(settle(update));
}

TEST_F(SoakLedgerTest, AnIgnoredAnnotationGoesOnlyByTheUsersHand) {
    rewrite("A", annotationXml("F10/110", "A", true));
    SoakAllowance ignore;
    ignore.mayIgnore = true;
    ASSERT_TRUE(settle(ignore)) << why;
    SoakAllowance update;
    update.updatedFrom = {{}};
    play("element delete \"A\"\n");
    EXPECT_FALSE(settle(update));
}

TEST_F(SoakLedgerTest, IgnoreAndRestoreChangeTheMarkAlone) {
    SoakAllowance ignore;
    ignore.mayIgnore = true;
    SoakAllowance restore;
    restore.mayRestore = true;
    rewrite("A", annotationXml("F10/110", "B", true));
    EXPECT_FALSE(settle(ignore)); // the revision changed as well
    rewrite("A", annotationXml("F10/110", "B"));
    EXPECT_FALSE(settle(ignore)); // Ignore does not take the mark away
    rewrite("A", annotationXml("F10/110", "B", true));
    EXPECT_FALSE(settle(restore)); // nor does Restore give it

    rewrite("A", annotationXml("F10/110", "B"));
    EXPECT_TRUE(settle(restore)) << why;
    EXPECT_EQ(ledger.ignored(), 0u);
    rewrite("A", annotationXml("F10/110", "B", true));
    EXPECT_TRUE(settle(ignore)) << why;
    EXPECT_EQ(ledger.ignored(), 1u);
    rewrite("A", annotationXml("F10/110", "C"));
    EXPECT_FALSE(settle(restore)); // restored, and another revision
}

TEST_F(SoakLedgerTest, NewAnnotationsShowThePickedClause) {
    SoakAllowance place;
    place.placed = {clauseOf("F10/110", "A")};
    play("element add label as \"B\" with-user-data " + quotedXml(annotationXml("F10/110", "A")) + "\n");
    EXPECT_TRUE(settle(place)) << why;
    EXPECT_EQ(ledger.made(), 1u);
    EXPECT_EQ(ledger.annotations(), 2u);

    play("element add label as \"C\" with-user-data " + quotedXml(annotationXml("F10/120", "A")) + "\n");
    EXPECT_FALSE(settle(place));
    EXPECT_NE(why.find("a new annotation shows F10/120 rev A"), std::string::npos) << why;
    play("element add text as \"D\" with-user-data \"hello\"\n");
    EXPECT_FALSE(settle(place));
    EXPECT_NE(why.find("came with user data that is no annotation"), std::string::npos) << why;
    EXPECT_EQ(ledger.made(), 0u);
}

TEST_F(SoakLedgerTest, AnAnnotatedTextShowsItsClausesTitle) {
    SoakAllowance place;
    place.placed = {clauseOf("F10/110", "A")};
    play("element add text as \"B\" text \"F10/110 Clay facing brickwork\" with-user-data " +
         quotedXml(annotationXml("F10/110", "A")) + "\n");
    EXPECT_TRUE(settle(place)) << why;
    play("element add text as \"C\" text \"F10/110 Clay\" with-user-data " +
         quotedXml(annotationXml("F10/110", "A")) + "\n");
    EXPECT_FALSE(settle(place));
    EXPECT_NE(
        why.find("its text is \"F10/110 Clay\", not its clause's title \"F10/110 Clay facing brickwork\""),
        std::string::npos)
        << why;
}

TEST_F(SoakLedgerTest, UndoBringsBackWhatWasNotedBeforeItsStep) {
    SoakAllowance deleting;
    deleting.deleted.insert(guidOf("A"));
    play("user element delete \"A\"\n");
    ASSERT_TRUE(settle(deleting)) << why;
    SoakAllowance undo;
    undo.undo = true;
    play("undo\n");
    EXPECT_TRUE(settle(undo)) << why;
    EXPECT_EQ(ledger.annotations(), 1u);

    // Gone without leave before a step, then the step undone: the undo brings back what the host
    // had before the step, not what the user made.
    play("element delete \"N\"\nuser element add wall as \"W3\"\n");
    EXPECT_FALSE(settle());
    play("undo\n");
    EXPECT_FALSE(settle(undo));
    EXPECT_NE(why.find("undo did not bring back the user data of element"), std::string::npos) << why;
}

TEST_F(SoakLedgerTest, UndoWithoutAStepToUndoFails) {
    SoakAllowance undo;
    undo.undo = true;
    EXPECT_FALSE(settle(undo));
    EXPECT_NE(why.find("undo did not take away one undo step"), std::string::npos) << why;
}

TEST_F(SoakLedgerTest, OneActionMakesOneUndoStepAtMost) {
    play("user element add wall as \"W3\"\nuser element add wall as \"W4\"\n");
    EXPECT_FALSE(settle());
    EXPECT_NE(why.find("one action left 2 undo steps"), std::string::npos) << why;
}

TEST_F(SoakLedgerTest, StepsTheHostForgetsAtItsLimitTakeTheirNotesWithThem) {
    // The first step deletes the user's note; then steps that change nothing noted fill the history
    // to one short of the limit, and the last deletes the annotation.
    const API_Guid note = guidOf("N");
    SoakAllowance deletingNote;
    deletingNote.deleted.insert(note);
    play("user element delete \"N\"\n");
    ASSERT_TRUE(settle(deletingNote)) << why;
    GS::UniString name("Nothing");
    auto nothing = [](void*) { return hosterr::Ok; };
    for (size_t step = 2; step < UndoStepLimit; ++step) {
        ASSERT_EQ(host.runUndoableCommand(&name, nothing, nullptr), hosterr::Ok);
        ASSERT_TRUE(settle()) << why;
    }
    SoakAllowance deleting;
    deleting.deleted.insert(guidOf("A"));
    play("user element delete \"A\"\n");
    ASSERT_TRUE(settle(deleting)) << why;
    ASSERT_EQ(host.project()->undoSteps.size(), UndoStepLimit);
    // One more step: the oldest, the note's deletion, is forgotten.
    play("user element add wall as \"W3\"\n");
    EXPECT_TRUE(settle()) << why;
    EXPECT_EQ(host.project()->undoStepsForgotten, 1u);
    // Each undo still brings back what was noted before its own step, down to the oldest kept.
    SoakAllowance undo;
    undo.undo = true;
    for (size_t undone = 1; undone <= UndoStepLimit; ++undone) {
        play("undo\n");
        ASSERT_TRUE(settle(undo)) << undone << ": " << why;
        ASSERT_EQ(ledger.annotations(), undone == 1 ? 0u : 1u) << undone;
    }
    EXPECT_EQ(ledger.find(note), nullptr);
    EXPECT_EQ(host.undo(), hosterr::Refused);
    EXPECT_FALSE(settle(undo));
}

TEST_F(SoakLedgerTest, AProjectOpenedAfreshHoldsWhatWasSaved) {
    play("user element add wall as \"W3\"\nproject save-and-reopen\n");
    EXPECT_TRUE(settle()) << why;
    EXPECT_EQ(ledger.size(), 2u);
    SoakAllowance undo;
    undo.undo = true;
    EXPECT_FALSE(settle(undo)) << "the reopened project has no step to undo";
}
