#include "model/solve_status.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vantor {
namespace {

// The numbers and names the automation's CalcState, the JSON outputs, the schedules and the
// reports have always shown for each outcome.
struct TSolveStatusCase {
    TSolveStatus Status;
    int Code;
    std::string_view Name;
};

class SolveStatusOutside : public testing::TestWithParam<TSolveStatusCase> {};

TEST_P(SolveStatusOutside, KeepsItsNumberAndName)
{
    const TSolveStatusCase& c = GetParam();
    EXPECT_EQ(SolveStatusCode(c.Status), c.Code);
    EXPECT_EQ(SolveStatusName(c.Status), c.Name);
}

INSTANTIATE_TEST_SUITE_P(EveryOutcome, SolveStatusOutside,
                         testing::Values(TSolveStatusCase{TSolveStatus::Solved, 0, "None"},
                                         TSolveStatusCase{TSolveStatus::Iterating, 1, "Iterating"},
                                         TSolveStatusCase{TSolveStatus::CountOut, 2, "CountOut"},
                                         TSolveStatusCase{TSolveStatus::Aborted, 3, "Aborted"},
                                         TSolveStatusCase{TSolveStatus::TimeOut, 4, "TimeOut"},
                                         TSolveStatusCase{TSolveStatus::DataError, 5, "DataError"}),
                         [](const testing::TestParamInfo<TSolveStatusCase>& param) {
                             return std::string(param.param.Name);
                         });

}  // namespace
}  // namespace vantor
