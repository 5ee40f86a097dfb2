// The rating is the inner loop of every window and of catalogue sweeps: the first-run coil
// (544 720 4r 12f 7c, 25/17 air at 2.5 m/s, water at 45 °C and 1.0 m/s, flow control).

#include "fluids/air_state_text.h"
#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "model/hot_water_coil.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

constexpr std::string_view kDesignation = "544 720 4r 12f 7c";

struct TFirstRunCoil {
    TFirstRunCoil() : Coil({AirOn, AirOff, Water}, kDesignation)
    {
        ParseAirState("25/17", AirOn, 101.325, 0.5);
        AirOff = AirOn;
        Reset();
    }

    // Back to the inputs of a first run, so that every solve starts from the same state.
    void Reset()
    {
        Coil.Qt = 0;
        Coil.LiquidState.ctrl = TFluidControl::Flow;
        Coil.LiquidState.SetLeavingTemp(35);
        Coil.LiquidState.SetVelocity(1.0);
        Coil.SetFaceVelocity(2.5);
    }

    TMoistAirState AirOn;
    TMoistAirState AirOff;
    TLiquid Water{"Water", 0, 45, 35, fcWater};
    THotWaterCoil Coil;
};

void BM_Solve(benchmark::State& state)
{
    TFirstRunCoil r;
    for (auto _ : state) {
        r.Reset();
        benchmark::DoNotOptimize(r.Coil.Solve());
    }
    if (r.Coil.Status != TSolveStatus::Solved) state.SkipWithError("the solve did not converge");
}
BENCHMARK(BM_Solve)->Unit(benchmark::kMicrosecond);

void BM_SizeFaceArea50kW(benchmark::State& state)
{
    TFirstRunCoil r;
    for (auto _ : state) {
        r.Coil.SetModelText(kDesignation);
        r.Coil.DutyPerVolume = 27.5;
        r.Reset();
        benchmark::DoNotOptimize(r.Coil.SizeFaceArea(0, 50));
    }
    if (r.Coil.Status != TSolveStatus::Solved) state.SkipWithError("the sizing failed");
}
BENCHMARK(BM_SizeFaceArea50kW)->Unit(benchmark::kMillisecond);

void BM_SimulateSteps(benchmark::State& state)
{
    TFirstRunCoil r;
    r.Coil.Solve();
    for (auto _ : state) benchmark::DoNotOptimize(r.Coil.SimulateSteps().Duty);
    if (!r.Coil.SimulateSteps().Converged()) state.SkipWithError("the simulation failed");
}
BENCHMARK(BM_SimulateSteps)->Unit(benchmark::kMillisecond);

// A coil whose water leaves within 5 K of the 13.5 °C air: the far end of the march answers
// the face temperature a dozen times over.
void BM_SimulateStepsSteepCoil(benchmark::State& state)
{
    TFirstRunCoil r;
    r.Coil.SetModelText("700 2400 4r 10f 4c");
    ParseAirState("13.5/9.1", r.AirOn, 101.325, 0.5);
    r.Coil.SetAirVolume(4.28);
    r.Coil.LiquidState.SetInletTemp(80.4);
    r.Coil.LiquidState.SetVelocity(1.0);
    r.Coil.Solve();
    for (auto _ : state) benchmark::DoNotOptimize(r.Coil.SimulateSteps().Duty);
    if (!r.Coil.SimulateSteps().Converged()) state.SkipWithError("the simulation failed");
}
BENCHMARK(BM_SimulateStepsSteepCoil)->Unit(benchmark::kMillisecond);

}  // namespace
