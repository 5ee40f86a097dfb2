#include "selection/schedule_table.h"

#include "text/text_routines.h"

#include <sstream>

namespace vantor {

namespace {

// Reads the header and every line, each line handed to take; a broken quote anywhere wins
// over a header that names no columns, as the whole text is not a table then.
template <typename Take>
TResult ReadAll(std::istream& in, std::vector<std::string>& columns, Take take)
{
    TScheduleReader reader(in);
    const TResult header = reader.ReadHeader();
    columns = reader.Columns();
    TScheduleLine line;
    while (reader.Next(line))
        if (header) take(line);
    if (!reader.Broken().empty()) return TResult::Error(TErrorCode::Failed, reader.Broken());
    return header;
}

}  // namespace

TResult TScheduleReader::ReadHeader()
{
    m_columns.clear();
    TCsvRecord names;
    if (!m_records.Next(names)) return TResult::Error(TErrorCode::Failed, "no header line naming the columns");
    for (const std::string& name : names.Fields) {
        const std::string column = Trim(name);
        if (column.empty()) return TResult::Error(TErrorCode::Failed, "line 1: a column without a name");
        for (const std::string& earlier : m_columns)
            if (SameText(earlier, column))
                return TResult::Error(TErrorCode::Failed, "line 1: the column \"" + column + "\" is named twice");
        m_columns.push_back(column);
    }
    return TResult::Ok();
}

bool TScheduleReader::Next(TScheduleLine& line)
{
    line.Problem.clear();
    TCsvRecord record;
    record.Fields.swap(line.Fields);  // the line's fields are refilled in place
    const bool read = m_records.Next(record);
    line.Fields.swap(record.Fields);
    line.LineNumber = record.Line;
    if (!read) return false;
    if (line.Fields.size() > m_columns.size())
        line.Problem = "line " + std::to_string(line.LineNumber) + ": " + std::to_string(line.Fields.size()) +
                       " fields for " + std::to_string(m_columns.size()) + " columns";
    line.Fields.resize(m_columns.size());
    return true;
}

TResult CheckScheduleText(std::istream& in)
{
    std::vector<std::string> columns;
    return ReadAll(in, columns, [](const TScheduleLine&) {});
}

TResult ReadScheduleTable(std::string_view text, TScheduleTable& table)
{
    table = {};
    std::istringstream in{std::string(text)};
    return ReadAll(in, table.Columns, [&table](TScheduleLine& line) {
        table.Lines.push_back(std::move(line.Fields));
        table.LineNumbers.push_back(line.LineNumber);
        table.Problems.push_back(std::move(line.Problem));
    });
}

}  // namespace vantor
