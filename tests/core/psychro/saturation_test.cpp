#include "psychro/saturation.h"

#include "core/psychro/reference_states.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Saturation, PressureAndDewPointMatchReferenceStates)
{
    const auto states = test::ReadReferenceStates();
    ASSERT_EQ(states.size(), 63u);
    for (const auto& s : states) {
        SCOPED_TRACE(test::Describe(s));
        EXPECT_NEAR(SatPressure(s.db), s.ps, 1e-5 * s.ps);
        double td = 999.0;
        ASSERT_TRUE(SatTemperature(s.pv, td));
        EXPECT_NEAR(td, s.td, 0.002);
    }
}

TEST(Saturation, TemperatureInvertsPressureOverIceAndWater)
{
    // Both sides of the triple point (0.01 °C), and the ends of the range.
    for (double t : {-100.0, -60.0, -20.0, -0.5, 0.0, 0.005, 0.01, 0.02, 0.5, 25.0, 99.0, 150.0, 200.0}) {
        SCOPED_TRACE(t);
        double back = 999.0;
        ASSERT_TRUE(SatTemperature(SatPressure(t), back));
        EXPECT_NEAR(back, t, 1e-8);
    }
}

TEST(Saturation, IceAndWaterBranchesMeetAtTheTriplePoint)
{
    // 611.657 Pa at the triple point; the two relations differ there by a few millipascal.
    EXPECT_NEAR(SatPressure(0.01 - 1e-9), 0.611657, 2e-5);
    EXPECT_NEAR(SatPressure(0.01 + 1e-9), 0.611657, 2e-5);
    // ASHRAE Handbook Fundamentals 2017, chapter 1, table 3: 101.418 kPa at 100 °C.
    EXPECT_NEAR(SatPressure(100.0), 101.418, 0.002);
}

TEST(Saturation, PressuresOutsideTheRangeAreRefused)
{
    for (double p : {0.0, -1.0, 1e-9, 2000.0, kNaN, kInf}) {
        SCOPED_TRACE(p);
        double t = 42.0;
        EXPECT_FALSE(SatTemperature(p, t));
        EXPECT_EQ(t, 42.0);
    }
}

}  // namespace
}  // namespace vantor
