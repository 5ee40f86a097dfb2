// "Step-by-Step Simulation" from the command to the drawn chart: the document's simulation
// (with the solve it needs after an edit, or on a solved document), the data chart filled
// and built, and the whole window painted into a picture, on the first-run coil. Runs on
// the offscreen platform; settings in an empty temporary folder.

#include "document/document_rows.h"
#include "document/rating_document.h"
#include "gui/chart/chart_panel.h"
#include "gui/chart/data_chart.h"
#include "gui/main/main_window.h"
#include "units/units_registry.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace vantor;

struct TBenchWindow {
    TBenchWindow()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Folder.filePath("config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(Folder.filePath("data")));
        qputenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        App = std::make_unique<QApplication>(argc, argv);
        Units.LoadUnitsIni(TFolderEnvironment::FromProcess());
        Form = std::make_unique<TVantorForm>(Units);
        Form->DataChart().show();
    }

    // The command as the main window runs it, without the modal loop; the painted picture.
    QPixmap Command()
    {
        TRatingDocument& doc = Form->Document();
        if (!doc.Solved()) (void)doc.Solve();  // the chart says when the solve failed
        TDataChart& chart = Form->DataChart();
        PrepareStepSimulation(chart, doc.SimulateSteps());
        chart.Build();
        return chart.grab();
    }

    int argc = 1;
    char name[16] = "bench";
    char* argv[2] = {name, nullptr};
    QTemporaryDir Folder;
    std::unique_ptr<QApplication> App;
    TUnitsRegistry Units = StandardUnitsRegistry();
    std::unique_ptr<TVantorForm> Form;
};

TBenchWindow& Window()
{
    static TBenchWindow window;
    return window;
}

void BM_StepChartSolved(benchmark::State& state)
{
    TBenchWindow& window = Window();
    for (auto _ : state) benchmark::DoNotOptimize(window.Command());
    if (window.Form->DataChart().Chart().CurveCount() != 4) state.SkipWithError("the chart holds no profile");
}
BENCHMARK(BM_StepChartSolved)->Unit(benchmark::kMillisecond);

// After an edit of the fluid inlet: the command solves first.
void BM_StepChartAfterEdit(benchmark::State& state)
{
    TBenchWindow& window = Window();
    const char* inlets[] = {"50", "45"};
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!window.Form->Document().EnterRowText(rowFluidInlet, inlets[next])) state.SkipWithError("the inlet was refused");
        next = 1 - next;
        state.ResumeTiming();
        benchmark::DoNotOptimize(window.Command());
    }
}
BENCHMARK(BM_StepChartAfterEdit)->Unit(benchmark::kMillisecond);

}  // namespace
