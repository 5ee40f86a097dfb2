// Runs `vantor-cli rate` and `size` and reads their report, JSON and comma-separated output.

#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class RateCommandTest : public vantor::test::TCliTest {
};

TEST_F(RateCommandTest, ReportIsTheDefaultOutput)
{
    const vantor::test::TRun run = RunOk({"rate", "--no-settings"});
    EXPECT_EQ(run.err, "");
    for (const char* line : {"Hot Water Coil\n", "Typical (1/2 inch)\n", "On Coil\t25.0/17.0\t°C\n",
                             "Off Coil\t40.5/21.9\t°C\n", "Duty\t18.3\tkW\n", "\nVantor 1."})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << " in\n" << run.out;
    EXPECT_EQ(Run({"rate", "--no-settings", "--report"}).out, run.out);

    const vantor::test::TRun csv = RunOk({"rate", "--no-settings", "--csv"});
    EXPECT_EQ(csv.out.rfind("Make,Typical\r\nTube,1/2 inch\r\n", 0), 0u) << csv.out;
    EXPECT_NE(csv.out.find("\r\nDuty,18.3,kW\r\n"), std::string::npos) << csv.out;
}

TEST_F(RateCommandTest, JsonHoldsTheRowsAndResultsOfTheFirstRunCoil)
{
    const vantor::test::TRun run = RunOk({"rate", "--no-settings", "--json"});
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.out);
    const std::vector<std::string> keys = {
        "Model",       "Barometer",    "OnCoil",     "AirVolume",   "AirVelocity", "HeatingFluid",
        "FluidControl", "FluidInlet",  "DesignDT",   "FluidFlow",   "TubeVelocity", "DesignDuty",
        "Calculate",   "Maker",        "Range",      "Status",      "SolveResult", "Solved",
        "StatusText",  "Qt",           "Qs",         "e",           "Ntu",         "Cr",
        "ho",          "hi",           "Ui",         "Uo",          "Ao",          "Ai",
        "NtuAir",      "NtuLiquid",    "BypassFactor", "AirMassFlow", "AirOff",    "LeavingTemp",
        "AirPressureDrop", "FluidPressureDrop", "PipeSize", "fHeight", "fLength",  "Rows",
        "fpi",         "Circ",         "Warnings"};
    std::vector<std::string> actual;
    for (const auto& item : json.items()) actual.push_back(item.key());
    EXPECT_EQ(actual, keys);

    EXPECT_EQ(json["Model"], "544 x 720  4r  12f  7c");
    EXPECT_EQ(json["OnCoil"], "25.0/17.0");
    EXPECT_EQ(json["HeatingFluid"], "Clean Water");
    EXPECT_EQ(json["FluidControl"], 1);
    EXPECT_EQ(json["Calculate"], 0);
    EXPECT_EQ(json["Solved"], true);
    EXPECT_EQ(json["StatusText"], "Solved...");
    EXPECT_EQ(json["SolveResult"], 0);
    EXPECT_EQ(json["PipeSize"], 35);

    const nlohmann::json expected = vantor::test::FirstRunCoilReference();
    // The reference names some quantities by their unit, the rest as the JSON does.
    std::vector<std::pair<std::string, std::string>> values = {
        {"AirMassFlow", "air_mass_flow_kg_s"},     {"AirVolume", "air_volume_m3_s"},
        {"FluidFlow", "fluid_mass_flow_kg_s"},     {"LeavingTemp", "fluid_leaving_C"},
        {"AirPressureDrop", "air_pressure_drop_Pa"}, {"FluidPressureDrop", "fluid_pressure_drop_kPa"},
        {"DesignDuty", "Qt"}};
    for (const char* key : {"Qt", "Qs", "e", "Ntu", "Cr", "ho", "hi", "Ui", "Uo", "Ao", "Ai", "NtuAir", "NtuLiquid",
                            "BypassFactor"})
        values.emplace_back(key, key);
    for (const auto& [key, reference] : values) {
        const double value = expected[reference];
        EXPECT_NEAR(json[key].get<double>(), value, 1e-3 * std::abs(value)) << key;
    }
    EXPECT_NEAR(json["AirOff"]["db"].get<double>(), expected["air_off_db_C"].get<double>(), 0.04);
    EXPECT_NEAR(json["AirOff"]["wb"].get<double>(), expected["air_off_wb_C"].get<double>(), 0.02);
}

TEST_F(RateCommandTest, OutOfRangeValuesAreLimitedWithAWarningOrRefusedWhenStrict)
{
    const vantor::test::TRun run = RunOk({"rate", "--no-settings", "--json", "--air-velocity", "12", "--barometer", "69.8"});
    EXPECT_EQ(run.Json()["AirVelocity"], 10.0);
    EXPECT_EQ(run.Json()["Barometer"], 69.8) << "within half a per cent of the limit a value passes";
    EXPECT_NE(run.err.find("Air Velocity 12 is outside 0.5 to 10; 10 used"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Barometer"), std::string::npos) << run.err;

    const vantor::test::TRun strict = Run({"rate", "--no-settings", "--strict", "--on-coil", "25/50"});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_EQ(strict.out, "") << "nothing is solved";
    EXPECT_NE(strict.err.find("--on-coil: On Coil wet bulb 50 °C is above the dry bulb; 25 °C used"), std::string::npos)
        << strict.err;
}

// The on-coil text is read as the row reads it; every change names the temperature used.
TEST_F(RateCommandTest, OnCoilTextIsReadAsTheRowReadsIt)
{
    for (const char* text : {"25/17/3", "2.5.5/17", "", "25/"}) {
        SCOPED_TRACE(text);
        for (const bool strict : {false, true}) {
            std::vector<std::string> args = {"rate", "--no-settings", "--on-coil", text};
            if (strict) args.push_back("--strict");
            const vantor::test::TRun run = Run(args);
            EXPECT_EQ(run.exitCode, 2) << run.err;
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "vantor-cli: --on-coil: \"" + std::string(text) +
                                   "\" is not dry bulb/wet bulb in °C, as 25/17\n");
        }
    }

    // Independent: 25 °C air at 1 % RH has a wet bulb of 8.498 °C (ASHRAE relations). Fluid at
    // 45 °C meets air held to 45 °C: no heat flows, and the 45 named is the 45 used.
    struct TCase {
        const char* text;
        const char* onCoil;
        const char* warning;
    };
    const TCase cases[] = {
        {"25/-50", "25.0/8.5",
         "vantor-cli: warning: --on-coil: On Coil wet bulb -50 °C is below the lowest wet bulb of air at this dry "
         "bulb (1 % RH); 8.498 °C used\n"},
        {"25/26", "25.0/25.0", "vantor-cli: warning: --on-coil: On Coil wet bulb 26 °C is above the dry bulb; 25 °C used\n"},
        {"60/30", "45.0/30.0", "vantor-cli: warning: --on-coil: On Coil 60 is outside -10 to 45; 45 used\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text);
        const vantor::test::TRun run = RunOk({"rate", "--no-settings", "--json", "--on-coil", c.text});
        EXPECT_EQ(run.Json()["OnCoil"], c.onCoil);
        EXPECT_TRUE(run.err.starts_with(c.warning)) << run.err;
        const vantor::test::TRun strict = Run({"rate", "--no-settings", "--strict", "--on-coil", c.text});
        EXPECT_EQ(strict.exitCode, 1);
        EXPECT_EQ(strict.out, "");
        EXPECT_EQ(strict.err, "vantor-cli: " + std::string(c.warning).substr(std::string("vantor-cli: warning: ").size()));
    }
    const vantor::test::TRun level = Run({"rate", "--no-settings", "--json", "--on-coil", "60/30"});
    EXPECT_EQ(level.Json()["Qt"], 0.0);
    EXPECT_EQ(level.Json()["AirOff"]["db"], 45.0);
}

// What the solve has to say reaches standard error, the report's end and the JSON; with
// --strict it makes the exit code 1.
TEST_F(RateCommandTest, SolveWarningsAreShownAndImpossibleRatingsFail)
{
    struct TCase {
        std::vector<std::string> args;
        int exitCode;
        const char* warning;
    };
    const TCase cases[] = {
        {{"--air-volume", "100"}, 0,
         "Air Velocity 255.31 m/s is outside its row's range 0.50 m/s to 10.00 m/s; rated with 255.31 m/s"},
        {{"--fluid-flow", "20"}, 0, "Tube Velocity "},
        {{"--fluid-spec", "13"}, 0, "Tube Velocity "},
        {{"--fluid-inlet", "24.9"}, 0, "Fluid Inlet 24.9 °C is below the on-coil dry bulb 25.0 °C: the coil cools the air"},
        {{"--fluid-inlet", "5"}, 1, "Fluid Inlet 5.0 °C is below the on-coil dew point 12.1 °C"},
        {{"--fluid-control", "temperature", "--design-dt", "25"}, 1,
         "Design dT 25.0 °C would take the leaving fluid to 20.0 °C, not above the on-coil dry bulb 25.0 °C: the "
         "leaving fluid is held at 25.0 °C (Design dT 20.0 °C)"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::vector<std::string> args = {"rate", "--no-settings"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const vantor::test::TRun report = Run(args);
        EXPECT_EQ(report.exitCode, c.exitCode) << report.err;
        EXPECT_NE(report.err.find(std::string("vantor-cli: warning: ") + c.warning), std::string::npos) << report.err;
        EXPECT_NE(report.out.find(std::string("\nWarning: ") + c.warning), std::string::npos) << report.out;
        if (c.exitCode != 0) {
            EXPECT_NE(report.err.find("vantor-cli: Data Error...\n"), std::string::npos);
        }

        args.push_back("--json");
        const vantor::test::TRun json = Run(args);
        EXPECT_EQ(json.Json()["Solved"], c.exitCode == 0);
        ASSERT_FALSE(json.Json()["Warnings"].empty());
        EXPECT_TRUE(json.Json()["Warnings"][0].get<std::string>().starts_with(c.warning));
        EXPECT_LE(json.Json()["AirOff"]["wb"].get<double>(), json.Json()["AirOff"]["db"].get<double>());

        args.push_back("--strict");
        EXPECT_EQ(Run(args).exitCode, 1);
    }
    EXPECT_TRUE(Run({"rate", "--no-settings", "--json"}).Json()["Warnings"].empty());
}

TEST_F(RateCommandTest, RefusedInputsAndUnreadableArguments)
{
    const vantor::test::TRun model = Run({"rate", "--no-settings", "--model", "544 720 4r"});
    EXPECT_EQ(model.exitCode, 1);
    EXPECT_EQ(model.out, "");
    EXPECT_NE(model.err.find("\"544 720 4r\": fewer than five readable numbers"), std::string::npos) << model.err;
    const vantor::test::TRun circuits = Run({"rate", "--no-settings", "--model", "544 720 4r 12f 57c"});
    EXPECT_EQ(circuits.exitCode, 1);
    EXPECT_EQ(circuits.out, "");
    EXPECT_EQ(circuits.err, "vantor-cli: --model: \"544 720 4r 12f 57c\": more circuits than tubes (57 circuits on 56 "
                            "tubes)\n");
    EXPECT_EQ(Run({"rate", "--no-settings", "--model", "544 720 4r 12f 56c"}).exitCode, 0);

    const vantor::test::TRun maker = Run({"rate", "--no-settings", "--maker", "Nobody"});
    EXPECT_EQ(maker.exitCode, 1);
    EXPECT_NE(maker.err.find("no maker \"Nobody\""), std::string::npos) << maker.err;
    EXPECT_EQ(Run({"rate", "--no-settings", "--range", "7/8 inch"}).exitCode, 1);
    EXPECT_EQ(Run({"rate", "--no-settings", "nothing-here.hqx"}).exitCode, 1);

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"rate", "--barometer", "abc"},
             {"rate", "--json", "--csv"},
             {"rate", "--fluid-control", "sideways"},
             {"rate", "--user", "1,2,3"},
             {"rate", "--on-coil", "warm"},
             {"rate", "--fluid-spec", "14"},
             {"rate", "--colour", "red"},
             {"rate", "--units", "furlongs"},
             {"size", "--calculate", "duty"},
         }) {
        const vantor::test::TRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args[1] << ": " << run.err;
        EXPECT_EQ(run.out, "") << args[1];
    }
}

// --units picks the Reset menu's system for the printed texts; JSON stays in SI units.
TEST_F(RateCommandTest, UnitsOptionChoosesTheSystemOfThePrintedTexts)
{
    const vantor::test::TRun json = RunOk({"rate", "--no-settings", "--json"});
    EXPECT_EQ(Run({"rate", "--no-settings", "--json", "--units", "imperial"}).out, json.out);

    // 101.325 kPa = 29.92126 inHg; 25 °C = 77 °F; 1 kW = 3412.14 Btu/hr.
    const vantor::test::TRun imperial = RunOk({"rate", "--no-settings", "--units", "Imperial"});
    const long duty = std::lround(json.Json()["Qt"].get<double>() * 3600 / 1.05505585262);
    for (const std::string& line : {std::string("Barometer\t29.9213\tInchHg\n"), std::string("On Coil\t77.0/62.6\t°F\n"),
                                   "Duty\t" + std::to_string(duty) + "\tBtu/hr\n"})
        EXPECT_NE(imperial.out.find(line), std::string::npos) << line << " in\n" << imperial.out;
    const vantor::test::TRun csv = Run({"rate", "--no-settings", "--csv", "--units", "imperial"});
    EXPECT_NE(csv.out.find("\r\nDuty," + std::to_string(duty) + ",Btu/hr\r\n"), std::string::npos) << csv.out;
    const vantor::test::TRun diagnostics = Run({"rate", "--no-settings", "--diagnostics", "--units", "imperial"});
    EXPECT_NE(diagnostics.out.find("°F"), std::string::npos) << diagnostics.out;
    EXPECT_NE(Run({"rate", "--no-settings", "--diagnostics"}).out, diagnostics.out);

    // Stored Imperial choices apply without the option; --units metric overrides them.
    vantor::test::PutFile(m_base / "config" / "Korvane" / "Common.ini", "[Coils]\nUnitsPressure=4\n");
    EXPECT_NE(Run({"rate"}).out.find("Barometer\t29.9213\tInchHg\n"), std::string::npos);
    const vantor::test::TRun metric = RunOk({"rate", "--units", "metric"});
    EXPECT_NE(metric.out.find("Barometer\t101.325\tkPa\n"), std::string::npos) << metric.out;
}

TEST_F(RateCommandTest, SizeFindsACoilForTheDesignDuty)
{
    const vantor::test::TRun run = RunOk({"size", "--no-settings", "--json", "--design-duty", "50"});
    const nlohmann::json json = run.Json();
    EXPECT_EQ(json["Calculate"], 1);
    EXPECT_EQ(json["Solved"], true);
    EXPECT_NEAR(json["Qt"].get<double>(), 50, 0.5);
    EXPECT_GT(json["fHeight"].get<double>() * json["fLength"].get<double>(), 0.544 * 0.72);
    EXPECT_EQ(Run({"rate", "--no-settings", "--json", "--design-duty", "50", "--calculate", "size"}).out, run.out);
}

TEST_F(RateCommandTest, StoredSettingsAreReadButNeverWritten)
{
    const fs::path settings = m_base / "config" / "Korvane" / "Vantor.ini";
    const std::string stored = "[VantorForm]\nAirOn=22.3/16.1\nCoilMaker=Recoil\n[Default]\nWaterIn=70\n";
    vantor::test::PutFile(settings, stored);

    const vantor::test::TRun run = RunOk({"rate", "--json", "--fluid-spec", "0", "--additive", "1"});
    EXPECT_EQ(run.Json()["OnCoil"], "22.3/16.1");
    EXPECT_EQ(run.Json()["Maker"], "Recoil");
    EXPECT_EQ(run.Json()["FluidInlet"], 70.0);
    EXPECT_EQ(run.Json()["HeatingFluid"], "Water (30% Ethylene Glycol)");
    EXPECT_EQ(vantor::test::Slurp(settings), stored);
    EXPECT_EQ(std::distance(fs::directory_iterator(settings.parent_path()), fs::directory_iterator()), 1)
        << "no other key was written";

    const nlohmann::json clean = Run({"rate", "--no-settings", "--json", "--maker", "typical", "--range", "5/8 INCH"}).Json();
    EXPECT_EQ(clean["OnCoil"], "25.0/17.0");
    EXPECT_EQ(clean["Maker"], "Typical");
    EXPECT_EQ(clean["Range"], "5/8 inch");
}

TEST_F(RateCommandTest, FileOpensFirstAndSaveWritesAfterTheSolve)
{
    const std::string file = (m_base / "coil.hqx").string();
    const vantor::test::TRun saved = RunOk({"rate", "--no-settings", "--json", "--fluid-inlet", "80", "--save", file});
    ASSERT_TRUE(fs::exists(file));

    // The row options apply after the file: its inlet stays, the velocity changes.
    const vantor::test::TRun opened = RunOk({"rate", "--no-settings", "--json", file, "--air-velocity", "3"});
    EXPECT_EQ(opened.Json()["FluidInlet"], 80.0);
    EXPECT_EQ(opened.Json()["AirVelocity"], 3.0);

    std::ofstream(m_base / "other.hqx") << "<?xml version=\"1.0\"?><datafile program=\"Other\"/>";
    const vantor::test::TRun foreign = Run({"rate", "--no-settings", (m_base / "other.hqx").string()});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_NE(foreign.err.find("Invalid file format..."), std::string::npos) << foreign.err;
}

// A run that exits 1 must neither replace a data file nor create one: the file on disk would
// claim a rating that failed.
TEST_F(RateCommandTest, SaveWritesNothingWhenTheRunFails)
{
    fs::create_directory(m_base / "a folder");
    const struct {
        const char* why;
        std::vector<std::string> args;
    } failures[] = {
        {"a failed solve", {"rate", "--fluid-inlet", "5"}},
        {"a warning with --strict", {"rate", "--fluid-inlet", "24.9", "--strict"}},
        {"a --psy that cannot be written", {"rate", "--psy", (m_base / "a folder").string()}},
        // 1 m³/s of air at 25 °C cannot take 60 kW from water at 45 °C.
        {"a failed size --by",
         {"size", "--by", "face-area", "--keep-air-volume", "--air-volume", "1.0", "--design-duty", "60"}},
    };
    const fs::path existing = m_base / "existing.hqx";
    const fs::path fresh = m_base / "fresh.hqx";
    for (const auto& f : failures) {
        SCOPED_TRACE(f.why);
        std::ofstream(existing) << "kept";
        for (const fs::path& file : {existing, fresh}) {
            std::vector<std::string> args = f.args;
            args.insert(args.end(), {"--no-settings", "--save", file.string()});
            const vantor::test::TRun run = Run(args);
            EXPECT_EQ(run.exitCode, 1) << run.err;
            EXPECT_NE(run.err.find(file.string() + ": not written: the run failed\n"), std::string::npos) << run.err;
        }
        EXPECT_EQ(vantor::test::Slurp(existing), "kept");
        EXPECT_FALSE(fs::exists(fresh));
    }
    // The same runs that succeed write the file.
    ASSERT_EQ(Run({"rate", "--no-settings", "--fluid-inlet", "24.9", "--save", fresh.string()}).exitCode, 0);
    EXPECT_NE(vantor::test::Slurp(fresh).find("<datafile"), std::string::npos);
}

}  // namespace
