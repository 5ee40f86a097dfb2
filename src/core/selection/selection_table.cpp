#include "selection/selection_table.h"

#include "text/format.h"
#include "units/unit_format.h"
#include "units/units_registry.h"

#include <array>
#include <string_view>

namespace vantor {

namespace {

// A column: its caption and the registry quantity it shows (none for names, the rank and
// the margin, which is a share of the design duty).
struct TColumnDef {
    std::string_view Caption;
    std::string_view Section;
    std::string_view Key;
};

constexpr std::array<TColumnDef, TSelectionTable::kColumnCount> kColumns{{
    {"#", "", ""},
    {"Maker", "", ""},
    {"Range", "", ""},
    {"Model", "", ""},
    {"Vf", "air", "v"},
    {"Duty", "hex", "duty"},
    {"Margin", "", ""},
    {"Air dP", "air", "dp"},
    {"Fluid dP", "liquid", "dp"},
    {"Flow", "liquid", "mass_flow"},
    {"Vw", "liquid", "v"},
    {"Air off", "air", "t"},
    {"Fluid out", "liquid", "t"},
    {"Pipe", "hex", "pipe_conn"},
    {"Weight", "hex", "mass"},
}};

constexpr std::string_view kMarginFormat = "%0.1f";
constexpr std::string_view kMarginLabel = "%";

bool IsColumn(int column) { return column >= 0 && column < TSelectionTable::kColumnCount; }

// The stored value of a quantity column, in the unit its registry record holds.
double ValueOf(const TSelectionResult& r, int column)
{
    switch (column) {
    case TSelectionTable::kFaceVelocity: return r.FaceVelocity;
    case TSelectionTable::kDuty: return r.Duty;
    case TSelectionTable::kMargin: return 100 * r.Margin;
    case TSelectionTable::kAirDrop: return r.AirPressureDrop;
    case TSelectionTable::kFluidDrop: return r.FluidPressureDrop;
    case TSelectionTable::kFluidFlow: return r.FluidFlow;
    case TSelectionTable::kTubeVelocity: return r.TubeVelocity;
    case TSelectionTable::kAirOff: return r.AirOff.db;
    case TSelectionTable::kFluidOut: return r.LeavingTemp;
    case TSelectionTable::kPipe: return r.PipeSize;
    case TSelectionTable::kWeight: return r.DryWeight;
    default: return 0;
    }
}

std::string NameOf(const TSelectionResult& r, int column)
{
    switch (column) {
    case TSelectionTable::kMaker: return r.Maker;
    case TSelectionTable::kRange: return r.Range;
    case TSelectionTable::kModel: return r.Designation;
    default: return {};
    }
}

}  // namespace

TSelectionTable::TSelectionTable(const TUnitsRegistry& units)
{
    for (int column = 0; column < kColumnCount; ++column) {
        const auto [section, key] = Quantity(column);
        const UnitRec* found = section.empty() ? nullptr : units.Find(section, key);
        m_units.push_back(found ? *found : UnitRec{});
    }
}

std::pair<std::string_view, std::string_view> TSelectionTable::Quantity(int column)
{
    if (!IsColumn(column)) return {};
    const TColumnDef& def = kColumns[static_cast<size_t>(column)];
    return {def.Section, def.Key};
}

UnitRec& TSelectionTable::Unit(int column) const { return m_units[static_cast<size_t>(column)]; }

std::string TSelectionTable::Heading(int column) const
{
    if (!IsColumn(column)) return {};
    const std::string caption(kColumns[static_cast<size_t>(column)].Caption);
    if (column == kMargin) return caption + "\n" + std::string(kMarginLabel);
    if (!IsNumber(column) || column == kRank) return caption;
    UnitRec& unit = Unit(column);
    RefreshUnitRec(unit);
    return caption + "\n" + unit.Label;
}

std::string TSelectionTable::Text(const TSelectionResult& r, int rank, int column) const
{
    if (!IsColumn(column)) return {};
    switch (column) {
    case kRank: return std::to_string(rank + 1);
    case kMaker:
    case kRange:
    case kModel: return NameOf(r, column);
    case kMargin: return Format(kMarginFormat, {ValueOf(r, column)});
    case kAirOff: return UnitPairText(Unit(column), false, "", true, r.AirOff.db, r.AirOff.wb);
    default: return UnitText(Unit(column), false, "", true, ValueOf(r, column));
    }
}

TSelectionTable::TSortKey TSelectionTable::SortKey(const TSelectionResult& r, int rank, int column) const
{
    if (column == kRank) return static_cast<double>(rank);
    if (IsNumber(column)) return ValueOf(r, column);
    return NameOf(r, column);
}

}  // namespace vantor
