#include "model/liquid_coil.h"

#include "first_run_coil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantor {
namespace {

using test::TFirstRunCoil;

constexpr double kRoughness = 1.5e-6;
constexpr double kBore = 0.0125222;

TEST(FrictionFactor, LaminarAndNoFlow)
{
    struct Case {
        double Re, start, expected;
    };
    const Case cases[] = {
        {50, 0.015, 0.02},           // 64/50 would pass 1
        {1000, 0.015, 0.064},
        {2299, 0.015, 64.0 / 2299},
        {0, 0.015, 0.015},           // no flow: the starting factor
        {-5, 0.03, 0.03},
        {0, 1.5, 0.02},              // a starting factor that is no friction factor
        {0, -0.1, 0.02},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(TLiquidCoil::FrictionFactor(c.Re, kBore, kRoughness, c.start), c.expected) << c.Re;
}

TEST(FrictionFactor, TurbulentSolutionsSatisfyTheirEquations)
{
    for (double Re : {2300.0, 1e4, 1e5, 1e6, 1.3e7}) {
        SCOPED_TRACE(Re);
        // Smooth tube: 1/√f = 2·log10(Re·√f) − 0.8.
        const double smooth = TLiquidCoil::FrictionFactor(Re, kBore, 0, 0.015);
        EXPECT_NEAR(1 / std::sqrt(smooth), 2 * std::log10(Re * std::sqrt(smooth)) - 0.8, 1e-5);
        EXPECT_NEAR(TLiquidCoil::FrictionFactor(Re, kBore, 0, 0), smooth, 1e-8);
        // Drawn tube: Colebrook, 1/√f = −2·log10(ε/(3.7·D) + 2.51/(Re·√f)).
        const double rough = TLiquidCoil::FrictionFactor(Re, kBore, kRoughness, 0.015);
        EXPECT_NEAR(1 / std::sqrt(rough), -2 * std::log10(kRoughness / kBore / 3.7 + 2.51 / (Re * std::sqrt(rough))),
                    1e-6);
        EXPECT_GE(rough, smooth);
    }
}

TEST(FrictionFactor, FullyRoughBeyondTheSublayer)
{
    // √0.015·Re·ε/D passes 200 at Re ≈ 1.363e7: from there f = 1/(1.14 − 2·log10(ε/D))².
    EXPECT_NEAR(TLiquidCoil::FrictionFactor(1.4e7, kBore, kRoughness, 0.015), 0.0123919575, 1e-10);
    EXPECT_NEAR(TLiquidCoil::FrictionFactor(1e9, kBore, kRoughness, 0.015), 0.0123919575, 1e-10);
    EXPECT_NE(TLiquidCoil::FrictionFactor(1.3e7, kBore, kRoughness, 0.015), 0.0123919575);
}

TEST(LiquidCoil, FluidPressureDrop)
{
    TFirstRunCoil r;
    const double drop = r.Coil.FluidPressureDrop();
    EXPECT_GT(drop, 0);
    r.Coil.FluidDPFactor = 2;
    EXPECT_NEAR(r.Coil.FluidPressureDrop(), 2 * drop, 1e-12);
    // Roughly with the square of the velocity in turbulent flow.
    r.Coil.FluidDPFactor = 1;
    r.Coil.LiquidState.SetVelocity(2);
    EXPECT_NEAR(r.Coil.FluidPressureDrop() / drop, 3.5, 0.3);
    r.Coil.LiquidState.SetMassFlow(0);
    EXPECT_EQ(r.Coil.FluidPressureDrop(), 0);
}

TEST(LiquidCoil, PipeSize)
{
    TFirstRunCoil r;
    const struct {
        double flow;
        int size;
    } cases[] = {{1, 35}, {0.1, 15}, {-1, 35}, {0, 15}, {10, 80}};  // 27·10^0.45 = 76.1
    for (const auto& c : cases) {
        r.Coil.LiquidState.SetMassFlow(c.flow);
        EXPECT_EQ(r.Coil.PipeSize(), c.size) << c.flow;
    }
}

TEST(LiquidCoil, NoFlow)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    const double offDb = r.AirOff.db;
    EXPECT_FALSE(r.Coil.NoFlow());
    EXPECT_GT(r.Coil.Qt, 0);
    EXPECT_EQ(r.AirOff.db, offDb);

    r.Coil.LiquidState.SetMassFlow(0.001 / r.Water.Cp / 2);  // cw 0.0005 kW/K
    EXPECT_TRUE(r.Coil.NoFlow());
    EXPECT_EQ(r.Coil.Qt, 0);
    EXPECT_EQ(r.Coil.Qs, 0);
    EXPECT_EQ(r.AirOff.db, r.AirOn.db);
    EXPECT_EQ(r.AirOff.h, r.AirOn.h);
}

TEST(LiquidCoil, AttachRepointsAirAndLiquid)
{
    TFirstRunCoil r;
    TMoistAirState on = r.AirOn;
    TMoistAirState off = r.AirOff;
    TLiquid brine("Brine", 0.5, 60, 50, fcWater);
    r.Coil.Attach({on, off, brine});
    EXPECT_EQ(&r.Coil.AirOn(), &on);
    EXPECT_EQ(&r.Coil.Liquid(), &brine);
    EXPECT_EQ(&r.Coil.LiquidState.Liquid(), &brine);
    EXPECT_NEAR(r.Coil.LiquidState.cw, 0.5 * brine.Cp, 1e-12);
    r.Coil.SetFaceVelocity(2);
    EXPECT_EQ(on.M, r.Coil.AirMassFlow());
    EXPECT_NE(r.AirOn.M, r.Coil.AirMassFlow());
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    EXPECT_GT(off.db, on.db);
    EXPECT_LT(brine.tfo, 60);
}

}  // namespace
}  // namespace vantor
