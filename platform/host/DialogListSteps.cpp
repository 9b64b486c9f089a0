// The user at list boxes and pop-ups: rows clicked and double-clicked, header items clicked,
// dragged and resized, entries chosen by text; and the checks of a list's rows, of the row an item
// rides on, of a pop-up's entries, choice and button, and of what a user item shows.
#include <algorithm>

#include "CallLog.h"
#include "DialogSteps.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGListState.h"
#include "platform/dg/DGPanel.h"
#include "platform/dg/DGPanelState.h"
#include "platform/dg/DGPopUpState.h"

namespace zavhost {

namespace {

std::string itemName(const DG::Panel& panel, short item) {
    return "item " + std::to_string(item) + " of " + DG::Desk::Describe(panel);
}

// "Kitchen | Draft | 1 *": the row's cells, one a tab field, then " *" when selected.
std::string rowLine(const DG::ListState& list, short row) {
    std::string line;
    for (size_t field = 1; field <= list.tabs.size(); ++field)
        line += (field > 1 ? " | " : "") + list.CellText(row, static_cast<short>(field)).ToCStr();
    return list.Find(row)->selected ? line + " *" : line;
}

// "Draft", "-" for a separator, "Final (disabled)".
std::string entryLine(const DG::PopUpState::Entry& entry) {
    if (entry.separator) return "-";
    return entry.text.ToCStr() + (entry.disabled ? " (disabled)" : "");
}

std::vector<std::string> expectedLines(const Step& step, const char* word) {
    std::vector<std::string> lines;
    for (const ValueClause& clause : step.clauses)
        if (clause.word == word) lines.push_back(clause.value);
    return lines;
}

bool differ(const std::string& what, const std::vector<std::string>& lines, const std::string& none,
            std::string* why) {
    *why = what + " holds";
    for (const std::string& line : lines)
        *why += " " + inQuotes(line);
    if (lines.empty()) *why += " " + none;
    return false;
}

// The row of a list whose tab field the item rides on; 0 when it rides on none, or on a list
// with no row selected.
short rowUnder(DG::Panel& panel, short item) {
    for (DG::ItemState& each : panel.State().items) {
        DG::ListState* list = DG::ListOf(each);
        if (list == nullptr) continue;
        for (const auto& [tab, placed] : list->tabItems)
            if (placed == item) return list->tabItemRow;
    }
    return 0;
}

} // namespace

bool isListRowByText(DG::Panel& panel, const Step& step) {
    DG::ItemState* state = step.number ? panel.State().item(static_cast<short>(*step.number)) : nullptr;
    return step.model.verb == "select" && step.text2 && state != nullptr && DG::ListOf(*state) != nullptr;
}

bool isListStep(const Step& step) {
    const std::string& verb = step.model.verb;
    return verb == "choose" || verb == "click-row" || verb == "double-click-row" || verb == "click-header" ||
           verb == "drag-header" || verb == "resize-header" || (verb == "select" && !step.text2);
}

bool performListStep(DG::Panel& panel, const Step& step, short modifiers, std::string* why) {
    DG::Desk& desk = DG::Desk::Get();
    auto item = static_cast<short>(*step.number);
    const std::string& verb = step.model.verb;
    if (verb == "choose") return desk.ChoosePopUpEntry(panel, item, GS::UniString(step.text2->c_str()), why);
    auto second = static_cast<short>(step.number2.value_or(0));
    if (step.text2 && verb == "select") {
        // The row by what it reads, its cells as `rows` shows them.
        DG::ListState* list = DG::ListOf(*panel.State().item(item));
        for (short row = 1; second == 0 && row <= list->Count(); ++row)
            if (rowLine(*list, row).substr(0, rowLine(*list, row).find(" *")) == *step.text2) second = row;
        if (second == 0) return *why = itemName(panel, item) + " has no row " + inQuotes(*step.text2), false;
    }
    if (verb == "double-click-row") return desk.DoubleClickListRow(panel, item, second, modifiers, why);
    if (verb == "click-header") return desk.ClickListHeader(panel, item, second, why);
    if (verb == "drag-header")
        return desk.DragListHeader(panel, item, second, static_cast<short>(step.model.numbers[0]), why);
    if (verb == "resize-header")
        return desk.ResizeListHeader(panel, item, second, static_cast<short>(step.model.numbers[0]), why);
    return desk.ClickListRow(panel, item, second, modifiers, why);
}

bool checkListsAndPopUps(DG::Panel& panel, const Step& step, std::string* why) {
    auto item = static_cast<short>(*step.number);
    const std::set<std::string>& flags = step.model.flags;
    const std::map<std::string, std::string>& options = step.model.options;
    DG::ItemState* state = panel.State().item(item);
    std::string what = itemName(panel, item);
    if (auto row = options.find("on-row");
        row != options.end() && std::to_string(rowUnder(panel, item)) != row->second)
        return *why = what + " rides on row " + std::to_string(rowUnder(panel, item)), false;
    if (flags.count("rows")) {
        DG::ListState* list = DG::ListOf(*state);
        if (list == nullptr) return *why = what + " is not a list box", false;
        std::vector<std::string> lines;
        for (short row = 1; row <= list->Count(); ++row)
            lines.push_back(rowLine(*list, row));
        std::vector<std::string> wanted = expectedLines(step, "rows");
        std::vector<std::string> found = lines;
        // In any order: the list shows its records in an order of its own, such as their ids'.
        if (flags.count("in-any-order")) {
            std::sort(wanted.begin(), wanted.end());
            std::sort(found.begin(), found.end());
        }
        if (found != wanted) return differ(what, lines, "no rows", why);
    }
    bool menuChecks = flags.count("entries") || options.count("chosen") || options.count("button");
    if (!menuChecks) return true;
    DG::PopUpState* menu = DG::PopUpOf(*state);
    if (menu == nullptr) return *why = what + " is not a pop-up or user control", false;
    if (flags.count("entries")) {
        std::vector<std::string> lines;
        for (short entry = 1; entry <= menu->Count(); ++entry)
            lines.push_back(entryLine(*menu->Find(entry)));
        if (lines != expectedLines(step, "entries")) return differ(what, lines, "no entries", why);
    }
    if (auto chosen = options.find("chosen"); chosen != options.end()) {
        const DG::PopUpState::Entry* entry = menu->Find(menu->chosen);
        std::string text = entry != nullptr ? entry->text.ToCStr() : "";
        if (text != chosen->second)
            return *why = what +
                          (entry != nullptr ? " has " + inQuotes(text) + " chosen" : " has nothing chosen"),
                   false;
    }
    if (auto button = options.find("button");
        button != options.end() && menu->buttonText.ToCStr() != button->second)
        return *why = what + "'s button shows " + inQuotes(menu->buttonText.ToCStr()), false;
    return true;
}

bool checkPicture(DG::Panel& panel, const Step& step, std::string* why) {
    if (!step.model.flags.count("drawn")) return true;
    auto item = static_cast<short>(*step.number);
    const DG::ItemState* state = panel.State().item(item);
    std::string what = itemName(panel, item);
    if (state->type != DG::ItemType::UserItem) return *why = what + " is not a user item", false;
    std::vector<std::string> lines;
    if (state->picture)
        for (const auto& call : state->picture->calls)
            lines.push_back(NewDisplay::NativeContext::Describe(call));
    if (lines != expectedLines(step, "drawn"))
        return differ(what, lines, state->picture ? "nothing drawn" : "nothing: it was never drawn", why);
    return true;
}

} // namespace zavhost
