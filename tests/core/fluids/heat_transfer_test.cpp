#include "fluids/heat_transfer.h"

#include "fluids/liquid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

// Expected values below are hand calculations of the relations (Python, double precision).

TEST(CounterflowEffectiveness, KnownValues)
{
    struct Case {
        double Cr, Ntu, expected;
    };
    const Case cases[] = {
        {0, 1, 0.632120559},    // 1 − e^−1
        {1, 1, 0.5},            // NTU / (1 + NTU)
        {0.5, 1, 0.564733402},  // (1 − e^−0.5) / (1 − 0.5·e^−0.5)
        {2, 1, 0.387300163},    // liquid the smaller stream: (1 − e) / (1 − 2e), e = e^1
        {0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CounterflowEffectiveness(c.Cr, c.Ntu), c.expected, 1e-8) << "Cr " << c.Cr << " Ntu " << c.Ntu;
}

TEST(CounterflowEffectiveness, OverflowWithCrAboveOneFallsBack)
{
    // e^(NTU·(Cr − 1)) overflows: the bounded estimate NTU / (NTU + 0.5) is used.
    EXPECT_DOUBLE_EQ(CounterflowEffectiveness(2, 1000), 1000 / 1000.5);
    EXPECT_TRUE(std::isfinite(CounterflowEffectiveness(1.5, 5000)));
}

TEST(CounterflowEffectiveness, NearUnitCapacityRatioIsContinuous)
{
    // Either side of Cr = 1 the general form must approach the limit NTU / (1 + NTU).
    for (double cr : {1 - 1e-7, 1 + 1e-7})
        EXPECT_NEAR(CounterflowEffectiveness(cr, 2), 2.0 / 3.0, 1e-6) << cr;
}

TEST(LogMeanTempDiff, Cases)
{
    // ΔT1 = a − d, ΔT2 = b − c.
    struct Case {
        double a, b, c, d, expected;
    };
    const Case cases[] = {
        {10, 30, 80, 60, -50},            // ΔT1 = ΔT2 = −50
        {10, 30, 45, 35, -19.5761518897}, // −25 and −15: −10 / ln(25/15)
        {20, 30, 25, 10, 7.2134752045},   // 10 and 5: 5 / ln 2
        {35, 30, 30, 40, 0},              // ΔT2 = 0
        {20, 10, 25, 15, 0},              // 5 and −15: no log-mean
    };
    for (const Case& c : cases)
        EXPECT_NEAR(LogMeanTempDiff(c.a, c.b, c.c, c.d), c.expected, 1e-9) << c.a << " " << c.b << " " << c.c << " " << c.d;
}

TEST(NextStandardSize, Table)
{
    struct Case {
        double x;
        int expected;
    };
    const Case cases[] = {{0, 15}, {-3, 15}, {15, 15}, {15.1, 20}, {32, 35}, {35, 35}, {35.01, 40},
                          {27.0, 35}, {9.6, 15}, {600, 600}, {700, 750}, {751, 750}, {1e9, 750}};
    for (const Case& c : cases) EXPECT_EQ(NextStandardSize(c.x), c.expected) << c.x;
}

TMoistAirState TestAir(double massFlow)
{
    TMoistAirState air;
    air.M = massFlow;
    air.mu = 1.8e-5;
    air.cp = 1.006;
    air.k = 2.6e-5;
    return air;
}

TAirSideGeometry TestBank()
{
    TAirSideGeometry g;
    g.Rows = 4;
    g.Sx = 0.033;
    g.Sy = 0.0381;
    g.tp = kStaggered;
    g.FaceArea = 0.4;
    g.Sigma = 0.6;
    g.CollarDiameter = 0.0136;
    g.HydraulicDiameter = 0.0035;
    g.tf = 0.00015;
    g.FinEffLength = 0.0105;
    g.FinGap = 0.00254 - 0.00015;
    return g;
}

TEST(TubeBankCoefficient, HandCalculatedBanks)
{
    // G = 1 / (0.4·0.6), Re = 3148 on the collar: the middle range with Sy/Sx = 1.1545.
    TAirSideGeometry bank = TestBank();
    EXPECT_NEAR(TubeBankCoefficient(bank, TestAir(1.0)), 0.0678915392, 1e-9);
    bank.tp = kInLine;
    EXPECT_NEAR(TubeBankCoefficient(bank, TestAir(1.0)), 0.0655782683, 1e-9);
}

TEST(TubeBankCoefficient, PitchRatioOfTwoIsTheNarrowBranch)
{
    // At Sy/Sx = 2 exactly C 0.35 and F = 2^0.2 apply; just above 2, C 0.4 and F 1.
    TAirSideGeometry bank = TestBank();
    bank.Sx = bank.Sy / 2;
    const double atTwo = TubeBankCoefficient(bank, TestAir(1.0));
    bank.Sx = bank.Sy / 2.000001;
    const double aboveTwo = TubeBankCoefficient(bank, TestAir(1.0));
    EXPECT_NEAR(atTwo / aboveTwo, 0.35 * std::pow(2.0, 0.2) / 0.4, 1e-12);
}

TEST(TubeBankCoefficient, ReynoldsRangesJoinTheRightWay)
{
    // Staggered either side of Re 1000: 0.71·Re^0.5 against 0.35·Re^0.6·r^0.2.
    TAirSideGeometry bank = TestBank();
    const double perRe = 1.8e-5 * 0.4 * 0.6 / 0.0136;  // mass flow giving Re = 1
    const double r = bank.Sy / bank.Sx;
    const double low = TubeBankCoefficient(bank, TestAir(999.999 * perRe));
    const double mid = TubeBankCoefficient(bank, TestAir(1000.001 * perRe));
    EXPECT_NEAR(mid / low, 0.35 * std::pow(1000.001, 0.6) * std::pow(r, 0.2) / (0.71 * std::sqrt(999.999)), 1e-9);
    const double high = TubeBankCoefficient(bank, TestAir(300000 * perRe));
    const double lastMid = TubeBankCoefficient(bank, TestAir(199999 * perRe));
    EXPECT_NEAR(high / lastMid,
                0.031 * std::pow(300000.0, 0.8) / (0.35 * std::pow(199999.0, 0.6)), 1e-9);
}

TEST(FinTubeAirSide, HandCalculatedStaggeredBank)
{
    TAirSideResult result;
    const double h = FinTubeAirSide(TestBank(), TestAir(1.0), result);
    EXPECT_NEAR(h, 0.0552810367, 1e-9);
    EXPECT_DOUBLE_EQ(result.Dh, 0.0035);
    EXPECT_NEAR(result.G, 1 / 0.24, 1e-12);
    EXPECT_NEAR(result.Re, 810.185185, 1e-5);
    EXPECT_NEAR(result.Pr, 1.8e-5 * 1.006 / 2.6e-5, 1e-12);
    EXPECT_NEAR(result.j, 0.0121894162, 1e-9);
    EXPECT_NEAR(result.Nu, 7.44167801, 1e-7);
    EXPECT_DOUBLE_EQ(result.h, h);
}

TEST(FinTubeAirSide, InLineBankScaledByBareBankRatio)
{
    TAirSideGeometry bank = TestBank();
    bank.tp = kInLine;
    TAirSideResult result;
    const double h = FinTubeAirSide(bank, TestAir(1.0), result);
    EXPECT_NEAR(h, 0.0533974439, 1e-9);
    // The record keeps the staggered coefficient before the correction.
    EXPECT_NEAR(result.h, 0.0552810367, 1e-9);
}

TEST(FinTubeAirSide, NoAirFlowNoConvection)
{
    TAirSideResult result;
    for (double flow : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(FinTubeAirSide(TestBank(), TestAir(flow), result), 0) << flow;
        EXPECT_EQ(result.h, 0);
    }
    // More air, a higher coefficient.
    EXPECT_LT(FinTubeAirSide(TestBank(), TestAir(0.5), result), FinTubeAirSide(TestBank(), TestAir(1.0), result));
}

TEST(TubeSideCoefficient, DittusBoelter)
{
    TLiquid liquid("Water", 0.859, 45, 35, 0);
    liquid.UserProps = true;
    liquid.UserRo = 1000;
    liquid.UserCp = 4.18;
    liquid.UserMu = 0.001;
    liquid.UserKo = 0.0006;
    liquid.Update();
    TTubeSideGeometry tubes;
    tubes.ID = 0.0125;
    tubes.FlowArea = 8.59e-4;  // v = 1 m/s, Re = 12500, Pr = 6.9667
    EXPECT_NEAR(TubeSideCoefficient(tubes, liquid, true), 5.1398756, 1e-6);
    EXPECT_NEAR(TubeSideCoefficient(tubes, liquid, false), 4.2330179, 1e-6);
    // The direction of the flow does not matter; no flow, no convection.
    liquid.m = -0.859;
    EXPECT_NEAR(TubeSideCoefficient(tubes, liquid, true), 5.1398756, 1e-6);
    liquid.m = 0;
    EXPECT_EQ(TubeSideCoefficient(tubes, liquid, true), 0);
}

}  // namespace
}  // namespace vantor
