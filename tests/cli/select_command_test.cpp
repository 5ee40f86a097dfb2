// Runs `vantor-cli select` and checks its picks against `rate` of the same coils.

#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using vantor::test::TRun;

class SelectCommandTest : public vantor::test::TCliTest {
protected:
    // 100 kW to 3 m³/s of air at 0/-2 °C from water at 80 °C dropping 20 K, in a
    // 914.4 x 1500 mm casing.
    std::vector<std::string> Casing(std::vector<std::string> more = {}) const
    {
        std::vector<std::string> args = {"select",         "--design-duty", "100",    "--maker",    "Typical",
                                         "--air-volume",   "3",             "--on-coil", "0/-2",    "--fluid-inlet",
                                         "80",             "--design-dt",   "20",     "--height",   "914.4",
                                         "--length",       "1500",          "--max-air-dp", "150",  "--max-fluid-dp",
                                         "50",             "--no-settings"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
};

TEST_F(SelectCommandTest, JsonListsPassingCoilsLightestFirstThatRateGivesTheSameDuty)
{
    const TRun run = RunOk(Casing({"--json", "--top", "5"}));
    EXPECT_EQ(run.err, "");
    const nlohmann::json list = run.Json();
    ASSERT_TRUE(list.is_array());
    ASSERT_GE(list.size(), 2u);
    EXPECT_LE(list.size(), 5u);
    double lastWeight = 0;
    for (const nlohmann::json& coil : list) {
        for (const char* key : {"Maker", "Range", "Model", "MakerDesignation", "Rows", "fpi", "Circ", "fHeight",
                                "fLength", "AirVelocity", "Qt", "Margin", "AirPressureDrop", "FluidPressureDrop",
                                "FluidFlow", "TubeVelocity", "LeavingTemp", "AirOff", "PipeSize", "DryWeight"})
            EXPECT_TRUE(coil.contains(key)) << key;
        EXPECT_EQ(coil["Maker"], "Typical");
        EXPECT_DOUBLE_EQ(coil["fHeight"].get<double>(), 0.9144);
        EXPECT_DOUBLE_EQ(coil["fLength"].get<double>(), 1.5);
        EXPECT_GE(coil["Qt"].get<double>(), 100);
        EXPECT_LE(coil["Qt"].get<double>(), 115);
        EXPECT_LE(coil["AirPressureDrop"].get<double>(), 150);
        EXPECT_LE(coil["FluidPressureDrop"].get<double>(), 50);
        EXPECT_GE(coil["DryWeight"].get<double>(), lastWeight);
        lastWeight = coil["DryWeight"].get<double>();
        // m = Q / (cp · ΔT) with water's cp at 70 °C, 4.190 kJ/(kg·K) in the steam tables.
        EXPECT_NEAR(coil["FluidFlow"].get<double>(), 100 / (4.190 * 20), 0.002);
        // 3 m³/s through 1.3716 m².
        EXPECT_NEAR(coil["AirVelocity"].get<double>(), 3 / 1.3716, 1e-9);
    }

    // The first pick, rated by `rate` at the selection's flow, gives the selection's duty.
    const nlohmann::json& first = list.front();
    const TRun rated = RunOk({"rate", "--no-settings", "--json", "--maker", "Typical", "--range",
                              first["Range"].get<std::string>(), "--model", first["Model"].get<std::string>(),
                              "--air-volume", "3", "--on-coil", "0/-2", "--fluid-control", "flow", "--fluid-inlet", "80",
                              "--fluid-flow", nlohmann::json(first["FluidFlow"]).dump()});
    const nlohmann::json json = rated.Json();
    EXPECT_NEAR(json["Qt"].get<double>(), first["Qt"].get<double>(), 1e-3);
    EXPECT_NEAR(json["AirPressureDrop"].get<double>(), first["AirPressureDrop"].get<double>(), 1e-3);
    EXPECT_NEAR(json["LeavingTemp"].get<double>(), first["LeavingTemp"].get<double>(), 1e-3);
}

TEST_F(SelectCommandTest, TableAndCsvShowTheSameCoils)
{
    const TRun table = RunOk(Casing({"--top", "3"}));
    EXPECT_EQ(table.out.rfind("#   Maker      Range", 0), 0u) << table.out;
    const TRun csv = RunOk(Casing({"--top", "3", "--csv"}));
    EXPECT_EQ(csv.out.rfind("Maker,Range,Model,MakerDesignation,Rows,fpi,Circ,fHeight,fLength,AirVelocity,Qt,", 0), 0u);
    const nlohmann::json list = Run(Casing({"--top", "3", "--json"})).Json();
    ASSERT_EQ(list.size(), 3u);
    for (const nlohmann::json& coil : list) {
        const std::string model = coil["Model"];
        EXPECT_NE(table.out.find(model), std::string::npos) << model;
        EXPECT_NE(csv.out.find("Typical," + coil["Range"].get<std::string>() + "," + model + ","), std::string::npos)
            << model;
    }
}

TEST_F(SelectCommandTest, NothingPassingIsAnEmptyListAndTheRulingLimitOnStderr)
{
    const TRun run = RunOk(Casing({"--json", "--tube-velocity-range", "5-6"}));
    EXPECT_EQ(run.Json(), nlohmann::json::array());
    EXPECT_NE(run.err.find("no coil meets the requirement"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("the tube velocity range"), std::string::npos) << run.err;

    const TRun small = RunOk({"select", "--no-settings", "--design-duty", "400", "--air-volume", "1", "--height", "300",
                              "--length", "600", "--max-face-velocity", "6", "--json"});
    EXPECT_EQ(small.Json(), nlohmann::json::array());
    EXPECT_NE(small.err.find("the design duty, not reached"), std::string::npos) << small.err;
}

TEST_F(SelectCommandTest, ArgumentsThatCannotBeUsedAreRefused)
{
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"--rows", "8-1"}, 2, "--rows"},
        {{"--fins", "six-nine"}, 2, "--fins"},
        {{"--aspect", "2"}, 2, "--aspect"},
        {{"--range", "9/8 inch"}, 1, "no tube range"},
        {{"--json", "--csv"}, 2, ""},
    };
    for (const auto& c : cases) {
        const TRun run = Run(Casing(c.args));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.front() << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(Run({"select", "--no-settings", "--design-duty", "50", "--air-volume", "1", "--height", "600"}).exitCode, 2);
    EXPECT_EQ(Run({"select", "--no-settings", "--air-volume", "1"}).exitCode, 2);
    EXPECT_EQ(Run({"select", "--no-settings", "--design-duty", "50", "--air-volume", "1", "--maker", "Nobody"}).exitCode, 1);
}

// "1/2 inch 1r 12f": the range, rows and fins of a listed coil, its geometry in a fixed face.
std::string Geometry(const nlohmann::json& coil)
{
    return coil["Range"].get<std::string>() + " " + std::to_string(coil["Rows"].get<int>()) + "r " +
           std::to_string(coil["fpi"].get<int>()) + "f";
}

// 100 kW to 3 m³/s of air at 0/-2 °C from water at 80 °C dropping 20 K, through the 1/2 inch
// range in a 914.4 x 1500 mm casing, with a fluid pressure drop up to fluidDrop kPa.
std::vector<std::string> HalfInchCasing(const std::string& fluidDrop)
{
    return {"select", "--no-settings", "--design-duty", "100", "--maker", "Typical", "--range", "1/2 inch",
            "--air-volume", "3", "--on-coil", "0/-2", "--fluid-inlet", "80", "--design-dt", "20", "--height",
            "914.4", "--length", "1500", "--max-air-dp", "150", "--max-fluid-dp", fluidDrop, "--json"};
}

TEST_F(SelectCommandTest, FixedFaceListsEveryPassingGeometryAndALooserFluidLimitKeepsThemAll)
{
    const TRun tight = RunOk(HalfInchCasing("50"));
    // Rating every rows, fins and circuits of the face at the selection's flow finds five.
    const nlohmann::json strict = tight.Json();
    std::set<std::string> strictGeometries;
    for (const nlohmann::json& coil : strict) strictGeometries.insert(Geometry(coil));
    EXPECT_EQ(strict.size(), 5u) << tight.out;
    EXPECT_EQ(strictGeometries.size(), strict.size()) << "a geometry listed twice";

    const TRun loose = RunOk(HalfInchCasing("70"));
    std::set<std::string> looseGeometries;
    for (const nlohmann::json& coil : loose.Json()) looseGeometries.insert(Geometry(coil));
    EXPECT_TRUE(looseGeometries.count("1/2 inch 1r 12f")) << loose.out;
    for (const std::string& geometry : strictGeometries) EXPECT_TRUE(looseGeometries.count(geometry)) << geometry;
}

TEST_F(SelectCommandTest, TheRequirementIsNotHeldToTheRowsRangesOrFormats)
{
    // 700 kW is beyond the Design Duty row's 500 kW: every coil listed gives 700 kW or more.
    const TRun large = RunOk({"select", "--no-settings", "--design-duty", "700", "--maker", "Typical", "--air-volume",
                              "15", "--on-coil", "0/-2", "--fluid-inlet", "80", "--design-dt", "20", "--max-height",
                              "2500", "--max-length", "4000", "--top", "5", "--json"});
    EXPECT_EQ(large.err.find("used"), std::string::npos) << large.err;
    const nlohmann::json list = large.Json();
    ASSERT_FALSE(list.empty());
    for (const nlohmann::json& coil : list) {
        EXPECT_GE(coil["Qt"].get<double>(), 700) << coil["Model"];
        EXPECT_LE(coil["Qt"].get<double>(), 700 * 1.15) << coil["Model"];
    }

    // A drop of 5.12 K, not 5.1: m = Q / (cp · ΔT) with water's cp at 77.4 °C, 4.194 kJ/(kg·K)
    // in the steam tables (5.1 K would give 4.675 kg/s).
    const TRun fine = RunOk({"select", "--no-settings", "--design-duty", "100", "--maker", "Typical", "--air-volume",
                             "3", "--on-coil", "0/-2", "--fluid-inlet", "80", "--design-dt", "5.12", "--json"});
    const nlohmann::json picks = fine.Json();
    ASSERT_FALSE(picks.empty()) << fine.err;
    EXPECT_NEAR(picks.front()["FluidFlow"].get<double>(), 100 / (4.194 * 5.12), 0.005);

    // Values without a meaning are refused; one that is not a finite number is not read at all.
    for (const char* duty : {"0", "-5"}) {
        const TRun refused = Run({"select", "--no-settings", "--design-duty", duty, "--air-volume", "3"});
        EXPECT_EQ(refused.exitCode, 1) << duty << ": " << refused.err;
        EXPECT_NE(refused.err.find("design duty"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(Run({"select", "--no-settings", "--design-duty", "inf", "--air-volume", "3"}).exitCode, 2);
    EXPECT_EQ(Run({"select", "--no-settings", "--design-duty", "50", "--air-volume", "lots"}).exitCode, 2);
}

TEST_F(SelectCommandTest, DistinctListsEachCoilOnceOnItsLightestFace)
{
    const std::vector<std::string> freeFace = {
        "select",       "--no-settings",  "--design-duty",  "100",  "--maker",      "Typical",
        "--air-volume", "3",              "--on-coil",      "0/-2", "--fluid-inlet", "80",
        "--design-dt",  "20",             "--min-height",   "300",  "--max-height", "2000",
        "--min-length", "300",            "--max-length",   "3000", "--max-face-velocity", "3",
        "--max-air-dp", "150",            "--max-fluid-dp", "50",   "--json"};
    const auto coil = [](const nlohmann::json& c) {
        return std::make_tuple(c["Range"].get<std::string>(), c["Rows"].get<double>(), c["fpi"].get<double>(),
                               c["Circ"].get<double>());
    };
    const TRun every = RunOk(freeFace);
    const nlohmann::json all = every.Json();
    std::set<decltype(coil(all.front()))> seen;
    for (const nlohmann::json& c : all) seen.insert(coil(c));
    // Without --distinct the same coil comes on faces 10 mm apart.
    EXPECT_LT(seen.size(), all.size());

    std::vector<std::string> distinct = freeFace;
    distinct.push_back("--distinct");
    const TRun once = RunOk(distinct);
    const nlohmann::json list = once.Json();
    EXPECT_EQ(list.size(), 20u);
    seen.clear();
    for (const nlohmann::json& c : list) EXPECT_TRUE(seen.insert(coil(c)).second) << c["Model"];
    EXPECT_EQ(list.front()["Model"], all.front()["Model"]);
}

}  // namespace
