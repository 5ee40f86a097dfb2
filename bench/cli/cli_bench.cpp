// The whole `vantor-cli` process, started and waited for as a script would: the first-run
// coil rated to JSON, the same sized for 50 kW, and `--version` for the cost of starting the
// program at all. Settings come from an empty temporary folder, the data files from the
// build tree; the output goes to /dev/null.

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

class TBenchHome {
public:
    TBenchHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantor-bench-cli-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data()) ? pattern : std::filesystem::temp_directory_path().string();
        ::setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_folder / "data").c_str(), 1);
        ::setenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR, 1);
    }
    ~TBenchHome() { std::filesystem::remove_all(m_folder); }

private:
    std::filesystem::path m_folder;
};

// Runs the program once; false when it could not be started or did not exit with 0.
bool RunOnce(std::vector<std::string> args)
{
    args.insert(args.begin(), VANTOR_CLI);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Process(benchmark::State& state, std::vector<std::string> args)
{
    const TBenchHome home;
    for (auto _ : state)
        if (!RunOnce(args)) state.SkipWithError("vantor-cli failed");
}

BENCHMARK_CAPTURE(Process, Version, std::vector<std::string>{"--version"})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Process, RateFirstRunJson, std::vector<std::string>{"rate", "--no-settings", "--json"})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
// The selection of the example: every range of "Typical", free face, then a fixed one.
const std::vector<std::string> kSelect = {
    "select", "--design-duty", "100", "--maker", "Typical", "--air-volume", "3", "--on-coil", "0/-2",
    "--fluid-inlet", "80", "--design-dt", "20", "--max-face-velocity", "3", "--max-air-dp", "150",
    "--max-fluid-dp", "50", "--no-settings"};
std::vector<std::string> Plus(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}
BENCHMARK_CAPTURE(Process, SelectFreeFace,
                  Plus(kSelect, {"--min-height", "300", "--max-height", "2000", "--min-length", "300", "--max-length", "3000"}))
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Process, SelectFreeFaceDistinct,
                  Plus(kSelect, {"--min-height", "300", "--max-height", "2000", "--min-length", "300", "--max-length", "3000",
                                 "--distinct"}))
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Process, SelectFixedFace, Plus(kSelect, {"--height", "914.4", "--length", "1500"}))
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// A schedule of 1000 coils: four designations, air volumes and inlets taking turns.
void BM_RateBatch1000(benchmark::State& state)
{
    const TBenchHome home;
    const std::string schedule = (std::filesystem::temp_directory_path() / ("vantor-bench-schedule-" + std::to_string(::getpid()) + ".csv")).string();
    {
        std::FILE* file = std::fopen(schedule.c_str(), "w");
        if (!file) return state.SkipWithError("cannot write the schedule");
        std::fputs("tag,model,air-volume,fluid-inlet\n", file);
        const char* models[] = {"544 720 4r 12f 7c", "914.4 1500 2r 10f 12c", "610 1200 3r 8f 8c", "457 900 1r 14f 6c"};
        for (int i = 0; i < 1000; ++i)
            std::fprintf(file, "C%d,%s,%d.%d,%d\n", i, models[i % 4], 1 + i % 3, i % 10, 50 + i % 40);
        std::fclose(file);
    }
    for (auto _ : state)
        if (!RunOnce({"rate", "--batch", schedule, "--no-settings"})) state.SkipWithError("vantor-cli failed");
    std::filesystem::remove(schedule);
}
BENCHMARK(BM_RateBatch1000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_CAPTURE(Process, Size50kWJson, std::vector<std::string>{"size", "--no-settings", "--json", "--design-duty", "50"})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
