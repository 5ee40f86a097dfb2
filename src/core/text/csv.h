#pragma once

// Comma-separated text as spreadsheets write it: a field in double quotes may hold commas,
// line breaks and doubled quotes; lines end in LF, CR LF or CR; blank lines are skipped; a
// byte-order mark before the first line is ignored.
//
//   a, "b, c", "say ""hi"""     -> {"a", " b, c", "say \"hi\""}

#include "text/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct TCsvRecord {
    std::vector<std::string> Fields;  // as written, spaces outside quotes kept
    int Line = 1;                     // where the record starts in the text, from 1
};

// Fails with "line N: " and the reason on a quote that is never closed or a text after a
// closing quote; records holds what was read before.
TResult ReadCsvRecords(std::string_view text, std::vector<TCsvRecord>& records);

// One line of fields, quoted where needed, without the line end.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace vantor
