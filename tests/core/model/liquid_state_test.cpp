#include "model/liquid_state.h"

#include "fluids/liquid.h"
#include "fluids/transport_props.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

// Water at 80 °C in, 70 °C out, 1 kg/s, with fixed properties so that results are exact.
TLiquid FixedWater(double density, double specificHeat)
{
    TLiquid liquid("Water", 1, 80, 70, fcWater);
    liquid.UserProps = true;
    liquid.UserRo = density;
    liquid.UserCp = specificHeat;
    liquid.Update();
    return liquid;
}

TEST(LiquidState, VelocityAndFlowArea)
{
    TLiquid water = FixedWater(971.8, 4.2);
    TLiquidState state(water);
    state.SetFlowArea(0.000862);
    EXPECT_EQ(water.m, 1);  // the flow stays, the velocity follows
    EXPECT_NEAR(state.vw, 1 / 971.8 / 0.000862, 1e-12);
    state.SetVelocity(1);
    EXPECT_NEAR(water.m, 0.8377, 1e-4);
    EXPECT_NEAR(state.cw, water.m * 4.2, 1e-12);
}

TEST(LiquidState, ApplyDutyByControl)
{
    // Flow: 42 kW from 1 kg/s of Cp 4.2 is 10 K.
    TLiquid fixed = FixedWater(972, 4.2);
    TLiquidState flow(fixed);
    flow.ApplyDuty(42);
    EXPECT_DOUBLE_EQ(fixed.tfo, 70);
    EXPECT_DOUBLE_EQ(flow.designdt, 10);
    EXPECT_EQ(fixed.m, 1);

    // Temperature: 80 − 10 = 70 °C, then m = 42 / (Cp(75 °C)·10) with clean water's
    // Cp(75 °C) = 4.19452383.
    TLiquid water("Water", 1, 80, 60, fcWater);
    TLiquidState temperature(water);
    temperature.ctrl = TFluidControl::Temperature;
    temperature.designdt = 10;
    temperature.ApplyDuty(42);
    EXPECT_DOUBLE_EQ(water.tfo, 70);
    EXPECT_NEAR(water.m, 42 / (4.19452383 * 10), 1e-8);
    EXPECT_NEAR(temperature.vw, water.m / water.ro / temperature.FlowArea, 1e-12);
    EXPECT_NEAR(temperature.cw, water.m * water.Cp, 1e-12);

    // Any other control changes nothing.
    temperature.ctrl = static_cast<TFluidControl>(7);
    temperature.ApplyDuty(100);
    EXPECT_DOUBLE_EQ(water.tfo, 70);
}

}  // namespace
}  // namespace vantor
