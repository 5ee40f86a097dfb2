#include "reports/file_properties_edit.h"

#include "reports/file_facts.h"
#include "support/file_properties_of.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vantor {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

TFileProperties Sample()
{
    return test::FilePropertiesOf("North Wing", "P-17", "Heating\r\nAHU 3", "Ann", "Korvane", year{2012} / March / 5);
}

TEST(FilePropertiesEdit, CancelPutsBackWhatTheWindowOpenedWith)
{
    TFileProperties properties = Sample();
    TFilePropertiesEdit edit(properties);
    edit.Activate();
    properties.ProjectName = "South Wing";
    properties.Description = "changed";
    properties.Author = "Bob";
    properties.Date = year{2013} / January / 1;
    EXPECT_TRUE(edit.Modified());
    edit.Cancel();
    EXPECT_EQ(properties, Sample());

    // A second opening starts from the values of then, not of the first.
    properties.Company = "Other";
    edit.Activate();
    properties.Company = "Third";
    edit.Cancel();
    EXPECT_EQ(properties.Company, "Other");
}

TEST(FilePropertiesEdit, ModifiedCountsTheProjectFieldsNotTheUser)
{
    const struct {
        const char* name;
        void (*change)(TFileProperties&);
        bool modified;
    } cases[] = {
        {"nothing", [](TFileProperties&) {}, false},
        {"name", [](TFileProperties& p) { p.ProjectName += "x"; }, true},
        {"number", [](TFileProperties& p) { p.ProjectNumber = ""; }, true},
        {"comments", [](TFileProperties& p) { p.Description += "\r\n"; }, true},
        {"date", [](TFileProperties& p) { p.Date = year{2012} / March / 6; }, true},
        {"user", [](TFileProperties& p) { p.Author = "Bob"; }, false},
        {"organisation", [](TFileProperties& p) { p.Company = ""; }, false},
    };
    for (const auto& c : cases) {
        TFileProperties properties = Sample();
        TFilePropertiesEdit edit(properties);
        edit.Activate();
        c.change(properties);
        EXPECT_EQ(edit.Modified(), c.modified) << c.name;
        EXPECT_EQ(edit.Changed(), std::string(c.name) != "nothing") << c.name;
    }
}

TEST(FilePropertiesEdit, KeepAsDefaultStartsTheNextFileWithTheSameFields)
{
    test::TTempFolder folder;
    TFileProperties properties = Sample();
    TFilePropertiesEdit edit(properties);
    {
        TSettingsStore programKey(folder / "Vantor.ini");
        edit.Accept(false, programKey);
        EXPECT_FALSE(programKey.SectionExists(kFilePropertiesSection)) << "without the check box nothing is kept";
        edit.Accept(true, programKey);
        ASSERT_TRUE(programKey.Flush());
    }
    const TSettingsStore reread(folder / "Vantor.ini");
    const TFileProperties next = TFileProperties::FromDefaults(ReadFilePropertiesDefaults(reread));
    EXPECT_EQ(next.ProjectName, "North Wing");
    EXPECT_EQ(next.ProjectNumber, "P-17");
    EXPECT_EQ(next.Author, "Ann");
    EXPECT_EQ(next.Company, "Korvane");
    EXPECT_EQ(next.Description, "") << "comments are no default";
}

TEST(FileFacts, TheGeneralPageShowsWhatTheFileSystemKnows)
{
    test::TTempFolder folder;
    const fs::path file = folder / "Coil A.hqx";
    std::ofstream(file) << std::string(2048, 'x');
    const auto stamp = fs::file_time_type::clock::now() - hours(30);
    fs::last_write_time(file, stamp);

    const std::optional<TFileFacts> facts = ReadFileFacts(file);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->Name, "Coil A.hqx");
    EXPECT_EQ(facts->Folder, folder.Path().string());
    EXPECT_EQ(facts->Size, 2048u);
    EXPECT_EQ(FileSizeText(facts->Size), "2.00 KB (2048 bytes)");
    EXPECT_FALSE(facts->ReadOnly);
    EXPECT_FALSE(facts->Hidden);
    const auto written = time_point_cast<seconds>(file_clock::to_sys(stamp));
    EXPECT_EQ(time_point_cast<seconds>(facts->Modified), written);
    if (facts->Created) {
        EXPECT_LE(abs(*facts->Created - system_clock::now()), minutes(5));
    }

    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(ReadFileFacts(file)->ReadOnly);

    std::ofstream(folder / ".hidden.hqx") << "x";
    EXPECT_TRUE(ReadFileFacts(folder / ".hidden.hqx")->Hidden);

    for (const fs::path& nothing : {fs::path(), folder / "missing.hqx", folder.Path()})
        EXPECT_FALSE(ReadFileFacts(nothing)) << nothing << ": the page is hidden";
}

}  // namespace
}  // namespace vantor

namespace vantor {
namespace {

TEST(FilePropertiesEdit, EnterDownAndUpMoveTheFocusUnlessTheControlNeedsThem)
{
    using K = TFocusKey;
    using C = TFocusControl;
    using M = TFocusMove;
    const struct {
        C control;
        M enter, down, up;
    } cases[] = {
        {C::Plain, M::Next, M::Next, M::Previous},
        {C::List, M::None, M::None, M::None},
        {C::DropDown, M::Next, M::None, M::None},
        {C::MultiLine, M::Next, M::None, M::None},
        {C::MultiLineWithBreaks, M::None, M::None, M::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FocusMoveFor(K::Enter, c.control), c.enter) << static_cast<int>(c.control);
        EXPECT_EQ(FocusMoveFor(K::Down, c.control), c.down) << static_cast<int>(c.control);
        EXPECT_EQ(FocusMoveFor(K::Up, c.control), c.up) << static_cast<int>(c.control);
    }
}

}  // namespace
}  // namespace vantor
