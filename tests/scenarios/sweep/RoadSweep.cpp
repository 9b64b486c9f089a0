// roadsweep: plays a road (a scenario cut into stages, RoadFile.h) once for every host function
// and selector the module calls on it, taken away, once for every one of them that writes, failing
// on every call, and once for each file the road writes, made unwritable; then, for every other
// function of the table and every other selector the module's sources use, the road's first stage
// without it (the module loads, or says it lacks it), and the whole road without all of those at
// once, which must work as it does with the whole table. It says in how many runs the user was told
// nothing true or the project was left half-written.
//
//   roadsweep sweep --road FILE --module PATH --home DIR [--sources DIR]... [--jobs N]
//   roadsweep run without|failing|unwritable NAME[,NAME...] --road FILE --module PATH --home DIR
//             [--first-stage] [--must-work] [--transcript]
//   roadsweep calls --road FILE --module PATH --home DIR [--sources DIR]...
//
// `sweep` first plays the road with the whole table (every stage must work) to learn what it
// calls, then plays each run in a process of its own, N at a time, and answers 0 only when every
// run is good. When the road without everything it never calls does not work, each of those is
// played alone, so that the report names the one it needs. `run` plays one and answers 0 when it is
// good, 1 when not. `calls` lists what the road calls, which of them write, and what the module
// could call and the road does not.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "RoadRun.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/StandInHost.h"

extern char** environ;

namespace {

using namespace roadsweep;

// The functions and selectors that change the project, the host's state or what it keeps: each is
// also made to fail on every call. The others only read or ask.
const std::set<std::string> writing = {
    // Functions of the table.
    "SetModuleData",
    "SetModuleDataByKey",
    "RunUndoableCommand",
    "SetSuspendGroups",
    "SetMenuItemFlags",
    "CreateAttribute",
    "ModifyAttribute",
    "DeleteAttribute",
    "DeleteAttributes",
    "ChangeDefaultElement",
    "CreateElement",
    "ChangeElement",
    "DeleteElements",
    "ElementToolCall",
    "ElementSwitchOnCall",
    "ElementSwitchOffCall",
    "ChangeElementParameters",
    "EditElements",
    "SelectElements",
    "SetElementUserData",
    "ClearElementUserData",
    "LinkElements",
    "UnlinkElements",
    "SetElementRelationCode",
    "AssociateElements",
    "DissociateElements",
    "ReleaseElements",
    "ReserveLockableObject",
    "ReleaseLockableObject",
    "RegisterLibPart",
    "UpdateLibPartSection",
    "AddLibPartSection",
    "CreateLibPart",
    "SaveLibPart",
    "SetIFCProperty",
    "SetIFCAttribute",
    "RemoveIFCProperty",
    // Selectors: the current database, the front window, the highlight, the default tool, the place.
    "CDAT",
    "CHWD",
    "HGEL",
    "SETD",
    "CPLA",
};

struct Options {
    std::string road, module, home;
    std::vector<std::string> sources;
    int jobs = 4;
    bool transcript = false;
    bool firstStageOnly = false;
    bool mustWork = false;
    Removal removal;
};

// One run as the sweep plays it.
struct Run {
    Removal removal;
    bool firstStageOnly = false;
    bool mustWork = false;

    std::string text() const {
        std::string all = removal.text();
        if (removal.names.size() > 1)
            all = (removal.kind == Removal::Kind::Without ? "without " : "") +
                  std::to_string(removal.names.size()) + " functions and selectors at once";
        return all + (firstStageOnly ? " (first stage)" : "") + (mustWork ? " (must work)" : "");
    }
    // The run's folder and story in the home folder.
    std::string folderName() const {
        std::string name = text();
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
            '-');
        return name;
    }
};

const char* const usageText =
    "usage: roadsweep sweep --road FILE --module PATH --home DIR [--sources DIR]... [--jobs N]\n"
    "       roadsweep run without|failing|unwritable NAME[,NAME...] --road FILE --module PATH --home DIR\n"
    "                 [--first-stage] [--must-work] [--transcript]\n"
    "       roadsweep calls --road FILE --module PATH --home DIR [--sources DIR]...\n"
    "       roadsweep --help\n"
    "sweep plays the road once for every host function and selector it calls, taken away, once for\n"
    "each of them that writes, failing on every call, and once for each file it writes, made\n"
    "unwritable; then without every other function and selector (--sources: the module's sources\n"
    "to look for them in), N runs at a time. run plays one of those runs (--transcript: with its\n"
    "story; --first-stage: the first stage alone; --must-work: every stage must work). calls lists\n"
    "what the road calls and what it never calls. Exit codes: 0 good, 1 a run is not, 2 usage.\n";

int usage(const std::string& why) {
    std::cerr << "roadsweep: " << why << "\n" << usageText;
    return 2;
}

bool readRoadFile(const std::string& path, Road* road) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "roadsweep: cannot read " << path << "\n";
        return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    std::vector<std::string> problems;
    *road = readRoad(all.str(), &problems);
    for (const std::string& problem : problems)
        std::cerr << path << ":" << problem << "\n";
    return problems.empty();
}

RunSettings settingsFor(const Options& options, const std::string& home, std::ostream* transcript) {
    RunSettings settings;
    settings.modulePath = std::filesystem::absolute(options.module).string();
    settings.annotatorPath = ZAV_ANNOTATOR_PATH;
    settings.homeFolder = std::filesystem::absolute(home).lexically_normal().string();
    settings.roadFolder = std::filesystem::absolute(options.road).parent_path().string();
    settings.transcript = transcript;
    settings.firstStageOnly = options.firstStageOnly;
    settings.mustWork = options.mustWork;
    return settings;
}

void printOutcome(const Removal& removal, const RunOutcome& outcome, std::ostream& out) {
    out << removal.text() << "\n";
    for (const StageOutcome& stage : outcome.stages) {
        out << "  " << stage.stage << ": " << verdictText(stage.verdict) << "\n";
        if (stage.verdict != Verdict::Works && !stage.why.empty()) out << "    because " << stage.why << "\n";
        for (const std::string& message : stage.messages)
            out << "    alert " << message << "\n";
    }
    for (const std::string& what : outcome.halfWritten)
        out << "  half-written: " << what << "\n";
    out << (outcome.good() ? "good" : "BAD: " + outcome.fault()) << "\n";
}

// What the road calls with the whole table, each stage working.
bool recordCalls(const Options& options, const Road& road, RunOutcome* outcome) {
    std::ostringstream transcript;
    *outcome = playRoad(road, Removal{}, settingsFor(options, options.home + "/record", &transcript));
    if (outcome->good() && std::all_of(outcome->stages.begin(), outcome->stages.end(),
                                       [](const StageOutcome& s) { return s.verdict == Verdict::Works; }))
        return true;
    std::cerr << transcript.str();
    printOutcome(Removal{}, *outcome, std::cerr);
    std::cerr << "roadsweep: the road does not work with the whole table\n";
    return false;
}

// The selectors the module can call: the four-character texts of its sources that some dispatcher
// of the host knows.
std::set<std::string> moduleSelectors(const std::vector<std::string>& folders) {
    zavhost::StandInHost host;
    auto known = [&host](const std::string& code) {
        const uint32_t selector = (uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
                                  (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3]));
        return host.databaseCalls().knows(selector) || host.environmentCalls().knows(selector) ||
               host.interfaceCalls().knows(selector) || host.utilityCalls().knows(selector) ||
               host.automationCalls().knows(selector);
    };
    std::set<std::string> found;
    for (const std::string& folder : folders)
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            for (size_t quote = text.find('"'); quote != std::string::npos && quote + 5 < text.size();
                 quote = text.find('"', quote + 1)) {
                if (text[quote + 5] != '"') continue;
                const std::string code = text.substr(quote + 1, 4);
                if (std::all_of(code.begin(), code.end(),
                                [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }) &&
                    known(code))
                    found.insert(code);
            }
        }
    return found;
}

// What the module could call on the host and the road does not: the table's other functions and
// the sources' other selectors.
std::vector<std::string> neverCalled(const RunOutcome& recorded, const std::vector<std::string>& sources) {
    std::vector<std::string> names;
    for (const std::string& name : zavhost::functionSlotNames())
        if (recorded.functions.count(name) == 0) names.push_back(name);
    for (const std::string& selector : moduleSelectors(sources))
        if (recorded.selectors.count(selector) == 0) names.push_back(selector);
    return names;
}

std::vector<Run> runsFor(const RunOutcome& recorded, const Road& road) {
    std::vector<Run> runs;
    for (const std::set<std::string>* names : {&recorded.functions, &recorded.selectors})
        for (const std::string& name : *names)
            runs.push_back({{Removal::Kind::Without, {name}}});
    for (const std::set<std::string>* names : {&recorded.functions, &recorded.selectors})
        for (const std::string& name : *names)
            if (writing.count(name) != 0) runs.push_back({{Removal::Kind::Failing, {name}}});
    for (const std::string& file : road.writtenFiles)
        runs.push_back({{Removal::Kind::Unwritable, {file}}});
    return runs;
}

struct Child {
    pid_t pid = 0;
    size_t run = 0;
    std::string output;
};

bool spawn(const std::string& self, const Options& options, const Run& run, Child* child) {
    const std::string kind = run.removal.text().substr(0, run.removal.text().find(' '));
    const std::string folder = options.home + "/" + run.folderName();
    child->output = folder + ".txt";
    std::string names;
    for (const std::string& name : run.removal.names)
        names += (names.empty() ? "" : ",") + name;
    std::vector<std::string> args = {self,         "run",      kind,           names,    "--road",
                                     options.road, "--module", options.module, "--home", folder};
    if (run.firstStageOnly) args.push_back("--first-stage");
    if (run.mustWork) args.push_back("--must-work");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, child->output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    const int status = posix_spawn(&child->pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return status == 0;
}

// What one run's process answered and printed.
struct Result {
    int code = 3; // 0 good, 1 bad, 2 could not be played, 3 the process died
    std::string story;
};

// Plays every run in a process of its own, N at a time; false when one could not be started.
bool playAll(const Options& options, const std::vector<Run>& runs, std::vector<Result>* results) {
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    results->assign(runs.size(), Result{});
    std::deque<size_t> waiting;
    for (size_t i = 0; i < runs.size(); ++i)
        waiting.push_back(i);
    std::map<pid_t, Child> running;
    while (!waiting.empty() || !running.empty()) {
        while (!waiting.empty() && static_cast<int>(running.size()) < options.jobs) {
            Child child;
            child.run = waiting.front();
            if (!spawn(self, options, runs[child.run], &child)) {
                std::cerr << "roadsweep: cannot start a run\n";
                return false;
            }
            waiting.pop_front();
            running[child.pid] = child;
        }
        int status = 0;
        const pid_t done = waitpid(-1, &status, 0);
        auto found = running.find(done);
        if (found == running.end()) continue;
        Result& result = (*results)[found->second.run];
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : 3;
        std::ifstream in(found->second.output);
        result.story.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        running.erase(found);
    }
    return true;
}

std::string lastLine(const std::string& story) {
    std::istringstream in(story);
    std::string line, last;
    while (std::getline(in, line))
        if (!line.empty()) last = line;
    return last;
}

// Whether the run's story says that the stage worked.
bool stageWorked(const std::string& story, const std::string& stage) {
    return story.find("\n  " + stage + ": " + verdictText(Verdict::Works) + "\n") != std::string::npos;
}

std::string firstJudgedStage(const Road& road) {
    for (const Stage& stage : road.stages)
        if (stage.judged()) return stage.name;
    return {};
}

// Prints the runs that were not good; counts them into `bad` and `broken`.
void report(const std::vector<Run>& runs, const std::vector<Result>& results, int* bad, int* broken) {
    for (size_t i = 0; i < runs.size(); ++i) {
        const Result& result = results[i];
        if (result.code == 0) continue;
        ++(result.code == 1 ? *bad : *broken);
        std::cout << runs[i].text() << ": "
                  << (result.code == 1 ? lastLine(result.story)
                                       : "the run itself failed: " + lastLine(result.story))
                  << "\n";
    }
}

int sweep(const Options& options, const Road& road) {
    RunOutcome recorded;
    if (!recordCalls(options, road, &recorded)) return 2;
    std::vector<Run> runs = runsFor(recorded, road);
    const std::vector<std::string> never = neverCalled(recorded, options.sources);
    const size_t firstOfNever = runs.size();
    for (const std::string& name : never)
        runs.push_back({{Removal::Kind::Without, {name}}, true});
    std::cout << "the road calls " << recorded.functions.size() << " functions and "
              << recorded.selectors.size() << " selectors, and not " << never.size()
              << " others the module could call; " << runs.size() << " runs\n";
    std::vector<Result> results;
    if (!playAll(options, runs, &results)) return 2;

    // Without all the road never calls at once, less those the module will not load without, the
    // road works as it does with the whole table.
    const std::string load = firstJudgedStage(road);
    Removal together{Removal::Kind::Without, {}};
    for (size_t i = firstOfNever; i < runs.size(); ++i)
        if (results[i].code == 0 && stageWorked(results[i].story, load))
            together.names.push_back(runs[i].removal.names.front());
    std::cout << "the module loads without " << together.names.size() << " of the " << never.size() << "\n";
    if (!together.names.empty()) {
        std::vector<Run> batch = {{together, false, true}};
        std::vector<Result> batchResults;
        if (!playAll(options, batch, &batchResults)) return 2;
        // Not working, each is played alone to find the one the road needs.
        if (batchResults.front().code != 0)
            for (const std::string& name : together.names)
                batch.push_back({{Removal::Kind::Without, {name}}, false, true});
        if (batch.size() > 1) {
            std::vector<Result> alone;
            if (!playAll(options, {batch.begin() + 1, batch.end()}, &alone)) return 2;
            batchResults.insert(batchResults.end(), alone.begin(), alone.end());
        }
        runs.insert(runs.end(), batch.begin(), batch.end());
        results.insert(results.end(), batchResults.begin(), batchResults.end());
    }

    int bad = 0, broken = 0;
    report(runs, results, &bad, &broken);
    std::cout << bad << " of " << runs.size()
              << " runs: the user was told nothing true, or the project was left half-written, or the road "
                 "did not work without what it never calls";
    if (broken != 0) std::cout << "; " << broken << " runs could not be played";
    std::cout << "\n(each run's story: " << options.home
              << "/RUN.txt; one again with: roadsweep run KIND NAME ...)\n";
    return bad == 0 && broken == 0 ? 0 : 1;
}

int listCalls(const Options& options, const Road& road) {
    RunOutcome recorded;
    if (!recordCalls(options, road, &recorded)) return 2;
    for (const std::set<std::string>* names : {&recorded.functions, &recorded.selectors})
        for (const std::string& name : *names)
            std::cout << name << (writing.count(name) != 0 ? " (writes)" : "") << "\n";
    for (const std::string& name : neverCalled(recorded, options.sources))
        std::cout << name << " (never called)\n";
    return 0;
}

int runOne(const Options& options, const Road& road) {
    std::ostringstream story;
    const RunOutcome outcome = playRoad(
        road, options.removal, settingsFor(options, options.home, options.transcript ? &std::cout : &story));
    if (!options.transcript) {
        std::ofstream(std::filesystem::path(options.home) / "transcript.txt") << story.str();
    }
    printOutcome(options.removal, outcome, std::cout);
    if (!outcome.broken.empty()) return 2;
    return outcome.good() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage("no command given");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::cout << usageText;
        return 0;
    }
    Options options;
    int i = 2;
    if (command == "run") {
        if (argc < 4 || !Removal::parse(argv[2], argv[3], &options.removal))
            return usage("run needs without, failing or unwritable and a name");
        i = 4;
    } else if (command != "sweep" && command != "calls") {
        return usage("unknown command \"" + command + "\"");
    }
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--transcript") {
            options.transcript = true;
        } else if (arg == "--first-stage") {
            options.firstStageOnly = true;
        } else if (arg == "--must-work") {
            options.mustWork = true;
        } else if (i + 1 < argc && (arg == "--road" || arg == "--module" || arg == "--home" ||
                                    arg == "--jobs" || arg == "--sources")) {
            const std::string value = argv[++i];
            if (arg == "--road") options.road = value;
            if (arg == "--module") options.module = value;
            if (arg == "--home") options.home = value;
            if (arg == "--jobs") options.jobs = std::max(1, std::atoi(value.c_str()));
            if (arg == "--sources") options.sources.push_back(value);
        } else {
            return usage("unexpected argument \"" + arg + "\"");
        }
    }
    if (options.road.empty() || options.module.empty() || options.home.empty())
        return usage("--road, --module and --home are needed");
    for (const std::string& folder : options.sources)
        if (!std::filesystem::is_directory(folder)) return usage("no folder " + folder);
    Road road;
    if (!readRoadFile(options.road, &road)) return 2;
    if (command == "sweep") return sweep(options, road);
    if (command == "calls") return listCalls(options, road);
    return runOne(options, road);
}
