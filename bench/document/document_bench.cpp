// The document's answer to a typed value: an edit of the fluid inlet row, the solve that
// follows and the rows written back (Solve ends with ShowValues), on the first-run coil.
// The settings come from an empty temporary folder, the catalogue and units from the build
// tree's installed files.

#include "document/rating_document.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace vantor;

// Listens as the main window does: it takes the rows and the report.
class TWindowLike : public TDocumentObserver {
public:
    void RowsChanged() override { ++Changes; }
    void ReportReady(const TDocumentReport& report) override { Lines = report.Lines.size(); }
    int Changes = 0;
    size_t Lines = 0;
};

struct TBenchDocument {
    TBenchDocument()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantor-bench-XXXXXX").string();
        Folder = ::mkdtemp(pattern.data()) ? pattern : std::filesystem::temp_directory_path().string();
        ::setenv("XDG_CONFIG_HOME", (Folder / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (Folder / "data").c_str(), 1);
        ::setenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR, 1);
        Env = TFolderEnvironment::FromProcess();
        Units.LoadUnitsIni(Env);
    }
    ~TBenchDocument() { std::filesystem::remove_all(Folder); }

    std::filesystem::path Folder;
    TFolderEnvironment Env;
    TUnitsRegistry Units = StandardUnitsRegistry();
};

void EditInletAndSolve(benchmark::State& state, TDocumentObserver* observer)
{
    TBenchDocument bench;
    const TSettingsStore program(TSettingsKey::Program, bench.Env);
    const TSettingsStore shared(TSettingsKey::Shared, bench.Env);
    TRatingDocument doc({bench.Units, program, shared, bench.Env, observer, {}});
    // Alternating inlets, so that every solve has work to do.
    const char* inlets[] = {"50", "45"};
    int next = 0;
    for (auto _ : state) {
        if (!doc.EnterRowText(rowFluidInlet, inlets[next])) state.SkipWithError("the inlet was refused");
        next = 1 - next;
        benchmark::DoNotOptimize(doc.Solve());
    }
    if (!doc.Solved()) state.SkipWithError("the document did not solve");
}

void BM_EditRow8AndSolve(benchmark::State& state) { EditInletAndSolve(state, nullptr); }
BENCHMARK(BM_EditRow8AndSolve)->Unit(benchmark::kMicrosecond);

void BM_EditRow8AndSolveWithWindow(benchmark::State& state)
{
    TWindowLike window;
    EditInletAndSolve(state, &window);
}
BENCHMARK(BM_EditRow8AndSolveWithWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
