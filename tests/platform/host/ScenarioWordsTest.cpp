// A misspelt word of a scenario answered with the nearest words the line knows, and a failed
// expectation of an element answered with what the element holds.
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "HostTestSupport.h"
#include "platform/host/ElementTypes.h"
#include "platform/host/Scenario.h"
#include "platform/host/ScenarioLine.h"

using namespace zavhost;

namespace {

using Words = std::vector<std::string>;

// The message of the one malformed line of a scenario.
std::string errorOf(const std::string& text) {
    ParsedScenario parsed = parseScenario(text, ParseOptions{true});
    if (parsed.errors.size() != 1) return "errors: " + std::to_string(parsed.errors.size());
    return parsed.errors[0].message;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The words a message lists after "; this line knows "; empty when it lists none.
std::set<std::string> listedWords(const std::string& message) {
    const std::string lead = "; this line knows ";
    const size_t at = message.find(lead);
    std::set<std::string> words;
    if (at == std::string::npos) return words;
    std::istringstream list(message.substr(at + lead.size()));
    for (std::string word; std::getline(list, word, ',');)
        words.insert(word.substr(word.find_first_not_of(' ')));
    return words;
}

// The first words of the steps and of the expectations that the guide to the language tables
// (its "| Step |" tables: the first word of a row's step, and the word after `expect` of each
// expectation a row names).
void guideWords(std::set<std::string>& steps, std::set<std::string>& expectations) {
    std::ifstream in(std::string(ZAV_DOCS_FOLDER) + "/scenarios.md");
    ASSERT_TRUE(in) << ZAV_DOCS_FOLDER;
    const std::regex code("`([^`]*)`");
    bool inTable = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| Step |", 0) == 0) {
            inTable = true;
            continue;
        }
        if (line.rfind("| `", 0) != 0) {
            inTable = inTable && line.rfind("|", 0) == 0;
            continue;
        }
        if (!inTable) continue;
        const std::string cell = line.substr(1, line.find(" | ") - 1);
        bool first = true;
        for (std::sregex_iterator each(cell.begin(), cell.end(), code), end; each != end; ++each) {
            std::istringstream words((*each)[1].str());
            std::string word, second;
            words >> word >> second;
            if (word == "expect")
                expectations.insert(second);
            else if (first && word != "...")
                steps.insert(word);
            first = false;
        }
    }
}

} // namespace

TEST(NearestWords, ASlipOfTheKeysFindsTheWordMeant) {
    const Words verbs = {"add", "set", "delete", "move", "rotate", "mirror"};
    EXPECT_EQ(nearestWords("mvoe", verbs), Words{"move"});      // two letters swapped
    EXPECT_EQ(nearestWords("mov", verbs), Words{"move"});       // one dropped
    EXPECT_EQ(nearestWords("mirrorr", verbs), Words{"mirror"}); // one added
    EXPECT_EQ(nearestWords("rotata", verbs), Words{"rotate"});  // one changed
    EXPECT_EQ(nearestWords("lable", elementTypeNames()), Words{"label"});
    EXPECT_EQ(nearestWords("contains", {"containing"}), Words{"containing"});
}

TEST(NearestWords, OnlyWordsNearEnoughAndTheNearestOfThem) {
    // A third of the longer word's letters at most, and at least one.
    EXPECT_EQ(nearestWords("frobnicate", {"load", "click", "expect"}), Words{});
    EXPECT_EQ(nearestWords("ad", {"add", "at", "dd"}), (Words{"add", "at", "dd"}));
    EXPECT_EQ(nearestWords("xyz", {"add"}), Words{});
    EXPECT_EQ(nearestWords("clck", {"click", "clock", "check"}), (Words{"click", "clock"}));
    EXPECT_EQ(nearestWords("move", {"move", "mov"}), Words{"mov"}); // the word itself is not offered
    EXPECT_EQ(nearestWords("", {"a"}), Words{});
    EXPECT_EQ(nearestWords(std::string(65, 'a'), {std::string(64, 'a')}), Words{});
    // At most three.
    EXPECT_EQ(nearestWords("ab", {"ac", "ad", "ae", "af"}).size(), 3u);
}

TEST(NearestWords, DidYouMeanNamesThemInAPhrase) {
    EXPECT_EQ(didYouMean("mvoe", {"move"}), "; did you mean move?");
    EXPECT_EQ(didYouMean("clck", {"click", "clock"}), "; did you mean click or clock?");
    EXPECT_EQ(didYouMean("ab", {"ac", "ad", "ae"}), "; did you mean ac, ad or ae?");
    EXPECT_EQ(didYouMean("zzzz", {"move"}), "");
}

TEST(ScenarioParser, AMisspeltWordIsAnsweredWithTheNearestNotAList) {
    EXPECT_EQ(errorOf("user element mvoe \"W1\" by 1 1\n"),
              "user element add, set, delete, move, rotate or mirror; did you mean move?");
    std::string element = errorOf("element mvoe \"W1\"\n");
    EXPECT_TRUE(has(element, "user element add, set, delete, move, rotate or mirror")) << element;
    EXPECT_TRUE(has(element, "did you mean move?")) << element;
    EXPECT_EQ(errorOf("element add lable as \"L\"\n"), "unknown element type \"lable\"; did you mean label?");
    EXPECT_EQ(errorOf("clik 1 2\n"), "unknown command \"clik\"; did you mean click?");
    EXPECT_EQ(errorOf("expect elemnt count 1\n"), "unknown expectation \"elemnt\"; did you mean element?");
    EXPECT_EQ(errorOf("attribute add layr \"Walls\"\n"),
              "unknown attribute type \"layr\"; did you mean layer?");
    EXPECT_EQ(errorOf("expect element count 1 type label liked-from \"W1\"\n"),
              "unexpected \"liked-from\"; did you mean linked-from?");
    EXPECT_EQ(
        errorOf("expect element \"L\" contains \"x\"\n"),
        "unexpected \"contains\"; did you mean text containing \"...\" or user-data containing \"...\"?");
    EXPECT_EQ(errorOf("expect element \"L\" text contains \"x\"\n"),
              "text containing \"TEXT\"; did you mean containing?");
    EXPECT_EQ(errorOf("expect alert contains \"x\"\n"),
              "unexpected \"contains\" at the end of the line; did you mean containing?");
    EXPECT_EQ(errorOf("palette \"P\" slect 7 \"a\"\n"),
              "unknown dialog step \"slect\"; did you mean select?");
    EXPECT_EQ(errorOf("project sav \"a.zavproj\"\n").rfind("project what?", 0), 0u);
    EXPECT_TRUE(has(errorOf("project sav \"a.zavproj\"\n"), "did you mean save?"));
}

TEST(ScenarioParser, AMisspeltAnnotatorWordIsAnsweredWithTheNearest) {
    EXPECT_EQ(errorOf("annotator next-clase \"F10/110\"\n"),
              "unknown annotator step \"next-clase\"; did you mean next-clause?");
    EXPECT_TRUE(has(errorOf("annotator fault no-flg\n"), "unknown fault \"no-flg\"; did you mean no-flag?"));
    EXPECT_TRUE(has(errorOf("annotator fault slw 10\n"), "did you mean slow?"));
    EXPECT_TRUE(has(errorOf("annotator change-clause \"F10/110\" zavtitle \"New\"\n"),
                    "unknown clause field \"zavtitle\"; did you mean zavTitle?"));
    EXPECT_TRUE(has(errorOf("expect annotator asked selectAnotation\n"),
                    "unknown Annotator command \"selectAnotation\"; did you mean selectAnnotation?"));
    EXPECT_TRUE(has(errorOf("expect annotator not-asked displayClase\n"), "did you mean displayClause?"));
    EXPECT_TRUE(has(errorOf("expect annotator aksed displayClause\n"), "did you mean asked?"));
    // Every word a line may hold is still taken.
    EXPECT_EQ(parseScenario("annotator change-clause \"F10/110\" originalDisplayTitle \"T\"\n"
                            "annotator fault command-id 2\n"
                            "expect annotator asked displayManufacturerInfo containing \"x\"\n"
                            "expect annotator not-asked retrieveClause\n",
                            ParseOptions{true})
                  .errors.size(),
              0u);
}

TEST(ScenarioParser, AWordNothingIsNearStillGetsTheWordsTheLineKnows) {
    std::string message = errorOf("expect element \"A\" colour 3\n");
    EXPECT_TRUE(has(message, "unexpected \"colour\"; this line knows deleted, locked")) << message;
    EXPECT_TRUE(has(message, "linked-from")) << message;
}

TEST(ScenarioParser, AnUnknownStepOrExpectationWithNothingNearListsEveryWordTheLineKnows) {
    std::set<std::string> steps, expectations;
    guideWords(steps, expectations);
    ASSERT_GT(steps.size(), 30u);
    ASSERT_GT(expectations.size(), 30u);

    const std::string command = errorOf("frobnicate 1 2\n");
    EXPECT_EQ(command.rfind("unknown command \"frobnicate\"; this line knows load, without, ", 0), 0u)
        << command;
    const std::set<std::string> commandWords = listedWords(command);
    for (const std::string& word : steps)
        EXPECT_EQ(commandWords.count(word), 1u) << word << " is missing from: " << command;
    EXPECT_EQ(commandWords.count("expect"), 1u) << command;

    const std::string expectation = errorOf("expect undo-step \"Place Annotation\"\n");
    EXPECT_EQ(expectation.rfind("unknown expectation \"undo-step\"; this line knows module, project, ", 0),
              0u)
        << expectation;
    const std::set<std::string> expectationWords = listedWords(expectation);
    for (const std::string& word : expectations)
        EXPECT_EQ(expectationWords.count(word), 1u) << word << " is missing from: " << expectation;

    // The other steps whose next word names what to do, or a kind.
    EXPECT_EQ(listedWords(errorOf("palette \"P\" frobnicate 7\n")).count("double-click-row"), 1u);
    EXPECT_EQ(listedWords(errorOf("annotator frobnicate\n")).count("change-clause"), 1u);
    EXPECT_EQ(listedWords(errorOf("element add frobnicate\n")).count("curtain-wall"), 1u);
    EXPECT_EQ(listedWords(errorOf("attribute add frobnicate \"X\"\n")).count("building-material"), 1u);
    // A near word is still offered alone.
    EXPECT_EQ(errorOf("clik 1 2\n"), "unknown command \"clik\"; did you mean click?");
}

class ElementExpectation : public HostTest {};

TEST_F(ElementExpectation, AFailedOneSaysWhatTheElementHolds) {
    EXPECT_FALSE(
        play("project new \"House\"\n"
             "element add label as \"L\" at 2 3 id \"L-1\" text \"F10/110 Clay facing\" with-user-data "
             "\"<annotation>\\n  <number>F10/110</number>\\n</annotation>\"\n"
             "expect element \"L\" text containing \"F10/120\"\n"));
    EXPECT_EQ(failedLine, 3);
    EXPECT_TRUE(has(failure,
                    "\"L\": its text is \"F10/110 Clay facing\"\n"
                    "        it holds: label on storey 0, at 2 3, ID \"L-1\", text \"F10/110 Clay "
                    "facing\", user data \"<annotation><number>F10/110</number></annotation>\" in the "
                    "plan"))
        << failure;
}

TEST_F(ElementExpectation, AFailedCountListsTheElementsOfTheTypeAskedFor) {
    EXPECT_FALSE(play("project new \"House\"\n"
                      "element add hotspot at 5 5\n"
                      "element add label at 2 3 text \"First\"\n"
                      "element add label at 4 1 text \"Second\" with-user-data \"<number>F10/110</number>\"\n"
                      "expect element count 2 type label user-data containing \"F10/110\"\n"));
    EXPECT_EQ(failedLine, 5);
    EXPECT_TRUE(has(failure,
                    "1 element(s) match, not 2:\n"
                    "        label on storey 0, at 2 3, text \"First\", user data none in the plan: its "
                    "user data is none\n"
                    "        label on storey 0, at 4 1, text \"Second\", user data "
                    "\"<number>F10/110</number>\" in the plan: matches"))
        << failure;
    EXPECT_FALSE(has(failure, "hotspot")) << failure;
}

TEST(ScenarioNumbers, AreWrittenWithSixSignificantDigitsAndReadBack) {
    EXPECT_EQ(numberText(3), "3");
    EXPECT_EQ(numberText(-2.5), "-2.5");
    EXPECT_EQ(numberText(0.1), "0.1");
    EXPECT_EQ(numberText(12.3456789), "12.3457");
    EXPECT_EQ(numberText(1234567), "1.23457e+06");
    for (double value : {0.0, 0.25, -17.125, 8.5, 1e-5})
        EXPECT_EQ(parseReal(numberText(value)), value) << value;
}
