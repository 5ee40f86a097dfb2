#pragma once

// A coil schedule as comma-separated text (text/csv.h): a header line naming the columns,
// then one coil a line.

#include "text/csv.h"
#include "text/result.h"

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

}  // namespace vantor
