#include "units/unit_tables.h"

#include "text/format.h"
#include "units/num_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vantor {
namespace {

// The units types with their display names, unit counts and the labels the Metric and
// Imperial presets pick.
struct TTypeRow {
    TUnitsType Type;
    const char* Name;
    int Units;
    const char* Metric;
    const char* Imperial;
};

constexpr TTypeRow kTypeTable[] = {
    {utAirFlowPrim, "Air Flow - Primary", 5, "m³/s", "cfm"},
    {utAirFlowSec, "Air Flow - Secondary", 5, "l/s", "cfm"},
    {utAirFlowSmall, "Air Flow - Small", 3, "l/s", "cfm"},
    {utAirFlowRate, "Air Flow Rate", 5, "l/s/m²", "cfm/ft²"},
    {utAirPressDrop, "Air Pressure Drop", 8, "Pa", "InchWg"},
    {utAltitude, "Altitude", 2, "m", "ft"},
    {utAngularSpeed, "Angular Speed", 3, "rpm", "rpm"},
    {utArea, "Area", 5, "m²", "ft²"},
    {utCondensateRate, "Condensate Rate", 4, "g/s", "lb/hr"},
    {utConductance, "Conductance", 4, "kW/°C", "MBH/°F"},
    {utConductivity, "Conductivity", 4, "W/m·K", "Btu/hr·ft°F"},
    {utDensity, "Density", 3, "kg/m³", "lb/ft³"},
    {utDiameter, "Diameter", 5, "mm", "inch"},
    {utDutyPrim, "Duty - Primary", 5, "kW", "Btu/hr"},
    {utDutySec, "Duty - Secondary", 5, "W", "Btu/hr"},
    {utDutyRate, "Duty Rate", 5, "W/m²", "Btu/hr·ft²"},
    {utEnergy, "Energy", 5, "kW-hr", "Btu"},
    {utEnergyPerVol, "Energy Per Volume", 3, "kW/cms", "Btu/ft³"},
    {utEnthalpy, "Enthalpy", 2, "kJ/kg", "Btu/lb"},
    {utFinDensity, "Fin Density", 4, "fins/m", "fpi"},
    {utHeatOfRespir, "Heat of Respiration", 3, "kJ/kg/day", "Btu/lb/day"},
    {utHeatTransCoeff, "Heat Transfer Coefficient", 2, "W/m²°C", "Btu/hr·ft²°F"},
    {utHumidity, "Humidity", 3, "g/kg", "gr/lb"},
    {utLengthBig, "Length - Big", 2, "m", "ft"},
    {utLengthMeasure, "Length - Measurement", 5, "mm", "inch"},
    {utLengthPrim, "Length - Primary", 5, "m", "ft"},
    {utLengthSec, "Length - Secondary", 5, "mm", "inch"},
    {utLengthSmall, "Length - Small", 3, "mm", "Thou\""},
    {utMass, "Mass", 3, "kg", "lb"},
    {utMassSmall, "Mass - Small", 2, "g", "oz"},
    {utMassFlow, "MassFlow", 6, "kg/s", "lb/s"},
    {utMassFlowGas, "MassFlow - Refrig./Steam", 6, "kg/hr", "lb/hr"},
    {utMassFlux, "MassFlux", 6, "kg/m²s", "lb/ft²s"},
    {utMetRate, "Metabolic Rate", 2, "W/P", "Btu/hr/P"},
    {utPeopleDensity, "People Density", 2, "m²/P", "ft²/P"},
    {utPower, "Power", 3, "kW", "HP"},
    {utPressure, "Pressure - Absolute or Gauge", 8, "kPa", "Psi"},
    {utPressureBar, "Pressure - Barometric", 6, "kPa", "InchHg"},
    {utPressureSteam, "Pressure - Steam", 8, "Bar", "Psi"},
    {utPressureRateGas, "Pressure Rate - Gas", 4, "Pa/m", "iwg/100'"},
    {utPressureRateLiquid, "Pressure Rate - Liquid", 4, "kPa/m", "Psi/ft"},
    {utProportion, "Proportion", 3, "", ""},
    {utRate, "Rate", 3, "/sec", "/min"},
    {utSpecificHeat, "Specific Heat", 2, "kJ/kg·K", "Btu/lb°F"},
    {utSpecificVol, "Specific Volume", 2, "m³/kg", "ft³/lb"},
    {utTemperature, "Temperature", 3, "°C", "°F"},
    {utTemperatureChange, "Temperature Change", 3, "°C", "°F"},
    {utThermalCapacity, "Thermal Capacity", 2, "W-hr/m²°C", "Btu/ft²°F"},
    {utThermalResist, "Thermal Resistance", 2, "m²°C/W", "ft²·hr·°F/Btu"},
    {utTime, "Time", 3, "sec", "min"},
    {utVelocity, "Velocity", 2, "m/s", "fpm"},
    {utViscosity, "Viscosity", 7, "kg/m·s", "lbm/ft·s"},
    {utVolume, "Volume", 5, "m³", "ft³"},
    {utVolumeFluid, "Fluid Volume", 4, "kl", "US Gal"},
    {utWaterFlow, "Water Flow", 6, "l/s", "usgpm"},
    {utWaterPressDrop, "Water Pressure Drop", 8, "kPa", "Psi"},
};

TEST(UnitTables, TypesHaveTheirUnitsNamesAndPresets)
{
    ASSERT_EQ(std::size(kTypeTable) + 1, static_cast<size_t>(kUnitsTypeCount));
    for (const TTypeRow& row : kTypeTable) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(UnitTypeName(row.Type), row.Name);
        EXPECT_EQ(UnitCount(row.Type), row.Units);
        EXPECT_EQ(UnitLabel(row.Type, MetricUnits(row.Type, 0)), row.Metric);
        EXPECT_EQ(UnitLabel(row.Type, ImperialUnits(row.Type, 0)), row.Imperial);
    }
    EXPECT_EQ(UnitTypeName(utNone), "None");
    EXPECT_EQ(UnitCount(utNone), 0);
    EXPECT_EQ(MetricUnits(utNone, 7), 7);
    EXPECT_EQ(ImperialUnits(utNone, 7), 7);
    EXPECT_EQ(UnitLabels(utTemperature), (std::vector<std::string>{"°C", "°F", "K"}));
}

// Factors against the definitions of NIST SP 811 (2008), Appendix B: 1 ft = 0.3048 m,
// 1 lb = 0.45359237 kg, 1 Btu(IT) = 1055.05585262 J, 1 psi = 6894.757293 Pa,
// 1 inH2O(4 °C) = 249.08891 Pa, 1 US gal = 3.785411784 l, 1 hp = 745.69987 W,
// 1 atm = 101.325 kPa, g = 9.80665 m/s². Tolerances are those of the digits the tables carry.
struct TFactorCase {
    TUnitsType Type;
    const char* Label;
    double Expected;
    double RelativeTolerance;
};

constexpr double kFt = 0.3048;
constexpr double kLb = 0.45359237;
constexpr double kBtu = 1.05505585262;  // kJ
constexpr double kUsGal = 3.785411784;  // l

const TFactorCase kFactorCases[] = {
    {utAirFlowPrim, "cfm", 60 / (kFt * kFt * kFt), 1e-9},
    {utAirFlowRate, "cfm/ft²", 60 / kFt, 1e-9},
    {utAltitude, "ft", 1 / kFt, 1e-10},
    {utArea, "ft²", 1 / (kFt * kFt), 1e-9},
    {utArea, "inch²", 1 / (0.0254 * 0.0254), 1e-9},
    {utPressure, "Psi", 1 / 6.894757293, 1e-6},
    {utPressure, "InchWg", 1 / 0.24908891, 1e-6},
    {utPressure, "Atm", 1 / 101.325, 1e-6},
    {utPressure, "mHead", 1 / 9.80665, 1e-9},
    {utPressure, "InchHg", 1 / 3.386389, 2e-3},
    {utDutyPrim, "Btu/hr", 3600 / kBtu, 1e-6},
    {utDutyPrim, "MBh", 3.6 / kBtu, 1e-6},
    {utPower, "HP", 1 / 0.74569987, 1e-6},
    {utEnthalpy, "Btu/lb", kLb / kBtu, 1e-9},
    {utSpecificHeat, "Btu/lb°F", kLb / kBtu / 1.8, 1e-4},
    {utHeatTransCoeff, "Btu/hr·ft²°F", 3.6 / kBtu * kFt * kFt / 1.8, 1e-4},
    {utThermalResist, "ft²·hr·°F/Btu", 1.8 / (3.6 / kBtu * kFt * kFt), 1e-6},
    {utConductance, "MBH/°F", 3.6 / kBtu / 1.8, 1e-6},
    {utConductivity, "Btu/hr·ft°F", 3600 / kBtu * kFt / 1.8, 2e-4},
    {utMassFlow, "lb/hr", 3600 / kLb, 1e-9},
    {utMassFlux, "lb/ft²s", kFt * kFt / kLb, 1e-9},
    {utDensity, "lb/ft³", kFt * kFt * kFt / kLb, 1e-9},
    {utSpecificVol, "ft³/lb", kLb / (kFt * kFt * kFt), 1e-9},
    {utHumidity, "gr/lb", 7000, 0},
    {utVelocity, "fpm", 60 / kFt, 1e-9},
    {utWaterFlow, "usgpm", 60 / kUsGal, 1e-9},
    {utVolumeFluid, "US Gal", 1000 / kUsGal, 1e-9},
    {utVolumeFluid, "IP Gal", 1000 / 4.54609, 2e-4},
    {utVolume, "ft³", 1 / (kFt * kFt * kFt), 2e-4},
    {utEnergy, "Btu", 1 / kBtu, 1e-6},
    {utEnergy, "kW-hr", 1 / 3600.0, 1e-9},
    {utPressureRateGas, "iwg/100'", 100 * kFt / 249.08891, 1e-6},
    {utPressureRateGas, "Psi/ft", kFt / 6894.757293, 1e-6},
    {utViscosity, "lbm/ft·s", kFt / kLb, 1e-9},
    {utDiameter, "1/8\"", 8 / 0.0254, 1e-9},
    {utLengthSmall, "Thou\"", 1 / 0.0254, 1e-9},
    {utMassSmall, "oz", 16 / (kLb * 1000), 1e-9},
    {utAngularSpeed, "Rad/s", 2 * std::numbers::pi / 60, 1e-9},
    {utHeatOfRespir, "mW/kg", 1e6 / 86400, 1e-9},
    {utFinDensity, "fins/m", 1 / 0.0254, 1e-9},
};

int UnitIndex(TUnitsType type, const std::string& label)
{
    const auto labels = UnitLabels(type);
    const auto found = std::find(labels.begin(), labels.end(), label);
    return found == labels.end() ? -1 : static_cast<int>(found - labels.begin());
}

TEST(UnitTables, FactorsFollowTheUnitDefinitions)
{
    for (const TFactorCase& c : kFactorCases) {
        SCOPED_TRACE(std::string(UnitTypeName(c.Type)) + " " + c.Label);
        const int index = UnitIndex(c.Type, c.Label);
        ASSERT_GE(index, 0);
        const auto info = UnitInfo(c.Type, index, 0);
        ASSERT_TRUE(info);
        EXPECT_NEAR(info->Factor, c.Expected, c.Expected * c.RelativeTolerance + 1e-15);
    }
}

TEST(UnitTables, TemperaturesCarryOffsetsAndDifferencesDoNot)
{
    auto display = [](TUnitsType type, int unit, int base, double stored) {
        const auto info = UnitInfo(type, unit, base);
        return ToDisplay(info->Offset, info->Factor, stored);
    };
    EXPECT_DOUBLE_EQ(display(utTemperature, 1, 0, 20), 68);
    EXPECT_DOUBLE_EQ(display(utTemperature, 2, 0, 0), 273.15);
    EXPECT_DOUBLE_EQ(display(utTemperatureChange, 2, 0, 10), 10);
    EXPECT_DOUBLE_EQ(display(utTemperatureChange, 1, 0, 10), 18);
    const auto fahrenheit = UnitInfo(utTemperature, 1, 0);
    EXPECT_DOUBLE_EQ(FromDisplay(fahrenheit->Offset, fahrenheit->Factor, 68), 20);
    // A value stored in °F shows its own temperature in °C and in K.
    EXPECT_NEAR(display(utTemperature, 0, 1, 212), 100, 1e-12);
    EXPECT_NEAR(display(utTemperature, 2, 1, 32), 273.15, 1e-12);
    // A stored unit other than unit 0: Pa shown in kPa.
    EXPECT_DOUBLE_EQ(display(utPressure, 0, 1, 101325), 101.325);
}

TEST(UnitTables, IndicesOutsideTheTablesAreRefused)
{
    EXPECT_EQ(ClampUnits(utTemperature, 7), 2);
    EXPECT_EQ(ClampUnits(utTemperature, -1), 0);
    EXPECT_EQ(ClampUnits(utNone, 7), 7);
    EXPECT_FALSE(UnitInfo(utTemperature, 3, 0));
    EXPECT_FALSE(UnitInfo(utTemperature, 0, -1));
    EXPECT_EQ(UnitCount(static_cast<TUnitsType>(200)), 0);
    EXPECT_EQ(UnitLabel(utTemperature, 99), "");
    EXPECT_EQ(UnitFormat(utTemperature, -5), "%0.1f");
    const auto none = UnitInfo(utNone, 12, 3);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->Format, "%0.1f");
    EXPECT_EQ(none->Label, "");
}

TEST(UnitTables, AutoFormatFollowsTheMagnitude)
{
    const struct {
        TUnitsType Type;
        int Extra;
        double Value;
        const char* Expected;
    } cases[] = {
        {utTemperature, 0, 24.0, "%0.1f"},   {utTemperature, 0, 5.5, "%0.2f"},
        {utTemperature, 0, 0.25, "%0.3f"},   {utTemperature, 0, 0.05, "%0.4f"},
        {utTemperature, 0, 0.005, "%0.5f"},  {utTemperature, 0, 0.0005, "%0.3g"},
        {utTemperature, 0, 0, "%0.0f"},      {utTemperature, 0, 1e-10, "%0.0f"},
        {utTemperature, 0, -24.0, "%0.1f"},  {utTemperature, 0, 998.2, "%0.0f"},
        {utTemperature, 0, 2.5e9, "%0.0g"},  {utTemperature, 2, 24.0, "%0.3f"},
        {utPressureBar, 0, 101.325, "%0.3f"}, {utPressureBar, 0, 95.4, "%0.4f"},
        {utPressureBar, 1, 95.4, "%0.2f"},
    };
    for (const auto& c : cases) EXPECT_EQ(AutoFormat(c.Type, c.Extra, c.Value), c.Expected) << c.Value;
    EXPECT_EQ(AutoFormat(utTemperature, 0, std::nan("")), "%0.3f");
}

// Every unit of every type: a value typed in the unit's own format, read back to the stored
// unit and shown again, gives the same text.
TEST(UnitTables, DisplayStoredDisplayRoundTripsForEveryUnit)
{
    const double displays[] = {0.5, 1.234567, 12.34567, 98.7654, 1234.567, 45678.9, -17.75, -0.25};
    for (int t = 1; t < kUnitsTypeCount; ++t) {
        const auto type = static_cast<TUnitsType>(t);
        for (int unit = 0; unit < UnitCount(type); ++unit) {
            for (int base = 0; base < UnitCount(type); base += std::max(1, UnitCount(type) - 1)) {
                TNumField field("%0.1f", fs_Edit, 0, 0);
                field.UnitsType = type;
                field.UnitsValue = unit;
                field.UnitsBase = base;
                ASSERT_TRUE(field.ApplyUnits());
                for (double display : displays) {
                    const std::string shown = FormatFloat(UnitFormat(type, unit), display);
                    const TVariant stored = field.TextToValue(shown);
                    ASSERT_TRUE(std::holds_alternative<double>(stored)) << shown;
                    EXPECT_EQ(field.ValueToText(stored), shown)
                        << UnitTypeName(type) << " " << UnitLabel(type, unit) << " stored in "
                        << UnitLabel(type, base) << ": " << shown;
                }
            }
        }
    }
}

}  // namespace
}  // namespace vantor
