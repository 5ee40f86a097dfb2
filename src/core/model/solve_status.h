#pragma once

// The names the reports give a solve outcome (a TSolveStatus value).

#include <string_view>

namespace vantor {

// "None", "Iterating", "CountOut", "Aborted", "TimeOut", "DataError"; empty for a value that
// names no outcome.
std::string_view SolveStatusName(int status);

}  // namespace vantor
