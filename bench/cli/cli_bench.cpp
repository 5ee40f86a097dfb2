// The whole `vantor-cli` process, started and waited for as a script would: the first-run
// coil rated to JSON, the same sized for 50 kW, and `--version` for the cost of starting the
// program at all. Settings come from an empty temporary folder, the data files from the
// build tree; the output goes to /dev/null.

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
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
BENCHMARK_CAPTURE(Process, Size50kWJson, std::vector<std::string>{"size", "--no-settings", "--json", "--design-duty", "50"})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
