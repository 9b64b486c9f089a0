#include "SoakMoves.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "CallLog.h"
#include "ScenarioLine.h"

namespace zavhost {

namespace {

const std::string Menu = "menu \"ZAV Annotation\" ";
const std::string Palette = "palette \"ZAV Annotation\" ";
const std::string Question = "dialog \"Update Annotation\" ";
const std::string Section = "S1";

// The original specification's clauses, which the user may pick even when her copy lost them.
const char* const Numbers[] = {"F10/110", "F10/120", "F10/210", "L10/110", "L10/150", "L20/110", "M20/210"};

// Titles a specification writer might give, with what XML must escape and what is not ASCII.
const char* const Titles[] = {"Clay facing brickwork, revised", "Brick & block <type B>",
                              "Blockwork \"fair-faced\"",       "Plâtre à deux couches",
                              "Timber doors — hardwood",        "Sills; boards/trims"};
const char* const FindTexts[] = {"", "F10", "L10/150", "Clay", "Window", "revised", "&", "zzz", "é"};

const char* kindWord(SoakKind kind) {
    switch (kind) {
    case SoakKind::Wall:
        return "W";
    case SoakKind::Window:
        return "N";
    case SoakKind::Text:
        return "T";
    case SoakKind::Label:
        return "L";
    case SoakKind::Note:
        return "U";
    }
    return "E";
}

} // namespace

std::string nextClauseLine(const std::string& clauseNumber) {
    return "annotator next-clause " + inQuotes(clauseNumber);
}

std::string treePath(const std::vector<std::string>& texts) {
    std::string path;
    for (const std::string& text : texts) {
        if (!path.empty()) path += '/';
        for (char c : text)
            path += c == '/' ? std::string("//") : std::string(1, c);
    }
    return path;
}

SoakMoves::SoakMoves(uint64_t seed, std::string specification)
    : m_random(seed), m_specification(std::move(specification)) {}

std::string SoakMoves::name(SoakKind kind) {
    std::string label = kindWord(kind) + std::to_string(++m_counts[static_cast<size_t>(kind)]);
    m_names.emplace_back(label, kind);
    return label;
}

std::vector<std::string> SoakMoves::setup() {
    std::vector<std::string> lines = {
        "project new \"Soak\"",
        "load",
        "annotator specification " + inQuotes(m_specification) + " as \"house.spec\"",
        Menu + "\"Select Specification...\"",
        "view add section " + inQuotes(Section),
    };
    const char* const walls[] = {"0 0 to 8 0", "8 0 to 8 6", "8 6 to 0 6", "0 6 to 0 0"};
    std::vector<std::string> wallNames;
    for (const char* ends : walls) {
        wallNames.push_back(name(SoakKind::Wall));
        lines.push_back("element add wall as " + inQuotes(wallNames.back()) + " from " + ends);
    }
    lines.push_back("element add window as " + inQuotes(name(SoakKind::Window)) + " wall " +
                    inQuotes(wallNames[1]) + " position 2");
    // The user's label on a wall shows no annotation: the product must leave it, whatever the wall
    // goes through.
    const std::string note = name(SoakKind::Note);
    lines.push_back("element add label as " + inQuotes(note) +
                    " at 12 3 with-user-data \"a note of the user's own\"");
    lines.push_back("element link " + inQuotes(wallNames[0]) + " to " + inQuotes(note));
    lines.push_back(
        "element add text as " + inQuotes(name(SoakKind::Note)) +
        " at 12 8 text \"North elevation\" with-user-data \"<annotation>not quite one</annotation>\"");
    return lines;
}

double SoakMoves::coordinate(double high) {
    return static_cast<double>(below(static_cast<size_t>(high * 4) + 1)) / 4.0;
}

// Mostly a clause the specification still gives; now and then one the user's copy has lost.
std::string SoakMoves::clausePick(const SoakScene& scene, bool* present) {
    if (!scene.clauses.empty() && !chance(8)) {
        *present = true;
        return scene.clauses[below(scene.clauses.size())].number;
    }
    std::string picked = Numbers[below(std::size(Numbers))];
    *present = false;
    for (const zavannotator::Clause& clause : scene.clauses)
        *present = *present || clause.number == picked;
    return picked;
}

const SoakElement* SoakMoves::pick(const SoakScene& scene, bool inView,
                                   std::initializer_list<SoakKind> kinds) {
    std::vector<const SoakElement*> candidates;
    for (const SoakElement& element : scene.elements) {
        if (inView && !element.inCurrentView) continue;
        for (SoakKind kind : kinds)
            if (element.kind == kind) candidates.push_back(&element);
    }
    return candidates.empty() ? nullptr : candidates[below(candidates.size())];
}

bool SoakMoves::place(const SoakScene& scene, SoakMove& move) {
    bool present = false;
    move.clause = clausePick(scene, &present);
    move.lines = {nextClauseLine(move.clause), Menu + "\"Place Annotation...\""};
    // A clause the Annotator cannot find ends the tool before it asks for a click; its answer
    // without a clause does not read.
    move.faultyData = !present;
    if (!present) return true;
    if (chance(4)) {
        move.lines.push_back("cancel input");
        return true;
    }
    double x = coordinate(34), y = coordinate(27) + 1;
    move.lines.push_back("click " + numberText(x) + " " + numberText(y));
    move.lines.push_back("click " + numberText(x + 1 + coordinate(4)) + " " +
                         numberText(y - 0.5 - coordinate(1)));
    move.effect = SoakEffect::Place;
    move.nameMade = "text";
    move.madeKind = SoakKind::Text;
    return true;
}

bool SoakMoves::label(const SoakScene& scene, SoakMove& move) {
    bool present = false;
    move.clause = clausePick(scene, &present);
    move.lines = {nextClauseLine(move.clause), Menu + "\"Label Element...\""};
    move.faultyData = !present;
    if (!present) return true;
    if (scene.selected == 0) {
        if (chance(5)) {
            move.lines.push_back("cancel input");
            return true;
        }
        move.lines.push_back("click " + numberText(coordinate(38)) + " " + numberText(coordinate(28)));
    }
    move.effect = SoakEffect::Place;
    move.nameMade = "label";
    move.madeKind = SoakKind::Label;
    return true;
}

bool SoakMoves::select(const SoakScene& scene, SoakMove& move) {
    std::vector<const SoakElement*> inView;
    for (const SoakElement& element : scene.elements)
        if (element.inCurrentView) inView.push_back(&element);
    if (inView.empty() || chance(15)) {
        move.lines = {"select none"};
        return true;
    }
    std::string line = "select";
    const size_t count = 1 + below(std::min<size_t>(3, inView.size()));
    for (size_t i = 0; i < count; ++i) {
        const size_t at = below(inView.size());
        line += " " + inQuotes(inView[at]->label);
        inView.erase(inView.begin() + static_cast<std::ptrdiff_t>(at));
    }
    move.lines = {line};
    return true;
}

bool SoakMoves::find(const SoakScene& scene, SoakMove& move) {
    (void)scene;
    if (chance(10)) {
        move.lines = {"dialog \"Find Annotation\" cancel", Menu + "\"Find Annotation...\""};
        return true;
    }
    move.lines = {"dialog \"Find Annotation\" set-text 4 " + inQuotes(FindTexts[below(std::size(FindTexts))]),
                  "dialog \"Find Annotation\" ok", Menu + "\"Find Annotation...\""};
    move.effect = SoakEffect::FillPalette;
    return true;
}

bool SoakMoves::paletteSelect(const SoakScene& scene, SoakMove& move) {
    if (!scene.paletteShown || scene.paletteItems.empty()) return false;
    std::string line = Palette + "select 7 " + inQuotes(scene.paletteItems[below(scene.paletteItems.size())]);
    if (chance(25)) line += " command";
    move.lines = {line};
    return true;
}

bool SoakMoves::paletteButton(const SoakScene& scene, SoakMove& move, int item) {
    if (!scene.paletteShown || !scene.paletteButtons[item]) return false;
    const std::string click = Palette + "click " + std::to_string(item);
    const bool ok = !chance(15);
    const std::string answer = Question + (ok ? "ok" : "cancel");
    switch (item) {
    case 3:
        move.lines = {answer, click};
        move.effect = ok ? SoakEffect::PaletteUpdate : SoakEffect::None;
        return true;
    case 4: {
        // The clause is picked first; one the Annotator cannot find ends it before the question.
        bool present = false;
        move.clause = clausePick(scene, &present);
        move.lines = {nextClauseLine(move.clause)};
        if (present) move.lines.push_back(answer);
        move.lines.push_back(click);
        move.faultyData = !present;
        move.effect = ok && present ? SoakEffect::Replace : SoakEffect::None;
        return true;
    }
    case 5:
        move.lines = {answer, click};
        move.effect = ok ? SoakEffect::Ignore : SoakEffect::None;
        return true;
    default:
        move.lines = {click};
        return true;
    }
}

bool SoakMoves::editSpecification(const SoakScene& scene, SoakMove& move) {
    if (scene.clauses.size() < std::size(Numbers) && chance(20)) {
        move.lines = {"annotator specification " + inQuotes(m_specification) + " as \"house.spec\""};
        return true;
    }
    if (scene.clauses.empty()) return false;
    const zavannotator::Clause& clause = scene.clauses[below(scene.clauses.size())];
    if (scene.clauses.size() > 2 && chance(20)) {
        move.lines = {"annotator delete-clause " + inQuotes(clause.number)};
        return true;
    }
    std::string field = "revision";
    std::string text(1, static_cast<char>('A' + below(8)));
    if (chance(35)) {
        field = "zavTitle";
        text = Titles[below(std::size(Titles))];
    } else if (chance(15)) {
        field = chance(50) ? "section" : "code";
        text = field == "code" ? clause.code + "x" : clause.section + " (amended)";
    }
    move.lines = {"annotator change-clause " + inQuotes(clause.number) + " " + field + " " + inQuotes(text)};
    return true;
}

bool SoakMoves::cancelWait(const SoakScene& scene, SoakMove& move) {
    bool present = false;
    move.clause = clausePick(scene, &present);
    move.lines = {nextClauseLine(move.clause),
                  chance(50) ? std::string("annotator fault no-flag")
                             : std::string("annotator fault slow 1000"),
                  "progress cancel-after " + std::to_string(1 + below(4)), Menu + "\"Place Annotation...\"",
                  // The Annotator left behind must be done before the next exchange starts one.
                  "annotator wait"};
    return true;
}

bool SoakMoves::annotatorFault(const SoakScene& scene, SoakMove& move) {
    static const char* const faults[] = {"malformed",
                                         "no-result",
                                         "error generalError",
                                         "error clauseNotFound",
                                         "error bogus",
                                         "two-results",
                                         "command-id 2",
                                         "blank-number",
                                         "crash",
                                         "slow 200",
                                         "cancel"};
    const std::string fault = faults[below(std::size(faults))];
    const bool hangs = fault == "crash";
    const std::string faultLine = fault == "cancel" ? "annotator cancel" : "annotator fault " + fault;
    move.faultyData = fault == "malformed" || fault == "blank-number" || fault == "error bogus";
    // Update asks the Annotator only when there is something to ask about; a wait it polls in its
    // own window before it asks, so a hanging Annotator is met at Place Annotation alone. Blank
    // numbers come only with the clauses the specification still gives.
    if (scene.annotations > 0 && !hangs && fault != "blank-number" && chance(30)) {
        move.lines = {faultLine, Menu + "\"Update Annotation...\""};
        move.effect = SoakEffect::FillPalette;
        return true;
    }
    bool present = false;
    move.clause = clausePick(scene, &present);
    // The user who cancels in the Annotator picks nothing, and one that crashes reads nothing.
    if (fault != "cancel" && !hangs) move.lines.push_back(nextClauseLine(move.clause));
    // A clause it cannot find comes back as no clause, which does not read.
    if (!present && fault != "cancel" && !hangs && fault != "no-result") move.faultyData = true;
    move.lines.push_back(faultLine);
    if (hangs) move.lines.push_back("progress cancel-after 3");
    move.lines.push_back(Menu + "\"Place Annotation...\"");
    if (hangs) move.lines.push_back("annotator wait");
    if (fault == "slow 200" && present) {
        double x = coordinate(30), y = coordinate(27) + 1;
        move.lines.push_back("click " + numberText(x) + " " + numberText(y));
        move.lines.push_back("click " + numberText(x + 3) + " " + numberText(y - 1));
        move.effect = SoakEffect::Place;
        move.nameMade = "text";
        move.madeKind = SoakKind::Text;
    }
    return true;
}

bool SoakMoves::userEdit(const SoakScene& scene, SoakMove& move) {
    const SoakElement* element =
        pick(scene, true, {SoakKind::Wall, SoakKind::Text, SoakKind::Label, SoakKind::Note});
    if (element == nullptr) return false;
    const std::string what = inQuotes(element->label);
    const size_t how = below(4);
    if (how < 2)
        move.lines = {"user element move " + what + " by " + numberText(coordinate(4) - 2) + " " +
                      numberText(coordinate(4) - 2)};
    else if (how == 2)
        move.lines = {"user element rotate " + what + " by " +
                      numberText(static_cast<double>(below(8) * 45)) + " about " +
                      numberText(coordinate(20)) + " " + numberText(coordinate(20))};
    else
        move.lines = {"user element mirror " + what + " about " + numberText(coordinate(20)) + " 0 " +
                      numberText(coordinate(20)) + " 10"};
    return true;
}

bool SoakMoves::userDelete(const SoakScene& scene, SoakMove& move) {
    size_t walls = 0;
    for (const SoakElement& element : scene.elements)
        walls += element.kind == SoakKind::Wall ? 1 : 0;
    // The user's own notes stay all session long: nothing the product does may take them.
    std::vector<const SoakElement*> chosen;
    const size_t count = chance(25) ? 2 : 1;
    for (size_t i = 0; i < count; ++i) {
        const SoakElement* element = nullptr;
        if (walls > 3 && chance(25))
            element = pick(scene, true, {SoakKind::Wall});
        else if (chance(5))
            element = pick(scene, true, {SoakKind::Window});
        else
            element = pick(scene, true, {SoakKind::Text, SoakKind::Label});
        if (element != nullptr && std::find(chosen.begin(), chosen.end(), element) == chosen.end())
            chosen.push_back(element);
    }
    if (chosen.empty()) return false;
    std::string line = "user element delete";
    for (const SoakElement* element : chosen) {
        line += " " + inQuotes(element->label);
        move.deleted.push_back(element->label);
    }
    move.lines = {line};
    move.effect = SoakEffect::Delete;
    return true;
}

bool SoakMoves::addWall(const SoakScene& scene, SoakMove& move) {
    if (!scene.inPlan) return false;
    const SoakElement* wall = pick(scene, true, {SoakKind::Wall});
    if (wall != nullptr && chance(25)) {
        move.lines = {"user element add window as " + inQuotes(name(SoakKind::Window)) + " wall " +
                      inQuotes(wall->label) + " position 0.5"};
        return true;
    }
    double x = coordinate(30), y = coordinate(25);
    move.lines = {"user element add wall as " + inQuotes(name(SoakKind::Wall)) + " from " + numberText(x) +
                  " " + numberText(y) + " to " + numberText(x + 1 + coordinate(6)) + " " +
                  numberText(y + coordinate(3))};
    return true;
}

bool SoakMoves::display(const SoakScene& scene, SoakMove& move) {
    static const char* const items[] = {"\"View Clause...\"", "\"Guidance Notes...\"",
                                        "\"Manufacturer Info...\"", "\"Review Annotation...\""};
    move.lines = {Menu + items[below(std::size(items))], "annotator wait"};
    (void)scene;
    return true;
}

SoakMove SoakMoves::next(const SoakScene& scene) {
    using Maker = bool (SoakMoves::*)(const SoakScene&, SoakMove&);
    struct Entry {
        const char* name;
        int weight;
        Maker make;
        int item; // of the palette, for its buttons
    };
    static const Entry table[] = {
        {"place", 13, &SoakMoves::place, 0},
        {"label", 8, &SoakMoves::label, 0},
        {"select", 8, &SoakMoves::select, 0},
        {"update", 7, nullptr, 0},
        {"find", 3, &SoakMoves::find, 0},
        {"palette select", 8, &SoakMoves::paletteSelect, 0},
        {"palette view", 2, nullptr, 2},
        {"palette update", 6, nullptr, 3},
        {"palette replace", 3, nullptr, 4},
        {"palette ignore", 3, nullptr, 5},
        {"palette close", 1, nullptr, 6},
        {"restore", 2, nullptr, 0},
        {"specification", 6, &SoakMoves::editSpecification, 0},
        {"undo", 6, nullptr, 0},
        {"save and reopen", 2, nullptr, 0},
        {"cancel wait", 3, &SoakMoves::cancelWait, 0},
        {"annotator fault", 5, &SoakMoves::annotatorFault, 0},
        {"user edit", 4, &SoakMoves::userEdit, 0},
        {"user delete", 4, &SoakMoves::userDelete, 0},
        {"add wall", 2, &SoakMoves::addWall, 0},
        {"view", 1, nullptr, 0},
        {"display", 1, &SoakMoves::display, 0},
    };
    int total = 0;
    for (const Entry& entry : table)
        total += entry.weight;
    for (;;) {
        int draw = static_cast<int>(below(static_cast<size_t>(total)));
        const Entry* entry = table;
        while (draw >= entry->weight)
            draw -= (entry++)->weight;
        SoakMove move;
        move.name = entry->name;
        bool made = true;
        if (entry->make != nullptr) {
            made = (this->*entry->make)(scene, move);
        } else if (entry->item != 0) {
            made = paletteButton(scene, move, entry->item);
        } else if (move.name == "update") {
            move.lines = {Menu + "\"Update Annotation...\""};
            move.effect = SoakEffect::FillPalette;
        } else if (move.name == "restore") {
            const bool cancel = chance(20);
            if (cancel) move.lines.push_back("alert answer \"Cancel\"");
            move.lines.push_back(Menu + "\"Restore Ignored Clauses...\"");
            move.effect = cancel ? SoakEffect::None : SoakEffect::Restore;
        } else if (move.name == "undo") {
            made = scene.undoSteps > 0;
            move.lines = {"undo"};
            move.effect = SoakEffect::Undo;
        } else if (move.name == "save and reopen") {
            move.lines = {"project save-and-reopen"};
            move.effect = SoakEffect::Reopen;
        } else if (move.name == "view") {
            move.lines = {scene.inPlan ? "view current " + inQuotes(Section)
                                       : std::string("view current plan")};
        }
        if (made) return move;
    }
}

} // namespace zavhost
