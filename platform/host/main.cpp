// zavhost: the stand-in host application. Plays scenario files against a module.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <vector>

#include "AnnotatorSteps.h"
#include "FunctionSlots.h"
#include "ScenarioLine.h"
#include "ScenarioRunner.h"
#include "SoakSession.h"
#include "StandInHost.h"

#ifndef ZAV_DEFAULT_HOME
#define ZAV_DEFAULT_HOME "zavhost-home"
#endif
#ifndef ZAV_EXAMPLES_FOLDER
#define ZAV_EXAMPLES_FOLDER "examples"
#endif
#define ZAV_SAMPLE_SPECIFICATION ZAV_EXAMPLES_FOLDER "/specs/house.xml"

namespace {

const char* const helpText = R"(zavhost - a stand-in host application for add-on modules

Usage:
  zavhost run SCENARIO [--module PATH] [--home DIR] [--without FUNCTION]... [--quiet]
  zavhost soak --module PATH [--steps N] [--seed S] [--home DIR] [--specification FILE]
               [--played FILE] [--quiet]
  zavhost --help

`run` loads nothing by itself: the scenario says when to load the module. It plays the scenario,
prints a transcript of the session (each step; the menus a module registers, with their items;
alerts, and dialogs with their items' texts as the user reads them; a palette's tree whenever its
items change; undo steps; the progress window; the stand-in Annotator's answers with their status;
what the module changes while it hears a user's edit; debug output and notable host calls) and
exits with
  0  every expectation held
  1  an expectation failed or an action could not be done (the line and why are printed)
  2  the scenario is malformed (every bad line is reported, a misspelt word with the nearest words
     the line knows, or all of them when none is near; nothing runs) or the command line is wrong

Options:
  --module PATH  the module that `load` without a path loads (a relative PATH, here and in
                 `load PATH`, is taken from the folder zavhost runs in)
  --home DIR     the host's home folder (special folders, relative project paths); else $ZAVHOST_HOME,
                 else the build's default
  --without FUNCTION
                 hand the module a function table without this function (its name in the table,
                 e.g. RunUndoableCommand); may be given more than once
  --quiet        print the transcript only when the scenario fails

A scenario is a text file of user actions and expectations, one a line. '#' starts a comment, texts
go in double quotes ("a \"quoted\" word", \\ and \n escapes). Paths may be quoted; {home},
{scenario} and {examples} stand for the home folder, the scenario's folder and the examples folder
of the tree zavhost was built from ({examples}/specs/house.xml is the sample specification); other
relative project paths are taken in the home folder.

Actions:
  load [PATH]                       load the module and run its start-up entries
  without FUNCTION                  the next load hands the module a table without this function
  unload                            run its release entry and unload it
  quit                              send the quit notification, then unload
  project new "NAME"                a new project (closes the open one)
  project open PATH                 open a project file (closes the open one)
  project save PATH                 save the project to a file
  project save-and-reopen           save to its own file (or NAME.zavproj in the home folder), reopen
  project close                     close the project
  project text "KEY" "VALUE"        set one of the project's texts
  menu "MENU" "ITEM"                choose a menu item by its shown text
  command CODE [VERSION] [data "TEXT"]   send the module a command (CODE: four characters or a
                                    number; VERSION 1 by default; data: the parameter bytes)
  notify EVENT [PARAMETER]          send a project notification: new, new-and-reset, open,
                                    pre-save, save, close, quit, change-workspace or a number
  alert answer N | "BUTTON"         answer the next alert with button N or the button of that text
                                    (unanswered alerts take the first button)
  progress cancel-after N           the user presses Cancel after N polls of the progress window
  mark                              start counting host calls and debug output again from here
  dialog NAME STEP                  a step of the user in the modal dialog NAME ("Title" or its
                                    resource id), written before the action that runs the dialog:
                                    type N "TEXT", set-text N "TEXT", click N [shift] [option]
                                    [command], double-click N, tick N, untick N, ok, cancel,
                                    close-box, choose N "ENTRY", select N "PATH"|ROW|"TEXT" [keys]
                                    (a tree item by its path "Top/Child", "//" for a slash in a
                                    text; a list row by number or text), click N "PATH", expand N
                                    "PATH", collapse N "PATH", click-row N ROW, double-click-row N
                                    ROW, click-header N H, drag-header N H TO, resize-header N H DW,
                                    expect item N ... (see the expectations). A dialog left open
                                    fails the scenario (aborted).
                                    update N: the user item N must be drawn again (uncovered)
  palette NAME STEP                 the same steps in an open palette, now; also resize DW DH and
                                    hot-key ID (a dialog too can be resized)
  dialog-scale S    monitor L T R B the panels' scale factor and the monitor's rectangle
  edit-transformation identity | move DX DY [DZ] | rotate DEGREES [about X Y] | scale FACTOR [about X Y]
                                    what GetEditTransformation answers outside the user's edits
  suspend-groups on|off             the user switches the host's Suspend Groups (off at first)
  user element add|set|delete ...   the user edits in the host; the element observer hears it
  user element move|rotate|mirror "LABEL" ... by DX DY | by DEGREES about X Y | about X1 Y1 X2 Y2
                                    the same, with the edit's transformation answered meanwhile
  click X Y [Z] [on "LABEL"] [arc DEGREES]   finish input   cancel input
                                    the user's clicks, written after the action that asks for
                                    them; an input with no click left is cancelled

The project (see docs/scenarios.md for every word):
  project shared "ME" ["USER" ...] | project not-shared
  layer add|set "NAME" [hidden|shown] [locked|unlocked] [in-workspace|not-in-workspace]
  attribute add|delete TYPE "NAME"    attribute user-data TYPE "NAME" "TEXT" [other-platform]
  storey add "NAME" LEVEL [index N]   storey current "NAME"
  view add KIND "NAME" [reference "R"] [master "M"]   view delete "NAME"
  view current "NAME" | plan ["STOREY"] | 3d    view scale VIEW S (the drawing scale 1:S)
  element add TYPE [in "VIEW"] [on "STOREY"] [as "LABEL"] [layer "L"] [id "ID"] [text "T"]
              [with-user-data "T"] [other-platform] [locked] [reserved] [held-by N] [of "LABEL"]
              [at X Y] [from X Y to X Y] [polygon X Y X Y X Y ...]
  element set "LABEL" ...   element delete "LABEL"   element find TYPE [in "VIEW"] as "LABEL"
  element link "OWNER" to "LINKED" [flags N]
  select "LABEL" ... | select none    lockable "NAME" free|mine|others
  draw plan ["STOREY"] FILE | draw "VIEW" FILE   the view's elements as an SVG picture: walls at
                                    their thickness with their windows and doors, text blocks with
                                    their text wrapped in their box, labels with their leader, and a
                                    legend naming what has no place

Windows and the mouse:
  window add "TITLE" at X Y size W H [frame B] [caption C] [in "PARENT"]
  window move|resize "TITLE"|main X Y    window front|close "TITLE"|main
  display scale S                   screen pixels per host pixel    mouse X Y

The stand-in Annotator (zavannotator, entered in the registry when zavhost starts):
  annotator installed [PATH] | not-installed     the registry entry that names it (or PATH)
  annotator specification FILE [as "NAME"]   a copy of FILE in {home}/annotator (named NAME) is
                                    what the user chooses
  annotator next-clause "NUMBER"    queued: what the user picks in the next selection
  annotator cancel                  the user cancels the next exchange that waits
  annotator fault MODE [VALUE]      the next answer goes wrong: slow MS, no-flag, no-result,
                                    malformed, two-results, command-id N, error NAME,
                                    blank-number, crash
  annotator change-clause "NUMBER" FIELD "TEXT"   annotator delete-clause "NUMBER"
                                    edit the chosen specification's copy between steps
  annotator wait                    wait (at most 10 s) until every Annotator started has ended

Files, as the user's other programs see them:
  file write PATH "TEXT"            the file holds exactly TEXT (its folders are made)
  file link PATH TARGET             PATH is a symbolic link to TARGET (which need not be there)
  file dialog answer PATH [type N] | file dialog cancel   queued: the answer to the next file
                                    dialog (unanswered ones are cancelled)

Faults, as a failing host or disk gives them:
  fault NAME calls N [to M] answer CODE   calls N to M (counted from here) of NAME, a function of
                                    the table (CreateElement, SetElementUserData, LinkElements,
                                    RunUndoableCommand, ...) or a selector (GCLP), answer CODE
                                    and do nothing
  fault unwritable PATH | fault writable PATH   the module cannot make, write, rename or remove
                                    the file, or anything in the folder (and then it can again);
                                    nor can the host save the project there
  fault clear                       every call runs and everything is writable again

An action the host cannot do (no such menu item, a disabled item, a file that does not open, a
module that declines to load) fails the scenario, unless the next line expects its answer.

Expectations:
  expect answer CODE                the last action's answer: ok, failed, cancelled, refused,
                                    not-found, no-project, bad-parameter, bad-index, memory-full,
                                    bad-selector, not-supplied, command-failed, internal or a number
  expect refused                    the same as expect answer refused
  expect failure                    the last action answered anything but ok
  expect module loaded|not-loaded
  expect project "NAME"             expect no-project
  expect project-text "KEY" "VALUE"
  expect alert ["HEADLINE"] [containing "TEXT"]   an alert since the last alert expectation
  expect no-alert                   no alert since the last alert expectation
  expect undo "NAME"                the last undo step's name
  expect undo-count N
  expect module-data containing "TEXT"    expect no-module-data
  expect debug containing "TEXT"    the module's debug output since the last mark
  expect no-debug containing "TEXT"
  expect progress [open|closed] [title "T"] [phases N] [phase "TEXT"] [steps N] [value N]
                  [polls N] [cancelled|not-cancelled]    the window open now, or the last one
  expect calls containing "TEXT"    a host call since the last mark, e.g. "InterfaceCall SPRP"
  expect no-calls [containing "TEXT"]
  expect call-count N [containing "TEXT"]
  expect dialog|palette NAME open|closed|visible|hidden
  expect dialog|palette NAME item N [text "T"] [tooltip "T"] [enabled|disabled] [visible|hidden]
                  [checked|unchecked] [rect L T W H] [tree "LINE" ...] [drawing-on] [rows "LINE" ...]
                  [on-row R] [entries "T" ...] [chosen "T"] [button "T"] [drawn "CALL" ...]
  expect menu "MENU" "ITEM" [enabled|disabled] [icon SIDE|no-icon]
  expect annotator asked COMMAND [containing "TEXT"]
  expect annotator not-asked [COMMAND] [containing "TEXT"]
                                    what the Annotator was asked since the last such expectation
  expect file PATH [containing "T"] [not-containing "T"] [well-formed]    expect no-file PATH
  expect command CODE [VERSION] installed|not-installed
  expect suspend-groups on|off      the host's Suspend Groups as it stands
  expect layer "NAME" [hidden|shown] [locked|unlocked] [in-workspace|not-in-workspace]
  expect no-layer "NAME"    expect attribute count|highest TYPE N    expect attribute TYPE "NAME" [index N]
  expect element count N [type T] [in "VIEW"] [with-user-data] ...
  expect element "LABEL" [deleted] [type T] [in "VIEW"] [layer "L"] [user-data containing "T"] ...
  expect element ... [text containing "T"] [at X Y] [block W H] [runs N] [paragraphs N]   text blocks
  expect element ... [linked-from "LABEL"] [node X Y] [links N]   links and node points
  expect storey count N    expect storey "NAME" [level X] [current]
  expect view "NAME" [kind K] [reference "R"] [master "M"]    expect no-view "NAME"
  expect current-view "NAME"|plan|3d    expect selection count N    expect lockable "NAME" free|mine|others

A long random session:
  zavhost soak plays N moves (100 unless given) of a user of the ZAV Link module, drawn at random
  from the seed S (1 unless given): placing and labelling annotations, selecting, Find and Update
  with the palette's buttons, Restore, editing the specification, undo, saving and reopening, a
  cancelled wait and a failing Annotator, the user's own edits and deletions. After each move it
  checks that every element with user data is as the user last made it (none lost, none changed
  but by her action), that nothing queued for the move was left unused, and that the host memory
  the module holds does not grow. The lines played go to FILE ({home}/soak-S.scenario unless
  given) as they are played, a scenario that `zavhost run` plays again; --quiet prints only a
  report every tenth of the session. --specification: the specification the user's Annotator is
  given (the sample's unless given). Exit codes as for run.

Example, with the framework's demonstration module (--module ".../Framework Demo.apx"):
  load
  project new "Sample House"
  alert answer "Cancel"
  menu "Framework Demo" "Ask a Question"
  expect alert "Confirmation" containing "Do you like what you see?"
  menu "Framework Demo" "Make a Change"
  expect undo "Make a Change"
  project save-and-reopen
  expect module-data containing "<changes>1</changes>"

A failed expectation of elements says what they hold (type, place, text, user data) beside what
was wanted. See docs/scenarios.md for more, and docs/product.md for the ZAV Link module's tools as
a scenario drives them.
)";

int usage(const std::string& problem) {
    std::cerr << "zavhost: " << problem << "\nRun `zavhost --help` for the usage.\n";
    return 2;
}

bool readFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    *text = all.str();
    return true;
}

std::string homeFolder(std::string home) {
    if (home.empty()) {
        const char* fromEnvironment = std::getenv("ZAVHOST_HOME");
        home = fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment : ZAV_DEFAULT_HOME;
    }
    std::error_code error;
    std::filesystem::create_directories(home, error);
    home = std::filesystem::absolute(home, error).lexically_normal().string();
    // The host libraries find the special folders through the same variable.
    setenv("ZAVHOST_HOME", home.c_str(), 1);
#ifdef ZAV_ANNOTATOR_PATH
    // As the Annotator's installer would: the module finds it through the registry.
    if (!zavhost::installAnnotator(ZAV_ANNOTATOR_PATH, home))
        std::cerr << "zavhost: the stand-in Annotator could not be entered in the registry\n";
#endif
    return home;
}

std::optional<uint64_t> count(const char* text) {
    std::optional<int64_t> value = zavhost::parseNumber(text);
    if (!value || *value < 0) return std::nullopt;
    return static_cast<uint64_t>(*value);
}

int soak(int argc, char** argv) {
    zavhost::SoakOptions options;
    options.specification = ZAV_SAMPLE_SPECIFICATION;
    std::string home;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        const bool valued = arg == "--module" || arg == "--home" || arg == "--steps" || arg == "--seed" ||
                            arg == "--specification" || arg == "--played";
        if (valued && i + 1 == argc) return usage(arg + " needs a value");
        if (arg == "--steps" || arg == "--seed") {
            std::optional<uint64_t> value = count(argv[++i]);
            if (!value) return usage(arg + " takes a whole number, not \"" + argv[i] + "\"");
            (arg == "--steps" ? options.steps : options.seed) = *value;
        } else if (arg == "--module") {
            options.modulePath = argv[++i];
        } else if (arg == "--home") {
            home = argv[++i];
        } else if (arg == "--specification") {
            options.specification = argv[++i];
        } else if (arg == "--played") {
            options.playedPath = argv[++i];
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else {
            return usage("unexpected argument \"" + arg + "\"");
        }
    }
    if (options.modulePath.empty()) return usage("soak needs the module: --module PATH");
    std::error_code error;
    options.modulePath = std::filesystem::absolute(options.modulePath, error).string();
    options.specification = std::filesystem::absolute(options.specification, error).string();
    options.homeFolder = homeFolder(home);
    if (options.playedPath.empty())
        options.playedPath = (std::filesystem::path(options.homeFolder) /
                              ("soak-" + std::to_string(options.seed) + ".scenario"))
                                 .string();

    zavhost::StandInHost host;
    zavhost::SoakSession session(host, options, std::cout);
    if (session.run()) return 0;
    std::cout << "FAILED\n";
    std::cerr << session.failure() << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage("no command given");
    std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << helpText;
        return 0;
    }
    if (command == "soak") return soak(argc, argv);
    if (command != "run") return usage("unknown command \"" + command + "\"");

    std::string scenarioPath, modulePath, home;
    std::vector<std::string> without;
    bool quiet = false;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--module" || arg == "--home") && i + 1 < argc) {
            (arg == "--module" ? modulePath : home) = argv[++i];
        } else if (arg == "--without" && i + 1 < argc) {
            without.push_back(argv[++i]);
            if (!zavhost::isFunctionSlot(without.back()))
                return usage("the function table has no \"" + without.back() + "\"");
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (!arg.empty() && arg[0] != '-' && scenarioPath.empty()) {
            scenarioPath = arg;
        } else {
            return usage("unexpected argument \"" + arg + "\"");
        }
    }
    if (scenarioPath.empty()) return usage("run needs a scenario file");

    std::string source;
    if (!readFile(scenarioPath, &source)) {
        std::cerr << "zavhost: cannot read " << scenarioPath << "\n";
        return 2;
    }
    zavhost::ParseOptions parseOptions;
    parseOptions.defaultModule = !modulePath.empty();
    zavhost::ParsedScenario scenario = zavhost::parseScenario(source, parseOptions);
    if (!scenario.errors.empty()) {
        for (const zavhost::ScenarioError& error : scenario.errors)
            std::cerr << scenarioPath << ":" << error.line << ": error: " << error.message << "\n";
        std::cerr << "zavhost: the scenario is malformed; nothing was run\n";
        return 2;
    }

    home = homeFolder(home);
    std::error_code error;

    zavhost::RunOptions options;
    if (!modulePath.empty()) modulePath = std::filesystem::absolute(modulePath, error).string();
    options.modulePath = modulePath;
    options.homeFolder = home;
    options.scenarioFolder = std::filesystem::absolute(scenarioPath, error).parent_path().string();
    options.examplesFolder = ZAV_EXAMPLES_FOLDER;

    zavhost::StandInHost host;
    if (!quiet) host.transcript().echoTo(&std::cout);
    host.transcript().action("scenario " + scenarioPath + " (home " + home + ")");
    for (const std::string& name : without)
        host.withoutFunction(name);
    zavhost::ScenarioRunner runner(host, options);
    bool passed = runner.run(scenario.steps);
    if (!passed) {
        if (quiet) std::cout << host.transcript().text();
        std::cout << "FAILED\n";
        std::cerr << scenarioPath << ":" << runner.failedLine() << ": " << runner.failure() << "\n";
        return 1;
    }
    std::cout << "PASSED: " << scenario.steps.size() << " step(s)\n";
    return 0;
}
