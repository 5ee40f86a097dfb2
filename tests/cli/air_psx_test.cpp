// vantor-cli air with moist-air state files: --save-psx writes what the air state calculator
// reads, --psx shows a file as air shows a computed state.

#include "cli_test_support.h"

#include <string>

namespace vantor::test {
namespace {

class AirPsxTest : public TCliTest {};

TEST_F(AirPsxTest, SavedStateReadsBackWithTheSameKeys)
{
    const std::string file = (m_base / "state.psx").string();
    const TRun saved = RunOk({"air", "24/17", "--pressure", "90", "--save-psx", file, "--json"});
    EXPECT_EQ(std::filesystem::file_size(file), 120u);

    const TRun read = RunOk({"air", "--psx", file, "--json"});
    const nlohmann::json a = saved.Json(), b = read.Json();
    for (const auto& [key, value] : a.items()) {
        ASSERT_TRUE(b.contains(key)) << key;
        EXPECT_EQ(b[key], value) << key;
    }
    EXPECT_EQ(b.size(), a.size());
    EXPECT_EQ(b["P"], 90.0);
    EXPECT_EQ(b["db"], 24.0);

    const TRun text = Run({"air", "--psx", file});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("90.000"), std::string::npos) << text.out;
}

TEST_F(AirPsxTest, BadFilesAndBadCombinationsAreRefused)
{
    const std::string file = (m_base / "short.psx").string();
    std::ofstream(file, std::ios::binary) << std::string(100, '\0');
    TRun run = Run({"air", "--psx", file});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Error reading file " + file), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    run = Run({"air", "--psx", (m_base / "missing.psx").string(), "--json"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Error reading file "), std::string::npos) << run.err;

    // An impossible state is not saved.
    const std::string bad = (m_base / "bad.psx").string();
    run = Run({"air", "--pair", "3", "30", "1.5", "--save-psx", bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(bad));

    run = Run({"air", "24/17", "--psx", file});
    EXPECT_EQ(run.exitCode, 2) << run.err;
}

}  // namespace
}  // namespace vantor::test
