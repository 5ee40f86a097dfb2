#include "selection/selection_input_units.h"

#include "selection/selection_table.h"
#include "text/format.h"
#include "units/unit_format.h"
#include "units/unit_tables.h"
#include "units/units_registry.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vantor {

namespace {

// An input: the results table's column whose quantity it takes, or (kNoColumn) a quantity of
// its own; its SI range and the step it is typed to in SI.
constexpr int kNoColumn = -1;

struct TInputDef {
    int Column;
    std::string_view Section;
    std::string_view Key;
    double Lo;
    double Hi;
    double Step;
    bool Difference = false;
};

// Indexed by TSelectionInputUnits::TInput. Units as TSelectionRequest holds them: kW, m³/s,
// K, kg/s, Pa for the air, kPa for the fluid, m/s, m.
constexpr std::array<TInputDef, TSelectionInputUnits::kInputCount> kInputs{{
    {TSelectionTable::kDuty, "", "", 0.1, 100000, 0.01},
    {kNoColumn, "air", "vol_flow", 0.001, 1000, 0.001},
    {kNoColumn, "liquid", "dt", 0.1, 200, 0.01, true},
    {TSelectionTable::kFluidFlow, "", "", 0.0001, 10000, 0.0001},
    {TSelectionTable::kAirDrop, "", "", 1, 10000, 1},
    {TSelectionTable::kFluidDrop, "", "", 0.1, 10000, 0.1},
    {TSelectionTable::kTubeVelocity, "", "", 0, 20, 0.01},
    {TSelectionTable::kTubeVelocity, "", "", 0.01, 20, 0.01},
    {TSelectionTable::kFaceVelocity, "", "", 0.1, 20, 0.01},
    // The coil editor's finned length: the unit the user reads coil faces in.
    {kNoColumn, "fat", "length", 0.01, 25, 0.0001},
    {kNoColumn, "fat", "length", 0.1, 50, 0.0001},
}};

constexpr std::string_view kBarometerSection = "place";
constexpr std::string_view kBarometerKey = "barom_pressure";

// Shown values within this of a step are taken as on it, so that 0.1 × 1000 rounds to 100.
constexpr double kStepTolerance = 1e-6;

const TInputDef& Def(TSelectionInputUnits::TInput input) { return kInputs[static_cast<size_t>(input)]; }

UnitRec CopyOf(const TUnitsRegistry& units, std::string_view section, std::string_view key)
{
    const UnitRec* found = units.Find(section, key);
    UnitRec rec = found ? *found : UnitRec{};
    RefreshUnitRec(rec);
    return rec;
}

UnitRec CopyOfColumn(const TUnitsRegistry& units, int column)
{
    const auto [section, key] = TSelectionTable::Quantity(column);
    return CopyOf(units, section, key);
}

}  // namespace

TSelectionInputUnits::TSelectionInputUnits(const TUnitsRegistry& units)
    : m_airTemp(CopyOfColumn(units, TSelectionTable::kAirOff)),
      m_fluidTemp(CopyOfColumn(units, TSelectionTable::kFluidOut)),
      m_barometer(CopyOf(units, kBarometerSection, kBarometerKey))
{
    for (int input = 0; input < kInputCount; ++input) {
        const TInputDef& def = kInputs[static_cast<size_t>(input)];
        m_units[static_cast<size_t>(input)] =
            def.Column == kNoColumn ? CopyOf(units, def.Section, def.Key) : CopyOfColumn(units, def.Column);
    }
}

std::string TSelectionInputUnits::Label(TInput input) const { return Unit(input).Label; }

double TSelectionInputUnits::Shown(TInput input, double stored) const
{
    const UnitRec& unit = Unit(input);
    return ToDisplay(Def(input).Difference ? 0.0 : unit.Offset, unit.Factor, stored);
}

double TSelectionInputUnits::Stored(TInput input, double shown) const
{
    const UnitRec& unit = Unit(input);
    return FromDisplay(Def(input).Difference ? 0.0 : unit.Offset, unit.Factor, shown);
}

int TSelectionInputUnits::Decimals(TInput input) const
{
    const double step = Def(input).Step * Unit(input).Factor;
    if (!std::isfinite(step) || step <= 0) return 0;  // no unit to scale by: whole numbers
    return std::max(0, static_cast<int>(std::ceil(-std::log10(step) - kStepTolerance)));
}

double TSelectionInputUnits::Lowest(TInput input) const
{
    const double scale = std::pow(10.0, Decimals(input));
    return std::floor(Shown(input, Def(input).Lo) * scale + kStepTolerance) / scale;
}

double TSelectionInputUnits::Highest(TInput input) const
{
    const double scale = std::pow(10.0, Decimals(input));
    return std::ceil(Shown(input, Def(input).Hi) * scale - kStepTolerance) / scale;
}

std::string TSelectionInputUnits::AirOnText(const TMoistAirState& air) const
{
    UnitRec temp = m_airTemp;
    UnitRec pressure = m_barometer;
    return UnitPairText(temp, true, " ", true, air.db, air.wb) + " at " + UnitText(pressure, true, " ", true, air.P);
}

std::string TSelectionInputUnits::FluidText(const TSelectionRequirement& req) const
{
    UnitRec temp = m_fluidTemp;
    return Format("%s, %s in", {req.Fluid.GetCaption(), UnitText(temp, true, " ", true, req.FluidInlet)});
}

}  // namespace vantor
