#include "DialogSteps.h"

#include "platform/dg/DGDesk.h"

namespace zavhost {

namespace {

void panelName(LineReader& in, Step& step) {
    if (in.nextIsText())
        step.text = in.text("the panel's title");
    else
        step.text = std::to_string(in.number("the panel's title in quotes or its resource id", 1, 32767));
}

void modifiers(LineReader& in, Step& step) {
    for (const char* key : {"shift", "option", "command"})
        if (in.word(key)) step.model.flags.insert(key);
}

void itemNumber(LineReader& in, Step& step) {
    step.number = in.number("an item number", 1, 32767);
}

constexpr const char* itemCheckWords =
    "text \"T\", tooltip \"T\", enabled, disabled, visible, hidden, checked, unchecked, rect L T W H, "
    "tree \"LINE\" ..., drawing-on, rows \"LINE\" ... [in-any-order], on-row R, entries \"T\" ..., "
    "chosen \"T\", button \"T\", drawn \"CALL\" ...";

// The checks of `expect ... item N` and of a script's `expect item N`.
void itemChecks(LineReader& in, Step& step) {
    itemNumber(in, step);
    bool any = false;
    while (!in.atEnd()) {
        any = true;
        if (in.word("text")) {
            step.text2 = in.text("the item's text");
            continue;
        }
        if (in.word("tooltip")) {
            step.model.options["tooltip"] = in.text("the item's tool tip");
            continue;
        }
        if (in.word("rect")) {
            step.model.flags.insert("rect");
            for (const char* what : {"the item's left", "its top", "its width", "its height"})
                step.model.numbers.push_back(in.number(what, -32768, 32767));
            continue;
        }
        if (in.word("tree")) {
            step.model.flags.insert("tree");
            do
                step.model.texts.push_back(in.text("a tree item's line"));
            while (in.nextIsText());
            continue;
        }
        // A list's rows, a pop-up's entries and a user item's calls: as many texts as there are,
        // none for none.
        bool listed = false;
        for (const char* lines : {"rows", "entries", "drawn"}) {
            if (!in.word(lines)) continue;
            listed = true;
            step.model.flags.insert(lines);
            while (in.nextIsText())
                step.clauses.push_back(ValueClause{lines, "", "", in.text("a line")});
        }
        if (listed) continue;
        if (in.word("chosen")) {
            step.model.options["chosen"] = in.text("the chosen entry's text");
            continue;
        }
        if (in.word("button")) {
            step.model.options["button"] = in.text("the menu button's text");
            continue;
        }
        if (in.word("on-row")) {
            step.model.options["on-row"] = std::to_string(in.number("a list row, 0 for none", 0, 32767));
            continue;
        }
        bool found = false;
        for (const char* state : {"enabled", "disabled", "visible", "hidden", "checked", "unchecked",
                                  "drawing-on", "in-any-order"})
            if (in.word(state)) step.model.flags.insert(state), found = true;
        if (!found) throw LineError{"an item's checks are " + std::string(itemCheckWords)};
    }
    if (!any) throw LineError{"expect item N needs something to check: " + std::string(itemCheckWords)};
}

void parseVerb(LineReader& in, Step& step, bool palette) {
    std::string verb =
        in.anyWord("what the user does: type, set-text, click, double-click, tick, untick, choose, select, "
                   "click-row, double-click-row, click-header, drag-header, resize-header, expand, collapse, "
                   "update, ok, cancel, close-box or expect");
    step.model.verb = verb;
    if (verb == "type" || verb == "set-text" || verb == "choose") {
        itemNumber(in, step);
        step.text2 = in.text(verb == "choose" ? "the entry's text" : "the text");
    } else if (verb == "expand" || verb == "collapse") {
        itemNumber(in, step);
        step.text2 = in.text("the tree item's path");
        modifiers(in, step);
    } else if (verb == "click" || verb == "double-click") {
        itemNumber(in, step);
        if (in.nextIsText()) step.text2 = in.text("the tree item's path");
        modifiers(in, step);
    } else if (verb == "tick" || verb == "untick" || verb == "update") {
        itemNumber(in, step);
    } else if (verb == "select" || verb == "click-row" || verb == "double-click-row") {
        itemNumber(in, step);
        if (verb == "select" && in.nextIsText())
            step.text2 = in.text("the tree item's path");
        else
            step.number2 = in.number("a row number", 1, 32767);
        modifiers(in, step);
    } else if (verb == "click-header" || verb == "drag-header" || verb == "resize-header") {
        itemNumber(in, step);
        step.number2 = in.number("a header item's number", 1, 32767);
        if (verb == "drag-header")
            step.model.numbers.push_back(static_cast<double>(in.number("the place it goes to", 1, 32767)));
        if (verb == "resize-header")
            step.model.numbers.push_back(
                static_cast<double>(in.number("the change of width", -32767, 32767)));
    } else if (verb == "ok" || verb == "cancel" || verb == "close-box") {
    } else if (verb == "expect") {
        if (!in.word("item")) throw LineError{"expect item N ..."};
        itemChecks(in, step);
    } else if (verb == "resize") {
        step.model.numbers.push_back(static_cast<double>(in.number("the change of width", -32767, 32767)));
        step.model.numbers.push_back(static_cast<double>(in.number("the change of height", -32767, 32767)));
    } else if (palette && verb == "hot-key") {
        step.number = in.number("a hot key's id", 1, 32767);
    } else {
        std::vector<std::string> verbs = {"type",          "set-text",         "click",        "double-click",
                                          "tick",          "untick",           "choose",       "select",
                                          "click-row",     "double-click-row", "click-header", "drag-header",
                                          "resize-header", "expand",           "collapse",     "ok",
                                          "cancel",        "close-box",        "update",       "expect",
                                          "resize"};
        if (palette) verbs.push_back("hot-key");
        throw LineError{"unknown dialog step \"" + verb + "\"" + didYouMeanOrKnown(verb, verbs)};
    }
}

} // namespace

bool parseDialogStep(LineReader& in, const std::string& first, Step& step) {
    if (first == "dialog") {
        step.kind = StepKind::DialogScript;
        panelName(in, step);
        parseVerb(in, step, false);
    } else if (first == "palette") {
        step.kind = StepKind::PaletteAction;
        panelName(in, step);
        parseVerb(in, step, true);
    } else if (first == "dialog-scale") {
        step.kind = StepKind::DialogSetting;
        step.model.verb = first;
        double scale = in.real("the scale factor");
        if (!(scale >= 0.25 && scale <= 8.0)) throw LineError{"a scale factor lies in 0.25..8"};
        step.model.numbers.push_back(scale);
    } else if (first == "monitor") {
        step.kind = StepKind::DialogSetting;
        step.model.verb = first;
        for (const char* what : {"the left", "the top", "the right", "the bottom"})
            step.model.numbers.push_back(static_cast<double>(in.number(what, -32768, 32767)));
        const std::vector<double>& n = step.model.numbers;
        if (n[2] <= n[0] || n[3] <= n[1])
            throw LineError{"the monitor's right and bottom lie beyond its left and top"};
    } else {
        return false;
    }
    return true;
}

bool parseDialogExpectation(LineReader& in, const std::string& first, Step& step) {
    if (first != "dialog" && first != "palette") return false;
    step.kind = StepKind::ExpectPanel;
    step.model.verb = first;
    panelName(in, step);
    if (in.word("item")) {
        itemChecks(in, step);
        return true;
    }
    for (const char* state : {"open", "closed", "visible", "hidden"})
        if (in.word(state)) {
            step.model.flags.insert(state);
            return true;
        }
    throw LineError{"expect " + first + " NAME open, closed, visible, hidden or item N ..."};
}

} // namespace zavhost
