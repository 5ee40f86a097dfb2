#pragma once

// The outcome of a solve or a sizing, and how it is seen from outside: the number the automation's
// CalcState, the JSON outputs, the schedules and the command line's exit codes carry, and the
// name the reports give it.

#include <string_view>

namespace vantor {

// The coil produces Solved, Iterating, CountOut and DataError; the others name outcomes of
// exchangers that can be stopped.
enum class TSolveStatus : int {
    Solved = 0,     // "None"
    Iterating = 1,  // "Iterating": only while a solve runs
    CountOut = 2,   // "CountOut": not converged
    Aborted = 3,    // "Aborted"
    TimeOut = 4,    // "TimeOut"
    DataError = 5,  // "DataError": failed
};

// The number an outcome carries outside the program.
constexpr int SolveStatusCode(TSolveStatus status) { return static_cast<int>(status); }

// "None", "Iterating", "CountOut", "Aborted", "TimeOut", "DataError".
std::string_view SolveStatusName(TSolveStatus status);

}  // namespace vantor
