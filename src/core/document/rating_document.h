#pragma once

// The rating document: the one hot-water coil the program rates, with the air entering it,
// its heating fluid and the design data, shown as thirteen property rows. It owns the model
// objects, restores the last inputs from the settings, turns each accepted row edit into a
// change of the model (GridDoSetData), solves on request, writes the results back into the
// rows (ShowValues) and keeps the status flags. Everything it has to say goes out through a
// TDocumentObserver; it knows no window.
//
//   TSettingsStore program(TSettingsKey::Program), shared(TSettingsKey::Shared);
//   TRatingDocument doc({units, program, shared});
//   doc.EnterRowText(rowFluidInlet, "80");   // "Modified", "Not Solved"
//   doc.Solve();                              // "Solved..." and the report
//   doc.SaveOnClose(program, shared);
//
// The rows hold only display text. A row edit reads its own row; the values it carries over
// from other rows (the face velocity kept over a new model, the flow kept over a new inlet
// temperature) come from the model, so an edit never moves them to their rounded texts.
//
// The data file, calibration, simulation and automation work on the objects and values
// exposed below; after changing them they call ShowValues (and SetModified where the user
// changed an input).

#include "document/document_observer.h"
#include "document/document_rows.h"
#include "document/document_settings.h"
#include "document/document_status.h"
#include "document/fluid_defaults.h"
#include "fluids/air_state_text.h"
#include "fluids/liquid.h"
#include "geometry/coil_makers.h"
#include "model/hot_water_coil.h"
#include "psychro/moist_air_state.h"
#include "reports/report_sink.h"
#include "settings/folders.h"
#include "settings/settings_store.h"
#include "text/result.h"
#include "units/property_rows.h"
#include "units/unit_choices.h"
#include "units/units_registry.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// What the program lends the document when it creates it.
struct TDocumentServices {
    TUnitsRegistry& Units;             // the run's registry, "units.ini" already read
    const TSettingsStore& ProgramKey;  // the document's settings and fluid defaults
    const TSettingsStore& SharedKey;   // the unit choices
    TFolderEnvironment Env = TFolderEnvironment::FromProcess();
    TDocumentObserver* Observer = nullptr;
    // The program's command-line arguments (without the program itself).
    std::vector<std::string> Arguments;
};

// What the step-by-step simulation chart shows. A failed simulation has only its caption and
// the reason in Result.
struct TStepSimulation {
    TResult Result;
    std::string Caption;
    TProfile Series;  // fluid, air, surface and dew-point temperatures over the slices, °C
    std::array<std::string, kProfileRows> Legends;
    int FirstIndex = 0;
    int LastIndex = 0;
    double Duty = 0;  // kW
    std::string DutyLabel;
    std::string FluidLabel;
    std::string AirLabel;
};

class TRatingDocument {
public:
    static constexpr std::string_view ShortName = "Vantor";
    static constexpr std::string_view FileExtension = kFileExtension;
    static constexpr std::string_view XmlTag = "vantor";
    static constexpr std::string_view Signature = "Vantor 1.1.0.0 DataFile";
    static constexpr std::string_view DefaultModel = kDefaultModel;

    // Reads the settings, the unit choices and the fluid defaults, builds the model and the
    // rows. The document starts saved and not solved.
    explicit TRatingDocument(const TDocumentServices& services);
    TRatingDocument(const TRatingDocument&) = delete;
    TRatingDocument& operator=(const TRatingDocument&) = delete;

    void SetObserver(TDocumentObserver* observer);

    // The arguments joined with single blanks as a full path; empty when that contains a "-"
    // anywhere or names no existing file.
    static std::string CommandLineFileName(const std::vector<std::string>& arguments);

    // ---- The rows ----
    TPropertyRows& Rows() { return m_rows; }
    const TPropertyRows& Rows() const { return m_rows; }
    // The effect of an accepted row value on the model, in SI units; no solve follows. A row
    // whose text cannot be read changes nothing, gives a message and shows the model again.
    TResult GridDoSetData(int row);
    // Typing into the value cell: the text is checked and shown as the row's format and range
    // allow, then GridDoSetData.
    TResult EnterRowText(int row, std::string_view text);
    // A row editor's accepted value, in stored units, then GridDoSetData.
    TResult SetRowValue(int row, const TVariant& value);
    // Row 9 with temperature control, rows 10 and 11 with flow control; row 1 when rating,
    // row 12 when sizing.
    void UpdateRowStates();
    // Every row from the model, the coil maker beside row 1 and row 12's label; the row states
    // then follow the model's control and calculation mode.
    void ShowValues();

    // ---- Solving ----
    // Sizes the face first in "Coil Size" mode, then rates the coil. Ok when solved; otherwise
    // the code is the coil's status (2 not converged, 5 failed) and the message the solve
    // panel's text.
    TResult Solve();
    // The report of the present state goes to the observer.
    void UpdateReport();
    // What the last solve warned about, each naming the value concerned: the coil's special
    // cases (fluid at or below the air, a held design drop, condensation) and every row value
    // outside its row's range (a face velocity from an air volume, a tube velocity from a
    // flow), which still rate. Empty again after an edit or another file; shown in the status
    // line's file panel and at the report's end.
    const std::vector<std::string>& SolveWarnings() const { return m_status.Warnings(); }
    // The warnings as the report's last lines, "Warning: ...", after an empty line.
    void WriteWarnings(TReportSink& sink) const;
    // A door that corrected an input on its own (an automation put that made an impossible air
    // state) says so here: the note joins the warnings until the next edit, file or solve.
    void AddInputNote(std::string note);

    // ---- Status ----
    bool Saved() const { return m_status.Saved(); }
    bool Solved() const { return m_status.Solved(); }
    bool Modified() const { return m_status.Modified(); }
    void SetSaved(bool saved) { m_status.SetSaved(saved); }
    void SetSolved(bool solved) { m_status.SetSolved(solved); }
    void SetModified(bool modified) { m_status.SetModified(modified); }
    const std::string& StatusText(TStatusPanel panel) const { return m_status.Text(panel); }

    const std::string& FileName() const { return m_fileName; }
    // Also sets the current folder and the file panel.
    void SetFileName(std::string fileName);
    // The folder of the data file, or the program folder without one.
    const std::filesystem::path& CurrentFolder() const { return m_currentFolder; }
    const std::filesystem::path& HelpFolder() const { return m_helpFolder; }
    std::filesystem::path HelpPage() const { return m_helpFolder / "Coils.htm"; }
    // The installation and user folders the document was created with.
    const TFolderEnvironment& Environment() const { return m_env; }
    // The italic last line of the report: product name and version.
    static std::string ReportFooter();

    // ---- Units ----
    // The quantities no row shows take the preferred unit of their type (unit 0 without
    // choices).
    void TakePreferredUnits(const TUnitChoices* choices);
    // The Metric or Imperial reset: the hidden quantities and every row take the choices.
    void ApplyUnitSystem(const TUnitChoices& choices);
    void StoreRowUnits();
    // After the unit of a row was changed in its units cell.
    void GridAfterRightClick(int row);
    std::function<void(int row)> OnRowUnitsChanged;

    // ---- Row editors ----
    // The fin and tube editor was closed with OK after changing the coil itself.
    TResult ModelEditorAccepted();
    // The editor's Apply while it is open: its model into row 1, and a solve. The face
    // velocity of row 5 is kept, or, while the editor keeps the entered airflow, the air
    // volume it kept (row 4): putting the velocity back would undo that air volume.
    TResult ApplyFromEditor(bool keepAirVolume = false);
    // The fluid dialog was closed; an accepted change counts as an edit.
    TResult FluidEditorClosed(bool accepted);

    // ---- Commands of the grid menu ----
    // Inputs of a typical heating case, rated in "Heating Duty" mode.
    TResult SetIdealFlows1Click();
    // Solves first when not solved.
    TStepSimulation Stepbystepsimulation1Click();
    // Solves first when not solved, then the coil's diagnostics go to viewer.
    void Diagnostics1Click(TReportSink& viewer);
    // "Manufacturing Report": the coil's build, from its geometry alone (no solve).
    void ViewCoilDetailsClick(TReportSink& viewer);

    // ---- Settings ----
    // The values SaveSettings writes: the model's present inputs.
    TDocumentSettings CurrentSettings() const;
    const TDocumentSettings& StoredSettings() const { return m_settings; }
    // The stored values the document could not use as they stood when it was created, each
    // with the value it used instead.
    const TInputCheck& SettingsCheck() const { return m_settingsCheck; }
    // One warning that lists the notes of check, headed by where the values came from ("the
    // settings", a file name); nothing when there are none.
    void ShowInputCheck(const TInputCheck& check, std::string_view source) const;
    std::array<int, 3>& ColumnWidths() { return m_settings.ColumnWidths; }
    void SaveSettings(TSettingsStore& programKey) const;
    void SaveFluidDefaults(TSettingsStore& programKey) const;
    void SaveUnitChoices(TSettingsStore& sharedKey) const;
    // Closing the main window: fluid defaults, document settings, unit choices.
    void SaveOnClose(TSettingsStore& programKey, TSettingsStore& sharedKey) const;

    // ---- The model ----
    THotWaterCoil& HotWaterCoil() { return *m_coil; }
    const THotWaterCoil& HotWaterCoil() const { return *m_coil; }
    TCoil& Coil() { return *m_coil; }
    TCustomHeatExchanger& Exchanger() { return *m_coil; }
    TMoistAirState& AirOn() { return m_airOn; }
    TMoistAirState& AirOff() { return m_airOff; }
    TLiquid& Liquid() { return *m_liquid; }
    const TLiquid& Liquid() const { return *m_liquid; }
    TCoilMakers& Makers() { return m_makers; }
    TUnitsRegistry& Units() { return m_units; }

    double Barometer() const { return m_barometer; }
    void SetBarometer(double kPa) { m_barometer = kPa; }
    double DesignDuty() const { return m_designDuty; }
    void SetDesignDuty(double kW) { m_designDuty = kW; }
    int CalcMode() const { return m_calcMode; }
    void SetCalcMode(int mode);
    // The last accepted model text: row 1 falls back to it when a text is refused.
    const std::string& CoilModel() const { return m_coilModel; }
    void SetCoilModel(std::string text) { m_coilModel = std::move(text); }
    bool ModelFromEditor() const { return m_modelFromEditor; }
    void SetModelFromEditor(bool fromEditor) { m_modelFromEditor = fromEditor; }
    // The stored calibration factors; the coil computes with its own until they are given
    // to it.
    const TCalibrationFactors& Factors() const { return m_factors; }
    void SetFactors(const TCalibrationFactors& factors) { m_factors = factors; }
    void ApplyFactorsToCoil();

private:
    void InitModel(const TFluidDefaults& fluid);
    void InitLiquid(const TFluidDefaults& fluid);
    void InitCoil(const TFluidDefaults& fluid);
    // The stored tube range: none for an empty text, a range of the maker named by the text,
    // else the text read as a catalogue line.
    void ApplyStoredRange(std::string_view maker, std::string_view range);

    void ApplyRow(int row);
    void ApplyModelRow();
    // Whether the coil's geometry would take the designation text.
    bool GeometryTakes(std::string_view text) const;
    void TakeModelText(const std::string& text);
    void ApplyBarometerRow();
    void ApplyAirOnRow();
    void ApplyFluidInletRow();

    bool SizedForDesignDuty() const;
    TResult Unsolved(int status);
    std::vector<std::string> CollectSolveWarnings(int result) const;
    std::string CoilNoteText() const;
    // The row's name as its descriptor gives it: "Fluid Inlet".
    std::string RowName(int row) const;
    // A value in stored units as its row shows it, with the unit: "255.0 m/s".
    std::string RowValueText(int row, double stored) const;
    void ReportAirCorrections(const TAirReading& reading) const;

    // A row's value: a number in stored units, the text, or an index of its list. A text
    // that is not a number, or names no entry, raises EConvertError.
    double RowNumber(int row) const;
    std::string RowText(int row) const;
    int RowChoice(int row) const;
    void SetRow(int row, const TVariant& value);
    std::string MakerName() const;

    void Notify(std::string_view text, TMessageKind kind) const;
    void RowsChanged() const;

    TUnitsRegistry& m_units;
    TFolderEnvironment m_env;
    TDocumentObserver* m_observer = nullptr;
    TDocumentStatus m_status;
    TCoilMakers m_makers;
    TDocumentSettings m_settings;  // as read at creation; the window's column widths
    TInputCheck m_settingsCheck;
    std::string m_fileName;
    std::filesystem::path m_currentFolder;
    std::filesystem::path m_helpFolder;

    double m_barometer = 0;
    TMoistAirState m_airOn;
    TMoistAirState m_airOff;
    double m_designDuty = 0;
    int m_calcMode = cmHeatingDuty;
    std::string m_coilModel;
    bool m_modelFromEditor = false;
    TCalibrationFactors m_factors;
    std::unique_ptr<TLiquid> m_liquid;
    std::unique_ptr<THotWaterCoil> m_coil;
    TPropertyRows m_rows;
};

}  // namespace vantor
