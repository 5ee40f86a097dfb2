#include "units/unit_tables.h"

#include "psychro/standard_atmosphere.h"

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

// Factors are the number of the unit in one unit 0 of its table, written from the defining
// values of the units (NIST SP 811, 2008 edition, Appendix B; ISO 80000), so every digit is
// the standard's. All of these are exact by definition; where a published table rounds one,
// its value is given beside it.
constexpr double kFoot = 0.3048;                    // m, international foot
constexpr double kInch = 0.0254;                    // m
constexpr double kPound = 0.45359237;               // kg, avoirdupois pound
constexpr double kGravity = 9.80665;                // m/s², standard acceleration of gravity
constexpr double kPoundForce = kPound * kGravity;   // N
constexpr double kBtu = 1.05505585262;              // kJ, International Table Btu (2.326 kJ/kg per Btu/lb)
constexpr double kKilocalorie = 4.1868;             // kJ, International Table kilocalorie
constexpr double kFahrenheitDegree = 1.8;           // °F per K
constexpr double kSecondsPerHour = 3600;
constexpr double kPsi = kPoundForce / (kInch * kInch) / 1000;  // kPa; 6.894757 kPa in NIST SP 811
// Conventional heads: water of 1000 kg/m³ and mercury of 13595.1 kg/m³ under standard gravity.
constexpr double kMetreOfWater = kGravity;                      // kPa
constexpr double kInchOfWater = kGravity * kInch;               // kPa; 249.0889 Pa in NIST SP 811
constexpr double kInchOfMercury = 13.5951 * kGravity * kInch;   // kPa; 3.386389 kPa in NIST SP 811
constexpr double kHorsepower = 550 * kFoot * kPoundForce / 1000;  // kW, 550 ft·lbf/s; 0.7456999 kW in NIST SP 811
constexpr double kUsGallon = 3.785411784;           // l
constexpr double kImperialGallon = 4.54609;         // l
constexpr double kGrainsPerPound = 7000;
constexpr double kPi = 3.14159265358979323846;

constexpr double kSquareFoot = kFoot * kFoot;
constexpr double kCubicFoot = kFoot * kFoot * kFoot;
constexpr double kBtuPerHourInKilowatt = kSecondsPerHour / kBtu;  // 3412.14 Btu/hr in 1 kW
constexpr double kBtuPerHourInWatt = kBtuPerHourInKilowatt / 1000;
constexpr double kKilocaloriesPerHourInKilowatt = kSecondsPerHour / kKilocalorie;  // 859.845 kcal/hr in 1 kW
// 1 W/(m²·K) in Btu/(hr·ft²·°F): 0.176110
constexpr double kImperialCoefficientInSi = kBtuPerHourInWatt * kSquareFoot / kFahrenheitDegree;

constexpr TUnitDef kAirFlow[] = {
    {"m³/s", 1, "%0.3f"}, {"m³/min", 60, "%0.2f"}, {"m³/hr", 3600, "%0.0f"},
    {"l/s", 1000, "%0.0f"}, {"cfm", 60 / (kCubicFoot), "%0.2f"}};
constexpr TUnitDef kAirFlowSmall[] = {
    {"l/s", 1, "%0.1f"}, {"m³/min", 0.06, "%0.2f"}, {"cfm", 60 / (kCubicFoot) / 1000, "%0.3f"}};
constexpr TUnitDef kAirFlowRate[] = {
    {"m³/s/m²", 1, "%0.3f"}, {"m³/min/m²", 60, "%0.2f"}, {"m³/hr/m²", 3600, "%0.0f"},
    {"l/s/m²", 1000, "%0.0f"}, {"cfm/ft²", 60 / kFoot, "%0.2f"}};
constexpr TUnitDef kPressure[] = {
    {"kPa", 1, "%0.3f"}, {"Pa", 1000, "%0.0f"}, {"Psi", 1 / kPsi, "%0.4f"},
    {"Bar", 0.01, "%0.5f"}, {"Atm", 1 / kStandardAtmosphere, "%0.5f"}, {"InchWg", 1 / kInchOfWater, "%0.4f"},
    {"InchHg", 1 / kInchOfMercury, "%0.4f"}, {"mHead", 1 / kMetreOfWater, "%0.4f"}};
constexpr TUnitDef kAltitude[] = {{"m", 1, "%0.1f"}, {"ft", 1 / kFoot, "%0.1f"}};
constexpr TUnitDef kAngularSpeed[] = {
    {"rpm", 1, "%0.0f"}, {"Rad/s", 2 * kPi / 60, "%0.3f"}, {"Rev/s", 1.0 / 60, "%0.0f"}};
constexpr TUnitDef kArea[] = {
    {"m²", 1, "%0.1f"}, {"cm²", 10000, "%0.1f"}, {"mm²", 1000000, "%0.0f"},
    {"inch²", 1 / (kInch * kInch), "%0.2f"}, {"ft²", 1 / kSquareFoot, "%0.1f"}};
constexpr TUnitDef kCondensateRate[] = {
    {"g/s", 1, "%0.1f"}, {"kg/s", 0.001, "%0.4f"}, {"kg/min", 0.06, "%0.3f"},
    {"lb/hr", 3.6 / kPound, "%0.3f"}};
constexpr TUnitDef kConductance[] = {
    {"kW/°C", 1, "%0.3f"}, {"W/°C", 1000, "%0.0f"},
    {"MBH/°F", kBtuPerHourInKilowatt / 1000 / kFahrenheitDegree, "%0.3f"},
    {"Btu/h°F", kBtuPerHourInKilowatt / kFahrenheitDegree, "%0.0f"}};
constexpr TUnitDef kConductivity[] = {
    {"kW/m·K", 1, "%0.6g"}, {"W/m·K", 1000, "%0.6g"}, {"mW/m·K", 1000000, "%0.6g"},
    {"Btu/hr·ft°F", kBtuPerHourInKilowatt * kFoot / kFahrenheitDegree, "%0.6g"}};
constexpr TUnitDef kDensity[] = {
    {"kg/m³", 1, "%0.5g"}, {"mg/L", 1000, "%0.1g"}, {"lb/ft³", kCubicFoot / kPound, "%0.4g"}};
constexpr TUnitDef kDiameter[] = {
    {"m", 1, "%0.3f"}, {"mm", 1000, "%0.0f"}, {"inch", 1 / kInch, "%0.2f"},
    {"1/8\"", 8 / kInch, "%0.0f"}, {"ft", 1 / kFoot, "%0.3f"}};
constexpr TUnitDef kDuty[] = {
    {"kW", 1, "%0.3f"}, {"W", 1000, "%0.0f"}, {"Btu/hr", kBtuPerHourInKilowatt, "%0.0f"},
    {"MBh", kBtuPerHourInKilowatt / 1000, "%0.3f"}, {"kcal/hr", kKilocaloriesPerHourInKilowatt, "%0.1f"}};
constexpr TUnitDef kDutyRate[] = {
    {"W/m²", 1, "%0.1f"}, {"kW/m²", 0.001, "%0.3f"}, {"Btu/hr·ft²", kBtuPerHourInWatt * kSquareFoot, "%0.1f"},
    {"MBh/ft²", kBtuPerHourInWatt / 1000 * kSquareFoot, "%0.3f"},
    {"kcal/hr·ft²", kKilocaloriesPerHourInKilowatt / 1000 * kSquareFoot, "%0.1f"}};
constexpr TUnitDef kEnergy[] = {
    {"kJ", 1, "%0.3f"}, {"J", 1000, "%0.0f"}, {"kW-hr", 1 / kSecondsPerHour, "%0.5g"},
    {"W-hr", 1000 / kSecondsPerHour, "%0.5g"}, {"Btu", 1 / kBtu, "%0.5g"}};
constexpr TUnitDef kEnergyPerVol[] = {
    {"kW/cms", 1, "%0.3f"}, {"kJ/m³", 1, "%0.3f"}, {"Btu/ft³", kCubicFoot / kBtu, "%0.3f"}};
constexpr TUnitDef kEnthalpy[] = {{"kJ/kg", 1, "%0.1f"}, {"Btu/lb", kPound / kBtu, "%0.1f"}};
constexpr TUnitDef kFinDensity[] = {
    {"fpi", 1, "%0.4f"}, {"fin/mm", 1 / (1000 * kInch), "%0.5f"}, {"fins/m", 1 / kInch, "%0.3f"},
    {"fins/ft", 12, "%0.3f"}};
constexpr TUnitDef kHeatOfRespir[] = {
    {"kJ/kg/day", 1, "%0.2f"}, {"mW/kg", 1e6 / (24 * kSecondsPerHour), "%0.4f"},
    {"Btu/lb/day", kPound / kBtu, "%0.2f"}};
constexpr TUnitDef kHeatTransCoeff[] = {
    {"W/m²°C", 1, "%0.5g"}, {"Btu/hr·ft²°F", kImperialCoefficientInSi, "%0.5g"}};
constexpr TUnitDef kHumidity[] = {{"kg/kg", 1, "%0.4f"}, {"g/kg", 1000, "%0.2f"}, {"gr/lb", kGrainsPerPound, "%0.1f"}};
constexpr TUnitDef kLengthBig[] = {{"m", 1, "%0.2f"}, {"ft", 1 / kFoot, "%0.1f"}};
constexpr TUnitDef kLength[] = {
    {"m", 1, "%0.3f"}, {"cm", 100, "%0.2f"}, {"mm", 1000, "%0.1f"},
    {"inch", 1 / kInch, "%0.2f"}, {"ft", 1 / kFoot, "%0.3f"}};
constexpr TUnitDef kLengthSmall[] = {
    {"mm", 1, "%0.4f"}, {"um", 1000, "%0.1f"}, {"Thou\"", 1 / kInch, "%0.3f"}};
constexpr TUnitDef kMass[] = {{"kg", 1, "%0.0f"}, {"ton SI", 0.001, "%0.3f"}, {"lb", 1 / kPound, "%0.1f"}};
constexpr TUnitDef kMassSmall[] = {{"g", 1, "%0.1f"}, {"oz", 16 / (1000 * kPound), "%0.3f"}};
constexpr TUnitDef kMassFlow[] = {
    {"kg/s", 1, "%0.4f"}, {"g/s", 1000, "%0.1f"}, {"kg/hr", 3600, "%0.2f"},
    {"lb/s", 1 / kPound, "%0.5f"}, {"lb/min", 60 / kPound, "%0.3f"},
    {"lb/hr", kSecondsPerHour / kPound, "%0.1f"}};
constexpr TUnitDef kMassFlux[] = {
    {"kg/m²s", 1, "%0.3f"}, {"g/m²s", 1000, "%0.0f"}, {"kg/m²hr", 3600, "%0.1f"},
    {"lb/ft²s", kSquareFoot / kPound, "%0.4f"}, {"lb/ft²min", 60 * kSquareFoot / kPound, "%0.2f"},
    {"lb/ft²hr", kSecondsPerHour * kSquareFoot / kPound, "%0.0f"}};
constexpr TUnitDef kMetRate[] = {{"W/P", 1, "%0.1f"}, {"Btu/hr/P", kBtuPerHourInWatt, "%0.0f"}};
constexpr TUnitDef kPeopleDensity[] = {{"m²/P", 1, "%0.1f"}, {"ft²/P", 1 / kSquareFoot, "%0.2f"}};
constexpr TUnitDef kPower[] = {{"kW", 1, "%0.3f"}, {"W", 1000, "%0.0f"}, {"HP", 1 / kHorsepower, "%0.2f"}};
constexpr TUnitDef kPressureBar[] = {
    {"kPa", 1, "%0.3f"}, {"Psi", 1 / kPsi, "%0.4f"}, {"Bar", 0.01, "%0.5f"},
    {"Atm", 1 / kStandardAtmosphere, "%0.5f"}, {"InchHg", 1 / kInchOfMercury, "%0.4f"}, {"mHead", 1 / kMetreOfWater, "%0.4f"}};
constexpr TUnitDef kPressureRate[] = {
    {"Pa/m", 1, "%0.2f"}, {"kPa/m", 0.001, "%0.5f"}, {"iwg/100'", 100 * kFoot / (1000 * kInchOfWater), "%0.4f"},
    {"Psi/ft", kFoot / (1000 * kPsi), "%0.6f"}};
constexpr TUnitDef kProportion[] = {{"", 1, "%0.3f"}, {"%", 100, "%0.1f"}, {"ratio", 1, "%0.3f"}};
constexpr TUnitDef kRate[] = {{"/sec", 1, "%0.4f"}, {"/min", 60, "%0.2f"}, {"/hr", 3600, "%0.0f"}};
constexpr TUnitDef kSpecificHeat[] = {{"kJ/kg·K", 1, "%0.4g"}, {"Btu/lb°F", kPound / kBtu / kFahrenheitDegree, "%0.4g"}};
constexpr TUnitDef kSpecificVol[] = {{"m³/kg", 1, "%0.3f"}, {"ft³/lb", kPound / (kCubicFoot), "%0.3f"}};
// Absolute temperatures have a zero offset (°F = 32 + 1.8 °C, K = 273.15 + °C); differences do not.
constexpr TUnitDef kTemperature[] = {{"°C", 1, "%0.1f", 0}, {"°F", kFahrenheitDegree, "%0.1f", 32}, {"K", 1, "%0.2f", 273.15}};
constexpr TUnitDef kTemperatureChange[] = {{"°C", 1, "%0.1f"}, {"°F", kFahrenheitDegree, "%0.1f"}, {"K", 1, "%0.2f"}};
constexpr TUnitDef kThermalCapacity[] = {{"W-hr/m²°C", 1, "%0.1f"}, {"Btu/ft²°F", kImperialCoefficientInSi, "%0.1f"}};
constexpr TUnitDef kThermalResist[] = {{"m²°C/W", 1, "%0.4f"}, {"ft²·hr·°F/Btu", 1 / kImperialCoefficientInSi, "%0.3f"}};
constexpr TUnitDef kTime[] = {{"sec", 1, "%0.0f"}, {"min", 1.0 / 60, "%0.2f"}, {"hr", 1 / kSecondsPerHour, "%0.4f"}};
constexpr TUnitDef kVelocity[] = {{"m/s", 1, "%0.2f"}, {"fpm", 60 / kFoot, "%0.1f"}};
constexpr TUnitDef kViscosity[] = {
    {"kg/m·s", 1, "%0.6g"}, {"N·s/m²", 1, "%0.6g"}, {"µPa·s", 1000000, "%0.6g"}, {"cP", 1000, "%0.6g"},
    {"lbm/ft·s", kFoot / kPound, "%0.6g"}, {"lbf·s/ft²", kSquareFoot / kPoundForce, "%0.6g"},
    {"lbf·hr/ft²", kSquareFoot / kPoundForce / kSecondsPerHour, "%0.6g"}};
constexpr TUnitDef kVolume[] = {
    {"m³", 1, "%0.4f"}, {"litre", 1000, "%0.2f"}, {"cc", 1000000, "%0.0f"}, {"ft³", 1 / (kCubicFoot), "%0.4f"},
    {"inch³", 1 / (kInch * kInch * kInch), "%0.1f"}};
constexpr TUnitDef kVolumeFluid[] = {
    {"kl", 1, "%0.3f"}, {"litre", 1000, "%0.5g"}, {"IP Gal", 1000 / kImperialGallon, "%0.5g"},
    {"US Gal", 1000 / kUsGallon, "%0.5g"}};
constexpr TUnitDef kWaterFlow[] = {
    {"l/s", 1, "%0.3f"}, {"l/min", 60, "%0.2f"}, {"dm³/hr", 3600, "%0.2f"}, {"m³/hr", 3.6, "%0.2f"},
    {"m³/s", 0.001, "%0.4f"}, {"usgpm", 60 / kUsGallon, "%0.1f"}};

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
