#include "selection/schedule_table.h"

#include "text/text_routines.h"

namespace vantor {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Splits the text into records of fields; false with a message on a broken quote.
bool SplitRecords(std::string_view text, std::vector<std::vector<std::string>>& records, std::vector<int>& lineNumbers,
                  std::string& message)
{
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;      // inside a quoted field
    bool wasQuoted = false;   // the field was quoted and closed
    bool anyText = false;     // the record holds something
    int line = 1;
    int recordLine = 1;
    const auto endField = [&] {
        record.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        if (anyText) {
            records.push_back(std::move(record));
            lineNumbers.push_back(recordLine);
        }
        record.clear();
        anyText = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                wasQuoted = true;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (c == '\n' || c == '\r') {
            endRecord();
            recordLine = ++line;
            continue;
        }
        if (c == ',') {
            endField();
            anyText = true;
            continue;
        }
        if (wasQuoted) {
            message = "line " + std::to_string(line) + ": text after a closing quote";
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
    if (quoted) {
        message = "line " + std::to_string(recordLine) + ": a quote is never closed";
        return false;
    }
    endRecord();
    return true;
}

}  // namespace

TResult ReadScheduleTable(std::string_view text, TScheduleTable& table)
{
    table = {};
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    std::vector<std::vector<std::string>> records;
    std::vector<int> lineNumbers;
    std::string message;
    if (!SplitRecords(text, records, lineNumbers, message)) return TResult::Error(1, message);
    if (records.empty()) return TResult::Error(1, "no header line naming the columns");

    for (const std::string& name : records.front()) {
        const std::string column = Trim(name);
        if (column.empty()) return TResult::Error(1, "line 1: a column without a name");
        for (const std::string& earlier : table.Columns)
            if (SameText(earlier, column)) return TResult::Error(1, "line 1: the column \"" + column + "\" is named twice");
        table.Columns.push_back(column);
    }
    for (size_t r = 1; r < records.size(); ++r) {
        std::vector<std::string>& fields = records[r];
        std::string problem;
        if (fields.size() > table.Columns.size())
            problem = "line " + std::to_string(lineNumbers[r]) + ": " + std::to_string(fields.size()) + " fields for " +
                      std::to_string(table.Columns.size()) + " columns";
        fields.resize(table.Columns.size());
        table.Lines.push_back(std::move(fields));
        table.LineNumbers.push_back(lineNumbers[r]);
        table.Problems.push_back(std::move(problem));
    }
    return TResult::Ok();
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
