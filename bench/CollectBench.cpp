// Collecting the annotations of a whole project (AnnotationList::collectProject) from 1k, 10k and
// 100k text blocks and labels over 200 views of the in-process stand-in host, against reading the
// same XML alone into annotations (the reader the collectors use on each element). Two projects
// of each size: one showing 400 clauses over and over (the list stays short, its links grow),
// one giving every element a clause of its own (the list grows with the elements). Collection
// must stay within twice the reading, and grow with the elements: 100k against 10k within 8 to
// 12 times. The memory a collect needs, as a user sees it (the peak of resident pages in a
// process of its own), is told against the bytes of XML read: target at most 3 times. Prints the
// ratios at the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AnnotatedProject.h"
#include "Environment/MemoryBlock.h"
#include "ResidentPeak.h"
#include "RunAll.h"
#include "annotation/AnnotationList.h"
#include "elements/ElementFactory.h"
#include "library/LibraryModel.h"
#include "platform/gsroot/Memory.h"
#include "support/TestAddon.h"

using zavlink::Annotation;
using zavlink::AnnotationList;

namespace {

constexpr size_t Views = 200;
constexpr size_t SharedClauses = 400;
const std::vector<int64_t> Counts{1000, 10000, 100000};

// Which clauses the elements show: 400 over and over, or one each.
enum class Clauses { Shared, Own };

const char* nameOf(Clauses clauses) {
    return clauses == Clauses::Shared ? "shared" : "own";
}

// One host lives at a time: the project last asked for.
struct World {
    std::unique_ptr<testsupport::ModuleUnderTest> module;
    benchproject::Placed placed;
    size_t count = 0;
    Clauses clauses = Clauses::Shared;

    ~World() { drop(); }
    void drop() {
        if (!module) return;
        tarnwick::releaseElementCreators();
        module.reset();
        placed = {};
        count = 0;
    }
    zavhost::StandInHost& prepare(size_t elements, Clauses shown) {
        if (count != elements || clauses != shown) {
            drop();
            module = std::make_unique<testsupport::ModuleUnderTest>();
            tarnwick::registerDraftingElementCreators();
            const size_t made = shown == Clauses::Shared ? SharedClauses : elements;
            placed = benchproject::placeAnnotations(module->host(), benchproject::makeClauses(made), elements,
                                                    Views);
            count = elements;
            clauses = shown;
        }
        // The stand-in host's call log is no part of what is measured.
        module->host().calls().clear();
        return module->host();
    }
    size_t expected() const { return clauses == Clauses::Shared ? std::min(count, SharedClauses) : count; }
};

World* g_world = nullptr;

struct Measured {
    double seconds = 0;
    double resident = 0;
    double xml = 0;
};
std::map<std::string, Measured> g_results; // by "collect_shared/N", "parse_own/N", ...

void parse(benchmark::State& state, Clauses clauses) {
    const size_t count = static_cast<size_t>(state.range(0));
    g_world->prepare(count, clauses);
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
    state.counters["xml_bytes"] = static_cast<double>(g_world->placed.xmlBytes);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count));
}

void collect(benchmark::State& state, Clauses clauses) {
    const size_t count = static_cast<size_t>(state.range(0));
    zavhost::StandInHost& host = g_world->prepare(count, clauses);
    const size_t expected = g_world->expected();
    // A first round faults in the pages the collection needs and lets the host index its elements.
    AnnotationList().collectProject(nullptr);
    host.calls().clear();
    size_t calls = 0;
    for (auto _ : state) {
        AnnotationList list;
        const size_t added = list.collectProject(nullptr);
        if (added != expected) state.SkipWithError("not every clause was collected");
        state.PauseTiming();
        calls = host.calls().size();
        host.calls().clear();
        state.ResumeTiming();
    }
    auto collectOnce = [] {
        AnnotationList list;
        list.collectProject(nullptr);
    };
    // The host's call log is emptied after the warm-up round, as between timed rounds.
    const int64_t resident = residentpeak::measure(collectOnce, [&host, &collectOnce] {
        collectOnce();
        host.calls().clear();
    });
    state.counters["host_calls"] = static_cast<double>(calls);
    state.counters["xml_bytes"] = static_cast<double>(g_world->placed.xmlBytes);
    state.counters["resident_bytes"] = static_cast<double>(resident);
    state.counters["resident_per_xml"] =
        static_cast<double>(resident) / static_cast<double>(g_world->placed.xmlBytes);
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
    for (Clauses clauses : {Clauses::Shared, Clauses::Own})
        for (int64_t count : Counts) {
            // Fewer rounds where one takes long; each is a whole pass over the project.
            const int64_t rounds = count >= 100000 ? 5 : count >= 10000 ? 20 : 100;
            const std::string name = nameOf(clauses);
            benchmark::RegisterBenchmark(("parse_" + name).c_str(), parse, clauses)
                ->Arg(count)
                ->Iterations(rounds)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("collect_" + name).c_str(), collect, clauses)
                ->Arg(count)
                ->Iterations(rounds)
                ->Unit(benchmark::kMillisecond);
        }
    if (!benchrun::runAll(argc, argv, [](const benchrun::Run& run) {
            Measured& m = g_results[run.run_name.function_name + "/" + run.run_name.args];
            m.seconds = run.GetAdjustedRealTime();
            if (auto it = run.counters.find("resident_bytes"); it != run.counters.end())
                m.resident = it->second;
            if (auto it = run.counters.find("xml_bytes"); it != run.counters.end()) m.xml = it->second;
        }))
        return 1;
    world.drop();

    for (Clauses clauses : {Clauses::Shared, Clauses::Own}) {
        const std::string name = nameOf(clauses);
        for (int64_t count : Counts) {
            const std::string n = std::to_string(count);
            const auto it = g_results.find("collect_" + name + "/" + n);
            if (it == g_results.end()) continue;
            std::printf(
                "%6s clauses, %6s elements: collect / parse time %.2f (target: at most 2); collect peak "
                "resident / XML bytes %.2f (target: at most 3)\n",
                name.c_str(), n.c_str(),
                ratio("collect_" + name + "/" + n, "parse_" + name + "/" + n, &Measured::seconds),
                it->second.xml > 0 ? it->second.resident / it->second.xml : 0.0);
        }
        const std::string collect = "collect_" + name + "/", parse = "parse_" + name + "/";
        std::printf("%6s clauses: collect 100k / 10k: time %.2f (target: 8 to 12), peak resident %.2f; parse "
                    "100k / 10k: time %.2f\n",
                    name.c_str(), ratio(collect + "100000", collect + "10000", &Measured::seconds),
                    ratio(collect + "100000", collect + "10000", &Measured::resident),
                    ratio(parse + "100000", parse + "10000", &Measured::seconds));
    }
    return 0;
}
