// The work of one vantor.rate call without Python: the first-run document, two row edits, the
// solve and the `--json` object, with the start shared as the module shares it. The module's
// call should cost this plus the crossing into Python.

#include "cli/rate_command.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

using namespace vantor;

void BM_RateJsonFirstRun(benchmark::State& state)
{
    ::setenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR, 1);
    const cli::TRateStart start(true, [](const std::string&) {});
    cli::TRateOptions o;
    o.NoSettings = true;
    o.AirVolume = "1.8";
    o.FluidInlet = "75";
    for (auto _ : state) {
        const cli::TRateRun run = cli::RunRating(o, false, start, [](const std::string&) {});
        benchmark::DoNotOptimize(cli::RatingJson(run));
    }
}
BENCHMARK(BM_RateJsonFirstRun)->Unit(benchmark::kMicrosecond);

}  // namespace
