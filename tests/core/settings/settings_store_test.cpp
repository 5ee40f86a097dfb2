#include "settings/settings_store.h"

#include "settings_fixture.h"
#include "support/comma_locale.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace vantor {
namespace {

namespace fs = std::filesystem;

class SettingsStoreTest : public test::TSettingsFixture {
protected:
    fs::path SettingsFile(std::string_view name) const { return Root() / "config" / "Korvane" / name; }
};

TEST_F(SettingsStoreTest, KeysLiveInTheSettingsFolder)
{
    EXPECT_EQ(SettingsKeyFile(TSettingsKey::Program), SettingsFile("Vantor.ini"));
    EXPECT_EQ(SettingsKeyFile(TSettingsKey::Shared), SettingsFile("Common.ini"));
    EXPECT_EQ(SettingsKeyFile(TSettingsKey::Maker), SettingsFile("Korvane.ini"));
    EXPECT_EQ(ExecutableIniFile(), SettingsFile("Vantor.exe.ini"));
    EXPECT_EQ(TSettingsStore(TSettingsKey::Shared).FileName(), SettingsFile("Common.ini"));
}

TEST_F(SettingsStoreTest, TypedValuesSurviveAFlushAndAReopen)
{
    {
        TSettingsStore store(TSettingsKey::Program);
        store.WriteString("VantorForm", "CoilModel", "544 720 4r 12f 7c");
        store.WriteString("VantorForm", "CoilMR", "");
        store.WriteInteger("VantorForm", "Left", -32);
        store.WriteInteger("VantorForm", "Col0", std::numeric_limits<int>::max());
        store.WriteFloat("VantorForm", "Pressure", 101.325);
        store.WriteBool("Settings", "SplashScreen", true);
        store.WriteBool("Settings", "Other", false);
        ASSERT_TRUE(store.Flush().IsOk());
        EXPECT_FALSE(store.Modified());
    }
    const TSettingsStore store(TSettingsKey::Program);
    EXPECT_EQ(store.ReadString("VantorForm", "CoilModel", "x"), "544 720 4r 12f 7c");
    EXPECT_EQ(store.ReadString("VantorForm", "CoilMR", "x"), "");  // present but empty is not missing
    EXPECT_EQ(store.ReadInteger("VantorForm", "Left", 0), -32);
    EXPECT_EQ(store.ReadInteger("VantorForm", "Col0", 0), std::numeric_limits<int>::max());
    EXPECT_EQ(store.ReadFloat("VantorForm", "Pressure", 0.0), 101.325);
    EXPECT_TRUE(store.ReadBool("Settings", "SplashScreen", false));
    EXPECT_FALSE(store.ReadBool("Settings", "Other", true));
    // Names are found without regard to case.
    EXPECT_EQ(store.ReadInteger("vantorform", "LEFT", 0), -32);
    // Booleans are the integers 0 and 1 in the file.
    EXPECT_NE(ReadFileText(SettingsFile("Vantor.ini"))->find("SplashScreen=1"), std::string::npos);
}

TEST_F(SettingsStoreTest, MissingAndMistypedValuesGiveTheDefault)
{
    WriteTextFile(SettingsFile("Vantor.ini"),
                  "[VantorForm]\n"
                  "Width=abc\n"
                  "Height=12.5\n"
                  "Top=99999999999\n"
                  "Pressure=101,325\n"
                  "AirVelocity=nan\n"
                  "DesignDuty=\n"
                  "Visible=yes\n"
                  "WinState=0x2\n");
    const TSettingsStore store(TSettingsKey::Program);
    struct TIntegerCase {
        const char* section;
        const char* name;
        int expected;
    };
    const TIntegerCase integers[] = {
        {"VantorForm", "Width", 640},   {"VantorForm", "Height", 640},  {"VantorForm", "Top", 640},
        {"VantorForm", "Missing", 640}, {"NoSection", "Width", 640},    {"VantorForm", "WinState", 2},
    };
    for (const auto& c : integers)
        EXPECT_EQ(store.ReadInteger(c.section, c.name, 640), c.expected) << c.section << "/" << c.name;

    for (const char* name : {"Pressure", "AirVelocity", "DesignDuty", "Width", "Missing"})
        EXPECT_EQ(store.ReadFloat("VantorForm", name, 2.5), 2.5) << name;
    EXPECT_TRUE(store.ReadBool("VantorForm", "Visible", true));
    EXPECT_FALSE(store.ReadBool("VantorForm", "Visible", false));
    EXPECT_EQ(store.ReadString("NoSection", "Width", "dflt"), "dflt");

    EXPECT_TRUE(store.SectionExists("VantorForm"));
    EXPECT_FALSE(store.SectionExists("Default"));
    EXPECT_TRUE(store.ValueExists("VantorForm", "Width"));
    EXPECT_FALSE(store.ValueExists("VantorForm", "Left"));
}

TEST_F(SettingsStoreTest, ReadingCreatesNothing)
{
    {
        TSettingsStore program(TSettingsKey::Program);
        const TSettingsStore maker(TSettingsKey::Maker);
        EXPECT_EQ(program.ReadString("VantorForm", "FileName", "Default.hqx"), "Default.hqx");
        EXPECT_EQ(maker.ReadString("Korvane", "user", ""), "");
        EXPECT_FALSE(program.SectionExists("VantorForm"));
        EXPECT_TRUE(program.ValueNames("VantorForm").empty());
        EXPECT_TRUE(program.Flush().IsOk());
    }
    EXPECT_FALSE(fs::exists(Root() / "config"));
}

TEST_F(SettingsStoreTest, WritingCreatesTheFolderWithItsParents)
{
    SetVariable("XDG_CONFIG_HOME", (Root() / "deep" / "er" / "config").string());
    TSettingsStore store(TSettingsKey::Shared);
    store.WriteInteger("Coils", "UnitsPressDrop", 1);
    EXPECT_FALSE(fs::exists(Root() / "deep")) << "nothing is written before Flush";
    ASSERT_TRUE(store.Flush().IsOk());
    EXPECT_TRUE(fs::is_regular_file(Root() / "deep" / "er" / "config" / "Korvane" / "Common.ini"));
}

TEST_F(SettingsStoreTest, FloatsReadBackExactly)
{
    const double values[] = {0.1,
                             1.0 / 3.0,
                             101.325,
                             -0.0005908,
                             2.0 / 3.0 * 1e-300,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             -std::numeric_limits<double>::min(),
                             123456789012345678.0};
    const auto roundTrip = [&](std::string_view section) {
        {
            TSettingsStore store(TSettingsKey::Program);
            for (size_t i = 0; i < std::size(values); ++i)
                store.WriteFloat(section, "Value" + std::to_string(i), values[i]);
            ASSERT_TRUE(store.Flush().IsOk());
        }
        const TSettingsStore store(TSettingsKey::Program);
        for (size_t i = 0; i < std::size(values); ++i) {
            const double read = store.ReadFloat(section, "Value" + std::to_string(i), 0.0);
            EXPECT_EQ(read, values[i]) << section << " value " << i;
            EXPECT_EQ(std::signbit(read), std::signbit(values[i]));
        }
    };
    roundTrip("C locale");
    {
        test::TCommaLocale comma;
        ASSERT_TRUE(test::TCommaLocale::IsActive());
        roundTrip("Comma locale");
    }
    const auto text = ReadFileText(SettingsFile("Vantor.ini"));
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Value0=0.1\n"), std::string::npos) << *text;
    EXPECT_EQ(text->find(','), std::string::npos) << *text;
}

TEST_F(SettingsStoreTest, AnUnwritableSettingsFolderIsReported)
{
    // A file where the configuration folder should be: neither the folder nor the store
    // file can be made, whoever runs the test.
    WriteTextFile(Root() / "config", "in the way");
    TSettingsStore store(TSettingsKey::Program);
    store.WriteString("VantorForm", "AirOn", "25/17");
    const TResult result = store.Flush();
    EXPECT_FALSE(result.IsOk());
    EXPECT_EQ(result.Message, "Unable to write to " + SettingsFile("Vantor.ini").string());
    EXPECT_TRUE(store.Modified()) << "the change stays pending for a later try";
    EXPECT_EQ(store.ReadString("VantorForm", "AirOn", ""), "25/17");
    EXPECT_EQ(*ReadFileText(Root() / "config"), "in the way");
}

TEST_F(SettingsStoreTest, AWriteTheFileCannotHoldIsReportedAndTheRestKept)
{
    {
        TSettingsStore store(TSettingsKey::Program);
        store.WriteString("VantorForm", "FileName", "two\nlines.hqx");
        store.WriteString("VantorForm", "AirOff", "11/10");
        const TResult result = store.Flush();
        EXPECT_FALSE(result.IsOk());
        EXPECT_NE(result.Message.find("Unable to write to"), std::string::npos) << result.Message;
        EXPECT_TRUE(store.Flush().IsOk()) << "a reported failure is not reported twice";
    }
    const TSettingsStore store(TSettingsKey::Program);
    EXPECT_EQ(store.ReadString("VantorForm", "FileName", "none"), "none");
    EXPECT_EQ(store.ReadString("VantorForm", "AirOff", ""), "11/10");
}

TEST_F(SettingsStoreTest, WithoutASettingsFolderReadsGiveDefaultsAndWritesFail)
{
    UnsetVariable("XDG_CONFIG_HOME");
    TFolderEnvironment env = TFolderEnvironment::FromProcess();
    env.Home.clear();
    TSettingsStore store(TSettingsKey::Program, env);
    EXPECT_TRUE(store.FileName().empty());
    EXPECT_EQ(store.ReadInteger("VantorForm", "Left", 7), 7);
    store.WriteInteger("VantorForm", "Left", 8);
    EXPECT_EQ(store.Flush().Message, kNoSettingsFolderMessage);
}

TEST_F(SettingsStoreTest, ChangesAreWrittenWhenTheStoreCloses)
{
    {
        TSettingsStore store(TSettingsKey::Program);
        store.WriteString("Default", "WaterSpec", "0");
        store.WriteInteger("Default", "Control", 1);
        store.DeleteValue("Default", "WaterSpec");
        store.WriteInteger("Gone", "Value", 1);
        store.EraseSection("Gone");
    }
    const TSettingsStore store(TSettingsKey::Program);
    EXPECT_EQ(store.ValueNames("Default"), std::vector<std::string>{"Control"});
    EXPECT_FALSE(store.SectionExists("Gone"));
}

// Two windows, or two running copies, with stores open on one file at the same time: each
// flush applies only what its store changed, so nothing of the other is lost; where both
// changed one value, the later flush wins. The window-placement file goes the same way.
TEST_F(SettingsStoreTest, TwoStoresOnOneFileKeepEachOthersChanges)
{
    struct TOrder {
        bool FirstFlushesFirst;
        std::optional<int> Width;  // deleted by the first, written by the second
        std::optional<int> OldX;   // the first erases section "Old", the second writes "y" into it
        std::optional<int> OldY;
    };
    const TOrder orders[] = {{true, 30, std::nullopt, 2}, {false, std::nullopt, std::nullopt, std::nullopt}};
    const std::optional<fs::path> files[] = {SettingsKeyFile(TSettingsKey::Program), ExecutableIniFile()};
    for (const auto& file : files) {
        for (const TOrder& order : orders) {
            const std::string label = file->filename().string() + (order.FirstFlushesFirst ? ", first" : ", second");
            WriteTextFile(*file, "[Win]\nLeft=1\nTop=2\nWidth=3\n\n[Default]\nWaterIn=45\n\n[Old]\nx=1\n\n");
            TSettingsStore first(file);
            TSettingsStore second(file);
            first.WriteInteger("Win", "Left", 10);
            first.DeleteValue("Win", "Width");
            first.EraseSection("Old");
            first.WriteFloat("Default", "WaterIn", 45.0);  // the value read: no change
            EXPECT_TRUE(first.Modified()) << label;
            second.WriteInteger("Win", "Top", 20);
            second.WriteInteger("Win", "Width", 30);
            second.WriteInteger("Old", "y", 2);
            TSettingsStore& earlier = order.FirstFlushesFirst ? first : second;
            TSettingsStore& later = order.FirstFlushesFirst ? second : first;
            ASSERT_TRUE(earlier.Flush()) << label;
            ASSERT_TRUE(later.Flush()) << label;

            const TSettingsStore after(file);
            const auto value = [&](const char* section, const char* name) -> std::optional<int> {
                if (!after.ValueExists(section, name)) return std::nullopt;
                return after.ReadInteger(section, name, 0);
            };
            EXPECT_EQ(value("Win", "Left"), 10) << label;
            EXPECT_EQ(value("Win", "Top"), 20) << label;
            EXPECT_EQ(value("Win", "Width"), order.Width) << label;
            EXPECT_EQ(value("Old", "x"), order.OldX) << label;
            EXPECT_EQ(value("Old", "y"), order.OldY) << label;
            EXPECT_EQ(after.ReadString("Default", "WaterIn", ""), "45") << label;
        }
    }
}

TEST_F(SettingsStoreTest, WritingBackTheValueReadIsNoChange)
{
    WriteTextFile(SettingsFile("Vantor.ini"), "[VantorForm]\nLeft=12\nPressure=101.325\nVisible=0\n");
    TSettingsStore store(TSettingsKey::Program);
    store.WriteInteger("VantorForm", "Left", 12);
    store.WriteFloat("VantorForm", "Pressure", 101.325);
    store.WriteBool("VantorForm", "Visible", false);
    store.DeleteValue("VantorForm", "Missing");
    store.EraseSection("Missing");
    EXPECT_FALSE(store.Modified());
    store.WriteInteger("VantorForm", "Left", 13);
    EXPECT_TRUE(store.Modified());
}

}  // namespace
}  // namespace vantor
