// Opening a data file is what the program does at start and the command line for every rating:
// read the .hqx, rate it and write its report. The file is the first-run coil saved by the
// document itself; settings and catalogue come from a private folder and the build tree.

#include "datafile/data_file.h"
#include "document/rating_document.h"
#include "reports/file_properties.h"
#include "units/units_registry.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace vantor;

// Takes the report the solve writes, as the report window or the command line would.
class TReportTaker : public TDocumentObserver {
public:
    void ReportReady(const TDocumentReport& report) override { Lines += report.Lines.size(); }
    size_t Lines = 0;
};

struct TBenchDocument {
    TBenchDocument()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantor-bench-XXXXXX").string();
        Folder = ::mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::temp_directory_path();
        ::setenv("XDG_CONFIG_HOME", (Folder / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (Folder / "data").c_str(), 1);
        ::setenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR, 1);
        const TFolderEnvironment env = TFolderEnvironment::FromProcess();
        Units = StandardUnitsRegistry();
        Units.LoadUnitsIni(env);
        ProgramKey = std::make_unique<TSettingsStore>(TSettingsKey::Program, env);
        SharedKey = std::make_unique<TSettingsStore>(TSettingsKey::Shared, env);
        Document = std::make_unique<TRatingDocument>(
            TDocumentServices{Units, *ProgramKey, *SharedKey, env, &Report, {}});
        File = (Folder / "coil.hqx").string();
        Saved = SaveFile(*Document, Properties, File).IsOk();
    }
    ~TBenchDocument()
    {
        Document.reset();
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }

    std::filesystem::path Folder;
    TUnitsRegistry Units;
    std::unique_ptr<TSettingsStore> ProgramKey;
    std::unique_ptr<TSettingsStore> SharedKey;
    TReportTaker Report;
    std::unique_ptr<TRatingDocument> Document;
    TFileProperties Properties;
    std::string File;
    bool Saved = false;
};

void BM_OpenSolveReport(benchmark::State& state)
{
    TBenchDocument b;
    if (!b.Saved) state.SkipWithError("the data file could not be written");
    for (auto _ : state) {
        const TResult opened = OpenFile(*b.Document, b.Properties, b.File);
        const TResult solved = b.Document->Solve();
        if (!opened || !solved) state.SkipWithError("open or solve failed");
    }
    benchmark::DoNotOptimize(b.Report.Lines);
}
BENCHMARK(BM_OpenSolveReport)->Unit(benchmark::kMillisecond);

void BM_SaveFile(benchmark::State& state)
{
    TBenchDocument b;
    for (auto _ : state)
        if (!SaveFile(*b.Document, b.Properties, b.File)) state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

}  // namespace
