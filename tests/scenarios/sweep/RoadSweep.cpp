// roadsweep: plays the main road once for every host function and selector the module calls on
// it, taken away, once for every one of them that writes, failing on every call, and once for each
// file the road writes, made unwritable; and says in how many runs the user was told nothing true
// or the project was left half-written.
//
//   roadsweep sweep --road FILE --module PATH --home DIR [--jobs N]
//   roadsweep run without|failing|unwritable NAME --road FILE --module PATH --home DIR [--transcript]
//   roadsweep calls --road FILE --module PATH --home DIR
//
// `sweep` first plays the road with the whole table (every stage must work) to learn what it
// calls, then plays each run in a process of its own, N at a time, and answers 0 only when every
// run is good. `run` plays one and answers 0 when it is good, 1 when not. `calls` lists what the
// road calls and which of them write.
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

// The files the road writes, in the home folder: the exchange's command file and the review report.
const std::vector<std::string> writtenFiles = {"User Data/ZAV Link/ZAVCommand.xml", "annotator/house.zavrpt"};

struct Options {
    std::string road, module, home;
    int jobs = 4;
    bool transcript = false;
    Removal removal;
};

int usage(const std::string& why) {
    std::cerr
        << "roadsweep: " << why
        << "\nusage: roadsweep sweep|calls|run [without|failing|unwritable NAME] --road FILE --module PATH "
           "--home DIR [--jobs N] [--transcript]\n";
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

std::vector<Removal> runsFor(const RunOutcome& recorded) {
    std::vector<Removal> runs;
    for (const std::set<std::string>* names : {&recorded.functions, &recorded.selectors})
        for (const std::string& name : *names)
            runs.push_back({Removal::Kind::Without, name});
    for (const std::set<std::string>* names : {&recorded.functions, &recorded.selectors})
        for (const std::string& name : *names)
            if (writing.count(name) != 0) runs.push_back({Removal::Kind::Failing, name});
    for (const std::string& file : writtenFiles)
        runs.push_back({Removal::Kind::Unwritable, file});
    return runs;
}

std::string runFolderName(const Removal& removal) {
    std::string name = removal.text();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '-');
    return name;
}

struct Child {
    pid_t pid = 0;
    Removal removal;
    std::string output;
};

bool spawn(const std::string& self, const Options& options, const Removal& removal, Child* child) {
    const std::string kind = removal.text().substr(0, removal.text().find(' '));
    const std::string folder = options.home + "/" + runFolderName(removal);
    child->removal = removal;
    child->output = options.home + "/" + runFolderName(removal) + ".txt";
    std::vector<std::string> args = {self,         "run",      kind,           removal.name, "--road",
                                     options.road, "--module", options.module, "--home",     folder};
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

std::string lastLine(const std::string& path) {
    std::ifstream in(path);
    std::string line, last;
    while (std::getline(in, line))
        if (!line.empty()) last = line;
    return last;
}

int sweep(const Options& options, const Road& road) {
    RunOutcome recorded;
    if (!recordCalls(options, road, &recorded)) return 2;
    const std::vector<Removal> runs = runsFor(recorded);
    std::cout << "the road calls " << recorded.functions.size() << " functions and "
              << recorded.selectors.size() << " selectors; " << runs.size() << " runs\n";

    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    std::deque<Removal> waiting(runs.begin(), runs.end());
    std::map<pid_t, Child> running;
    std::map<std::string, std::pair<int, std::string>> results; // run -> exit code, its last line
    while (!waiting.empty() || !running.empty()) {
        while (!waiting.empty() && static_cast<int>(running.size()) < options.jobs) {
            Child child;
            if (!spawn(self, options, waiting.front(), &child)) {
                std::cerr << "roadsweep: cannot start a run\n";
                return 2;
            }
            waiting.pop_front();
            running[child.pid] = child;
        }
        int status = 0;
        const pid_t done = waitpid(-1, &status, 0);
        auto found = running.find(done);
        if (found == running.end()) continue;
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 3;
        results[found->second.removal.text()] = {code, lastLine(found->second.output)};
        running.erase(found);
    }

    int bad = 0, broken = 0;
    for (const Removal& removal : runs) {
        const auto& [code, last] = results[removal.text()];
        if (code == 0) continue;
        ++(code == 1 ? bad : broken);
        std::cout << removal.text() << ": " << (code == 1 ? last : "the run itself failed: " + last) << "\n";
    }
    std::cout << bad << " of " << runs.size()
              << " runs: the user was told nothing true, or the project was left "
              << "half-written";
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
        } else if (i + 1 < argc &&
                   (arg == "--road" || arg == "--module" || arg == "--home" || arg == "--jobs")) {
            const std::string value = argv[++i];
            if (arg == "--road") options.road = value;
            if (arg == "--module") options.module = value;
            if (arg == "--home") options.home = value;
            if (arg == "--jobs") options.jobs = std::max(1, std::atoi(value.c_str()));
        } else {
            return usage("unexpected argument \"" + arg + "\"");
        }
    }
    if (options.road.empty() || options.module.empty() || options.home.empty())
        return usage("--road, --module and --home are needed");
    Road road;
    if (!readRoadFile(options.road, &road)) return 2;
    if (command == "sweep") return sweep(options, road);
    if (command == "calls") return listCalls(options, road);
    return runOne(options, road);
}
