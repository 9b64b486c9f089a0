// The stand-in host at project sizes of 10k and 100k elements (and 30k for the deletes, to show
// where the cost per element steps up), called through its function table
// as a module calls it: deleting every selected element, deleting walls that hold windows and are
// linked to labels, one undo step that changes one element (and undoing it), the same step after
// 3,000 earlier ones kept in the undo history, and placing and labelling elements one step each.
// A real host does these in time that follows what changes, so the 100k project may cost about
// ten times the 10k one for the deletes (target: at most 12) and about the same for one step
// (target: at most 2), and a step after a long history about what the first one costs (target:
// at most 2). Each measure builds its project first, untimed. Prints the ratios at the end, the
// heap one step needs at its peak, and the heap a kept step and a placed element keep.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "HeapPeak.h"
#include "RunAll.h"
#include "platform/api/ElementRecords.h"
#include "platform/api/HostErrors.h"
#include "platform/api/OpeningRecords.h"
#include "platform/api/WallRecords.h"
#include "platform/gsroot/Containers.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"
#include "platform/host/StandInHost.h"

namespace {

constexpr uint32_t LineType = 19;
constexpr uint32_t LabelType = 16;

using Clock = std::chrono::steady_clock;

// Seconds of each measure (name) at each size.
std::map<std::string, std::map<int64_t, double>> g_seconds;
std::map<int64_t, int64_t> g_stepHeap;
std::map<int64_t, int64_t> g_keptPerStep;
std::map<int64_t, int64_t> g_keptPerElement;

constexpr int64_t EarlierSteps = 3000;

const HostFunctionTable& table(zavhost::StandInHost& host) {
    return host.functionTable();
}

GSErrCode inCommand(zavhost::StandInHost& host, std::function<GSErrCode()> body) {
    GS::UniString name("Bench Step");
    return host.runUndoableCommand(
        &name, [](void* data) { return (*static_cast<std::function<GSErrCode()>*>(data))(); }, &body);
}

// After building a project: one empty step, then large requests, so that the allocator has put
// away what the building freed (the call log above all) before anything is timed: glibc sorts the
// blocks freed since its last large request, at most 10,000 of them for each such request, so
// without these the first steps of a 100k project would pay for that a few milliseconds each.
void settle(zavhost::StandInHost& host) {
    inCommand(host, [] { return hosterr::Ok; });
    host.undo();
    host.calls().clear();
    for (int i = 0; i < 100; ++i) {
        void* block = std::malloc(4096);
        benchmark::DoNotOptimize(block);
        std::free(block);
    }
}

API_Guid create(zavhost::StandInHost& host, API_Element element) {
    if (table(host).CreateElement(&element, nullptr) != hosterr::Ok) return API_Guid();
    return element.head.guid;
}

API_Element defaultOf(zavhost::StandInHost& host, uint32_t type) {
    API_Element element;
    element.head.typeCode = type;
    table(host).GetDefaultElement(&element, nullptr);
    return element;
}

// Lines along a row, each 1 long.
std::vector<API_Guid> addLines(zavhost::StandInHost& host, int64_t count) {
    std::vector<API_Guid> made;
    API_Element line = defaultOf(host, LineType);
    inCommand(host, [&] {
        for (int64_t i = 0; i < count; ++i) {
            line.raw[sizeof(HostElementHead)] ^= 1; // records that differ a little
            made.push_back(create(host, line));
        }
        return hosterr::Ok;
    });
    host.calls().clear();
    return made;
}

struct Walls {
    std::vector<API_Guid> walls, windows, labels;
};

// Walls in a row, each with a window in its middle and a label linked to it: a third of the
// elements each.
Walls addWalls(zavhost::StandInHost& host, int64_t elements) {
    Walls made;
    API_Element wall = defaultOf(host, HostWallTypeCode);
    API_Element window = defaultOf(host, HostWindowTypeCode);
    API_Element label = defaultOf(host, LabelType);
    inCommand(host, [&] {
        for (int64_t i = 0; i < elements / 3; ++i) {
            HostWallElement part;
            std::memcpy(static_cast<void*>(&part), wall.raw, sizeof part);
            part.begin = {double(i) * 4.0, 0.0};
            part.end = {double(i) * 4.0 + 3.0, 0.0};
            std::memcpy(wall.raw, &part, sizeof part);
            const API_Guid w = create(host, wall);
            HostJoineryElement opening;
            std::memcpy(static_cast<void*>(&opening), window.raw, sizeof opening);
            opening.ownerGuid = w;
            opening.wallPosition = 1.5;
            std::memcpy(window.raw, &opening, sizeof opening);
            const API_Guid o = create(host, window);
            const API_Guid l = create(host, label);
            table(host).LinkElements(&w, &l, 0);
            made.walls.push_back(w);
            made.windows.push_back(o);
            made.labels.push_back(l);
        }
        return hosterr::Ok;
    });
    host.calls().clear();
    return made;
}

GSHandle headsOf(const std::vector<API_Guid>& guids) {
    GSHandle heads = BMNewHandle(static_cast<GSSize>(guids.size() * sizeof(HostElementHead)));
    for (size_t i = 0; i < guids.size(); ++i) {
        HostElementHead head;
        head.guid = guids[i];
        std::memcpy(*heads + i * sizeof head, &head, sizeof head);
    }
    return heads;
}

bool exists(zavhost::StandInHost& host, const API_Guid& guid) {
    HostElementHead head;
    head.guid = guid;
    return table(host).GetElementHeader(&head) == hosterr::Ok;
}

size_t listed(zavhost::StandInHost& host, uint32_t type) {
    GS::Array<API_Guid> guids;
    table(host).GetElementList(type, &guids, 0, 0, nullptr);
    return guids.GetSize();
}

// Selects every element (through the host, as the user's select-all would), then deletes them all
// in one step.
void deleteSelected(benchmark::State& state) {
    const int64_t count = state.range(0);
    for (auto _ : state) {
        zavhost::StandInHost host;
        host.newProject("Bench");
        const std::vector<API_Guid> lines = addLines(host, count);
        GSHandle references = BMNewHandle(static_cast<GSSize>(lines.size() * sizeof(HostSelectionRecord)));
        for (size_t i = 0; i < lines.size(); ++i) {
            HostSelectionRecord record;
            record.guid = lines[i];
            std::memcpy(*references + i * sizeof record, &record, sizeof record);
        }
        GSHandle heads = headsOf(lines);
        settle(host);
        const auto start = Clock::now();
        table(host).SelectElements(references, static_cast<int32_t>(lines.size()), true);
        const GSErrCode err = inCommand(
            host, [&] { return table(host).DeleteElements(heads, static_cast<int32_t>(lines.size())); });
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        BMKillHandle(&references);
        BMKillHandle(&heads);
        HostSelectionInfo info;
        GSHandle left = nullptr;
        table(host).GetSelection(&info, &left);
        if (err != hosterr::Ok || listed(host, 0) != 0 || info.count != 0)
            state.SkipWithError("not every selected element was deleted");
        BMKillHandle(&left);
    }
}

// Deletes every tenth wall in one step: its window goes with it, its label stays.
void deleteWalls(benchmark::State& state) {
    const int64_t count = state.range(0);
    for (auto _ : state) {
        zavhost::StandInHost host;
        host.newProject("Bench");
        const Walls made = addWalls(host, count);
        std::vector<API_Guid> gone;
        for (size_t i = 0; i < made.walls.size(); i += 10)
            gone.push_back(made.walls[i]);
        GSHandle heads = headsOf(gone);
        settle(host);
        const auto start = Clock::now();
        const GSErrCode err = inCommand(
            host, [&] { return table(host).DeleteElements(heads, static_cast<int32_t>(gone.size())); });
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        BMKillHandle(&heads);
        const size_t walls = made.walls.size() - gone.size();
        if (err != hosterr::Ok || listed(host, HostWallTypeCode) != walls ||
            listed(host, HostWindowTypeCode) != walls || listed(host, LabelType) != made.labels.size() ||
            exists(host, made.windows[0]) || !exists(host, made.labels[0]) || made.walls.size() < 10)
            state.SkipWithError("the walls' windows and labels are not as a wall's deletion leaves them");
    }
}

// One step that changes one element, then the user's undo of it; each timed on its own.
void undoStep(benchmark::State& state) {
    const int64_t count = state.range(0);
    zavhost::StandInHost host;
    host.newProject("Bench");
    const std::vector<API_Guid> lines = addLines(host, count);
    settle(host);
    double undoSeconds = 0.0;
    int64_t steps = 0;
    for (auto _ : state) {
        API_Element line;
        line.head.guid = lines[static_cast<size_t>(steps) % lines.size()];
        table(host).GetElement(&line);
        line.head.layer = 2;
        if (steps == 0) heappeak::start();
        const auto start = Clock::now();
        const GSErrCode err =
            inCommand(host, [&] { return table(host).ChangeElement(&line, nullptr, nullptr, 0, true); });
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (steps == 0) g_stepHeap[count] = heappeak::stop();
        const auto undoStart = Clock::now();
        const GSErrCode undone = host.undo();
        undoSeconds += std::chrono::duration<double>(Clock::now() - undoStart).count();
        host.calls().clear();
        if (err != hosterr::Ok || undone != hosterr::Ok) state.SkipWithError("the step failed");
        ++steps;
    }
    g_seconds["undo"][count] = undoSeconds / double(steps);
}

// Steps that each change one element and stay in the undo history, as a long session leaves
// them: 3,000 of them first (untimed), then each timed step is one more. A host whose steps cost
// what they change takes about as long for this step as for the first step of a fresh history
// (undoStep). Notes the heap each kept step holds.
void stepAfterHistory(benchmark::State& state) {
    const int64_t count = state.range(0);
    zavhost::StandInHost host;
    host.newProject("Bench");
    const std::vector<API_Guid> lines = addLines(host, count);
    settle(host);
    int64_t steps = 0;
    // The element's layer goes back and forth, so that every step changes it.
    auto changeOne = [&](bool timed) {
        API_Element line;
        line.head.guid = lines[static_cast<size_t>(steps * 7919) % lines.size()];
        table(host).GetElement(&line);
        line.head.layer = line.head.layer == 2 ? 3 : 2;
        const auto start = Clock::now();
        const GSErrCode err =
            inCommand(host, [&] { return table(host).ChangeElement(&line, nullptr, nullptr, 0, true); });
        if (timed) state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        host.calls().clear();
        host.transcript().clear();
        ++steps;
        return err == hosterr::Ok;
    };
    // What a kept step holds is measured over steps the history keeps whole.
    constexpr int64_t Measured = 500;
    static_assert(Measured <= static_cast<int64_t>(zavhost::UndoStepLimit));
    heappeak::start();
    bool changed = true;
    for (int64_t i = 0; i < Measured; ++i)
        changed = changeOne(false) && changed;
    g_keptPerStep[count] = heappeak::kept() / Measured;
    heappeak::stop();
    for (int64_t i = Measured; i < EarlierSteps; ++i)
        changed = changeOne(false) && changed;
    for (auto _ : state)
        changed = changeOne(true) && changed;
    // The last step can still be undone: the element is back on the layer it was on before.
    API_Element last;
    last.head.guid = lines[static_cast<size_t>((steps - 1) * 7919) % lines.size()];
    table(host).GetElement(&last);
    const int16_t layerAfter = last.head.layer;
    const bool undone = host.undo() == hosterr::Ok && table(host).GetElement(&last) == hosterr::Ok &&
                        last.head.layer != layerAfter;
    if (!changed || !undone) state.SkipWithError("a step failed, or the last one could not be undone");
}

// The user places elements and has each labelled, one undo step for each, and keeps the steps:
// the heap the project and its history keep for each element so placed.
void placeAndLabel(benchmark::State& state) {
    const int64_t count = state.range(0);
    for (auto _ : state) {
        zavhost::StandInHost host;
        host.newProject("Bench");
        API_Element wall = defaultOf(host, HostWallTypeCode);
        API_Element label = defaultOf(host, LabelType);
        settle(host);
        heappeak::start();
        const auto start = Clock::now();
        bool made = true;
        for (int64_t i = 0; i < count; ++i) {
            HostWallElement part;
            std::memcpy(static_cast<void*>(&part), wall.raw, sizeof part);
            part.begin = {double(i) * 4.0, 0.0};
            part.end = {double(i) * 4.0 + 3.0, 0.0};
            std::memcpy(wall.raw, &part, sizeof part);
            API_Guid placed;
            made = inCommand(host,
                             [&] {
                                 placed = create(host, wall);
                                 return hosterr::Ok;
                             }) == hosterr::Ok &&
                   made;
            made = inCommand(host,
                             [&] {
                                 const API_Guid l = create(host, label);
                                 return table(host).LinkElements(&placed, &l, 0);
                             }) == hosterr::Ok &&
                   made;
            host.calls().clear();
            host.transcript().clear();
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        g_keptPerElement[count] = heappeak::kept() / count;
        heappeak::stop();
        if (!made || listed(host, LabelType) != static_cast<size_t>(count) ||
            host.project()->undoSteps.size() < 2)
            state.SkipWithError("not every element was placed and labelled");
    }
}

void ratio(const char* what, const std::string& name, double target) {
    auto found = g_seconds.find(name);
    if (found == g_seconds.end() || !found->second.count(10000) || !found->second.count(100000)) return;
    const double small = found->second[10000], large = found->second[100000];
    std::printf("%-44s 10k %10.3f ms, 100k %10.3f ms, ratio %6.2f (target: at most %g)\n", what, small * 1e3,
                large * 1e3, large / small, target);
}

} // namespace

// The small projects are measured more often: they take a few milliseconds.
BENCHMARK(deleteSelected)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(deleteSelected)
    ->Arg(30000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(deleteWalls)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(deleteWalls)
    ->Arg(30000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(undoStep)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(20);

BENCHMARK(stepAfterHistory)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(20);
BENCHMARK(placeAndLabel)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    DBSetQuiet(true);
    if (!benchrun::runAll(argc, argv, [](const benchrun::Run& run) {
            g_seconds[run.run_name.function_name][std::stoll(run.run_name.args)] =
                run.real_accumulated_time / double(run.iterations);
        }))
        return 1;
    // Where the 10k project's structures fit in the processor's caches and the larger ones do not,
    // the cost per element steps up between 10k and 30k and stays from there.
    for (const char* name : {"deleteSelected", "deleteWalls"}) {
        std::printf("%s, per element of the project:", name);
        for (const auto& [size, seconds] : g_seconds[name])
            std::printf(" %lldk %.2f us", static_cast<long long>(size / 1000), seconds * 1e6 / double(size));
        std::printf("\n");
    }
    ratio("select all and delete them", "deleteSelected", 12);
    ratio("delete a tenth of the walls (window, label)", "deleteWalls", 12);
    ratio("one step changing one element", "undoStep", 2);
    ratio("undoing that step", "undo", 2);
    for (const auto& [size, seconds] : g_seconds["stepAfterHistory"])
        if (g_seconds["undoStep"].count(size))
            std::printf(
                "one step after 3,000 kept steps against the first step, %lldk: ratio %.2f (target: at "
                "most 2)\n",
                static_cast<long long>(size / 1000), seconds / g_seconds["undoStep"][size]);
    for (const auto& [size, bytes] : g_keptPerStep)
        std::printf("heap each kept step holds, %lld elements: %lld bytes\n", static_cast<long long>(size),
                    static_cast<long long>(bytes));
    for (const auto& [count, bytes] : g_keptPerElement)
        std::printf(
            "heap kept for each element placed and labelled (two steps each, the last %zu steps kept), "
            "%lld elements: %lld bytes\n",
            zavhost::UndoStepLimit, static_cast<long long>(count), static_cast<long long>(bytes));
    for (const auto& [size, bytes] : g_stepHeap)
        std::printf("heap one step needs at its peak, %lld elements: %lld bytes\n",
                    static_cast<long long>(size), static_cast<long long>(bytes));
    return 0;
}
