// Runs `vantor-cli rate FILE.hqx` on the example files and on files it must refuse, and
// `--save`, which writes the rated document as a data file.

#include "core/datafile/legacy_stream_writer.h"

#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(VANTOR_TEST_DATA_DIR) / ".." / ".." / "examples";

// An element of a data file given a text that cannot be used, the warning it gives and the
// value the JSON shows under Key.
struct TUnusableValue {
    const char* Element;
    const char* Text;
    const char* Warning;
    const char* Key;
    nlohmann::json Expected;
};

void PrintTo(const TUnusableValue& c, std::ostream* out) { *out << c.Element; }

class RateDataFile : public vantor::test::TCliTest, public testing::WithParamInterface<TUnusableValue> {
protected:
    vantor::test::TRun Rate(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"rate", "--no-settings"});
        return Run(args);
    }

    std::string File(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_base / name, std::ios::binary) << bytes;
        return (m_base / name).string();
    }
};

TEST_F(RateDataFile, ExamplesOpenAndRate)
{
    const std::pair<const char*, const char*> examples[] = {
        {"glycol-coil.hqx", "Water (35% Propylene Glycol)"},
        {"sized-coil.hqx", "Clean Water"},
        {"temperature-controlled-coil.hqx", "Clean Water"},
    };
    for (const auto& [name, fluid] : examples) {
        const vantor::test::TRun run = Rate({(kExamples / name).string(), "--json"});
        ASSERT_EQ(run.exitCode, 0) << name << run.err;
        const nlohmann::json json = run.Json();
        EXPECT_EQ(json["HeatingFluid"], fluid) << name;
        EXPECT_EQ(json["Solved"], true) << name;
    }
    // The temperature-controlled coil keeps its 20 K drop; the flow follows the duty.
    const nlohmann::json json = Rate({(kExamples / "temperature-controlled-coil.hqx").string(), "--json"}).Json();
    EXPECT_EQ(json["FluidControl"], 0);
    EXPECT_NEAR(json["LeavingTemp"].get<double>(), 60, 1e-6);
}

TEST_F(RateDataFile, RowOptionsApplyAfterTheFileAndSaveWritesTheRating)
{
    const std::string example = (kExamples / "glycol-coil.hqx").string();
    const double duty = Rate({example, "--json"}).Json()["Qt"].get<double>();
    const std::string saved = (m_base / "cooler inlet.hqx").string();
    const vantor::test::TRun run = Rate({example, "--fluid-inlet", "60", "--save", saved, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const double cooler = run.Json()["Qt"].get<double>();
    EXPECT_LT(cooler, duty) << "60 °C fluid instead of the file's 70 °C";
    EXPECT_NE(vantor::test::Slurp(saved).find("<tfi>60.000</tfi>"), std::string::npos);

    const vantor::test::TRun again = Rate({saved, "--json"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NEAR(again.Json()["Qt"].get<double>(), cooler, 1e-3 * cooler) << "the saved file rates the same";
    EXPECT_EQ(again.Json()["Model"], "762 x 1219  2r  10f  8c");
}

TEST_F(RateDataFile, UnreadableFilesAndFailedSavesExitWithOne)
{
    const std::string bytes = vantor::test::LegacyFileBytes({});
    const vantor::test::TRun cut = Rate({File("cut.hqx", bytes.substr(0, bytes.size() / 2))});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_NE(cut.err.find("Error reading file..."), std::string::npos) << cut.err;
    EXPECT_TRUE(cut.out.empty());

    fs::create_directory(m_base / "taken.hqx");
    const vantor::test::TRun save = Rate({(kExamples / "glycol-coil.hqx").string(), "--save", (m_base / "taken.hqx").string()});
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_NE(save.err.find("Unable to write to"), std::string::npos) << save.err;
    EXPECT_TRUE(fs::is_directory(m_base / "taken.hqx"));
}

// The example with one element's text replaced, as a hand edit would leave it.
std::string EditedExample(const fs::path& to, const std::string& element, const std::string& text)
{
    std::string xml = vantor::test::Slurp(kExamples / "glycol-coil.hqx");
    const std::string open = "<" + element + ">";
    const auto start = xml.find(open);
    const auto end = xml.find("</" + element + ">", start);
    EXPECT_NE(end, std::string::npos) << element;
    xml.replace(start + open.size(), end - start - open.size(), text);
    std::ofstream(to, std::ios::binary) << xml;
    return to.string();
}

TEST_P(RateDataFile, FileValuesThatCannotBeUsedAreWarnedAboutWithTheValueUsed)
{
    const TUnusableValue& c = GetParam();
    const std::string file = EditedExample(m_base / "edited.hqx", c.Element, c.Text);
    vantor::test::TRun run = Rate({file, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("warning: Values of " + file + " that could not be used as they stood:\n  " + c.Warning),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.Json()[c.Key], c.Expected);

    run = Rate({file, "--json", "--strict"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(file + ": values could not be used as they stood (--strict)"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "");
}

// The value the document held before the file, not the file's own: that could not be read.
INSTANTIATE_TEST_SUITE_P(
    , RateDataFile,
    testing::Values(TUnusableValue{"tfi", "80,5", "tfi: \"80,5\" is not a number; 45 kept", "FluidInlet", 45.0},
                    TUnusableValue{"AdditiveVolume", "5", "AdditiveVolume: 5 is outside 0.01 to 0.45; 0.45 used",
                                   "HeatingFluid", "Water (45% Propylene Glycol)"},
                    TUnusableValue{"fHeight", "nan", "fHeight: \"nan\" is not a number; 0.544 kept", "fHeight",
                                   0.544},
                    TUnusableValue{"ma", "30", "ma (face velocity, m/s): ", "AirVelocity", 10.0}));

TEST_F(RateDataFile, StoredSettingsOutOfRangeFallBackToTheirDefaults)
{
    vantor::test::PutFile(m_base / "config" / "Korvane" / "Vantor.ini",
                          "[VantorForm]\nPressure=5\nDutyFactor=-1\n[Default]\nWaterIn=200\n");
    vantor::test::TRun run = RunOk({"rate", "--json"});
    for (const char* warning : {"Pressure: 5 is outside 70 to 120; 101.325 used",
                                "DutyFactor: -1 is not greater than zero; 1 used",
                                "WaterIn: 200 is outside 5 to 150; 150 used"})
        EXPECT_NE(run.err.find(warning), std::string::npos) << run.err;
    EXPECT_EQ(run.Json()["Barometer"], 101.325);
    EXPECT_EQ(run.Json()["FluidInlet"], 150.0);
    EXPECT_GT(run.Json()["Qt"].get<double>(), 0) << "the duty factor is 1 again";

    run = Run({"rate", "--strict"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("the settings: values could not be used as they stood (--strict)"), std::string::npos)
        << run.err;
    EXPECT_TRUE(Run({"rate", "--strict", "--no-settings"}).exitCode == 0);
}

TEST_F(RateDataFile, AFileThatCannotBeReadSaysWhy)
{
    fs::create_directory(m_base / "folder.hqx");
    {
        // Sparse: 17 MiB of nothing on disk.
        std::ofstream big(m_base / "big.hqx", std::ios::binary);
        big.seekp(17 * 1024 * 1024);
        big << ' ';
    }
    const std::pair<std::string, std::string> cases[] = {
        {(m_base / "folder.hqx").string(), "is a folder, not a file"},
        {(m_base / "missing.hqx").string(), "does not exist"},
        {(m_base / "big.hqx").string(), "is larger than the limit of 16 MiB"},
    };
    for (const auto& [file, reason] : cases) {
        const vantor::test::TRun run = Rate({file});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(file + ": " + reason), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    // The superuser reads any file, so only another user sees the permission refused.
    if (::geteuid() != 0) {
        const std::string locked = File("locked.hqx", vantor::test::Slurp(kExamples / "glycol-coil.hqx"));
        fs::permissions(locked, fs::perms::none);
        const vantor::test::TRun run = Rate({locked});
        EXPECT_NE(run.err.find(locked + ": cannot be read: Permission denied"), std::string::npos) << run.err;
    }
}

TEST_F(RateDataFile, SaveFollowsLinksAndRefusesWhatItMustNotReplace)
{
    const std::string example = (kExamples / "glycol-coil.hqx").string();
    const fs::path target = m_base / "target.hqx";
    File("target.hqx", "old");
    fs::create_symlink("target.hqx", m_base / "link.hqx");
    const vantor::test::TRun linked = Rate({example, "--save", (m_base / "link.hqx").string()});
    EXPECT_EQ(linked.exitCode, 0) << linked.err;
    EXPECT_TRUE(fs::is_symlink(m_base / "link.hqx"));
    EXPECT_NE(vantor::test::Slurp(target).find("<datafile"), std::string::npos) << "the linked file was written";

    const fs::path pipe = m_base / "pipe.hqx";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const fs::path readOnly = m_base / "read-only.hqx";
    File("read-only.hqx", "kept");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
    const std::pair<std::string, std::string> refused[] = {
        {pipe.string(), pipe.string() + ": Unable to write to " + pipe.string() + ": not a regular file"},
        {readOnly.string(), readOnly.string() + ": " + readOnly.string() + " is read-only"},
        {"", "--save: File name not known"},
    };
    for (const auto& [name, message] : refused) {
        const vantor::test::TRun run = Rate({example, "--save", name});
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_EQ(run.err, "vantor-cli: " + message + "\n");
    }
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    EXPECT_EQ(vantor::test::Slurp(readOnly), "kept");
}

// Flows were written with three decimals: 0.0145 kg/s came back as 0.015 and rated 3.4 % more.
TEST_F(RateDataFile, SavedRatingOpensToTheSameDuty)
{
    const std::string first = (m_base / "first.hqx").string();
    const std::string second = (m_base / "second.hqx").string();
    const double rated = Rate({"--fluid-flow", "0.0145", "--save", first, "--json"}).Json()["Qt"].get<double>();
    EXPECT_NE(vantor::test::Slurp(first).find("<m>0.0145</m>"), std::string::npos);
    const double reopened = Rate({first, "--save", second, "--json"}).Json()["Qt"].get<double>();
    // The solve converges to 1e-5 kW; opened, it starts from the solved state instead.
    EXPECT_NEAR(reopened, rated, 1e-5);
    const double again = Rate({second, "--json"}).Json()["Qt"].get<double>();
    EXPECT_NEAR(again, reopened, 1e-9 * reopened);
}

}  // namespace
