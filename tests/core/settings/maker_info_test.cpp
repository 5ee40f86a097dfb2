#include "settings/maker_info.h"

#include "settings_fixture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>

namespace vantor {
namespace {

class MakerInfoTest : public test::TSettingsFixture {};

TEST_F(MakerInfoTest, ReadsTheMakerSection)
{
    WriteTextFile(*SettingsKeyFile(TSettingsKey::Maker),
                  "[Korvane]\nuser=Jo\ncompany=Korvane Ltd\ndescription=Coils\nlogo=/srv/logo.png\n"
                  "addr1=1 Mill Lane\naddr2=Leeds\ncode=LS1 1AA\ncountry=UK\nemail=sales@example.com\n"
                  "web=https://example.com/coils\ntel=+44 113 000\nfax=+44 113 001\n"
                  "[Other]\nweb=wrong\n");
    const TMakerInfo info = ReadMakerInfo(TSettingsStore(TSettingsKey::Maker));
    const std::pair<std::string, std::string> expected[] = {
        {info.User, "Jo"},
        {info.Company, "Korvane Ltd"},
        {info.Description, "Coils"},
        {info.Logo, "/srv/logo.png"},
        {info.Addr1, "1 Mill Lane"},
        {info.Addr2, "Leeds"},
        {info.Code, "LS1 1AA"},
        {info.Country, "UK"},
        {info.Email, "sales@example.com"},
        {info.Web, "https://example.com/coils"},
        {info.Tel, "+44 113 000"},
        {info.Fax, "+44 113 001"},
    };
    for (const auto& [actual, wanted] : expected) EXPECT_EQ(actual, wanted);
}

TEST(MaintainerModeTest, UserNameMatchesWithoutRegardToCase)
{
    const std::string name(MaintainerName());
    ASSERT_FALSE(name.empty());
    std::string flipped = name;
    for (char& c : flipped) {
        const auto letter = static_cast<unsigned char>(c);
        c = static_cast<char>(std::isupper(letter) ? std::tolower(letter) : std::toupper(letter));
    }

    EXPECT_TRUE(IsMaintainerMode(name));
    EXPECT_TRUE(IsMaintainerMode(flipped));
    EXPECT_FALSE(IsMaintainerMode(""));
    EXPECT_FALSE(IsMaintainerMode(name + "x"));
    EXPECT_FALSE(IsMaintainerMode(name.substr(1)));
    EXPECT_FALSE(IsMaintainerMode(" " + name));
}

}  // namespace
}  // namespace vantor
