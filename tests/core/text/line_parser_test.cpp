#include "text/line_parser.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(LineParser, TokensOfMixedText)
{
    TLineParser parser;
    parser.SetText("12.5, abc def ,7");
    EXPECT_EQ(parser.NextToken(), "12.5");
    EXPECT_EQ(parser.NextToken(), "abc def ");
    EXPECT_EQ(parser.NextToken(), "7");
    EXPECT_EQ(parser.TakeStatus(), TLineParser::StatusOk);
    EXPECT_EQ(parser.NextToken(), "");
    EXPECT_EQ(parser.Status(), TLineParser::StatusEnd);
    EXPECT_EQ(parser.NextToken(), "");
    EXPECT_EQ(parser.Status(), TLineParser::StatusEnd);
}

TEST(LineParser, DesignationSpecifiersQuotesAndComments)
{
    TLineParser parser;
    parser.SetDelimiters(" ");
    parser.SetText("544 720 4r 12f 7c");
    for (const char* expected : {"544", "720", "4r", "12f", "7c"}) EXPECT_EQ(parser.NextToken(), expected);

    parser.SetDelimiters(",");
    parser.SetText("%0.2f,%1:-8.3G,%0.2q");
    EXPECT_EQ(parser.NextToken(), "%0.2f");
    EXPECT_EQ(parser.NextToken(), "%1:-8.3G");
    EXPECT_EQ(parser.NextToken(), "%0.2");
    EXPECT_EQ(parser.TakeStatus(), TLineParser::StatusBadSpecifier);

    parser.SetText("'a, b', \"c\"");
    EXPECT_EQ(parser.NextToken(), "a, b");
    EXPECT_EQ(parser.NextToken(), "c");

    parser.SetText("; a comment, here\n-1.5e+3x, 9");
    EXPECT_EQ(parser.NextToken(), "-1.5e+3x");
    EXPECT_EQ(parser.NextToken(), "9");
}

TEST(LineParser, NumbersAndSplitInto)
{
    TLineParser parser;
    parser.SetText("2.5E2, x1, 7");
    EXPECT_DOUBLE_EQ(parser.NextFloat(), 250.0);
    EXPECT_EQ(parser.TakeStatus(), TLineParser::StatusOk);
    EXPECT_EQ(parser.NextFloat(), 0.0);
    EXPECT_EQ(parser.TakeStatus(), TLineParser::StatusBadNumber);
    EXPECT_EQ(parser.NextFloat(), 7.0);

    std::vector<std::string> items;
    parser.SplitInto("1,2", 3, items);
    EXPECT_EQ(items, (std::vector<std::string>{"1", "2", "0"}));
    parser.SplitInto("", 2, items);
    EXPECT_EQ(items, (std::vector<std::string>{"0", "0"}));
}

TEST(LineParser, BinaryAndHostileTextEnds)
{
    TLineParser parser;
    const std::string binary("\x01\xff\x80%\0abc\xfe", 9);
    parser.SetText(binary);
    for (int i = 0; i < 20 && parser.Status() != TLineParser::StatusEnd; ++i) {
        parser.TakeStatus();
        parser.NextToken();
    }
    EXPECT_EQ(parser.Status(), TLineParser::StatusEnd);

    parser.SetText(std::string(100000, '9'));
    EXPECT_EQ(parser.NextToken().size(), 100000u);
    EXPECT_EQ(parser.NextFloat(), 0.0);
}

}  // namespace
}  // namespace vantor
