#include "selection/schedule_table.h"

#include "text/text_routines.h"

#include <sstream>

namespace vantor {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
    if (!reader.Broken().empty()) return TResult::Error(1, reader.Broken());
    return header;
}

}  // namespace

int TScheduleReader::Get()
{
    if (!m_started) {
        // A byte-order mark is read ahead whole; what is not one is read again as text.
        m_started = true;
        for (size_t i = 0; i < kByteOrderMark.size() && m_in.sgetc() == static_cast<unsigned char>(kByteOrderMark[i]); ++i)
            m_pending += static_cast<char>(m_in.sbumpc());
        if (m_pending == kByteOrderMark) m_pending.clear();
    }
    if (!m_pending.empty()) {
        const int c = static_cast<unsigned char>(m_pending.front());
        m_pending.erase(0, 1);
        return c;
    }
    return m_in.sbumpc();
}

int TScheduleReader::Peek()
{
    if (!m_pending.empty()) return static_cast<unsigned char>(m_pending.front());
    return m_in.sgetc();
}

// Splits the next record off the text into its fields, skipping blank lines; false at the
// end or on a broken quote (noted in m_broken).
bool TScheduleReader::NextRecord(std::vector<std::string>& record, int& recordLine)
{
    record.clear();
    if (m_ended || !m_broken.empty()) return false;
    std::string field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the field was quoted and closed
    bool anyText = false;    // the record holds something
    recordLine = m_line;
    const auto endField = [&] {
        record.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
    };
    for (;;) {
        const int got = Get();
        if (got == std::char_traits<char>::eof()) {
            m_ended = true;
            if (quoted) {
                m_broken = "line " + std::to_string(recordLine) + ": a quote is never closed";
                return false;
            }
            endField();
            return anyText;
        }
        const char c = static_cast<char>(got);
        if (quoted) {
            if (c == '"' && Peek() == '"') {
                field += '"';
                Get();
            } else if (c == '"') {
                quoted = false;
                wasQuoted = true;
            } else {
                if (c == '\n') ++m_line;
                field += c;
            }
            continue;
        }
        if (c == '\r' && Peek() == '\n') continue;
        if (c == '\n' || c == '\r') {
            endField();
            ++m_line;
            if (anyText) return true;
            record.clear();  // a blank line
            recordLine = m_line;
            continue;
        }
        if (c == ',') {
            endField();
            anyText = true;
            continue;
        }
        if (wasQuoted) {
            m_broken = "line " + std::to_string(m_line) + ": text after a closing quote";
            return false;
        }
        if (c == '"' && Trim(field).empty()) {
            field.clear();
            quoted = true;
            anyText = true;
            continue;
        }
        field += c;
        if (c != ' ' && c != '\t') anyText = true;
    }
}

TResult TScheduleReader::ReadHeader()
{
    m_columns.clear();
    std::vector<std::string> names;
    int line = 0;
    if (!NextRecord(names, line)) return TResult::Error(1, "no header line naming the columns");
    for (const std::string& name : names) {
        const std::string column = Trim(name);
        if (column.empty()) return TResult::Error(1, "line 1: a column without a name");
        for (const std::string& earlier : m_columns)
            if (SameText(earlier, column)) return TResult::Error(1, "line 1: the column \"" + column + "\" is named twice");
        m_columns.push_back(column);
    }
    return TResult::Ok();
}

bool TScheduleReader::Next(TScheduleLine& line)
{
    line.Problem.clear();
    if (!NextRecord(line.Fields, line.LineNumber)) return false;
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

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& field = fields[i];
        const bool quote = field.find_first_of(",\"\r\n") != std::string::npos || Trim(field) != field;
        if (!quote) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line;
}

}  // namespace vantor
