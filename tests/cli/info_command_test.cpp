// Runs `vantor-cli info`, which shows where things are and changes nothing.

#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class InfoCommand : public vantor::test::TCliTest {
};

TEST_F(InfoCommand, ShowsTheFoldersWithoutCreatingAny)
{
    for (const char* sub : {"config", "data", "home"}) fs::create_directories(m_base / sub);
    const vantor::test::TRun run = RunOk({"info", "--json"});
    const nlohmann::json json = run.Json();
    EXPECT_EQ(json["dataFolder"], (m_base / "home" / "Documents" / "Korvane" / "Vantor" / "").string());
    EXPECT_EQ(json["programKey"], (m_base / "config" / "Korvane" / "Vantor.ini").string());
    for (const char* sub : {"config", "data", "home"})
        EXPECT_TRUE(fs::is_empty(m_base / sub)) << sub << " holds something after info";

    const vantor::test::TRun text = RunOk({"info"});
    EXPECT_NE(text.out.find("Data folder:"), std::string::npos) << text.out;
    EXPECT_TRUE(fs::is_empty(m_base / "home"));
}

}  // namespace
