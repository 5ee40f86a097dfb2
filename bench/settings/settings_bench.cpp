// A flush of the program's settings file, as a window does it when it closes: the folder
// lock, the file read again, the store's changes replayed on it, the new file written,
// synced to disk and renamed over the old one. The file is of the size a settled user has:
// the main window's and the fluid defaults' sections and sixteen windows of about ten values.

#include "settings/settings_store.h"
#include "settings/window_placement.h"
#include "text/file_io.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace vantor;
namespace fs = std::filesystem;

struct TBenchFolder {
    TBenchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "vantor-bench-XXXXXX").string();
        Folder = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::temp_directory_path() / "vantor-bench";
        File = Folder / "Vantor.ini";
        TSettingsStore store{File};
        for (int i = 0; i < 30; ++i) store.WriteFloat("VantorForm", "Value" + std::to_string(i), 0.1 * i);
        for (int i = 0; i < 14; ++i) store.WriteFloat("Default", "Water" + std::to_string(i), 45.0 + i);
        for (int window = 0; window < 16; ++window) {
            const std::string section = "Window" + std::to_string(window);
            SaveWindowPlacement(store, section, {100, 120, 640, 480, true, 0});
            for (int i = 0; i < 4; ++i) store.WriteString(section, "Choice" + std::to_string(i), "a remembered text");
        }
        if (!store.Flush()) Folder.clear();
    }
    ~TBenchFolder()
    {
        std::error_code ignored;
        if (!Folder.empty()) fs::remove_all(Folder, ignored);
    }

    fs::path Folder;
    fs::path File;
};

// One window's placement saved into a store opened for it, and flushed.
void BM_WindowCloseFlush(benchmark::State& state)
{
    TBenchFolder bench;
    if (bench.Folder.empty()) state.SkipWithError("the settings file could not be made");
    int left = 0;
    for (auto _ : state) {
        TSettingsStore store{bench.File};
        SaveWindowPlacement(store, "Window3", {++left % 500, 120, 640, 480, true, 0});
        if (!store.Flush()) state.SkipWithError("the flush failed");
    }
    state.SetLabel(std::to_string(fs::file_size(bench.File)) + " bytes");
}
BENCHMARK(BM_WindowCloseFlush)->Unit(benchmark::kMillisecond)->UseRealTime();

// A store kept open for the whole session, one changed value per flush.
void BM_LongLivedStoreFlush(benchmark::State& state)
{
    TBenchFolder bench;
    if (bench.Folder.empty()) state.SkipWithError("the settings file could not be made");
    TSettingsStore store{bench.File};
    int value = 0;
    for (auto _ : state) {
        store.WriteInteger("VantorForm", "Col0", ++value);
        if (!store.Flush()) state.SkipWithError("the flush failed");
    }
}
BENCHMARK(BM_LongLivedStoreFlush)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor under both: the same file written atomically and synced, with no lock, no read
// and no replay. The difference to the flushes above is what the locked path adds.
void BM_AtomicWriteAlone(benchmark::State& state)
{
    TBenchFolder bench;
    const auto text = ReadFileText(bench.File);
    if (!text) state.SkipWithError("the settings file could not be made");
    for (auto _ : state)
        if (!WriteFileAtomically(bench.File, *text)) state.SkipWithError("the write failed");
}
BENCHMARK(BM_AtomicWriteAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
