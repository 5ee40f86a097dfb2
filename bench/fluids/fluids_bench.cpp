// The psychrometric and liquid property calls on the coil's hot path.

#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "psychro/psychro.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

// Dry and wet bulb pairs across the usual range, so no single state's iteration count rules.
constexpr double kStates[][2] = {{24.0, 17.0}, {5.0, 2.0}, {-10.0, -12.0}, {35.0, 21.0}, {60.0, 30.0}};
constexpr int kStateCount = 5;

void SetStateDryAndWetBulb(benchmark::State& bench)
{
    TMoistAirState air;
    int i = 0;
    for (auto _ : bench) {
        const auto& s = kStates[i++ % kStateCount];
        benchmark::DoNotOptimize(SetState(air, 101.325, s[0], s[1], pcDbWb));
        benchmark::DoNotOptimize(air);
    }
}
BENCHMARK(SetStateDryAndWetBulb);

// Off-coil air completed from the dry bulb and enthalpy the solve sets together.
void AirStateDryBulbAndEnthalpy(benchmark::State& bench)
{
    TMoistAirState inputs[kStateCount];
    for (int j = 0; j < kStateCount; ++j) SetState(inputs[j], 101.325, kStates[j][0], kStates[j][1], pcDbWb);
    TMoistAirState air;
    int i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(AirState(air, inputs[i++ % kStateCount], pcDbH));
        benchmark::DoNotOptimize(air);
    }
}
BENCHMARK(AirStateDryBulbAndEnthalpy);

// One slice of the step-by-step simulation: heat at constant moisture, completed from (h, W).
void AirStateEnthalpyAndMoisture(benchmark::State& bench)
{
    TMoistAirState air;
    SetState(air, 101.325, 5.0, 2.0, pcDbWb);
    const TMoistAirState start = air;
    int slice = 0;
    for (auto _ : bench) {
        if (++slice == 100) {
            air = start;
            slice = 0;
        }
        air.h += 0.5;
        benchmark::DoNotOptimize(AirState(air, air, pcHW));
    }
}
BENCHMARK(AirStateEnthalpyAndMoisture);

void LiquidSetTfo(benchmark::State& bench, std::uint8_t additive, double volume)
{
    TLiquid liquid("Water", 1.0, 80.0, 60.0, fcWater);
    liquid.WaterAdditive = additive;
    liquid.AdditiveVolume = volume;
    liquid.Update();
    double outlet = 40.0;
    for (auto _ : bench) {
        outlet = outlet > 70.0 ? 40.0 : outlet + 0.37;
        liquid.SetTfo(outlet);
        benchmark::DoNotOptimize(liquid.Pr);
    }
}
BENCHMARK_CAPTURE(LiquidSetTfo, Water, std::uint8_t{waNone}, 0.0);
BENCHMARK_CAPTURE(LiquidSetTfo, EthyleneGlycol30, std::uint8_t{waEthyleneGlycol}, 0.3);

}  // namespace
