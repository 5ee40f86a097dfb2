#include "document/rating_document.h"

#include "document/coil_unit_choices.h"
#include "fluids/air_state_text.h"
#include "fluids/transport_props.h"
#include "geometry/designation.h"
#include "geometry/manufacturing_report.h"
#include "geometry/mnf_rec.h"
#include "psychro/standard_atmosphere.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"
#include "rows/enum_field.h"
#include "rows/num_field.h"
#include "rows/variant.h"

#include "vantor_version.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

namespace vantor {

namespace {

// The tube size code a new coil asks its maker for: 1/2 inch.
constexpr int kStartTubeCode = 4;
// Air texts are shown with one decimal and kept in the settings with four.
constexpr std::string_view kRowAirFormat = "%0.1f";
constexpr std::string_view kStoredAirFormat = "%0.4f";

// "Typical Airconditioning Conditions".
constexpr std::string_view kTypicalAirOn = "5.0/4.0";
constexpr double kTypicalFaceVelocity = 2.75;
constexpr double kTypicalFluidInlet = 45;
constexpr double kTypicalTubeVelocity = 1.1;

// The registry quantities no row shows, each taking the preferred unit of its type.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kHiddenQuantities = {{
    {"air", "dp"},
    {"place", "altitude"},
    {"hex", "duty"},
    {"hex", "mass"},
    {"fat", "length"},
    {"hex", "area"},
    {"ref", "dt"},
    {"hex", "pipe_conn"},
    {"liquid", "dp"},
}};

// A stored air text; one that is not a number (a settings file edited by hand) gives the
// default text instead.
void ReadStoredAir(std::string_view name, std::string_view text, std::string_view defaultText, TMoistAirState& state,
                   double P, TInputCheck& check)
{
    try {
        const std::string part(name);
        NoteAirCorrections(ReadAirText(text, state, P, kDefaultAirRH), part + " dry bulb", part + " wet bulb", check);
    } catch (const EConvertError&) {
        check.Note(name, "\"" + std::string(text) + "\"", "is not dry bulb/wet bulb", std::string(defaultText) + " used");
        ParseAirState(defaultText, state, P, kDefaultAirRH);
    }
}

}  // namespace

TRatingDocument::TRatingDocument(const TDocumentServices& services)
    : m_units(services.Units),
      m_env(services.Env),
      m_observer(services.Observer),
      m_makers(services.Env),
      m_helpFolder(SharedFilesFolder(services.Env))
{
    m_status.SetObserver(m_observer);
    m_makers.SetMessageHandler([this](std::string_view message) { Notify(message, TMessageKind::Warning); });

    m_settings = ReadDocumentSettings(services.ProgramKey, m_settingsCheck);
    LoadCoilUnitChoices(m_units, services.SharedKey);
    m_status.SetSaved(true);
    m_status.SetSolved(false);

    InitModel(ReadFluidDefaults(services.ProgramKey, m_settingsCheck));

    // The stored file name is not reopened; only the command line names a file to open.
    SetFileName(CommandLineFileName(services.Arguments));

    for (const std::string& message : BuildDocumentRows(m_rows, m_units)) Notify(message, TMessageKind::Error);
    ShowValues();
    UpdateRowStates();
}

void TRatingDocument::SetObserver(TDocumentObserver* observer)
{
    m_observer = observer;
    m_status.SetObserver(observer);
}

std::string TRatingDocument::CommandLineFileName(const std::vector<std::string>& arguments)
{
    const std::string joined = Joined(arguments, " ");
    // A hyphen marks a switch (automation starts), never a file to open.
    if (joined.empty() || joined.find('-') != std::string::npos) return {};
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(joined, error);
    if (error || !std::filesystem::is_regular_file(path, error)) return {};
    return path.string();
}

// ---- Model ----

void TRatingDocument::InitModel(const TFluidDefaults& fluid)
{
    const TDocumentSettings& stored = m_settings;
    m_barometer = stored.Pressure;
    const TDocumentSettings defaults;
    ReadStoredAir("AirOn", stored.AirOn, defaults.AirOn, m_airOn, m_barometer, m_settingsCheck);
    ReadStoredAir("AirOff", stored.AirOff, defaults.AirOff, m_airOff, m_barometer, m_settingsCheck);
    InitLiquid(fluid);
    InitCoil(fluid);
    m_designDuty = stored.DesignDuty;
    m_calcMode = stored.CalcMode;
    m_factors = stored.Factors;
    ApplyFactorsToCoil();
}

void TRatingDocument::InitLiquid(const TFluidDefaults& fluid)
{
    m_liquid = std::make_unique<TLiquid>("Water", fluid.WaterFlow, fluid.WaterIn, fluid.WaterOut, fcWater);
    TLiquid& liquid = *m_liquid;
    // The mean temperature keeps the inlet and moves the leaving temperature.
    liquid.SetT(fluid.WaterTemp);
    liquid.LiquidSpec = static_cast<std::uint8_t>(fluid.WaterSpec);
    liquid.WaterAdditive = static_cast<std::uint8_t>(fluid.WaterAdditive);
    liquid.AdditiveVolume = fluid.WaterAddVol;
    liquid.UserRo = fluid.WaterUserRo;
    liquid.UserCp = fluid.WaterUserCp;
    liquid.UserMu = fluid.WaterUserMu;
    liquid.UserKo = fluid.WaterUserKo;
    liquid.Update();
}

void TRatingDocument::InitCoil(const TFluidDefaults& fluid)
{
    const TDocumentSettings& stored = m_settings;
    m_coil = std::make_unique<THotWaterCoil>(TCoilAttachment{m_airOn, m_airOff, *m_liquid}, stored.CoilModel,
                                             TTubeRange{&m_makers, stored.CoilMaker, kStartTubeCode});
    // The reports show every quantity in the unit the user chose for it.
    m_coil->SetUnitsRegistry(m_units);
    TModelValues values;
    // A stored text the coil refused was replaced by its fallback; that is the text to keep.
    m_coilModel = ParseDesignation(stored.CoilModel, values) == kDesignationOk ? stored.CoilModel
                                                                                : m_coil->GetModelText();
    if (m_coilModel != stored.CoilModel)
        m_settingsCheck.Note("CoilModel", "\"" + stored.CoilModel + "\"", "is not a coil that can be built",
                             m_coilModel + " used");

    // Dimensions the geometry cannot take (a settings file edited by hand) are left out.
    if (stored.CoilHeight != 0) {
        const double height = m_coil->fHeight();
        m_coil->SetFinHeight(stored.CoilHeight);
        if (!m_coil->GeometryAccepted()) {
            m_coil->SetFinHeight(height);
            m_settingsCheck.Note("CoilHeight", NoteNumber(stored.CoilHeight), "does not fit the coil",
                                 NoteNumber(height) + " used");
        }
    }
    if (stored.CoilLength != 0) {
        const double length = m_coil->fLength();
        m_coil->SetFinnedLength(stored.CoilLength);
        if (!m_coil->GeometryAccepted()) {
            m_coil->SetFinnedLength(length);
            m_settingsCheck.Note("CoilLength", NoteNumber(stored.CoilLength), "does not fit the coil",
                                 NoteNumber(length) + " used");
        }
    }
    ApplyStoredRange(stored.CoilMaker, stored.CoilMR);

    m_coil->SetFaceVelocity(stored.AirVelocity);
    TLiquidState& state = m_coil->LiquidState;
    state.SetVelocity(fluid.WaterVelocity);
    state.designdt = fluid.DesignWaterDT;
    state.ctrl = fluid.Control;
}

void TRatingDocument::ApplyStoredRange(std::string_view maker, std::string_view range)
{
    // No range stored (a first run): the coil keeps the maker's range it was created with.
    // Read as a catalogue line, an empty text would ask for tube code 0 and get whatever range
    // the maker lists first.
    if (Trim(range).empty()) return;
    // The settings keep the range by its name; read as a catalogue line a name would fall back
    // to a range of the tube code its text starts with, or the maker's first, so a 5/8 inch
    // heavy-duty range would not come back after a restart.
    if (const std::optional<TMnfRec> named = m_makers.FindRange(maker, range)) {
        TModelRec rec = m_coil->Geometry().ModelRecord();
        ApplyMnfRec(*named, rec);
        m_coil->SetModelRecord(rec);
        return;
    }
    m_coil->SetMakerModel(m_makers, maker, range);
}

void TRatingDocument::ApplyFactorsToCoil()
{
    TCustomHeatExchanger& coil = *m_coil;
    coil.DutyFactor = m_factors.Duty;
    coil.hoFactor = m_factors.ho;
    coil.hiFactor = m_factors.hi;
    coil.AirDPFactor = m_factors.AirDP;
    coil.FluidDPFactor = m_factors.FluidDP;
}

void TRatingDocument::SetCalcMode(TCalcMode mode) { m_calcMode = mode; }

// ---- Rows ----

std::optional<double> TRatingDocument::RowNumber(int row) const
{
    const TVariant value = m_rows.GetValue(kValueColumn, row);
    return std::holds_alternative<std::string>(value) ? std::nullopt : VariantNumber(value);
}

std::string TRatingDocument::RowText(int row) const { return VariantText(m_rows.GetValue(kValueColumn, row)); }

std::optional<int> TRatingDocument::RowChoice(int row) const
{
    const std::optional<double> index = VariantNumber(m_rows.GetValue(kValueColumn, row));
    const int count = static_cast<int>(m_rows.RowEnumStrings(row).size());
    if (!index || *index < 0 || *index >= count) return std::nullopt;
    return static_cast<int>(*index);
}

void TRatingDocument::SetRow(int row, const TVariant& value) { m_rows.SetValue(kValueColumn, row, value); }

std::string TRatingDocument::MakerName() const { return m_coil->Geometry().ModelRecord().Mnf; }

TResult TRatingDocument::EnterRowText(int row, std::string_view text)
{
    // A text that is not a number still reaches GridDoSetData, which refuses it.
    if (!m_rows.EnterText(row, text).Readable) m_rows.SetCell(kValueColumn, row, std::string(text));
    return GridDoSetData(row);
}

TResult TRatingDocument::SetRowValue(int row, const TVariant& value)
{
    SetRow(row, value);
    return GridDoSetData(row);
}

TResult TRatingDocument::GridDoSetData(int row)
{
    if (row < rowModel || row > kDocumentRowCount) return TResult::Error(TErrorCode::Failed, "No property row " + std::to_string(row));
    // A refused designation changes nothing at all: row 1 shows the coil's model again and the
    // document stays as saved or modified as it was.
    if (row == rowModel && !m_modelFromEditor && !GeometryTakes(RowText(rowModel))) {
        ShowValues();
        return TResult::Ok();
    }
    TResult applied;
    try {
        applied = ApplyRow(row);
    } catch (const std::exception& error) {
        // Raised by the air-state reader (an air text that is not a number) or the model.
        applied = TResult::Error(TErrorCode::Failed, error.what());
    }
    if (!applied) {
        // The model kept its values; the rows show them again instead of the text that failed,
        // so that no later edit reads it.
        Notify(applied.Message, TMessageKind::Error);
        ShowValues();
        return applied;
    }
    m_status.SetModified(true);
    ShowValues();
    return TResult::Ok();
}

// Every effect reads the rows it needs before it changes the model, so a row that cannot be
// read leaves the model as it was.
TResult TRatingDocument::ApplyRow(int row)
{
    switch (row) {
    case rowModel:
        ApplyModelRow();
        return TResult::Ok();
    case rowAirOn:
        ApplyAirOnRow();
        return TResult::Ok();
    case rowFluid:  // changed only through its dialog
        return TResult::Ok();
    case rowControl:
    case rowCalcMode: {
        const std::optional<int> choice = RowChoice(row);
        if (!choice)
            return TResult::Error(TErrorCode::Failed, "'" + m_rows.Cell(kValueColumn, row) + "' is not a valid choice");
        ApplyChoiceRow(row, *choice);
        return TResult::Ok();
    }
    default: {  // the other rows hold numbers
        const std::optional<double> number = RowNumber(row);
        if (!number)
            return TResult::Error(TErrorCode::Failed, "'" + RowText(row) + "' is not a valid floating point value");
        ApplyNumberRow(row, *number);
        return TResult::Ok();
    }
    }
}

void TRatingDocument::ApplyChoiceRow(int row, int choice)
{
    // The rows list the controls and the modes in the order of their numbers.
    if (row == rowControl)
        m_coil->LiquidState.ctrl = FluidControlOfCode(choice).value_or(m_coil->LiquidState.ctrl);
    else
        m_calcMode = CalcModeOfCode(choice).value_or(m_calcMode);
    UpdateRowStates();
}

void TRatingDocument::ApplyNumberRow(int row, double value)
{
    TLiquidState& state = m_coil->LiquidState;
    switch (row) {
    case rowBarometer:
        ApplyBarometerRow(value);
        break;
    case rowAirVolume:
        m_coil->SetAirVolume(value);
        SetRow(rowAirVelocity, m_coil->FaceVelocity());
        break;
    case rowAirVelocity:
        m_coil->SetFaceVelocity(value);
        SetRow(rowAirVolume, m_coil->AirVolume());
        break;
    case rowFluidInlet:
        ApplyFluidInletRow(value);
        break;
    case rowDesignDT: {
        const double inlet = state.InletTemp();
        state.designdt = value;
        state.SetLeavingTemp(inlet - value);
        break;
    }
    case rowFluidFlow:
        state.SetMassFlow(value);
        SetRow(rowTubeVelocity, state.vw);
        break;
    case rowTubeVelocity:
        state.SetVelocity(value);
        SetRow(rowFluidFlow, state.MassFlow());
        break;
    case rowDesignDuty:
        m_designDuty = value;
        break;
    default:
        break;
    }
}

// The velocities kept over a new model are the model's, not the rounded texts of rows 5 and
// 11, which would move the air and fluid flows a little on every edit.
void TRatingDocument::ApplyModelRow()
{
    const double faceVelocity = m_coil->FaceVelocity();
    const double tubeVelocity = m_coil->LiquidState.vw;
    if (m_modelFromEditor) {
        m_modelFromEditor = false;
        m_coilModel = m_coil->GetModelText();
    } else {
        TakeModelText(RowText(rowModel));
    }
    m_coil->SetFaceVelocity(faceVelocity);
    SetRow(rowAirVolume, m_coil->AirVolume());
    m_coil->LiquidState.SetVelocity(tubeVelocity);
    SetRow(rowFluidFlow, m_coil->LiquidState.MassFlow());
}

bool TRatingDocument::GeometryTakes(std::string_view text) const
{
    // Tried on a copy, so that a refused text never reaches the coil.
    TFinAndTube trial = m_coil->Geometry();
    trial.SetDesignation(text);
    return trial.TakeError() == 0;
}

void TRatingDocument::TakeModelText(const std::string& text)
{
    m_coil->SetModelText(text);
    if (m_coil->ModelValid) {
        m_coilModel = text;
        return;
    }
    // Refused by the designation check or by the geometry: the last accepted text comes back,
    // silently.
    m_coil->SetModelText(m_coilModel);
}

void TRatingDocument::ApplyBarometerRow(double barometer)
{
    const std::string airOnText = RowText(rowAirOn);
    const double faceVelocity = m_coil->FaceVelocity();
    // Both states are read again at the new pressure from their texts, one decimal each.
    TMoistAirState airOn = m_airOn;
    TMoistAirState airOff = m_airOff;
    const TAirReading airOnReading = ReadAirText(airOnText, airOn, barometer, kDefaultAirRH);
    ParseAirState(m_coil->AirOffText(), airOff, barometer, kDefaultAirRH);
    ReportAirCorrections(airOnReading);
    m_barometer = barometer;
    m_airOn = airOn;
    m_airOff = airOff;
    // The face velocity stays, so the air mass flow and volume follow the new density.
    m_coil->SetFaceVelocity(faceVelocity);
    SetRow(rowAirVolume, m_coil->AirVolume());
}

void TRatingDocument::ApplyAirOnRow()
{
    const std::string text = RowText(rowAirOn);
    const double faceVelocity = m_coil->FaceVelocity();
    TMoistAirState airOn = m_airOn;
    const TAirReading reading = ReadAirText(text, airOn, m_barometer, kDefaultAirRH);
    ReportAirCorrections(reading);
    m_airOn = airOn;
    SetRow(rowAirOn, FormatAirState(m_airOn, kRowAirFormat));
    m_coil->SetFaceVelocity(faceVelocity);
    SetRow(rowAirVolume, m_coil->AirVolume());
}

void TRatingDocument::ReportAirCorrections(const TAirReading& reading) const
{
    const std::string row = Trim(m_rows.Cell(0, rowAirOn));
    for (const TAirCorrection& correction : reading.Corrections)
        Notify(row + ": " + AirCorrectionText(correction), TMessageKind::Warning);
}

void TRatingDocument::ApplyFluidInletRow(double inlet)
{
    TLiquidState& state = m_coil->LiquidState;
    // The flow and the temperature drop kept are the model's, not their rounded rows.
    if (state.ctrl == TFluidControl::Temperature) {
        const double flow = state.MassFlow();
        state.SetInletTemp(inlet);
        state.SetMassFlow(flow);
    } else if (state.ctrl == TFluidControl::Flow) {
        const double drop = state.designdt;
        state.SetInletTemp(inlet);
        state.SetLeavingTemp(inlet - drop);
    } else {
        state.SetInletTemp(inlet);
    }
    SetRow(rowTubeVelocity, state.vw);
}

void TRatingDocument::UpdateRowStates()
{
    // The row holds an index of its list (-1 for a text it does not list).
    const std::optional<double> shown = VariantNumber(m_rows.GetValue(kValueColumn, rowControl));
    const bool byTemperature = shown ? *shown == FluidControlCode(TFluidControl::Temperature)
                                     : m_coil->LiquidState.ctrl == TFluidControl::Temperature;
    // The document's own rows: enabling one of them cannot be refused.
    (void)m_rows.SetRowEnabled(rowDesignDT, byTemperature);
    (void)m_rows.SetRowEnabled(rowFluidFlow, !byTemperature);
    (void)m_rows.SetRowEnabled(rowTubeVelocity, !byTemperature);
    const bool rating = m_calcMode == TCalcMode::HeatingDuty;
    (void)m_rows.SetRowEnabled(rowModel, rating);
    (void)m_rows.SetRowEnabled(rowDesignDuty, !rating);
    RowsChanged();
}

void TRatingDocument::ShowValues()
{
    const TLiquidState& state = m_coil->LiquidState;
    m_rows.SetCell(kUnitsColumn, rowModel, MakerName());
    SetRow(rowModel, m_coil->GetModelText());
    SetRow(rowBarometer, m_barometer);
    SetRow(rowAirOn, FormatAirState(m_airOn, kRowAirFormat));
    SetRow(rowAirVolume, m_coil->AirVolume());
    SetRow(rowAirVelocity, m_coil->FaceVelocity());
    SetRow(rowFluid, m_liquid->GetCaption());
    SetRow(rowControl, static_cast<long long>(FluidControlCode(state.ctrl)));
    SetRow(rowFluidInlet, state.InletTemp());
    SetRow(rowDesignDT, state.designdt);
    SetRow(rowFluidFlow, state.MassFlow());
    SetRow(rowTubeVelocity, state.vw);
    SetRow(rowDesignDuty, m_designDuty);
    SetRow(rowCalcMode, static_cast<long long>(CalcModeCode(m_calcMode)));
    m_rows.SetCell(0, rowDesignDuty, std::string(m_coil->DutyFactor == 1 ? kDutyLabel : kCalibratedDutyLabel));
    // A solve, a file or the automation may have changed the control or the mode: the rows
    // that can be edited follow them.
    UpdateRowStates();
}

// ---- Solving ----

TResult TRatingDocument::Solve()
{
    try {
        if (m_calcMode == TCalcMode::CoilSize && !SizedForDesignDuty()) {
            // A new coil, air flow and fluid flow, even from a sizing that fails part way: the
            // document no longer equals its file.
            m_status.SetModified(true);
            // No air volume given: every trial runs at the coil's design face velocity.
            const TSolveStatus sized = m_coil->SizeFaceArea(0, m_designDuty);
            m_coilModel = m_coil->GetModelText();
            if (sized != TSolveStatus::Solved) {
                TResult unsolved = Unsolved(sized);
                if (m_coil->DutyOutOfReach) unsolved.Message = TCoil::kDutyOutOfReachText;
                return unsolved;
            }
        }
        // The coil's result, not only its Status: a held design drop returns DataError while
        // the iteration itself converged.
        const TSolveStatus result = m_coil->Solve();
        m_status.SetWarnings(CollectSolveWarnings(result));
        if (result != TSolveStatus::Solved || m_coil->Status != TSolveStatus::Solved)
            return Unsolved(result != TSolveStatus::Solved ? result : m_coil->Status);
        m_status.SetSolved(true);
        m_designDuty = m_coil->Qt;
        ShowValues();
        UpdateReport();
        return TResult::Ok();
    } catch (const std::exception&) {
        m_status.SetDataError();
        ShowValues();
        return TResult::Error(SolveStatusCode(TSolveStatus::DataError), std::string(kDataErrorText));
    }
}

// The coil of the last good solve delivers the design duty already (the solved duty became the
// design duty): sizing it again for that duty would only move it by the sizing's tolerance on
// every solve.
bool TRatingDocument::SizedForDesignDuty() const { return Solved() && m_coil->Qt == m_designDuty; }

// A sizing or rating that did not succeed (failed or not converged): the design duty stays the
// user's, the rows show what the coil was left with.
TResult TRatingDocument::Unsolved(TSolveStatus status)
{
    if (status == TSolveStatus::DataError)
        m_status.SetDataError();
    else
        m_status.SetSolved(false);
    ShowValues();
    UpdateReport();
    return TResult::Error(SolveStatusCode(status), m_status.Text(spSolve));
}

std::vector<std::string> TRatingDocument::CollectSolveWarnings(TSolveStatus result) const
{
    std::vector<std::string> warnings;
    const THotWaterNote note = m_coil->Note();
    if (note != THotWaterNote::None) warnings.push_back(CoilNoteText());
    // Values the rows never saw (derived from others, or read from elsewhere) are rated as
    // they are; the user hears which lie outside the ranges the rows would have allowed.
    if (result != TSolveStatus::Solved) return warnings;
    const TLiquidState& state = m_coil->LiquidState;
    // A coil that gives no heat or takes some has a drop of zero or below.
    const bool heating = note == THotWaterNote::None;
    const std::pair<int, double> values[] = {
        {rowBarometer, m_barometer},        {rowAirVolume, m_coil->AirVolume()},
        {rowAirVelocity, m_coil->FaceVelocity()}, {rowFluidInlet, state.InletTemp()},
        {rowDesignDT, heating ? state.designdt : 1.0}, {rowFluidFlow, state.MassFlow()},
        {rowTubeVelocity, state.vw},        {rowDesignDuty, heating ? m_designDuty : 1.0},
    };
    for (const auto& [row, value] : values) {
        const TNumField* field = m_rows.NumField(row);
        if (!field || !field->HasRange()) continue;
        double display = field->ToDisplay(value);
        if (field->CheckRange(display)) continue;
        warnings.push_back(RowName(row) + " " + RowValueText(row, value) + " is outside its row's range " +
                           RowValueText(row, field->RangeLo) + " to " + RowValueText(row, field->RangeHi) +
                           "; rated with " + RowValueText(row, value));
    }
    return warnings;
}

std::string TRatingDocument::CoilNoteText() const
{
    const TMoistAirState& airOn = m_airOn;
    const double inlet = m_coil->LiquidState.InletTemp();
    const std::string inletText = RowName(rowFluidInlet) + " " + RowValueText(rowFluidInlet, inlet);
    const std::string dryBulb = "the on-coil dry bulb " + RowValueText(rowFluidInlet, airOn.db);
    switch (m_coil->Note()) {
    case THotWaterNote::None:
        break;
    case THotWaterNote::NoTemperatureDifference:
        return inletText + " equals " + dryBulb + ": no heat flows, duty 0 kW, the air leaves as it enters";
    case THotWaterNote::CoolsAir:
        return inletText + " is below " + dryBulb + ": the coil cools the air";
    case THotWaterNote::CannotCool:
        return inletText + " is below " + dryBulb +
               ": with temperature control the flow cannot follow a cooling duty; not rated";
    case THotWaterNote::DropHeld: {
        const double requested = m_coil->RequestedDesignDT();
        return RowName(rowDesignDT) + " " + RowValueText(rowDesignDT, requested) +
               " would take the leaving fluid to " + RowValueText(rowFluidInlet, inlet - requested) +
               ", not above " + dryBulb + ": the leaving fluid is held at " +
               RowValueText(rowFluidInlet, m_coil->LiquidState.LeavingTemp()) + " (" + RowName(rowDesignDT) + " " +
               RowValueText(rowDesignDT, m_coil->LiquidState.designdt) + ")";
    }
    case THotWaterNote::BelowDewPoint:
        return inletText + " is below the on-coil dew point " + RowValueText(rowFluidInlet, airOn.td) +
               ": the coil would cool the air below its dew point and condense moisture, which this rating "
               "does not cover; not rated";
    }
    return {};
}

std::string TRatingDocument::RowName(int row) const
{
    // The descriptor's name: the label of row 12 may carry the calibration mark.
    const std::string& descriptor = DocumentRowDescriptors().at(static_cast<size_t>(row));
    return Trim(std::string_view(descriptor).substr(0, descriptor.find(';')));
}

std::string TRatingDocument::RowValueText(int row, double stored) const
{
    const TNumField* field = m_rows.NumField(row);
    if (!field) return FormatShortest(stored);
    const double shown = field->ToDisplay(stored);
    std::string text = field->DisplayText(FirstOfPairFormat(field->FormatStr), shown);
    // A value far beyond any row (a client's flow of 1e300) would fill a fixed format with
    // hundreds of digits: the shortest exact text says the same in a few characters.
    constexpr size_t kLongestFixedText = 20;
    if (text.empty() || text.size() > kLongestFixedText) text = FormatShortest(shown);
    const std::string unit = field->UnitLabel();
    return unit.empty() ? text : text + " " + unit;
}

void TRatingDocument::WriteWarnings(TReportSink& sink) const
{
    if (SolveWarnings().empty()) return;
    sink.AppendLine("", false);
    for (const std::string& warning : SolveWarnings()) sink.AppendLine("Warning: " + warning, false);
}

void TRatingDocument::AddInputNote(std::string note)
{
    std::vector<std::string> warnings = SolveWarnings();
    warnings.push_back(std::move(note));
    m_status.SetWarnings(std::move(warnings));
}

void TRatingDocument::UpdateReport()
{
    if (!m_observer || !m_observer->WantsReport()) return;
    TStringSink sink;
    TDocumentReport report;
    if (Solved()) {
        m_coil->ReportText(sink);
        WriteWarnings(sink);
        sink.AppendLine("", false);
        report.Footer = ReportFooter();
    } else {
        sink.AppendLine(kNotSolvedText, false);
        WriteWarnings(sink);
    }
    report.Lines = sink.Lines();
    m_observer->ReportReady(report);
}

std::string TRatingDocument::ReportFooter() { return std::string(kProductName) + " " + kFileVersion; }

void TRatingDocument::SetFileName(std::string fileName)
{
    m_fileName = std::move(fileName);
    m_currentFolder = m_fileName.empty() ? ProgramFolder(m_env) : std::filesystem::path(m_fileName).parent_path();
    m_status.SetFileName(m_fileName);
}

// ---- Units ----

void TRatingDocument::TakePreferredUnits(const TUnitChoices* choices)
{
    for (const auto& [section, key] : kHiddenQuantities)
        if (UnitRec* rec = m_units.Find(section, key)) rec->Units = choices ? choices->UnitChoice(rec->UnitsType) : 0;
}

void TRatingDocument::ApplyUnitSystem(const TUnitChoices& choices)
{
    TakePreferredUnits(&choices);
    choices.ApplyUnitChoices(m_rows);
    StoreRowUnits();
    // The rows are a view of the model: they show its values in the new units, never a
    // conversion of the rounded texts they held.
    ShowValues();
    UpdateReport();
}

void TRatingDocument::StoreRowUnits() { vantor::StoreRowUnits(m_rows, m_units); }

void TRatingDocument::GridAfterRightClick(int row)
{
    StoreRowUnits();
    ShowValues();
    UpdateReport();
    if (OnRowUnitsChanged) OnRowUnitsChanged(row);
}

// ---- Row editors ----

TResult TRatingDocument::ApplyFromEditor()
{
    SetRow(rowModel, m_coil->GetModelText());
    return Solve();
}

TResult TRatingDocument::FluidEditorClosed(bool accepted)
{
    ShowValues();
    return accepted ? GridDoSetData(rowFluid) : TResult::Ok();
}

// ---- Commands ----

TResult TRatingDocument::SetIdealFlows()
{
    // Only the document's pressure: the air states keep theirs until row 2 is edited.
    m_barometer = kStandardAtmosphere;
    m_coil->SetAirOnText(kTypicalAirOn);
    m_coil->SetFaceVelocity(kTypicalFaceVelocity);
    m_coil->LiquidState.SetInletTemp(kTypicalFluidInlet);
    m_coil->LiquidState.SetVelocity(kTypicalTubeVelocity);
    // Rebuilds the geometry and the tube side from the designation.
    m_coil->SetModelText(m_coil->GetModelText());
    m_calcMode = TCalcMode::HeatingDuty;
    // New inputs: the document no longer equals its file.
    m_status.SetModified(true);
    UpdateRowStates();
    return Solve();
}

TStepSimulation TRatingDocument::SimulateSteps()
{
    TStepSimulation chart;
    chart.Caption = "Step-by-Step Simulation";
    if (!Solved()) chart.Result = Solve();
    if (!chart.Result) return chart;
    const TSimulation simulation = m_coil->SimulateSteps();
    if (!simulation.Converged()) {
        const std::string message(SimulationMessage(simulation.Outcome));
        chart.Result = TResult::Error(SolveStatusCode(TSolveStatus::DataError), message);
        return chart;
    }
    chart.Duty = simulation.Duty;
    chart.Series = m_coil->Profile;
    chart.Legends = {"Fluid", "Air", "Surface", "Dew Point"};
    chart.FirstIndex = 0;
    chart.LastIndex = kProfileSteps - 1;
    chart.DutyLabel = Format("Duty %0.3g kW", {chart.Duty});
    const auto rangeLabel = [&chart](size_t series) {
        const auto& values = chart.Series.at(series);
        return Format("%0.1f - %0.1f °C", {values.front(), values.back()});
    };
    chart.FluidLabel = rangeLabel(0);
    chart.AirLabel = rangeLabel(1);
    return chart;
}

void TRatingDocument::Diagnose(TReportSink& viewer)
{
    // A failed solve is on the status line already; the diagnostics then show why.
    if (!Solved()) (void)Solve();
    m_coil->Diagnostics(viewer);
}

void TRatingDocument::WriteManufacturingReport(TReportSink& viewer) { ManufacturingReport(m_coil->Geometry(), viewer); }

// ---- Settings ----

TDocumentSettings TRatingDocument::CurrentSettings() const
{
    const TModelRec& rec = m_coil->Geometry().ModelRecord();
    TDocumentSettings settings = m_settings;
    settings.FileName = m_fileName;
    settings.Pressure = m_barometer;
    settings.AirOn = FormatAirState(m_airOn, kStoredAirFormat);
    settings.AirOff = FormatAirState(m_airOff, kStoredAirFormat);
    settings.CoilModel = m_coil->GetModelText();
    settings.CoilHeight = rec.fHeight;
    settings.CoilLength = rec.fLength;
    settings.CoilMaker = rec.Mnf;
    settings.CoilMR = rec.Model;
    settings.AirVelocity = m_coil->FaceVelocity();
    settings.DesignDuty = m_designDuty;
    settings.CalcMode = m_calcMode;
    settings.Factors = m_factors;
    return settings;
}

void TRatingDocument::SaveSettings(TSettingsStore& programKey) const
{
    WriteDocumentSettings(programKey, CurrentSettings());
}

void TRatingDocument::SaveFluidDefaults(TSettingsStore& programKey) const
{
    WriteFluidDefaults(programKey, FluidDefaultsOf(m_coil->LiquidState));
}

void TRatingDocument::SaveUnitChoices(TSettingsStore& sharedKey) const { SaveCoilUnitChoices(m_units, sharedKey); }

void TRatingDocument::SaveOnClose(TSettingsStore& programKey, TSettingsStore& sharedKey) const
{
    SaveFluidDefaults(programKey);
    SaveSettings(programKey);
    SaveUnitChoices(sharedKey);
}

// ---- Observer ----

void TRatingDocument::ShowInputCheck(const TInputCheck& check, std::string_view source) const
{
    if (check.Empty()) return;
    Notify(check.Message("Values of " + std::string(source) + " that could not be used as they stood:"),
           TMessageKind::Warning);
}

void TRatingDocument::Notify(std::string_view text, TMessageKind kind) const
{
    if (m_observer) m_observer->ShowMessage(text, kind);
}

void TRatingDocument::RowsChanged() const
{
    if (m_observer) m_observer->RowsChanged();
}

}  // namespace vantor
