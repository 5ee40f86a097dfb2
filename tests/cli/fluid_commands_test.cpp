// Runs `vantor-cli air`, `barometer` and `fluid` and reads their JSON and plain output.

#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The arguments of one command line.
using TArgs = std::vector<std::string>;

class FluidCommandsTest : public vantor::test::TCliTest, public testing::WithParamInterface<TArgs> {
};

TEST_F(FluidCommandsTest, AirTextGivesTheStateAndItsCheck)
{
    // Reference table: 20 °C at 50 % and sea level, wet bulb 13.7834 °C, W 7.261737e-3.
    const vantor::test::TRun run = RunOk({"air", "20", "--json"});
    const nlohmann::json json = run.Json();
    for (const char* key : {"P", "db", "wb", "h", "W", "RH", "td", "pv", "ps", "ro", "cp", "k", "mu", "status", "message"})
        EXPECT_TRUE(json.contains(key)) << key;
    EXPECT_EQ(json["P"], 101.325);
    EXPECT_EQ(json["db"], 20.0);
    EXPECT_NEAR(json["wb"].get<double>(), 13.7834, 0.02);
    EXPECT_NEAR(json["W"].get<double>(), 7.261737e-3, 7e-6);
    EXPECT_NEAR(json["RH"].get<double>(), 0.5, 1e-6);
    EXPECT_EQ(json["status"], 0);
    EXPECT_EQ(json["message"], "");

    const vantor::test::TRun plain = RunOk({"air", "24/17"});
    EXPECT_NE(plain.out.find("24.00 °C"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("17.00 °C"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("valid"), std::string::npos) << plain.out;
}

TEST_F(FluidCommandsTest, AirFromAnyPairAtAnyPressure)
{
    // Reference table at 90 kPa: 30 °C, 50 % has W 1.502553e-2 and wet bulb 21.7316 °C.
    const vantor::test::TRun run = RunOk({"air", "--barometer", "90", "--pair", "3", "30", "0.5", "--json"});
    nlohmann::json json = run.Json();
    EXPECT_NEAR(json["W"].get<double>(), 1.502553e-2, 1.5e-5);
    EXPECT_NEAR(json["wb"].get<double>(), 21.7316, 0.02);

    // Back from (h, W), code 15, with negative numbers on the way: -5 °C, 50 % at 80 kPa.
    const vantor::test::TRun cold = RunOk({"air", "--pressure", "80", "--pair", "15", "-1.1289", "1.565651e-3", "--json"});
    json = cold.Json();
    EXPECT_NEAR(json["db"].get<double>(), -5.0, 0.02);
    EXPECT_NEAR(json["wb"].get<double>(), -7.6240, 0.02);
}

TEST_F(FluidCommandsTest, ImpossibleAirIsReportedWithoutNumbers)
{
    const vantor::test::TRun run = Run({"air", "99/99", "--pressure", "70", "--json"});
    EXPECT_EQ(run.exitCode, 1);
    const nlohmann::json json = run.Json();
    EXPECT_NE(json["status"], 0);
    EXPECT_EQ(json["message"], "Bad data...");
    EXPECT_TRUE(json["db"].is_null());

    const vantor::test::TRun supersaturated = Run({"air", "--pair", "0", "20", "21", "--json"});
    EXPECT_EQ(supersaturated.exitCode, 1);
    EXPECT_EQ(supersaturated.Json()["message"], "Wet Bulb > Dry Bulb °C...");
}

// The air text is read as the on-coil row reads it, and every temperature changed on the way
// is named with the value used. Wet bulbs at 1 % RH, 101.325 kPa: 33.531 °C at 99 °C,
// 8.016 °C at 24 °C (ASHRAE relations).
TEST_F(FluidCommandsTest, AirTextCorrectionsAreNamedAndStrictRefusesThem)
{
    const struct {
        const char* text;
        double db;
        double wb;
        std::vector<std::string> warnings;
    } cases[] = {
        {"40/45", 40, 40, {"wet bulb 45 °C is above the dry bulb; 40 °C used"}},
        {"200/10", 99, 33.531,
         {"dry bulb 200 °C is above the highest dry bulb; 99 °C used",
          "wet bulb 10 °C is below the lowest wet bulb of air at this dry bulb (1 % RH); 33.53 °C used"}},
        {"24/-40", 24, 8.016,
         {"wet bulb -40 °C is below the lowest wet bulb of air at this dry bulb (1 % RH); 8.016 °C used"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const vantor::test::TRun run = RunOk({"air", c.text, "--json"});
        EXPECT_NEAR(run.Json()["db"].get<double>(), c.db, 0.005);
        EXPECT_NEAR(run.Json()["wb"].get<double>(), c.wb, 0.002);
        size_t at = 0;
        for (const std::string& warning : c.warnings) {
            at = run.err.find("vantor-cli air: warning: " + warning, at);
            EXPECT_NE(at, std::string::npos) << warning << " in\n" << run.err;
        }

        const fs::path saved = m_base / "air.psx";
        const vantor::test::TRun strict = Run({"air", c.text, "--strict", "--save-psx", saved.string()});
        EXPECT_EQ(strict.exitCode, 1);
        EXPECT_EQ(strict.out, "");
        EXPECT_TRUE(strict.err.starts_with("vantor-cli air: " + c.warnings.front())) << strict.err;
        EXPECT_TRUE(strict.err.ends_with(" (--strict)\n")) << strict.err;
        EXPECT_FALSE(fs::exists(saved));
    }
    const vantor::test::TRun clean = Run({"air", "24/17", "--strict"});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.err, "");
}

TEST_P(FluidCommandsTest, UnreadableArgumentsExitWithUsage)
{
    const vantor::test::TRun run = Run(GetParam());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(run.err.empty());
}

INSTANTIATE_TEST_SUITE_P(, FluidCommandsTest,
                         testing::Values(TArgs{"air", "abc"},
                                         TArgs{"air", "24,5"},
                                         TArgs{"air"},
                                         TArgs{"air", "24/17", "--pressure", "abc"},
                                         TArgs{"air", "24/17", "--pressure", "1,5"},
                                         TArgs{"air", "24/17", "--pressure", "0"},
                                         TArgs{"air", "24/17", "--pressure", "nan"},
                                         TArgs{"air", "--pair", "6", "20", "2.3"},
                                         TArgs{"air", "--pair", "3", "20", "x"},
                                         TArgs{"air", "--pair", "3", "20"},
                                         TArgs{"air", "24/17", "--pair", "3", "20", "0.5"},
                                         TArgs{"barometer"},
                                         TArgs{"barometer", "--altitude", "100", "--pressure", "100"},
                                         TArgs{"barometer", "--altitude", "inf"},
                                         TArgs{"barometer", "--pressure", "-3"},
                                         TArgs{"fluid", "--spec", "14"},
                                         TArgs{"fluid", "--spec", "x"},
                                         TArgs{"fluid", "--additive", "4"},
                                         TArgs{"fluid", "--t", "nan"},
                                         TArgs{"fluid", "--pf", "0"},
                                         TArgs{"fluid", "--user", "1000,4.2,0.001"},
                                         TArgs{"fluid", "--user", "1000,4.2,0.001,-1"}));

TEST_F(FluidCommandsTest, BarometerConvertsBothWays)
{
    vantor::test::TRun run = RunOk({"barometer", "--altitude", "3063.8", "--json"});
    EXPECT_NEAR(run.Json()["P"].get<double>(), 70.0, 0.0005);
    EXPECT_EQ(run.Json()["altitude"], 3063.8);

    run = RunOk({"barometer", "--barometer", "120", "--json"});
    EXPECT_NEAR(run.Json()["altitude"].get<double>(), -1401.35, 0.005);

    run = RunOk({"barometer", "--pressure", "101.325"});
    EXPECT_NE(run.out.find("0.0 m"), std::string::npos) << run.out;

    run = Run({"barometer", "--altitude", "1e7"});
    EXPECT_EQ(run.exitCode, 1);
}

TEST_F(FluidCommandsTest, FluidPropertiesAndCaptions)
{
    vantor::test::TRun run = RunOk({"fluid", "--spec", "0", "--t", "20", "--json"});
    nlohmann::json json = run.Json();
    for (const char* key : {"Caption", "ShortCaption", "t", "ro", "Cp", "mu", "Ko", "Pr", "Tmin", "Tmax", "OutOfRange"})
        EXPECT_TRUE(json.contains(key)) << key;
    EXPECT_EQ(json["Caption"], "Clean Water");
    EXPECT_NEAR(json["ro"].get<double>(), 998.047, 0.0005);
    EXPECT_NEAR(json["Pr"].get<double>(), 6.934, 0.0005);
    EXPECT_EQ(json["OutOfRange"], 0);

    run = RunOk({"fluid", "--fluid-spec", "0", "--additive", "1", "--additive-volume", "0.3", "--t", "20", "--json"});
    json = run.Json();
    EXPECT_EQ(json["Caption"], "Water (30% Ethylene Glycol)");
    EXPECT_EQ(json["ShortCaption"], "30% Eth-Glycol");
    EXPECT_NEAR(json["Pr"].get<double>(), 18.75, 0.005);
    EXPECT_EQ(json["Tmin"], -30.0);

    run = RunOk({"fluid", "--spec", "13", "--pf", "5", "--t", "20", "--json"});
    json = run.Json();
    EXPECT_EQ(json["Caption"], "Compressed Air (5.0-bar)");
    EXPECT_NEAR(json["ro"].get<double>(), 5.941, 0.0005);
    EXPECT_EQ(json["OutOfRange"], 1);

    run = RunOk({"fluid", "--user", "1100,3.5,0.002,0.0005", "--json"});
    json = run.Json();
    EXPECT_EQ(json["Caption"], "User Specified Fluid");
    EXPECT_DOUBLE_EQ(json["Pr"].get<double>(), 14.0);

    // A comma-decimal environment changes nothing in the plain table.
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    run = Run({"fluid", "--t", "80"});
    ::unsetenv("LC_ALL");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("971.624 kg/m³"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Clean Water"), std::string::npos) << run.out;
}

TEST_F(FluidCommandsTest, FluidTakesTheDialogsLimitsWithAWarning)
{
    const struct {
        std::vector<std::string> Args;
        const char* Warning;
        const char* Caption;
    } cases[] = {
        {{"--additive", "2", "--volume", "1"}, "--volume: 1 is outside 0.01 to 0.45; 0.45 used",
         "Water (45% Propylene Glycol)"},
        {{"--additive", "1", "--volume", "0.001"}, "--volume: 0.001 is outside 0.01 to 0.45; 0.01 used",
         "Water (1% Ethylene Glycol)"},
        {{"--spec", "2", "--additive", "1"}, "an additive goes with water only; the additive is cleared", "Engine Oil"},
        {{"--volume", "0.3"}, "water without an additive has no additive volume; the volume is cleared",
         "Clean Water"},
        {{"--spec", "13", "--pf", "25"}, "--pf: 25 is outside 1 to 10; 10 used", "Compressed Air (10.0-bar)"},
        {{"--t", "400"}, "--t: 400 is outside -60 to 350; 350 used", "Clean Water"},
        {{"--user", "9000,4.2,0.001,0.0006"}, "--user RO: 9000 is outside 0.01 to 5000; 5000 used",
         "User Specified Fluid"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"fluid", "--json"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        SCOPED_TRACE(c.Warning);
        vantor::test::TRun run = RunOk(args);
        EXPECT_NE(run.err.find(std::string("warning: ") + c.Warning), std::string::npos) << run.err;
        EXPECT_EQ(run.Json()["Caption"], c.Caption);

        args.push_back("--strict");
        run = Run(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.Warning), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    // An additive without a volume starts at 30 %, as in the dialog.
    EXPECT_EQ(Run({"fluid", "--additive", "3", "--json"}).Json()["Caption"], "Water (30% Calcium Chloride)");
}

}  // namespace
