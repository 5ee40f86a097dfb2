#include "model/coil.h"

#include "first_run_coil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

using test::TFirstRunCoil;

using TSizingCall = TSolveStatus (TCoil::*)(double airVolume, double duty);
constexpr TSizingCall kAllSizings[] = {&TCoil::SizeFaceArea,    &TCoil::SizeHeight, &TCoil::SizeLength,
                                       &TCoil::SizeRowsAndFins, &TCoil::SizeRows,   &TCoil::SizeFins};
constexpr double kHeightStep = 2 * 0.0381;  // two tube pitches of the 1/2 inch range

TEST(CoilSizing, TooSmallADutyChangesNothing)
{
    for (double duty : {0.005, -10.0, std::numeric_limits<double>::quiet_NaN()})
        for (TSizingCall size : kAllSizings) {
            TFirstRunCoil r;
            const TModelRec before = r.Coil.Geometry().ModelRecord();
            const double flow = r.Water.m;
            EXPECT_EQ((r.Coil.*size)(0, duty), TSolveStatus::DataError) << duty;
            EXPECT_EQ(r.Coil.Status, TSolveStatus::DataError);
            EXPECT_EQ(r.Coil.Geometry().ModelRecord(), before);
            EXPECT_EQ(r.Water.m, flow);
        }
}

TEST(CoilSizing, FaceAreaAndLength)
{
    // Without an air flow every trial runs at the design face velocity, and the duty per air
    // volume is learnt from the result.
    TFirstRunCoil face;
    ASSERT_EQ(face.Coil.SizeFaceArea(0, 50), TSolveStatus::Solved);
    EXPECT_NEAR(face.Coil.Qt, 50, 1e-4);
    EXPECT_NEAR(face.Coil.FaceVelocity(), 2.7, 1e-12);
    EXPECT_NEAR(std::remainder(face.Coil.fHeight(), kHeightStep), 0, 1e-9);
    EXPECT_NEAR(face.Coil.DutyPerVolume, 50 / face.Coil.AirVolume(), 1e-4);

    // A given air volume stays; 20 kW from 4 m³/s learns the lowest duty per volume, 10.
    TFirstRunCoil given;
    ASSERT_EQ(given.Coil.SizeFaceArea(4, 20), TSolveStatus::Solved);
    EXPECT_NEAR(given.Coil.Qt, 20, 1e-4);
    EXPECT_NEAR(given.Coil.AirVolume(), 4, 1e-12);
    EXPECT_EQ(given.Coil.DutyPerVolume, 10);

    TFirstRunCoil length;
    ASSERT_EQ(length.Coil.SizeLength(0, 30), TSolveStatus::Solved);
    EXPECT_NEAR(length.Coil.Qt, 30, 1e-4);
    EXPECT_DOUBLE_EQ(length.Coil.fHeight(), 0.544);
}

TEST(CoilSizing, DutyOutOfReachIsNotReportedAsSized)
{
    // 20 MW needs far more face than 9.144 m × 10 m: the face stops at both limits.
    TFirstRunCoil face;
    const TSolveStatus status = face.Coil.SizeFaceArea(0, 20000);
    EXPECT_EQ(status, TSolveStatus::DataError);
    EXPECT_TRUE(face.Coil.DutyOutOfReach);
    EXPECT_DOUBLE_EQ(face.Coil.fHeight(), face.Coil.MaxHeight);
    EXPECT_DOUBLE_EQ(face.Coil.fLength(), face.Coil.MaxLength);

    // The length alone stops moving at its limit with the duty missed by kilowatts.
    TFirstRunCoil length;
    EXPECT_EQ(length.Coil.SizeLength(0, 5000), TSolveStatus::DataError);
    EXPECT_DOUBLE_EQ(length.Coil.fLength(), length.Coil.MaxLength);

    // 1.5 m³/s warmed from 25 °C to the water's 45 °C takes 36 kW at most.
    TFirstRunCoil air;
    EXPECT_EQ(air.Coil.SizeFaceArea(1.5, 40), TSolveStatus::DataError);
}

TEST(CoilSizing, HeightInSteps)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.SizeHeight(0, 30), TSolveStatus::Solved);
    EXPECT_NEAR(std::remainder(r.Coil.fHeight(), kHeightStep), 0, 1e-9);
    EXPECT_GE(r.Coil.Qt, 0.98 * 30);

    // A tiny duty steps down to one step (the search stops within a step of MinHeight); a
    // huge one steps up to the last whole step within MaxHeight, also from far beyond it,
    // and fails short of the duty.
    TFirstRunCoil small;
    small.Coil.SizeHeight(0, 0.05);
    EXPECT_NEAR(small.Coil.fHeight(), kHeightStep, 1e-12);
    for (double airVolume : {0.0, 1e6}) {
        TFirstRunCoil large;
        large.Coil.MaxHeight = 9.0;  // 118.1 steps
        EXPECT_EQ(large.Coil.SizeHeight(airVolume, 5000), TSolveStatus::DataError);
        EXPECT_TRUE(large.Coil.DutyOutOfReach);
        EXPECT_NEAR(large.Coil.fHeight(), 118 * kHeightStep, 1e-9);
    }
}

TEST(CoilSizing, CandidateSearches)
{
    // The chosen rows and fins reach the duty band and come closest to the duty among the
    // candidates that reach it; one closer but short of it is passed over.
    constexpr double kDuty = 21;
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.SizeRowsAndFins(0, kDuty), TSolveStatus::Solved);
    const double error = std::abs(r.Coil.Qt - kDuty);
    EXPECT_GE(r.Coil.Qt, 0.98 * kDuty);
    for (double rows : {3.0, 4.0, 5.0, 6.0})
        for (double fins : {8.0, 10.0, 12.0, 14.0}) {
            r.Coil.SetRows(rows);
            r.Coil.SetFinDensity(fins);
            r.Coil.SetFaceVelocity(r.Coil.DesignVf);
            r.Coil.Solve();
            if (r.Coil.Qt >= 0.98 * kDuty) {
                EXPECT_GE(std::abs(r.Coil.Qt - kDuty), error - 1e-4) << rows << "r " << fins << "f";
            }
        }

    // A fixed effectiveness gives every candidate the same duty, more than the 5 kW asked
    // for: the first tried is kept.
    const struct {
        TSizingCall size;
        double rows, fins;
    } equal[] = {{&TCoil::SizeRowsAndFins, 4, 10}, {&TCoil::SizeRows, 4, 12}, {&TCoil::SizeFins, 4, 10}};
    for (const auto& c : equal) {
        TFirstRunCoil fixed;
        fixed.Coil.EffectivenessFn = [](double, double) { return 0.5; };
        EXPECT_EQ((fixed.Coil.*c.size)(0, 5), TSolveStatus::Solved);
        EXPECT_EQ(fixed.Coil.Rows(), c.rows);
        EXPECT_EQ(fixed.Coil.fpi(), c.fins);
    }
}

TEST(CoilSizing, UnusableSettingsFail)
{
    const struct {
        double TCoil::*setting;
        double value;
    } cases[] = {
        {&TCoil::DesignVf, 0},
        {&TCoil::MaxHeight, std::numeric_limits<double>::quiet_NaN()},
        {&TCoil::MaxHeight, std::numeric_limits<double>::infinity()},  // an endless height walk
        {&TCoil::MinLength, 20},                                       // above MaxLength
        {&TCoil::DutyPerVolume, 0},
    };
    for (const auto& c : cases)
        for (TSizingCall size : {&TCoil::SizeFaceArea, &TCoil::SizeHeight}) {
            TFirstRunCoil r;
            r.Coil.*c.setting = c.value;
            EXPECT_EQ((r.Coil.*size)(0, 30), TSolveStatus::DataError) << c.value;
            EXPECT_TRUE(std::isfinite(r.Coil.Qt));
        }
}

}  // namespace
}  // namespace vantor
