// What one line of `rate --batch` costs beside the rating it asks for: the engine's solve of a
// coil alone, a schedule line as a worker rates it (its document put back to the start, the
// line's edits, the solve, the results read), and the same line with a document made for it
// alone, as every line once was. The lines take turns over four coils, air volumes and inlets.

#include "cli/rate_batch.h"
#include "fluids/air_state_text.h"
#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "model/hot_water_coil.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace vantor;

void BM_EngineRating(benchmark::State& state)
{
    TMoistAirState airOn;
    TMoistAirState airOff;
    TLiquid water{"Water", 0, 45, 35, fcWater};
    ParseAirState("25/17", airOn, 101.325, 0.5);
    airOff = airOn;
    THotWaterCoil coil({airOn, airOff, water}, "544 720 4r 12f 7c");
    for (auto _ : state) {
        coil.Qt = 0;
        coil.LiquidState.ctrl = TFluidControl::Flow;
        coil.LiquidState.SetLeavingTemp(35);
        coil.LiquidState.SetVelocity(1.0);
        coil.SetFaceVelocity(2.5);
        benchmark::DoNotOptimize(coil.Solve());
    }
    if (coil.Status != TSolveStatus::Solved) state.SkipWithError("the solve did not converge");
}
BENCHMARK(BM_EngineRating)->Unit(benchmark::kMicrosecond);

std::vector<cli::TRateOptions> ScheduleLines()
{
    const char* models[] = {"544 720 4r 12f 7c", "914.4 1500 2r 10f 12c", "610 1200 3r 8f 8c", "457 900 1r 14f 6c"};
    std::vector<cli::TRateOptions> lines;
    for (int i = 0; i < 40; ++i) {
        cli::TRateOptions o;
        o.NoSettings = true;
        o.Model = models[i % 4];
        o.AirVolume = std::to_string(1 + i % 3) + "." + std::to_string(i % 10);
        o.FluidInlet = std::to_string(50 + i % 40);
        lines.push_back(o);
    }
    return lines;
}

const cli::TRateStart& Start()
{
    ::setenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR, 1);
    static const cli::TRateStart start(true, [](const std::string&) {});
    return start;
}

void BM_ScheduleLine(benchmark::State& state)
{
    const std::vector<cli::TRateOptions> lines = ScheduleLines();
    cli::TScheduleRater rater(Start());
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(rater.Rate(lines[i++ % lines.size()]));
}
BENCHMARK(BM_ScheduleLine)->Unit(benchmark::kMicrosecond);

void BM_ScheduleLineOwnDocument(benchmark::State& state)
{
    const std::vector<cli::TRateOptions> lines = ScheduleLines();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(cli::RateScheduleLine(lines[i++ % lines.size()], Start()));
}
BENCHMARK(BM_ScheduleLineOwnDocument)->Unit(benchmark::kMicrosecond);

}  // namespace
