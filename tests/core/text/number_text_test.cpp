#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

TEST(ParseDouble, AcceptsOnlyPlainDecimalText)
{
    EXPECT_EQ(ParseDouble("12.5"), 12.5);
    EXPECT_EQ(ParseDouble("  -0.25 "), -0.25);
    EXPECT_EQ(ParseDouble("+3"), 3.0);
    EXPECT_EQ(ParseDouble(".5"), 0.5);
    EXPECT_EQ(ParseDouble("5."), 5.0);
    EXPECT_EQ(ParseDouble("1.5E-3"), 0.0015);
    EXPECT_EQ(ParseDouble("2e+2"), 200.0);
    EXPECT_EQ(ParseDouble("1e-400"), 0.0);  // underflow reads as zero

    for (const char* bad : {"", " ", "-", ".", "abc", "1,5", "1.2.3", "nan", "inf", "-Infinity", "0x1F",
                            "1e", "1e+", "E5", "1e999", "12a", "1 2"})
        EXPECT_FALSE(ParseDouble(bad).has_value()) << bad;
}

TEST(ParseInteger, ReadsRangeCheckedIntegers)
{
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger(" -7 "), -7);
    EXPECT_EQ(ParseInteger("+7"), 7);
    for (const char* bad : {"", "-", "4.0", "0x1F", "99999999999999999999", "1e3"})
        EXPECT_FALSE(ParseInteger(bad).has_value()) << bad;
    EXPECT_THROW(StrToInt("x"), EConvertError);
    EXPECT_THROW(StrToFloat("1..2"), EConvertError);
}

TEST(NumberFormatting, FixedGeneralScientificThousands)
{
    EXPECT_EQ(FormatFixed(101.3, 3), "101.300");
    EXPECT_EQ(FormatFixed(2.5, 0), "2");  // round half to even, as the C library does
    EXPECT_EQ(FormatFixed(-0.0001, 2), "0.00");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");

    EXPECT_EQ(FormatGeneral(1234.5678, 4), "1235");
    EXPECT_EQ(FormatGeneral(0.0012346, 4), "0.001235");
    EXPECT_EQ(FormatGeneral(2.5, 4), "2.5");
    EXPECT_EQ(FormatGeneral(123456, 4), "1.235E5");
    EXPECT_EQ(FormatGeneral(9999.7, 4), "1E4");  // rounding carries into a fifth digit
    EXPECT_EQ(FormatGeneral(0.0000015, 6), "1.5E-6");
    EXPECT_EQ(FormatGeneral(0, 6), "0");
    EXPECT_EQ(FormatGeneral(-1.0 / 3.0, 15), "-0.333333333333333");

    EXPECT_EQ(FormatScientific(1234.5, 3), "1.23E+003");
    EXPECT_EQ(FormatScientific(0.00012, 2), "1.2E-004");

    EXPECT_EQ(FormatThousands(1234567.891, 2), "1,234,567.89");
    EXPECT_EQ(FormatThousands(-1234, 0), "-1,234");
    EXPECT_EQ(FormatThousands(999, 1), "999.0");
}

TEST(FormatShortest, RoundTripsEveryDouble)
{
    for (double value : {0.1, 1.0 / 3.0, 101.325, -273.15, 6.02214076e23, 1e-300, 5e-324,
                         std::numeric_limits<double>::max()}) {
        const std::string text = FormatShortest(value);
        EXPECT_EQ(text.find_first_of("e,"), std::string::npos) << text;
        EXPECT_EQ(ParseDouble(text), value) << text;
    }
}

}  // namespace
}  // namespace vantor
