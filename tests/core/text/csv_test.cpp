#include "text/csv.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace vantor {
namespace {

using TFields = std::vector<std::vector<std::string>>;

TFields FieldsOf(const std::vector<TCsvRecord>& records)
{
    TFields fields;
    for (const TCsvRecord& r : records) fields.push_back(r.Fields);
    return fields;
}

std::vector<int> LinesOf(const std::vector<TCsvRecord>& records)
{
    std::vector<int> lines;
    for (const TCsvRecord& r : records) lines.push_back(r.Line);
    return lines;
}

TEST(Csv, RecordsKeepTheLineTheyStartOn)
{
    const struct {
        const char* name;
        std::string text;
        TFields fields;
        std::vector<int> lines;
    } cases[] = {
        {"lone CR line ends", "a,b\r1,2\r", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"a quoted line break counts as a line", "\"x\ny\",1\n2,3\n", {{"x\ny", "1"}, {"2", "3"}}, {1, 3}},
        {"blank and space-only lines are skipped", "\n  \na\n\t\n", {{"a"}}, {3}},
        {"spaces before a quote are dropped, around a plain field kept", " \"q, r\", s ", {{"q, r", " s "}}, {1}},
        {"a mark only at the very start is a byte-order mark", "\xEF\xBB\xBFx\n\xEF\xBB\xBFy",
         {{"x"}, {"\xEF\xBB\xBFy"}}, {1, 2}},
        {"a quote inside a plain field is a character", "5\" tube,x", {{"5\" tube", "x"}}, {1}},
    };
    for (const auto& c : cases) {
        std::vector<TCsvRecord> records;
        ASSERT_TRUE(ReadCsvRecords(c.text, records)) << c.name;
        EXPECT_EQ(FieldsOf(records), c.fields) << c.name;
        EXPECT_EQ(LinesOf(records), c.lines) << c.name;
    }
}

TEST(Csv, BrokenQuotesNameTheirLine)
{
    std::vector<TCsvRecord> records;
    EXPECT_EQ(ReadCsvRecords("a\nb\n\"c\nd", records).Message, "line 3: a quote is never closed");
    EXPECT_EQ(ReadCsvRecords("a\n\"two\nlines\" x\n", records).Message, "line 3: text after a closing quote");
}

TEST(Csv, StreamedRecordsComeOneAtATimeUpToWhereTheTextBreaks)
{
    std::istringstream in("\xEF\xBB" "a,\"b\nc\"\r\n\r\nd\n\"e\" f\ng\n");
    TCsvReader reader(in);
    TCsvRecord record;
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.Fields, (std::vector<std::string>{"\xEF\xBB" "a", "b\nc"}));  // half a mark is text
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.Fields, std::vector<std::string>{"d"});
    EXPECT_EQ(record.Line, 4);
    EXPECT_TRUE(reader.Broken());
    EXPECT_FALSE(reader.Next(record));
    EXPECT_EQ(reader.Broken().Message, "line 5: text after a closing quote");
    EXPECT_FALSE(reader.Next(record));  // no record after the break
}

}  // namespace
}  // namespace vantor
