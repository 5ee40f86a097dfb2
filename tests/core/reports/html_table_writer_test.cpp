#include "reports/html_table_writer.h"

#include "units/units_registry.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(HtmlTableWriter, TagsAreExactTexts)
{
    EXPECT_EQ(OpenTag("table"), "<table>");
    EXPECT_EQ(OpenTag("caption", kCaptionAttributes), R"(<caption class="caption">)");
    EXPECT_EQ(OpenTag("table", kTableAttributes), R"(<table border="0" width="360" height="270" align="left">)");
    EXPECT_EQ(CloseTag("tr"), "</tr>");
}

TEST(HtmlTableWriter, AQuantityTableWritesOneLinePerCall)
{
    TUnitsRegistry units = StandardUnitsRegistry();
    std::vector<std::string> lines{"<html>"};
    THtmlTableWriter writer(lines);
    writer.BeginTable();
    writer.Caption("Air Side");
    writer.StandardHeaderRow();
    writer.QuantityRow("Face Velocity", units.At("air", "v"), false, 2.5);
    writer.QuantityRow("Pressure Drop", units.At("air", "dp"), false, 87.4);
    writer.QuantityPairRow("On Coil", units.At("air", "t"), false, 24, 17);
    writer.SpanRow({"Solve Status", "Solved"});
    writer.SpanRow({"Converged after 4 steps"});
    writer.SpanRow({"a", "b", "c"});
    writer.EndTable();
    writer.Spacer();

    const std::vector<std::string> expected = {
        "<html>",
        "<table>",
        R"(<caption class="caption">Air Side</caption>)",
        R"(<tr><th width="135"></th><th></th><th width="60"></th></tr>)",
        "<tr><td>Face Velocity</td><td>2.50</td><td>m/s</td></tr>",
        "<tr><td>Pressure Drop</td><td>87.4</td><td>Pa</td></tr>",
        "<tr><td>On Coil</td><td>24.0/17.0</td><td>°C</td></tr>",
        R"(<tr><td>Solve Status</td><td colspan="2">Solved</td></tr>)",
        R"(<tr><td colspan="3">Converged after 4 steps</td></tr>)",
        "<tr><td>a</td><td>b</td><td>c</td></tr>",
        "</table>",
        "<p>&nbsp;</p>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(HtmlTableWriter, RowsTakeTheirAttributesAndTextsAsGiven)
{
    std::vector<std::string> lines;
    THtmlTableWriter writer(lines);
    writer.BeginTable(kTableAttributes);
    writer.HeaderRow({"Name", "Value"}, R"(class="head")", {R"(width="135")"});
    writer.DataRow({"<b>x</b> & y"}, {}, {});
    writer.DataRow({});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], R"(<tr class="head"><th width="135">Name</th><th>Value</th></tr>)");
    EXPECT_EQ(lines[2], "<tr><td><b>x</b> & y</td></tr>");
    EXPECT_EQ(lines[3], "<tr></tr>");
}

}  // namespace
}  // namespace vantor
