// The moves of a long random session: what a user of the product does next, drawn from a weighted
// table of actions, each one a valid thing to do in the scene the user sees (the palette's buttons
// only while it shows them enabled, undo only while there is a step to undo, clicks only where an
// input will take them), written as the scenario lines it stands for.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "SoakLedger.h"

namespace zavhost {

// The elements the session names, by what they are.
enum class SoakKind { Wall, Window, Text, Label, Note };

struct SoakElement {
    std::string label;
    SoakKind kind = SoakKind::Wall;
    bool inCurrentView = false;
};

// What the user sees before a move.
struct SoakScene {
    std::vector<SoakElement> elements; // the named elements the project holds
    bool inPlan = true;                // the floor plan is the current view (else the section)
    size_t selected = 0;               // elements selected in the current view
    size_t undoSteps = 0;
    size_t annotations = 0; // elements that show an annotation
    size_t ignored = 0;     // of which the user chose to ignore
    SoakClauses clauses;    // the specification's clauses as it gives them now
    bool paletteShown = false;
    std::vector<std::string> paletteItems; // the paths of the tree's items, the root's first
    bool paletteButtons[7] = {};           // items 2-6 enabled
};

// What a move does, as far as the session's checks need to know.
enum class SoakEffect {
    None,
    Place,         // an annotation of the clause picked, by Place Annotation or Label Element
    FillPalette,   // Find or Update fills the palette from the specification as it stands
    PaletteUpdate, // the palette's Update
    Replace,       // the palette's Replace with the clause picked
    Ignore,
    Restore,
    Delete, // the user deletes the elements named
    Undo,
    Reopen,
};

struct SoakMove {
    std::string name; // of the table's entry, for the session's counts
    std::vector<std::string> lines;
    SoakEffect effect = SoakEffect::None;
    std::string clause;               // the number picked in the Annotator
    std::vector<std::string> deleted; // the labels the user deletes
    bool faultyData = false;          // the Annotator answers what does not read
    // After the move the element of this type made last (text, label) gets a name of this kind.
    std::string nameMade;
    SoakKind madeKind = SoakKind::Text;
};

class SoakMoves {
public:
    // `specification`: the file the user's Annotator is given, as "house.spec".
    SoakMoves(uint64_t seed, std::string specification);

    // The lines that set the session up: a new project with the module, the specification chosen,
    // a few walls with a window, a section, and a label of the user's own with a note of hers.
    std::vector<std::string> setup();
    // The next move in this scene.
    SoakMove next(const SoakScene& scene);
    // A new name for an element of that kind, which the session then knows by it.
    std::string name(SoakKind kind);
    const std::vector<std::pair<std::string, SoakKind>>& names() const { return m_names; }

private:
    size_t below(size_t count) { return static_cast<size_t>(m_random() % count); }
    bool chance(int percent) { return below(100) < static_cast<size_t>(percent); }
    double coordinate(double high);
    std::string clausePick(const SoakScene& scene, bool* present);
    const SoakElement* pick(const SoakScene& scene, bool inView, std::initializer_list<SoakKind> kinds);

    bool place(const SoakScene& scene, SoakMove& move);
    bool label(const SoakScene& scene, SoakMove& move);
    bool select(const SoakScene& scene, SoakMove& move);
    bool find(const SoakScene& scene, SoakMove& move);
    bool paletteSelect(const SoakScene& scene, SoakMove& move);
    bool paletteButton(const SoakScene& scene, SoakMove& move, int item);
    bool editSpecification(const SoakScene& scene, SoakMove& move);
    bool cancelWait(const SoakScene& scene, SoakMove& move);
    bool annotatorFault(const SoakScene& scene, SoakMove& move);
    bool userEdit(const SoakScene& scene, SoakMove& move);
    bool userDelete(const SoakScene& scene, SoakMove& move);
    bool addWall(const SoakScene& scene, SoakMove& move);
    bool display(const SoakScene& scene, SoakMove& move);

    std::mt19937_64 m_random;
    std::string m_specification;
    std::vector<std::pair<std::string, SoakKind>> m_names;
    size_t m_counts[5] = {};
};

// The scenario line that picks a clause in the Annotator, and the path of a palette's tree item
// as `palette ... select` names it ("Office/F10//110 Clay facing brickwork").
std::string nextClauseLine(const std::string& number);
std::string treePath(const std::vector<std::string>& texts);

} // namespace zavhost
