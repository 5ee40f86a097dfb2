#pragma once

// The fin and tube editor's rules, apart from its window: every change the engineer makes to
// the coil (a typed value, a spin step, a material, a tube range, a sizing command) goes
// straight to the coil, the caller's apply callback hears of it, and the coil is rated again
// for a short coloured summary: a list of entries the window draws. Activation remembers the coil as it was, so Cancel can
// put it back.
//
//   TFatEditor editor;
//   editor.SetTargetCoil(&coil);
//   editor.Activate();                 // remembers the record, air volume and tube velocity
//   editor.Spin(TFatValue::Circuits, true);
//   for (const TSummaryEntry& e : editor.Summary()) show(e.Text(), e.Color);   // "8 tubes high"
//
// Values are SI (m, m³/s, m/s) except fins per inch, the fin pitch in mm and the duty in kW.

#include "geometry/model_rec.h"
#include "reports/colors.h"
#include "model/solve_status.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantor {

class TCoil;
class TLiquidCoil;
class TSettingsStore;

// The units the editor's five unit-bearing edits show, kept in the program key, section
// "FatForm".
struct TFatUnitChoices {
    static constexpr const char* kSection = "FatForm";
    int DesignDuty = 0;     // kW
    int FinHeight = 3;      // inch
    int FinnedLength = 2;   // mm
    int FinDensity = 0;     // fpi
    int FinPitch = 0;       // mm

    static TFatUnitChoices Read(const TSettingsStore& programKey);
    void Write(TSettingsStore& programKey) const;
};

// How an entry of the summary stands: as it should, near or past a limit, or not rated.
enum class TSummarySeverity { Normal, Warning, Error };

// One line of the summary: a caption and its value ("Face Area" and "1.20 m²"), or, for
// ValueFirst entries, a value and what it counts ("12" and "tubes high"). Color is the shade
// the line is drawn in: black, blending towards orange-red as a value nears its limit.
struct TSummaryEntry {
    std::string Caption;
    std::string Value;
    TSummarySeverity Severity = TSummarySeverity::Normal;
    TColor Color = RgbColor(0, 0, 0);
    bool ValueFirst = false;

    // "Face Area = 1.20 m²", "12 tubes high", or the caption alone when there is no value.
    std::string Text() const;
};

// The values with an edit and a spin button.
enum class TFatValue { FinHeight, FinnedLength, Rows, FinDensity, FinPitch, Circuits };

// The six sizing commands.
enum class TFatSizing { FaceArea, Height, Length, Rows, Fins, RowsAndFins };

class TFatEditor {
public:
    // Called after every change with the "Keep entered airflow on auto size" state, so the
    // caller keeps the air volume or the face velocity as the editor did.
    using TApplyCallback = std::function<void(bool keepAirVolume)>;

    static constexpr const char* kNotSolvedLine = "coil not solved...";
    static constexpr double kFaceVelocityBlack = 2.4;   // m/s
    static constexpr double kFaceVelocityRed = 3.1;     // m/s
    static constexpr int kPictureHeight = 220;          // pixels

    // The coil being edited; not owned. Nothing happens while none is set.
    void SetTargetCoil(TCoil* coil) { m_coil = coil; }
    TCoil* TargetCoil() const { return m_coil; }
    void SetApplyCallback(TApplyCallback callback) { m_apply = std::move(callback); }

    // "Keep entered airflow on auto size": a new face keeps the air volume (checked) or the
    // face velocity; sizing aims at the present air volume (checked) or the design velocity.
    bool KeepAirFlow = false;

    // The state Cancel restores, then the summary.
    void Activate();

    // A value typed and accepted in its edit; the fin pitch in mm.
    void EditExit(TFatValue value, double x);
    // A spin button: false when the step would leave the value's range (nothing changes).
    bool Spin(TFatValue value, bool up);
    void SetTubeMaterial(int index);
    void SetFinMaterial(int index);
    // Only the weight depends on the casing: nothing is recomputed.
    void SetCasingMaterial(int index);
    // A sizing command for duty, kW: the coil's sizing status (Solved, CountOut, DataError). A
    // duty out of the coil's reach is shown in red on the summary until the next change.
    TSolveStatus Size(TFatSizing sizing, double duty);
    // A tube range chosen in the coil maker window: the height is put back on whole pairs of
    // the new tube pitch.
    void TakeTubeRange(const TModelRec& range);
    // The design settings window was closed: the circuits are set again, which keeps them in
    // step with the design values the coil took.
    void DesignSettingsClosed();
    // The record, air volume and tube velocity of activation back in the coil.
    void Cancel();

    // The summary after the last change, top to bottom; a rating that failed ends it with
    // the error entry "coil not solved...".
    const std::vector<TSummaryEntry>& Summary() const { return m_summary; }
    // Rates the coil and rebuilds the summary.
    void ShowSummary();
    // "Mnf: maker designation", else the model text.
    std::string Caption() const;
    // The serpentine fraction the geometry chose.
    std::string SerpentineLabel() const;
    double FinPitchMm() const;

    // The whole tubes per circuit the picture files are named by (tubes over circuits).
    double PictureTubesPerCircuit() const;

private:
    // outOfReachDuty: the duty, kW, a sizing could not reach, for the summary to show.
    void GeometryChanged(std::optional<double> outOfReachDuty = std::nullopt);
    // After a new height or length: the air volume or the face velocity stays.
    void ApplyAirFlow();
    void ApplyFinHeight(double height);
    void ApplyFinDensity(double fpi);
    void ApplyRows(double rows);
    TLiquidCoil* LiquidCoil() const;

    TCoil* m_coil = nullptr;
    TApplyCallback m_apply;
    TModelRec m_savedRecord;
    double m_savedAirVolume = 0;
    double m_savedVelocity = 0;
    void AddSummaryEntries(TCoil& coil);

    std::vector<TSummaryEntry> m_summary;
    std::optional<double> m_outOfReachDuty;
};

}  // namespace vantor
