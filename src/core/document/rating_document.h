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
// Every way into the document (the grid, the fin and tube editor, the calibrator, a selected
// coil, a data file, the command line) changes it through the edit operations below, which
// apply the row rules, refresh the rows and set the Saved/Solved/Modified flags once, and
// return notes of every value they could not take as given:
//
//   TEditNotes set = doc.SetInput(rowAirVolume, 271.6);   // SI units, as if typed
//   // set.Notes: "Air Volume 271.6 is outside 0.1 to 100; 100 used"

#include "document/data_file_model.h"
#include "document/document_observer.h"
#include "document/document_rows.h"
#include "document/document_settings.h"
#include "document/document_status.h"
#include "heating_fluid/fluid_choice.h"
#include "document/fluid_defaults.h"
#include "fluids/air_state_text.h"
#include "fluids/liquid.h"
#include "geometry/coil_makers.h"
#include "geometry/mnf_rec.h"
#include "model/hot_water_coil.h"
#include "psychro/moist_air_state.h"
#include "reports/report_sink.h"
#include "settings/folders.h"
#include "settings/settings_store.h"
#include "text/result.h"
#include "rows/property_rows.h"
#include "rows/unit_choices.h"
#include "units/units_registry.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
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

// The relative humidity of an on-coil dry bulb given without a wet bulb.
inline constexpr double kDefaultAirRH = 0.5;

// What an edit operation did: Ok, or why the document refused the edit (and kept its values);
// and one note for each value it could not take as given, naming the value it used instead.
struct TEditNotes {
    TResult Result;
    std::vector<std::string> Notes;

    explicit operator bool() const { return Result.IsOk(); }
};

// The quantities an automation client can put, in SI units.
enum class TPutQuantity { FluidInlet, FaceVelocity, FluidFlow, AirOnDryBulb, AirOnWetBulb, AirVolume, AirMassFlow };

// A coil of the catalogue to rate: its maker's tube range and designation, with the air volume
// (m³/s) and the fluid mass flow (kg/s) it was chosen for.
struct TCoilChoice {
    TMnfRec Range;
    std::string Designation;
    double AirVolume = 0;
    double FluidFlow = 0;
};

// Reads a data file into the coil; dfInvalidFormat when the model was left untouched.
using TModelReader = std::function<TResult(THotWaterCoil& coil, TCoilMakers& makers)>;

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

    // ---- Edit operations ----
    // One input as if typed into its row: a number in SI units (rows 2, 4, 5, 8 to 12), the
    // designation (row 1), "db" or "db/wb" in °C (row 3) or a list index (rows 7 and 13). A
    // number is held to its row's range (within half a per cent of a limit it passes, beyond
    // that the limit is used, with a note) and rounded to the row's format; an on-coil state
    // that cannot exist is corrected with a note. A designation the coil refuses, a text that
    // is not a number or a list index out of range is refused and changes nothing.
    TEditNotes SetInput(int row, const TVariant& value);
    // The fluid dialog's choice, under its rules; an additive volume outside the dialog's
    // range takes the nearer limit with a note.
    TEditNotes SetFluid(const TFluidChoice& choice);
    // A coil of the catalogue with its exact air volume and fluid flow, flow control and
    // "Heating Duty" mode; refused without a change when the coil cannot be built.
    TEditNotes UseCoil(const TCoilChoice& coil);
    // A data file read into the model by read. Afterwards the document shows what was read with
    // the barometer of its air in "Heating Duty" mode, not solved; a good read leaves it saved
    // under path. A file of another kind (dfInvalidFormat) changes nothing.
    TResult OpenModel(const std::string& path, const TModelReader& read);
    // New calibration factors, given to the coil.
    TEditNotes Calibrate(const TCalibrationFactors& factors);
    // The data file was written to path: the document equals it now.
    void FileSaved(const std::string& path);
    // The file properties changed: they are part of the data file, so there is work to save.
    void FilePropertiesChanged();
    // The fin and tube editor works on the coil itself. Before it opens the document remembers
    // every input and result; Accept takes the coil and its air and fluid flows exactly as the
    // editor left them, Cancel puts everything back as it was, bit for bit.
    void BeginModelEdit();
    TEditNotes AcceptEditorResult();
    void CancelModelEdit();
    // A document that rates one input after another (the lines of a schedule) starts each
    // from the same state: KeepAsStart remembers every input and result as they are now,
    // BackToStart puts them back bit for bit and shows them in the rows. The rows' units are
    // not part of it: a change of units stays.
    void KeepAsStart();
    void BackToStart();

    // What an automation client puts: the value taken as given, through the coil's own
    // setter (no row rounding, no row range), the rows then showing it. The document is no
    // longer solved; Saved and Modified keep their state. An on-coil dry or wet bulb that
    // leaves air which cannot exist (moisture kept from warmer air) is corrected as the row
    // corrects a typed state, with a note. A value that is not finite, or air the
    // psychrometric library refuses, is refused and changes nothing.
    TEditNotes PutValue(TPutQuantity quantity, double value);
    // The designation through the coil's own setter; one the coil cannot be built from is
    // refused and the coil kept.
    TEditNotes PutModelText(std::string_view text);

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
    // For automation, which keeps its own rules; every other way in uses the edit operations.
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
    // The editor's Apply while it is open: its model into row 1, and a solve. The air flow is
    // the coil's as the editor left it (a new face keeps the velocity or the volume, a sizing
    // sets the design velocity); the rounded rows never move it.
    TResult ApplyFromEditor();
    // The fluid dialog was closed; an accepted change counts as an edit.
    TResult FluidEditorClosed(bool accepted);

    // ---- Commands of the grid menu ----
    // Inputs of a typical heating case, rated in "Heating Duty" mode.
    TResult SetIdealFlows();
    // Solves first when not solved.
    TStepSimulation SimulateSteps();
    // Solves first when not solved, then the coil's diagnostics go to viewer.
    void Diagnose(TReportSink& viewer);
    // "Manufacturing Report": the coil's build, from its geometry alone (no solve).
    void WriteManufacturingReport(TReportSink& viewer);

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
    const TMoistAirState& AirOn() const { return m_airOn; }
    const TMoistAirState& AirOff() const { return m_airOff; }
    TLiquid& Liquid() { return *m_liquid; }
    const TLiquid& Liquid() const { return *m_liquid; }
    TCoilMakers& Makers() { return m_makers; }
    TUnitsRegistry& Units() { return m_units; }

    double Barometer() const { return m_barometer; }
    double DesignDuty() const { return m_designDuty; }
    void SetDesignDuty(double kW) { m_designDuty = kW; }
    TCalcMode CalcMode() const { return m_calcMode; }
    void SetCalcMode(TCalcMode mode);
    // The last accepted model text: row 1 falls back to it when a text is refused.
    const std::string& CoilModel() const { return m_coilModel; }
    bool ModelFromEditor() const { return m_modelFromEditor; }
    // The stored calibration factors; the coil computes with its own until they are given
    // to it.
    const TCalibrationFactors& Factors() const { return m_factors; }
    void ApplyFactorsToCoil();

private:
    void InitModel(const TFluidDefaults& fluid);
    void InitLiquid(const TFluidDefaults& fluid);
    void InitCoil(const TFluidDefaults& fluid);
    // The stored tube range: none for an empty text, a range of the maker named by the text,
    // else the text read as a catalogue line.
    void ApplyStoredRange(std::string_view maker, std::string_view range);

    // Fails, changing nothing, on a row whose value is not a number or names no entry.
    TResult ApplyRow(int row);
    void ApplyChoiceRow(int row, int choice);
    void ApplyNumberRow(int row, double value);
    void ApplyModelRow();
    // Whether the coil's geometry would take the designation text.
    bool GeometryTakes(std::string_view text) const;
    void TakeModelText(const std::string& text);
    void ApplyBarometerRow(double barometer);
    void ApplyAirOnRow();
    void ApplyFluidInletRow(double inlet);

    bool SizedForDesignDuty() const;
    TResult Unsolved(TSolveStatus status);

    // Every input and result of the document.
    struct TSnapshot {
        std::unique_ptr<THotWaterCoil> Coil;  // shares the document's air states and liquid
        TLiquid Liquid;
        TMoistAirState AirOn;
        TMoistAirState AirOff;
        double Barometer = 0;
        double DesignDuty = 0;
        TCalcMode CalcMode = TCalcMode::HeatingDuty;
        std::string CoilModel;
        bool ModelFromEditor = false;
        TCalibrationFactors Factors;
        TDocumentStatus Status;
    };
    TSnapshot TakeSnapshot() const;
    void RestoreSnapshot(const TSnapshot& before);
    TEditNotes SetModelInput(const std::string& text);
    TEditNotes SetAirOnInput(const std::string& text);
    TEditNotes SetNumberInput(int row, const TVariant& value);
    // The number held to the row's range in stored units, with a note when it was moved.
    double LimitToRow(int row, double value, std::vector<std::string>& notes) const;
    // After an operation changed an input: the flags and the rows, once.
    void InputChanged();
    TEditNotes PutAirOnValue(bool dryBulb, double value);
    // After an automation put: not solved, the rows showing the model.
    void ValuePut();

    std::vector<std::string> CollectSolveWarnings(TSolveStatus result) const;
    std::string CoilNoteText() const;
    // The row's name as its descriptor gives it: "Fluid Inlet".
    std::string RowName(int row) const;
    // A value in stored units as its row shows it, with the unit: "255.0 m/s".
    std::string RowValueText(int row, double stored) const;
    void ReportAirCorrections(const TAirReading& reading) const;

    // A row's value: a number in stored units, the text, or an index of its list; nothing
    // for a text that is not a number or names no entry.
    std::optional<double> RowNumber(int row) const;
    std::string RowText(int row) const;
    std::optional<int> RowChoice(int row) const;
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
    TCalcMode m_calcMode = TCalcMode::HeatingDuty;
    std::string m_coilModel;
    bool m_modelFromEditor = false;
    TCalibrationFactors m_factors;
    std::unique_ptr<TLiquid> m_liquid;
    std::unique_ptr<THotWaterCoil> m_coil;
    TPropertyRows m_rows;
    std::optional<TSnapshot> m_beforeEdit;  // while the fin and tube editor is open
    std::optional<TSnapshot> m_start;       // what BackToStart returns to
};

}  // namespace vantor
