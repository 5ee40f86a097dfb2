#include "chart/chart_scale.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace vantor {
namespace {

struct TTickRow {
    double Value;
    bool Major;
};

void ExpectTicks(const std::vector<TChartTick>& actual, const std::vector<TTickRow>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i].Value, expected[i].Value, 1e-9) << "tick " << i;
        EXPECT_EQ(actual[i].Major, expected[i].Major) << "tick " << i << " at " << expected[i].Value;
    }
}

TEST(NiceStep, TakesTheFirstStepWhoseLimitReachesTheWantedStep)
{
    const std::pair<double, double> cases[] = {
        {0.9, 1},       {1.2, 2},    {22, 25},      {600, 1000},   {1000, 1000},  {1.1, 1},
        {1.15, 2},      {13.2, 20},  {0.00005, 0.0001}, {0.0003, 0.0005}, {0.5, 0.5}, {0.52, 1},
        {120, 150},     {500.1, 500}, {501, 1000},  {1001, 1500},  {0, 0.0001},   {-3, 0.0001},
    };
    for (const auto& [wanted, step] : cases) EXPECT_DOUBLE_EQ(NiceStep(wanted), step) << "NiceStep(" << wanted << ")";
}

TEST(RoundLinearTicks, FallOnWholeMultiplesOfTheStepWhereverTheRangeStarts)
{
    // 1 to 20 g/kg in 8 ticks: NiceStep(19/7 = 2.71) = 5, so 5, 10, 15, 20 rather than 1, 6, 11, 16.
    ExpectTicks(RoundLinearTicks({1, 20}, 8), {{5, true}, {10, true}, {15, true}, {20, true}});
    // A range across zero gives an exact 0; ends that are multiples are ticks.
    ExpectTicks(RoundLinearTicks({-10, 10}, 5), {{-10, true}, {-5, true}, {0, true}, {5, true}, {10, true}});
    ExpectTicks(RoundLinearTicks({0.0013, 0.0061}, 5), {{0.002, true}, {0.004, true}, {0.006, true}});
    EXPECT_EQ(RoundLinearTicks({-10, 10}, 5)[2].Value, 0.0);
    // Nothing to mark on an empty, reversed or endless range.
    EXPECT_TRUE(RoundLinearTicks({3, 3}, 6).empty());
    EXPECT_TRUE(RoundLinearTicks({5, 1}, 6).empty());
    EXPECT_TRUE(RoundLinearTicks({0, std::numeric_limits<double>::infinity()}, 6).empty());
}

TEST(GuardRange, OpensARangeWhoseEndsCoincide)
{
    const struct {
        TChartRange Given;
        TChartRange Expected;
    } cases[] = {
        {{4, 4}, {2, 6}},
        {{0, 0}, {0, 1}},
        {{-4, -4}, {-6, -2}},  // kept in rising order
        {{1, 5}, {1, 5}},
        {{5, 1}, {5, 1}},  // an inverted range is the caller's choice
    };
    for (const auto& row : cases) {
        const TChartRange range = GuardRange(row.Given);
        EXPECT_DOUBLE_EQ(range.Min, row.Expected.Min) << row.Given.Min << ".." << row.Given.Max;
        EXPECT_DOUBLE_EQ(range.Max, row.Expected.Max) << row.Given.Min << ".." << row.Given.Max;
    }
}

TEST(TransformValue, TakesDecimalLogarithmsWithAFloorForNonPositiveValues)
{
    EXPECT_DOUBLE_EQ(TransformValue(100, true), 2);
    EXPECT_DOUBLE_EQ(TransformValue(0.001, true), -3);
    EXPECT_DOUBLE_EQ(TransformValue(0, true), -2);
    EXPECT_DOUBLE_EQ(TransformValue(-5, true), -2);
    EXPECT_DOUBLE_EQ(TransformValue(-5, false), -5);
    EXPECT_DOUBLE_EQ(UntransformValue(2, true), 100);
    EXPECT_DOUBLE_EQ(UntransformValue(-7.5, false), -7.5);
}

TEST(LinearTicks, StepFromMinInNiceStepsUpToTheSpanAndTwoPercent)
{
    // 17 to 83 over six ticks: NiceStep(13.2) = 20, round(66·1.02/20) = 3 steps.
    ExpectTicks(LinearTicks({17, 83}, 6), {{17, true}, {37, true}, {57, true}, {77, true}});
    // 0 to 100: NiceStep(20) = 20, round(5.1) = 5 steps, the last one at max.
    ExpectTicks(LinearTicks({0, 100}, 6), {{0, true}, {20, true}, {40, true}, {60, true}, {80, true}, {100, true}});
    // One tick asked for counts as two: the whole span in one step.
    ExpectTicks(LinearTicks({0, 1}, 1), {{0, true}, {1, true}});
    EXPECT_TRUE(LinearTicks({5, 1}, 6).empty());
    // Beyond the table the step is a multiple of 500: 2e299 here, so again 5 steps.
    EXPECT_EQ(LinearTicks({0, 1e300}, 6).size(), 6U);
    EXPECT_LE(LinearTicks({0, 1e9}, 1000000).size(), 1001U);
}

TEST(LogTicks, OneToAThousandMarksPowersOfTenAndDoublings)
{
    // By hand: from 1 doubling to 2, 4, 8 (minors with the midpoints 1.5, 3, 6); 16 passes
    // 10, which is taken as a major tick; then 20, 40, 80 (15, 30, 60); 100; 200, 400, 800
    // (150, 300, 600); 1000; 2000 passes max and ends the list.
    ExpectTicks(LogTicks({1, 1000}), {
        {1, true},     {1.5, false},  {2, false},   {3, false},   {4, false},   {6, false},
        {8, false},    {10, true},    {15, false},  {20, false},  {30, false},  {40, false},
        {60, false},   {80, false},   {100, true},  {150, false}, {200, false}, {300, false},
        {400, false},  {600, false},  {800, false}, {1000, true},
    });
}

TEST(LogTicks, AddsMaxAndFillsARangeWithoutMinors)
{
    // 0.5: 1 is the next power; 2 adds 1.5 and 2; 4 passes 3; max 3 closes the list.
    ExpectTicks(LogTicks({0.5, 3}), {{0.5, true}, {1, true}, {1.5, false}, {2, false}, {3, true}});
    // 20 passes 10.5 at once: minors at a quarter and at half of the span.
    ExpectTicks(LogTicks({10, 10.5}), {{10, true}, {10.125, false}, {10.25, false}, {10.5, true}});
    // A start of 0 or less is shown at 0.01 and the ticks start there.
    const std::vector<TChartTick> fromZero = LogTicks({0, 1});
    ASSERT_FALSE(fromZero.empty());
    EXPECT_DOUBLE_EQ(fromZero.front().Value, 0.01);
    EXPECT_DOUBLE_EQ(fromZero.back().Value, 1);
    EXPECT_LT(fromZero.size(), 30U);
}

TEST(TickLabel, UsesTheMagnitudeFormatWithoutTrailingZeros)
{
    const std::pair<double, const char*> cases[] = {
        {2, "2"},     {0.5, "0.5"},       {150, "150"},      {17, "17"},   {0.015, "0.015"},
        {1000, "1000"}, {-0.25, "-0.25"}, {0.0001, "0.0001"}, {37.5, "37.5"}, {0, "0"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(TickLabel(value), text) << value;
}

TEST(PositionReadout, WritesBothValuesInBracketsInTheirFormats)
{
    EXPECT_EQ(PositionReadout(2.345, 67.89, "%0.1f", "%0.1f"), "[2.3, 67.9]");
    EXPECT_EQ(PositionReadout(2.345, 123.4, "", ""), "[2.3, 123]");
    EXPECT_EQ(PositionReadout(0.05, 0.5, "", "%0.2f"), "[0.050, 0.50]");
}

}  // namespace
}  // namespace vantor
