// Every edit in the fin and tube editor rates the coil again and rebuilds the summary page:
// the first-run coil (544 720 4r 12f 7c), from the change to the summary's entries.

#include "core/model/first_run_coil.h"
#include "coil_editor/coil_editor.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

// Runs change(editor, pass) once an iteration, each pass a real change of the coil.
template <typename Change>
void EditToSummary(benchmark::State& state, Change change)
{
    test::TFirstRunCoil fixture;
    TFatEditor editor;
    editor.SetTargetCoil(&fixture.Coil);
    editor.Activate();
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        change(editor, odd);
        benchmark::DoNotOptimize(editor.Summary().data());
    }
}

// A typed row count, 5 and 4 in turn.
void BM_TypedRowsToSummary(benchmark::State& state)
{
    EditToSummary(state, [](TFatEditor& editor, bool odd) { editor.EditExit(TFatValue::Rows, odd ? 5 : 4); });
}
BENCHMARK(BM_TypedRowsToSummary)->Unit(benchmark::kMicrosecond);

// A spin of the circuits (the divisor search), up and down in turn.
void BM_CircuitSpinToSummary(benchmark::State& state)
{
    EditToSummary(state, [](TFatEditor& editor, bool odd) { editor.Spin(TFatValue::Circuits, odd); });
}
BENCHMARK(BM_CircuitSpinToSummary)->Unit(benchmark::kMicrosecond);

// A typed height: the air flow and the circuits follow the new face.
void BM_TypedHeightToSummary(benchmark::State& state)
{
    EditToSummary(state,
                  [](TFatEditor& editor, bool odd) { editor.EditExit(TFatValue::FinHeight, odd ? 0.6096 : 0.5334); });
}
BENCHMARK(BM_TypedHeightToSummary)->Unit(benchmark::kMicrosecond);

}  // namespace
