#include "settings/edited_file.h"

#include "settings_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vantor {
namespace {

namespace fs = std::filesystem;

TEST(EditedFileTest, LinesAreCountedAsAReaderSeesThem)
{
    struct TCase {
        const char* text;
        int lines;
    };
    const TCase cases[] = {
        {"", 0},  {"a", 1},         {"a\n", 1},      {"a\nb", 2},        {"a\r\nb\r\n", 2},
        {"\n", 1}, {"\n\n", 2},      {"a\rb", 2},     {"[Section]\nKey=1\n\nKey2=2", 4},
    };
    for (const TCase& c : cases) EXPECT_EQ(TextLineCount(c.text), c.lines) << '"' << c.text << '"';
}

TEST(EditedFileTest, UnsavedQuestionNamesTheFileWithoutItsFolder)
{
    EXPECT_EQ(UnsavedQuestion("/opt/korvane/Common Files/CoilMakers.xml"), "CoilMakers.xml not saved.\nSave now?");
    EXPECT_EQ(UnsavedQuestion(""), "File not saved.\nSave now?");
}

class EditedFileSaveTest : public test::TSettingsFixture {};

// The installed catalogue is read-only: the first save writes the user's copy, which the
// program then reads; the installed file stays as shipped.
TEST_F(EditedFileSaveTest, SavingAnInstalledFileWritesTheUsersCopy)
{
    const fs::path installed = Root() / "maker" / "Common Files" / "CoilMakers.xml";
    WriteTextFile(installed, "<catalog/>\n");
    ::chmod(installed.c_str(), 0444);

    fs::path savedAs;
    ASSERT_TRUE(SaveEditedText(installed, "<catalog>edited</catalog>\n", savedAs).IsOk());
    const fs::path userCopy = Root() / "data" / "korvane" / "Common Files" / "CoilMakers.xml";
    EXPECT_EQ(savedAs, userCopy);
    EXPECT_EQ(ReadFileText(userCopy), "<catalog>edited</catalog>\n");
    EXPECT_EQ(ReadFileText(installed), "<catalog/>\n");
    EXPECT_EQ(FindDataFile("Common Files/CoilMakers.xml"), userCopy);

    // Saving the user's copy again writes it in place.
    ASSERT_TRUE(SaveEditedText(userCopy, "second", savedAs).IsOk());
    EXPECT_EQ(savedAs, userCopy);
    EXPECT_EQ(ReadFileText(userCopy), "second");
}

TEST_F(EditedFileSaveTest, AFileElsewhereIsSavedInPlaceAndAFailureNamesIt)
{
    const fs::path own = Root() / "home" / "notes.ini";
    fs::path savedAs;
    ASSERT_TRUE(SaveEditedText(own, "[A]\nx=1\n", savedAs).IsOk());
    EXPECT_EQ(savedAs, own);
    EXPECT_EQ(ReadFileText(own), "[A]\nx=1\n");

    // A name that is a folder is refused and the message says which.
    const fs::path folder = Root() / "home";
    savedAs.clear();
    const TResult refused = SaveEditedText(folder, "x", savedAs);
    EXPECT_FALSE(refused.IsOk());
    EXPECT_NE(refused.Message.find(folder.string()), std::string::npos) << refused.Message;
    EXPECT_TRUE(savedAs.empty());

    // A file merely named like one in the maker root but outside it is not redirected.
    EXPECT_EQ(SaveTarget(Root() / "makerish" / "a.ini"), Root() / "makerish" / "a.ini");
}

}  // namespace
}  // namespace vantor
