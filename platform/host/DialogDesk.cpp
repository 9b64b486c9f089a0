// The user at the dialog manager: modal dialogs worked from the queued steps inside the module's
// call, palettes worked when the scenario says so, as the host's event loop would.
#include "CallLog.h"
#include "DialogSteps.h"
#include "Transcript.h"
#include "platform/api/HostErrors.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGPanel.h"
#include "platform/dg/DGPanelState.h"

namespace zavhost {

namespace {

short modifierBits(const Step& step) {
    const std::set<std::string>& flags = step.model.flags;
    return static_cast<short>((flags.count("shift") ? DG::ShiftKey : 0) |
                              (flags.count("option") ? DG::OptionKey : 0) |
                              (flags.count("command") ? DG::CommandKey : 0));
}

bool names(const DG::Panel& panel, const std::string& name) {
    const DG::PanelState& state = panel.State();
    return state.title.ToCStr() == name || std::to_string(state.resourceId) == name;
}

// OK and Cancel are the buttons on items 1 and 2, as in every modal dialog.
bool pressButton(DG::Panel& panel, short item, std::string* why) {
    const DG::ItemState* state = panel.State().item(item);
    if (state == nullptr || state->type != DG::ItemType::Button) {
        *why = DG::Desk::Describe(panel) + " has no " + (item == 1 ? "OK" : "Cancel") + " button (item " +
               std::to_string(item) + ")";
        return false;
    }
    return DG::Desk::Get().Click(panel, item, 0, why);
}

} // namespace

DialogDesk::DialogDesk(Transcript& transcript) : m_transcript(transcript) {
    DG::Desk& desk = DG::Desk::Get();
    desk.Reset();
    desk.SetModalHandler([this](DG::ModalDialog& dialog) { runModal(dialog); });
    desk.SetListener([this](const std::string& line) { m_transcript.note(line); });
}

DialogDesk::~DialogDesk() {
    DG::Desk::Get().Reset();
}

void DialogDesk::runModal(DG::ModalDialog& dialog) {
    noteTreeChanges();
    while (dialog.IsOpen()) {
        auto next = m_queued.begin();
        while (next != m_queued.end() && !names(dialog, *next->text))
            ++next;
        if (next == m_queued.end()) {
            m_problems.push_back(
                DG::Desk::Describe(dialog) +
                " was left open: no line of the scenario works in it further; it is aborted");
            dialog.Abort();
            return;
        }
        Step step = *next;
        m_queued.erase(next);
        m_transcript.note("the user, line " + std::to_string(step.line) + ": " + step.source);
        std::string why;
        if (!perform(dialog, step, &why)) {
            m_problems.push_back("line " + std::to_string(step.line) + ": " + why +
                                 "; the dialog is aborted");
            dialog.Abort();
            return;
        }
    }
}

bool DialogDesk::perform(DG::Panel& panel, const Step& step, std::string* why) {
    DG::Desk& desk = DG::Desk::Get();
    const std::string& verb = step.model.verb;
    short item = step.number ? static_cast<short>(*step.number) : 0;
    bool treeVerb = verb == "select" || verb == "click" || verb == "double-click" || verb == "expand" ||
                    verb == "collapse";
    if (isListRowByText(panel, step)) return performListStep(panel, step, modifierBits(step), why);
    if (treeVerb && step.text2) return performTreeStep(panel, step, modifierBits(step), why);
    if (isListStep(step)) return performListStep(panel, step, modifierBits(step), why);
    if (verb == "type") return desk.TypeText(panel, item, GS::UniString(step.text2->c_str()), why);
    if (verb == "set-text") return desk.SetText(panel, item, GS::UniString(step.text2->c_str()), why);
    if (verb == "click") return desk.Click(panel, item, modifierBits(step), why);
    if (verb == "double-click") return desk.DoubleClick(panel, item, modifierBits(step), why);
    if (verb == "tick" || verb == "untick") return desk.Tick(panel, item, verb == "tick", why);
    if (verb == "update") return desk.UpdateUserItem(panel, item, why);
    if (verb == "ok") return pressButton(panel, 1, why);
    if (verb == "cancel") return pressButton(panel, 2, why);
    if (verb == "close-box") return desk.CloseBox(panel, why);
    if (verb == "expect") return checkItem(panel, step, why);
    if (verb == "resize")
        return desk.Resize(panel, static_cast<short>(step.model.numbers[0]),
                           static_cast<short>(step.model.numbers[1]), why);
    if (verb == "hot-key") return desk.PressHotKey(panel, item, why);
    *why = "no dialog step " + verb;
    return false;
}

bool DialogDesk::checkItem(DG::Panel& panel, const Step& step, std::string* why) const {
    short dialId = panel.GetId();
    short item = static_cast<short>(*step.number);
    const DG::ItemState* state = panel.State().item(item);
    std::string what = "item " + std::to_string(item) + " of " + DG::Desk::Describe(panel);
    if (state == nullptr)
        return *why = DG::Desk::Describe(panel) + " has no item " + std::to_string(item), false;
    if (step.text2 && state->text.ToCStr() != *step.text2)
        return *why = what + " reads " + inQuotes(DGGetItemText(dialId, item).ToCStr()), false;
    if (auto tip = step.model.options.find("tooltip");
        tip != step.model.options.end() && state->tooltip.ToCStr() != tip->second)
        return *why = what + (state->tooltip.IsEmpty()
                                  ? " has no tool tip"
                                  : " has the tool tip " + inQuotes(state->tooltip.ToCStr())),
               false;
    const std::set<std::string>& flags = step.model.flags;
    if ((flags.count("enabled") && !state->enabled) || (flags.count("disabled") && state->enabled))
        return *why = what + " is " + (state->enabled ? "enabled" : "disabled"), false;
    if ((flags.count("visible") && !state->visible) || (flags.count("hidden") && state->visible))
        return *why = what + " is " + (state->visible ? "visible" : "hidden"), false;
    if (flags.count("checked") || flags.count("unchecked")) {
        if (state->type != DG::ItemType::CheckBox) return *why = what + " is not a check box", false;
        bool checked = state->value != 0;
        if (flags.count("checked") != (checked ? 1u : 0u))
            return *why = what + " is " + (checked ? "checked" : "unchecked"), false;
    }
    if (flags.count("rect")) {
        const std::vector<double>& n = step.model.numbers;
        const DG::Rect& rect = state->rect;
        if (rect.GetLeft() != n[0] || rect.GetTop() != n[1] || rect.GetWidth() != n[2] ||
            rect.GetHeight() != n[3])
            return *why = what + " lies at " + std::to_string(rect.GetLeft()) + " " +
                          std::to_string(rect.GetTop()) + " size " + std::to_string(rect.GetWidth()) + " " +
                          std::to_string(rect.GetHeight()),
                   false;
    }
    return checkTree(panel, step, why) && checkListsAndPopUps(panel, step, why) &&
           checkPicture(panel, step, why);
}

GSErrCode DialogDesk::act(const Step& step, std::string* why) {
    DG::Desk& desk = DG::Desk::Get();
    const std::vector<double>& n = step.model.numbers;
    if (step.model.verb == "dialog-scale") {
        desk.SetScaleFactor(n[0]);
        return hosterr::Ok;
    }
    if (step.model.verb == "monitor") {
        desk.SetMonitorRect(DG::Rect(static_cast<short>(n[0]), static_cast<short>(n[1]),
                                     static_cast<short>(n[2]), static_cast<short>(n[3])));
        return hosterr::Ok;
    }
    DG::Panel* panel = desk.FindOpenPanel(*step.text);
    if (panel == nullptr || panel->State().kind != DG::PanelState::Kind::Palette) {
        *why = "no palette " + inQuotes(*step.text) + " is open";
        return hosterr::Failed;
    }
    return perform(*panel, step, why) ? hosterr::Ok : hosterr::Failed;
}

bool DialogDesk::check(const Step& step, std::string* why) {
    DG::Panel* panel = DG::Desk::Get().FindOpenPanel(*step.text);
    bool palette = step.model.verb == "palette";
    if (panel != nullptr && (panel->State().kind == DG::PanelState::Kind::Palette) != palette)
        panel = nullptr;
    std::string named = step.model.verb + " " + inQuotes(*step.text);
    const std::set<std::string>& flags = step.model.flags;
    if (flags.count("closed")) return panel == nullptr || (*why = named + " is open", false);
    if (panel == nullptr) return *why = "no " + named + " is open", false;
    if (step.number) return checkItem(*panel, step, why);
    bool visible = panel->State().visible;
    if (flags.count("visible") && !visible) return *why = named + " is hidden", false;
    if (flags.count("hidden") && visible) return *why = named + " is visible", false;
    return true;
}

std::vector<std::string> DialogDesk::takeProblems() {
    std::vector<std::string> problems;
    problems.swap(m_problems);
    return problems;
}

void DialogDesk::noteRefusals() {
    for (const std::string& refusal : DG::Desk::Get().TakeRefusals())
        m_transcript.note("the dialog manager refused: " + refusal);
}

void DialogDesk::noteTreeChanges() {
    std::map<std::pair<const DG::Panel*, short>, std::vector<std::string>> told;
    for (DG::Panel* panel : DG::Desk::Get().OpenPanels()) {
        const std::vector<DG::ItemState>& items = panel->State().items;
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].type != DG::ItemType::TreeView) continue;
            const auto item = static_cast<short>(i + 1);
            const std::vector<std::string> lines = treeLines(*panel, item);
            std::vector<std::string> unmarked = lines;
            for (std::string& line : unmarked)
                if (size_t mark = line.find(" *"); mark != std::string::npos) line.erase(mark, 2);
            const auto key = std::make_pair(static_cast<const DG::Panel*>(panel), item);
            auto before = m_toldTrees.find(key);
            const bool changed = before == m_toldTrees.end() ? !lines.empty() : before->second != unmarked;
            told[key] = std::move(unmarked);
            if (!changed) continue;
            m_transcript.note(DG::Desk::Describe(*panel) + " item " + std::to_string(item) +
                              (lines.empty() ? " holds no tree items" : " shows:"));
            for (const std::string& line : lines)
                m_transcript.note("  " + line);
        }
    }
    // Panels closed since are forgotten: opened again, their trees are told afresh.
    m_toldTrees = std::move(told);
}

void DialogDesk::clear() {
    m_queued.clear();
    m_problems.clear();
    m_toldTrees.clear();
}

} // namespace zavhost
