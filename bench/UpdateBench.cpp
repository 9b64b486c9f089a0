// A whole Update of 10k annotations against the stand-in ZAV Annotator: collect the project, send
// one retrieveClause command through the exchange (the Communicator writes the command file,
// starts the Annotator through the stand-in shell and waits for its flag), drop the untitled and
// merge what came back. The Annotator's share is timed apart by running it alone on the same
// command file; the rest is the add-on's (with the exchange's polling). Prints the split at the end.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "AnnotatedProject.h"
#include "Environment/Host.h"
#include "annotation/AnnotatedCommand.h"
#include "annotation/AnnotationList.h"
#include "annotation/AnnotationResult.h"
#include "annotation/CommandList.h"
#include "annotation/Communicator.h"
#include "annotation/CommunicatorAddon.h"
#include "annotation/Readiness.h"
#include "annotation/Request.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ZAVLinkAddon.h"
#include "annotation/ZAVLinkPrefs.h"
#include "elements/ElementFactory.h"
#include "library/LibraryModel.h"
#include "platform/windows/Registry.h"
#include "platform/windows/Shell.h"
#include "project/Project.h"
#include "support/TestAddon.h"

extern char** environ;

using namespace zavlink;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr size_t Elements = 10000;
constexpr size_t Views = 200;
constexpr size_t Clauses = 400;
constexpr size_t ChangedEvery = 10; // clauses whose revision the specification has moved on

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A host root of the benchmark's own, taken before the host starts, so that the registry and the
// exchange folder are nobody else's.
struct OwnRoot {
    OwnRoot() {
        root = (fs::temp_directory_path() / ("zav-update-bench-" + std::to_string(::getpid()))).string();
        fs::remove_all(root);
        fs::create_directories(root + "/annotator");
        fs::create_directories(root + "/alone");
        ::setenv("ZAVHOST_HOME", root.c_str(), 1);
        ::setenv("ZAVANNOTATOR_DIR", (root + "/annotator").c_str(), 1);
    }
    ~OwnRoot() {
        WaitForStartedProcesses(10000);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    std::string root;
};

struct Split {
    double collect = 0, exchange = 0, exchangeCpu = 0, merge = 0, annotatorCpu = 0, alone = 0;
    int runs = 0;
};
Split g_split;

void registerAnnotator(const std::string& program) {
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\HVN Ltd.\\ZAV Tools\\ZAV Annotator", 0,
                       KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return;
    RegSetValueEx(key, AnnotatorPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(program.c_str()),
                  static_cast<DWORD>(program.size() + 1));
    RegCloseKey(key);
}

// The Annotator alone on a copy of the command file, from its start until it has ended.
double runAnnotatorAlone(const std::string& root, const std::string& commandFile) {
    const std::string copy = root + "/alone/" + CommandFileName;
    fs::copy_file(commandFile, copy, fs::copy_options::overwrite_existing);
    fs::remove(root + "/alone/" + FlagFileName);
    fs::remove(root + "/alone/" + ResultFileName);
    std::vector<std::string> args{ZAV_ANNOTATOR_PATH, copy,
                                  "--answers",        root + "/annotator/ZAVAnswers.txt",
                                  "--asked",          root + "/alone/ZAVAsked.txt"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = secondsSince(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && fs::exists(root + "/alone/" + FlagFileName)
               ? seconds
               : -1;
}

void update(benchmark::State& state) {
    OwnRoot home;
    testsupport::ModuleUnderTest module{annotationtest::makeCommunicatorAddon};
    tarnwick::registerDraftingElementCreators();
    zavhost::StandInHost& host = module.host();

    const std::vector<Annotation> clauses = benchproject::makeClauses(Clauses);
    benchproject::placeAnnotations(host, clauses, Elements, Views);
    const std::string spec = home.root + "/specification.xml";
    std::ofstream(spec) << benchproject::specificationOf(clauses, ChangedEvery);
    std::ofstream(home.root + "/annotator/ZAVAnswers.txt") << "# nothing queued\n";
    registerAnnotator(ZAV_ANNOTATOR_PATH);
    if (projectPrefs() == nullptr) tarnwick::Host::getProject()->setPackage(ZAVLinkPrefs(), false);
    projectPrefs()->isSpecification = true;
    projectPrefs()->specificationPath = tarnwick::String(spec);
    const std::string commandFile = home.root + "/User Data/ZAV Link/" + CommandFileName;

    Split split;
    size_t changed = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        AnnotationList list;
        list.collectProject(nullptr);
        const double collected = secondsSince(start);

        const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
        const double ownCpuBefore = cpuSeconds(RUSAGE_SELF);
        const Clock::time_point sending = Clock::now();
        ResultReceiver receiver;
        CommandList commands(&receiver);
        commands.append(std::make_unique<RetrieveClauseCommand>(list, 1));
        const bool published = sendCommands(commands);
        const double exchanged = secondsSince(sending);
        const double exchangeCpu = cpuSeconds(RUSAGE_SELF) - ownCpuBefore;

        const Clock::time_point merging = Clock::now();
        const auto* answer = acceptedAnswer<RetrieveAnnotationResult>(published, receiver);
        if (answer == nullptr || !answer->isReceived()) {
            state.SkipWithError("the Annotator gave no answer");
            break;
        }
        list.dropUntitled();
        list.mergeReturned(answer->annotations);
        const double merged = secondsSince(merging);

        state.PauseTiming();
        WaitForStartedProcesses(10000); // reaped, so that its time is counted
        split.annotatorCpu += cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
        changed = 0;
        for (const Annotation& annotation : list)
            if (annotation.needsUpdate()) ++changed;
        if (list.size() != Clauses || changed != Clauses / ChangedEvery)
            state.SkipWithError("the merge did not find the changed clauses");
        split.collect += collected;
        split.exchange += exchanged;
        split.exchangeCpu += exchangeCpu;
        split.merge += merged;
        split.alone += runAnnotatorAlone(home.root, commandFile);
        ++split.runs;
        host.calls().clear();
        state.ResumeTiming();
    }
    tarnwick::releaseElementCreators();
    if (split.runs == 0) return;
    const double runs = split.runs;
    state.counters["collect_ms"] = 1e3 * split.collect / runs;
    state.counters["exchange_ms"] = 1e3 * split.exchange / runs;
    state.counters["exchange_cpu_ms"] = 1e3 * split.exchangeCpu / runs;
    state.counters["merge_ms"] = 1e3 * split.merge / runs;
    state.counters["annotator_alone_ms"] = 1e3 * split.alone / runs;
    state.counters["annotator_cpu_ms"] = 1e3 * split.annotatorCpu / runs;
    state.counters["changed"] = static_cast<double>(changed);
    g_split = split;
}

} // namespace

BENCHMARK(update)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_split.runs == 0) return 0;
    const double runs = g_split.runs;
    const double total = (g_split.collect + g_split.exchange + g_split.merge) / runs;
    const double annotator = g_split.alone / runs;
    const double own = total - annotator;
    const double exchangeOwn = g_split.exchange / runs - annotator;
    const double exchangeCpu = g_split.exchangeCpu / runs;
    std::printf(
        "update of %zu annotations (%zu clauses): %.0f ms; the Annotator alone %.0f ms; the add-on's own "
        "%.0f ms: collect %.0f, exchange %.0f (working %.0f, waiting for the flag %.0f), merge %.0f; "
        "own / total %.2f\n",
        Elements, Clauses, 1e3 * total, 1e3 * annotator, 1e3 * own, 1e3 * g_split.collect / runs,
        1e3 * exchangeOwn, 1e3 * exchangeCpu, 1e3 * (exchangeOwn - exchangeCpu), 1e3 * g_split.merge / runs,
        own / total);
    return 0;
}
