#include "text/csv.h"

#include "text/text_routines.h"

#include <sstream>

namespace vantor {

int TCsvReader::Get()
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

int TCsvReader::Peek()
{
    if (!m_pending.empty()) return static_cast<unsigned char>(m_pending.front());
    return m_in.sgetc();
}

bool TCsvReader::Stop(int line, std::string_view why)
{
    m_broken = TResult::Error(TErrorCode::Failed, "line " + std::to_string(line) + ": " + std::string(why));
    return false;
}

bool TCsvReader::Next(TCsvRecord& record)
{
    std::vector<std::string>& fields = record.Fields;
    fields.clear();
    if (m_ended || !m_broken) return false;
    std::string field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the field was quoted and closed
    bool anyText = false;    // the record holds something
    record.Line = m_line;
    const auto endField = [&] {
        fields.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
    };
    for (;;) {
        const int got = Get();
        if (got == std::char_traits<char>::eof()) {
            m_ended = true;
            if (quoted) return Stop(record.Line, "a quote is never closed");
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
            fields.clear();  // a blank line
            record.Line = m_line;
            continue;
        }
        if (c == ',') {
            endField();
            anyText = true;
            continue;
        }
        if (wasQuoted) return Stop(m_line, "text after a closing quote");
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

TResult ReadCsvRecords(std::string_view text, std::vector<TCsvRecord>& records)
{
    records.clear();
    std::istringstream in{std::string(text)};
    TCsvReader reader(in);
    TCsvRecord record;
    while (reader.Next(record)) records.push_back(std::move(record));
    return reader.Broken();
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
