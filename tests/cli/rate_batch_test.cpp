// Runs `vantor-cli rate --batch` on small schedules and compares each line with `rate`.

#include "cli_test_support.h"
#include "support/text_lines.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vantor::test::Lines;
using vantor::test::TRun;

// The fields of a line without quoted commas.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.push_back("");
    return fields;
}

class RateBatchTest : public vantor::test::TCliTest {
protected:
    std::string Schedule(const std::string& text) const
    {
        const std::string path = (m_base / "schedule.csv").string();
        std::ofstream(path) << text;
        return path;
    }
};

TEST_F(RateBatchTest, BadLineInTheMiddleGetsItsMessageAndTheOthersRateAsRateDoes)
{
    const std::string schedule = Schedule(
        "tag,model,air-volume,on-coil,fluid-inlet,design-dt,fluid-control\n"
        "AHU-1,914.4 x 1500 2r 8f 12c,3,0/-2,80,20,temperature\n"
        "AHU-2,not a coil,1.5,,,,\n"
        "\"AHU-3, east\",610 1200 3r 10f 8c,,,60,,flow\n");
    const std::string out = (m_base / "results.csv").string();
    const TRun run = Run({"rate", "--batch", schedule, "--out", out, "--no-settings"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "");
    const std::vector<std::string> lines = Lines(vantor::test::Slurp(out));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "tag,model,air-volume,on-coil,fluid-inlet,design-dt,fluid-control,Status,StatusText,Qt,Qs,"
                        "LeavingTemp,AirOffDryBulb,AirOffWetBulb,AirPressureDrop,FluidPressureDrop,FluidFlow,"
                        "TubeVelocity,AirVolume,AirVelocity,AirMassFlow,PipeSize,RatedModel,Message");

    const std::vector<std::string> bad = Fields(lines[2]);
    ASSERT_EQ(bad.size(), 24u) << lines[2];
    EXPECT_EQ(bad[0], "AHU-2");
    EXPECT_EQ(bad[7], "");  // no status
    EXPECT_NE(bad[23].find("--model"), std::string::npos) << lines[2];

    const struct {
        size_t line;
        std::vector<std::string> options;
    } good[] = {
        {1, {"--model", "914.4 x 1500 2r 8f 12c", "--air-volume", "3", "--on-coil", "0/-2", "--fluid-inlet", "80",
             "--design-dt", "20", "--fluid-control", "temperature"}},
        {3, {"--model", "610 1200 3r 10f 8c", "--fluid-inlet", "60", "--fluid-control", "flow"}},
    };
    for (const auto& g : good) {
        std::vector<std::string> args = {"rate", "--no-settings", "--json"};
        args.insert(args.end(), g.options.begin(), g.options.end());
        const TRun rated = RunOk(args);
        const nlohmann::json json = rated.Json();
        // The quoted tag holds a comma: the result columns are counted from the end.
        const std::vector<std::string> fields = Fields(lines[g.line]);
        const size_t qt = fields.size() - 15;
        EXPECT_EQ(fields[qt - 2], "0") << lines[g.line];
        EXPECT_EQ(fields[qt - 1], "Solved...");
        EXPECT_EQ(std::stod(fields[qt]), json["Qt"].get<double>()) << lines[g.line];
        EXPECT_EQ(std::stod(fields[qt + 2]), json["LeavingTemp"].get<double>());
        EXPECT_EQ(std::stod(fields[qt + 7]), json["FluidFlow"].get<double>());
        EXPECT_EQ(fields[qt + 13], json["Model"].get<std::string>());
        EXPECT_EQ(fields.back(), "");
    }
    EXPECT_EQ(lines[3].rfind("\"AHU-3, east\",610 1200 3r 10f 8c,", 0), 0u) << lines[3];
}

TEST_F(RateBatchTest, AllLinesRatedExitsZeroAndWritesToStandardOutput)
{
    const std::string schedule = Schedule("model,maker,range,tag\r\n"
                                          "544 720 4r 12f 7c,Typical,5/8 inch,one\r\n"
                                          ",,,two\r\n");
    const TRun run = RunOk({"rate", "--batch", schedule, "--no-settings"});
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    // An empty cell keeps the first-run value.
    EXPECT_NE(lines[2].find(",544 x 720  4r  12f  7c,"), std::string::npos) << lines[2];
    EXPECT_NE(lines[1], lines[2].substr(0, lines[1].size()));
}

// The row options of the command line are every line's defaults; a line's cell wins over the
// option of its name, and nothing one line sets reaches the next.
TEST_F(RateBatchTest, CommandLineRowOptionsAreTheDefaultsOfEveryLine)
{
    const std::string schedule = Schedule("tag,fluid-inlet,air-volume,model\n"
                                          "one,,,\n"
                                          "two,60,2,610 1200 3r 10f 8c\n"
                                          "three,,,\n");
    const TRun run = RunOk({"rate", "--batch", schedule, "--no-settings", "--model", "762 1219 2r 10f 8c",
                            "--fluid-inlet", "70", "--air-velocity", "3", "--maker", "Typical", "--range", "5/8 inch"});
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;

    // As one rate call with the merged options: the air volume of line two is applied before
    // the command line's face velocity, which therefore decides the air.
    const std::vector<std::string> defaultsOnly = {"--model", "762 1219 2r 10f 8c", "--fluid-inlet", "70",
                                                   "--air-velocity", "3", "--maker", "Typical", "--range", "5/8 inch"};
    const std::vector<std::string> merged[] = {
        defaultsOnly,
        {"--model", "610 1200 3r 10f 8c", "--fluid-inlet", "60", "--air-volume", "2", "--air-velocity", "3", "--maker",
         "Typical", "--range", "5/8 inch"},
        defaultsOnly,
    };
    for (size_t i = 0; i < std::size(merged); ++i) {
        SCOPED_TRACE(lines[i + 1]);
        std::vector<std::string> rate = {"rate", "--no-settings", "--json"};
        rate.insert(rate.end(), merged[i].begin(), merged[i].end());
        const TRun rated = RunOk(rate);
        const nlohmann::json json = rated.Json();
        const std::vector<std::string> fields = Fields(lines[i + 1]);
        ASSERT_EQ(fields.size(), 21u);
        EXPECT_EQ(fields[4], "0");
        EXPECT_EQ(std::stod(fields[6]), json["Qt"].get<double>());
        EXPECT_EQ(std::stod(fields[13]), json["FluidFlow"].get<double>());
        EXPECT_EQ(std::stod(fields[15]), json["AirVolume"].get<double>());
        EXPECT_EQ(std::stod(fields[16]), json["AirVelocity"].get<double>());
        EXPECT_NEAR(std::stod(fields[16]), 3.0, 1e-12);
        EXPECT_EQ(fields[19], json["Model"].get<std::string>());
        EXPECT_EQ(json["Range"], "5/8 inch");
    }
    EXPECT_EQ(Fields(lines[3])[19], "762 x 1219  2r  10f  8c") << "line two's model does not carry over";
    EXPECT_EQ(lines[1].substr(lines[1].find(",0,")), lines[3].substr(lines[3].find(",0,")));
}

// --units reaches the texts only: the warnings in Message; the numbers stay in SI units.
TEST_F(RateBatchTest, UnitsChooseTheUnitsOfTheMessagesOnly)
{
    const std::string schedule = Schedule("tag,air-volume\nfast,100\n");
    const TRun metric = Run({"rate", "--batch", schedule, "--no-settings", "--units", "metric"});
    const TRun imperial = Run({"rate", "--batch", schedule, "--no-settings", "--units", "imperial"});
    ASSERT_EQ(metric.exitCode, 0) << metric.err;
    ASSERT_EQ(imperial.exitCode, 0) << imperial.err;
    // No column of the schedule is named like a result column: none is renamed.
    EXPECT_TRUE(Lines(metric.out)[0].ends_with(",PipeSize,Model,Message")) << metric.out;
    const std::vector<std::string> m = Fields(Lines(metric.out)[1]);
    const std::vector<std::string> i = Fields(Lines(imperial.out)[1]);
    ASSERT_EQ(m.size(), i.size());
    for (size_t f = 0; f + 1 < m.size(); ++f) EXPECT_EQ(m[f], i[f]) << f;
    // 255.31 m/s = 50258 ft/min.
    EXPECT_NE(m.back().find("255.31 m/s"), std::string::npos) << m.back();
    EXPECT_NE(i.back().find("50258"), std::string::npos) << i.back();
}

TEST_F(RateBatchTest, LineWithTooManyFieldsGetsItsMessageAndTheOthersRate)
{
    const std::string schedule = Schedule("tag,model\n"
                                          "one,544 720 4r 12f 7c\n"
                                          "AHU-2, east,610 1200 3r 10f 8c\n"
                                          "three,610 1200 3r 10f 8c\n");
    const TRun run = Run({"rate", "--batch", schedule, "--no-settings"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    EXPECT_TRUE(lines[1].starts_with("one,544 720 4r 12f 7c,0,Solved...,")) << lines[1];
    // The line keeps a field a column; its result columns stay empty.
    EXPECT_EQ(lines[2], "AHU-2,\" east\"" + std::string(17, ',') + "line 3: 3 fields for 2 columns");
    EXPECT_TRUE(lines[3].starts_with("three,610 1200 3r 10f 8c,0,Solved...,")) << lines[3];
}

// Results written over the schedule would destroy it, by its name or through a link.
TEST_F(RateBatchTest, OutNamingTheScheduleItselfIsRefused)
{
    const std::string text = "model\n544 720 4r 12f 7c\n";
    const std::string schedule = Schedule(text);
    fs::create_symlink(schedule, m_base / "link.csv");
    fs::create_hard_link(schedule, m_base / "hard.csv");
    for (const fs::path& out :
         {fs::path(schedule), m_base / "link.csv", m_base / "hard.csv", m_base / "." / "schedule.csv"}) {
        SCOPED_TRACE(out);
        const TRun run = Run({"rate", "--batch", schedule, "--out", out.string(), "--no-settings"});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("is the schedule itself"), std::string::npos) << run.err;
        EXPECT_EQ(vantor::test::Slurp(schedule), text);
        EXPECT_TRUE(fs::is_symlink(m_base / "link.csv"));
    }
}

TEST_F(RateBatchTest, SchedulesAndOptionsThatCannotBeUsedAreRefused)
{
    const std::string good = Schedule("model\n544 720 4r 12f 7c\n");
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"rate", "--batch", good, "--json"}, 2},
        {{"rate", "--batch", good, "--save", (m_base / "x.hqx").string()}, 2},
        {{"rate", "--out", (m_base / "r.csv").string()}, 2},
        {{"rate", "--batch", (m_base / "missing.csv").string()}, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(Run(c.args).exitCode, c.exitCode) << c.args[1] << " " << c.args.back();

    const TRun unknown = Run({"rate", "--batch", Schedule("model,colour\n544 720 4r 12f 7c,red\n"), "--no-settings"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("\"colour\""), std::string::npos) << unknown.err;
    const TRun broken = Run({"rate", "--batch", Schedule("model\n\"544 720 4r 12f 7c\n"), "--no-settings"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("quote"), std::string::npos) << broken.err;
}

// Whole results of schedules with every kind of line: good, refused, ragged, quoted, sized,
// warned about; command-line defaults, Imperial texts, stored settings that cannot be used.
TEST_F(RateBatchTest, ResultsEqualTheirExpectedFiles)
{
    const fs::path data = fs::path(VANTOR_TEST_DATA_DIR) / "schedules";
    const std::string out = (m_base / "results.csv").string();
    const struct {
        const char* schedule;
        std::vector<std::string> options;
        const char* settings;  // the stored program key; none when empty
        const char* expected;
        int exitCode;
        bool toOut;
    } cases[] = {
        {"mixed.csv", {"--no-settings"}, "", "mixed-results.csv", 1, true},
        {"mixed.csv",
         {"--no-settings", "--units", "imperial", "--model", "762 1219 2r 10f 8c", "--fluid-inlet", "70", "--maker",
          "Typical", "--range", "5/8 inch", "--air-velocity", "3"},
         "",
         "mixed-defaults-imperial-results.csv",
         1,
         false},
        {"plain.csv", {}, "[VantorForm]\nPressure=5\n", "plain-settings-results.csv", 0, false},
        {"plain.csv", {"--strict"}, "[VantorForm]\nPressure=5\n", "plain-strict-results.csv", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        fs::remove_all(m_base / "config");
        if (*c.settings) vantor::test::PutFile(m_base / "config" / "Korvane" / "Vantor.ini", c.settings);
        std::vector<std::string> args = {"rate", "--batch", (data / c.schedule).string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        if (c.toOut) args.insert(args.end(), {"--out", out});
        const TRun run = Run(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.err, "");
        if (c.toOut) {
            EXPECT_EQ(vantor::test::Slurp(out), vantor::test::Slurp(data / c.expected));
        }
        EXPECT_EQ(run.out, c.toOut ? "" : vantor::test::Slurp(data / c.expected));
    }
}

// A schedule that breaks off as a table far down gives no results at all, not the lines
// before the break.
TEST_F(RateBatchTest, TableBrokenAfterGoodLinesWritesNothing)
{
    std::string good = "model\n";
    for (int i = 0; i < 300; ++i) good += "544 720 4r 12f 7c\n";
    const std::string out = (m_base / "results.csv").string();
    const struct {
        std::string end;
        std::string message;
    } cases[] = {{"\"x\n", "line 302: a quote is never closed"}, {"\"x\"y\n", "line 302: text after a closing quote"}};
    for (const auto& c : cases) {
        const std::string schedule = Schedule(good + c.end);
        for (const bool toOut : {false, true}) {
            std::vector<std::string> args = {"rate", "--batch", schedule, "--no-settings"};
            if (toOut) args.insert(args.end(), {"--out", out});
            const TRun run = Run(args);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "vantor-cli: " + schedule + ": " + c.message + "\n");
            EXPECT_FALSE(fs::exists(out));
        }
    }
}

// The result columns of an output line: what follows the schedule's own columns.
std::string ResultPart(const std::string& line, size_t scheduleFields)
{
    size_t at = 0;
    for (size_t i = 0; i < scheduleFields; ++i) at = line.find(',', at) + 1;
    return line.substr(at);
}

// A line rates the same after any other line: alone, among lines of very different coils,
// fluids, makers and modes, and in another order.
TEST_F(RateBatchTest, LinesRateAsIfAloneWhateverCameBefore)
{
    const std::string header = "model,air-volume,on-coil,fluid-inlet,fluid-spec,additive,additive-volume,fluid-control,"
                               "calculate,design-duty,maker,range,barometer";
    const std::vector<std::string> kinds = {
        "914.4 x 1500 2r 8f 12c,3,0/-2,80,,,,temperature,,,,,",
        "457 900 1r 14f 6c,0.5,30/20,,0,1,0.4,flow,,,,,85",
        ",,,,,,,,size,50,,,",
        "762 1219 2r 10f 8c,,,60,,,,,,,Typical,5/8 inch,",
        "not a coil,,,,,,,,,,,,",
        ",100,10/20,5,,,,,,,,,",
        ",,,,,,,,,,,,",
    };
    const size_t fields = 13;
    std::vector<std::string> alone;
    for (const std::string& kind : kinds) {
        const TRun run = Run({"rate", "--batch", Schedule(header + "\n" + kind + "\n"), "--no-settings"});
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_EQ(lines.size(), 2u) << run.out;
        alone.push_back(ResultPart(lines[1], fields));
    }
    // Every kind after every other, then the same lines shuffled.
    std::vector<size_t> order;
    for (size_t a = 0; a < kinds.size(); ++a)
        for (size_t b = 0; b < kinds.size(); ++b) order.insert(order.end(), {a, b});
    std::vector<size_t> shuffled = order;
    std::mt19937 random(7);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    for (const std::vector<size_t>* sequence : {&order, &shuffled}) {
        std::string text = header + "\n";
        for (const size_t k : *sequence) text += kinds[k] + "\n";
        const TRun run = Run({"rate", "--batch", Schedule(text), "--no-settings"});
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_EQ(lines.size(), sequence->size() + 1) << run.err;
        for (size_t i = 0; i < sequence->size(); ++i)
            EXPECT_EQ(ResultPart(lines[i + 1], fields), alone[(*sequence)[i]]) << "line " << i + 2;
    }
}

// Far more lines than are ever in flight come out in the order they went in.
TEST_F(RateBatchTest, LongScheduleKeepsItsOrder)
{
    const char* models[] = {"544 720 4r 12f 7c", "914.4 1500 2r 10f 12c", "610 1200 3r 8f 8c", "bad"};
    const int count = 20000;
    std::string text = "tag,model,fluid-inlet\n";
    for (int i = 0; i < count; ++i) text += std::to_string(i) + "," + models[i % 4] + "," + std::to_string(40 + i % 50) + "\n";
    const std::string out = (m_base / "results.csv").string();
    const TRun run = Run({"rate", "--batch", Schedule(text), "--no-settings", "--out", out});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const std::vector<std::string> lines = Lines(vantor::test::Slurp(out));
    ASSERT_EQ(lines.size(), count + 1u);
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> f = Fields(lines[i + 1]);
        ASSERT_EQ(f[0], std::to_string(i));
        ASSERT_EQ(f[1], models[i % 4]);
        ASSERT_EQ(f[3], i % 4 == 3 ? "" : "0") << lines[i + 1];
    }
}

}  // namespace
