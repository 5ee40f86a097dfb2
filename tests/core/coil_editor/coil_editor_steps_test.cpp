#include "coil_editor/coil_editor_steps.h"

#include <gtest/gtest.h>

#include <optional>

namespace vantor {
namespace {

constexpr double kTubePitch = 0.0381;  // 1-1/2 in: heights move in 3 in steps

TEST(FatStepsTest, HeightMovesInPairsOfTubePitches)
{
    const double step = FinHeightStep(kTubePitch);
    EXPECT_NEAR(*StepMultiple(0.5334, step, true, kFinHeightRange), 0.6096, 1e-12);
    EXPECT_NEAR(*StepMultiple(0.5334, step, false, kFinHeightRange), 0.4572, 1e-12);
    // A height between steps goes to the step beyond the nearest one.
    EXPECT_NEAR(*StepMultiple(0.5500, step, true, kFinHeightRange), 0.6096, 1e-12);
    EXPECT_NEAR(TypedFinHeight(0.050, kTubePitch), 0.0762, 1e-12);
    EXPECT_DOUBLE_EQ(TypedFinHeight(0.200, kTubePitch), 0.200);
    // The lowest step leaves the range: nothing.
    EXPECT_FALSE(StepMultiple(0.0762, step, false, kFinHeightRange));
    EXPECT_FALSE(StepMultiple(9.144, step, true, kFinHeightRange));
    EXPECT_FALSE(StepMultiple(1.0, 0, true, kFinHeightRange));
}

TEST(FatStepsTest, RowsFinsAndPitchFollowTheBuildersSteps)
{
    struct TCase {
        const char* Name;
        std::optional<double> (*Step)(double, bool);
        double From;
        bool Up;
        std::optional<double> To;
    };
    const TCase cases[] = {
        {"rows 4 up", RowsStep, 4, true, 5},       {"rows 6 up", RowsStep, 6, true, 8},
        {"rows 7 up", RowsStep, 7, true, 8},       {"rows 8 down", RowsStep, 8, false, 6},
        {"rows 6 down", RowsStep, 6, false, 5},    {"rows 9 down", RowsStep, 9, false, 8},
        {"rows 1 down", RowsStep, 1, false, {}},   {"rows 20 up", RowsStep, 20, true, {}},
        {"rows 4.4 up", RowsStep, 4.4, true, 5},   {"fins 10 up", FinDensityStep, 10, true, 12},
        {"fins 11 up", FinDensityStep, 11, true, 12}, {"fins 12 down", FinDensityStep, 12, false, 10},
        {"fins 11 down", FinDensityStep, 11, false, 10}, {"fins 30 up", FinDensityStep, 30, true, {}},
        {"fins 2 down", FinDensityStep, 2, false, {}}, {"pitch 2.54 up", FinPitchStep, 2.54, true, 3},
        {"pitch 2.54 down", FinPitchStep, 2.54, false, 2}, {"pitch 3 down", FinPitchStep, 3, false, 2},
        {"pitch 1.1 down", FinPitchStep, 1.1, false, {}}, {"pitch 1.05 down", FinPitchStep, 1.05, false, {}},
        {"pitch 40 up", FinPitchStep, 40, true, {}},  {"pitch 39.5 up", FinPitchStep, 39.5, true, 40},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::optional<double> to = c.Step(c.From, c.Up);
        ASSERT_EQ(to.has_value(), c.To.has_value());
        if (to) {
            EXPECT_DOUBLE_EQ(*to, *c.To);
        }
    }
}

TEST(FatStepsTest, CircuitSearchesFindEvenDivisions)
{
    // 4 rows × 12 tubes high: 48 tubes, whose divisors are 1 2 3 4 6 8 12 16 24 48.
    EXPECT_EQ(MoreCircuits(48, 6), 8.0);
    EXPECT_EQ(FewerCircuits(48, 6, 48), 4.0);
    EXPECT_EQ(MoreCircuits(48, 5), 6.0);     // 10 tubes a circuit rounded, 8 divides
    EXPECT_EQ(FewerCircuits(48, 5, 48), 4.0);
    EXPECT_EQ(MoreCircuits(48, 24), 48.0);
    EXPECT_EQ(MoreCircuits(48, 48), 48.0);  // already one tube a circuit: stays
    // One circuit of every tube: no fewer circuits exist.
    EXPECT_FALSE(FewerCircuits(48, 1, 48));
    // A prime tube count has only itself and one.
    EXPECT_EQ(MoreCircuits(7, 1), 7.0);
    EXPECT_FALSE(FewerCircuits(7, 0, 7));
    EXPECT_FALSE(MoreCircuits(0, 4));
}

TEST(FatStepsTest, TubesPerCircuitAndUnlinkedTubes)
{
    EXPECT_EQ(TubesPerCircuit(48, 5), 9.0);
    EXPECT_EQ(UnlinkedTubes(48, 5), 3.0);
    EXPECT_EQ(TubesPerCircuit(48, 6), 8.0);
    EXPECT_EQ(UnlinkedTubes(48, 6), 0.0);
    EXPECT_EQ(TubesPerCircuit(48, 0), 0.0);
    EXPECT_EQ(UnlinkedTubes(48, 0), 48.0);
}

}  // namespace
}  // namespace vantor
