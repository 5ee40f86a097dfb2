#include "text/number_text.h"
#include "text/text_routines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vantor {
namespace {

TEST(CleanNumberText, TidiesTypedText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1 234.5", "1234.5"}, {"--5", "-5"},      {"5-", "5"},       {"1.2.3", "1.23"},
        {"2e-3", "2E-3"},      {"-", "0"},         {"", "0"},         {"12/ 7", "12/7"},
        {"E5", "1E5"},         {"1E999", "1E99"},  {"1e2e3", "1E23"}, {"1E2.5", "1E25"},
        {"24/17/3", "24/173"}, {"-1-2", "-12"},    {"1E-5", "1E-5"},  {"/", "0/0"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(CleanNumberText(text), expected) << text;
    EXPECT_THROW(CleanNumberText("1E+"), EConvertError);
}

TEST(SplitPair, ReadsOneOrTwoNumbers)
{
    double a = 0, b = -1;
    EXPECT_FALSE(SplitPair("24.5", a, b));
    EXPECT_EQ(a, 24.5);
    EXPECT_EQ(b, -1);
    EXPECT_TRUE(SplitPair("24/17.5", a, b));
    EXPECT_EQ(a, 24);
    EXPECT_EQ(b, 17.5);
    EXPECT_THROW(SplitPair("24/x", a, b), EConvertError);
    EXPECT_THROW(SplitPair("", a, b), EConvertError);
    EXPECT_EQ(a, 24);  // a failed pair leaves both values as they were
}

TEST(ReadNumberPair, TakesOnlyTextWrittenAsOneOrTwoNumbers)
{
    const auto pair = ReadNumberPair(" 25 / -3.5 ");
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->First, 25);
    EXPECT_EQ(pair->Second, -3.5);
    const auto single = ReadNumberPair("24.5");
    ASSERT_TRUE(single);
    EXPECT_EQ(single->First, 24.5);
    EXPECT_FALSE(single->Second);
    // What cleaning would have turned into other numbers is refused.
    for (const char* text : {"25/17/3", "2.5.5/17", "", " ", "/", "25/", "/17", "25//17", "25/1 7", "--5/17",
                             "25,5/17", "25/17x", "nan/17", "25/1e999"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ReadNumberPair(text));
    }
}

TEST(NumberFormats, DecimalsSignificantDigitsAndMagnitude)
{
    EXPECT_EQ(DecimalsOf("%0.3f"), 3);
    EXPECT_EQ(DecimalsOf("%0.1f/%0.1f"), 1);
    EXPECT_EQ(DecimalsOf("%0.12f"), 1);
    EXPECT_EQ(DecimalsOf("%d"), 0);
    EXPECT_EQ(DecimalsOf("%0."), 0);

    EXPECT_EQ(SigDigitDecimals(5, 12, 5.123), 3);
    EXPECT_EQ(SigDigitDecimals(5, 12, 0.5), 3);
    EXPECT_EQ(SigDigitDecimals(5, 12, 0.05), 4);
    EXPECT_EQ(SigDigitDecimals(5, 12, 0.000123), 6);
    EXPECT_EQ(SigDigitDecimals(5, 12, 0), 3);
    EXPECT_EQ(SigDigitDecimals(5, 12, 123.456), 2);
    EXPECT_EQ(SigDigitDecimals(5, 12, 12345.6), 0);
    EXPECT_EQ(SigDigitDecimals(5, 12, -0.5), 3);
    EXPECT_EQ(SigDigitDecimals(5, 3, 0.000123), 3);  // never more than MaxDecimals
    EXPECT_EQ(SigDigitFormat(5, 12, 123.456), "%0.2f");

    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", 5000), "%0.4g");
    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", 80), "%0.0f");
    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", 0), "%0.0f");
    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", 5), "%0.1f");
    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", 0.5), "%0.2f");
    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", 0.05), "%0.3f");
    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", 0.005), "%0.4f");
    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", -0.5), "%0.4f");
    EXPECT_EQ(MagnitudeFormat(1000, "%0.4g", -80), "%0.0f");

    EXPECT_EQ(TrimNumberZeros("1.2500"), "1.25");
    EXPECT_EQ(TrimNumberZeros("2.000"), "2");
    EXPECT_EQ(TrimNumberZeros("1.5E005"), "1.5E5");
    EXPECT_EQ(TrimNumberZeros("1.50E-005"), "1.5E-5");
    EXPECT_EQ(TrimNumberZeros("100"), "100");
    EXPECT_EQ(TrimNumberZeros("1E000"), "1E0");
}

TEST(TextRoutines, FieldsArraysAndNameValues)
{
    EXPECT_EQ(ExtractField(1, ',', " a , b,c "), "a ");
    EXPECT_EQ(ExtractField(2, ',', " a , b,c "), "b");
    EXPECT_EQ(ExtractField(3, ',', " a , b,c "), "c");
    EXPECT_EQ(ExtractField(4, ',', " a , b,c "), "");
    EXPECT_EQ(ExtractField(3, ';', "a;b;"), "");
    EXPECT_EQ(ExtractField(0, ';', "a;b"), "");

    EXPECT_EQ(SplitToArray("a; b;;", ';'), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(SplitToArray("  ", ';'), std::vector<std::string>{});
    EXPECT_EQ(SplitToArray("x ;y", ';'), (std::vector<std::string>{"x ", "y"}));

    std::string name, value;
    EXPECT_TRUE(SplitNameValue(" Left = 20=1 ", name, value));
    EXPECT_EQ(name, "Left");
    EXPECT_EQ(value, "20=1");
    EXPECT_FALSE(SplitNameValue("no pair", name, value));
    EXPECT_EQ(name, "");
    EXPECT_EQ(value, "");

    EXPECT_EQ(KeepFirst("1.2.3.4", '.'), "1.234");
    EXPECT_EQ(RemoveSpaces(" 1 2 "), "12");
    EXPECT_EQ(ReplaceChar("a,b,c", ',', ';'), "a;b;c");
    EXPECT_EQ(FileTitle("C:\\Data\\coil.v2.hqx"), "coil.v2");
    EXPECT_EQ(FileTitle("/home/u/coil.hqx"), "coil");
    EXPECT_EQ(FileTitle("noext"), "noext");
    EXPECT_TRUE(SameText("Yes", "yES"));
    EXPECT_FALSE(SameText("Yes", "Ye"));
}

TEST(TextRoutines, LineBreaksAndDates)
{
    EXPECT_EQ(EncodeLineBreaks("a\r\nb\nc"), "a%13%10b%13%10c");
    EXPECT_EQ(DecodeLineBreaks("a%13%10b%13%1"), "a\r\nb%13%1");
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks("one\r\ntwo")), "one\r\ntwo");

    using namespace std::chrono;
    EXPECT_EQ(ReadDate("5 3 2012", ' '), year_month_day(year(2012), March, day(5)));
    EXPECT_EQ(ReadDate(" 29/ 2/2000 ", '/'), year_month_day(year(2000), February, day(29)));
    for (const char* bad : {"not a date", "31 2 2013", "5 13 2012", "", "5 3", "5 3 x"})
        EXPECT_EQ(ReadDate(bad, ' '), Today()) << bad;
}

TEST(TextRoutines, ByteOrderMarkAndJoin)
{
    std::string_view marked = "\xEF\xBB\xBF[a]";
    EXPECT_TRUE(StripByteOrderMark(marked));
    EXPECT_EQ(marked, "[a]");
    EXPECT_FALSE(StripByteOrderMark(marked));
    std::string_view partial = "\xEF\xBB";  // a cut-off mark is left alone
    EXPECT_FALSE(StripByteOrderMark(partial));
    EXPECT_EQ(partial.size(), 2u);

    EXPECT_EQ(Joined({}, ", "), "");
    EXPECT_EQ(Joined({"one"}, ", "), "one");
    EXPECT_EQ(Joined({"a", "", "c"}, "; "), "a; ; c");
}

}  // namespace
}  // namespace vantor
