#include "ini/custom_ini_file.h"

#include "support/temp_folder.h"
#include "ini/mem_ini_file.h"
#include "support/comma_locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace vantor {
namespace {

namespace chr = std::chrono;
using test::TTempFolder;

class CustomIniFileTest : public testing::Test {
protected:
    TTempFolder m_folder;
    TMemIniFile m_ini{m_folder / "typed.ini"};
};

TEST_F(CustomIniFileTest, IntegersReadDecimalAndHexadecimalText)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"31", 31},   {"0x1F", 31},         {"0X1f", 31},       {"-12", -12}, {"+7", 7},
        {"0x", -1},   {"0xG1", -1},         {"0x0", 0},         {"1.5", -1},  {"abc", -1},
        {"", -1},     {"0xFFFFFFFF", -1},   {"0x7FFFFFFF", 2147483647},        {"0x100000000", -1},
        {"2147483648", -1}, {"12abc", -1},
    };
    for (const auto& c : cases) {
        m_ini.WriteString("Numbers", "Value", c.text);
        EXPECT_EQ(m_ini.ReadInteger("Numbers", "Value", -1), c.expected) << c.text;
    }
    m_ini.WriteInteger("Numbers", "Value", -2147483647 - 1);
    EXPECT_EQ(m_ini.ReadString("Numbers", "Value", ""), "-2147483648");
    EXPECT_EQ(m_ini.ReadInteger("Numbers", "Missing", 5), 5);
}

TEST_F(CustomIniFileTest, BooleansAreIntegers)
{
    // text, read with default false, read with default true
    const std::tuple<const char*, bool, bool> cases[] = {{"1", true, true}, {"0", false, false}, {"2", true, true}, {"yes", false, true}};
    for (const auto& [text, withFalse, withTrue] : cases) {
        m_ini.WriteString("Flags", "Flag", text);
        EXPECT_EQ(m_ini.ReadBool("Flags", "Flag", false), withFalse) << text;
        EXPECT_EQ(m_ini.ReadBool("Flags", "Flag", true), withTrue) << text;
    }
    m_ini.WriteBool("Flags", "Flag", true);
    EXPECT_EQ(m_ini.ReadString("Flags", "Flag", ""), "1");
}

TEST_F(CustomIniFileTest, FloatsSurviveTheFileExactlyUnderACommaLocale)
{
    test::TCommaLocale comma;
    ASSERT_TRUE(test::TCommaLocale::IsActive());
    const double values[] = {0.1, 1.0 / 3.0, -2.5e-300, 1e300, 123456.789, 4.9e-324, -0.0};
    for (std::size_t i = 0; i < std::size(values); ++i)
        m_ini.WriteFloat("Floats", "F" + std::to_string(i), values[i]);
    EXPECT_EQ(m_ini.ReadString("Floats", "F0", ""), "0.1");
    m_ini.UpdateFile();

    const TMemIniFile reloaded(m_ini.FileName());
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const std::string name = "F" + std::to_string(i);
        EXPECT_EQ(reloaded.ReadString("Floats", name, "").find(','), std::string::npos) << name;
        const double read = reloaded.ReadFloat("Floats", name, std::nan(""));
        EXPECT_EQ(read, values[i]) << name;
        EXPECT_EQ(std::signbit(read), std::signbit(values[i])) << name;
    }
    for (const char* bad : {"1,5", "", "abc", "1.5x", "nan"}) {
        m_ini.WriteString("Floats", "Bad", bad);
        EXPECT_EQ(m_ini.ReadFloat("Floats", "Bad", 9.5), 9.5) << bad;
    }
    m_ini.WriteFloat("Floats", "Infinite", std::numeric_limits<double>::infinity());
    EXPECT_EQ(m_ini.ReadFloat("Floats", "Infinite", 9.5), 9.5);
}

TEST_F(CustomIniFileTest, DatesAndTimesUseOneFixedForm)
{
    const TIniDate date = chr::year(2012) / 3 / 5;
    const TIniTime time = chr::hours(14) + chr::minutes(30);
    const TIniDateTime moment = chr::sys_days(date) + time + chr::seconds(7);
    m_ini.WriteDate("When", "Date", date);
    m_ini.WriteTime("When", "Time", time);
    m_ini.WriteDateTime("When", "Moment", moment);
    EXPECT_EQ(m_ini.ReadString("When", "Date", ""), "2012-03-05");
    EXPECT_EQ(m_ini.ReadString("When", "Time", ""), "14:30:00");
    EXPECT_EQ(m_ini.ReadString("When", "Moment", ""), "2012-03-05 14:30:07");
    EXPECT_EQ(m_ini.ReadDate("When", "Date", {}), date);
    EXPECT_EQ(m_ini.ReadTime("When", "Time", {}), time);
    EXPECT_EQ(m_ini.ReadDateTime("When", "Moment", {}), moment);

    m_ini.WriteDateTime("When", "Before1970", chr::sys_days(chr::year(1969) / 12 / 31) + chr::hours(23));
    EXPECT_EQ(m_ini.ReadString("When", "Before1970", ""), "1969-12-31 23:00:00");
    const TIniDate fallbackDate = chr::year(2000) / 1 / 1;
    for (const char* bad : {"2012-02-30", "2012-3-5", "05.03.2012", "2012-03-05x", ""}) {
        m_ini.WriteString("When", "Bad", bad);
        EXPECT_EQ(m_ini.ReadDate("When", "Bad", fallbackDate), fallbackDate) << bad;
        EXPECT_EQ(m_ini.ReadDateTime("When", "Bad", TIniDateTime{}), TIniDateTime{}) << bad;
    }
    for (const char* bad : {"24:00:00", "12:60", "9:30", "12:30:5", "noon"}) {
        m_ini.WriteString("When", "Bad", bad);
        EXPECT_EQ(m_ini.ReadTime("When", "Bad", chr::seconds(1)), chr::seconds(1)) << bad;
    }
    m_ini.WriteString("When", "Short", "09:05");
    EXPECT_EQ(m_ini.ReadTime("When", "Short", {}), chr::hours(9) + chr::minutes(5));
    m_ini.WriteString("When", "DayOnly", "2012-03-05");
    EXPECT_EQ(m_ini.ReadDateTime("When", "DayOnly", {}), chr::sys_days(date));
}

TEST_F(CustomIniFileTest, BinaryStreamsAreTwoHexDigitsPerByte)
{
    const std::vector<std::uint8_t> bytes = {0x00, 0xAB, 0xFF, 0x10};
    m_ini.WriteBinaryStream("Blob", "Data", bytes);
    EXPECT_EQ(m_ini.ReadString("Blob", "Data", ""), "00ABFF10");
    EXPECT_EQ(m_ini.ReadBinaryStream("Blob", "Data"), bytes);
    for (const char* bad : {"ABC", "0G"}) {
        m_ini.WriteString("Blob", "Bad", bad);
        EXPECT_TRUE(m_ini.ReadBinaryStream("Blob", "Bad").empty()) << bad;
    }
}

}  // namespace
}  // namespace vantor
