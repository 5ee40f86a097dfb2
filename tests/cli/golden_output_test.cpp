// What scripts read from vantor-cli, pinned byte for byte: the JSON of each command (keys, their
// order and values) and the exit codes of a success, a refused input and a failed solve. Every
// command runs again in a comma-decimal locale and must print the same bytes.

#include "cli_test_support.h"
#include "support/golden_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using vantor::test::TRun;

struct TGoldenRun {
    const char* Golden;
    std::vector<std::string> Args;
};

// A rating away from the defaults in the model, the air and the fluid.
const std::vector<std::string> kNonDefault = {
    "--no-settings", "--model",     "610 900 3r 10f 8c", "--barometer",       "95",  "--on-coil", "12/8",
    "--additive",    "2",           "--additive-volume", "0.35",              "--fluid-inlet", "82",
    "--design-dt",   "12",          "--json"};

std::vector<std::string> Joined(std::vector<std::string> head, const std::vector<std::string>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const TGoldenRun kRuns[] = {
    {"cli_rate_default.json", {"rate", "--no-settings", "--json"}},
    {"cli_rate_non_default.json", Joined({"rate"}, kNonDefault)},
    {"cli_size.json", {"size", "--no-settings", "--json", "--design-duty", "50"}},
    {"cli_simulate.json", {"simulate", "--no-settings", "--json"}},
    {"cli_select.json",
     {"select", "--no-settings", "--design-duty", "100", "--maker", "Typical", "--air-volume", "3", "--on-coil",
      "0/-2", "--fluid-inlet", "80", "--design-dt", "20", "--height", "914.4", "--length", "1500", "--top", "3",
      "--json"}},
    {"cli_geometry.json", {"geometry", "544 720 4r 12f 7c", "--maker", "Typical", "--json"}},
    {"cli_rate_failed.json", {"rate", "--no-settings", "--fluid-inlet", "5", "--json"}},
    {"cli_fluid.json",
     {"fluid", "--fluid-spec", "0", "--additive", "1", "--additive-volume", "0.3", "--t", "20", "--json"}},
};

// Commands whose exit code scripts depend on, whatever they print; the JSON runs' codes are
// stored with them.
const TGoldenRun kExitRuns[] = {
    {"success", {"rate", "--no-settings", "--json"}},
    {"refused input", {"rate", "--no-settings", "--barometer", "abc"}},
    {"unknown option", {"rate", "--no-such-option"}},
    {"failed solve", {"rate", "--no-settings", "--fluid-inlet", "5"}},
    {"no such maker", {"select", "--no-settings", "--design-duty", "50", "--air-volume", "1", "--maker", "Nobody"}},
};

class GoldenOutput : public vantor::test::TCliTest {};

TEST_F(GoldenOutput, JsonOfEveryCommandIsTheStoredOneInEveryLocale)
{
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        ::setenv("LC_ALL", locale, 1);
        for (const TGoldenRun& run : kRuns) {
            SCOPED_TRACE(std::string(run.Golden) + " with LC_ALL=" + locale);
            const TRun result = Run(run.Args);
            EXPECT_TRUE(vantor::test::MatchesGolden(run.Golden, result.out));
        }
    }
    ::unsetenv("LC_ALL");
}

TEST_F(GoldenOutput, ExitCodesAreTheStoredOnes)
{
    std::string codes;
    for (const TGoldenRun& run : kRuns) codes += std::string(run.Golden) + ": " + std::to_string(Run(run.Args).exitCode) + "\n";
    for (const TGoldenRun& run : kExitRuns) codes += std::string(run.Golden) + ": " + std::to_string(Run(run.Args).exitCode) + "\n";
    EXPECT_TRUE(vantor::test::MatchesGolden("cli_exit_codes.txt", codes));
}

}  // namespace
