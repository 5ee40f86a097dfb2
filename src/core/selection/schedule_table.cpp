#include "selection/schedule_table.h"

#include "text/text_routines.h"

namespace vantor {

TResult ReadScheduleTable(std::string_view text, TScheduleTable& table)
{
    table = {};
    std::vector<TCsvRecord> records;
    if (TResult read = ReadCsvRecords(text, records); !read) return read;
    if (records.empty()) return TResult::Error(TErrorCode::Failed, "no header line naming the columns");

    for (const std::string& name : records.front().Fields) {
        const std::string column = Trim(name);
        if (column.empty()) return TResult::Error(TErrorCode::Failed, "line 1: a column without a name");
        for (const std::string& earlier : table.Columns)
            if (SameText(earlier, column)) return TResult::Error(TErrorCode::Failed, "line 1: the column \"" + column + "\" is named twice");
        table.Columns.push_back(column);
    }
    for (size_t r = 1; r < records.size(); ++r) {
        std::vector<std::string>& fields = records[r].Fields;
        std::string problem;
        if (fields.size() > table.Columns.size())
            problem = "line " + std::to_string(records[r].Line) + ": " + std::to_string(fields.size()) + " fields for " +
                      std::to_string(table.Columns.size()) + " columns";
        fields.resize(table.Columns.size());
        table.Lines.push_back(std::move(fields));
        table.LineNumbers.push_back(records[r].Line);
        table.Problems.push_back(std::move(problem));
    }
    return TResult::Ok();
}

}  // namespace vantor
