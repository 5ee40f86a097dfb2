#pragma once

// The root of the coil classes: what a rating produces whatever the kind of exchanger (duties,
// effectiveness and transfer units, film and overall coefficients, areas), the calibration
// factors, the solve status and the profile of the step-by-step simulation. Units: kW, kW/K,
// kW/(m²·K), m², m³, m, °C; conductivities kW/(m·K).
//
// The result fields are plain data: the document, the reports and the data file read them, and
// a data file restores the duties it stored. They belong to the last solve; inputs changed
// since are not reflected until Solve runs again.

#include "fluids/heat_transfer.h"
#include "model/solve_status.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TLiquid;
class TReportSink;

// The step-by-step simulation: fluid, air, surface and dew-point temperatures over the slices.
inline constexpr int kProfileRows = 4;
inline constexpr int kProfileSteps = 100;
using TProfile = std::vector<std::array<double, kProfileSteps>>;

// How a step-by-step simulation ended.
enum class TSimulationOutcome {
    Converged,   // the march ends at the fluid inlet temperature; Profile holds it
    NotRated,    // no usable rating to march through
    NoRoot,      // no fluid temperature at the air inlet face makes the march end at the inlet
    Unresolved,  // the search ended without the march meeting the inlet closely enough
};

struct TSimulation {
    TSimulationOutcome Outcome = TSimulationOutcome::NotRated;
    double Duty = 0;  // kW; 0 unless converged

    bool Converged() const { return Outcome == TSimulationOutcome::Converged; }
};

// What the user is told about an outcome; empty for a converged one.
std::string_view SimulationMessage(TSimulationOutcome outcome);

class TCustomHeatExchanger {
public:
    virtual ~TCustomHeatExchanger() = default;

    // The model designation shown as the exchanger's caption.
    virtual std::string GetModelText();
    virtual void SetModelText(std::string_view text);
    // Fluid-side pressure drop, kPa; an exchanger without a fluid side has none.
    virtual double FluidPressureDrop() const { return 0; }
    // Pipe connection size, mm; -1 without a fluid side.
    virtual int PipeSize() const { return -1; }
    // Rates the exchanger; returns the outcome.
    virtual TSolveStatus Solve() = 0;
    // Marches through the exchanger in kProfileSteps slices, fills Profile and returns the
    // duty, kW, or why no profile could be found (Profile is then meaningless). Uses the
    // coefficients of the last solve.
    [[nodiscard]] virtual TSimulation SimulateSteps() = 0;
    // The result reports: the tabbed text, the diagnostics and the comma-separated text.
    // A bare exchanger has nothing to report.
    virtual void ReportText(TReportSink&) const {}
    virtual void Diagnostics(TReportSink&) const {}
    virtual std::string CsvText() const { return {}; }

    // The duty, inside (hi) and outside (ho) film coefficient factors.
    void SetFactors(double duty, double inside, double outside);
    // Profile becomes kProfileRows × kProfileSteps.
    void CreateProfile();

    const std::string& ModelText() const { return m_modelText; }
    TLiquid& Liquid() const { return *m_liquid; }

    std::string Title = "Heat Exchanger";
    double NtuLiquid = 0;  // Ui·Ai / cw
    double NtuAir = 0;     // ho·Ao / air capacity rate
    double NtuRatio = 0;   // NtuAir / NtuLiquid
    // Calibration multipliers.
    double DutyFactor = 1;
    double hoFactor = 1;
    double hiFactor = 1;
    double FluidDPFactor = 1;
    double AirDPFactor = 1;
    double DefaultFluidIn = 0;  // typical fluid inlet offered by the design settings, °C
    double Fouling = 0;         // fouling resistance in Uo, m²·K/kW
    double Ntu = 0;             // overall transfer units referred to the air
    double Cr = 0;              // capacity ratio air over liquid; may exceed 1
    double e = 0;               // effectiveness, duty factor included
    TEffectivenessFn EffectivenessFn = CounterflowEffectiveness;
    double ho = 0;  // air-side coefficient, surface efficiency included
    double hi = 0;  // tube-side coefficient
    double Uo = 0;  // overall coefficient referred to the outside area
    double Ui = 0;  // tube-side coefficient with the tube wall
    double Ao = 0;  // outside area
    double Ai = 0;  // inside area
    double AoAi = 0;
    double ConductanceRatio = 0;  // ho·Ao / (Ui·Ai)
    double Vi = 0;                // internal volume
    double Af = 0;                // fin area
    double WallConductivity = 0.384;
    double WallThickness = 0.003;
    double Qt = 0;    // total duty
    double Qs = 0;    // sensible duty
    double Qmax = 0;  // the largest possible duty
    TSolveStatus Status = TSolveStatus::Solved;
    bool ModelValid = false;  // the last model designation was accepted
    double FluidDPLimit = 50;  // kPa; the fin and tube editor marks a larger drop
    TProfile Profile;
    bool UseFouling = true;

protected:
    TCustomHeatExchanger(std::string_view modelText, TLiquid& liquid);
    // Only a whole exchanger is copied (never through its base): a copy shares the liquid and
    // air states of the original, as the document's snapshot for the editor's Cancel needs.
    TCustomHeatExchanger(const TCustomHeatExchanger&) = default;
    TCustomHeatExchanger& operator=(const TCustomHeatExchanger&) = default;

    void AttachLiquid(TLiquid& liquid) { m_liquid = &liquid; }
    void StoreModelText(std::string_view text) { m_modelText = text; }

private:
    std::string m_modelText;
    TLiquid* m_liquid;  // the document's, not owned
};

}  // namespace vantor
