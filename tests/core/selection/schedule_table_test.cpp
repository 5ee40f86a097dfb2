#include "selection/schedule_table.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vantor {
namespace {

// A schedule no table can be read from, and what the message says.
struct TBrokenText {
    const char* name;
    std::string text;
    std::string message;
};

void PrintTo(const TBrokenText& c, std::ostream* out) { *out << c.name; }

class ScheduleTable : public testing::TestWithParam<TBrokenText> {};

using TLines = std::vector<std::vector<std::string>>;

TEST_F(ScheduleTable, ReadsQuotedFieldsLineEndsAndShortLines)
{
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> columns;
        TLines lines;
        std::vector<int> lineNumbers;
    } cases[] = {
        {"plain", "a,b\n1,2\n", {"a", "b"}, {{"1", "2"}}, {2}},
        {"CR LF, no last line end, blank lines", "a,b\r\n\r\n1,2\r\n\r\n3,4", {"a", "b"}, {{"1", "2"}, {"3", "4"}}, {3, 5}},
        {"byte-order mark and padded names", "\xEF\xBB\xBF a , b\n1,2\n", {"a", "b"}, {{"1", "2"}}, {2}},
        {"the start of a byte-order mark only is text", "\xEF\xBB" "a,b\n1,2\n", {"\xEF\xBB" "a", "b"}, {{"1", "2"}}, {2}},
        {"quotes with commas, doubled quotes and a line break",
         "tag,model\n\"AHU-1, east\",\"say \"\"hi\"\"\"\n\"two\nlines\",x\nnext,y\n",
         {"tag", "model"},
         {{"AHU-1, east", "say \"hi\""}, {"two\nlines", "x"}, {"next", "y"}},
         {2, 3, 5}},
        {"a short line is filled", "a,b,c\n1\n", {"a", "b", "c"}, {{"1", "", ""}}, {2}},
        {"empty cells stay empty", "a,b\n,\n", {"a", "b"}, {{"", ""}}, {2}},
    };
    for (const auto& c : cases) {
        TScheduleTable table;
        ASSERT_TRUE(ReadScheduleTable(c.text, table)) << c.name;
        EXPECT_EQ(table.Columns, c.columns) << c.name;
        EXPECT_EQ(table.Lines, c.lines) << c.name;
        EXPECT_EQ(table.LineNumbers, c.lineNumbers) << c.name;
        EXPECT_EQ(table.Problems, std::vector<std::string>(c.lines.size())) << c.name;
    }
}

TEST_P(ScheduleTable, RefusesBrokenText)
{
    TScheduleTable table;
    const TResult read = ReadScheduleTable(GetParam().text, table);
    EXPECT_FALSE(read);
    EXPECT_NE(read.Message.find(GetParam().message), std::string::npos) << read.Message;
}

INSTANTIATE_TEST_SUITE_P(, ScheduleTable,
                         testing::Values(TBrokenText{"nothing", "", "no header"},
                                         TBrokenText{"an open quote", "a\n\"open\n", "never closed"},
                                         TBrokenText{"text after a quote", "a\n\"x\"y\n", "after a closing quote"},
                                         TBrokenText{"a column twice", "model,Model\n", "named twice"},
                                         TBrokenText{"a nameless column", "a,,b\n", "without a name"}));

TEST_F(ScheduleTable, LineWithTooManyFieldsIsNotedAndTheOthersAreRead)
{
    TScheduleTable table;
    ASSERT_TRUE(ReadScheduleTable("tag,model\none,x\nAHU-2, east,y,z\n\nthree,w\n", table));
    EXPECT_EQ(table.Lines, (TLines{{"one", "x"}, {"AHU-2", " east"}, {"three", "w"}}));
    EXPECT_EQ(table.LineNumbers, (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(table.Problems, (std::vector<std::string>{"", "line 3: 4 fields for 2 columns", ""}));
}

TEST_F(ScheduleTable, CsvLineQuotesWhatWouldNotReadBack)
{
    const std::vector<std::string> fields = {"plain", "a, b", "say \"hi\"", "two\nlines", " padded", ""};
    const std::string line = CsvLine(fields);
    EXPECT_EQ(line, "plain,\"a, b\",\"say \"\"hi\"\"\",\"two\nlines\",\" padded\",");
    TScheduleTable table;
    ASSERT_TRUE(ReadScheduleTable("a,b,c,d,e,f\n" + line + "\n", table));
    ASSERT_EQ(table.Lines.size(), 1u);
    EXPECT_EQ(table.Lines[0], fields);
}

}  // namespace
}  // namespace vantor
