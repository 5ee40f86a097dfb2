// The fin and tube editor window: from a typed value (Enter in the rows edit) to the new
// summary laid out in the view and the window painted. Needs a display: run it under
// xvfb-run, or with QT_QPA_PLATFORM=offscreen.

#include "core/model/first_run_coil.h"
#include "gui/coil_editor/coil_editor_window.h"
#include "gui/widgets/fmt_edit.h"

#include <QApplication>
#include <QTest>
#include <QTextBrowser>

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

void BM_WindowEditToSummary(benchmark::State& state)
{
    test::TFirstRunCoil fixture;
    TFatForm form;
    form.SetTargetCoil(&fixture.Coil);
    form.SetDesignDuty(20);
    form.show();
    QApplication::setActiveWindow(&form);
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the window did not show");
        return;
    }
    TFmtEdit& rows = form.Edit(TFatValue::Rows);
    bool five = false;
    for (auto _ : state) {
        five = !five;
        rows.setFocus();
        rows.selectAll();
        QTest::keyClicks(&rows, five ? "5" : "4");
        QTest::keyClick(&rows, Qt::Key_Return);
        // The page laid out and the window painted, as the user sees it.
        form.SummaryView().document()->size();
        form.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowEditToSummary)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
