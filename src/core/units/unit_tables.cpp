#include "units/unit_tables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>

namespace vantor {

namespace {

struct TUnitDef {
    std::string_view Label;
    double Factor;
    std::string_view Format;
    double Offset = 0.0;
};

struct TTypeDef {
    std::string_view Name;
    std::span<const TUnitDef> Units;
    int Metric;
    int Imperial;
};

// Factors are the number of the unit in one unit 0 of its table. The conversions rest on
// 1 ft = 0.3048 m, 1 lb = 0.45359237 kg, 1 Btu = 1055.05585 J, 1 psi = 6.894757 kPa,
// 1 US gal = 3.785411784 l and 1 grain = 1/7000 lb.
constexpr TUnitDef kAirFlow[] = {
    {"m³/s", 1, "%0.3f"}, {"m³/min", 60, "%0.2f"}, {"m³/hr", 3600, "%0.0f"},
    {"l/s", 1000, "%0.0f"}, {"cfm", 2118.88000329, "%0.2f"}};
constexpr TUnitDef kAirFlowSmall[] = {
    {"l/s", 1, "%0.1f"}, {"m³/min", 0.06, "%0.2f"}, {"cfm", 2.11888000329, "%0.3f"}};
constexpr TUnitDef kAirFlowRate[] = {
    {"m³/s/m²", 1, "%0.3f"}, {"m³/min/m²", 60, "%0.2f"}, {"m³/hr/m²", 3600, "%0.0f"},
    {"l/s/m²", 1000, "%0.0f"}, {"cfm/ft²", 196.850393701, "%0.2f"}};
constexpr TUnitDef kPressure[] = {
    {"kPa", 1, "%0.3f"}, {"Pa", 1000, "%0.0f"}, {"Psi", 0.145037680789, "%0.4f"},
    {"Bar", 0.01, "%0.5f"}, {"Atm", 0.00986923, "%0.5f"}, {"InchWg", 4.01463075976, "%0.4f"},
    {"InchHg", 0.295, "%0.4f"}, {"mHead", 0.101971621298, "%0.4f"}};
constexpr TUnitDef kAltitude[] = {{"m", 1, "%0.1f"}, {"ft", 3.28083989501, "%0.1f"}};
constexpr TUnitDef kAngularSpeed[] = {
    {"rpm", 1, "%0.0f"}, {"Rad/s", 0.10471975512, "%0.3f"}, {"Rev/s", 0.0166666666667, "%0.0f"}};
constexpr TUnitDef kArea[] = {
    {"m²", 1, "%0.1f"}, {"cm²", 10000, "%0.1f"}, {"mm²", 1000000, "%0.0f"},
    {"inch²", 1550.00310001, "%0.2f"}, {"ft²", 10.7639104167, "%0.1f"}};
constexpr TUnitDef kCondensateRate[] = {
    {"g/s", 1, "%0.1f"}, {"kg/s", 0.001, "%0.4f"}, {"kg/min", 0.06, "%0.3f"},
    {"lb/hr", 7.93664143866, "%0.3f"}};
constexpr TUnitDef kConductance[] = {
    {"kW/°C", 1, "%0.3f"}, {"W/°C", 1000, "%0.0f"}, {"MBH/°F", 1.89563397583, "%0.3f"},
    {"Btu/h°F", 1895.63397583, "%0.0f"}};
constexpr TUnitDef kConductivity[] = {
    {"kW/m·K", 1, "%0.6g"}, {"W/m·K", 1000, "%0.6g"}, {"mW/m·K", 1000000, "%0.6g"},
    {"Btu/hr·ft°F", 577.7, "%0.6g"}};
constexpr TUnitDef kDensity[] = {
    {"kg/m³", 1, "%0.5g"}, {"mg/L", 1000, "%0.1g"}, {"lb/ft³", 0.0624279605761, "%0.4g"}};
constexpr TUnitDef kDiameter[] = {
    {"m", 1, "%0.3f"}, {"mm", 1000, "%0.0f"}, {"inch", 39.3700787402, "%0.2f"},
    {"1/8\"", 314.960629921, "%0.0f"}, {"ft", 3.28083989501, "%0.3f"}};
constexpr TUnitDef kDuty[] = {
    {"kW", 1, "%0.3f"}, {"W", 1000, "%0.0f"}, {"Btu/hr", 3412.14115649, "%0.0f"},
    {"MBh", 3.41214115649, "%0.3f"}, {"kcal/hr", 859.184, "%0.1f"}};
constexpr TUnitDef kDutyRate[] = {
    {"W/m²", 1, "%0.1f"}, {"kW/m²", 0.001, "%0.3f"}, {"Btu/hr·ft²", 0.316998286347, "%0.1f"},
    {"MBh/ft²", 0.000316998286347, "%0.3f"}, {"kcal/hr·ft²", 0.0798208055194, "%0.1f"}};
constexpr TUnitDef kEnergy[] = {
    {"kJ", 1, "%0.3f"}, {"J", 1000, "%0.0f"}, {"kW-hr", 0.000277777777778, "%0.5g"},
    {"W-hr", 0.277777777778, "%0.5g"}, {"Btu", 0.947816987913, "%0.5g"}};
constexpr TUnitDef kEnergyPerVol[] = {
    {"kW/cms", 1, "%0.3f"}, {"kJ/m³", 1, "%0.3f"}, {"Btu/ft³", 0.026839188244, "%0.3f"}};
constexpr TUnitDef kEnthalpy[] = {{"kJ/kg", 1, "%0.1f"}, {"Btu/lb", 0.429922613929, "%0.1f"}};
constexpr TUnitDef kFinDensity[] = {
    {"fpi", 1, "%0.4f"}, {"fin/mm", 0.0393700787402, "%0.5f"}, {"fins/m", 39.3700787402, "%0.3f"},
    {"fins/ft", 12, "%0.3f"}};
constexpr TUnitDef kHeatOfRespir[] = {
    {"kJ/kg/day", 1, "%0.2f"}, {"mW/kg", 11.5740740741, "%0.4f"},
    {"Btu/lb/day", 0.429922613929, "%0.2f"}};
constexpr TUnitDef kHeatTransCoeff[] = {
    {"W/m²°C", 1, "%0.5g"}, {"Btu/hr·ft²°F", 0.176118351532, "%0.5g"}};
constexpr TUnitDef kHumidity[] = {{"kg/kg", 1, "%0.4f"}, {"g/kg", 1000, "%0.2f"}, {"gr/lb", 7000, "%0.1f"}};
constexpr TUnitDef kLengthBig[] = {{"m", 1, "%0.2f"}, {"ft", 3.28083989501, "%0.1f"}};
constexpr TUnitDef kLength[] = {
    {"m", 1, "%0.3f"}, {"cm", 100, "%0.2f"}, {"mm", 1000, "%0.1f"},
    {"inch", 39.3700787402, "%0.2f"}, {"ft", 3.28083989501, "%0.3f"}};
constexpr TUnitDef kLengthSmall[] = {
    {"mm", 1, "%0.4f"}, {"um", 1000, "%0.1f"}, {"Thou\"", 39.3700787402, "%0.3f"}};
constexpr TUnitDef kMass[] = {{"kg", 1, "%0.0f"}, {"ton SI", 0.001, "%0.3f"}, {"lb", 2.20462262185, "%0.1f"}};
constexpr TUnitDef kMassSmall[] = {{"g", 1, "%0.1f"}, {"oz", 0.0352739619496, "%0.3f"}};
constexpr TUnitDef kMassFlow[] = {
    {"kg/s", 1, "%0.4f"}, {"g/s", 1000, "%0.1f"}, {"kg/hr", 3600, "%0.2f"},
    {"lb/s", 2.20462262185, "%0.5f"}, {"lb/min", 132.277357311, "%0.3f"},
    {"lb/hr", 7936.64143866, "%0.1f"}};
constexpr TUnitDef kMassFlux[] = {
    {"kg/m²s", 1, "%0.3f"}, {"g/m²s", 1000, "%0.0f"}, {"kg/m²hr", 3600, "%0.1f"},
    {"lb/ft²s", 0.204816143623, "%0.4f"}, {"lb/ft²min", 12.2889686174, "%0.2f"},
    {"lb/ft²hr", 737.338117041, "%0.0f"}};
constexpr TUnitDef kMetRate[] = {{"W/P", 1, "%0.1f"}, {"Btu/hr/P", 3.41214115649, "%0.0f"}};
constexpr TUnitDef kPeopleDensity[] = {{"m²/P", 1, "%0.1f"}, {"ft²/P", 10.7639104167, "%0.2f"}};
constexpr TUnitDef kPower[] = {{"kW", 1, "%0.3f"}, {"W", 1000, "%0.0f"}, {"HP", 1.34102185866, "%0.2f"}};
constexpr TUnitDef kPressureBar[] = {
    {"kPa", 1, "%0.3f"}, {"Psi", 0.145037680789, "%0.4f"}, {"Bar", 0.01, "%0.5f"},
    {"Atm", 0.00986923, "%0.5f"}, {"InchHg", 0.295, "%0.4f"}, {"mHead", 0.101971621298, "%0.4f"}};
constexpr TUnitDef kPressureRate[] = {
    {"Pa/m", 1, "%0.2f"}, {"kPa/m", 0.001, "%0.5f"}, {"iwg/100'", 0.122365945557, "%0.4f"},
    {"Psi/ft", 4.42074851046e-05, "%0.6f"}};
constexpr TUnitDef kProportion[] = {{"", 1, "%0.3f"}, {"%", 100, "%0.1f"}, {"ratio", 1, "%0.3f"}};
constexpr TUnitDef kRate[] = {{"/sec", 1, "%0.4f"}, {"/min", 60, "%0.2f"}, {"/hr", 3600, "%0.0f"}};
constexpr TUnitDef kSpecificHeat[] = {{"kJ/kg·K", 1, "%0.4g"}, {"Btu/lb°F", 0.2388344877, "%0.4g"}};
constexpr TUnitDef kSpecificVol[] = {{"m³/kg", 1, "%0.3f"}, {"ft³/lb", 16.018463374, "%0.3f"}};
// Absolute temperatures have a zero offset (°F = 32 + 1.8 °C, K = 273.15 + °C); differences do not.
constexpr TUnitDef kTemperature[] = {{"°C", 1, "%0.1f", 0}, {"°F", 1.8, "%0.1f", 32}, {"K", 1, "%0.2f", 273.15}};
constexpr TUnitDef kTemperatureChange[] = {{"°C", 1, "%0.1f"}, {"°F", 1.8, "%0.1f"}, {"K", 1, "%0.2f"}};
constexpr TUnitDef kThermalCapacity[] = {{"W-hr/m²°C", 1, "%0.1f"}, {"Btu/ft²°F", 0.176118351532, "%0.1f"}};
constexpr TUnitDef kThermalResist[] = {{"m²°C/W", 1, "%0.4f"}, {"ft²·hr·°F/Btu", 5.67826413431, "%0.3f"}};
constexpr TUnitDef kTime[] = {{"sec", 1, "%0.0f"}, {"min", 0.0166666666667, "%0.2f"}, {"hr", 0.000277777777778, "%0.4f"}};
constexpr TUnitDef kVelocity[] = {{"m/s", 1, "%0.2f"}, {"fpm", 196.850393701, "%0.1f"}};
constexpr TUnitDef kViscosity[] = {
    {"kg/m·s", 1, "%0.6g"}, {"N·s/m²", 1, "%0.6g"}, {"µPa·s", 1000000, "%0.6g"}, {"cP", 1000, "%0.6g"},
    {"lbm/ft·s", 0.671968975141, "%0.6g"}, {"lbf·s/ft²", 0.020885, "%0.6g"},
    {"lbf·hr/ft²", 5.8014e-06, "%0.6g"}};
constexpr TUnitDef kVolume[] = {
    {"m³", 1, "%0.4f"}, {"litre", 1000, "%0.2f"}, {"cc", 1000000, "%0.0f"}, {"ft³", 35.32, "%0.4f"},
    {"inch³", 61023, "%0.1f"}};
constexpr TUnitDef kVolumeFluid[] = {
    {"kl", 1, "%0.3f"}, {"litre", 1000, "%0.5g"}, {"IP Gal", 220, "%0.5g"}, {"US Gal", 264.172052358, "%0.5g"}};
constexpr TUnitDef kWaterFlow[] = {
    {"l/s", 1, "%0.3f"}, {"l/min", 60, "%0.2f"}, {"dm³/hr", 3600, "%0.2f"}, {"m³/hr", 3.6, "%0.2f"},
    {"m³/s", 0.001, "%0.4f"}, {"usgpm", 15.8503231415, "%0.1f"}};

// Indexed by the ordinal of TUnitsType.
constexpr std::array<TTypeDef, kUnitsTypeCount> kTypes = {{
    {"None", {}, 0, 0},
    {"Air Flow - Primary", kAirFlow, 0, 4},
    {"Air Flow - Secondary", kAirFlow, 3, 4},
    {"Air Flow - Small", kAirFlowSmall, 0, 2},
    {"Air Flow Rate", kAirFlowRate, 3, 4},
    {"Air Pressure Drop", kPressure, 1, 5},
    {"Altitude", kAltitude, 0, 1},
    {"Angular Speed", kAngularSpeed, 0, 0},
    {"Area", kArea, 0, 4},
    {"Condensate Rate", kCondensateRate, 0, 3},
    {"Conductance", kConductance, 0, 2},
    {"Conductivity", kConductivity, 1, 3},
    {"Density", kDensity, 0, 2},
    {"Diameter", kDiameter, 1, 2},
    {"Duty - Primary", kDuty, 0, 2},
    {"Duty - Secondary", kDuty, 1, 2},
    {"Duty Rate", kDutyRate, 0, 2},
    {"Energy", kEnergy, 2, 4},
    {"Energy Per Volume", kEnergyPerVol, 0, 2},
    {"Enthalpy", kEnthalpy, 0, 1},
    {"Fin Density", kFinDensity, 2, 0},
    {"Heat of Respiration", kHeatOfRespir, 0, 2},
    {"Heat Transfer Coefficient", kHeatTransCoeff, 0, 1},
    {"Humidity", kHumidity, 1, 2},
    {"Length - Big", kLengthBig, 0, 1},
    {"Length - Measurement", kLength, 2, 3},
    {"Length - Primary", kLength, 0, 4},
    {"Length - Secondary", kLength, 2, 3},
    {"Length - Small", kLengthSmall, 0, 2},
    {"Mass", kMass, 0, 2},
    {"Mass - Small", kMassSmall, 0, 1},
    {"MassFlow", kMassFlow, 0, 3},
    {"MassFlow - Refrig./Steam", kMassFlow, 2, 5},
    {"MassFlux", kMassFlux, 0, 3},
    {"Metabolic Rate", kMetRate, 0, 1},
    {"People Density", kPeopleDensity, 0, 1},
    {"Power", kPower, 0, 2},
    {"Pressure - Absolute or Gauge", kPressure, 0, 2},
    {"Pressure - Barometric", kPressureBar, 0, 4},
    {"Pressure - Steam", kPressure, 3, 2},
    {"Pressure Rate - Gas", kPressureRate, 0, 2},
    {"Pressure Rate - Liquid", kPressureRate, 1, 3},
    {"Proportion", kProportion, 0, 0},
    {"Rate", kRate, 0, 1},
    {"Specific Heat", kSpecificHeat, 0, 1},
    {"Specific Volume", kSpecificVol, 0, 1},
    {"Temperature", kTemperature, 0, 1},
    {"Temperature Change", kTemperatureChange, 0, 1},
    {"Thermal Capacity", kThermalCapacity, 0, 1},
    {"Thermal Resistance", kThermalResist, 0, 1},
    {"Time", kTime, 0, 1},
    {"Velocity", kVelocity, 0, 1},
    {"Viscosity", kViscosity, 0, 4},
    {"Volume", kVolume, 0, 3},
    {"Fluid Volume", kVolumeFluid, 0, 3},
    {"Water Flow", kWaterFlow, 0, 5},
    {"Water Pressure Drop", kPressure, 0, 2},
}};

constexpr std::string_view kNoneFormat = "%0.1f";

const TTypeDef& TypeDef(TUnitsType type)
{
    // An enum read from outside may hold any byte; such a value describes no quantity.
    return type < kTypes.size() ? kTypes[type] : kTypes[utNone];
}

const TUnitDef* FindUnit(TUnitsType type, int index)
{
    const auto units = TypeDef(type).Units;
    if (index < 0 || static_cast<size_t>(index) >= units.size()) return nullptr;
    return &units[static_cast<size_t>(index)];
}

}  // namespace

int UnitCount(TUnitsType type) { return static_cast<int>(TypeDef(type).Units.size()); }

bool IsValidUnit(TUnitsType type, int index) { return FindUnit(type, index) != nullptr; }

std::string UnitTypeName(TUnitsType type) { return std::string(TypeDef(type).Name); }

std::string UnitLabel(TUnitsType type, int index)
{
    const TUnitDef* unit = FindUnit(type, index);
    return unit ? std::string(unit->Label) : std::string();
}

std::string UnitFormat(TUnitsType type, int index)
{
    const TUnitDef* unit = FindUnit(type, index);
    return std::string(unit ? unit->Format : kNoneFormat);
}

std::vector<std::string> UnitLabels(TUnitsType type)
{
    std::vector<std::string> labels;
    for (const TUnitDef& unit : TypeDef(type).Units) labels.emplace_back(unit.Label);
    return labels;
}

std::optional<TUnitInfo> UnitInfo(TUnitsType type, int units, int baseUnits)
{
    if (TypeDef(type).Units.empty()) return TUnitInfo{std::string(kNoneFormat), 0.0, 1.0, {}};
    const TUnitDef* unit = FindUnit(type, units);
    const TUnitDef* base = FindUnit(type, baseUnits);
    if (!unit || !base) return std::nullopt;
    TUnitInfo info;
    info.Format = unit->Format;
    info.Label = unit->Label;
    info.Factor = unit->Factor / base->Factor;
    // A stored unit with an offset of its own (a value kept in °F) is first brought to the
    // table's zero; for the usual stored unit 0 this is just the selected unit's offset.
    info.Offset = unit->Offset - info.Factor * base->Offset;
    return info;
}

int ClampUnits(TUnitsType type, int index)
{
    const int count = UnitCount(type);
    if (count == 0) return index;
    return index < 0 ? 0 : (index >= count ? count - 1 : index);
}

int MetricUnits(TUnitsType type, int defaultIndex)
{
    return TypeDef(type).Units.empty() ? defaultIndex : TypeDef(type).Metric;
}

int ImperialUnits(TUnitsType type, int defaultIndex)
{
    return TypeDef(type).Units.empty() ? defaultIndex : TypeDef(type).Imperial;
}

std::string AutoFormat(TUnitsType type, int extra, double value)
{
    if (type == utPressureBar && extra == 0) extra = 3;
    double magnitude = std::fabs(value);
    if (magnitude < 1e-9) magnitude = 0;
    const double whole = std::trunc(std::fabs(value));
    const bool general = magnitude != 0 && (whole >= 1e9 || magnitude <= 0.001);
    int decimals = 3;
    if (whole >= 100 || magnitude == 0) decimals = 0;
    else if (whole >= 10) decimals = 1;
    else if (whole >= 1) decimals = 2;
    else if (magnitude > 0.1) decimals = 3;
    else if (magnitude > 0.01) decimals = 4;
    else if (magnitude > 0.001) decimals = 5;
    const int precision = std::max(0, decimals + extra);
    return "%0." + std::to_string(precision) + (general ? "g" : "f");
}

}  // namespace vantor
