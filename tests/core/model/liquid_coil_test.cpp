#include "model/liquid_coil.h"

#include "first_run_coil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantor {
namespace {

using test::TFirstRunCoil;

constexpr double kRoughness = 1.5e-6;
constexpr double kBore = 0.0125222;

TEST(LiquidCoil, FrictionFactor)
{
    const struct {
        double Re, start, expected;
    } laminar[] = {
        {50, 0.015, 0.02},  // 64/50 would pass 1
        {1000, 0.015, 0.064},
        {2299, 0.015, 64.0 / 2299},
        {0, 0.015, 0.015},  // no flow: the starting factor
        {0, 1.5, 0.02},     // a starting factor that is no friction factor
    };
    for (const auto& c : laminar)
        EXPECT_DOUBLE_EQ(TLiquidCoil::FrictionFactor(c.Re, kBore, kRoughness, c.start), c.expected) << c.Re;

    for (double Re : {2300.0, 1e5, 1.3e7}) {
        // Smooth: 1/√f = 2·log10(Re·√f) − 0.8; drawn tube: Colebrook.
        const double smooth = TLiquidCoil::FrictionFactor(Re, kBore, 0, 0.015);
        EXPECT_NEAR(1 / std::sqrt(smooth), 2 * std::log10(Re * std::sqrt(smooth)) - 0.8, 1e-5) << Re;
        const double f = TLiquidCoil::FrictionFactor(Re, kBore, kRoughness, 0.015);
        EXPECT_NEAR(1 / std::sqrt(f), -2 * std::log10(kRoughness / kBore / 3.7 + 2.51 / (Re * std::sqrt(f))), 1e-6)
            << Re;
    }
    // √0.015·Re·ε/D passes 200 at Re ≈ 1.363e7: fully rough, 1/(1.14 − 2·log10(ε/D))².
    EXPECT_NEAR(TLiquidCoil::FrictionFactor(1.4e7, kBore, kRoughness, 0.015), 0.0123919575, 1e-10);
}

TEST(LiquidCoil, PressureDropAndPipeSize)
{
    TFirstRunCoil r;
    const double drop = r.Coil.FluidPressureDrop();
    r.Coil.FluidDPFactor = 2;
    EXPECT_NEAR(r.Coil.FluidPressureDrop(), 2 * drop, 1e-12);
    r.Coil.LiquidState.SetMassFlow(0);
    EXPECT_EQ(r.Coil.FluidPressureDrop(), 0);

    // 27·|m|^0.45 to the next standard size: 1 kg/s gives 27 → 35, 0.1 kg/s 9.6 → 15.
    for (const auto& [flow, size] : {std::pair{1.0, 35}, {0.1, 15}, {-1.0, 35}, {10.0, 80}}) {
        r.Coil.LiquidState.SetMassFlow(flow);
        EXPECT_EQ(r.Coil.PipeSize(), size) << flow;
    }
}

}  // namespace
}  // namespace vantor
