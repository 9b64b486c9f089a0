// The scenario's words for dialogs and palettes (see docs/scenarios.md):
//   dialog NAME VERB ...    a step of the user's work in the modal dialog NAME, queued until the
//                           module runs that dialog
//   palette NAME VERB ...   the user works in the open palette NAME now
//   dialog-scale FACTOR     monitor LEFT TOP RIGHT BOTTOM
//   expect dialog|palette NAME open|closed|visible|hidden
//   expect dialog|palette NAME item N [text "T"] [enabled|disabled] [visible|hidden]
//                                     [checked|unchecked] [rows "LINE" ...] [chosen "T"]
//                                     [drawn "CALL" ...] ...
// NAME is the panel's title in double quotes or its resource id.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "Scenario.h"
#include "ScenarioLine.h"
#include "platform/api/HostTypes.h"

namespace DG {
class ModalDialog;
class Panel;
} // namespace DG

namespace zavhost {

class Transcript;

// Parse the rest of a line whose first word (consumed) is `first`; false when `first` names no
// dialog step. Malformed lines throw LineError.
bool parseDialogStep(LineReader& in, const std::string& first, Step& step);
bool parseDialogExpectation(LineReader& in, const std::string& first, Step& step);

// Tree views (DialogTreeSteps.cpp): a click, double click, expand or collapse of the tree item
// whose path is the step's second text; the step's checks of a tree's items and drawing.
bool performTreeStep(DG::Panel& panel, const Step& step, short modifiers, std::string* why);
bool checkTree(DG::Panel& panel, const Step& step, std::string* why);
// Every item of the tree view, in the order of the tree, as `expect ... tree` reads them.
std::vector<std::string> treeLines(DG::Panel& panel, short item);
// List boxes and pop-ups (DialogListSteps.cpp): whether the step is theirs; a click or double click
// of a row, the header's click, drag or resize, a pop-up's choice; the step's checks of a list's
// rows, of the row an item rides on, and of a pop-up's entries, choice and button.
bool isListStep(const Step& step);
// `select N "TEXT"` of a list box: the row that reads TEXT.
bool isListRowByText(DG::Panel& panel, const Step& step);
bool performListStep(DG::Panel& panel, const Step& step, short modifiers, std::string* why);
bool checkListsAndPopUps(DG::Panel& panel, const Step& step, std::string* why);
// The step's check of what a user item shows: its last update's calls, one line each.
bool checkPicture(DG::Panel& panel, const Step& step, std::string* why);

// The user at the dialog manager: works in modal dialogs from the queued steps while the module
// runs them, and in palettes when the scenario says so; tells the transcript what happens.
class DialogDesk {
public:
    explicit DialogDesk(Transcript& transcript);
    ~DialogDesk(); // leaves the dialog manager without a user
    DialogDesk(const DialogDesk&) = delete;
    DialogDesk& operator=(const DialogDesk&) = delete;

    void queue(const Step& step) { m_queued.push_back(step); }
    const std::deque<Step>& queued() const { return m_queued; }
    // Palette steps and the screen's settings; on failure answers Failed and says why.
    GSErrCode act(const Step& step, std::string* why);
    bool check(const Step& step, std::string* why);
    // Problems met since the last call (a dialog left open, a step the user could not do), then
    // forgotten.
    std::vector<std::string> takeProblems();
    // Calls the dialog manager refused since the last call, each noted in the transcript.
    void noteRefusals();
    // The trees of the open panels whose items changed since they were last told (filled,
    // renamed, coloured, expanded; not a change of selection alone), each noted whole.
    void noteTreeChanges();
    void clear();

private:
    void runModal(DG::ModalDialog& dialog);
    bool perform(DG::Panel& panel, const Step& step, std::string* why);
    bool checkItem(DG::Panel& panel, const Step& step, std::string* why) const;

    Transcript& m_transcript;
    std::deque<Step> m_queued;
    std::vector<std::string> m_problems;
    // The trees as last told, by panel and item, without their selection marks.
    std::map<std::pair<const DG::Panel*, short>, std::vector<std::string>> m_toldTrees;
};

} // namespace zavhost
