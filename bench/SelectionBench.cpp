// Walking a drawing of many elements with all of them selected, against the same walk with none
// selected: each read looks its element up in the kept selection, which must not cost more than
// the read itself. Prints the ratio at the end (target: at most 2).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

#include "RunAll.h"
#include "elements/ElementTestSupport.h"
#include "project/Plan.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

std::map<bool, double> g_seconds;

void walk(benchmark::State& state) {
    const bool selected = state.range(1) != 0;
    const int64_t count = state.range(0);
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    Creators creators{15};
    zavhost::Project& project = *host.project();
    auto& selection = project.session.selectionOf(project.model.views.keyOf(project.model.views.plan()));
    for (int64_t i = 0; i < count; ++i) {
        API_Guid guid = addHostElement(host, 15);
        if (!selected) continue;
        HostSelectionRecord record;
        record.guid = guid;
        record.selectionKind = 1;
        selection.push_back(record);
    }
    Plan* plan = Host::getPlan();
    const Drawing::Filter filter(uint16_t(15), false, false, false);
    for (auto _ : state) {
        plan->reset(); // each walk reads the selection afresh
        int64_t read = 0;
        for (auto it = plan->cbegin(filter); it != Drawing::cend(); ++it)
            ++read;
        if (read != count) state.SkipWithError("not every element was read");
        host.calls().clear(); // the stand-in host's call log is not what is measured
    }
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(walk)
    ->ArgsProduct({{100000}, {0, 1}})
    ->ArgNames({"elements", "selected"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char** argv) {
    if (!benchrun::runAll(argc, argv, [](const benchrun::Run& run) {
            g_seconds[run.run_name.str().find("selected:1") != std::string::npos] = run.GetAdjustedRealTime();
        }))
        return 1;
    if (g_seconds.count(false) && g_seconds.count(true))
        std::printf("walk with every element selected, against none selected: %.2f (target: at most 2)\n",
                    g_seconds[true] / g_seconds[false]);
    return 0;
}
