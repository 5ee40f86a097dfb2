// Any bytes as a coil schedule: an accepted table has one field a column on every line, line
// numbers that increase, distinct column names, and written back with CsvLine it reads as the
// same table.

#include "selection/schedule_table.h"
#include "text/text_routines.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A one-column line of nothing is written as an empty line, which a schedule skips.
bool WrittenAsBlank(const std::vector<std::string>& fields)
{
    return fields.size() == 1 && fields.front().empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantor;
    TScheduleTable table;
    if (!ReadScheduleTable(std::string_view(reinterpret_cast<const char*>(data), size), table)) return 0;
    const std::size_t lines = table.Lines.size();
    if (table.Columns.empty() || table.LineNumbers.size() != lines || table.Problems.size() != lines) std::abort();
    for (std::size_t i = 0; i < table.Columns.size(); ++i) {
        if (table.Columns[i].empty() || Trim(table.Columns[i]) != table.Columns[i]) std::abort();
        for (std::size_t j = 0; j < i; ++j)
            if (SameText(table.Columns[i], table.Columns[j])) std::abort();
    }
    int previous = 1;
    for (std::size_t i = 0; i < lines; ++i) {
        if (table.Lines[i].size() != table.Columns.size() || table.LineNumbers[i] <= previous) std::abort();
        previous = table.LineNumbers[i];
    }

    // With a byte-order mark first, as some spreadsheets write: a column name that starts with
    // one of its own keeps it.
    std::string written = "\xEF\xBB\xBF" + CsvLine(table.Columns) + "\r\n";
    std::vector<std::vector<std::string>> kept;
    for (const std::vector<std::string>& fields : table.Lines) {
        if (WrittenAsBlank(fields)) continue;
        written += CsvLine(fields) + "\n";
        kept.push_back(fields);
    }
    TScheduleTable again;
    if (!ReadScheduleTable(written, again)) std::abort();
    if (again.Columns != table.Columns || again.Lines != kept) std::abort();
    for (const std::string& problem : again.Problems)
        if (!problem.empty()) std::abort();
    return 0;
}
