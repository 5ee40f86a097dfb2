#include "rows/unit_choices.h"

#include "rows/property_rows.h"
#include "units/unit_tables.h"

namespace vantor {

namespace {

TUnitsType TypeAt(size_t ordinal) { return static_cast<TUnitsType>(ordinal); }

}  // namespace

TUnitChoices::TUnitChoices() { Metric(); }

void TUnitChoices::ApplyPreset(int (*preset)(TUnitsType, int))
{
    for (size_t i = 0; i < m_choices.size(); ++i)
        if (TypeAt(i) != utProportion) m_choices[i] = preset(TypeAt(i), 0);
}

void TUnitChoices::Metric() { ApplyPreset(MetricUnits); }

void TUnitChoices::Imperial() { ApplyPreset(ImperialUnits); }

int TUnitChoices::UnitChoice(TUnitsType type) const
{
    return type < m_choices.size() ? m_choices[type] : 0;
}

bool TUnitChoices::SetUnitChoice(TUnitsType type, int index)
{
    if (!IsValidUnit(type, index)) return false;
    m_choices[type] = index;
    return true;
}

void TUnitChoices::ApplyUnitChoices(TPropertyRows& rows) const
{
    // Every row counted exists, and only a missing row can be refused.
    for (int row = 1; row < rows.RowCount(); ++row)
        if (rows.RowHasUnits(row)) (void)rows.SetRowUnitsValue(row, UnitChoice(rows.RowUnitsType(row)));
}

void TUnitChoices::Load(const TSettingsStore& sharedKey)
{
    for (size_t i = 0; i < m_choices.size(); ++i)
        SetUnitChoice(TypeAt(i), sharedKey.ReadInteger(kUnitChoicesSection, UnitTypeName(TypeAt(i)), m_choices[i]));
}

void TUnitChoices::Save(TSettingsStore& sharedKey) const
{
    for (size_t i = 0; i < m_choices.size(); ++i)
        sharedKey.WriteInteger(kUnitChoicesSection, UnitTypeName(TypeAt(i)), m_choices[i]);
}

}  // namespace vantor
