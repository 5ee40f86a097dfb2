// Number text must not follow LC_NUMERIC: the same results under a comma-decimal locale.

#include "support/comma_locale.h"
#include "text/format.h"
#include "text/line_parser.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(CommaLocale, NumberTextStaysWithDecimalPoint)
{
    test::TCommaLocale locale;
    ASSERT_TRUE(test::TCommaLocale::IsActive()) << "the de_DE.UTF-8 locale is not installed";

    EXPECT_EQ(ParseDouble("101.325"), 101.325);
    EXPECT_FALSE(ParseDouble("101,325").has_value());
    EXPECT_EQ(Format("%0.3f|%0.4g|%e|%n", {1.5, 0.394716, 2.5, 1234.5}).substr(0, 12), "1.500|0.3947");
    EXPECT_EQ(Format("%n", {1234.5}), "1,234.50");
    EXPECT_EQ(FormatShortest(0.1), "0.1");
    EXPECT_EQ(FormatGeneral(1.5e-6, 6), "1.5E-6");
    EXPECT_EQ(CleanNumberText("1 234.5"), "1234.5");
    EXPECT_EQ(SigDigitDecimals(5, 12, 0.05), 4);

    double a = 0, b = 0;
    EXPECT_TRUE(SplitPair("24.5/17.25", a, b));
    EXPECT_EQ(a, 24.5);
    EXPECT_EQ(b, 17.25);

    TLineParser parser;
    parser.SetText("12.5, 7");
    EXPECT_EQ(parser.NextFloat(), 12.5);
}

}  // namespace
}  // namespace vantor
