#include "selection/selection_settings.h"

#include <cmath>

namespace vantor {

namespace {

// A stored number that is not positive and finite keeps the default.
void ReadPositive(const TSettingsStore& key, std::string_view name, double& value)
{
    const double stored = key.ReadFloat(kCoilSelectionSection, name, value);
    if (std::isfinite(stored) && stored > 0) value = stored;
}

void ReadRange(const TSettingsStore& key, std::string_view lo, std::string_view hi, TIntRange& range)
{
    const int first = key.ReadInteger(kCoilSelectionSection, lo, range.Lo);
    const int last = key.ReadInteger(kCoilSelectionSection, hi, range.Hi);
    if (first >= 1 && last >= first && last <= 1000) range = {first, last};
}

}  // namespace

TSelectionSettings ReadSelectionSettings(const TSettingsStore& key)
{
    TSelectionSettings s;
    const std::string_view section = kCoilSelectionSection;
    const double margin = key.ReadFloat(section, "Margin", s.Limits.Margin);
    if (std::isfinite(margin) && margin >= 0) s.Limits.Margin = margin;
    ReadPositive(key, "MaxAirDP", s.Limits.MaxAirDrop);
    ReadPositive(key, "MaxFluidDP", s.Limits.MaxFluidDrop);
    ReadPositive(key, "MinTubeVelocity", s.Limits.MinTubeVelocity);
    ReadPositive(key, "MaxTubeVelocity", s.Limits.MaxTubeVelocity);
    ReadPositive(key, "MaxFaceVelocity", s.Limits.MaxFaceVelocity);
    ReadPositive(key, "MinHeight", s.Space.MinHeight);
    ReadPositive(key, "MaxHeight", s.Space.MaxHeight);
    ReadPositive(key, "MinLength", s.Space.MinLength);
    ReadPositive(key, "MaxLength", s.Space.MaxLength);
    ReadPositive(key, "AspectLo", s.Space.AspectLo);
    ReadPositive(key, "AspectHi", s.Space.AspectHi);
    ReadRange(key, "RowsLo", "RowsHi", s.Space.Rows);
    ReadRange(key, "FinsLo", "FinsHi", s.Space.Fins);
    s.FixedFace = key.ReadBool(section, "FixedFace", s.FixedFace);
    ReadPositive(key, "FixedHeight", s.FixedHeight);
    ReadPositive(key, "FixedLength", s.FixedLength);
    s.Maker = key.ReadString(section, "Maker", s.Maker);
    s.Range = key.ReadString(section, "Range", s.Range);
    s.ByFlow = key.ReadBool(section, "ByFlow", s.ByFlow);
    const int top = key.ReadInteger(section, "Top", s.Top);
    if (top >= 1 && top <= 1000) s.Top = top;
    s.Distinct = key.ReadBool(section, "Distinct", s.Distinct);
    return s;
}

void WriteSelectionSettings(TSettingsStore& key, const TSelectionSettings& s)
{
    const std::string_view section = kCoilSelectionSection;
    key.WriteFloat(section, "Margin", s.Limits.Margin);
    key.WriteFloat(section, "MaxAirDP", s.Limits.MaxAirDrop);
    key.WriteFloat(section, "MaxFluidDP", s.Limits.MaxFluidDrop);
    key.WriteFloat(section, "MinTubeVelocity", s.Limits.MinTubeVelocity);
    key.WriteFloat(section, "MaxTubeVelocity", s.Limits.MaxTubeVelocity);
    key.WriteFloat(section, "MaxFaceVelocity", s.Limits.MaxFaceVelocity);
    key.WriteFloat(section, "MinHeight", s.Space.MinHeight);
    key.WriteFloat(section, "MaxHeight", s.Space.MaxHeight);
    key.WriteFloat(section, "MinLength", s.Space.MinLength);
    key.WriteFloat(section, "MaxLength", s.Space.MaxLength);
    key.WriteFloat(section, "AspectLo", s.Space.AspectLo);
    key.WriteFloat(section, "AspectHi", s.Space.AspectHi);
    key.WriteInteger(section, "RowsLo", s.Space.Rows.Lo);
    key.WriteInteger(section, "RowsHi", s.Space.Rows.Hi);
    key.WriteInteger(section, "FinsLo", s.Space.Fins.Lo);
    key.WriteInteger(section, "FinsHi", s.Space.Fins.Hi);
    key.WriteBool(section, "FixedFace", s.FixedFace);
    key.WriteFloat(section, "FixedHeight", s.FixedHeight);
    key.WriteFloat(section, "FixedLength", s.FixedLength);
    key.WriteString(section, "Maker", s.Maker);
    key.WriteString(section, "Range", s.Range);
    key.WriteBool(section, "ByFlow", s.ByFlow);
    key.WriteInteger(section, "Top", s.Top);
    key.WriteBool(section, "Distinct", s.Distinct);
}

}  // namespace vantor
