#pragma once

// A coil schedule as comma-separated text: a header line naming the columns, then one coil a
// line. Fields follow the usual quoting (a field in double quotes may hold commas, line breaks
// and doubled quotes); lines end in LF or CR LF; blank lines are skipped; a byte-order mark
// before the header is ignored.

#include "text/result.h"

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct TScheduleTable {
    std::vector<std::string> Columns;
    std::vector<std::vector<std::string>> Lines;  // as many fields as columns each
    std::vector<int> LineNumbers;                 // where each line starts in the text, from 1
    // Why a line cannot be used as it stands, "line 3: 4 fields for 2 columns"; empty when it
    // can. Such a line keeps its first fields, one a column, so it can still be named.
    std::vector<std::string> Problems;
};

// Fails on a quote that is never closed, a text after a closing quote, a header without
// columns and a column named twice (without regard to case): the text cannot be read as a
// table at all. A line with more fields than the header is read with its problem noted, the
// lines after it are read as usual; a line with fewer is filled with empty fields.
TResult ReadScheduleTable(std::string_view text, TScheduleTable& table);

// One line of a schedule, as the table holds it.
struct TScheduleLine {
    std::vector<std::string> Fields;  // one a column
    int LineNumber = 0;
    std::string Problem;
};

// Reads a schedule a line at a time, so that a schedule of any length takes the memory of one
// line. The lines come as ReadScheduleTable reads them; a broken quote ends the reading where
// it is found, so a caller that must not act on a table that turns out broken checks the whole
// text first with CheckScheduleText.
class TScheduleReader {
public:
    explicit TScheduleReader(std::istream& in) : m_in(*in.rdbuf()) {}

    // The first line, as the names of the columns: Ok, or why it names none.
    TResult ReadHeader();
    const std::vector<std::string>& Columns() const { return m_columns; }
    // The next line; false at the end of the text or where it stops being a table.
    bool Next(TScheduleLine& line);
    // Where and why the text stopped being a table, "line 7: a quote is never closed"; empty
    // while it is one.
    const std::string& Broken() const { return m_broken; }

private:
    bool NextRecord(std::vector<std::string>& record, int& recordLine);
    int Get();
    int Peek();

    std::streambuf& m_in;
    std::string m_pending;  // bytes read ahead at the start that were no byte-order mark
    bool m_started = false;
    bool m_ended = false;
    int m_line = 1;
    std::string m_broken;
    std::vector<std::string> m_columns;
};

// Reads the whole text as ReadScheduleTable does without keeping a line: Ok when the text
// reads as a table, or the reason ReadScheduleTable would give.
TResult CheckScheduleText(std::istream& in);

// One line of fields, quoted where needed, without the line end.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace vantor
