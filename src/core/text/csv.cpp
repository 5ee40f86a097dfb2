#include "text/csv.h"

#include "text/text_routines.h"

namespace vantor {

namespace {

class TCsvSplitter {
public:
    explicit TCsvSplitter(std::vector<TCsvRecord>& records) : m_records(records) {}

    TResult Split(std::string_view text)
    {
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (m_quoted) {
                if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    m_field += '"';
                    ++i;
                } else if (c == '"') {
                    m_quoted = false;
                    m_wasQuoted = true;
                } else {
                    if (c == '\n') ++m_line;
                    m_field += c;
                }
                continue;
            }
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
            if (c == '\n' || c == '\r') {
                EndRecord();
                m_recordLine = ++m_line;
                continue;
            }
            if (c == ',') {
                EndField();
                m_anyText = true;
                continue;
            }
            if (m_wasQuoted) return Problem(m_line, "text after a closing quote");
            if (c == '"' && Trim(m_field).empty()) {
                m_field.clear();
                m_quoted = true;
                m_anyText = true;
                continue;
            }
            m_field += c;
            if (c != ' ' && c != '\t') m_anyText = true;
        }
        if (m_quoted) return Problem(m_recordLine, "a quote is never closed");
        EndRecord();
        return TResult::Ok();
    }

private:
    static TResult Problem(int line, std::string_view what)
    {
        return TResult::Error(1, "line " + std::to_string(line) + ": " + std::string(what));
    }

    void EndField()
    {
        m_record.push_back(std::move(m_field));
        m_field.clear();
        m_wasQuoted = false;
    }

    void EndRecord()
    {
        EndField();
        if (m_anyText) m_records.push_back({std::move(m_record), m_recordLine});
        m_record.clear();
        m_anyText = false;
    }

    std::vector<TCsvRecord>& m_records;
    std::vector<std::string> m_record;
    std::string m_field;
    bool m_quoted = false;     // inside a quoted field
    bool m_wasQuoted = false;  // the field was quoted and closed
    bool m_anyText = false;    // the record holds something
    int m_line = 1;
    int m_recordLine = 1;
};

}  // namespace

TResult ReadCsvRecords(std::string_view text, std::vector<TCsvRecord>& records)
{
    records.clear();
    StripByteOrderMark(text);
    return TCsvSplitter(records).Split(text);
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
