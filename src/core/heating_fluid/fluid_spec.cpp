#include "heating_fluid/fluid_spec.h"

#include "heating_fluid/fluid_choice.h"
#include "fluids/transport_props.h"
#include "rows/row_descriptor.h"
#include "text/format.h"

#include <optional>

namespace vantor {

namespace {

// One row with units: descriptor, units type, the stored unit's index; whether the row keeps
// its own format in every unit (the pressure's tenths of a bar) or takes each unit's.
struct TFluidRowSpec {
    int Row;
    TUnitsType Units;
    int BaseUnits;
    std::string_view UnitsKey;
    TFormatType Format = ft_Fixed;
};

constexpr std::array<std::string_view, kFluidSpecRowCount + 1> kDescriptors{
    "Property; Value; Units",
    "Temperature; %0.2f; °C; NPE; -60; 350",
    "Pressure; %0.1f; bar; NPE; 1; 10",
    "Fluid type; enum; ; Water",
    "Additive; enum; ; None; Ethylene Glycol; Propylene Glycol; Calcium Chloride",
    "Additive Volume; %0.2f; 0 to 0.4; NPE; 0.01; 0.45",
    "User Defined; enum; ; False; True",
    "Density; %0.4f; kg/m³; NPE; 0.01; 5000",
    "Specific Heat; %0.3f; kJ/kg·K; NPE; 0.01; 100.0",
    "Dynamic viscosity; %0.4g; kg/m·s; NPE; 1e-9; 10.0",
    "Conductivity; %0.4g; W/m·K; NPE; 1e-9; 10.0",
};

// The settings name of every row's unit, in row order.
constexpr std::array<std::string_view, kFluidSpecRowCount + 1> kUnitsKeys{
    "",           "Units.iTemp", "Units.iPres", "Units.iLiqd", "Units.iATyp", "Units.iAVol",
    "Units.iUser", "Units.iRo",  "Units.iCp",   "Units.iMu",   "Units.iKo",
};

constexpr std::array<TFluidRowSpec, 7> kUnitRows{{
    {fsrTemperature, utTemperature, 0, "Units.iTemp"},
    {fsrPressure, utPressureBar, 2, "Units.iPres", ft_Manual},  // bar stored and shown
    {fsrAdditiveVolume, utProportion, 0, "Units.iAVol"},
    {fsrDensity, utDensity, 0, "Units.iRo"},
    {fsrSpecificHeat, utSpecificHeat, 0, "Units.iCp"},
    {fsrViscosity, utViscosity, 0, "Units.iMu"},
    {fsrConductivity, utConductivity, 0, "Units.iKo"},
}};

std::string ColKey(int col) { return "ColWidths" + std::to_string(col); }

}  // namespace

void TFluidSpecSettings::Read(const TSettingsStore& programKey)
{
    for (int col = 0; col < static_cast<int>(ColWidths.size()); ++col)
        ColWidths[static_cast<size_t>(col)] =
            programKey.ReadInteger(kFluidSpecSection, ColKey(col), ColWidths[static_cast<size_t>(col)]);
    for (const TFluidRowSpec& unitRow : kUnitRows)
        RowUnits[static_cast<size_t>(unitRow.Row)] =
            programKey.ReadInteger(kFluidSpecSection, unitRow.UnitsKey, RowUnits[static_cast<size_t>(unitRow.Row)]);
}

void TFluidSpecSettings::Write(TSettingsStore& programKey) const
{
    for (int col = 0; col < static_cast<int>(ColWidths.size()); ++col)
        programKey.WriteInteger(kFluidSpecSection, ColKey(col), ColWidths[static_cast<size_t>(col)]);
    for (int row = 1; row <= kFluidSpecRowCount; ++row)
        programKey.WriteInteger(kFluidSpecSection, kUnitsKeys[static_cast<size_t>(row)], RowUnits[static_cast<size_t>(row)]);
}

TValueRange FluidSpecRowRange(int row)
{
    if (row < 1 || row > kFluidSpecRowCount) return {};
    return DescriptorRange(kDescriptors[static_cast<size_t>(row)]);
}

TFluidSpec::TFluidSpec(const TFluidSpecUnits& rowUnits) { SetUpRows(rowUnits); }

void TFluidSpec::SetUpRows(const TFluidSpecUnits& rowUnits)
{
    m_rows.SetRows(std::vector<std::string>(kDescriptors.begin(), kDescriptors.end()));
    std::vector<std::string> names(LiquidSpecNames.begin(), LiquidSpecNames.end());
    // The rows were just made from the descriptors, of the kinds these calls need, so none of
    // them can be refused.
    (void)m_rows.SetEnumStrings(fsrFluidType, std::move(names));
    for (const TFluidRowSpec& unitRow : kUnitRows)
        (void)m_rows.SetUnits(unitRow.Row, unitRow.Units, unitRow.BaseUnits, rowUnits[static_cast<size_t>(unitRow.Row)], unitRow.Format, 1.0, 0.0);
}

TFluidSpecUnits TFluidSpec::RowUnits() const
{
    TFluidSpecUnits units{};
    for (int row = 1; row <= kFluidSpecRowCount; ++row) units[static_cast<size_t>(row)] = m_rows.RowUnitsValue(row);
    return units;
}

double TFluidSpec::RowNumber(int row, double fallback) const
{
    return VariantNumber(m_rows.GetValue(1, row)).value_or(fallback);
}

int TFluidSpec::RowIndex(int row, int fallback) const
{
    const std::optional<double> index = VariantNumber(m_rows.GetValue(1, row));
    return index ? static_cast<int>(*index) : fallback;
}

void TFluidSpec::ShowProperties()
{
    m_rows.SetValue(1, fsrDensity, m_liquid->ro);
    m_rows.SetValue(1, fsrSpecificHeat, m_liquid->Cp);
    m_rows.SetValue(1, fsrViscosity, m_liquid->mu);
    m_rows.SetValue(1, fsrConductivity, m_liquid->Ko);
}

void TFluidSpec::ShowLiquid()
{
    m_rows.SetValue(1, fsrTemperature, m_liquid->GetT());
    m_rows.SetValue(1, fsrPressure, m_liquid->GetPf());
    m_rows.SetValue(1, fsrFluidType, static_cast<long long>(m_liquid->LiquidSpec));
    m_rows.SetValue(1, fsrAdditive, static_cast<long long>(m_liquid->WaterAdditive));
    m_rows.SetValue(1, fsrAdditiveVolume, m_liquid->AdditiveVolume);
    m_rows.SetValue(1, fsrUserDefined, static_cast<long long>(m_liquid->UserProps ? 1 : 0));
    ShowProperties();
}

void TFluidSpec::ApplyRules()
{
    // Takes the additive away from anything but water without user properties, clears the
    // volume of water without an additive and gives a newly chosen additive its starting
    // volume; then the properties are computed again.
    ApplyFluidChoice(*m_liquid, {});
    const bool user = m_liquid->UserProps;
    const bool water = m_liquid->LiquidSpec == fcWater && !user;
    m_rows.SetValue(1, fsrAdditive, static_cast<long long>(m_liquid->WaterAdditive));
    m_rows.SetValue(1, fsrAdditiveVolume, m_liquid->AdditiveVolume);
    // Rows of the window's own table: enabling one of them cannot be refused.
    (void)m_rows.SetRowEnabled(fsrAdditive, water);
    (void)m_rows.SetRowEnabled(fsrAdditiveVolume, water && m_liquid->WaterAdditive != waNone);
    for (int row = fsrDensity; row <= fsrConductivity; ++row) (void)m_rows.SetRowEnabled(row, user);
    (void)m_rows.SetRowEnabled(fsrPressure, m_liquid->LiquidSpec == fcCompressedAir);
}

void TFluidSpec::Activate()
{
    if (!m_liquid) return;
    const TLiquid& l = *m_liquid;
    m_backup = {l.t, l.tfo, l.Pf, l.LiquidSpec, l.WaterAdditive, l.AdditiveVolume, l.UserProps,
                l.UserRo, l.UserCp, l.UserMu, l.UserKo, l.Caption};
    ApplyRules();
    ShowLiquid();
}

void TFluidSpec::EditRow(int row)
{
    if (!m_liquid || row < fsrTemperature || row > kFluidSpecRowCount) return;
    TLiquid& liquid = *m_liquid;
    switch (row) {
    case fsrTemperature: liquid.SetT(RowNumber(row, liquid.t)); break;
    case fsrPressure: liquid.SetPf(RowNumber(row, liquid.Pf)); break;
    case fsrFluidType: {
        const int code = RowIndex(row, liquid.LiquidSpec);
        if (code >= 0 && code < kFluidCount) liquid.LiquidSpec = static_cast<std::uint8_t>(code);
        break;
    }
    case fsrAdditive: {
        const int additive = RowIndex(row, liquid.WaterAdditive);
        if (additive >= 0 && additive < kWaterAdditiveCount) liquid.WaterAdditive = static_cast<std::uint8_t>(additive);
        break;
    }
    case fsrAdditiveVolume: liquid.AdditiveVolume = RowNumber(row, liquid.AdditiveVolume); break;
    case fsrUserDefined: liquid.UserProps = RowIndex(row, liquid.UserProps ? 1 : 0) == 1; break;
    case fsrDensity: liquid.UserRo = RowNumber(row, liquid.UserRo); break;
    case fsrSpecificHeat: liquid.UserCp = RowNumber(row, liquid.UserCp); break;
    case fsrViscosity: liquid.UserMu = RowNumber(row, liquid.UserMu); break;
    default: liquid.UserKo = RowNumber(row, liquid.UserKo); break;
    }
    ApplyRules();
    liquid.Caption = liquid.GetCaption();
    // A change of the fluid or its temperature shows the properties it now has, and the
    // user's properties start from them; an edit of a property keeps the others as typed.
    if (row <= fsrUserDefined) ShowProperties();
    liquid.UserRo = RowNumber(fsrDensity, liquid.UserRo);
    liquid.UserCp = RowNumber(fsrSpecificHeat, liquid.UserCp);
    liquid.UserMu = RowNumber(fsrViscosity, liquid.UserMu);
    liquid.UserKo = RowNumber(fsrConductivity, liquid.UserKo);
}

void TFluidSpec::Cancel()
{
    if (!m_liquid) return;
    TLiquid& l = *m_liquid;
    l.t = m_backup.t;
    l.tfo = m_backup.tfo;
    l.Pf = m_backup.Pf;
    l.LiquidSpec = m_backup.LiquidSpec;
    l.WaterAdditive = m_backup.WaterAdditive;
    l.AdditiveVolume = m_backup.AdditiveVolume;
    l.UserProps = m_backup.UserProps;
    l.UserRo = m_backup.UserRo;
    l.UserCp = m_backup.UserCp;
    l.UserMu = m_backup.UserMu;
    l.UserKo = m_backup.UserKo;
    l.Update();
    l.Caption = m_backup.Caption;
}

std::string TFluidSpec::RangeText() const
{
    if (!m_liquid) return {};
    return Format("Valid range = [%s .. %s] %s", {m_rows.FormatRowValue(fsrTemperature, m_liquid->Tmin),
                                                   m_rows.FormatRowValue(fsrTemperature, m_liquid->Tmax),
                                                   m_rows.Cell(2, fsrTemperature)});
}

bool TFluidSpec::OutOfRange() const
{
    return m_liquid && (m_liquid->t < m_liquid->Tmin || m_liquid->t > m_liquid->Tmax);
}

}  // namespace vantor
