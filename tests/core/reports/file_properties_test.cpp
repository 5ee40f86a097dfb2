#include "reports/file_properties.h"

#include "support/file_properties_of.h"
#include "support/settings_writer.h"
#include "support/temp_folder.h"
#include "text/text_routines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace vantor {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

TEST(FileProperties, CommentsTravelOnOneLineAndComeBackAsLines)
{
    TFileProperties properties;
    properties.Description = "First line\r\nSecond line\r\nThird line";
    EXPECT_EQ(properties.EncodedDescription(), "First line%13%10Second line%13%10Third line");

    TFileProperties read;
    read.SetEncodedDescription(properties.EncodedDescription());
    EXPECT_EQ(read.DescriptionLines(), (std::vector<std::string>{"First line", "Second line", "Third line"}));
    EXPECT_EQ(read.Description, properties.Description);

    const struct {
        const char* Description;
        size_t Lines;
    } cases[] = {{"", 0}, {"one", 1}, {"one\r\n", 1}, {"one\r\n\r\n", 2}, {"one\ntwo", 2}, {"\r\n", 1}};
    for (const auto& c : cases) {
        properties.Description = c.Description;
        EXPECT_EQ(properties.DescriptionLines().size(), c.Lines) << c.Description;
    }
}

TEST(FileProperties, DatesAreDayMonthYear)
{
    TFileProperties properties;
    properties.Date = year{2012} / March / 5;
    EXPECT_EQ(properties.DateText(), "05 03 2012");
    properties.SetDateText("28 02 1999");
    EXPECT_EQ(properties.Date, year{1999} / February / 28);
    properties.SetDateText("31 02 1999");
    EXPECT_EQ(properties.Date, Today());
    properties.SetDateText("yesterday");
    EXPECT_EQ(properties.Date, Today());
}

TEST(FileProperties, TheTextBlockQuotesEveryText)
{
    TFileProperties properties =
        test::FilePropertiesOf("North Wing", "P-17", "Heating coil\r\nAHU 'B'", "Ann Smith", "", year{2012} / March / 5);
    std::vector<std::string> lines{"'Aerograph 1.0 data file'"};
    properties.WriteTextBlock(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"'Aerograph 1.0 data file'", "'North Wing'", "'P-17'", "2",
                                               "'Heating coil'", "'AHU 'B''", "'Ann Smith'", "''", "'05 03 2012'"}));

    properties.Description.clear();
    lines.clear();
    properties.WriteTextBlock(lines);
    EXPECT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "0");
}

TEST(FileProperties, KeptDefaultsStartTheNextFile)
{
    const test::TTempFolder folder;
    const fs::path file = folder / "fileprops.ini";
    const TFileProperties current =
        test::FilePropertiesOf("North Wing", "P-17", "Only for this file", "Ann Smith", "Smith & Co", Today());
    test::WriteSettings(file, [&](TSettingsStore& store) { WriteFilePropertiesDefaults(store, current.Defaults()); });
    TSettingsStore store(file);
    EXPECT_EQ(store.ReadString("File Properties", "Company", ""), "Smith & Co");
    const TFileProperties next = TFileProperties::FromDefaults(ReadFilePropertiesDefaults(store));
    EXPECT_EQ(next.Defaults(), current.Defaults());
    EXPECT_EQ(next.Description, "");
    EXPECT_EQ(next.Date, Today());
}

TEST(FileProperties, FirstRunDefaultsAreTheRegisteredUser)
{
    const test::TTempFolder folder;
    TSettingsStore empty(folder / "absent.ini");
    const TFilePropertiesDefaults defaults = ReadFilePropertiesDefaults(empty);
    EXPECT_EQ(defaults.ProjectName, "");
    EXPECT_EQ(defaults.ProjectNumber, "");
    EXPECT_EQ(defaults.Company, "");

    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_NE(entry, nullptr);
    const std::string gecos = entry->pw_gecos ? entry->pw_gecos : "";
    const std::string fullName = Trim(gecos.substr(0, gecos.find(',')));
    EXPECT_EQ(defaults.Author, fullName.empty() ? std::string(entry->pw_name) : fullName);
    EXPECT_FALSE(defaults.Author.empty());
}

TEST(FileProperties, SizesShowInKilobytesAndBytes)
{
    EXPECT_EQ(FileSizeText(2048), "2.00 KB (2048 bytes)");
    EXPECT_EQ(FileSizeText(0), "0.00 KB (0 bytes)");
    EXPECT_EQ(FileSizeText(1536), "1.50 KB (1536 bytes)");
}

}  // namespace
}  // namespace vantor
