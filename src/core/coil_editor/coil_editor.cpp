#include "coil_editor/coil_editor.h"

#include "model/coil.h"
#include "model/liquid_coil.h"

#include "fluids/liquid.h"
#include "geometry/circuit_fractions.h"
#include "coil_editor/coil_editor_steps.h"
#include "reports/colors.h"
#include "settings/settings_store.h"
#include "text/format.h"
#include "units/unit_format.h"
#include "units/units_registry.h"

#include <cmath>
#include <exception>
#include <limits>
#include <optional>

namespace vantor {

namespace {

constexpr TColor kBlack = RgbColor(0, 0, 0);
constexpr TColor kOrangeRedColor = RgbColor(255, 69, 0);
constexpr TColor kIndianRed = RgbColor(205, 92, 92);
constexpr TColor kRedColor = RgbColor(255, 0, 0);

// A quantity's value and unit, in the unit the user chose.
std::string UnitValue(const TCoil& coil, std::string_view section, std::string_view key, double x)
{
    const UnitRec* found = coil.UnitsRegistry().Find(section, key);
    UnitRec rec = found ? *found : UnitRec{};
    return UnitText(rec, true, " ", false, x);
}

// An entry drawn in color: a warning unless the shade is plain black.
TSummaryEntry Shaded(std::string caption, std::string value, TColor color, bool valueFirst = false)
{
    const TSummarySeverity severity = color == kBlack ? TSummarySeverity::Normal : TSummarySeverity::Warning;
    return {std::move(caption), std::move(value), severity, color, valueFirst};
}

// The fin pitch as its edit shows it, four decimals, so a pitch of 25.4/8.4667 counts as 3 mm.
double ShownPitch(double pitch) { return std::round(pitch * 1e4) / 1e4; }

}  // namespace

TFatUnitChoices TFatUnitChoices::Read(const TSettingsStore& programKey)
{
    TFatUnitChoices choices;
    const TFatUnitChoices defaults;
    choices.DesignDuty = programKey.ReadInteger(kSection, "DesignDutyUnits", defaults.DesignDuty);
    choices.FinHeight = programKey.ReadInteger(kSection, "FinHeightUnits", defaults.FinHeight);
    choices.FinnedLength = programKey.ReadInteger(kSection, "FinnedLengthUnits", defaults.FinnedLength);
    choices.FinDensity = programKey.ReadInteger(kSection, "FinDensityUnits", defaults.FinDensity);
    choices.FinPitch = programKey.ReadInteger(kSection, "FinPitchUnits", defaults.FinPitch);
    return choices;
}

void TFatUnitChoices::Write(TSettingsStore& programKey) const
{
    programKey.WriteInteger(kSection, "DesignDutyUnits", DesignDuty);
    programKey.WriteInteger(kSection, "FinHeightUnits", FinHeight);
    programKey.WriteInteger(kSection, "FinnedLengthUnits", FinnedLength);
    programKey.WriteInteger(kSection, "FinDensityUnits", FinDensity);
    programKey.WriteInteger(kSection, "FinPitchUnits", FinPitch);
}

TLiquidCoil* TFatEditor::LiquidCoil() const { return dynamic_cast<TLiquidCoil*>(m_coil); }

void TFatEditor::Activate()
{
    if (!m_coil) return;
    m_savedRecord = m_coil->Geometry().ModelRecord();
    m_savedAirVolume = m_coil->AirVolume();
    if (const TLiquidCoil* liquid = LiquidCoil()) m_savedVelocity = liquid->LiquidState.vw;
    ShowSummary();
}

void TFatEditor::GeometryChanged(std::optional<double> outOfReachDuty)
{
    m_outOfReachDuty = outOfReachDuty;
    if (m_apply) m_apply(KeepAirFlow);
    ShowSummary();
}

void TFatEditor::ApplyAirFlow()
{
    if (KeepAirFlow)
        m_coil->SetAirVolume(m_coil->AirVolume());
    else
        m_coil->SetAirVolume(m_coil->FaceArea() * m_coil->FaceVelocity());
}

void TFatEditor::ApplyFinHeight(double height)
{
    // The circuits keep the serpentine fraction the coil had before its height changed.
    const int serp = m_coil->SerpentineIndex();
    const double fraction = serp >= 0 && serp <= kLastCircuitFraction ? CircuitFractions[static_cast<size_t>(serp)].Value
                                                                       : CircuitFractions[kHalfCircuitFraction].Value;
    m_coil->SetFinHeight(TypedFinHeight(height, m_coil->Geometry().TubePitch()));
    ApplyAirFlow();
    const double basis = m_coil->Geometry().CircuitBasis() == kBasisRowsDeep
                             ? m_coil->Rows()
                             : static_cast<double>(m_coil->Geometry().TubesHigh());
    m_coil->SetCircuits(fraction * basis);
}

void TFatEditor::ApplyFinDensity(double fpi) { m_coil->SetFinDensity(fpi); }

void TFatEditor::ApplyRows(double rows)
{
    m_coil->SetRows(rows);
    // Fewer rows must not leave a circuit without a tube.
    const double tubes = m_coil->Rows() * m_coil->Geometry().TubesHigh();
    if (m_coil->Circ() > 0 && tubes / m_coil->Circ() < 1) m_coil->SetCircuits(tubes);
}

void TFatEditor::EditExit(TFatValue value, double x)
{
    if (!m_coil || !std::isfinite(x)) return;
    switch (value) {
    case TFatValue::FinHeight:
        ApplyFinHeight(x);
        break;
    case TFatValue::FinnedLength:
        m_coil->SetFinnedLength(x);
        ApplyAirFlow();
        break;
    case TFatValue::Rows:
        m_coil->SetRows(x);
        break;
    case TFatValue::FinDensity:
        ApplyFinDensity(x);
        break;
    case TFatValue::FinPitch:
        if (!(x > 0)) return;
        ApplyFinDensity(kMmPerInch / x);
        break;
    case TFatValue::Circuits:
        m_coil->SetCircuits(x);
        break;
    }
    GeometryChanged();
}

bool TFatEditor::Spin(TFatValue value, bool up)
{
    if (!m_coil) return false;
    const TFinAndTube& geometry = m_coil->Geometry();
    std::optional<double> next;
    switch (value) {
    case TFatValue::FinHeight:
        next = StepMultiple(m_coil->fHeight(), FinHeightStep(geometry.TubePitch()), up, kFinHeightRange);
        if (next) EditExit(value, *next);
        return next.has_value();
    case TFatValue::FinnedLength:
        next = StepMultiple(m_coil->fLength(), kFinnedLengthStep, up, kFinnedLengthRange);
        if (next) EditExit(value, *next);
        return next.has_value();
    case TFatValue::Circuits: {
        const double tubes = m_coil->Rows() * geometry.TubesHigh();
        next = up ? MoreCircuits(tubes, m_coil->Circ()) : FewerCircuits(tubes, m_coil->Circ(), geometry.TubeCount());
        if (next) EditExit(value, *next);
        return next.has_value();
    }
    case TFatValue::Rows:
        next = RowsStep(m_coil->Rows(), up);
        if (next) ApplyRows(*next);
        break;
    case TFatValue::FinDensity:
        next = FinDensityStep(m_coil->fpi(), up);
        if (next) ApplyFinDensity(*next);
        break;
    case TFatValue::FinPitch:
        next = FinPitchStep(ShownPitch(FinPitchMm()), up);
        if (next) ApplyFinDensity(kMmPerInch / *next);
        break;
    }
    if (next) GeometryChanged();
    return next.has_value();
}

void TFatEditor::SetTubeMaterial(int index)
{
    if (!m_coil) return;
    m_coil->SetTubeMaterial(index);
    GeometryChanged();
}

void TFatEditor::SetFinMaterial(int index)
{
    if (!m_coil) return;
    m_coil->SetFinMaterial(index);
    GeometryChanged();
}

void TFatEditor::SetCasingMaterial(int index)
{
    if (!m_coil) return;
    TModelRec rec = m_coil->Geometry().ModelRecord();
    rec.Mc = static_cast<std::uint8_t>(IsMaterialIndex(index) ? index : rec.Mc);
    m_coil->Geometry().SetModelRecord(rec);
    GeometryChanged();
}

TSolveStatus TFatEditor::Size(TFatSizing sizing, double duty)
{
    if (!m_coil) return TSolveStatus::DataError;
    const double airVolume = KeepAirFlow ? m_coil->AirVolume() : 0;
    TSolveStatus status = TSolveStatus::DataError;
    switch (sizing) {
    case TFatSizing::FaceArea: status = m_coil->SizeFaceArea(airVolume, duty); break;
    case TFatSizing::Height: status = m_coil->SizeHeight(airVolume, duty); break;
    case TFatSizing::Length: status = m_coil->SizeLength(airVolume, duty); break;
    case TFatSizing::Rows: status = m_coil->SizeRows(airVolume, duty); break;
    case TFatSizing::Fins: status = m_coil->SizeFins(airVolume, duty); break;
    case TFatSizing::RowsAndFins: status = m_coil->SizeRowsAndFins(airVolume, duty); break;
    }
    GeometryChanged(m_coil->DutyOutOfReach ? std::optional(duty) : std::nullopt);
    return status;
}

void TFatEditor::TakeTubeRange(const TModelRec& range)
{
    if (!m_coil) return;
    m_coil->SetModelRecord(range);
    m_coil->UpdateTubeProperties();
    const double step = FinHeightStep(m_coil->Geometry().TubePitch());
    if (step > 0) {
        const double height = std::round(m_coil->fHeight() / step) * step;
        m_coil->SetFinHeight(height < step ? step : height);
    }
    // The face changed with the height: the air flow follows as for a typed height.
    ApplyAirFlow();
    GeometryChanged();
}

void TFatEditor::DesignSettingsClosed()
{
    if (!m_coil) return;
    m_coil->SetCircuits(m_coil->Circ());
    GeometryChanged();
}

void TFatEditor::Cancel()
{
    if (!m_coil) return;
    m_coil->SetModelRecord(m_savedRecord);
    m_coil->SetAirVolume(m_savedAirVolume);
    if (TLiquidCoil* liquid = LiquidCoil()) liquid->LiquidState.SetVelocity(m_savedVelocity);
    GeometryChanged();
}

std::string TFatEditor::Caption() const
{
    if (!m_coil) return {};
    const TFinAndTube& geometry = m_coil->Geometry();
    const std::string maker = geometry.MakerDesignation();
    if (!maker.empty()) return geometry.ModelRecord().Mnf + ": " + maker;
    return m_coil->GetModelText();
}

std::string TFatEditor::SerpentineLabel() const
{
    return m_coil ? std::string(CircuitFractionLabel(m_coil->SerpentineIndex())) : std::string();
}

double TFatEditor::FinPitchMm() const
{
    return m_coil && m_coil->fpi() > 0 ? kMmPerInch / m_coil->fpi() : 0;
}

double TFatEditor::PictureTubesPerCircuit() const
{
    if (!m_coil || !(m_coil->Circ() > 0)) return 0;
    return m_coil->Geometry().TubeCount() / m_coil->Circ();
}

std::string TSummaryEntry::Text() const
{
    if (Value.empty()) return Caption;
    return ValueFirst ? Value + " " + Caption : Caption + " = " + Value;
}

void TFatEditor::ShowSummary()
{
    m_summary.clear();
    if (!m_coil) return;
    try {
        AddSummaryEntries(*m_coil);
    } catch (const std::exception&) {
        m_summary.push_back({kNotSolvedLine, {}, TSummarySeverity::Error});
    }
}

void TFatEditor::AddSummaryEntries(TCoil& coil)
{
    const TSolveStatus result = coil.Solve();
    TFinAndTube& geometry = coil.Geometry();
    const auto plain = [this](std::string caption, std::string value, bool valueFirst = false) {
        m_summary.push_back({std::move(caption), std::move(value), TSummarySeverity::Normal, kBlack, valueFirst});
    };
    plain("Face Area", UnitValue(coil, "hex", "area", coil.FaceArea()));
    const double aspect = coil.fHeight() != 0 ? coil.fLength() / coil.fHeight() : std::numeric_limits<double>::max();
    plain("L/H", Format("%0.3f", {aspect}));
    plain("Ao", UnitValue(coil, "hex", "area", coil.Ao));
    plain("Dry Weight", UnitValue(coil, "hex", "mass", geometry.ComputeWeight()));
    plain("tubes high", Format("%d", {geometry.TubesHigh()}), true);
    const double tubes = coil.Rows() * geometry.TubesHigh();
    const double perCircuit = TubesPerCircuit(tubes, coil.Circ());
    plain("tubes per circuit", Format("%0.0f", {perCircuit}), true);
    const double unlinked = geometry.TubeCount() - perCircuit * coil.Circ();
    m_summary.push_back(Shaded("unlinked tubes", Format("%0.0f", {unlinked}), unlinked > 1 ? kOrangeRedColor : kBlack, true));
    const bool opposite = geometry.OppositeEnd();
    m_summary.push_back(Shaded("side conns.", opposite ? "Opposite" : "Same", opposite ? kIndianRed : kBlack, true));
    m_summary.push_back(Shaded("Air Vf", UnitValue(coil, "air", "v", coil.FaceVelocity()),
                               BlendColors(kBlack, kOrangeRedColor, kFaceVelocityRed, kFaceVelocityBlack, coil.FaceVelocity())));
    const double airDrop = coil.AirPressureDrop();
    m_summary.push_back(Shaded("Air dP", UnitValue(coil, "air", "dp", airDrop),
                               BlendColors(kBlack, kOrangeRedColor, coil.AirDPLimit, 0, airDrop)));
    if (const TLiquidCoil* liquid = LiquidCoil()) {
        plain("Vw", UnitValue(coil, "liquid", "v", liquid->LiquidState.vw));
        const double fluidDrop = liquid->FluidPressureDrop();
        m_summary.push_back(Shaded(coil.Liquid().GetCaption() + " dP", UnitValue(coil, "liquid", "dp", fluidDrop),
                                   BlendColors(kBlack, kOrangeRedColor, coil.FluidDPLimit, 0, fluidDrop)));
    }
    if (result == TSolveStatus::Solved)
        m_summary.push_back(Shaded("Total Duty", UnitValue(coil, "hex", "duty", coil.Qt),
                                   BlendColors(kBlack, kOrangeRedColor, 0, 1, coil.e)));
    if (m_outOfReachDuty)
        m_summary.push_back({"Target Duty",
                             UnitValue(coil, "hex", "duty", *m_outOfReachDuty) + ": " +
                                 std::string(TCoil::kDutyOutOfReachText),
                             TSummarySeverity::Error, kRedColor});
}

}  // namespace vantor
