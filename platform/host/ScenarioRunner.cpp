#include "ScenarioRunner.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "ElementStore.h"
#include "ElementTypes.h"
#include "FaultSteps.h"
#include "FileSteps.h"
#include "LibrarySteps.h"
#include "StandInHost.h"
#include "UserEditSteps.h"
#include "ViewPicture.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/gsroot/Memory.h"
#include "platform/windows/Shell.h"

namespace zavhost {

namespace {
std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string fileNameFor(const std::string& projectName) {
    std::string name;
    for (char c : projectName)
        name += (std::isalnum(static_cast<unsigned char>(c)) || c == '-') ? c : '_';
    return (name.empty() ? std::string("project") : name) + ".zavproj";
}

// What an expectation wants, as its line says it: the line without its `expect`.
std::string wanted(const Step& step) {
    const std::string prefix = "expect ";
    return step.source.rfind(prefix, 0) == 0 ? step.source.substr(prefix.size()) : step.source;
}

bool contains(const std::string& text, const std::string& fragment) {
    return text.find(fragment) != std::string::npos;
}

// Side 0: the menu shows no icon at either resolution; else a square one of that side at 96 dots
// per inch and of twice it at 192.
bool checkMenuIcon(const MenuItem& item, int64_t side, std::string* why) {
    auto square = [](const std::shared_ptr<const GX::Image>& icon, int64_t wanted) {
        return icon != nullptr && icon->GetWidth() == wanted && icon->GetHeight() == wanted;
    };
    bool fits = side == 0 ? item.icon == nullptr && item.doubleIcon == nullptr
                          : square(item.icon, side) && square(item.doubleIcon, 2 * side);
    if (fits) return true;
    auto shown = [](const std::shared_ptr<const GX::Image>& icon) {
        if (icon == nullptr) return std::string("no icon");
        return std::to_string(icon->GetWidth()) + "x" + std::to_string(icon->GetHeight()) + " pixels";
    };
    *why = "the item shows " + shown(item.icon) + " at 96 dpi and " + shown(item.doubleIcon) +
           " at 192 dpi (icon " + std::to_string(item.iconId) + ")";
    return false;
}

std::string lastLines(const std::string& text, size_t count) {
    size_t at = text.size();
    if (at > 0 && text[at - 1] == '\n') --at;
    for (size_t n = 0; n < count && at != std::string::npos && at > 0; ++n)
        at = text.rfind('\n', at - 1);
    return (at == std::string::npos || at == 0) ? text : "...\n" + text.substr(at + 1);
}
} // namespace

ScenarioRunner::ScenarioRunner(StandInHost& host, RunOptions options)
    : m_host(host), m_options(std::move(options)), m_model(host), m_fileDialogs(host.transcript()) {}

std::string ScenarioRunner::expand(const std::string& path) const {
    std::string expanded = replaceAll(path, "{home}", m_options.homeFolder);
    if (!m_options.examplesFolder.empty())
        expanded = replaceAll(expanded, "{examples}", m_options.examplesFolder);
    return replaceAll(expanded, "{scenario}",
                      m_options.scenarioFolder.empty() ? "." : m_options.scenarioFolder);
}

std::string ScenarioRunner::resolvePath(const std::string& path) const {
    std::filesystem::path expanded = expand(path);
    if (expanded.is_relative() && !m_options.homeFolder.empty())
        expanded = std::filesystem::path(m_options.homeFolder) / expanded;
    return expanded.lexically_normal().string();
}

bool ScenarioRunner::fail(int line, const std::string& why) {
    if (m_failure.empty()) {
        m_failedLine = line;
        m_failure = why;
        m_host.transcript().note("FAILED: " + why);
    }
    return false;
}

void ScenarioRunner::noteAnnotatorAnswers() {
    for (const std::string& answer : m_annotator.takeAnswers(m_options.homeFolder))
        m_host.transcript().note("the ZAV Annotator: " + answer);
}

void ScenarioRunner::collectDebug() {
    std::string fresh = DBPrintedText();
    if (fresh.empty()) return;
    DBClearPrintedText();
    m_debug += fresh;
    size_t start = 0;
    while (start < fresh.size()) {
        size_t stop = fresh.find('\n', start);
        if (stop == std::string::npos) stop = fresh.size();
        m_host.transcript().note("debug: " + fresh.substr(start, stop - start));
        start = stop + 1;
    }
}

ScenarioRunner::~ScenarioRunner() {
    stopListening();
}

void ScenarioRunner::stopListening() {
    m_host.transcript().beforeEachLine(nullptr);
    m_host.processWindow().beforeClose(nullptr);
    SetStartedProcessesPunctual(false);
}

void ScenarioRunner::start() {
    m_failedLine = 0;
    m_failure.clear();
    DBSetQuiet(true); // debug output goes into the transcript instead
    DBClearPrintedText();
    // An Annotator answers within the module's first wait however busy the machine is, so that the
    // polls a transcript tells are the same from one run to the next; until one is told to be late.
    SetStartedProcessesPunctual(true);
    // The module's debug output comes from its own calls, so it is told where it was printed. The
    // Annotator is another process that answers in its own time: its answers are told only where
    // the story has them for certain, so that one run tells the same story as the next. An exchange
    // the module waited for has its answer told before its progress window closes (the module has
    // seen the Annotator done); every other answer at the end of its line, once the Annotators the
    // line started have ended.
    m_host.transcript().beforeEachLine([this] { collectDebug(); });
    m_host.processWindow().beforeClose([this](const ProcessWindowState& window) {
        if (!window.cancelled) noteAnnotatorAnswers();
    });
}

bool ScenarioRunner::play(const std::vector<Step>& steps) {
    bool passed = true;
    // The clicks after an action answer the inputs it asks for: they are queued before it runs.
    std::vector<bool> queuedAhead(steps.size(), false);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        char label[16];
        std::snprintf(label, sizeof label, "%4d  ", step.line);
        m_host.transcript().action(label + step.source);
        if (step.isAction())
            for (size_t j = i + 1; passed && j < steps.size() && steps[j].isInput(); ++j)
                passed = queuedAhead[j] = queueInput(steps[j]);
        if (passed && !queuedAhead[i]) passed = perform(step);
        m_host.windows().follow(m_host.project());
        collectDebug();
        m_annotator.awaitStarted();
        noteAnnotatorAnswers();
        m_host.dialogs().noteTreeChanges();
        for (const std::string& problem : m_host.alerts().takeProblems())
            passed = fail(step.line, problem);
        m_host.dialogs().noteRefusals();
        for (const std::string& problem : m_host.dialogs().takeProblems())
            passed = fail(step.line, problem);
        for (const std::string& problem : m_host.input().takeProblems())
            passed = fail(step.line, problem);
        if (!passed) break;
    }
    return passed;
}

bool ScenarioRunner::checkNothingLeft() {
    if (!m_host.alerts().queued().empty()) {
        const AlertAnswer& unused = m_host.alerts().queued().front();
        return fail(unused.line, "the alert answer of this line was never used: no alert came");
    }
    if (!m_fileDialogs.queued().empty())
        return fail(m_fileDialogs.queued().front().line, "this line was never used: no file dialog came");
    if (!m_host.dialogs().queued().empty()) {
        const Step& unused = m_host.dialogs().queued().front();
        return fail(unused.line,
                    "this line was never used: no dialog " + inQuotes(*unused.text) + " ran after it");
    }
    if (!m_host.libraryDesk().objectSettings.empty())
        return fail(m_host.libraryDesk().objectSettings.front().line,
                    "this line was never used: no object settings opened after it");
    if (!m_host.input().queued().empty())
        return fail(m_host.input().queued().front().line, "this line was never used: no input asked for it");
    return true;
}

bool ScenarioRunner::finish(int lastLine, bool passed) {
    if (m_host.moduleLoaded()) {
        m_host.transcript().action("end: the host unloads the module");
        GSErrCode err = m_host.unloadModule();
        // The user never sees the release fail, but the module did: the scenario says so.
        if (err != hosterr::Ok && passed)
            passed = fail(lastLine, "the module's release entry answered " + answerText(err) +
                                        " when the host unloaded it at the end");
    }
    collectDebug();
    stopListening();
    return passed;
}

void ScenarioRunner::forgetHistory() {
    collectDebug();
    m_host.calls().clear();
    m_host.transcript().clear();
    m_host.alerts().clear();
    m_alertsChecked = 0;
    m_callMark = 0;
    m_debug.clear();
    m_debugMark = 0;
}

bool ScenarioRunner::run(const std::vector<Step>& steps, End end) {
    start();
    bool passed = play(steps) && checkNothingLeft();
    if (end == End::Unload) return finish(steps.empty() ? 0 : steps.back().line, passed);
    if (!passed) dropQueued();
    collectDebug();
    stopListening();
    return passed;
}

void ScenarioRunner::dropQueued() {
    m_host.alerts().dropQueued();
    m_host.dialogs().clear();
    m_host.input().clear();
    m_host.libraryDesk().objectSettings.clear();
    m_fileDialogs.clear();
}

bool ScenarioRunner::perform(const Step& step) {
    if (step.isAction()) {
        m_actionWhy.clear();
        GSErrCode answer = act(step);
        bool saysWhy = step.kind == StepKind::ModelAction || step.kind == StepKind::WindowAction ||
                       step.kind == StepKind::PaletteAction || step.kind == StepKind::DialogSetting ||
                       step.kind == StepKind::Draw || step.kind == StepKind::LibraryAction;
        std::string why = saysWhy ? m_actionWhy : m_host.lastError();
        m_answered = true;
        m_lastAnswer = answer;
        m_lastAnswerLine = step.line;
        // The host could not do what the user asked; the module's own answers are only recorded.
        if (answer != hosterr::Ok && !why.empty() && !step.answerChecked) return fail(step.line, why);
        if (!m_host.input().queued().empty()) {
            int unused = m_host.input().queued().front().line;
            m_host.input().clear();
            return fail(unused, "this line was never used: the action of line " + std::to_string(step.line) +
                                    " asked for no more input");
        }
        return true;
    }
    switch (step.kind) {
    case StepKind::AlertAnswer:
        m_host.alerts().queue(
            {step.number ? static_cast<int>(*step.number) : 0, step.text.value_or(""), step.line});
        return true;
    case StepKind::ProgressCancelAfter:
        m_host.processWindow().cancelAfter(static_cast<int32_t>(*step.number));
        return true;
    case StepKind::DialogScript:
        m_host.dialogs().queue(step);
        return true;
    case StepKind::AnnotatorSetting: {
        std::string why;
        auto resolve = [this](const std::string& path) { return resolvePath(path); };
        if (!m_annotator.act(step, m_options.homeFolder, resolve, &why)) return fail(step.line, why);
        return true;
    }
    case StepKind::FaultSetting: {
        std::string why;
        auto resolve = [this](const std::string& path) { return resolvePath(path); };
        if (!actFaultStep(m_host, step, resolve, &why)) return fail(step.line, why);
        return true;
    }
    case StepKind::FileSetting: {
        if (step.model.verb == "dialog answer" || step.model.verb == "dialog cancel") {
            m_fileDialogs.queue({step.model.verb == "dialog cancel", step.text ? resolvePath(*step.text) : "",
                                 step.number ? static_cast<int>(*step.number) - 1 : -1, step.line});
            return true;
        }
        std::string why;
        auto resolve = [this](const std::string& path) { return resolvePath(path); };
        if (!writeFileStep(step, resolve, &why)) return fail(step.line, why);
        return true;
    }
    case StepKind::InputClick:
    case StepKind::InputFinish:
    case StepKind::InputCancel:
        return queueInput(step);
    case StepKind::Mark:
        collectDebug();
        m_callMark = m_host.calls().size();
        m_debugMark = m_debug.size();
        return true;
    default:
        break;
    }
    collectDebug();
    std::string why;
    if (!check(step, &why))
        return fail(step.line, "expectation failed: wanted " + wanted(step) + "; found " + why);
    return true;
}

bool ScenarioRunner::queueInput(const Step& step) {
    InputAction action;
    action.line = step.line;
    action.kind = step.kind == StepKind::InputFinish   ? InputAction::Finish
                  : step.kind == StepKind::InputCancel ? InputAction::Cancel
                                                       : InputAction::Click;
    if (action.kind == InputAction::Click) {
        const std::vector<double>& n = step.model.numbers;
        action.point = {n[0], n[1], n[2]};
        if (step.model.flags.count("arc") != 0) action.arcAngle = n[3] * std::acos(-1.0) / 180.0;
    }
    if (step.text) {
        std::string why = "no project is open";
        const StoredElement* element =
            m_host.project() != nullptr ? m_model.labelled(*m_host.project(), *step.text, &why) : nullptr;
        if (element == nullptr) return fail(step.line, why);
        HostNeighbour target;
        target.selectionKind = selectionKindOfType(element->head().typeCode);
        target.guid = element->guid();
        action.target = target;
        action.label = *step.text;
    }
    m_host.input().queue(std::move(action));
    return true;
}

GSErrCode ScenarioRunner::act(const Step& step) {
    StandInHost& host = m_host;
    switch (step.kind) {
    case StepKind::Load: {
        // Absolute, so that the loader does not search its library path for a bare name.
        std::error_code error;
        std::string path = step.text ? expand(*step.text) : m_options.modulePath;
        return host.loadModule(std::filesystem::absolute(path, error).string());
    }
    case StepKind::Without:
        return host.withoutFunction(*step.text);
    case StepKind::Unload:
        return host.unloadModule();
    case StepKind::Quit:
        if (!host.moduleLoaded()) return host.unloadModule(); // answers why
        host.sendProjectNotification(ProjectQuit);
        return host.unloadModule();
    case StepKind::Undo:
        return host.undo();
    case StepKind::ProjectNew:
        return host.newProject(*step.text);
    case StepKind::ProjectOpen:
        return host.openProject(resolvePath(*step.text));
    case StepKind::ProjectSave:
        return host.saveProject(resolvePath(*step.text));
    case StepKind::ProjectSaveAndReopen: {
        std::string fallback = host.hasProject() ? resolvePath(fileNameFor(host.project()->name)) : "";
        return host.saveAndReopenProject(fallback);
    }
    case StepKind::ProjectClose:
        return host.closeProject();
    case StepKind::ProjectText:
        if (!host.hasProject()) return host.closeProject(); // answers NoProject and why
        host.project()->model.texts[*step.text] = *step.text2;
        return hosterr::Ok;
    case StepKind::Menu:
        return host.chooseMenuItem(*step.text, *step.text2);
    case StepKind::Command: {
        GSHandle parameters = nullptr;
        if (step.text) {
            parameters = BMNewHandle(static_cast<GSSize>(step.text->size()));
            if (parameters != nullptr && !step.text->empty())
                std::memcpy(*parameters, step.text->data(), step.text->size());
        }
        if (GSHandle list =
                makeCommandParameters(host, step, [this](const std::string& text) { return expand(text); })) {
            BMKillHandle(&parameters);
            parameters = list;
        }
        GSErrCode err = host.sendCommand(static_cast<uint32_t>(*step.number),
                                         static_cast<int32_t>(*step.number2), parameters);
        if (!host.commandLists().free(parameters)) BMKillHandle(&parameters);
        return err;
    }
    case StepKind::Notify:
        return host.sendProjectNotification(static_cast<uint32_t>(*step.number),
                                            static_cast<int32_t>(*step.number2));
    case StepKind::ModelAction: {
        GSErrCode err = hosterr::Ok;
        if (step.userEdit)
            err = actUserEdit(host, m_model, step, &m_actionWhy);
        else
            err = m_model.act(step, &m_actionWhy);
        if (err != hosterr::Ok && m_actionWhy.empty()) m_actionWhy = host.lastError();
        if (err != hosterr::Ok) host.transcript().note("failed: " + m_actionWhy);
        return err;
    }
    case StepKind::Draw: {
        std::string said;
        GSErrCode err =
            drawViewToFile(host.project(), step.model, resolvePath(*step.text), &m_actionWhy, &said);
        host.transcript().note(err == hosterr::Ok ? said : "failed: " + m_actionWhy);
        return err;
    }
    case StepKind::EditTransformation:
        host.setEditTransformation(step.transformation);
        return hosterr::Ok;
    case StepKind::SuspendGroups:
        return host.setSuspendGroups(*step.number == 1);
    case StepKind::LibraryAction: {
        GSErrCode err = actLibraryStep(
            host, step, [this](const std::string& path) { return resolvePath(path); }, &m_actionWhy);
        if (err != hosterr::Ok) host.transcript().note("failed: " + m_actionWhy);
        return err;
    }
    case StepKind::WindowAction: {
        GSErrCode err = host.windows().act(step.model, host.project(), &m_actionWhy);
        if (err != hosterr::Ok) host.transcript().note("failed: " + m_actionWhy);
        return err;
    }
    case StepKind::PaletteAction:
    case StepKind::DialogSetting: {
        GSErrCode err = host.dialogs().act(step, &m_actionWhy);
        if (err != hosterr::Ok) host.transcript().note("failed: " + m_actionWhy);
        return err;
    }
    default:
        return hosterr::Ok;
    }
}

bool ScenarioRunner::checkAlert(const Step& step, std::string* why) {
    const std::vector<ShownAlert>& shown = m_host.alerts().shown();
    for (size_t i = m_alertsChecked; i < shown.size(); ++i) {
        const ShownAlert& alert = shown[i];
        if (step.text && alert.headline != *step.text) continue;
        if (step.text2 && !contains(alert.headline, *step.text2) && !contains(alert.message, *step.text2) &&
            !contains(alert.guide, *step.text2))
            continue;
        m_alertsChecked = i + 1;
        return true;
    }
    if (m_alertsChecked >= shown.size()) {
        *why = "no alert was shown since the last alert expectation";
    } else {
        *why = "no alert matched; the alerts shown were:";
        for (size_t i = m_alertsChecked; i < shown.size(); ++i)
            *why += "\n        " + shown[i].text();
    }
    return false;
}

bool ScenarioRunner::checkProgress(const ProgressExpectation& expected, std::string* why) const {
    const ProcessWindow& window = m_host.processWindow();
    const ProcessWindowState& state = window.state();
    bool onlyClosed = expected.open == false && !expected.title && !expected.phases && !expected.phase &&
                      !expected.steps && !expected.value && !expected.polls && !expected.cancelled;
    if (window.timesOpened() == 0 && !onlyClosed) {
        *why = "no progress window has opened";
        return false;
    }
    const ProgressPhase* phase = state.phases.empty() ? nullptr : &state.phases.back();
    auto mismatch = [why](const std::string& what, const std::string& wanted, const std::string& found) {
        *why = "the progress " + what + " is " + found + " (wanted " + wanted + ")";
        return false;
    };
    if (expected.open && *expected.open != state.open)
        return mismatch("window", *expected.open ? "open" : "closed", state.open ? "open" : "closed");
    if (expected.title && *expected.title != state.title)
        return mismatch("title", inQuotes(*expected.title), inQuotes(state.title));
    if (expected.phases && *expected.phases != state.phaseCount)
        return mismatch("phase count", std::to_string(*expected.phases), std::to_string(state.phaseCount));
    if (expected.phase && (phase == nullptr || phase->text != *expected.phase))
        return mismatch("phase", inQuotes(*expected.phase), phase ? inQuotes(phase->text) : "not set");
    if (expected.steps && (phase == nullptr || phase->steps != *expected.steps))
        return mismatch("step count", std::to_string(*expected.steps),
                        phase ? std::to_string(phase->steps) : "not set");
    if (expected.value && *expected.value != state.value)
        return mismatch("value", std::to_string(*expected.value), std::to_string(state.value));
    if (expected.polls && *expected.polls != state.polls)
        return mismatch("poll count", std::to_string(*expected.polls), std::to_string(state.polls));
    if (expected.cancelled && *expected.cancelled != state.cancelled)
        return mismatch("window", *expected.cancelled ? "cancelled" : "not cancelled",
                        state.cancelled ? "cancelled" : "not cancelled");
    return true;
}

bool ScenarioRunner::check(const Step& step, std::string* why) {
    StandInHost& host = m_host;
    Project* project = host.project();
    const CallLog& calls = host.calls();
    switch (step.kind) {
    case StepKind::ExpectModule:
        if (host.moduleLoaded() == (*step.number == 1)) return true;
        *why = host.moduleLoaded() ? "the module is loaded" : "no module is loaded";
        return false;
    case StepKind::ExpectProject:
        if (project != nullptr && project->name == *step.text) return true;
        *why = project ? "the open project is " + inQuotes(project->name) : "no project is open";
        return false;
    case StepKind::ExpectNoProject:
        if (project == nullptr) return true;
        *why = "project " + inQuotes(project->name) + " is open";
        return false;
    case StepKind::ExpectProjectText: {
        if (project == nullptr) return *why = "no project is open", false;
        auto it = project->model.texts.find(*step.text);
        if (it != project->model.texts.end() && it->second == *step.text2) return true;
        *why = it == project->model.texts.end() ? "the project has no text " + inQuotes(*step.text)
                                                : "the text is " + inQuotes(it->second);
        return false;
    }
    case StepKind::ExpectAnswer:
    case StepKind::ExpectFailure: {
        if (!m_answered) return *why = "no action has answered yet", false;
        bool ok = step.kind == StepKind::ExpectFailure ? m_lastAnswer != hosterr::Ok
                                                       : m_lastAnswer == static_cast<GSErrCode>(*step.number);
        if (ok) return true;
        *why = "the action of line " + std::to_string(m_lastAnswerLine) + " answered " +
               answerText(m_lastAnswer);
        if (step.kind == StepKind::ExpectAnswer)
            *why += ", not " + answerText(static_cast<GSErrCode>(*step.number));
        return false;
    }
    case StepKind::ExpectAlert:
        return checkAlert(step, why);
    case StepKind::ExpectNoAlert: {
        const std::vector<ShownAlert>& shown = host.alerts().shown();
        if (m_alertsChecked >= shown.size()) return true;
        *why = "an alert was shown: " + shown[m_alertsChecked].text();
        return false;
    }
    case StepKind::ExpectUndo:
        if (project == nullptr) return *why = "no project is open", false;
        if (project->undoSteps.empty()) return *why = "there is no undo step", false;
        if (project->undoSteps.back().name == *step.text) return true;
        *why = "the last undo step is " + inQuotes(project->undoSteps.back().name);
        return false;
    case StepKind::ExpectUndoCount: {
        size_t count = project ? project->undoSteps.size() : 0;
        if (count == static_cast<size_t>(*step.number)) return true;
        *why = "there are " + std::to_string(count) + " undo step(s)";
        return false;
    }
    case StepKind::ExpectModuleData:
        if (project == nullptr) return *why = "no project is open", false;
        if (!project->model.moduleData) return *why = "the project has no module data", false;
        if (contains(*project->model.moduleData, *step.text)) return true;
        *why = "the module data (" + std::to_string(project->model.moduleData->size()) +
               " bytes) does not contain " + inQuotes(*step.text);
        return false;
    case StepKind::ExpectNoModuleData:
        if (project == nullptr || !project->model.moduleData) return true;
        *why = "the project has module data: " + inQuotes(*project->model.moduleData);
        return false;
    case StepKind::ExpectDebug:
        if (contains(m_debug.substr(m_debugMark), *step.text)) return true;
        *why = "no debug output since the mark contains " + inQuotes(*step.text);
        return false;
    case StepKind::ExpectNoDebug:
        if (!contains(m_debug.substr(m_debugMark), *step.text)) return true;
        *why = "debug output since the mark contains " + inQuotes(*step.text);
        return false;
    case StepKind::ExpectProgress:
        return checkProgress(step.progress, why);
    case StepKind::ExpectCalls:
        if (calls.contains(*step.text, m_callMark)) return true;
        *why = "no host call since the mark contains " + inQuotes(*step.text) + "; the calls were:\n" +
               lastLines(calls.texts(m_callMark), 20);
        return false;
    case StepKind::ExpectNoCalls:
    case StepKind::ExpectCallCount: {
        size_t wanted = step.kind == StepKind::ExpectNoCalls ? 0 : static_cast<size_t>(*step.number);
        size_t count = calls.count(step.text.value_or(""), m_callMark);
        if (count == wanted) return true;
        *why = std::to_string(count) + " host call(s) since the mark" +
               (step.text ? " contain " + inQuotes(*step.text) : std::string()) + ", not " +
               std::to_string(wanted) + ":\n" + lastLines(calls.texts(m_callMark), 20);
        return false;
    }
    case StepKind::ExpectModel:
        return m_model.check(step, why);
    case StepKind::ExpectPanel:
        return m_host.dialogs().check(step, why);
    case StepKind::ExpectAnnotator:
        return m_annotator.check(step, m_options.homeFolder, why);
    case StepKind::ExpectFile:
        return checkFileStep(
            step, [this](const std::string& path) { return resolvePath(path); }, why);
    case StepKind::ExpectLibrary:
        return checkLibraryStep(m_host, step, why);
    case StepKind::ExpectCommand: {
        bool installed = host.commandHandler(static_cast<uint32_t>(*step.number),
                                             static_cast<int32_t>(*step.number2)) != nullptr;
        if (installed == (*step.text == "installed")) return true;
        *why = "the module has " + std::string(installed ? "" : "not ") + "installed a handler for command " +
               codeText(static_cast<uint32_t>(*step.number)) + " version " + std::to_string(*step.number2);
        return false;
    }
    case StepKind::ExpectSuspendGroups:
        if (host.suspendGroups() == (*step.number == 1)) return true;
        *why = std::string("Suspend Groups is ") + (host.suspendGroups() ? "on" : "off");
        return false;
    case StepKind::ExpectMenuItem: {
        const Menu* menu = host.menus().menuTitled(*step.text);
        if (menu == nullptr) return *why = "there is no menu " + inQuotes(*step.text), false;
        const MenuItem* item = host.menus().item(*menu, *step.text2, why);
        if (item == nullptr) return false;
        if (step.number && item->disabled() != (*step.number == 0))
            return *why = "the item is " + std::string(item->disabled() ? "disabled" : "enabled"), false;
        if (step.number2) return checkMenuIcon(*item, *step.number2, why);
        return true;
    }
    default:
        *why = "not an expectation";
        return false;
    }
}

} // namespace zavhost
