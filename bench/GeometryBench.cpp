// CadPolygon::cleanUp on contours made mostly of repeated vertices (each point ten times), at 20k
// and 200k vertices: the 200k run is the 20k run's reference, and a linear cleanUp costs about ten
// times as much per run, the same per vertex. Prints that ratio at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

#include "RunAll.h"
#include "geometry/CadPolygon.h"

using namespace tarnwick;

namespace {

std::map<int64_t, double> g_nsPerVertex;

CadPolygon repeatedVertices(int64_t count) {
    CadPolygon polygon(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        CadPoint p;
        p.movePolar(100.0, static_cast<double>(i / 10) * kTwoPi / static_cast<double>(count / 10));
        polygon.append(PolyPoint(p));
    }
    return polygon;
}

void cleanUp(benchmark::State& state) {
    const CadPolygon original = repeatedVertices(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto polygon = std::make_unique<CadPolygon>(original);
        state.ResumeTiming();
        polygon->cleanUp();
        state.PauseTiming(); // the copy and its deletion are not the work measured
        if (polygon->getVertexCount() * 10 != original.getVertexCount()) state.SkipWithError("wrong count");
        polygon.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(cleanUp)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

int main(int argc, char** argv) {
    if (!benchrun::runAll(argc, argv, [](const benchrun::Run& run) {
            if (run.complexity_n > 0)
                g_nsPerVertex[run.complexity_n] =
                    run.GetAdjustedRealTime() * 1e6 / static_cast<double>(run.complexity_n);
        }))
        return 1;
    if (g_nsPerVertex.count(20000) && g_nsPerVertex.count(200000))
        std::printf("cleanUp per vertex, 200k against 20k: %.2f (linear: about 1; target below 2)\n",
                    g_nsPerVertex[200000] / g_nsPerVertex[20000]);
    return 0;
}
