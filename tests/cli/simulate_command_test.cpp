// Runs `vantor-cli simulate` and checks its JSON and CSV against the rated first-run coil.

#include "cli_test_support.h"
#include "support/text_lines.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class SimulateCommandTest : public vantor::test::TCliTest {
};

TEST_F(SimulateCommandTest, JsonSeriesEndAtTheRatedCoilsTemperatures)
{
    const vantor::test::TRun run = RunOk({"simulate", "--no-settings", "--json"});
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.out);
    std::vector<std::string> keys;
    for (const auto& item : json.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"Duty", "DutyLabel", "FluidLabel", "AirLabel", "Legends", "FirstIndex",
                                              "LastIndex", "Series"}));
    const nlohmann::json reference = vantor::test::FirstRunCoilReference();
    EXPECT_NEAR(json["Duty"].get<double>(), reference["Qt"].get<double>(), 0.01 * reference["Qt"].get<double>());
    EXPECT_EQ(json["DutyLabel"], "Duty 18.3 kW");
    EXPECT_EQ(json["Legends"], nlohmann::json({"Fluid", "Air", "Surface", "Dew Point"}));
    EXPECT_EQ(json["FirstIndex"], 0);
    EXPECT_EQ(json["LastIndex"], 99);

    const auto& series = json["Series"];
    for (const char* name : {"Fluid", "Air", "Surface", "DewPoint"}) ASSERT_EQ(series[name].size(), 100u) << name;
    // Counterflow: the fluid enters (45 °C) where the air leaves, the air leaves at the rated
    // off-coil dry bulb (within the slicing), and enters the first slice at 25 °C.
    EXPECT_NEAR(series["Fluid"].back().get<double>(), 45.0, 1e-3);
    EXPECT_NEAR(series["Air"].back().get<double>(), reference["air_off_db_C"].get<double>(), 0.2);
    EXPECT_GT(series["Air"].front().get<double>(), 25.0);
    EXPECT_LT(series["Air"].front().get<double>(), 26.0);
    // The fluid at the air inlet face is near the rated leaving temperature.
    EXPECT_NEAR(series["Fluid"].front().get<double>(), reference["fluid_leaving_C"].get<double>(), 0.3);
    // Heating keeps the dew point of 25/17 at 101.325 kPa: W = 0.008813, pv = 1.4157 kPa,
    // which the saturation pressures of 12 and 12.5 °C (1.4028, 1.4497 kPa) put at 12.14 °C.
    for (const auto& dewPoint : series["DewPoint"]) EXPECT_NEAR(dewPoint.get<double>(), 12.14, 0.05);
    // The labels run from the first to the last step, one decimal.
    std::ostringstream fluidFirst;
    fluidFirst.precision(1);
    fluidFirst << std::fixed << series["Fluid"].front().get<double>();
    EXPECT_EQ(json["FluidLabel"], fluidFirst.str() + " - 45.0 °C");
    const std::string airLabel = json["AirLabel"];
    EXPECT_TRUE(airLabel.starts_with("25.") && airLabel.ends_with(" - 40.5 °C")) << airLabel;
}

TEST_F(SimulateCommandTest, CsvHasAHeaderAndOneLinePerStep)
{
    const vantor::test::TRun run = RunOk({"simulate", "--no-settings", "--csv", "--fluid-inlet", "60"});
    const std::vector<std::string> lines = vantor::test::Lines(run.out);
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[0], "Position,Fluid,Air,Surface,Dew Point");
    EXPECT_EQ(lines[1].rfind("0,", 0), 0u);
    EXPECT_EQ(lines[100].rfind("99,60.000,", 0), 0u) << lines[100];

    // The same run as JSON gives the same numbers.
    const vantor::test::TRun json = RunOk({"simulate", "--no-settings", "--json", "--fluid-inlet", "60"});
    const double air = json.Json()["Series"]["Air"][50].get<double>();
    std::ostringstream expected;
    expected.precision(3);
    expected << std::fixed << air;
    EXPECT_NE(lines[51].find("," + expected.str() + ","), std::string::npos) << lines[51];
}

TEST_F(SimulateCommandTest, RefusesWhatItCannotUse)
{
    const vantor::test::TRun both = Run({"simulate", "--no-settings", "--json", "--csv"});
    EXPECT_EQ(both.exitCode, 2);
    const vantor::test::TRun missing = Run({"simulate", (m_base / "missing.hqx").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("missing.hqx"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");
    const vantor::test::TRun text = RunOk({"simulate", "--no-settings"});
    EXPECT_EQ(text.out.rfind("Step-by-Step Simulation\nDuty 18.3 kW\nFluid ", 0), 0u) << text.out;
    EXPECT_NE(text.out.find(" - 45.0 °C\nAir "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\n\nPosition,Fluid,Air,Surface,Dew Point\n0,"), std::string::npos) << text.out;
}

#ifdef VANTOR_CLI_CHARTS
// The chart drawn to a file in each format, by a program that is given no display at all.
TEST_F(SimulateCommandTest, ChartPicturesInThreeFormats)
{
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) ::unsetenv(variable);
    const std::filesystem::path png = m_base / "profile.png";
    const std::filesystem::path pdf = m_base / "profile.PDF";
    const std::filesystem::path svg = m_base / "profile.svg";
    for (const std::filesystem::path& picture : {png, pdf, svg}) {
        const vantor::test::TRun run = Run({"simulate", "--no-settings", "--json", "--chart", picture.string()});
        ASSERT_EQ(run.exitCode, 0) << picture << run.err;
        EXPECT_EQ(run.Json()["DutyLabel"], "Duty 18.3 kW") << "the usual output still goes to stdout";
    }

    // A PNG of 800 × 560 pixels: the width and height of its header chunk, big-endian.
    const std::string pngBytes = vantor::test::Slurp(png);
    ASSERT_GT(pngBytes.size(), 24u);
    EXPECT_EQ(pngBytes.substr(1, 3), "PNG");
    const auto word = [&](size_t at) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(pngBytes[at + i]);
        return value;
    };
    EXPECT_EQ(word(16), 800u);
    EXPECT_EQ(word(20), 560u);

    // The PDF carries its texts as text: title, axis labels, the legend and the value line.
    const std::filesystem::path text = m_base / "profile.txt";
    const std::string command = "pdftotext " + vantor::test::ShellQuoted(pdf.string()) + " " +
                                vantor::test::ShellQuoted(text.string());
    ASSERT_EQ(std::system(command.c_str()), 0) << "pdftotext (poppler-utils) is needed";
    const std::string pdfText = vantor::test::Slurp(text);
    for (const char* expected : {"Temperature Profile", "Position", "Temperature", "Fluid", "Air", "Surface",
                                 "Dew Point", "Duty 18.3 kW", " - 45.0 °C", " - 40.5 °C"})
        EXPECT_NE(pdfText.find(expected), std::string::npos) << expected << " in\n" << pdfText;

    const std::string svgText = vantor::test::Slurp(svg);
    EXPECT_NE(svgText.find("<svg"), std::string::npos);
    for (const char* expected : {"Temperature Profile", "Dew Point", "Duty 18.3 kW"})
        EXPECT_NE(svgText.find(expected), std::string::npos) << expected;
}

TEST_F(SimulateCommandTest, AChartItCannotWriteIsAFailure)
{
    const vantor::test::TRun folder =
        Run({"simulate", "--no-settings", "--chart", (m_base / "none" / "profile.png").string()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("profile.png"), std::string::npos) << folder.err;
    EXPECT_EQ(folder.out, "") << "nothing is reported as done";
}
#endif

TEST_F(SimulateCommandTest, AChartNeedsAPictureExtension)
{
    for (const std::string name : {"profile.gif", "profile", "a.png/profile"}) {
        const vantor::test::TRun run = Run({"simulate", "--no-settings", "--chart", (m_base / name).string()});
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_EQ(run.out, "");
#ifdef VANTOR_CLI_CHARTS
        EXPECT_NE(run.err.find("must end in .png, .pdf or .svg"), std::string::npos) << run.err;
#else
        EXPECT_NE(run.err.find("built without its windows"), std::string::npos) << run.err;
#endif
        EXPECT_FALSE(std::filesystem::exists(m_base / name)) << name;
    }
}

// Coils whose leaving fluid comes close to the entering air, so that the fluid temperature at
// the far end answers a change at the air inlet face many times over.
TEST_F(SimulateCommandTest, SteepCoilsEndAtTheInletWithTheRatedDuty)
{
    struct TCase {
        std::vector<std::string> Inputs;
        double Inlet;
    };
    const TCase cases[] = {
        {{"--model", "700 2400 4r 10f 4c", "--on-coil", "13.5/9.1", "--air-volume", "4.28", "--fluid-inlet", "80.4"},
         80.4},
        {{"--model", "300 2400 6r 12f 1c", "--on-coil", "19.5/18.9", "--air-volume", "1.3", "--fluid-inlet", "43.8"},
         43.8},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Inputs[1]);
        std::vector<std::string> args = {"--no-settings", "--fluid-control", "flow", "--json"};
        args.insert(args.end(), c.Inputs.begin(), c.Inputs.end());
        std::vector<std::string> rate = {"rate"};
        rate.insert(rate.end(), args.begin(), args.end());
        std::vector<std::string> simulate = {"simulate"};
        simulate.insert(simulate.end(), args.begin(), args.end());

        const vantor::test::TRun rated = RunOk(rate);
        const double ratedDuty = rated.Json()["Qt"].get<double>();
        const vantor::test::TRun run = RunOk(simulate);
        const nlohmann::json json = run.Json();
        EXPECT_NEAR(json["Duty"].get<double>(), ratedDuty, 0.005 * ratedDuty);
        const auto& series = json["Series"];
        for (const char* name : {"Fluid", "Air", "Surface", "DewPoint"}) {
            ASSERT_EQ(series[name].size(), 100u) << name;
            for (const auto& value : series[name]) {
                ASSERT_TRUE(value.is_number()) << name;  // NaN would print as null
                EXPECT_LT(std::abs(value.get<double>()), 200) << name;
            }
        }
        EXPECT_NEAR(series["Fluid"].back().get<double>(), c.Inlet, 1e-5);
    }
    // The first of them is rated at 127.3 kW.
    const vantor::test::TRun text = RunOk({"simulate", "--no-settings", "--fluid-control", "flow", "--model",
                                           "700 2400 4r 10f 4c", "--on-coil", "13.5/9.1", "--air-volume", "4.28",
                                           "--fluid-inlet", "80.4"});
    EXPECT_EQ(text.out.rfind("Step-by-Step Simulation\nDuty 127 kW\nFluid ", 0), 0u) << text.out;
    EXPECT_NE(text.out.find(" - 80.4 °C\nAir "), std::string::npos) << text.out;
}

// Water at 0.2 m/s in two circuits leaves within 0.04 K of the 9.36 °C air: the face
// temperature that would bring the fluid to its inlet lies closer to the air than a double
// can tell apart. The command says so and prints no profile.
TEST_F(SimulateCommandTest, AProfileBeyondResolvingFails)
{
    const std::vector<std::string> inputs = {"--no-settings", "--model", "954 2144 6r 13f 2c", "--on-coil",
                                             "9.36/6.02", "--air-velocity", "3.155", "--fluid-inlet", "36.157",
                                             "--fluid-control", "flow", "--tube-velocity", "0.2"};
    std::vector<std::string> rate = {"rate", "--json"};
    rate.insert(rate.end(), inputs.begin(), inputs.end());
    const vantor::test::TRun rated = RunOk(rate);
    EXPECT_LT(rated.Json()["LeavingTemp"].get<double>() - 9.36, 0.04);

    for (const char* output : {"--json", "--csv", ""}) {
        SCOPED_TRACE(output);
        std::vector<std::string> args = {"simulate"};
        args.insert(args.end(), inputs.begin(), inputs.end());
        if (*output) args.emplace_back(output);
        const vantor::test::TRun run = Run(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "vantor-cli: Step-by-step simulation failed: the temperatures along the coil cannot be "
                           "resolved (the leaving fluid is too close to the entering air).\n");
    }
}

}  // namespace
