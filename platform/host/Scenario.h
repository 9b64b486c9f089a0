// A scenario: the user actions and expectations of one session, one a line, as parsed from its
// text. See docs/scenarios.md for the language.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/api/HostRecords.h"

namespace zavhost {

enum class StepKind {
    // Actions.
    Load,
    Without,
    Unload,
    Quit,
    Undo,
    ProjectNew,
    ProjectOpen,
    ProjectSave,
    ProjectSaveAndReopen,
    ProjectClose,
    ProjectText,
    Menu,
    Command,
    Notify,
    ModelAction, // layers, attributes, storeys, views, elements, selection, sharing (ModelSteps)
    Draw,        // a view drawn as an SVG picture (ViewPicture)
    EditTransformation,
    SuspendGroups, // the user switches the host's Suspend Groups on or off
    WindowAction,  // windows, the mouse and the display scale (HostWindows)
    PaletteAction, // the user works in a palette now (DialogSteps)
    LibraryAction, // library parts, folders and derivations (LibrarySteps)
    DialogSetting, // the dialog manager's scale factor and monitor
    AlertAnswer,
    DialogScript, // a step of the user's work in a modal dialog, queued until it runs
    ProgressCancelAfter,
    // The stand-in Annotator: its registry entry, its answer file, edits of its specification.
    AnnotatorSetting,
    FileSetting,  // a file written on disk, as another program would (FileSteps)
    FaultSetting, // host calls and file writes that fail from now on (FaultSteps)
    InputClick,   // the user's clicks and keys answering the module's inputs (UserInput)
    InputFinish,
    InputCancel,
    Mark,
    // Expectations.
    ExpectModule,
    ExpectProject,
    ExpectNoProject,
    ExpectProjectText,
    ExpectAnswer,
    ExpectFailure,
    ExpectAlert,
    ExpectNoAlert,
    ExpectUndo,
    ExpectUndoCount,
    ExpectModuleData,
    ExpectNoModuleData,
    ExpectDebug,
    ExpectNoDebug,
    ExpectProgress,
    ExpectCalls,
    ExpectNoCalls,
    ExpectCallCount,
    ExpectMenuItem,
    ExpectCommand,
    ExpectModel, // of the project's layers, attributes, storeys, views, elements, selection
    ExpectPanel, // a dialog or palette and its items
    // What the stand-in Annotator was asked.
    ExpectAnnotator,
    ExpectFile,    // a file on disk and what it holds
    ExpectLibrary, // the project's library (LibrarySteps)
    ExpectSuspendGroups,
};

struct ProgressExpectation {
    std::optional<bool> open;
    std::optional<std::string> title;
    std::optional<int64_t> phases;
    std::optional<std::string> phase; // the current phase's text
    std::optional<int64_t> steps;     // of the current phase
    std::optional<int64_t> value;
    std::optional<int64_t> polls;
    std::optional<bool> cancelled;
};

// The words of a model command or expectation, as its verb's parser read them.
struct ModelArgs {
    std::string verb;                           // "layer add", "expect element", ...
    std::vector<std::string> texts;             // quoted texts, in order
    std::set<std::string> flags;                // words without a value
    std::map<std::string, std::string> options; // a word and the text or word after it
    std::vector<double> numbers;                // levels and points, in order
    // An expectation's `parameter "NAME" VALUE ...` words, each with its cells' values.
    std::vector<std::pair<std::string, std::string>> parameters;
    std::optional<int64_t> count;
    uint32_t code = 0; // an element or attribute type, or a view kind
};

// One repeated clause of a line: `param "NAME" KIND VALUE` (a command's or a part's parameter) or
// `rule "TARGET" "SOURCE" FACTOR` (a part's script rule).
struct ValueClause {
    std::string word;
    std::string name;
    std::string kind;
    std::string value;
};

struct Step {
    int line = 0;
    std::string source; // the line as written, without its comment
    StepKind kind = StepKind::Mark;
    std::optional<std::string> text;  // first text, path or name
    std::optional<std::string> text2; // second text
    std::optional<int64_t> number;    // first number or code
    std::optional<int64_t> number2;
    ProgressExpectation progress;
    ModelArgs model;
    std::vector<ValueClause> clauses;
    bool userEdit = false; // an element step made as the user's edit, heard by the module
    HostEditTransformation transformation;
    bool answerChecked = false; // the next step checks this action's answer, so a failure is expected

    bool isAction() const { return kind < StepKind::AlertAnswer; }
    bool isInput() const { return kind >= StepKind::InputClick && kind <= StepKind::InputCancel; }
};

struct ScenarioError {
    int line = 0;
    std::string message;
};

struct ParsedScenario {
    std::vector<Step> steps;
    std::vector<ScenarioError> errors; // any error: nothing may run
};

struct ParseOptions {
    bool defaultModule = false; // a module path was given for `load` without one
};

// Parses the whole text; every malformed line gives an error with its line number.
ParsedScenario parseScenario(const std::string& source, const ParseOptions& options = {});

// The error codes a scenario may name in `expect answer`, and the notifications of `notify`.
std::optional<int64_t> answerCodeNamed(const std::string& name);
std::optional<int64_t> notificationNamed(const std::string& name);

} // namespace zavhost
