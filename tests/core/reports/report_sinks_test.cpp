#include "reports/html_sink.h"
#include "reports/plain_text_sink.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vantor {
namespace {

// The start of a coil report: an empty line, a bold title, an empty line, a tabbed quantity.
void WriteSample(TReportSink& sink)
{
    sink.AppendLine("", false);
    sink.AppendLine("Hot Water Coil", true);
    sink.AppendLine("", true);
    sink.AppendLine("Airflow\t0.979\tm³/s", false);
}

TEST(ReportSinks, PlainTextKeepsTabsAndEmptyLinesAndDropsBold)
{
    std::ostringstream out;
    TPlainTextSink sink(out);
    WriteSample(sink);
    EXPECT_EQ(out.str(), "\nHot Water Coil\n\nAirflow\t0.979\tm³/s\n");
}

TEST(ReportSinks, HtmlEscapesTextAndKeepsTheLayout)
{
    THtmlSink sink;
    WriteSample(sink);
    sink.AppendLine("<Acme & \"Sons\"> O'Neil", true);
    sink.AppendLine("two\r\nlines", false);

    const std::string fragment = sink.Fragment();
    // The line feed after <pre> is the one HTML drops: the leading empty line survives.
    const std::string body = fragment.substr(fragment.find(">\n") + 2);
    EXPECT_EQ(body,
              "\n"
              "<b>Hot Water Coil</b>\n"
              "\n"
              "Airflow\t0.979\tm³/s\n"
              "<b>&lt;Acme &amp; &quot;Sons&quot;&gt; O&#39;Neil</b>\n"
              "two  lines\n"
              "</pre>\n");
    EXPECT_EQ(fragment.rfind("<pre style=\"", 0), 0u);

    const std::string html = sink.Html();
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find(fragment), std::string::npos);
    sink.Clear();
    EXPECT_EQ(sink.Fragment().substr(sink.Fragment().find(">\n") + 2), "</pre>\n");
}

}  // namespace
}  // namespace vantor
