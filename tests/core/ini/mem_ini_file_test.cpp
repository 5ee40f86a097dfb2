#include "ini/mem_ini_file.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using test::TextOf;
using test::TTempFolder;
using test::WriteText;

TEST(MemIniFileTest, MissingFileIsAnEmptyStoreAndOnlyUpdateFileWrites)
{
    TTempFolder folder;
    const auto file = folder / "settings.ini";
    {
        TMemIniFile ini(file);
        EXPECT_TRUE(ini.ReadSections().empty());
        ini.WriteString("Window", "Left", "10");
    }
    EXPECT_FALSE(std::filesystem::exists(file));  // released without writing

    TMemIniFile ini(file);
    ini.WriteString("Window", "Left", "10");
    ini.WriteString("Window", "Top", "20");
    ini.WriteString("Units", "Length", "mm");
    ini.UpdateFile();
    EXPECT_EQ(TextOf(file), "[Window]\nLeft=10\nTop=20\n\n[Units]\nLength=mm\n\n");
}

TEST(MemIniFileTest, SectionOperationsIgnoreCaseAndKeepTheWrittenCase)
{
    TTempFolder folder;
    const auto file = folder / "units.ini";
    WriteText(file, "; units\r\n[Units]\r\nLength=mm\r\nFlow = l/s\r\nloose line\r\n[Extra]\r\n");
    TMemIniFile ini(file);

    ini.WriteString("UNITS", "length", "in");
    EXPECT_EQ(ini.ReadString("units", "LENGTH", ""), "in");
    EXPECT_EQ(ini.ReadSection("units"), (std::vector<std::string>{"Length", "Flow"}));
    EXPECT_EQ(ini.ReadSectionValues("Units"), (std::vector<std::string>{"Length=in", "Flow=l/s"}));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Units", "Extra"}));
    EXPECT_TRUE(ini.SectionExists("units"));
    EXPECT_FALSE(ini.SectionExists("Extra"));  // a section without values
    EXPECT_TRUE(ini.ValueExists("Units", "flow"));
    EXPECT_FALSE(ini.ValueExists("Units", "loose line"));

    ini.WriteSectionValues("New", {" A = 1 ", "no equals sign", "B=x=y"});
    EXPECT_EQ(ini.ReadSectionValues("new"), (std::vector<std::string>{"A=1", "B=x=y"}));
    ini.DeleteKey("units", "FLOW");
    ini.EraseSection("extra");
    EXPECT_EQ(ini.ReadString("Units", "Flow", "gone"), "gone");
    ini.UpdateFile();
    EXPECT_EQ(TextOf(file), "[Units]\nLength=in\nloose line\n\n[New]\nA=1\nB=x=y\n\n");
}

TEST(MemIniFileTest, WriteFailureRaisesAndLeavesNothingBehind)
{
    TTempFolder folder;
    const auto file = folder / "missing-folder" / "settings.ini";
    TMemIniFile ini(file);
    ini.WriteString("S", "Name", "value");
    EXPECT_THROW(ini.WriteString("S", "Name=", "value"), EIniFileError);  // would not read back
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "no error raised";
    } catch (const EIniFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + file.string());
    }

    // A path that exists but cannot be read as a file is never replaced.
    const auto folderAsFile = folder / "taken.ini";
    std::filesystem::create_directories(folderAsFile / "inside");
    TMemIniFile taken(folderAsFile);
    taken.WriteString("S", "Name", "value");
    EXPECT_THROW(taken.UpdateFile(), EIniFileError);
    EXPECT_TRUE(std::filesystem::is_directory(folderAsFile / "inside"));
}

}  // namespace
}  // namespace vantor
