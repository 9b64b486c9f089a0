#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "AnnotatorSteps.h"
#include "DialogSteps.h"
#include "FaultSteps.h"
#include "FileSteps.h"
#include "FunctionSlots.h"
#include "HostWindows.h"
#include "LibrarySteps.h"
#include "ModelSteps.h"
#include "Scenario.h"
#include "ScenarioLine.h"
#include "UserEditSteps.h"
#include "platform/api/HostErrors.h"
#include "platform/api/HostFunctionTable.h"

namespace zavhost {

namespace {

// The first words of the steps, for the nearest word to a misspelt one.
const std::vector<std::string>& commandWords() {
    static const std::vector<std::string> words = {"load",
                                                   "without",
                                                   "unload",
                                                   "quit",
                                                   "undo",
                                                   "project",
                                                   "menu",
                                                   "command",
                                                   "notify",
                                                   "draw",
                                                   "alert",
                                                   "progress",
                                                   "click",
                                                   "finish",
                                                   "cancel",
                                                   "annotator",
                                                   "file",
                                                   "library",
                                                   "fault",
                                                   "object-settings",
                                                   "edit-transformation",
                                                   "suspend-groups",
                                                   "user",
                                                   "mark",
                                                   "expect",
                                                   "window",
                                                   "mouse",
                                                   "display",
                                                   "dialog",
                                                   "palette",
                                                   "dialog-scale",
                                                   "monitor",
                                                   "layer",
                                                   "attribute",
                                                   "storey",
                                                   "view",
                                                   "layout",
                                                   "element",
                                                   "select",
                                                   "3d",
                                                   "lockable"};
    return words;
}

const std::vector<std::string>& expectationWords() {
    static const std::vector<std::string> words = {
        "module",         "project",      "no-project", "project-text", "answer",     "refused",
        "failure",        "alert",        "no-alert",   "undo",         "undo-count", "module-data",
        "no-module-data", "debug",        "no-debug",   "progress",     "calls",      "no-calls",
        "call-count",     "command",      "annotator",  "file",         "no-file",    "library",
        "menu",           "dialog",       "palette",    "layer",        "no-layer",   "layer-combination",
        "attribute",      "no-attribute", "element",    "storey",       "view",       "no-view",
        "layout",         "current-view", "selection",  "view-window",  "highlight",  "lockable",
        "suspend-groups"};
    return words;
}

int64_t commandCode(LineReader& in) {
    if (in.nextIsNumber()) return in.number("a command code", 0, UINT32_MAX);
    std::string code = in.nextIsText() ? in.text("a command code") : in.anyWord("a command code");
    if (code.size() != 4) throw LineError{"a command code is four characters or a number"};
    for (char c : code)
        if (c < 0x20 || c > 0x7E) throw LineError{"a command code is four printable characters"};
    return (int64_t(uint8_t(code[0])) << 24) | (int64_t(uint8_t(code[1])) << 16) |
           (int64_t(uint8_t(code[2])) << 8) | int64_t(uint8_t(code[3]));
}

void parseProject(LineReader& in, Step& step) {
    if (in.word("new")) {
        step.kind = StepKind::ProjectNew;
        step.text = in.text("the project name");
    } else if (in.word("open")) {
        step.kind = StepKind::ProjectOpen;
        step.text = in.path();
    } else if (in.word("save")) {
        step.kind = StepKind::ProjectSave;
        step.text = in.path();
    } else if (in.word("save-and-reopen")) {
        step.kind = StepKind::ProjectSaveAndReopen;
    } else if (in.word("close")) {
        step.kind = StepKind::ProjectClose;
    } else if (in.word("text")) {
        step.kind = StepKind::ProjectText;
        step.text = in.text("the text's key");
        step.text2 = in.text("the text's value");
    } else if (!parseModelAction(in, "project", step)) {
        throw LineError{"project what? new, open, save, save-and-reopen, close, text, shared or not-shared" +
                        didYouMean(in.peek(), {"new", "open", "save", "save-and-reopen", "close", "text",
                                               "shared", "not-shared"})};
    }
}

// edit-transformation identity | move DX DY [DZ] | rotate DEGREES [about X Y] | scale FACTOR [about X Y]
void parseEditTransformation(LineReader& in, Step& step) {
    step.kind = StepKind::EditTransformation;
    HostEditTransformation& t = step.transformation;
    t = HostEditTransformation();
    t.matrix[0] = t.matrix[4] = t.matrix[8] = 1.0;
    auto about = [&in, &t] {
        if (!in.word("about")) return;
        t.origin.x = t.target.x = in.real("the x of the fixed point");
        t.origin.y = t.target.y = in.real("the y of the fixed point");
    };
    if (in.word("identity")) {
        return;
    } else if (in.word("move")) {
        t.kind = fourCC("MOVE");
        t.target.x = in.real("the distance along x");
        t.target.y = in.real("the distance along y");
        if (in.nextIsReal()) t.target.z = in.real("the distance along z");
    } else if (in.word("rotate")) {
        t.kind = fourCC("ROTA");
        t.angle = in.real("the angle in degrees") * std::acos(-1.0) / 180.0;
        t.matrix[0] = t.matrix[4] = std::cos(t.angle);
        t.matrix[1] = -std::sin(t.angle);
        t.matrix[3] = std::sin(t.angle);
        about();
    } else if (in.word("scale")) {
        t.kind = fourCC("SCAL");
        t.scale = in.real("the scale factor");
        if (!(t.scale > 0.0)) throw LineError{"a scale factor is greater than 0"};
        t.matrix[0] = t.matrix[4] = t.matrix[8] = t.scale;
        about();
    } else {
        throw LineError{"edit-transformation identity, move DX DY [DZ], rotate DEGREES [about X Y] or "
                        "scale FACTOR [about X Y]"};
    }
}

// draw plan ["STOREY"] FILE | draw "VIEW" FILE: a quoted word followed by another after plan is
// the storey.
void parseDraw(LineReader& in, Step& step) {
    step.kind = StepKind::Draw;
    if (in.word("plan")) {
        step.model.flags.insert("plan");
        const bool quoted = in.nextIsText();
        std::string first = in.path();
        if (in.atEnd()) {
            step.text = std::move(first);
            return;
        }
        if (!quoted) throw LineError{"a storey's name goes in double quotes: draw plan \"STOREY\" FILE"};
        step.model.texts.push_back(std::move(first));
    } else if (in.nextIsText()) {
        step.model.texts.push_back(in.text("the view's name"));
    } else {
        throw LineError{"draw plan [\"STOREY\"] FILE or draw \"VIEW\" FILE"};
    }
    step.text = in.path();
}

// suspend-groups on|off, as a step and as an expectation: 1 for on.
int64_t onOrOff(LineReader& in, const char* form) {
    if (in.word("on")) return 1;
    if (in.word("off")) return 0;
    throw LineError{form};
}

void parseProgressExpectation(LineReader& in, Step& step) {
    ProgressExpectation& p = step.progress;
    bool any = false;
    while (!in.atEnd()) {
        any = true;
        if (in.word("open"))
            p.open = true;
        else if (in.word("closed"))
            p.open = false;
        else if (in.word("title"))
            p.title = in.text("the title");
        else if (in.word("phases"))
            p.phases = in.number("a phase count", 0, INT32_MAX);
        else if (in.word("phase"))
            p.phase = in.text("the phase text");
        else if (in.word("steps"))
            p.steps = in.number("a step count", 0, INT32_MAX);
        else if (in.word("value"))
            p.value = in.number("a value", INT32_MIN, INT32_MAX);
        else if (in.word("polls"))
            p.polls = in.number("a poll count", 0, INT32_MAX);
        else if (in.word("cancelled"))
            p.cancelled = true;
        else if (in.word("not-cancelled"))
            p.cancelled = false;
        else
            throw LineError{"expect progress knows open, closed, title, phases, phase, steps, value, polls, "
                            "cancelled and not-cancelled"};
    }
    if (!any) throw LineError{"expect progress needs at least one thing to check"};
}

void optionalContaining(LineReader& in, Step& step) {
    if (in.word("containing")) step.text = in.text("the text");
}

// Expectations of one text that the thing checked must contain.
const struct {
    const char* word;
    StepKind kind;
} containingExpectations[] = {
    {"module-data", StepKind::ExpectModuleData},
    {"debug", StepKind::ExpectDebug},
    {"no-debug", StepKind::ExpectNoDebug},
    {"calls", StepKind::ExpectCalls},
};

bool parseContainingExpectation(LineReader& in, Step& step) {
    for (const auto& each : containingExpectations) {
        if (!in.word(each.word)) continue;
        step.kind = each.kind;
        if (!in.word("containing"))
            throw LineError{std::string("expect ") + each.word + " containing \"text\""};
        step.text = in.text("the text");
        return true;
    }
    return false;
}

void parseExpect(LineReader& in, Step& step) {
    if (parseContainingExpectation(in, step)) {
        return;
    } else if (in.word("module")) {
        step.kind = StepKind::ExpectModule;
        if (in.word("loaded"))
            step.number = 1;
        else if (in.word("not-loaded"))
            step.number = 0;
        else
            throw LineError{"expect module loaded or not-loaded"};
    } else if (in.word("project")) {
        step.kind = StepKind::ExpectProject;
        step.text = in.text("the project name");
    } else if (in.word("no-project")) {
        step.kind = StepKind::ExpectNoProject;
    } else if (in.word("project-text")) {
        step.kind = StepKind::ExpectProjectText;
        step.text = in.text("the text's key");
        step.text2 = in.text("the text's value");
    } else if (in.word("answer")) {
        step.kind = StepKind::ExpectAnswer;
        std::string name = in.anyWord("an answer (ok, refused, cancelled, ... or a number)");
        step.number = answerCodeNamed(name);
        if (!step.number) throw LineError{"unknown answer \"" + name + "\""};
    } else if (in.word("refused")) {
        step.kind = StepKind::ExpectAnswer;
        step.number = hosterr::Refused;
    } else if (in.word("failure")) {
        step.kind = StepKind::ExpectFailure;
    } else if (in.word("alert")) {
        step.kind = StepKind::ExpectAlert;
        if (in.nextIsText()) step.text = in.text("the headline");
        if (in.word("containing")) step.text2 = in.text("the text");
    } else if (in.word("no-alert")) {
        step.kind = StepKind::ExpectNoAlert;
    } else if (in.word("undo")) {
        step.kind = StepKind::ExpectUndo;
        step.text = in.text("the undo step's name");
    } else if (in.word("undo-count")) {
        step.kind = StepKind::ExpectUndoCount;
        step.number = in.number("a count", 0);
    } else if (in.word("no-module-data")) {
        step.kind = StepKind::ExpectNoModuleData;
    } else if (in.word("progress")) {
        step.kind = StepKind::ExpectProgress;
        parseProgressExpectation(in, step);
    } else if (in.word("no-calls")) {
        step.kind = StepKind::ExpectNoCalls;
        optionalContaining(in, step);
    } else if (in.word("call-count")) {
        step.kind = StepKind::ExpectCallCount;
        step.number = in.number("a count", 0);
        optionalContaining(in, step);
    } else if (in.word("command")) {
        step.kind = StepKind::ExpectCommand;
        step.number = commandCode(in);
        step.number2 = in.nextIsNumber() ? in.number("a version", INT32_MIN, INT32_MAX) : 1;
        if (in.word("installed"))
            step.text = "installed";
        else if (in.word("not-installed"))
            step.text = "not-installed";
        else
            throw LineError{"expect command CODE [VERSION] installed or not-installed"};
    } else if (in.word("annotator")) {
        parseAnnotatorExpectation(in, step);
    } else if (in.word("file")) {
        parseFileExpectation(in, step, true);
    } else if (in.word("no-file")) {
        parseFileExpectation(in, step, false);
    } else if (in.word("library")) {
        parseLibraryExpectation(in, step);
    } else if (in.word("suspend-groups")) {
        step.kind = StepKind::ExpectSuspendGroups;
        step.number = onOrOff(in, "expect suspend-groups on or off");
    } else if (in.word("menu")) {
        step.kind = StepKind::ExpectMenuItem;
        step.text = in.text("the menu title");
        step.text2 = in.text("the item text");
        if (in.word("enabled"))
            step.number = 1;
        else if (in.word("disabled"))
            step.number = 0;
        if (in.word("icon"))
            step.number2 = in.number("the icon's side in pixels at 96 dpi", 1, 1024);
        else if (in.word("no-icon"))
            step.number2 = 0;
        if (!step.number && !step.number2)
            throw LineError{"expect menu \"Menu\" \"Item\" enabled|disabled and/or icon SIDE|no-icon"};
    } else {
        if (in.atEnd() || !in.nextIsWord()) throw LineError{"expect what?"};
        std::string what = in.anyWord("");
        if (!parseDialogExpectation(in, what, step) && !parseModelExpectation(in, what, step))
            throw LineError{"unknown expectation \"" + what + "\"" +
                            didYouMeanOrKnown(what, expectationWords())};
    }
}

void parseLine(LineReader& in, Step& step, const ParseOptions& options) {
    if (in.word("load")) {
        step.kind = StepKind::Load;
        if (!in.atEnd()) step.text = in.path();
        if (!step.text && !options.defaultModule)
            throw LineError{"load needs a module path here, or run with --module PATH"};
    } else if (in.word("without")) {
        step.kind = StepKind::Without;
        step.text = in.anyWord("a function of the function table");
        if (!isFunctionSlot(*step.text))
            throw LineError{"the function table has no " + *step.text +
                            " (names as in the table: RunUndoableCommand)"};
    } else if (in.word("unload")) {
        step.kind = StepKind::Unload;
    } else if (in.word("quit")) {
        step.kind = StepKind::Quit;
    } else if (in.word("undo")) {
        step.kind = StepKind::Undo;
    } else if (in.word("project")) {
        parseProject(in, step);
    } else if (in.word("menu")) {
        step.kind = StepKind::Menu;
        step.text = in.text("the menu title");
        step.text2 = in.text("the item text");
    } else if (in.word("command")) {
        step.kind = StepKind::Command;
        step.number = commandCode(in);
        step.number2 = in.nextIsNumber() ? in.number("a version", INT32_MIN, INT32_MAX) : 1;
        if (in.word("data")) step.text = in.text("the parameter bytes");
        parseCommandParameters(in, step);
    } else if (in.word("notify")) {
        step.kind = StepKind::Notify;
        std::string name = in.anyWord("a project notification");
        step.number = notificationNamed(name);
        if (!step.number) throw LineError{"unknown project notification \"" + name + "\""};
        step.number2 = in.nextIsNumber() ? in.number("a parameter", INT32_MIN, INT32_MAX) : 0;
    } else if (in.word("draw")) {
        parseDraw(in, step);
    } else if (in.word("alert")) {
        step.kind = StepKind::AlertAnswer;
        if (!in.word("answer")) throw LineError{"alert answer N or alert answer \"Button\""};
        if (in.nextIsText()) {
            step.text = in.text("the button");
        } else {
            step.number = in.number("a button number (1-3) or a button text", 1, 3);
        }
    } else if (in.word("progress")) {
        step.kind = StepKind::ProgressCancelAfter;
        if (!in.word("cancel-after")) throw LineError{"progress cancel-after N"};
        step.number = in.number("a poll count", 0, INT32_MAX);
    } else if (in.word("click")) {
        // click X Y [Z] [on "LABEL"] [arc DEGREES]
        step.kind = StepKind::InputClick;
        step.model.numbers.push_back(in.real("the x of the point"));
        step.model.numbers.push_back(in.real("the y of the point"));
        step.model.numbers.push_back(in.nextIsReal() ? in.real("the z of the point") : 0.0);
        if (in.word("on")) step.text = in.text("the label of the element clicked on");
        if (in.word("arc")) {
            step.model.flags.insert("arc");
            step.model.numbers.push_back(in.real("the arc's sweep in degrees"));
        }
    } else if (in.word("finish")) {
        step.kind = StepKind::InputFinish;
        if (!in.word("input")) throw LineError{"finish input"};
    } else if (in.word("cancel")) {
        step.kind = StepKind::InputCancel;
        if (!in.word("input")) throw LineError{"cancel input"};
    } else if (in.word("annotator")) {
        parseAnnotatorStep(in, step);
    } else if (in.word("file")) {
        parseFileStep(in, step);
    } else if (in.word("library")) {
        parseLibraryStep(in, step);
    } else if (in.word("fault")) {
        parseFaultStep(in, step);
    } else if (in.word("object-settings")) {
        parseObjectSettingsStep(in, step);
    } else if (in.word("edit-transformation")) {
        parseEditTransformation(in, step);
    } else if (in.word("suspend-groups")) {
        step.kind = StepKind::SuspendGroups;
        step.number = onOrOff(in, "suspend-groups on or off");
    } else if (in.word("user")) {
        // The user does it in the host: the module hears it.
        if (!in.word("element")) throw LineError{"user element add, set, delete, move, rotate or mirror"};
        parseUserEdit(in, step);
    } else if (in.word("mark")) {
        step.kind = StepKind::Mark;
    } else if (in.word("expect")) {
        parseExpect(in, step);
    } else {
        std::string first = in.anyWord("a command");
        if (first == "window" || first == "mouse" || first == "display")
            parseWindowStep(in, first, step);
        else if (!parseDialogStep(in, first, step) && !parseModelAction(in, first, step))
            throw LineError{"unknown command \"" + first + "\"" + didYouMeanOrKnown(first, commandWords())};
    }
    in.end();
}

} // namespace

std::optional<int64_t> answerCodeNamed(const std::string& name) {
    static const std::map<std::string, GSErrCode> names = {
        {"ok", hosterr::Ok},
        {"failed", hosterr::Failed},
        {"cancelled", hosterr::Cancelled},
        {"memory-full", hosterr::MemoryFull},
        {"bad-parameter", hosterr::BadParameter},
        {"bad-index", hosterr::BadIndex},
        {"not-found", hosterr::NotFound},
        {"no-project", hosterr::NoProject},
        {"refused", hosterr::Refused},
        {"bad-selector", hosterr::BadSelector},
        {"not-supplied", hosterr::NotSupplied},
        {"command-failed", hosterr::CommandFailed},
        {"internal", hosterr::Internal},
    };
    auto it = names.find(name);
    if (it != names.end()) return it->second;
    std::optional<int64_t> number = parseNumber(name);
    if (number && *number >= INT32_MIN && *number <= int64_t(UINT32_MAX))
        return int64_t(int32_t(uint32_t(*number)));
    return std::nullopt;
}

std::optional<int64_t> notificationNamed(const std::string& name) {
    static const std::map<std::string, uint32_t> names = {
        {"new", ProjectNew},   {"new-and-reset", ProjectNewAndReset},
        {"open", ProjectOpen}, {"pre-save", ProjectPreSave},
        {"save", ProjectSave}, {"close", ProjectClose},
        {"quit", ProjectQuit}, {"change-workspace", ProjectChangeWorkspace},
    };
    auto it = names.find(name);
    if (it != names.end()) return it->second;
    std::optional<int64_t> number = parseNumber(name);
    if (number && *number >= 0 && *number <= int64_t(UINT32_MAX)) return number;
    return std::nullopt;
}

ParsedScenario parseScenario(const std::string& source, const ParseOptions& options) {
    ParsedScenario parsed;
    size_t start = 0;
    int lineNumber = 0;
    while (start <= source.size()) {
        size_t stop = source.find('\n', start);
        if (stop == std::string::npos) stop = source.size();
        std::string line = source.substr(start, stop - start);
        ++lineNumber;
        start = stop + 1;
        Step step;
        step.line = lineNumber;
        try {
            std::vector<Token> tokens = tokenize(line, &step.source);
            if (tokens.empty()) continue;
            LineReader in(std::move(tokens));
            parseLine(in, step, options);
            parsed.steps.push_back(std::move(step));
        } catch (const LineError& error) {
            parsed.errors.push_back({lineNumber, error.message});
        }
    }
    // The clicks that answer an action's inputs stand between it and the check of its answer.
    for (size_t i = 0; i + 1 < parsed.steps.size(); ++i) {
        size_t after = i + 1;
        while (after + 1 < parsed.steps.size() && parsed.steps[after].isInput())
            ++after;
        StepKind next = parsed.steps[after].kind;
        if (parsed.steps[i].isAction() && (next == StepKind::ExpectAnswer || next == StepKind::ExpectFailure))
            parsed.steps[i].answerChecked = true;
    }
    return parsed;
}

} // namespace zavhost
