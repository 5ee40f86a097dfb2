#include "calibration/coil_calibrator.h"

#include "core/document/document_test_support.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using CoilCalibrator = test::TDocumentFixture;

TEST_F(CoilCalibrator, StepsSolveTheCoilAndLeaveTheDocumentAlone)
{
    TRatingDocument& doc = Open();
    ASSERT_TRUE(doc.Solve());
    const double baseDuty = doc.HotWaterCoil().Qt;
    const double baseAirDrop = doc.HotWaterCoil().AirPressureDrop();
    const double baseFluidDrop = doc.HotWaterCoil().FluidPressureDrop();

    TCoilCalibrator calibrator;
    calibrator.Activate(doc.HotWaterCoil());
    EXPECT_EQ(calibrator.FactorText(cfDuty), "1.0000");
    EXPECT_EQ(calibrator.StatusText(), "544 x 720  4r  12f  7c");
    EXPECT_EQ(calibrator.Results().Texts()[2], "1") << "a heating coil's duty is all sensible";

    for (int press = 0; press < 3; ++press) calibrator.StepUp(cfDuty);
    EXPECT_EQ(calibrator.FactorText(cfDuty), "1.0003");
    EXPECT_DOUBLE_EQ(doc.HotWaterCoil().DutyFactor, 1.0003);
    const TCalibrationResults raised = calibrator.Results();
    EXPECT_GT(raised.TotalDuty, baseDuty);
    EXPECT_LT(raised.TotalDuty, baseDuty * 1.0004);
    EXPECT_DOUBLE_EQ(raised.TotalDuty, doc.HotWaterCoil().Qt) << "the result fields show the coil solved";

    // The pressure drop factors step by 1.001 and scale their drops.
    calibrator.StepUp(cfAirDP);
    calibrator.StepDown(cfFluidDP);
    EXPECT_EQ(calibrator.FactorText(cfAirDP), "1.0010");
    EXPECT_EQ(calibrator.FactorText(cfFluidDP), "0.9990");
    EXPECT_NEAR(calibrator.Results().AirPressureDrop, baseAirDrop * 1.001, 1e-3 * baseAirDrop);
    EXPECT_NEAR(calibrator.Results().FluidPressureDrop, baseFluidDrop * 0.999, 1e-3 * baseFluidDrop);

    // A film factor below 1 lowers the duty through the heat transfer.
    ASSERT_TRUE(calibrator.SetFactorText(cfHo, "0.9"));
    calibrator.Recalculate();
    EXPECT_LT(calibrator.Results().TotalDuty, raised.TotalDuty);
    EXPECT_FALSE(calibrator.SetFactorText(cfHi, "abc"));
    EXPECT_FALSE(calibrator.SetFactorText(cfHi, "0"));
    EXPECT_FALSE(calibrator.SetFactorText(cfHi, "-1.5"));
    EXPECT_EQ(calibrator.FactorText(cfHi), "1.0000") << "a refused text keeps the factor";

    // Nothing reached the document: its flags, rows and stored factors are as they were.
    EXPECT_EQ(Recorder.Panels[spSolve], "Solved...");
    EXPECT_EQ(Recorder.Panels[spEdit], "Ready...");
    EXPECT_EQ(doc.Factors(), TCalibrationFactors{});
    EXPECT_EQ(doc.Rows().Cell(0, rowDesignDuty), "Design Duty  ");
}

TEST_F(CoilCalibrator, AcceptKeepsTheFactorsAndCancelDoesNot)
{
    TRatingDocument& doc = Open();
    TCoilCalibrator calibrator;
    calibrator.Activate(doc.HotWaterCoil());
    calibrator.StepUp(cfDuty);
    AcceptCalibration(doc);
    EXPECT_DOUBLE_EQ(doc.Factors().Duty, 1.0001);
    EXPECT_EQ(doc.Rows().Cell(0, rowDesignDuty), "Design Duty §");
    EXPECT_EQ(Recorder.Panels[spEdit], "Modified");

    // "Reset" then "Accept": every factor 1 and the plain label.
    calibrator.Activate(doc.HotWaterCoil());
    EXPECT_EQ(calibrator.FactorText(cfDuty), "1.0001") << "the calibrator opens on the coil's factors";
    calibrator.Reset();
    AcceptCalibration(doc);
    EXPECT_EQ(doc.Factors(), TCalibrationFactors{});
    EXPECT_EQ(doc.Rows().Cell(0, rowDesignDuty), "Design Duty  ");

    // "Cancel": the stored factors are what the settings save; the coil computes with the
    // changed one until the next start.
    calibrator.Activate(doc.HotWaterCoil());
    calibrator.StepDown(cfHi);
    EXPECT_EQ(doc.Factors(), TCalibrationFactors{});
    EXPECT_DOUBLE_EQ(doc.HotWaterCoil().hiFactor, 0.9999);
    TRatingDocument& next = Restart();
    EXPECT_DOUBLE_EQ(next.HotWaterCoil().hiFactor, 1.0);
}

TEST_F(CoilCalibrator, NoDutyGivesARatioOfZeroOrTheLargestNumber)
{
    TRatingDocument& doc = Open();
    TCoilCalibrator calibrator;
    // No fluid flow: no heat is given, total and sensible duty 0.
    doc.HotWaterCoil().LiquidState.SetMassFlow(0);
    calibrator.Activate(doc.HotWaterCoil());
    EXPECT_EQ(calibrator.Results().TotalDuty, 0);
    EXPECT_EQ(calibrator.Results().Texts()[2], "0");

    TCalibrationResults results;
    results.SensibleDuty = 2;
    results.SensibleHeatRatio = 1.7e308;
    EXPECT_EQ(results.Texts()[2], "1.7E308");
}

}  // namespace
}  // namespace vantor
