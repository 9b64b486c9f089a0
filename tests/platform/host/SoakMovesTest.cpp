// The long random session's moves: every line they write parses, and each is a thing the user can
// do in the scene she sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/host/Scenario.h"
#include "platform/host/SoakMoves.h"

using namespace zavhost;

namespace {

zavannotator::Clause clause(const std::string& number) {
    zavannotator::Clause made;
    made.number = number;
    made.hiddenNumber = number + "-h";
    made.revision = "A";
    made.section = "F10 Brick/block walling";
    made.code = "F10";
    made.zavTitle = "Clay facing brickwork";
    made.originalDisplayTitle = number + " Clay facing brickwork";
    return made;
}

// A scene with everything to do: the palette shown with its buttons enabled, named elements of
// every kind in view, undo steps, a selection.
SoakScene busyScene() {
    SoakScene scene;
    scene.elements = {
        {"W1", SoakKind::Wall, true},  {"W2", SoakKind::Wall, true},   {"W3", SoakKind::Wall, true},
        {"W4", SoakKind::Wall, true},  {"N1", SoakKind::Window, true}, {"T1", SoakKind::Text, true},
        {"L1", SoakKind::Label, true}, {"U1", SoakKind::Note, true},   {"T2", SoakKind::Text, false}};
    scene.undoSteps = 3;
    scene.annotations = 3;
    scene.clauses = {clause("F10/110"), clause("F10/120"), clause("L10/150")};
    scene.paletteShown = true;
    scene.paletteItems = {"Soak", "Soak/F10//110 Clay facing brickwork (Changed)",
                          "Soak/F10//110 Clay facing brickwork (Changed)/Floor Plan : Ground Floor [1]"};
    for (int item = 2; item <= 6; ++item)
        scene.paletteButtons[item] = true;
    return scene;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool starts(const std::string& line, const std::string& prefix) {
    return line.rfind(prefix, 0) == 0;
}

size_t countStarting(const SoakMove& move, const std::string& prefix) {
    return static_cast<size_t>(std::count_if(move.lines.begin(), move.lines.end(),
                                             [&](const std::string& line) { return starts(line, prefix); }));
}

} // namespace

TEST(SoakMoves, EveryLineParses) {
    SoakMoves moves(5, "/specs/house.xml");
    ParseOptions options;
    options.defaultModule = true;
    ParsedScenario setup = parseScenario(joined(moves.setup()), options);
    EXPECT_TRUE(setup.errors.empty()) << setup.errors[0].message;
    std::vector<SoakScene> scenes = {busyScene(), SoakScene()};
    scenes[1].inPlan = false;
    std::map<std::string, size_t> kinds;
    for (int i = 0; i < 3000; ++i) {
        const SoakMove move = moves.next(scenes[static_cast<size_t>(i) % scenes.size()]);
        ++kinds[move.name];
        ASSERT_FALSE(move.lines.empty()) << move.name;
        ParsedScenario parsed = parseScenario(joined(move.lines), options);
        ASSERT_TRUE(parsed.errors.empty())
            << move.name << ": line " << parsed.errors[0].line << ": " << parsed.errors[0].message << "\n"
            << joined(move.lines);
        ASSERT_EQ(parsed.steps.size(), move.lines.size()) << joined(move.lines);
    }
    // Every entry of the table comes up.
    for (const char* name : {"place",
                             "label",
                             "select",
                             "update",
                             "find",
                             "palette select",
                             "palette view",
                             "palette update",
                             "palette replace",
                             "palette ignore",
                             "palette close",
                             "restore",
                             "specification",
                             "undo",
                             "save and reopen",
                             "cancel wait",
                             "annotator fault",
                             "user edit",
                             "user delete",
                             "add wall",
                             "view",
                             "display"})
        EXPECT_GT(kinds[name], 0u) << name;
}

TEST(SoakMoves, OnlyWhatTheSceneAllows) {
    SoakMoves moves(11, "/specs/house.xml");
    SoakScene scene; // no palette, no undo step, no named element, not in the plan
    scene.inPlan = false;
    scene.clauses = {clause("F10/110")};
    for (int i = 0; i < 2000; ++i) {
        const SoakMove move = moves.next(scene);
        for (const std::string& line : move.lines) {
            EXPECT_FALSE(starts(line, "palette ")) << line;
            EXPECT_NE(line, "undo");
            EXPECT_FALSE(starts(line, "user element"))
                << line; // nothing named to edit, no wall to add in a section
            EXPECT_FALSE(starts(line, "select \"")) << line;
        }
        EXPECT_NE(move.effect, SoakEffect::Undo);
    }
}

TEST(SoakMoves, PaletteButtonsOnlyWhileEnabled) {
    SoakMoves moves(3, "/specs/house.xml");
    SoakScene scene = busyScene();
    scene.paletteButtons[3] = scene.paletteButtons[4] = false;
    for (int i = 0; i < 3000; ++i) {
        const SoakMove move = moves.next(scene);
        for (const std::string& line : move.lines) {
            EXPECT_NE(line, "palette \"ZAV Annotation\" click 3");
            EXPECT_NE(line, "palette \"ZAV Annotation\" click 4");
            if (starts(line, "palette \"ZAV Annotation\" select 7 ")) {
                const std::string path =
                    line.substr(std::string("palette \"ZAV Annotation\" select 7 ").size());
                EXPECT_TRUE(path.rfind("\"Soak", 0) == 0) << path;
            }
        }
    }
}

TEST(SoakMoves, ClicksOnlyWhereATakesThem) {
    SoakMoves moves(17, "/specs/house.xml");
    SoakScene scene = busyScene();
    scene.paletteShown = false;
    for (int i = 0; i < 3000; ++i) {
        scene.selected = static_cast<size_t>(i % 2);
        const SoakMove move = moves.next(scene);
        const size_t clicks = countStarting(move, "click ") + countStarting(move, "cancel input");
        const bool placing = countStarting(move, "menu \"ZAV Annotation\" \"Place Annotation...\"") > 0;
        const bool labelling = countStarting(move, "menu \"ZAV Annotation\" \"Label Element...\"") > 0;
        const bool found =
            std::any_of(scene.clauses.begin(), scene.clauses.end(),
                        [&](const zavannotator::Clause& c) { return c.number == move.clause; });
        if (!placing && !labelling) {
            EXPECT_EQ(clicks, 0u) << joined(move.lines);
            continue;
        }
        // A clause the Annotator cannot find ends the tool before any click; its answer without
        // a clause is faulty data to the product.
        if (!found && move.name != "cancel wait") {
            EXPECT_EQ(clicks, 0u) << joined(move.lines);
            EXPECT_TRUE(move.faultyData || countStarting(move, "annotator fault no-result") > 0 ||
                        countStarting(move, "annotator cancel") > 0 ||
                        countStarting(move, "annotator fault crash") > 0)
                << joined(move.lines);
        }
        if (labelling && scene.selected > 0) {
            EXPECT_EQ(clicks, 0u) << joined(move.lines);
        }
        if (placing && clicks == 2) {
            EXPECT_EQ(move.effect, SoakEffect::Place);
            EXPECT_EQ(move.nameMade, "text");
        }
        if (move.name == "cancel wait") {
            EXPECT_EQ(clicks, 0u);
        }
    }
}

TEST(SoakMoves, AnAnnotatorLeftBehindIsWaitedFor) {
    SoakMoves moves(23, "/specs/house.xml");
    SoakScene scene = busyScene();
    size_t seen = 0;
    for (int i = 0; i < 4000; ++i) {
        const SoakMove move = moves.next(scene);
        const bool hangs = countStarting(move, "annotator fault no-flag") +
                               countStarting(move, "annotator fault crash") +
                               countStarting(move, "annotator fault slow 1000") >
                           0;
        if (hangs) {
            ++seen;
            EXPECT_EQ(countStarting(move, "progress cancel-after "), 1u) << joined(move.lines);
            EXPECT_EQ(move.lines.back(), "annotator wait") << joined(move.lines);
            EXPECT_EQ(countStarting(move, "menu \"ZAV Annotation\" \"Place Annotation...\""), 1u);
        }
        // Who cancels or crashes in the Annotator picks no clause, which would wait for the next one.
        if (countStarting(move, "annotator cancel") + countStarting(move, "annotator fault crash") > 0) {
            EXPECT_EQ(countStarting(move, "annotator next-clause"), 0u) << joined(move.lines);
        }
        if (move.name.rfind("display", 0) == 0) {
            EXPECT_EQ(move.lines.back(), "annotator wait");
        }
    }
    EXPECT_GT(seen, 0u);
}

TEST(SoakMoves, ReplacePicksItsClauseBeforeTheQuestion) {
    SoakMoves moves(29, "/specs/house.xml");
    SoakScene scene = busyScene();
    size_t seen = 0;
    for (int i = 0; i < 4000; ++i) {
        const SoakMove move = moves.next(scene);
        if (move.name != "palette replace") continue;
        ++seen;
        ASSERT_GE(move.lines.size(), 2u);
        EXPECT_EQ(move.lines.front(), nextClauseLine(move.clause));
        EXPECT_EQ(move.lines.back(), "palette \"ZAV Annotation\" click 4");
        const bool asked = move.lines.size() == 3;
        if (move.effect == SoakEffect::Replace) {
            EXPECT_EQ(move.lines[1], "dialog \"Update Annotation\" ok");
        }
        if (!asked) {
            EXPECT_TRUE(move.faultyData);
        }
    }
    EXPECT_GT(seen, 0u);
}

TEST(SoakMoves, TheSameSeedPlaysTheSameSession) {
    SoakMoves first(99, "/specs/house.xml"), second(99, "/specs/house.xml"), other(100, "/specs/house.xml");
    const SoakScene scene = busyScene();
    bool differs = false;
    for (int i = 0; i < 200; ++i) {
        const SoakMove a = first.next(scene);
        EXPECT_EQ(a.lines, second.next(scene).lines);
        differs = differs || a.lines != other.next(scene).lines;
    }
    EXPECT_TRUE(differs);
}

TEST(SoakMoves, NamesAreNewForEachKind) {
    SoakMoves moves(1, "/specs/house.xml");
    EXPECT_EQ(moves.name(SoakKind::Text), "T1");
    EXPECT_EQ(moves.name(SoakKind::Text), "T2");
    EXPECT_EQ(moves.name(SoakKind::Label), "L1");
    EXPECT_EQ(moves.name(SoakKind::Wall), "W1");
    EXPECT_EQ(moves.name(SoakKind::Window), "N1");
    EXPECT_EQ(moves.name(SoakKind::Note), "U1");
    ASSERT_EQ(moves.names().size(), 6u);
    EXPECT_EQ(moves.names()[1], std::make_pair(std::string("T2"), SoakKind::Text));
    // The setup names its own elements after these.
    const std::string setup = joined(moves.setup());
    EXPECT_NE(setup.find("element add wall as \"W2\""), std::string::npos) << setup;
    EXPECT_NE(setup.find("annotator specification \"/specs/house.xml\" as \"house.spec\""),
              std::string::npos);
}

TEST(SoakMoves, TreePathsEscapeTheirSlashes) {
    EXPECT_EQ(treePath({"Soak"}), "Soak");
    EXPECT_EQ(treePath({"Soak", "F10/110 Clay", "Floor Plan : Ground Floor [1]"}),
              "Soak/F10//110 Clay/Floor Plan : Ground Floor [1]");
    EXPECT_EQ(treePath({}), "");
    EXPECT_EQ(nextClauseLine("F10/110"), "annotator next-clause \"F10/110\"");
    EXPECT_EQ(nextClauseLine("a\"b"), "annotator next-clause \"a\\\"b\"");
}
