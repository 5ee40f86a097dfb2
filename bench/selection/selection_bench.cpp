// The selection engine: one worker's ratings with its coil reused, and whole selections on
// every core, reporting ratings per second (the shipped "Typical" ranges, 100 kW into 3 m³/s
// of air at 0/-2 °C from water at 80 °C with a 20 K drop).

#include "fluids/air_state_text.h"
#include "geometry/coil_makers.h"
#include "selection/candidate_rater.h"
#include "selection/coil_selector.h"
#include "selection/selection_inputs.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>

namespace {

using namespace vantor;

TSelectionRequest TypicalRequest()
{
    ::setenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR, 1);
    TSelectionRequest request;
    TSelectionRequirement& req = request.Requirement;
    req.Duty = 100;
    ParseAirState("0/-2", req.AirOn, 101.325, 0.5);
    req.AirVolume = 3;
    req.FluidInlet = 80;
    req.DesignDT = 20;
    request.Limits.MaxAirDrop = 150;
    request.Limits.MaxFluidDrop = 50;
    request.Limits.MaxFaceVelocity = 3;
    TCoilMakers catalogue(TFolderEnvironment::FromProcess());
    // Without the catalogue there is nothing to measure.
    if (const TResult read = CatalogueRanges(catalogue, "Typical", "", request.Space.Ranges); !read)
        throw std::runtime_error(read.Message);
    return request;
}

// One candidate after another on one worker: a geometry and a circuit count, rated.
void BM_RateCandidate(benchmark::State& state)
{
    const TSelectionRequest request = TypicalRequest();
    TCandidateRater rater(request);
    rater.SetRange(request.Space.Ranges.front());
    int rows = 1;
    for (auto _ : state) {
        rater.SetGeometry({0.9144, 1.5, rows, 10});
        benchmark::DoNotOptimize(rater.Rate(12));
        rows = rows % 8 + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RateCandidate)->Unit(benchmark::kMicrosecond);

// Every candidate of a space rated (no weight bound: the results list is never full), on
// every core: the engine's ratings per second.
void BM_RatingsAllCores(benchmark::State& state)
{
    TSelectionRequest request = TypicalRequest();
    request.Space.MinHeight = 0.6;
    request.Space.MaxHeight = 1.2;
    request.Space.MinLength = 1.0;
    request.Space.MaxLength = 2.0;
    request.Space.LengthStep = 0.05;
    request.Top = 1000000;
    long long ratings = 0;
    for (auto _ : state) {
        TSelectionFeedback feedback;
        ratings += TCoilSelector::Run(request, feedback).Ratings;
    }
    state.counters["ratings/s"] = benchmark::Counter(static_cast<double>(ratings), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RatingsAllCores)->Unit(benchmark::kMillisecond)->UseRealTime();

void Select(benchmark::State& state, bool fixedFace, bool distinct = false)
{
    TSelectionRequest request = TypicalRequest();
    request.Distinct = distinct;
    if (fixedFace) {
        request.Space.FixedHeight = 0.9144;
        request.Space.FixedLength = 1.5;
    }
    long long ratings = 0;
    for (auto _ : state) {
        TSelectionFeedback feedback;
        const TSelectionOutcome outcome = TCoilSelector::Run(request, feedback);
        if (outcome.Results.empty()) state.SkipWithError("nothing selected");
        ratings += outcome.Ratings;
    }
    state.counters["ratings/s"] = benchmark::Counter(static_cast<double>(ratings), benchmark::Counter::kIsRate);
}
void BM_SelectFreeFace(benchmark::State& state) { Select(state, false); }
void BM_SelectFixedFace(benchmark::State& state) { Select(state, true); }
// The free face, only the lightest face of each coil: a weaker weight bound while the list fills.
void BM_SelectFreeFaceDistinct(benchmark::State& state) { Select(state, false, true); }
BENCHMARK(BM_SelectFreeFace)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SelectFreeFaceDistinct)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SelectFixedFace)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
