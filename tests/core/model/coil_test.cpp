#include "model/coil.h"

#include "first_run_coil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantor {
namespace {

using test::TFirstRunCoil;

TEST(Coil, DesignationsAtCreationAndAfter)
{
    TFirstRunCoil r;
    for (double factor : {r.Coil.DutyFactor, r.Coil.hoFactor, r.Coil.hiFactor, r.Coil.FluidDPFactor, r.Coil.AirDPFactor})
        EXPECT_EQ(factor, 1);
    EXPECT_TRUE(r.Coil.UseFouling);

    // Four numbers only: the coil is built as "544 x 720 4r 12f  (14c)".
    THotWaterCoil fallback({r.AirOn, r.AirOff, r.Water}, "544 720 4 12");
    EXPECT_TRUE(fallback.ModelValid);
    EXPECT_EQ(fallback.Circ(), 14);
    EXPECT_DOUBLE_EQ(fallback.FaceArea(), 0.544 * 0.72);

    // A rejected text leaves the geometry, and the coil refuses to rate until one is taken.
    r.Coil.SetModelText("544 720 4r 12f 99999c");
    EXPECT_FALSE(r.Coil.ModelValid);
    EXPECT_EQ(r.Coil.Circ(), 7);
    EXPECT_EQ(r.Coil.Solve(), TSolveStatus::DataError);
    r.Coil.SetModelText("600 900 3r 10f 8c");
    EXPECT_TRUE(r.Coil.ModelValid);
    EXPECT_DOUBLE_EQ(r.Coil.FaceArea(), 0.6 * 0.9);
    EXPECT_EQ(r.Coil.Solve(), TSolveStatus::Solved);
}

TEST(Coil, AirFlowFormsStayConsistent)
{
    // The default face 0.5334 × 0.74 = 0.394716 m², air of 1.2 kg/m³.
    TFirstRunCoil r;
    r.Coil.SetModelText("533.4 740 4r 10f 7c");
    r.AirOn.ro = 1.2;
    r.Coil.SetFaceVelocity(2.5);
    EXPECT_NEAR(r.Coil.AirVolume(), 0.98679, 1e-12);
    EXPECT_NEAR(r.Coil.AirMassFlow(), 1.184148, 1e-12);
    EXPECT_NEAR(r.Coil.AirCapacity(), 1.184148 * r.AirOn.cp, 1e-12);
    EXPECT_EQ(r.AirOff.M, r.Coil.AirMassFlow());
    r.Coil.SetAirVolume(0.5);
    EXPECT_NEAR(r.Coil.AirMassFlow(), 0.6, 1e-12);
    EXPECT_NEAR(r.Coil.FaceVelocity(), 0.5 / 0.394716, 1e-12);

    // A new barometer or on-coil air keeps the face velocity; the mass flow follows density.
    r.Coil.SetFaceVelocity(2.5);
    r.Coil.SetBarometer(90);
    EXPECT_EQ(r.Coil.Barometer(), 90);
    EXPECT_NEAR(r.Coil.FaceVelocity(), 2.5, 1e-12);
    EXPECT_NEAR(r.Coil.AirMassFlow(), 2.5 * 0.394716 * r.AirOn.ro, 1e-12);
    EXPECT_LT(r.AirOn.ro, 1.2);
    r.Coil.SetAirOnText("5/2");
    EXPECT_NEAR(r.Coil.FaceVelocity(), 2.5, 1e-12);
    EXPECT_NEAR(r.Coil.AirMassFlow(), 2.5 * 0.394716 * r.AirOn.ro, 1e-12);
}

TEST(Coil, AirPressureDrop)
{
    TFirstRunCoil r;  // 12 fins per inch
    r.Coil.AirDPFactor = 2;
    for (const auto& [rows, drop] : {std::pair{4.0, 20.0}, {2.5, 15.0}}) {
        r.Coil.SetRows(rows);
        r.Coil.SetFaceVelocity(0);
        EXPECT_EQ(r.Coil.AirPressureDrop(), drop) << rows;  // 5 Pa a row, no factor
    }

    TFirstRunCoil wet;
    ASSERT_EQ(wet.Coil.Solve(), TSolveStatus::Solved);
    const double dry = wet.Coil.AirPressureDrop();
    // Fluid 2 K below the dew point: (1.2 − e^((6.29 − 3.6)/25.2))·(0.10746·12 − 0.03282) + 0.915677.
    wet.Water.tfi = wet.AirOn.td - 2;
    EXPECT_NEAR(wet.Coil.AirPressureDrop() / dry, 1.0254476835, 1e-9);
    wet.Water.tfi = wet.AirOn.td - 1.59;  // within the margin the fins stay dry
    EXPECT_DOUBLE_EQ(wet.Coil.AirPressureDrop(), dry);
    wet.Water.tfi = 45;
    wet.Coil.AirDPFactor = 1.5;
    EXPECT_NEAR(wet.Coil.AirPressureDrop(), 1.5 * dry, 1e-12);
}

TEST(Coil, TubeChangesMoveTheLiquidFlowArea)
{
    TFirstRunCoil r;
    const double flow = r.Water.m;
    const double velocity = r.Coil.LiquidState.vw;
    r.Coil.SetCircuits(14);
    EXPECT_EQ(r.Coil.LiquidState.FlowArea, r.Coil.TubeSide().FlowArea);
    EXPECT_EQ(r.Water.m, flow);
    EXPECT_NEAR(r.Coil.LiquidState.vw, velocity / 2, 1e-12);

    // Another bore and circuit count through the record: the tube side follows too.
    TModelRec rec = r.Coil.Geometry().ModelRecord();
    rec.ID = 0.015;
    rec.OD = 0.016;
    rec.Circ = 10;
    r.Coil.SetModelRecord(rec);
    EXPECT_NEAR(r.Coil.LiquidState.FlowArea, 10 * std::acos(-1.0) * 0.015 * 0.015 / 4, 1e-15);
    EXPECT_NEAR(r.Coil.WallThickness, 0.0005, 1e-15);

    r.Coil.SetTubeMaterial(7);  // brass
    EXPECT_EQ(r.Coil.WallConductivity, 0.111);
}

}  // namespace
}  // namespace vantor
