#include "model/solve_status.h"

#include "model/custom_heat_exchanger.h"

#include <array>

namespace vantor {

namespace {

constexpr std::array<std::string_view, ssDataError + 1> kStatusNames{
    "None", "Iterating", "CountOut", "Aborted", "TimeOut", "DataError",
};

}  // namespace

std::string_view SolveStatusName(int status)
{
    if (status < 0 || status >= static_cast<int>(kStatusNames.size())) return {};
    return kStatusNames[static_cast<size_t>(status)];
}

}  // namespace vantor
