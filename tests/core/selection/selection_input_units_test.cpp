#include "selection/selection_input_units.h"

#include "selection/selection_table.h"

#include "registry_in.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace vantor {
namespace {

using test::RegistryIn;
using TInput = TSelectionInputUnits::TInput;

// In Metric the boxes read as they always have: kW, m³/s, kg/s, Pa, kPa, m/s and mm, with the
// same decimals and ranges (a temperature drop in °C, the unit the main grid shows it in).
TEST(SelectionInputUnitsTest, MetricBoxesKeepTheirUnitsDecimalsAndRanges)
{
    const TSelectionInputUnits inputs(RegistryIn(false));
    struct TCase {
        TInput Input;
        const char* Label;
        int Decimals;
        double Lowest;
        double Highest;
    };
    const TCase cases[] = {
        {TSelectionInputUnits::kDuty, "kW", 2, 0.1, 100000},
        {TSelectionInputUnits::kAirVolume, "m³/s", 3, 0.001, 1000},
        {TSelectionInputUnits::kDesignDrop, "°C", 2, 0.1, 200},
        {TSelectionInputUnits::kFluidFlow, "kg/s", 4, 0.0001, 10000},
        {TSelectionInputUnits::kMaxAirDrop, "Pa", 0, 1, 10000},
        {TSelectionInputUnits::kMaxFluidDrop, "kPa", 1, 0.1, 10000},
        {TSelectionInputUnits::kMinTubeVelocity, "m/s", 2, 0, 20},
        {TSelectionInputUnits::kMaxTubeVelocity, "m/s", 2, 0.01, 20},
        {TSelectionInputUnits::kMaxFaceVelocity, "m/s", 2, 0.1, 20},
        {TSelectionInputUnits::kHeight, "mm", 1, 10, 25000},
        {TSelectionInputUnits::kLength, "mm", 1, 100, 50000},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(inputs.Label(c.Input), c.Label);
        EXPECT_EQ(inputs.Decimals(c.Input), c.Decimals) << c.Label;
        EXPECT_DOUBLE_EQ(inputs.Lowest(c.Input), c.Lowest) << c.Label;
        EXPECT_DOUBLE_EQ(inputs.Highest(c.Input), c.Highest) << c.Label;
    }
}

// Against the defining values: 1 in = 25.4 mm; 1 ft = 0.3048 m, so 1 cfm = 0.00047194745 m³/s
// and 1 fpm = 0.00508 m/s; 1 lb = 0.45359237 kg; 1 Btu/hr = 0.29307107 W (IT Btu); the
// conventional inch of water (1000 kg/m³ under 9.80665 m/s²) = 249.0889 Pa; 1 psi = 6.894757 kPa
// (NIST SP 811); a difference of 1 K is one of 1.8 °F.
TEST(SelectionInputUnitsTest, ImperialConversionsFollowTheDefiningFactors)
{
    const TSelectionInputUnits inputs(RegistryIn(true));
    struct TCase {
        TInput Input;
        const char* Label;
        double Stored;  // SI
        double Shown;
        double Tolerance;
    };
    const TCase cases[] = {
        {TSelectionInputUnits::kDuty, "Btu/hr", 0.29307107e-3, 1, 1e-7},
        {TSelectionInputUnits::kAirVolume, "cfm", 0.00047194745, 1, 1e-7},
        {TSelectionInputUnits::kDesignDrop, "°F", 10, 18, 1e-12},
        {TSelectionInputUnits::kFluidFlow, "lb/s", 0.45359237, 1, 1e-12},
        {TSelectionInputUnits::kMaxAirDrop, "InchWg", 249.0889, 1, 1e-7},
        {TSelectionInputUnits::kMaxFluidDrop, "Psi", 6.894757, 1, 1e-7},
        {TSelectionInputUnits::kMaxTubeVelocity, "fpm", 0.00508, 1, 1e-12},
        {TSelectionInputUnits::kMaxFaceVelocity, "fpm", 2.54, 500, 1e-9},
        {TSelectionInputUnits::kHeight, "inch", 0.6096, 24, 1e-12},
        {TSelectionInputUnits::kLength, "inch", 0.0254, 1, 1e-12},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(inputs.Label(c.Input), c.Label);
        EXPECT_NEAR(inputs.Shown(c.Input, c.Stored), c.Shown, c.Tolerance * c.Shown) << c.Label;
        EXPECT_NEAR(inputs.Stored(c.Input, c.Shown), c.Stored, c.Tolerance * c.Stored) << c.Label;
    }
    // A drop is a difference: no 32 °F added, and none taken off when it is read back.
    EXPECT_NEAR(inputs.Shown(TSelectionInputUnits::kDesignDrop, 0), 0, 1e-12);
    EXPECT_NEAR(inputs.Stored(TSelectionInputUnits::kDesignDrop, 36), 20, 1e-12);
}

// Every input goes to the shown unit and back unchanged, and its shown range allows at least
// every SI value the Metric box allows.
TEST(SelectionInputUnitsTest, RoundTripsAndRangesCoverTheMetricOnes)
{
    const TSelectionInputUnits metric(RegistryIn(false));
    const TSelectionInputUnits imperial(RegistryIn(true));
    for (int i = 0; i < TSelectionInputUnits::kInputCount; ++i) {
        const auto input = static_cast<TInput>(i);
        for (const double stored : {0.0123, 0.6096, 47.5, 1234.5})
            EXPECT_NEAR(imperial.Stored(input, imperial.Shown(input, stored)), stored, 1e-12 * stored) << input;
        EXPECT_LE(imperial.Stored(input, imperial.Lowest(input)), metric.Stored(input, metric.Lowest(input))) << input;
        EXPECT_GE(imperial.Stored(input, imperial.Highest(input)), metric.Stored(input, metric.Highest(input))) << input;
        // One step is no coarser than the Metric box's.
        EXPECT_LE(imperial.Stored(input, std::pow(10.0, -imperial.Decimals(input))),
                  metric.Stored(input, std::pow(10.0, -metric.Decimals(input))) * (1 + 1e-9))
            << input;
    }
    // 0.1 mm is 0.0039 in: three decimals of an inch.
    EXPECT_EQ(imperial.Decimals(TSelectionInputUnits::kHeight), 3);
    EXPECT_DOUBLE_EQ(imperial.Lowest(TSelectionInputUnits::kHeight), 0.393);    // 10 mm = 0.3937 in
    EXPECT_DOUBLE_EQ(imperial.Highest(TSelectionInputUnits::kLength), 1968.504);  // 50 m = 1968.5039 in
}

// The limits read in the units of the columns they limit, whatever the user chose for those.
TEST(SelectionInputUnitsTest, LimitsAndTheirColumnsShareOneUnit)
{
    TUnitsRegistry units = RegistryIn(true);
    units.At("air", "dp").Units = 0;       // kPa
    units.At("liquid", "v").Units = 0;     // m/s
    units.At("hex", "duty").Units = 3;     // MBh
    const TSelectionTable table(units);
    const TSelectionInputUnits inputs(units);
    const std::pair<int, TInput> pairs[] = {
        {TSelectionTable::kAirDrop, TSelectionInputUnits::kMaxAirDrop},
        {TSelectionTable::kTubeVelocity, TSelectionInputUnits::kMaxTubeVelocity},
        {TSelectionTable::kDuty, TSelectionInputUnits::kDuty},
        {TSelectionTable::kFluidDrop, TSelectionInputUnits::kMaxFluidDrop},
    };
    for (const auto& [column, input] : pairs) {
        const std::string heading = table.Heading(column);
        EXPECT_EQ(heading.substr(heading.find('\n') + 1), inputs.Label(input));
    }
    EXPECT_EQ(inputs.Label(TSelectionInputUnits::kDuty), "MBh");
}

// The air and the fluid in the user's temperature and barometric pressure: 25 °C = 77 °F,
// 17 °C = 62.6 °F, 45 °C = 113 °F; 101.325 kPa = 29.9213 inHg (3.386389 kPa, NIST SP 811).
TEST(SelectionInputUnitsTest, AirAndFluidTextsInTheUsersUnits)
{
    TSelectionRequirement req;
    req.AirOn.db = 25;
    req.AirOn.wb = 17;
    req.AirOn.P = 101.325;
    req.FluidInlet = 45;
    const TSelectionInputUnits metric(RegistryIn(false));
    const TSelectionInputUnits imperial(RegistryIn(true));
    EXPECT_EQ(metric.AirOnText(req.AirOn), "25.0/17.0 °C at 101.325 kPa");
    EXPECT_EQ(imperial.AirOnText(req.AirOn), "77.0/62.6 °F at 29.9213 InchHg");
    const std::string fluid = req.Fluid.GetCaption();
    EXPECT_EQ(metric.FluidText(req), fluid + ", 45.0 °C in");
    EXPECT_EQ(imperial.FluidText(req), fluid + ", 113.0 °F in");
}

}  // namespace
}  // namespace vantor
