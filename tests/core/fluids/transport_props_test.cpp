#include "fluids/transport_props.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

TEST(TransportProps, PublishedExamplesReproduce)
{
    struct TCase {
        const char* name;
        int code;
        double t;
        double ro, cp, mu, k;
        TLoadResult flag;
    };
    // Values as published with the correlations (digits given there).
    const TCase cases[] = {
        {"water 20", fcWater, 20.0, 998.047, 4.18333, 0.00099989, 0.000603229, TLoadResult::InRange},
        {"water 80", fcWater, 80.0, 971.624, 4.19828, 0.00035000, 0.000669549, TLoadResult::InRange},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTransportProps props;
        EXPECT_EQ(props.Load(c.code, c.t), c.flag);
        EXPECT_NEAR(props.ro, c.ro, 0.0005);
        EXPECT_NEAR(props.cp, c.cp, 0.000005);
        EXPECT_NEAR(props.mu, c.mu, 0.000000005);
        EXPECT_NEAR(props.k, c.k, 0.0000000005);
    }
    TTransportProps water;
    water.Load(fcWater, 20.0);
    EXPECT_NEAR(water.cp * water.mu / water.k, 6.934, 0.0005);
    EXPECT_EQ(water.Name(), "Clean Water");
    EXPECT_EQ(water.ShortName(), "Water");

    // Compressed air at 5 bar and 20 °C: 500000 / (287.1 · 293.15) = 5.941 kg/m³; 20 °C lies
    // below its 50 .. 400 °C range.
    TTransportProps air;
    EXPECT_EQ(air.Load(fcCompressedAir, 20.0, 5.0), TLoadResult::OutOfRange);
    EXPECT_NEAR(air.ro, 5.941, 0.0005);
    EXPECT_EQ(air.Name(), "Compressed Air (5.0-bar)");
    EXPECT_EQ(air.ShortName(), "Comp Air");
}

TEST(TransportProps, WaterWithThirtyPercentEthyleneGlycol)
{
    TLiquidProps p;
    ASSERT_TRUE(WaterAdditiveProps(waEthyleneGlycol, 0.3, 20.0, p));
    EXPECT_NEAR(p.ro, 1045.22, 0.005);
    EXPECT_NEAR(p.cp, 3.64701, 0.000005);
    EXPECT_NEAR(p.mu, 0.0023279, 0.00000005);
    EXPECT_NEAR(p.k, 0.00045288, 0.000000005);
    EXPECT_NEAR(p.cp * p.mu / p.k, 18.75, 0.005);

    // The other two additives: denser than water, brine more so; both more viscous.
    TLiquidProps glycol, brine;
    ASSERT_TRUE(WaterAdditiveProps(waPropyleneGlycol, 0.3, 20.0, glycol));
    ASSERT_TRUE(WaterAdditiveProps(waCalciumChloride, 0.2, 20.0, brine));
    EXPECT_GT(glycol.ro, 1000.0);
    EXPECT_GT(brine.ro, glycol.ro);
    EXPECT_GT(glycol.mu, 0.0010);
    EXPECT_GT(brine.mu, 0.0010);

    for (int additive : {0, 4, -1}) EXPECT_FALSE(WaterAdditiveProps(additive, 0.3, 20.0, p)) << additive;
    EXPECT_FALSE(WaterAdditiveProps(waEthyleneGlycol, std::numeric_limits<double>::quiet_NaN(), 20.0, p));
    EXPECT_FALSE(WaterAdditiveProps(waEthyleneGlycol, 0.3, 1e6, p));
}

TEST(TransportProps, FlagMarksTheEndsOfEachRange)
{
    struct TRange {
        int code;
        double tmin, tmax;
    };
    const TRange ranges[] = {{0, 0, 300},   {1, 0, 300},   {2, 0, 300},   {3, 0, 50},    {4, 0, 100},
                             {5, -50, 50},  {6, -50, 50},  {7, 0, 316},   {8, -50, 50},  {9, -50, 30},
                             {10, -50, 50}, {11, -50, 50}, {12, 0, 300},  {13, 50, 400}};
    for (const TRange& r : ranges) {
        SCOPED_TRACE(r.code);
        TTransportProps props;
        EXPECT_EQ(props.Load(r.code, r.tmin), TLoadResult::InRange);
        EXPECT_EQ(props.Tmin, r.tmin);
        EXPECT_EQ(props.Tmax, r.tmax);
        EXPECT_EQ(props.Load(r.code, r.tmax), TLoadResult::InRange);
        EXPECT_EQ(props.Load(r.code, 0.5 * (r.tmin + r.tmax)), TLoadResult::InRange);
        // Physically sound mid-range: a Prandtl number between liquid metal and heavy oil.
        const double prandtl = props.cp * props.mu / props.k;
        EXPECT_GT(prandtl, 0.005);
        EXPECT_LT(prandtl, 1e5);
        EXPECT_EQ(props.Load(r.code, r.tmin - 1.0), TLoadResult::OutOfRange);
        EXPECT_EQ(props.Load(r.code, r.tmax + 1.0), TLoadResult::OutOfRange);
        EXPECT_FALSE(props.Name().empty());
        EXPECT_FALSE(props.ShortName().empty());
    }
    TTransportProps co2;
    EXPECT_EQ(co2.Load(fcCarbonDioxide, 40.0), TLoadResult::OutOfRange);
}

TEST(TransportProps, ViscosityIsHeldWhereTheFitRunsAway)
{
    const auto viscosity = [](int code, double t) {
        TTransportProps props;
        props.Load(code, t);
        return props.mu;
    };
    const auto conductivity = [](int code, double t) {
        TTransportProps props;
        props.Load(code, t);
        return props.k;
    };
    // Water holds viscosity and conductivity just inside both ends; density and specific
    // heat follow their polynomials (999.8238 kg/m³ at -5 °C by hand).
    EXPECT_EQ(viscosity(fcWater, -5.0), viscosity(fcWater, 0.01));
    EXPECT_EQ(conductivity(fcWater, -5.0), conductivity(fcWater, 0.01));
    EXPECT_EQ(viscosity(fcWater, 350.0), viscosity(fcWater, 299.99));
    EXPECT_EQ(conductivity(fcWater, 350.0), conductivity(fcWater, 299.99));
    TTransportProps cold;
    EXPECT_EQ(cold.Load(fcWater, -5.0), TLoadResult::OutOfRange);
    EXPECT_NEAR(cold.ro, 999.8238, 0.0001);
    // The oils and the pure glycol and brine hold viscosity at and below Tmin.
    for (int code : {fcEngineOil, fcGlycerin, fcEthyleneGlycol}) {
        EXPECT_EQ(viscosity(code, 0.0), viscosity(code, 0.01)) << code;
        EXPECT_EQ(viscosity(code, -20.0), viscosity(code, 0.01)) << code;
    }
    EXPECT_EQ(viscosity(fcCalciumChloride, -60.0), viscosity(fcCalciumChloride, -49.99));
    // Others extrapolate.
    EXPECT_NE(viscosity(fcSulphurDioxide, -60.0), viscosity(fcSulphurDioxide, -49.99));
}

TEST(TransportProps, UnusableRequestsChangeNothing)
{
    TTransportProps props;
    ASSERT_EQ(props.Load(fcWater, 20.0), TLoadResult::InRange);
    const double ro = props.ro;
    struct TCase {
        const char* name;
        int code;
        double t, bar;
    };
    const TCase cases[] = {
        {"code 14", 14, 20.0, 5.0},
        {"code -1", -1, 20.0, 5.0},
        {"NaN temperature", fcWater, std::numeric_limits<double>::quiet_NaN(), 5.0},
        {"infinite temperature", fcMercury, std::numeric_limits<double>::infinity(), 5.0},
        {"air at zero pressure", fcCompressedAir, 100.0, 0.0},
        {"air at NaN pressure", fcCompressedAir, 100.0, std::numeric_limits<double>::quiet_NaN()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(props.Load(c.code, c.t, c.bar), TLoadResult::Failed);
        EXPECT_EQ(props.ro, ro);
        EXPECT_EQ(props.Code, fcWater);
    }
    EXPECT_EQ(FluidName(14, 5.0), "");
    EXPECT_EQ(FluidShortName(-1), "");
}

TEST(TransportProps, ExtrapolationIntoNonsenseIsHeldAtTheRangeEnd)
{
    struct TCase {
        const char* name;
        int code;
        double t, end;
    };
    // Liquid carbon dioxide's cp fit turns negative near 40 °C (past the critical point);
    // the steam viscosity fit has no value below -43 °C; the gas law none at absolute zero;
    // mercury's viscosity fit turns negative above 645 °C.
    const TCase cases[] = {
        {"carbon dioxide at 40 °C", fcCarbonDioxide, 40.0, 30.0},
        {"condensed steam at -60 °C", fcCondensedSteam, -60.0, 0.0},
        {"compressed air at absolute zero", fcCompressedAir, -273.15, 50.0},
        {"mercury at 1000 °C", fcMercury, 1000.0, 316.0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTransportProps atEnd;
        ASSERT_EQ(atEnd.Load(c.code, c.end), TLoadResult::InRange);
        TTransportProps props;
        EXPECT_EQ(props.Load(c.code, c.t), TLoadResult::OutOfRange);
        EXPECT_EQ(props.ro, atEnd.ro);
        EXPECT_EQ(props.cp, atEnd.cp);
        EXPECT_EQ(props.mu, atEnd.mu);
        EXPECT_EQ(props.k, atEnd.k);
    }
    // Where the fit stays physical it extrapolates: carbon dioxide at 31 °C.
    TTransportProps co2;
    EXPECT_EQ(co2.Load(fcCarbonDioxide, 31.0), TLoadResult::OutOfRange);
    EXPECT_GT(co2.cp, 0.0);
    TTransportProps end;
    end.Load(fcCarbonDioxide, 30.0);
    EXPECT_NE(co2.cp, end.cp);
}

}  // namespace
}  // namespace vantor
