#include "text/format.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

struct TFormatCase {
    const char* format;
    double value;
    const char* expected;
};

TEST(Format, NumberConversions)
{
    const TFormatCase cases[] = {
        {"%0.3f", 101.3, "101.300"},
        {"%0.1f/%0.1f", 24, "24.0/%0.1f"},  // the second specifier has no argument
        {"%0.4g", 0.394716, "0.3947"},
        {"%0.4g", 37.99, "37.99"},
        {"%0.04g", 1234567, "1.235E6"},
        {"%.6g", 5.5, "5.5"},
        {"%g", 0.1, "0.1"},
        {"%f", 3.14159, "3.14"},
        {"%8.2f", 3.14159, "    3.14"},
        {"%-8.2f|", 3.14159, "3.14    |"},
        {"%e", 1234.5, "1.23450000000000E+003"},
        {"%.3E", 1234.5, "1.23E+003"},
        {"%n", 1234567.5, "1,234,567.50"},
        {"%.0n", 1234.5, "1,234"},
        {"%m", -1234.5, "-$1,234.50"},
        {"%d", 7.6, "8"},
        {"%3.3d", 7, "007"},
        {"%5d", -42, "  -42"},
        {"%.4d", -42, "-0042"},
        {"%u", -1, "4294967295"},
        {"%x", 255, "FF"},
        {"%.2x", 10, "0A"},
        {"%X", 48879, "BEEF"},
        {"%s", 2.5, "2.5"},
        {"%F", 1.005, "1.00"},  // 1.005 is 1.00499999999999989...
        {"%G", 1e20, "1E20"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.format, {c.value}), c.expected) << c.format;
}

TEST(Format, TextIndexesPercentAndMalformedSpecifiers)
{
    EXPECT_EQ(Format("%s = %d%%", {"Rows", 4}), "Rows = 4%");
    EXPECT_EQ(Format("%-6s|%6s|", {"ab", "cd"}), "ab    |    cd|");
    EXPECT_EQ(Format("%.3s", {"abcdef"}), "abc");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    EXPECT_EQ(Format("#%.2x%.2x%.2x", {255, 128, 0}), "#FF8000");
    EXPECT_EQ(Format("Unable to write to %s", {std::string("/tmp/x.ini")}), "Unable to write to /tmp/x.ini");

    // Nothing here may throw or read past the arguments.
    EXPECT_EQ(Format("%", {}), "%");
    EXPECT_EQ(Format("100%", {1}), "100%");
    EXPECT_EQ(Format("%q", {1}), "%q");
    EXPECT_EQ(Format("%d %d", {1}), "1 %d");
    EXPECT_EQ(Format("%d", {"abc"}), "%d");
    EXPECT_EQ(Format("%9:d", {1}), "%9:d");
    EXPECT_EQ(Format("%f", {"2.5"}), "2.50");
    EXPECT_EQ(Format("%99999999999.99999999f", {1.0}).size(), 999u);
}

}  // namespace
}  // namespace vantor
