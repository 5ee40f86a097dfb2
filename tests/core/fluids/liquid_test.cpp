#include "fluids/liquid.h"

#include "fluids/transport_props.h"
#include "support/comma_locale.h"

#include "support/allocation_counter.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>


namespace vantor {
namespace {

TLiquid Water(double inlet = 45.0, double outlet = 35.0) { return TLiquid("Water", 1.2, inlet, outlet, fcWater); }

void ExpectPropertiesOf(const TLiquid& liquid, int code, double t)
{
    TTransportProps props;
    props.Load(code, t, liquid.Pf);
    EXPECT_EQ(liquid.ro, props.ro);
    EXPECT_EQ(liquid.Cp, props.cp);
    EXPECT_EQ(liquid.mu, props.mu);
    EXPECT_EQ(liquid.Ko, props.k);
    EXPECT_DOUBLE_EQ(liquid.Pr, props.cp * props.mu / props.k);
}

TEST(Liquid, ConstructionComputesTheMeanAndCopiesUserProperties)
{
    const TLiquid water = Water();
    EXPECT_EQ(water.Caption, "Water");
    EXPECT_EQ(water.m, 1.2);
    EXPECT_EQ(water.t, 40.0);
    EXPECT_EQ(water.Pf, 5.0);
    EXPECT_EQ(water.OutOfRange, 0);
    ExpectPropertiesOf(water, fcWater, 40.0);
    EXPECT_EQ(water.UserRo, water.ro);
    EXPECT_EQ(water.UserCp, water.Cp);
    EXPECT_EQ(water.UserMu, water.mu);
    EXPECT_EQ(water.UserKo, water.Ko);
    EXPECT_EQ(water.Tmin, 0.0);
    EXPECT_EQ(water.Tmax, 300.0);
}

TEST(Liquid, TemperatureSettersKeepTheOtherEnd)
{
    TLiquid liquid = Water(80.0, 60.0);
    liquid.SetT(60.0);
    EXPECT_EQ(liquid.tfi, 80.0);
    EXPECT_EQ(liquid.tfo, 40.0);
    EXPECT_EQ(liquid.GetT(), 60.0);
    ExpectPropertiesOf(liquid, fcWater, 60.0);

    liquid.SetTfo(70.0);
    EXPECT_EQ(liquid.t, 75.0);
    ExpectPropertiesOf(liquid, fcWater, 75.0);
    liquid.SetTfi(90.0);
    EXPECT_EQ(liquid.t, 80.0);
    EXPECT_NEAR(liquid.ro, 971.624, 0.0005);
}

TEST(Liquid, CaptionsFollowFluidAndAdditive)
{
    test::TCommaLocale comma;
    ASSERT_TRUE(test::TCommaLocale::IsActive());
    struct TCase {
        int code, additive;
        double volume;
        bool user;
        const char* caption;
        const char* shortCaption;
    };
    const TCase cases[] = {
        {fcWater, waNone, 0.0, false, "Clean Water", "Clean Water"},
        {fcWater, waNone, 0.3, false, "Clean Water", "Clean Water"},
        {fcWater, waEthyleneGlycol, 0.0, false, "Water (0% Ethylene Glycol)", "0% Eth-Glycol"},
        {fcWater, waEthyleneGlycol, 0.25, false, "Water (25% Ethylene Glycol)", "25% Eth-Glycol"},
        {fcWater, waPropyleneGlycol, 0.4, false, "Water (40% Propylene Glycol)", "40% Prop-Glycol"},
        {fcWater, waCalciumChloride, 0.2, false, "Water (20% Calcium Chloride)", "20% Calc-Chloride"},
        {fcGlycerin, waNone, 0.0, false, "Glycerin", "Glycerin"},
        {fcR12, waNone, 0.0, false, "liquid Freon R12", "Liq R12"},
        {fcCompressedAir, waNone, 0.0, false, "Compressed Air (5.0-bar)", "Comp Air"},
        {fcMercury, waNone, 0.0, true, "User Specified Fluid", "User Spec. Fluid"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.caption);
        TLiquid liquid("Water", 1.0, 45.0, 35.0, static_cast<std::uint8_t>(c.code));
        liquid.WaterAdditive = static_cast<std::uint8_t>(c.additive);
        liquid.AdditiveVolume = c.volume;
        liquid.UserProps = c.user;
        liquid.Update();
        EXPECT_EQ(liquid.GetCaption(), c.caption);
        EXPECT_EQ(liquid.GetShortCaption(), c.shortCaption);
        EXPECT_EQ(liquid.GetTitle(), std::string(c.caption) + " 40.0");
    }
}

TEST(Liquid, AdditiveWithoutVolumeUsesCleanWater)
{
    TLiquid liquid = Water();
    liquid.WaterAdditive = waEthyleneGlycol;
    liquid.Update();
    ExpectPropertiesOf(liquid, fcWater, 40.0);

    liquid.AdditiveVolume = 0.3;
    liquid.SetT(20.0);
    EXPECT_NEAR(liquid.ro, 1045.22, 0.005);
    EXPECT_NEAR(liquid.Pr, 18.75, 0.005);
    EXPECT_EQ(liquid.Tmin, -30.0);
    EXPECT_EQ(liquid.Tmax, 300.0);
    EXPECT_EQ(liquid.OutOfRange, 0);
    liquid.SetT(-35.0);
    EXPECT_EQ(liquid.OutOfRange, 1);
}

TEST(Liquid, OutOfRangeAndPressure)
{
    TLiquid co2("CO2", 1.0, 40.0, 40.0, fcCarbonDioxide);
    EXPECT_EQ(co2.OutOfRange, 1);
    EXPECT_EQ(co2.Tmax, 30.0);

    TLiquid cold("Water", 1.0, -5.0, -5.0, fcWater);
    EXPECT_EQ(cold.OutOfRange, 1);
    EXPECT_NEAR(cold.ro, 999.8238, 0.0001);

    TLiquid air("Air", 1.0, 100.0, 100.0, fcCompressedAir);
    const double ro5 = air.ro;
    air.SetPf(10.0);
    EXPECT_EQ(air.GetPf(), 10.0);
    EXPECT_NEAR(air.ro, 2.0 * ro5, 1e-9);
    EXPECT_EQ(air.GetCaption(), "Compressed Air (10.0-bar)");
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        air.SetPf(bad);
        EXPECT_EQ(air.GetPf(), 10.0);
    }
}

TEST(Liquid, UserPropertiesReplaceTheCorrelations)
{
    TLiquid liquid = Water();
    const double ro = liquid.ro, pr = liquid.Pr;
    liquid.UserProps = true;
    liquid.Update();
    EXPECT_EQ(liquid.ro, ro);
    EXPECT_DOUBLE_EQ(liquid.Pr, pr);

    liquid.UserRo = 1100.0;
    liquid.UserCp = 3.5;
    liquid.UserMu = 0.002;
    liquid.UserKo = 0.0005;
    liquid.SetT(60.0);
    EXPECT_EQ(liquid.ro, 1100.0);
    EXPECT_DOUBLE_EQ(liquid.Pr, 3.5 * 0.002 / 0.0005);
    EXPECT_EQ(liquid.OutOfRange, 0);

    // A conductivity of zero would give an infinite Prandtl number: refused, and flagged.
    liquid.UserKo = 0.0;
    liquid.Update();
    EXPECT_EQ(liquid.Ko, 0.0005);
    EXPECT_EQ(liquid.OutOfRange, 1);
}

TEST(Liquid, UnknownFluidKeepsThePropertiesAndFlagsThem)
{
    TLiquid liquid = Water();
    const double ro = liquid.ro, mu = liquid.mu;
    for (std::uint8_t code : {std::uint8_t{14}, std::uint8_t{200}}) {
        liquid.LiquidSpec = code;
        liquid.SetT(70.0);
        EXPECT_EQ(liquid.ro, ro);
        EXPECT_EQ(liquid.mu, mu);
        EXPECT_EQ(liquid.OutOfRange, 1);
        EXPECT_EQ(liquid.GetCaption(), "Water");
    }
    liquid.LiquidSpec = fcWater;
    liquid.WaterAdditive = 7;
    liquid.AdditiveVolume = 0.3;
    liquid.Update();
    EXPECT_EQ(liquid.ro, ro);
    EXPECT_EQ(liquid.OutOfRange, 1);

    liquid.WaterAdditive = waNone;
    liquid.SetT(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(liquid.ro, ro);
    EXPECT_EQ(liquid.OutOfRange, 1);
}

TEST(Liquid, TemperatureChangesAllocateNothing)
{
    TLiquid water = Water();
    TLiquid glycol = Water();
    glycol.WaterAdditive = waEthyleneGlycol;
    glycol.AdditiveVolume = 0.3;
    TLiquid air("Air", 1.0, 100.0, 100.0, fcCompressedAir);
    const long probe = test::AllocationCount();
    const std::string longText(100, 'x');
    ASSERT_GT(test::AllocationCount(), probe) << "the allocation counter is not live";
    const long before = test::AllocationCount();
    for (double outlet = 30.0; outlet < 45.0; outlet += 0.5) {
        water.SetTfo(outlet);
        glycol.SetTfo(outlet);
        air.SetTfo(outlet + 100.0);
    }
    EXPECT_EQ(test::AllocationCount() - before, 0);
}

TEST(Liquid, NameTables)
{
    ASSERT_EQ(LiquidSpecNames.size(), static_cast<size_t>(kFluidCount));
    EXPECT_EQ(LiquidSpecNames[fcWater], "Water");
    EXPECT_EQ(LiquidSpecNames[fcR12], "Freon - Liquid R12");
    EXPECT_EQ(LiquidSpecNames[fcCompressedAir], "Compressed Air");
    ASSERT_EQ(AdditiveNames.size(), static_cast<size_t>(kWaterAdditiveCount));
    EXPECT_EQ(AdditiveNames[waNone], "None");
    for (std::string_view name : AdditiveNames) EXPECT_EQ(name.find(' '), std::string_view::npos);
}

}  // namespace
}  // namespace vantor
