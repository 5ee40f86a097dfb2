#include "model/coil.h"

#include "first_run_coil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

using test::TFirstRunCoil;

constexpr double kHeightStep = 2 * 0.0381;  // two tube pitches of the 1/2 inch range

bool IsWholeSteps(double height)
{
    const double steps = height / kHeightStep;
    return std::abs(steps - std::round(steps)) < 1e-9;
}

TEST(CoilSizing, TooSmallADutyChangesNothing)
{
    for (double duty : {0.005, 0.0, -10.0, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(duty);
        TFirstRunCoil r;
        const TModelRec before = r.Coil.Geometry().ModelRecord();
        const double airFlow = r.Coil.AirMassFlow();
        const double fluidFlow = r.Water.m;
        EXPECT_EQ(r.Coil.SizeFaceArea(0, duty), ssDataError);
        EXPECT_EQ(r.Coil.SizeHeight(0, duty), ssDataError);
        EXPECT_EQ(r.Coil.SizeLength(0, duty), ssDataError);
        EXPECT_EQ(r.Coil.SizeRowsAndFins(0, duty), ssDataError);
        EXPECT_EQ(r.Coil.SizeRows(0, duty), ssDataError);
        EXPECT_EQ(r.Coil.SizeFins(0, duty), ssDataError);
        EXPECT_EQ(r.Coil.Status, ssDataError);
        EXPECT_EQ(r.Coil.Geometry().ModelRecord(), before);
        EXPECT_EQ(r.Coil.AirMassFlow(), airFlow);
        EXPECT_EQ(r.Water.m, fluidFlow);
    }
}

TEST(CoilSizing, FaceAreaAtTheDesignVelocity)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.SizeFaceArea(0, 50), ssSolved);
    EXPECT_EQ(r.Coil.Status, ssSolved);
    EXPECT_NEAR(r.Coil.Qt, 50, 1e-4);
    EXPECT_NEAR(r.Coil.FaceVelocity(), 2.7, 1e-12);
    EXPECT_NEAR(r.Coil.AirVolume(), 2.7 * r.Coil.FaceArea(), 1e-12);
    EXPECT_TRUE(IsWholeSteps(r.Coil.fHeight()));
    // Sized for the duty: flow control, the circuits for the ideal tube velocity (met exactly
    // before the rating moved the fluid's density).
    EXPECT_EQ(r.Coil.LiquidState.ctrl, ctrlFlow);
    EXPECT_NEAR(r.Coil.LiquidState.vw, 1, 1e-3);
    // The duty per air volume is learnt from the result.
    EXPECT_NEAR(r.Coil.DutyPerVolume, std::clamp(50 / r.Coil.AirVolume(), 10.0, 40.0), 1e-4);
}

TEST(CoilSizing, FaceAreaForAGivenAirVolume)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.SizeFaceArea(3, 40), ssSolved);
    EXPECT_NEAR(r.Coil.Qt, 40, 1e-4);
    EXPECT_NEAR(r.Coil.AirVolume(), 3, 1e-12);
    EXPECT_NEAR(r.Coil.DutyPerVolume, 40 / 3.0, 1e-4);

    // 1.5 m³/s heated from 25 °C to the 45 °C of the water takes 36 kW at most: no face gives
    // 40 kW, and the sizing says so.
    TFirstRunCoil scarce;
    EXPECT_EQ(scarce.Coil.SizeFaceArea(1.5, 40), ssDataError);
    EXPECT_LT(scarce.Coil.Qt, 37);
}

TEST(CoilSizing, DutyPerVolumeIsKeptWithinItsRange)
{
    // 20 kW from 4 m³/s is 5 kW/(m³/s), below the range.
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.SizeFaceArea(4, 20), ssSolved);
    EXPECT_EQ(r.Coil.DutyPerVolume, 10);
}

TEST(CoilSizing, LengthAtTheHeightGiven)
{
    TFirstRunCoil r;
    const double height = r.Coil.fHeight();
    ASSERT_EQ(r.Coil.SizeLength(0, 30), ssSolved);
    EXPECT_NEAR(r.Coil.Qt, 30, 1e-4);
    EXPECT_EQ(r.Coil.fHeight(), height);
    EXPECT_NEAR(r.Coil.FaceVelocity(), 2.7, 1e-12);
}

TEST(CoilSizing, FaceBeyondTheLimitsIsNotReportedAsSized)
{
    // 20 MW needs far more face than 9.144 m × 10 m.
    TFirstRunCoil r;
    const int status = r.Coil.SizeFaceArea(0, 20000);
    EXPECT_TRUE(status == ssDataError || status == ssCountOut) << status;
    EXPECT_EQ(r.Coil.Status, status);
    EXPECT_NEAR(r.Coil.fHeight(), r.Coil.MaxHeight, 1e-12);
    EXPECT_NEAR(r.Coil.fLength(), r.Coil.MaxLength, 1e-12);

    // The length alone stops moving at its limit while the duty is missed by far.
    TFirstRunCoil length;
    EXPECT_EQ(length.Coil.SizeLength(0, 5000), ssDataError);
    EXPECT_NEAR(length.Coil.fLength(), length.Coil.MaxLength, 1e-12);
    EXPECT_LT(length.Coil.Qt, 5000 - 1);
}

TEST(CoilSizing, HeightInSteps)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.SizeHeight(0, 30), ssSolved);
    const double height = r.Coil.fHeight();
    const double duty = r.Coil.Qt;
    EXPECT_TRUE(IsWholeSteps(height));
    EXPECT_GE(duty, 0.98 * 30);
    if (duty > 1.01 * 30) {
        // Above the band only when reached stepping up: one step less misses the duty.
        r.Coil.SetFinHeight(height - kHeightStep);
        r.Coil.SetFaceVelocity(r.Coil.DesignVf);
        r.Coil.Solve();
        EXPECT_LT(r.Coil.Qt, 30);
    }
}

TEST(CoilSizing, HeightStaysWithinItsSteppingRange)
{
    // A tiny duty steps down to a single step (the loop stops once the height is within one
    // step of MinHeight); a huge one steps up to the first step reaching MaxHeight.
    TFirstRunCoil small;
    small.Coil.SizeHeight(0, 0.05);
    EXPECT_NEAR(small.Coil.fHeight(), kHeightStep, 1e-12);
    EXPECT_GT(small.Coil.fHeight(), small.Coil.MinHeight);

    TFirstRunCoil large;
    large.Coil.SizeHeight(0, 5000);
    EXPECT_GE(large.Coil.fHeight(), large.Coil.MaxHeight - 1e-9);
    EXPECT_LT(large.Coil.fHeight(), large.Coil.MaxHeight + kHeightStep);

    // Starting from a height far beyond the range with a given air volume.
    TFirstRunCoil given;
    given.Coil.SizeHeight(1e6, 50);
    EXPECT_LT(given.Coil.fHeight(), given.Coil.MaxHeight + kHeightStep);
}

TEST(CoilSizing, RowsAndFinsPickTheClosestCandidate)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.SizeRowsAndFins(0, 35), ssSolved);
    const double rows = r.Coil.Rows();
    const double fins = r.Coil.fpi();
    const double error = std::abs(r.Coil.Qt - 35);
    // Every other candidate, rated at the same flow, misses the duty at least as far.
    for (double candidateRows : {3.0, 4.0, 5.0, 6.0})
        for (double candidateFins : {8.0, 10.0, 12.0, 14.0}) {
            r.Coil.SetRows(candidateRows);
            r.Coil.SetFinDensity(candidateFins);
            r.Coil.SetFaceVelocity(r.Coil.DesignVf);
            r.Coil.Solve();
            EXPECT_GE(std::abs(r.Coil.Qt - 35), error - 1e-4) << candidateRows << "r " << candidateFins << "f";
        }
    EXPECT_TRUE(rows >= 3 && rows <= 6);
    EXPECT_TRUE(fins >= 8 && fins <= 14);
}

TEST(CoilSizing, EqualCandidatesKeepTheEarlierOne)
{
    // A fixed effectiveness makes every candidate give the same duty: the first tried stays.
    const struct {
        const char* name;
        int (TCoil::*size)(double, double);
        double rows, fins;
    } cases[] = {
        {"rows and fins", &TCoil::SizeRowsAndFins, 4, 10},
        {"rows", &TCoil::SizeRows, 4, 12},
        {"fins", &TCoil::SizeFins, 4, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFirstRunCoil r;
        r.Coil.EffectivenessFn = [](double, double) { return 0.5; };
        EXPECT_EQ((r.Coil.*c.size)(0, 30), ssSolved);
        EXPECT_EQ(r.Coil.Rows(), c.rows);
        EXPECT_EQ(r.Coil.fpi(), c.fins);
    }
}

TEST(CoilSizing, UnusableSettingsFail)
{
    const struct {
        const char* name;
        double TCoil::*setting;
        double value;
    } cases[] = {
        {"no design velocity", &TCoil::DesignVf, 0},
        {"negative aspect", &TCoil::DesignAspect, -1},
        {"largest height not a number", &TCoil::MaxHeight, std::numeric_limits<double>::quiet_NaN()},
        {"endless height range", &TCoil::MaxHeight, std::numeric_limits<double>::infinity()},
        {"smallest length above the largest", &TCoil::MinLength, 20},
        {"no duty per volume", &TCoil::DutyPerVolume, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFirstRunCoil r;
        r.Coil.*c.setting = c.value;
        int status = ssSolved;
        EXPECT_NO_THROW(status = r.Coil.SizeFaceArea(0, 30));
        EXPECT_EQ(status, ssDataError);
        EXPECT_NO_THROW(status = r.Coil.SizeHeight(0, 30));
        EXPECT_EQ(status, ssDataError);
        EXPECT_TRUE(std::isfinite(r.Coil.Qt));
    }
}

TEST(CoilSizing, UnreachableDutyIsNotReportedAsSized)
{
    // Fluid colder than the air takes heat from it: no face gives 30 kW of heating.
    TFirstRunCoil r;
    r.Coil.LiquidState.SetInletTemp(10);
    const int status = r.Coil.SizeFaceArea(0, 30);
    EXPECT_TRUE(status == ssDataError || status == ssCountOut) << status;
    EXPECT_TRUE(std::isfinite(r.Coil.Qt));
}

}  // namespace
}  // namespace vantor
