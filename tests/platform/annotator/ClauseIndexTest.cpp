// Finding a specification's clauses by number and hidden number: the first clause of a key in
// the file's order, the number before the hidden number, and nothing for an empty key.
#include "AnnotatorTestSupport.h"

#include <string>

#include "platform/annotator/ClauseIndex.h"
#include "platform/annotator/Specification.h"

using namespace annotatortest;
using zavannotator::Clause;
using zavannotator::ClauseIndex;
using zavannotator::Specification;

namespace {

Clause clause(const std::string& number, const std::string& hidden, const std::string& title) {
    Clause made;
    made.number = number;
    made.hiddenNumber = hidden;
    made.zavTitle = title;
    return made;
}

// Two sections; numbers and hidden numbers given twice, and a number that is another clause's
// hidden number.
Specification twiceGiven() {
    Specification spec;
    zavannotator::Section& first = spec.sections.emplace_back();
    first.title = "F10 Walling";
    first.code = "F10";
    first.clauses.push_back(clause("F10/110", "h1", "first of the number"));
    first.clauses.push_back(clause("F10/120", "h1", "second of the hidden number"));
    first.clauses.push_back(clause("F10/130", "", "hidden number left out"));
    first.clauses.push_back(clause("F10/140", "F10/150", "hidden number that is a later number"));
    zavannotator::Section& second = spec.sections.emplace_back();
    second.title = "L10 Windows";
    second.clauses.push_back(clause("F10/110", "h9", "second of the number"));
    second.clauses.push_back(clause("F10/150", "h5", "number that is an earlier hidden number"));
    second.clauses.push_back(clause("L10/160", "F10/130", "hidden number that is an earlier filled one"));
    return spec;
}

std::string titleOf(const Clause* found) {
    return found != nullptr ? found->zavTitle : "none";
}

} // namespace

TEST(AnnotatorClauseIndex, TheFirstClauseOfAKeyInTheFilesOrderIsFound) {
    const ClauseIndex index(twiceGiven());
    EXPECT_EQ(titleOf(index.findByNumber("F10/110")), "first of the number");
    EXPECT_EQ(titleOf(index.findByHiddenNumber("h1")), "first of the number");
    EXPECT_EQ(titleOf(index.findByNumber("h1")), "first of the number");
    // A clause without a hidden number has its number for one, before a later clause's own.
    EXPECT_EQ(titleOf(index.findByHiddenNumber("F10/130")), "hidden number left out");
    EXPECT_EQ(titleOf(index.findByHiddenNumber("h9")), "second of the number");
    EXPECT_EQ(titleOf(index.findByNumber("L10/160")), "hidden number that is an earlier filled one");
}

TEST(AnnotatorClauseIndex, ANumberIsFoundBeforeAHiddenNumber) {
    const ClauseIndex index(twiceGiven());
    EXPECT_EQ(titleOf(index.findByNumber("F10/150")), "number that is an earlier hidden number");
    EXPECT_EQ(titleOf(index.findByHiddenNumber("F10/150")), "hidden number that is a later number");
    // Not a number: the hidden number is looked for.
    EXPECT_EQ(titleOf(index.findByNumber("h5")), "number that is an earlier hidden number");
    // A number is no hidden number of a clause that gives its own.
    EXPECT_EQ(titleOf(index.findByHiddenNumber("F10/120")), "none");
    EXPECT_EQ(titleOf(index.findByNumber("Z99/999")), "none");
    EXPECT_EQ(titleOf(index.findByHiddenNumber("Z99/999")), "none");
}

TEST(AnnotatorClauseIndex, AnEmptyKeyFindsNothing) {
    // A clause without a number is refused when a file is read; given one all the same, it is
    // found by no empty key.
    Specification spec = twiceGiven();
    spec.sections[0].clauses.push_front(clause("", "", "no number"));
    const ClauseIndex index(spec);
    EXPECT_EQ(index.findByNumber(""), nullptr);
    EXPECT_EQ(index.findByHiddenNumber(""), nullptr);
    EXPECT_EQ(titleOf(index.findByNumber("F10/110")), "first of the number");
}

TEST(AnnotatorClauseIndex, HoldsTheClausesFilledInAsTheSpecificationGivesThem) {
    const Specification spec = twiceGiven();
    const ClauseIndex index(spec);
    ASSERT_EQ(index.clauses().size(), 7u);
    const Clause* found = index.findByHiddenNumber("F10/130");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->section, "F10 Walling");
    EXPECT_EQ(found->code, "F10");
    EXPECT_EQ(found->hiddenNumber, "F10/130");
    EXPECT_EQ(found->originalDisplayTitle, "F10/130 hidden number left out");
    found = index.findByNumber("F10/150");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->section, "L10 Windows");
    EXPECT_EQ(found->code, "");
}

TEST(AnnotatorClauseIndex, EveryClauseOfALargeSpecificationIsFound) {
    Specification spec;
    constexpr int Clauses = 5000;
    for (int i = 0; i < Clauses; ++i) {
        if (i % 100 == 0) spec.sections.emplace_back().title = "S" + std::to_string(i / 100);
        spec.sections.back().clauses.push_back(
            clause("N" + std::to_string(i), "H" + std::to_string(i), "T" + std::to_string(i)));
    }
    const ClauseIndex index(spec);
    int wrong = 0;
    for (int i = 0; i < Clauses; ++i) {
        const std::string title = "T" + std::to_string(i);
        wrong += titleOf(index.findByNumber("N" + std::to_string(i))) != title;
        wrong += titleOf(index.findByHiddenNumber("H" + std::to_string(i))) != title;
        wrong += index.findByHiddenNumber("N" + std::to_string(i)) != nullptr;
    }
    EXPECT_EQ(wrong, 0);
}

// Through a run: a selection and a retrieval answer the first clause of the key.
TEST_F(AnnotatorRun, ClausesGivenTwiceAnswerTheFirst) {
    writeText(dir / "twice.xml", R"(<specification><section title="F10">
        <clause number="F10/110" hiddenNumber="h1" zavTitle="First"/>
        <clause number="F10/110" hiddenNumber="h1" zavTitle="Second"/>
        </section></specification>)");
    const std::string twice = (dir / "twice.xml").string();
    command(pathCommand("selectAnnotation", twice));
    answers("clause \"F10/110\"\n");
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    EXPECT_NE(result().find("<zavTitle>First</zavTitle>"), std::string::npos) << result();
    EXPECT_EQ(result().find("Second"), std::string::npos) << result();

    command(pathCommand("retrieveClause", twice,
                        "<annotations>" + sentAnnotation("F10/110", "h1") + "</annotations>\n"));
    ASSERT_EQ(run(), zavannotator::ExitAnswered);
    EXPECT_NE(result().find("<zavTitle>First</zavTitle>"), std::string::npos) << result();
    EXPECT_EQ(result().find("Second"), std::string::npos) << result();
}
