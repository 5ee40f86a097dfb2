// The edit operations of the rating document: every way into the document changes it here.

#include "document/rating_document.h"

#include "fluids/air_state_text.h"
#include "fluids/transport_props.h"
#include "geometry/designation.h"
#include "heating_fluid/fluid_spec.h"
#include "text/number_text.h"
#include "text/text_routines.h"
#include "rows/enum_field.h"
#include "rows/num_field.h"
#include "rows/variant.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vantor {

namespace {

TEditNotes Refused(std::string message) { return {TResult::Error(TErrorCode::Failed, std::move(message)), {}}; }

// A note for a value held to its range: "Air Volume 271.6 is outside 0.1 to 100; 100 used".
std::string OutsideNote(std::string_view name, double given, double low, double high, double used)
{
    return std::string(name) + " " + FormatShortest(given) + " is outside " + FormatShortest(low) + " to " +
           FormatShortest(high) + "; " + FormatShortest(used) + " used";
}

}  // namespace

TEditNotes TRatingDocument::SetInput(int row, const TVariant& value)
{
    switch (row) {
    case rowModel:
        return SetModelInput(VariantText(value));
    case rowAirOn:
        return SetAirOnInput(VariantText(value));
    case rowFluid:
        return Refused("The heating fluid is chosen with its own settings, not as a row value");
    default:
        return SetNumberInput(row, value);
    }
}

TEditNotes TRatingDocument::SetNumberInput(int row, const TVariant& value)
{
    // A text is never a number here, even one that reads as one: values come in SI units.
    const bool isNumber = !std::holds_alternative<std::string>(value) && VariantNumber(value).has_value();
    const double number = isNumber ? VariantNumber(value).value_or(0.0) : 0.0;
    if (m_rows.EnumField(row)) {
        const auto count = static_cast<double>(m_rows.RowEnumStrings(row).size());
        const double index = isNumber ? number : -1;
        if (index < 0 || index >= count || index != std::floor(index))
            return Refused(RowName(row) + ": \"" + VariantText(value) + "\" is not a choice of its list");
        return {SetRowValue(row, static_cast<long long>(index)), {}};
    }
    const TNumField* field = m_rows.NumField(row);
    if (!field) return Refused("No property row " + std::to_string(row));
    if (!isNumber || !std::isfinite(number))
        return Refused(RowName(row) + ": \"" + VariantText(value) + "\" is not a number");
    TEditNotes edit;
    const double used = LimitToRow(row, number, edit.Notes);
    // Typed in the row's unit, so the row's format rounds it as it rounds a typed value.
    const TEntryCheck typed = m_rows.EnterText(row, FormatShortest(field->ToDisplay(used)));
    if (!typed.Readable) return Refused(RowName(row) + ": " + FormatShortest(used) + " cannot be shown in its row");
    edit.Result = GridDoSetData(row);
    return edit;
}

double TRatingDocument::LimitToRow(int row, double value, std::vector<std::string>& notes) const
{
    const TNumField* field = m_rows.NumField(row);
    if (!field) return value;
    // The range in stored units: the same half a per cent whatever unit the row shows.
    TNumberFormat stored = *field;
    stored.Factor = 1;
    stored.Offset = 0;
    double used = value;
    if (!stored.CheckRange(used)) notes.push_back(OutsideNote(RowName(row), value, stored.RangeLo, stored.RangeHi, used));
    return used;
}

TEditNotes TRatingDocument::SetModelInput(const std::string& text)
{
    TModelValues values;
    if (const int code = ParseDesignation(text, values); code != kDesignationOk)
        return Refused(std::string(DesignationErrorText(code)));
    if (const double tubes = m_coil->Geometry().TubeCountOf(values); values.Circ > tubes)
        return Refused(std::string(DesignationErrorText(kDesignationMoreCircuitsThanTubes)) + " (" +
                       FormatShortest(values.Circ) + " circuits on " + FormatShortest(tubes) + " tubes)");
    m_modelFromEditor = false;
    TEditNotes edit{SetRowValue(rowModel, text), {}};
    // A designation the geometry cannot build leaves the coil as it was.
    if (edit && m_coilModel != text) edit.Result = TResult::Error(TErrorCode::Failed, "the coil cannot be built");
    return edit;
}

TEditNotes TRatingDocument::SetAirOnInput(const std::string& text)
{
    const std::optional<TNumberPair> pair = ReadNumberPair(text);
    if (!pair) return Refused(RowName(rowAirOn) + ": \"" + text + "\" is not dry bulb/wet bulb");
    std::vector<double> given{pair->First};
    if (pair->Second) given.push_back(*pair->Second);
    // Each temperature held to the row's range, then the state made one that can exist; each
    // note names the temperature finally used.
    std::vector<std::vector<std::string>> limits(given.size());
    std::vector<double> limited;
    for (size_t i = 0; i < given.size(); ++i) limited.push_back(LimitToRow(rowAirOn, given[i], limits[i]));
    const std::optional<double> wetBulb = limited.size() > 1 ? std::optional(limited[1]) : std::nullopt;
    TMoistAirState state = m_airOn;
    const TAirReading reading = ReadAirTemperatures(limited[0], wetBulb, state, m_barometer, kDefaultAirRH);
    TEditNotes edit;
    for (size_t i = 0; i < given.size(); ++i) {
        const TAirPart part = i == 0 ? TAirPart::DryBulb : TAirPart::WetBulb;
        const auto corrected = std::find_if(reading.Corrections.begin(), reading.Corrections.end(),
                                            [part](const TAirCorrection& c) { return c.Part == part; });
        if (corrected != reading.Corrections.end()) {
            TAirCorrection correction = *corrected;
            correction.Given = given[i];
            edit.Notes.push_back(RowName(rowAirOn) + " " + AirCorrectionText(correction));
        } else {
            edit.Notes.insert(edit.Notes.end(), limits[i].begin(), limits[i].end());
        }
    }
    std::string corrected = FormatShortest(state.db);
    if (wetBulb) corrected += "/" + FormatShortest(state.wb);
    m_rows.EnterText(rowAirOn, corrected);
    edit.Result = GridDoSetData(rowAirOn);
    return edit;
}

TEditNotes TRatingDocument::SetFluid(const TFluidChoice& choice)
{
    TEditNotes edit;
    edit.Notes = ApplyFluidChoice(*m_liquid, choice).Notes;
    if (choice.Volume && m_liquid->WaterAdditive != waNone) {
        const TValueRange held = FluidSpecRowRange(fsrAdditiveVolume);
        TNumberFormat range;
        range.RangeLo = held.Lo;
        range.RangeHi = held.Hi;
        double volume = *choice.Volume;
        if (!range.CheckRange(volume))
            edit.Notes.push_back(OutsideNote("Additive Volume", *choice.Volume, held.Lo, held.Hi, volume));
        m_liquid->AdditiveVolume = volume;
        m_liquid->Update();
    }
    edit.Result = FluidEditorClosed(true);
    return edit;
}

TEditNotes TRatingDocument::UseCoil(const TCoilChoice& coil)
{
    const TModelRec previous = m_coil->Geometry().ModelRecord();
    TModelRec rec = previous;
    ApplyMnfRec(coil.Range, rec);
    m_coil->SetModelRecord(rec);
    m_coil->SetModelText(coil.Designation);
    if (!m_coil->ModelValid) {
        m_coil->SetModelRecord(previous);
        m_coil->SetModelText(m_coilModel);
        return Refused("The coil " + coil.Designation + " cannot be built.");
    }
    m_coilModel = coil.Designation;
    m_modelFromEditor = false;
    // The flows the coil was chosen for, exactly: rounding them to their rows would rate
    // another coil than the one listed.
    m_coil->SetAirVolume(coil.AirVolume);
    m_coil->LiquidState.ctrl = TFluidControl::Flow;
    m_coil->LiquidState.SetMassFlow(coil.FluidFlow);
    m_calcMode = TCalcMode::HeatingDuty;
    InputChanged();
    return {};
}

TResult TRatingDocument::OpenModel(const std::string& path, const TModelReader& read)
{
    const TResult result = read(*m_coil, m_makers);
    if (result.Code == dfInvalidFormat) return result;
    // A file holds a coil to rate: sizing it anew is the user's choice afterwards, so the next
    // solve rates it instead of replacing its design. The barometer row takes the mean
    // pressure of the two air states.
    m_barometer = m_coil->Barometer();
    m_calcMode = TCalcMode::HeatingDuty;
    m_modelFromEditor = false;
    if (result) {
        m_status.SetSaved(true);
        // A model text typed later and refused falls back to the file's coil, not an older one.
        m_coilModel = m_coil->GetModelText();
    }
    m_status.SetSolved(false);
    ShowValues();
    if (result) {
        UpdateReport();
        SetFileName(path);
    }
    return result;
}

TEditNotes TRatingDocument::Calibrate(const TCalibrationFactors& factors)
{
    m_factors = factors;
    ApplyFactorsToCoil();
    InputChanged();
    return {};
}

void TRatingDocument::FileSaved(const std::string& path)
{
    m_status.SetSaved(true);
    SetFileName(path);
}

void TRatingDocument::FilePropertiesChanged() { m_status.SetEdited(); }

TRatingDocument::TSnapshot TRatingDocument::TakeSnapshot() const
{
    return TSnapshot{std::make_unique<THotWaterCoil>(*m_coil), *m_liquid, m_airOn, m_airOff, m_barometer, m_designDuty,
                     m_calcMode, m_coilModel, m_modelFromEditor, m_factors, m_status};
}

void TRatingDocument::RestoreSnapshot(const TSnapshot& before)
{
    *m_coil = *before.Coil;
    *m_liquid = before.Liquid;
    m_airOn = before.AirOn;
    m_airOff = before.AirOff;
    m_barometer = before.Barometer;
    m_designDuty = before.DesignDuty;
    m_calcMode = before.CalcMode;
    m_coilModel = before.CoilModel;
    m_modelFromEditor = before.ModelFromEditor;
    m_factors = before.Factors;
    m_status = before.Status;
}

void TRatingDocument::BeginModelEdit() { m_beforeEdit.emplace(TakeSnapshot()); }

TEditNotes TRatingDocument::AcceptEditorResult()
{
    m_beforeEdit.reset();
    // The coil, its air and its fluid flow stay exactly as the editor left them: putting the
    // rounded face velocity of the row back would rate another coil than the one sized.
    m_modelFromEditor = false;
    m_coilModel = m_coil->GetModelText();
    InputChanged();
    return {};
}

void TRatingDocument::CancelModelEdit()
{
    if (!m_beforeEdit) return;
    RestoreSnapshot(*m_beforeEdit);
    m_beforeEdit.reset();
    if (m_observer)
        for (const TStatusPanel panel : {spEdit, spSolve, spFile}) m_observer->StatusTextChanged(panel, m_status.Text(panel));
    ShowValues();
    UpdateReport();
}

void TRatingDocument::KeepAsStart() { m_start.emplace(TakeSnapshot()); }

void TRatingDocument::BackToStart()
{
    if (!m_start) return;
    RestoreSnapshot(*m_start);
    ShowValues();
}

void TRatingDocument::InputChanged()
{
    m_status.SetModified(true);
    ShowValues();
}

}  // namespace vantor
