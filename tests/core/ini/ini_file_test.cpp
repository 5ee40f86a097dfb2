#include "ini/ini_file.h"

#include "support/temp_folder.h"
#include "ini/mem_ini_file.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using test::TextOf;
using test::TTempFolder;
using test::WriteText;

TEST(IniFileTest, EveryCallGoesStraightToTheFile)
{
    TTempFolder folder;
    const auto file = folder / "Vantor.exe.ini";
    TIniFile writer(file);
    TwIniFile reader(file);

    writer.WriteString("CoilMakerForm", "Left", "100");
    EXPECT_EQ(TextOf(file), "[CoilMakerForm]\nLeft=100\n\n");
    EXPECT_EQ(reader.ReadInteger("coilmakerform", "LEFT", 0), 100);

    // A change made behind the object's back is seen at once.
    WriteText(file, "[CoilMakerForm]\nLeft=5\nTop=6\n");
    EXPECT_EQ(reader.ReadString("CoilMakerForm", "Left", ""), "5");
    writer.WriteSectionValues("Other", {"A=1", "B=2"});
    writer.DeleteKey("CoilMakerForm", "Top");
    EXPECT_EQ(TMemIniFile(file).ReadSections(), (std::vector<std::string>{"CoilMakerForm", "Other"}));
    EXPECT_EQ(reader.ReadSectionValues("other"), (std::vector<std::string>{"A=1", "B=2"}));
    writer.EraseSection("Other");
    EXPECT_EQ(TextOf(file), "[CoilMakerForm]\nLeft=5\n\n");
}

TEST(IniFileTest, BlankNamesGiveTheDefaultAndLongValuesAreCut)
{
    TTempFolder folder;
    const auto file = folder / "values.ini";
    const std::string longValue(3000, 'v');
    WriteText(file, "[S]\nName=x\nLong=" + longValue + "\n");
    const TIniFile ini(file);
    EXPECT_EQ(ini.ReadString(" ", "Name", "default"), "default");
    EXPECT_EQ(ini.ReadString("S", " \t", "default"), "default");
    EXPECT_TRUE(ini.ReadSection("  ").empty());
    EXPECT_EQ(ini.ReadString(" S ", " Name ", "default"), "x");
    EXPECT_EQ(ini.ReadString("S", "Long", ""), longValue.substr(0, TIniFile::MaxValueLength));
}

TEST(IniFileTest, FailuresRaiseWithoutCreatingOrDamagingFiles)
{
    TTempFolder folder;
    const auto missingFolder = folder / "missing" / "x.ini";
    TIniFile ini(missingFolder);
    EXPECT_THROW(ini.WriteString("S", "Name", "value"), EIniFileError);
    EXPECT_THROW(TIniFile(folder.Path()).EraseSection("S"), EIniFileError);  // a folder, not a file

    // Changes that change nothing leave a missing file missing.
    const auto file = folder / "absent.ini";
    TIniFile absent(file);
    absent.DeleteKey("S", "Name");
    absent.EraseSection("S");
    absent.UpdateFile();
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace vantor
