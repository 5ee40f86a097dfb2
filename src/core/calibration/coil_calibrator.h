#pragma once

// The coil calibrator: a coil maker tunes the rating to measured performance with five
// multiplying factors and sees the effect of each change at once, the coil being solved again
// directly (the document's flags and rows are left alone). The window holds one of these and
// shows its factor texts and result texts.
//
//   TCoilCalibrator calibrator;
//   calibrator.Activate(document.HotWaterCoil());     // the coil's factors, solved
//   calibrator.StepUp(cfDuty);                         // 1.0001, solved again
//   calibrator.WriteCalibration(CalibrationFile());    // "Update" or leaving an edit
//   AcceptCalibration(document);                       // "Accept"
//
// Each factor is held as its edit shows it, with four decimals.

#include "calibration/calibration_file.h"
#include "document/document_settings.h"
#include "model/solve_status.h"
#include "text/result.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace vantor {

class TCoil;
class TRatingDocument;

// The result fields after a recalculation, kW, Pa and kPa.
struct TCalibrationResults {
    double TotalDuty = 0;
    double SensibleDuty = 0;
    // Sensible over total duty; ±1.7e308 (0 for no sensible duty) when there is no total duty.
    double SensibleHeatRatio = 0;
    double AirPressureDrop = 0;
    double FluidPressureDrop = 0;
    TSolveStatus Status = TSolveStatus::Solved;

    // As the window shows them: duties "%0.3f", the ratio "%0.4g", pressure drops "%0.1f".
    std::array<std::string, 5> Texts() const;
};

class TCoilCalibrator {
public:
    // Up multiplies a factor by its step, down divides by it.
    static constexpr double kFilmStep = 1.0001;  // duty, outside and inside film factors
    static constexpr double kDropStep = 1.001;   // the two pressure drop factors
    static constexpr std::string_view kFactorFormat = "%0.4f";

    // The calibrator opens on a coil: its present factors, then Recalculate. The coil must
    // outlive the calibrator's use of it.
    void Activate(TCoil& coil);

    double Factor(TCalibrationFactor factor) const;
    std::string FactorText(TCalibrationFactor factor) const;
    const TCalibrationFactors& Factors() const { return m_factors; }

    // An edit's text. Only a positive number is taken: anything else gives a message and
    // the factor keeps its value. No recalculation follows (leaving the edit does that).
    TResult SetFactorText(TCalibrationFactor factor, std::string_view text);
    void StepUp(TCalibrationFactor factor);
    void StepDown(TCalibrationFactor factor);
    // "Reset": every factor 1, then Recalculate.
    void Reset();

    // The factors into the coil, the coil solved, the results kept. Without a coil nothing
    // happens.
    const TCalibrationResults& Recalculate();
    const TCalibrationResults& Results() const { return m_results; }

    // Leaving an edit and "Update": the calibration file, then Recalculate. The window takes
    // no notice of a failed write; the result says what happened.
    TResult WriteCalibration(const std::filesystem::path& file);

    // The status line: the coil's model text.
    std::string StatusText() const;

private:
    double& Slot(TCalibrationFactor factor);
    void Take(TCalibrationFactor factor, double value);

    TCoil* m_coil = nullptr;
    TCalibrationFactors m_factors;
    TCalibrationResults m_results;
};

// "Accept": the document's stored factors become the coil's (they are saved with the
// settings), the document is modified and shows its rows again, row 12's label included.
void AcceptCalibration(TRatingDocument& document);

}  // namespace vantor
