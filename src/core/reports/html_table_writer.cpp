#include "reports/html_table_writer.h"

#include "units/unit_format.h"

namespace vantor {

std::string OpenTag(std::string_view name, std::string_view attributes)
{
    std::string tag = "<" + std::string(name);
    if (!attributes.empty()) tag += " " + std::string(attributes);
    return tag + ">";
}

std::string CloseTag(std::string_view name) { return "</" + std::string(name) + ">"; }

void THtmlTableWriter::BeginTable(std::string_view attributes) { m_lines.push_back(OpenTag("table", attributes)); }

void THtmlTableWriter::EndTable() { m_lines.push_back(CloseTag("table")); }

void THtmlTableWriter::Spacer() { m_lines.emplace_back("<p>&nbsp;</p>"); }

void THtmlTableWriter::Caption(std::string_view text, std::string_view attributes)
{
    m_lines.push_back(OpenTag("caption", attributes) + std::string(text) + CloseTag("caption"));
}

void THtmlTableWriter::Row(std::string_view cellTag, const std::vector<std::string>& cells,
                           std::string_view rowAttributes, const std::vector<std::string>& cellAttributes)
{
    std::string line = OpenTag("tr", rowAttributes);
    for (size_t i = 0; i < cells.size(); ++i) {
        line += OpenTag(cellTag, i < cellAttributes.size() ? std::string_view(cellAttributes[i]) : std::string_view());
        line += cells[i];
        line += CloseTag(cellTag);
    }
    m_lines.push_back(line + CloseTag("tr"));
}

void THtmlTableWriter::HeaderRow(const std::vector<std::string>& cells, std::string_view rowAttributes,
                                 const std::vector<std::string>& cellAttributes)
{
    Row("th", cells, rowAttributes, cellAttributes);
}

void THtmlTableWriter::DataRow(const std::vector<std::string>& cells, std::string_view rowAttributes,
                               const std::vector<std::string>& cellAttributes)
{
    Row("td", cells, rowAttributes, cellAttributes);
}

void THtmlTableWriter::StandardHeaderRow()
{
    HeaderRow({"", "", ""}, {}, {R"(width="135")", "", R"(width="60")"});
}

void THtmlTableWriter::QuantityRow(std::string_view name, UnitRec& rec, bool keepFormat, double x)
{
    std::string value = UnitText(rec, false, "", keepFormat, x);
    DataRow({std::string(name), std::move(value), rec.Label});
}

void THtmlTableWriter::QuantityPairRow(std::string_view name, UnitRec& rec, bool keepFormat, double a, double b)
{
    std::string value = UnitPairText(rec, false, "", keepFormat, a, b);
    DataRow({std::string(name), std::move(value), rec.Label});
}

void THtmlTableWriter::SpanRow(const std::vector<std::string>& cells)
{
    if (cells.size() == 2) DataRow(cells, {}, {"", R"(colspan="2")"});
    else if (cells.size() == 1) DataRow(cells, {}, {R"(colspan="3")"});
    else DataRow(cells);
}

}  // namespace vantor
