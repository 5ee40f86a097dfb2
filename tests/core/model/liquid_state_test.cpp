#include "model/liquid_state.h"

#include "fluids/liquid.h"
#include "fluids/transport_props.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

// A fluid of fixed properties, so that the expected values are exact.
TLiquid FixedLiquid(double density, double specificHeat)
{
    TLiquid liquid("Water", 1, 80, 70, fcWater);
    liquid.UserProps = true;
    liquid.UserRo = density;
    liquid.UserCp = specificHeat;
    liquid.Update();
    return liquid;
}

void ExpectInvariant(const TLiquidState& state)
{
    const TLiquid& liquid = state.Liquid();
    EXPECT_NEAR(state.vw, liquid.m / liquid.ro / state.FlowArea, 1e-12);
    EXPECT_NEAR(state.cw, liquid.m * liquid.Cp, 1e-12);
}

TEST(LiquidState, SettersKeepVelocityAndCapacityRate)
{
    TLiquid water("Water", 1, 80, 70, fcWater);
    TLiquidState state(water);
    EXPECT_EQ(state.FlowArea, 1.0);
    EXPECT_EQ(state.designdt, 6.0);
    EXPECT_EQ(state.ctrl, ctrlFlow);
    EXPECT_EQ(state.vwideal, 1.0);
    ExpectInvariant(state);

    state.SetFlowArea(0.000862);
    EXPECT_EQ(water.m, 1);  // the flow stays, the velocity follows
    ExpectInvariant(state);
    state.SetMassFlow(0.5);
    EXPECT_EQ(state.MassFlow(), 0.5);
    ExpectInvariant(state);
    state.SetInletTemp(60);
    EXPECT_EQ(state.InletTemp(), 60);
    EXPECT_EQ(water.t, 65);
    ExpectInvariant(state);
    state.SetLeavingTemp(40);
    EXPECT_EQ(state.LeavingTemp(), 40);
    ExpectInvariant(state);
    EXPECT_NEAR(state.VolumeFlow(), 1000 * 0.5 / water.ro, 1e-12);
}

TEST(LiquidState, VelocityGivesTheFlow)
{
    TLiquid water = FixedLiquid(971.8, 4.2);
    TLiquidState state(water);
    state.SetFlowArea(0.000862);
    state.SetVelocity(1);
    EXPECT_NEAR(water.m, 0.8377, 1e-4);
    EXPECT_NEAR(state.vw, 1, 1e-12);
}

TEST(LiquidState, FlowControlMovesTheLeavingTemperature)
{
    // 42 kW from 1 kg/s of Cp 4.2: 10 K.
    TLiquid water = FixedLiquid(972, 4.2);
    TLiquidState state(water);
    state.ApplyDuty(42);
    EXPECT_DOUBLE_EQ(water.tfo, 70);
    EXPECT_DOUBLE_EQ(state.designdt, 10);
    EXPECT_EQ(water.m, 1);
    ExpectInvariant(state);
}

TEST(LiquidState, TemperatureControlMovesTheFlow)
{
    // Clean water: tfo = 80 − 10, then m = 42 / (Cp(75 °C) · 10), Cp(75 °C) = 4.19452383.
    TLiquid water("Water", 1, 80, 60, fcWater);
    TLiquidState state(water);
    state.ctrl = ctrlTemperature;
    state.designdt = 10;
    state.ApplyDuty(42);
    EXPECT_DOUBLE_EQ(water.tfo, 70);
    EXPECT_NEAR(water.m, 42 / (4.19452383 * 10), 1e-8);
    ExpectInvariant(state);
}

TEST(LiquidState, UnknownControlChangesNothing)
{
    TLiquid water = FixedLiquid(972, 4.2);
    TLiquidState state(water);
    state.ctrl = 7;
    state.ApplyDuty(42);
    EXPECT_EQ(water.tfo, 70);
    EXPECT_EQ(water.m, 1);
    EXPECT_EQ(state.designdt, 6);
}

}  // namespace
}  // namespace vantor
