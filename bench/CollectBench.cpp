// Collecting the annotations of a whole project (AnnotationList::collectProject) from 1k, 10k and
// 100k text blocks and labels over 200 views of the in-process stand-in host, against reading the
// same XML alone into annotations (the reader the collectors use on each element). Collection
// must grow with the elements: 100k against 10k within 8 to 12 times. The heap at its peak (less
// the texts of the stand-in host's call log, which a real host does not keep) is told against the
// bytes of XML read. Prints the ratios at the end.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AnnotatedProject.h"
#include "Environment/MemoryBlock.h"
#include "HeapPeak.h"
#include "annotation/AnnotationList.h"
#include "elements/ElementFactory.h"
#include "library/LibraryModel.h"
#include "platform/gsroot/Memory.h"
#include "support/TestAddon.h"

using zavlink::Annotation;
using zavlink::AnnotationList;

namespace {

constexpr size_t Views = 200;
constexpr size_t Clauses = 400;
const std::vector<int64_t> Counts{1000, 10000, 100000};

// One host lives at a time: the project of the last count asked for.
struct World {
    std::unique_ptr<testsupport::ModuleUnderTest> module;
    std::vector<Annotation> clauses = benchproject::makeClauses(Clauses);
    benchproject::Placed placed;
    size_t count = 0;

    ~World() { drop(); }
    void drop() {
        if (!module) return;
        tarnwick::releaseElementCreators();
        module.reset();
        count = 0;
    }
    zavhost::StandInHost& prepare(size_t elements) {
        if (count != elements) {
            drop();
            module = std::make_unique<testsupport::ModuleUnderTest>();
            tarnwick::registerDraftingElementCreators();
            placed = benchproject::placeAnnotations(module->host(), clauses, elements, Views);
            count = elements;
        }
        // The stand-in host's call log is no part of what is measured.
        module->host().calls().clear();
        return module->host();
    }
};

World* g_world = nullptr;

struct Measured {
    double seconds = 0;
    double peak = 0;
    double xml = 0;
};
std::map<std::string, Measured> g_results; // by "parse/N" and "collect/N"

// The heap the stand-in host's call log holds beyond its array: a real host keeps no such log.
int64_t logHeapBytes(zavhost::StandInHost& host) {
    int64_t bytes = 0;
    auto add = [&bytes](const std::string& text) {
        const char* inside = reinterpret_cast<const char*>(&text);
        if (text.data() < inside || text.data() >= inside + sizeof text) // not held in the object
            bytes += static_cast<int64_t>(malloc_usable_size(const_cast<char*>(text.data())));
    };
    for (const zavhost::HostCall& call : host.calls().calls()) {
        add(call.function);
        add(call.selector);
        add(call.arguments);
    }
    return bytes;
}

void setMemoryCounters(benchmark::State& state, int64_t peak) {
    state.counters["xml_bytes"] = static_cast<double>(g_world->placed.xmlBytes);
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["peak_per_xml"] =
        static_cast<double>(peak) / static_cast<double>(g_world->placed.xmlBytes);
}

void parse(benchmark::State& state) {
    const size_t count = static_cast<size_t>(state.range(0));
    g_world->prepare(count);
    std::vector<tarnwick::MemoryBlock> blocks;
    blocks.reserve(count);
    for (const std::string& xml : g_world->placed.xml) {
        GSHandle handle = BMNewHandle(static_cast<GSSize>(xml.size()));
        std::copy(xml.begin(), xml.end(), *handle);
        blocks.emplace_back(handle);
    }
    auto readAll = [&blocks, &state] {
        for (const tarnwick::MemoryBlock& block : blocks) {
            Annotation read;
            if (!read.readFromBlock(block)) state.SkipWithError("a block did not read");
            benchmark::DoNotOptimize(read);
        }
    };
    readAll(); // as collecting has a round before it is timed
    for (auto _ : state)
        readAll();
    heappeak::start();
    readAll();
    setMemoryCounters(state, heappeak::stop());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count));
}

void collect(benchmark::State& state) {
    const size_t count = static_cast<size_t>(state.range(0));
    zavhost::StandInHost& host = g_world->prepare(count);
    const size_t expected = std::min(count, Clauses);
    // A first round faults in the pages the collection needs and lets the host index its elements.
    AnnotationList().collectProject(nullptr);
    host.calls().clear();
    for (auto _ : state) {
        AnnotationList list;
        const size_t added = list.collectProject(nullptr);
        if (added != expected) state.SkipWithError("not every clause was collected");
        state.PauseTiming();
        host.calls().clear();
        state.ResumeTiming();
    }
    heappeak::start();
    {
        AnnotationList list;
        list.collectProject(nullptr);
    }
    // The log's array was grown by the timed rounds already; its texts are new in this one.
    const int64_t peak = heappeak::stop() - logHeapBytes(host);
    state.counters["host_calls"] = static_cast<double>(host.calls().size());
    host.calls().clear();
    setMemoryCounters(state, peak);
    state.counters["texts"] = static_cast<double>(g_world->placed.texts);
    state.counters["labels"] = static_cast<double>(g_world->placed.labels);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count));
}

double ratio(const std::string& a, const std::string& b, double Measured::*field) {
    auto x = g_results.find(a), y = g_results.find(b);
    if (x == g_results.end() || y == g_results.end() || y->second.*field == 0) return 0;
    return x->second.*field / y->second.*field;
}

} // namespace

int main(int argc, char** argv) {
    World world;
    g_world = &world;
    for (int64_t count : Counts) {
        // Fewer rounds where one takes long; each is a whole pass over the project.
        const int64_t rounds = count >= 100000 ? 5 : count >= 10000 ? 20 : 100;
        benchmark::RegisterBenchmark("parse", parse)
            ->Arg(count)
            ->Iterations(rounds)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("collect", collect)
            ->Arg(count)
            ->Iterations(rounds)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    struct Collector : benchmark::ConsoleReporter {
        Collector() : ConsoleReporter(OO_Tabular) {}
        void ReportRuns(const std::vector<Run>& runs) override {
            for (const Run& run : runs) {
                if (run.run_type != Run::RT_Iteration || run.iterations == 0 || run.error_occurred) continue;
                Measured& m = g_results[run.run_name.function_name + "/" + run.run_name.args];
                m.seconds = run.GetAdjustedRealTime();
                if (auto it = run.counters.find("peak_bytes"); it != run.counters.end()) m.peak = it->second;
                if (auto it = run.counters.find("xml_bytes"); it != run.counters.end()) m.xml = it->second;
            }
            ConsoleReporter::ReportRuns(runs);
        }
    } reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    world.drop();

    for (int64_t count : Counts) {
        const std::string n = std::to_string(count);
        const auto it = g_results.find("collect/" + n);
        if (it == g_results.end()) continue;
        std::printf("%7s elements: collect / parse time %.2f; collect peak heap / XML bytes %.2f\n",
                    n.c_str(), ratio("collect/" + n, "parse/" + n, &Measured::seconds),
                    it->second.peak / it->second.xml);
    }
    std::printf(
        "collect 100k / 10k: time %.2f (target: 8 to 12), peak heap %.2f; parse 100k / 10k: time %.2f\n",
        ratio("collect/100000", "collect/10000", &Measured::seconds),
        ratio("collect/100000", "collect/10000", &Measured::peak),
        ratio("parse/100000", "parse/10000", &Measured::seconds));
    return 0;
}
