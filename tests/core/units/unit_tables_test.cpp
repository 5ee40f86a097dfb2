#include "units/unit_tables.h"

#include "text/format.h"
#include "rows/num_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>

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

// A stored value and what a published table gives for it in one unit.
struct TPublishedConversion {
    TUnitsType Type;
    const char* Label;
    double Stored;
    double Shown;
    double Tolerance;
};

void PrintTo(const TPublishedConversion& c, std::ostream* out) { *out << UnitTypeName(c.Type) << " " << c.Label; }

class UnitTables : public testing::TestWithParam<TPublishedConversion> {};

TEST_F(UnitTables, TypesHaveTheirUnitsNamesAndPresets)
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

int UnitIndex(TUnitsType type, const std::string& label)
{
    const auto labels = UnitLabels(type);
    const auto found = std::find(labels.begin(), labels.end(), label);
    return found == labels.end() ? -1 : static_cast<int>(found - labels.begin());
}

// Every unit of every table against what one of it is in SI, as conversion tables list it
// (NIST SP 811, 2008, Appendix B), written from the definitions: 1 ft = 0.3048 m,
// 1 in = 0.0254 m, 1 lb = 0.45359237 kg, 1 lbf = 1 lb x 9.80665 m/s², 1 Btu(IT) = 1.05505585262 kJ,
// 1 kcal(IT) = 4.1868 kJ, 1 atm = 101.325 kPa, 1 hp = 550 ft·lbf/s, 1 US gal = 3.785411784 l,
// 1 imperial gal = 4.54609 l, conventional heads of water (1000 kg/m³) and mercury
// (13595.1 kg/m³). The expected factor of a unit is SI(unit 0) / SI(unit).
struct TUnitReference {
    const char* Label;
    double Si;  // one of the unit in the table's SI unit
};
struct TTableReference {
    std::vector<TUnitsType> Types;
    std::vector<TUnitReference> Units;
};

constexpr double kFt = 0.3048;
constexpr double kIn = 0.0254;
constexpr double kLb = 0.45359237;
constexpr double kLbf = kLb * 9.80665 / 1000;  // kN
constexpr double kBtu = 1.05505585262;         // kJ
constexpr double kUsGal = 3.785411784;         // l
constexpr double kPsiKPa = kLbf / (kIn * kIn);
constexpr double kInWgKPa = 9.80665 * kIn;
constexpr double kInHgKPa = 13.5951 * 9.80665 * kIn;
constexpr double kHpKW = 550 * kFt * kLbf;
constexpr double kHour = 3600;

const std::vector<TTableReference> kTableReferences = {
    {{utAirFlowPrim, utAirFlowSec},  // m³/s
     {{"m³/s", 1}, {"m³/min", 1 / 60.0}, {"m³/hr", 1 / kHour}, {"l/s", 0.001}, {"cfm", kFt * kFt * kFt / 60}}},
    {{utAirFlowSmall},  // l/s
     {{"l/s", 1}, {"m³/min", 1000 / 60.0}, {"cfm", 1000 * kFt * kFt * kFt / 60}}},
    {{utAirFlowRate},  // m/s
     {{"m³/s/m²", 1}, {"m³/min/m²", 1 / 60.0}, {"m³/hr/m²", 1 / kHour}, {"l/s/m²", 0.001}, {"cfm/ft²", kFt / 60}}},
    {{utAirPressDrop, utPressure, utPressureSteam, utWaterPressDrop},  // kPa
     {{"kPa", 1}, {"Pa", 0.001}, {"Psi", kPsiKPa}, {"Bar", 100}, {"Atm", 101.325}, {"InchWg", kInWgKPa},
      {"InchHg", kInHgKPa}, {"mHead", 9.80665}}},
    {{utAltitude}, {{"m", 1}, {"ft", kFt}}},
    {{utAngularSpeed},  // rev/min
     {{"rpm", 1}, {"Rad/s", 60 / (2 * std::numbers::pi)}, {"Rev/s", 60}}},
    {{utArea}, {{"m²", 1}, {"cm²", 1e-4}, {"mm²", 1e-6}, {"inch²", kIn * kIn}, {"ft²", kFt * kFt}}},
    {{utCondensateRate},  // g/s
     {{"g/s", 1}, {"kg/s", 1000}, {"kg/min", 1000 / 60.0}, {"lb/hr", 1000 * kLb / kHour}}},
    {{utConductance},  // kW/K
     {{"kW/°C", 1}, {"W/°C", 0.001}, {"MBH/°F", 1000 * kBtu / kHour * 1.8}, {"Btu/h°F", kBtu / kHour * 1.8}}},
    {{utConductivity},  // kW/(m·K)
     {{"kW/m·K", 1}, {"W/m·K", 0.001}, {"mW/m·K", 1e-6}, {"Btu/hr·ft°F", kBtu / kHour / kFt * 1.8}}},
    {{utDensity}, {{"kg/m³", 1}, {"mg/L", 0.001}, {"lb/ft³", kLb / (kFt * kFt * kFt)}}},
    {{utDiameter}, {{"m", 1}, {"mm", 0.001}, {"inch", kIn}, {"1/8\"", kIn / 8}, {"ft", kFt}}},
    {{utDutyPrim, utDutySec},  // kW
     {{"kW", 1}, {"W", 0.001}, {"Btu/hr", kBtu / kHour}, {"MBh", 1000 * kBtu / kHour}, {"kcal/hr", 4.1868 / kHour}}},
    {{utDutyRate},  // W/m²
     {{"W/m²", 1}, {"kW/m²", 1000}, {"Btu/hr·ft²", 1000 * kBtu / kHour / (kFt * kFt)},
      {"MBh/ft²", 1e6 * kBtu / kHour / (kFt * kFt)}, {"kcal/hr·ft²", 4186.8 / kHour / (kFt * kFt)}}},
    {{utEnergy},  // kJ
     {{"kJ", 1}, {"J", 0.001}, {"kW-hr", kHour}, {"W-hr", kHour / 1000}, {"Btu", kBtu}}},
    {{utEnergyPerVol}, {{"kW/cms", 1}, {"kJ/m³", 1}, {"Btu/ft³", kBtu / (kFt * kFt * kFt)}}},
    {{utEnthalpy}, {{"kJ/kg", 1}, {"Btu/lb", kBtu / kLb}}},
    {{utFinDensity},  // fins per inch
     {{"fpi", 1}, {"fin/mm", 25.4}, {"fins/m", kIn}, {"fins/ft", 1 / 12.0}}},
    {{utHeatOfRespir},  // kJ/(kg·day)
     {{"kJ/kg/day", 1}, {"mW/kg", 86400 / 1e6}, {"Btu/lb/day", kBtu / kLb}}},
    {{utHeatTransCoeff},  // W/(m²·K)
     {{"W/m²°C", 1}, {"Btu/hr·ft²°F", 1000 * kBtu / kHour / (kFt * kFt) * 1.8}}},
    {{utHumidity}, {{"kg/kg", 1}, {"g/kg", 0.001}, {"gr/lb", 1 / 7000.0}}},
    {{utLengthBig}, {{"m", 1}, {"ft", kFt}}},
    {{utLengthMeasure, utLengthPrim, utLengthSec},
     {{"m", 1}, {"cm", 0.01}, {"mm", 0.001}, {"inch", kIn}, {"ft", kFt}}},
    {{utLengthSmall},  // mm
     {{"mm", 1}, {"um", 0.001}, {"Thou\"", 25.4 / 1000}}},
    {{utMass}, {{"kg", 1}, {"ton SI", 1000}, {"lb", kLb}}},
    {{utMassSmall}, {{"g", 1}, {"oz", 1000 * kLb / 16}}},
    {{utMassFlow, utMassFlowGas},  // kg/s
     {{"kg/s", 1}, {"g/s", 0.001}, {"kg/hr", 1 / kHour}, {"lb/s", kLb}, {"lb/min", kLb / 60}, {"lb/hr", kLb / kHour}}},
    {{utMassFlux},  // kg/(m²·s)
     {{"kg/m²s", 1}, {"g/m²s", 0.001}, {"kg/m²hr", 1 / kHour}, {"lb/ft²s", kLb / (kFt * kFt)},
      {"lb/ft²min", kLb / (kFt * kFt) / 60}, {"lb/ft²hr", kLb / (kFt * kFt) / kHour}}},
    {{utMetRate}, {{"W/P", 1}, {"Btu/hr/P", 1000 * kBtu / kHour}}},
    {{utPeopleDensity}, {{"m²/P", 1}, {"ft²/P", kFt * kFt}}},
    {{utPower}, {{"kW", 1}, {"W", 0.001}, {"HP", kHpKW}}},
    {{utPressureBar},
     {{"kPa", 1}, {"Psi", kPsiKPa}, {"Bar", 100}, {"Atm", 101.325}, {"InchHg", kInHgKPa}, {"mHead", 9.80665}}},
    {{utPressureRateGas, utPressureRateLiquid},  // Pa/m
     {{"Pa/m", 1}, {"kPa/m", 1000}, {"iwg/100'", 1000 * kInWgKPa / (100 * kFt)}, {"Psi/ft", 1000 * kPsiKPa / kFt}}},
    {{utProportion}, {{"", 1}, {"%", 0.01}, {"ratio", 1}}},
    {{utRate}, {{"/sec", 1}, {"/min", 1 / 60.0}, {"/hr", 1 / kHour}}},
    {{utSpecificHeat}, {{"kJ/kg·K", 1}, {"Btu/lb°F", kBtu / kLb * 1.8}}},
    {{utSpecificVol}, {{"m³/kg", 1}, {"ft³/lb", kFt * kFt * kFt / kLb}}},
    {{utTemperature, utTemperatureChange}, {{"°C", 1}, {"°F", 1 / 1.8}, {"K", 1}}},
    {{utThermalCapacity},  // W·h/(m²·K)
     {{"W-hr/m²°C", 1}, {"Btu/ft²°F", 1000 * kBtu / kHour / (kFt * kFt) * 1.8}}},
    {{utThermalResist},  // m²·K/W
     {{"m²°C/W", 1}, {"ft²·hr·°F/Btu", kFt * kFt / (1000 * kBtu / kHour) / 1.8}}},
    {{utTime}, {{"sec", 1}, {"min", 60}, {"hr", kHour}}},
    {{utVelocity}, {{"m/s", 1}, {"fpm", kFt / 60}}},
    {{utViscosity},  // Pa·s
     {{"kg/m·s", 1}, {"N·s/m²", 1}, {"µPa·s", 1e-6}, {"cP", 0.001}, {"lbm/ft·s", kLb / kFt},
      {"lbf·s/ft²", 1000 * kLbf / (kFt * kFt)}, {"lbf·hr/ft²", 1000 * kLbf * kHour / (kFt * kFt)}}},
    {{utVolume}, {{"m³", 1}, {"litre", 0.001}, {"cc", 1e-6}, {"ft³", kFt * kFt * kFt}, {"inch³", kIn * kIn * kIn}}},
    {{utVolumeFluid},  // kl
     {{"kl", 1}, {"litre", 0.001}, {"IP Gal", 4.54609 / 1000}, {"US Gal", kUsGal / 1000}}},
    {{utWaterFlow},  // l/s
     {{"l/s", 1}, {"l/min", 1 / 60.0}, {"dm³/hr", 1 / kHour}, {"m³/hr", 1000 / kHour}, {"m³/s", 1000},
      {"usgpm", kUsGal / 60}}},
};

TEST_F(UnitTables, EveryUnitFollowsItsDefinition)
{
    std::vector<bool> covered(kUnitsTypeCount, false);
    for (const TTableReference& table : kTableReferences) {
        for (const TUnitsType type : table.Types) {
            SCOPED_TRACE(UnitTypeName(type));
            covered[type] = true;
            ASSERT_EQ(UnitCount(type), static_cast<int>(table.Units.size()));
            for (int unit = 0; unit < UnitCount(type); ++unit) {
                const TUnitReference& reference = table.Units[static_cast<size_t>(unit)];
                EXPECT_EQ(UnitLabel(type, unit), reference.Label);
                const auto info = UnitInfo(type, unit, 0);
                ASSERT_TRUE(info);
                const double expected = table.Units.front().Si / reference.Si;
                EXPECT_NEAR(info->Factor, expected, expected * 1e-12) << reference.Label;
            }
        }
    }
    for (int t = 1; t < kUnitsTypeCount; ++t) EXPECT_TRUE(covered[static_cast<size_t>(t)]) << UnitTypeName(TUnitsType(t));
}

// Conversions engineers know by heart, as published (NIST SP 811; ASHRAE Handbook
// Fundamentals, chapter 38), checked to the digits given.
TEST_P(UnitTables, WellKnownConversionsShowTheirPublishedDigits)
{
    const TPublishedConversion& c = GetParam();
    const int index = UnitIndex(c.Type, c.Label);
    ASSERT_GE(index, 0);
    const auto info = UnitInfo(c.Type, index, 0);
    ASSERT_TRUE(info);
    EXPECT_NEAR(ToDisplay(info->Offset, info->Factor, c.Stored), c.Shown, c.Tolerance);
}

INSTANTIATE_TEST_SUITE_P(, UnitTables,
                         testing::Values(TPublishedConversion{utPressureBar, "InchHg", 101.325, 29.92126, 5e-6},
                                         TPublishedConversion{utPressureBar, "Psi", 101.325, 14.6959, 5e-5},
                                         TPublishedConversion{utPressureBar, "Atm", 101.325, 1, 1e-12},
                                         TPublishedConversion{utPressure, "InchWg", 0.249089, 1, 5e-6},
                                         TPublishedConversion{utDutyPrim, "Btu/hr", 1, 3412.14, 5e-3},
                                         TPublishedConversion{utDutyPrim, "kcal/hr", 1, 859.845, 5e-4},
                                         TPublishedConversion{utDutyPrim, "MBh", 1, 3.41214, 5e-6},
                                         TPublishedConversion{utAirFlowPrim, "cfm", 1, 2118.88, 5e-3},
                                         TPublishedConversion{utWaterFlow, "usgpm", 1, 15.8503, 5e-5},
                                         TPublishedConversion{utHeatTransCoeff, "Btu/hr·ft²°F", 1, 0.176110, 5e-7},
                                         TPublishedConversion{utThermalResist, "ft²·hr·°F/Btu", 1, 5.678263, 5e-7},
                                         TPublishedConversion{utConductivity, "Btu/hr·ft°F", 0.001, 0.577789, 5e-7},
                                         TPublishedConversion{utSpecificHeat, "Btu/lb°F", 4.1868, 1, 1e-12},
                                         TPublishedConversion{utEnthalpy, "Btu/lb", 2.326, 1, 1e-12},
                                         TPublishedConversion{utVolume, "ft³", 1, 35.3147, 5e-5},
                                         TPublishedConversion{utVolume, "inch³", 1, 61023.74, 5e-3},
                                         TPublishedConversion{utVolumeFluid, "IP Gal", 1, 219.969, 5e-4},
                                         TPublishedConversion{utPower, "HP", 0.7456999, 1, 5e-7},
                                         TPublishedConversion{utVelocity, "fpm", 1, 196.850, 5e-4},
                                         TPublishedConversion{utViscosity, "lbf·s/ft²", 47.88026, 1, 5e-7},
                                         TPublishedConversion{utTemperature, "°F", 100, 212, 1e-12},
                                         TPublishedConversion{utTemperature, "K", 0, 273.15, 1e-12}));

TEST_F(UnitTables, TemperaturesCarryOffsetsAndDifferencesDoNot)
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

TEST_F(UnitTables, IndicesOutsideTheTablesAreRefused)
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

TEST_F(UnitTables, AutoFormatFollowsTheMagnitude)
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
TEST_F(UnitTables, DisplayStoredDisplayRoundTripsForEveryUnit)
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
