#include "model/solve_status.h"

namespace vantor {

std::string_view SolveStatusName(TSolveStatus status)
{
    switch (status) {
    case TSolveStatus::Solved: return "None";
    case TSolveStatus::Iterating: return "Iterating";
    case TSolveStatus::CountOut: return "CountOut";
    case TSolveStatus::Aborted: return "Aborted";
    case TSolveStatus::TimeOut: return "TimeOut";
    case TSolveStatus::DataError: return "DataError";
    }
    return {};
}

}  // namespace vantor
