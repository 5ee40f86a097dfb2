#include "heating_fluid/fluid_choice.h"

#include "fluids/liquid.h"
#include "fluids/transport_props.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TLiquid Water() { return TLiquid("Water", 0.8, 45, 35, fcWater); }

TEST(FluidChoice, TheDialogsRulesHoldWithoutTheDialog)
{
    TLiquid liquid = Water();
    // An additive chosen with no volume starts at 30 %.
    EXPECT_TRUE(ApplyFluidChoice(liquid, {.Additive = waEthyleneGlycol}).Notes.empty());
    EXPECT_EQ(liquid.GetCaption(), "Water (30% Ethylene Glycol)");

    // Another fluid clears the additive, and says so when one was asked for.
    EXPECT_EQ(ApplyFluidChoice(liquid, {.FluidCode = fcEngineOil}).Notes.size(), 0u);
    EXPECT_EQ(liquid.WaterAdditive, waNone);
    EXPECT_EQ(liquid.AdditiveVolume, 0);
    EXPECT_EQ(liquid.GetCaption(), "Engine Oil");
    EXPECT_EQ(ApplyFluidChoice(liquid, {.Additive = waPropyleneGlycol}).Notes.size(), 1u);
    EXPECT_EQ(liquid.WaterAdditive, waNone);

    // Water without an additive has no volume; the user's properties take no additive.
    liquid = Water();
    EXPECT_EQ(ApplyFluidChoice(liquid, {.Volume = 0.2}).Notes.size(), 1u);
    EXPECT_EQ(liquid.AdditiveVolume, 0);
    ApplyFluidChoice(liquid, {.Additive = waCalciumChloride, .Volume = 0.2});
    EXPECT_DOUBLE_EQ(liquid.AdditiveVolume, 0.2);
    ApplyFluidChoice(liquid, {.User = TUserProperties{900, 3.5, 0.002, 0.0004}});
    EXPECT_EQ(liquid.WaterAdditive, waNone);
    EXPECT_EQ(liquid.GetCaption(), "User Specified Fluid");
    EXPECT_DOUBLE_EQ(liquid.ro, 900);
    EXPECT_DOUBLE_EQ(liquid.Ko, 0.0004);

    EXPECT_EQ(ApplyFluidChoice(liquid, {.FluidCode = 14}).Notes.size(), 1u) << "a code outside the list is left out";
    EXPECT_EQ(liquid.LiquidSpec, fcWater);
}

}  // namespace
}  // namespace vantor
