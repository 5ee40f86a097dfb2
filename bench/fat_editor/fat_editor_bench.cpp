// Every edit in the fin and tube editor rates the coil again and rebuilds the summary page:
// the first-run coil (544 720 4r 12f 7c), from the change to the page's lines.

#include "core/model/first_run_coil.h"
#include "model/fat_editor.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

// A typed row count, alternating so that every pass is a real change.
void BM_TypedRowsToSummary(benchmark::State& state)
{
    test::TFirstRunCoil fixture;
    TFatEditor editor;
    editor.SetTargetCoil(&fixture.Coil);
    editor.Activate();
    double rows = 4;
    for (auto _ : state) {
        rows = rows == 4 ? 5 : 4;
        editor.EditExit(TFatValue::Rows, rows);
        benchmark::DoNotOptimize(editor.SummaryLines().data());
    }
}
BENCHMARK(BM_TypedRowsToSummary)->Unit(benchmark::kMicrosecond);

// A spin of the circuits (the divisor search), up and down in turn.
void BM_CircuitSpinToSummary(benchmark::State& state)
{
    test::TFirstRunCoil fixture;
    TFatEditor editor;
    editor.SetTargetCoil(&fixture.Coil);
    editor.Activate();
    bool up = true;
    for (auto _ : state) {
        editor.Spin(TFatValue::Circuits, up);
        up = !up;
        benchmark::DoNotOptimize(editor.SummaryLines().data());
    }
}
BENCHMARK(BM_CircuitSpinToSummary)->Unit(benchmark::kMicrosecond);

// A typed height: the air flow and the circuits follow the new face.
void BM_TypedHeightToSummary(benchmark::State& state)
{
    test::TFirstRunCoil fixture;
    TFatEditor editor;
    editor.SetTargetCoil(&fixture.Coil);
    editor.Activate();
    double height = 0.5334;
    for (auto _ : state) {
        height = height == 0.5334 ? 0.6096 : 0.5334;
        editor.EditExit(TFatValue::FinHeight, height);
        benchmark::DoNotOptimize(editor.SummaryLines().data());
    }
}
BENCHMARK(BM_TypedHeightToSummary)->Unit(benchmark::kMicrosecond);

}  // namespace
