#pragma once

// A coil schedule as comma-separated text (text/csv.h): a header line naming the columns,
// then one coil a line.

#include "text/csv.h"
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
    explicit TScheduleReader(std::istream& in) : m_records(in) {}

    // The first line, as the names of the columns: Ok, or why it names none.
    TResult ReadHeader();
    const std::vector<std::string>& Columns() const { return m_columns; }
    // The next line; false at the end of the text or where it stops being a table.
    bool Next(TScheduleLine& line);
    // Where and why the text stopped being a table, "line 7: a quote is never closed"; empty
    // while it is one.
    const std::string& Broken() const { return m_records.Broken().Message; }

private:
    TCsvReader m_records;
    std::vector<std::string> m_columns;
};

// Reads the whole text as ReadScheduleTable does without keeping a line: Ok when the text
// reads as a table, or the reason ReadScheduleTable would give.
TResult CheckScheduleText(std::istream& in);

}  // namespace vantor
