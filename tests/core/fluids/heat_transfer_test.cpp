#include "fluids/heat_transfer.h"

#include "fluids/liquid.h"
#include "fluids/transport_props.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantor {
namespace {

// Expected values are hand calculations of the relations (Python, double precision).

TEST(HeatTransfer, CounterflowEffectiveness)
{
    struct Case {
        double Cr, Ntu, expected;
    };
    const Case cases[] = {
        {0, 1, 0.632120559},         // 1 − e^−1
        {1, 1, 0.5},                 // the limit NTU / (1 + NTU)
        {0.5, 1, 0.564733402},       // (1 − e^−0.5) / (1 − 0.5·e^−0.5)
        {2, 1, 0.387300163},         // liquid the smaller stream: (1 − e) / (1 − 2e), e = e^1
        {1 + 1e-7, 2, 2.0 / 3},      // continuous through Cr = 1
        {2, 1000, 1000 / 1000.5},    // e^1000 overflows: NTU / (NTU + 0.5)
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CounterflowEffectiveness(c.Cr, c.Ntu), c.expected, 1e-6) << "Cr " << c.Cr << " Ntu " << c.Ntu;
}

TEST(HeatTransfer, LogMeanTempDiffAndPipeSizes)
{
    // ΔT1 = a − d, ΔT2 = b − c.
    EXPECT_EQ(LogMeanTempDiff(10, 30, 80, 60), -50);                    // equal ends
    EXPECT_NEAR(LogMeanTempDiff(10, 30, 45, 35), -19.5761518897, 1e-9);  // −10 / ln(25/15)
    EXPECT_EQ(LogMeanTempDiff(35, 30, 30, 40), 0);                      // ΔT2 = 0
    EXPECT_EQ(LogMeanTempDiff(20, 10, 25, 15), 0);                      // ends of opposite sign

    const std::pair<double, int> sizes[] = {{0, 15}, {15, 15}, {15.1, 20}, {32, 35}, {35, 35}, {700, 750}, {751, 750}};
    for (const auto& [x, size] : sizes) EXPECT_EQ(NextStandardSize(x), size) << x;
}

TMoistAirState TestAir(double massFlow) { return {.cp = 1.006, .k = 2.6e-5, .mu = 1.8e-5, .M = massFlow}; }

// G = 1 kg/s / (0.4 m² · 0.6): Re 3148 on the collar, 810 on the hydraulic diameter.
TAirSideGeometry TestBank(int pattern)
{
    return {.Rows = 4, .Sx = 0.033, .Sy = 0.0381, .tp = static_cast<std::uint8_t>(pattern), .FaceArea = 0.4,
            .FinGap = 0.00254 - 0.00015, .FinEffLength = 0.0105, .tf = 0.00015, .CollarDiameter = 0.0136,
            .Sigma = 0.6, .HydraulicDiameter = 0.0035};
}

TEST(HeatTransfer, TubeBankCoefficient)
{
    EXPECT_NEAR(TubeBankCoefficient(TestBank(kStaggered), TestAir(1)), 0.0678915392, 1e-9);
    EXPECT_NEAR(TubeBankCoefficient(TestBank(kInLine), TestAir(1)), 0.0655782683, 1e-9);
    // At Sy/Sx = 2 exactly the narrow-pitch constants (C 0.35, F = 2^0.2) apply; above, C 0.4.
    TAirSideGeometry bank = TestBank(kStaggered);
    bank.Sx = bank.Sy / 2;
    const double atTwo = TubeBankCoefficient(bank, TestAir(1));
    bank.Sx = bank.Sy / 2.000001;
    EXPECT_NEAR(atTwo / TubeBankCoefficient(bank, TestAir(1)), 0.35 * std::pow(2.0, 0.2) / 0.4, 1e-12);
}

TEST(HeatTransfer, FinTubeAirSide)
{
    TAirSideResult result;
    EXPECT_NEAR(FinTubeAirSide(TestBank(kStaggered), TestAir(1), result), 0.0552810367, 1e-9);
    EXPECT_NEAR(result.G, 1 / 0.24, 1e-12);
    EXPECT_NEAR(result.Re, 810.185185, 1e-5);
    EXPECT_NEAR(result.j, 0.0121894162, 1e-9);
    EXPECT_NEAR(result.Nu, 7.44167801, 1e-7);
    // In-line: scaled by the ratio of the bare banks; the record keeps the staggered value.
    EXPECT_NEAR(FinTubeAirSide(TestBank(kInLine), TestAir(1), result), 0.0533974439, 1e-9);
    EXPECT_NEAR(result.h, 0.0552810367, 1e-9);
    // No air flow, no convection.
    EXPECT_EQ(FinTubeAirSide(TestBank(kStaggered), TestAir(0), result), 0);
}

TEST(HeatTransfer, TubeSideCoefficient)
{
    // v = 1 m/s, Re = 12500, Pr = 4.18·0.001/0.0006.
    TLiquid liquid("Water", 0.859, 45, 35, fcWater);
    liquid.UserProps = true;
    liquid.UserRo = 1000;
    liquid.UserCp = 4.18;
    liquid.UserMu = 0.001;
    liquid.UserKo = 0.0006;
    liquid.Update();
    const TTubeSideGeometry tubes{.ID = 0.0125, .FlowArea = 8.59e-4};
    EXPECT_NEAR(TubeSideCoefficient(tubes, liquid, true), 5.1398756, 1e-6);
    EXPECT_NEAR(TubeSideCoefficient(tubes, liquid, false), 4.2330179, 1e-6);
    liquid.m = 0;
    EXPECT_EQ(TubeSideCoefficient(tubes, liquid, true), 0);
}

}  // namespace
}  // namespace vantor
