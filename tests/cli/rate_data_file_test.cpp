// Runs `vantor-cli rate FILE.hqx` on the example files and on files it must refuse, and
// `--save`, which writes the rated document as a data file.

#include "core/document/legacy_stream_writer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(VANTOR_TEST_DATA_DIR) / ".." / ".." / "examples";

struct TRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
    nlohmann::json Json() const { return nlohmann::json::parse(Out); }
};

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class RateDataFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vantor-cli-datafile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_base = pattern;
        ::setenv("XDG_CONFIG_HOME", (m_base / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_base / "data").c_str(), 1);
        ::setenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR, 1);
    }
    void TearDown() override { fs::remove_all(m_base); }

    TRun Rate(std::vector<std::string> args)
    {
        std::string command = Quoted(VANTOR_CLI) + " rate --no-settings";
        for (const std::string& arg : args) command += " " + Quoted(arg);
        command += " >" + Quoted((m_base / "out").string()) + " 2>" + Quoted((m_base / "err").string());
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(m_base / "out"), Slurp(m_base / "err")};
    }

    std::string File(const std::string& name, const std::string& bytes)
    {
        std::ofstream(m_base / name, std::ios::binary) << bytes;
        return (m_base / name).string();
    }

    fs::path m_base;
};

TEST_F(RateDataFile, ExamplesOpenAndRate)
{
    const std::pair<const char*, const char*> examples[] = {
        {"glycol-coil.hqx", "Water (35% Propylene Glycol)"},
        {"sized-coil.hqx", "Clean Water"},
        {"temperature-controlled-coil.hqx", "Clean Water"},
    };
    for (const auto& [name, fluid] : examples) {
        const TRun run = Rate({(kExamples / name).string(), "--json"});
        ASSERT_EQ(run.ExitCode, 0) << name << run.Err;
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
    const TRun run = Rate({example, "--fluid-inlet", "60", "--save", saved, "--json"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const double cooler = run.Json()["Qt"].get<double>();
    EXPECT_LT(cooler, duty) << "60 °C fluid instead of the file's 70 °C";
    EXPECT_NE(Slurp(saved).find("<tfi>60.000</tfi>"), std::string::npos);

    const TRun again = Rate({saved, "--json"});
    ASSERT_EQ(again.ExitCode, 0) << again.Err;
    EXPECT_NEAR(again.Json()["Qt"].get<double>(), cooler, 1e-3 * cooler) << "the saved file rates the same";
    EXPECT_EQ(again.Json()["Model"], "762 x 1219  2r  10f  8c");
}

TEST_F(RateDataFile, UnreadableFilesAndFailedSavesExitWithOne)
{
    const std::string bytes = vantor::test::LegacyFileBytes({});
    const TRun cut = Rate({File("cut.hqx", bytes.substr(0, bytes.size() / 2))});
    EXPECT_EQ(cut.ExitCode, 1);
    EXPECT_NE(cut.Err.find("Error reading file..."), std::string::npos) << cut.Err;
    EXPECT_TRUE(cut.Out.empty());

    fs::create_directory(m_base / "taken.hqx");
    const TRun save = Rate({(kExamples / "glycol-coil.hqx").string(), "--save", (m_base / "taken.hqx").string()});
    EXPECT_EQ(save.ExitCode, 1);
    EXPECT_NE(save.Err.find("Unable to write to"), std::string::npos) << save.Err;
    EXPECT_TRUE(fs::is_directory(m_base / "taken.hqx"));
}

}  // namespace
