#pragma once

// Comma-separated text as spreadsheets write it: a field in double quotes may hold commas,
// line breaks and doubled quotes; lines end in LF, CR LF or CR; blank lines are skipped; a
// byte-order mark before the first line is ignored.
//
//   a, "b, c", "say ""hi"""     -> {"a", " b, c", "say \"hi\""}

#include "text/result.h"

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct TCsvRecord {
    std::vector<std::string> Fields;  // as written, spaces outside quotes kept
    int Line = 1;                     // where the record starts in the text, from 1
};

// Reads records off a stream one at a time, so a text of any length takes the memory of one
// record. The stream is read through its buffer and is left where the reading stopped.
class TCsvReader {
public:
    explicit TCsvReader(std::istream& in) : m_in(*in.rdbuf()) {}

    // The next record; false at the end of the text or where it stops being comma-separated
    // text, as Broken() then says.
    bool Next(TCsvRecord& record);
    // Where and why the text stopped being comma-separated text, "line 7: a quote is never
    // closed"; Ok while it is such text.
    const TResult& Broken() const { return m_broken; }

private:
    int Get();
    int Peek();
    bool Stop(int line, std::string_view why);

    std::streambuf& m_in;
    std::string m_pending;  // bytes read ahead at the start that were no byte-order mark
    bool m_started = false;
    bool m_ended = false;
    int m_line = 1;
    TResult m_broken = TResult::Ok();
};

// Fails with "line N: " and the reason on a quote that is never closed or a text after a
// closing quote; records holds what was read before.
TResult ReadCsvRecords(std::string_view text, std::vector<TCsvRecord>& records);

// One line of fields, quoted where needed, without the line end.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace vantor
