#include "model/coil.h"

#include "first_run_coil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantor {
namespace {

using test::TFirstRunCoil;

TEST(Coil, NewHotWaterCoilDefaults)
{
    TFirstRunCoil r;
    const THotWaterCoil& c = r.Coil;
    EXPECT_EQ(c.Title, "Hot Water Coil");
    for (double factor : {c.DutyFactor, c.hoFactor, c.hiFactor, c.FluidDPFactor, c.AirDPFactor}) EXPECT_EQ(factor, 1);
    EXPECT_TRUE(c.UseFouling);
    EXPECT_TRUE(c.ModelValid);
    EXPECT_EQ(c.Status, ssSolved);
    EXPECT_EQ(c.FluidDPLimit, 70);
    EXPECT_EQ(c.AirDPLimit, 250);
    EXPECT_EQ(c.DutyPerVolume, 27.5);
    EXPECT_EQ(c.DesignVf, 2.7);
    EXPECT_EQ(c.DefaultAirOn, "5.0/2.0");
    EXPECT_EQ(c.DefaultFluidIn, 45);
    EXPECT_EQ(c.EffectivenessFn, &CounterflowEffectiveness);
    EXPECT_EQ(c.AirSideFn(), &FinTubeAirSide);
    EXPECT_TRUE(c.Profile.empty());
    // Copper tubes of the 1/2 inch range.
    EXPECT_EQ(c.WallConductivity, 0.384);
    EXPECT_NEAR(c.WallThickness, (0.013335 - 0.0125222) / 2, 1e-15);
}

TEST(Coil, RejectedDesignationAtCreationFallsBack)
{
    TFirstRunCoil r;
    THotWaterCoil coil({r.AirOn, r.AirOff, r.Water}, "544 720 4 12");
    EXPECT_TRUE(coil.ModelValid);
    EXPECT_TRUE(coil.GeometryAccepted());
    EXPECT_DOUBLE_EQ(coil.fHeight(), 0.544);
    EXPECT_DOUBLE_EQ(coil.fLength(), 0.72);
    EXPECT_EQ(coil.Rows(), 4);
    EXPECT_EQ(coil.fpi(), 12);
    EXPECT_EQ(coil.Circ(), 14);
}

TEST(Coil, ModelTextFollowsTheGeometry)
{
    TFirstRunCoil r;
    const double face = r.Coil.FaceArea();
    r.Coil.SetModelText("544 720 4r 12f 99999c");
    EXPECT_FALSE(r.Coil.ModelValid);
    EXPECT_FALSE(r.Coil.GeometryAccepted());
    EXPECT_EQ(r.Coil.ModelText(), "544 720 4r 12f 99999c");
    EXPECT_EQ(r.Coil.FaceArea(), face);
    EXPECT_EQ(r.Coil.Circ(), 7);

    r.Coil.SetModelText("600 900 3r 10f 8c");
    EXPECT_TRUE(r.Coil.ModelValid);
    EXPECT_TRUE(r.Coil.GeometryAccepted());
    EXPECT_DOUBLE_EQ(r.Coil.FaceArea(), 0.6 * 0.9);
    EXPECT_EQ(r.Coil.GetModelText(), r.Coil.Geometry().Designation());
    EXPECT_EQ(r.Coil.ModelText(), r.Coil.Geometry().Designation());
}

TEST(Coil, AirFlowFormsStayConsistent)
{
    // The default face, 0.5334 × 0.74 = 0.394716 m², with air of 1.2 kg/m³.
    TFirstRunCoil r;
    r.Coil.SetModelText("533.4 740 4r 10f 7c");
    ASSERT_NEAR(r.Coil.FaceArea(), 0.394716, 1e-12);
    r.AirOn.ro = 1.2;
    r.AirOn.cp = 1.01;

    r.Coil.SetFaceVelocity(2.5);
    EXPECT_NEAR(r.Coil.AirVolume(), 0.98679, 1e-12);
    EXPECT_NEAR(r.Coil.AirMassFlow(), 1.184148, 1e-12);
    EXPECT_NEAR(r.Coil.AirCapacity(), 1.184148 * 1.01, 1e-12);
    EXPECT_EQ(r.AirOn.M, r.Coil.AirMassFlow());
    EXPECT_EQ(r.AirOff.M, r.Coil.AirMassFlow());

    r.Coil.SetAirVolume(0.5);
    EXPECT_NEAR(r.Coil.AirMassFlow(), 0.6, 1e-12);
    EXPECT_NEAR(r.Coil.FaceVelocity(), 0.5 / 0.394716, 1e-12);
    r.Coil.SetMassFlow(1.184148);
    EXPECT_NEAR(r.Coil.FaceVelocity(), 2.5, 1e-12);
}

TEST(Coil, AirStateChangesKeepTheFaceVelocity)
{
    TFirstRunCoil r;
    const double massFlow = r.Coil.AirMassFlow();
    const double density = r.AirOn.ro;

    r.Coil.SetBarometer(90);
    EXPECT_EQ(r.AirOn.P, 90);
    EXPECT_EQ(r.AirOff.P, 90);
    EXPECT_EQ(r.Coil.Barometer(), 90);
    EXPECT_NEAR(r.Coil.FaceVelocity(), 2.5, 1e-12);
    EXPECT_NEAR(r.Coil.AirMassFlow() / massFlow, r.AirOn.ro / density, 1e-12);
    EXPECT_LT(r.Coil.AirMassFlow(), massFlow);
    EXPECT_EQ(r.AirOn.M, r.Coil.AirMassFlow());

    r.Coil.SetAirOnText("5/2");
    EXPECT_NEAR(r.AirOn.db, 5, 1e-12);
    EXPECT_NEAR(r.AirOn.wb, 2, 1e-12);
    EXPECT_NEAR(r.Coil.FaceVelocity(), 2.5, 1e-12);
    EXPECT_NEAR(r.Coil.AirMassFlow(), 2.5 * r.Coil.FaceArea() * r.AirOn.ro, 1e-12);

    // Dry and wet bulb setters leave the flow alone.
    const double before = r.Coil.AirMassFlow();
    const double W = r.AirOn.W;
    r.Coil.SetAirOnDryBulb(10);
    EXPECT_NEAR(r.AirOn.db, 10, 1e-9);
    EXPECT_NEAR(r.AirOn.W, W, 1e-12);
    const double rh = r.AirOn.RH;
    r.Coil.SetAirOnWetBulb(6);
    EXPECT_NEAR(r.AirOn.wb, 6, 1e-6);
    EXPECT_NEAR(r.AirOn.RH, rh, 1e-6);
    EXPECT_EQ(r.Coil.AirMassFlow(), before);
}

TEST(Coil, OffCoilText)
{
    TFirstRunCoil r;
    r.Coil.Solve();
    EXPECT_EQ(r.Coil.AirOffText(), "40.5/21.9");
}

TEST(Coil, StillAirDropIsFivePascalPerRow)
{
    TFirstRunCoil r;
    r.Coil.AirDPFactor = 2;  // not applied without air flow
    for (const auto& [rows, drop] : {std::pair{4.0, 20.0}, {2.5, 15.0}, {1.0, 5.0}}) {
        r.Coil.SetRows(rows);
        r.Coil.SetFaceVelocity(0);
        EXPECT_EQ(r.Coil.AirPressureDrop(), drop) << rows;
    }
}

TEST(Coil, WetSurfaceRaisesTheAirPressureDrop)
{
    TFirstRunCoil r;  // 12 fins per inch
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    const double dry = r.Coil.AirPressureDrop();

    // Fluid 2 K below the dew point: (1.2 − e^((6.29 − 3.6)/25.2))·(0.10746·12 − 0.03282) + 0.915677.
    r.Water.tfi = r.AirOn.td - 2;
    EXPECT_NEAR(r.Coil.AirPressureDrop() / dry, 1.0254476835, 1e-9);
    // Just under the margin of 1.6 K the surface counts as dry.
    r.Water.tfi = r.AirOn.td - 1.59;
    EXPECT_DOUBLE_EQ(r.Coil.AirPressureDrop(), dry);
    // The allowance never reduces the drop.
    r.Water.tfi = r.AirOn.td - 60;
    EXPECT_GE(r.Coil.AirPressureDrop(), dry);

    r.Water.tfi = 45;
    r.Coil.AirDPFactor = 1.5;
    EXPECT_NEAR(r.Coil.AirPressureDrop(), 1.5 * dry, 1e-12);
}

TEST(Coil, GeometrySettersRefreshTheCopies)
{
    TFirstRunCoil r;
    const double outside = r.Coil.Ao;
    const double inside = r.Coil.Ai;
    r.Coil.SetRows(6);
    EXPECT_NEAR(r.Coil.Ao / outside, 1.5, 1e-3);  // the fin edges do not grow with the rows
    EXPECT_NEAR(r.Coil.Ai / inside, 1.5, 1e-9);
    EXPECT_EQ(r.Coil.AirSide().Rows, 6);
    EXPECT_EQ(r.Coil.Ao, r.Coil.Geometry().OutsideArea());
    EXPECT_EQ(r.Coil.Vi, r.Coil.Geometry().InternalVolume());
    EXPECT_EQ(r.Coil.SurfaceEff(), r.Coil.Geometry().SurfaceEfficiency());

    r.Coil.SetFinDensity(8);
    EXPECT_EQ(r.Coil.fpi(), 8);
    EXPECT_EQ(r.Coil.Af, r.Coil.Geometry().FinArea());

    r.Coil.SetTubeMaterial(7);  // brass
    EXPECT_EQ(r.Coil.WallConductivity, 0.111);
    EXPECT_EQ(r.Coil.Geometry().ModelRecord().Mt, 7);
}

TEST(Coil, TubeChangesMoveTheLiquidFlowArea)
{
    TFirstRunCoil r;
    const double bore = r.Coil.TubeSide().BoreArea;
    const double flow = r.Water.m;
    const double velocity = r.Coil.LiquidState.vw;

    r.Coil.SetCircuits(14);
    EXPECT_NEAR(r.Coil.LiquidState.FlowArea, 14 * bore, 1e-15);
    EXPECT_EQ(r.Coil.TubeSide().FlowArea, r.Coil.LiquidState.FlowArea);
    EXPECT_EQ(r.Water.m, flow);
    EXPECT_NEAR(r.Coil.LiquidState.vw, velocity / 2, 1e-12);

    // A record with another bore and circuit count: the tube side follows it too.
    TModelRec rec = r.Coil.Geometry().ModelRecord();
    rec.ID = 0.015;
    rec.OD = 0.016;
    rec.Circ = 10;
    r.Coil.SetModelRecord(rec);
    EXPECT_NEAR(r.Coil.LiquidState.FlowArea, 10 * std::acos(-1.0) * 0.015 * 0.015 / 4, 1e-15);
    EXPECT_NEAR(r.Coil.WallThickness, 0.0005, 1e-15);
    EXPECT_EQ(r.Water.m, flow);
}

TEST(Coil, HeatingCondensesNothing)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    EXPECT_NEAR(r.Coil.CondensateRate(), 0, 1e-15);
}

}  // namespace
}  // namespace vantor
