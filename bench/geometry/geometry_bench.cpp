// Designation parsing, the geometry's recomputation and loading a maker from the shipped
// catalogue.

#include "geometry/coil_makers.h"
#include "geometry/designation.h"
#include "geometry/fin_and_tube.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

void BM_ParseDesignation(benchmark::State& state)
{
    TModelValues values;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseDesignation("544 720 4r 12f 7c", values));
        benchmark::DoNotOptimize(values);
    }
}
BENCHMARK(BM_ParseDesignation);

void BM_FinAndTubeUpdate(benchmark::State& state)
{
    TFinAndTube geometry;
    for (auto _ : state) {
        geometry.Update();
        benchmark::DoNotOptimize(geometry.SurfaceEfficiency());
    }
}
BENCHMARK(BM_FinAndTubeUpdate);

// The last maker of the shipped catalogue, read afresh each time (no cache).
void BM_LoadMakerShipped(benchmark::State& state)
{
    TFolderEnvironment env;
    env.MakerRootOverride = VANTOR_SHARE_DIR;
    env.XdgDataHome = "/nonexistent-vantor-bench";
    for (auto _ : state) {
        TCoilMakers catalogue(env);
        catalogue.LoadMaker("GEA");
        if (catalogue.CachedRanges().empty()) state.SkipWithError("the shipped catalogue has no GEA ranges");
        benchmark::DoNotOptimize(catalogue.CachedRanges().data());
    }
}
BENCHMARK(BM_LoadMakerShipped)->Unit(benchmark::kMicrosecond);

}  // namespace
