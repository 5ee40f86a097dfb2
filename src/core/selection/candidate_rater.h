#pragma once

// Rates the candidates of a selection on one worker: its own air states, fluid and hot-water
// coil, reused from one candidate to the next. Every rating starts from the same state (the
// requirement's air, the fluid at the design flow with its design leaving temperature, no
// previous duty), so a result never depends on which candidates the worker rated before.
// The coil runs under flow control at the design flow, as a maker's selection sheet does.

#include "model/hot_water_coil.h"
#include "selection/selection_request.h"
#include "selection/selection_result.h"

#include <optional>

namespace vantor {

// The five model values of a candidate; the tube range is set separately.
struct TCandidateGeometry {
    double Height = 0;  // m
    double Length = 0;  // m
    int Rows = 0;
    int Fins = 0;
};

class TCandidateRater {
public:
    explicit TCandidateRater(const TSelectionRequest& request);
    TCandidateRater(const TCandidateRater&) = delete;
    TCandidateRater& operator=(const TCandidateRater&) = delete;

    // The tube range of the next candidates.
    void SetRange(const TMnfRec& range);
    // The geometry of the next candidates; false when it cannot be built. Circuits are set
    // by Rate.
    bool SetGeometry(const TCandidateGeometry& geometry);
    // The dry weight of the present geometry, kg; nothing is rated.
    double DryWeight();
    // Tubes in the present geometry.
    double TubeCount() const { return m_coil.Geometry().TubeCount(); }
    int TubesHigh() const { return m_coil.Geometry().TubesHigh(); }
    // The tube velocity of a circuit count before rating (the fluid's density at the design
    // mean temperature), m/s.
    double EstimatedTubeVelocity(double circuits) const;

    // Rates the present geometry with the circuits; nothing when it passes every limit,
    // else the first limit it fails.
    std::optional<TRuleOut> Rate(double circuits);
    // The coil as the last Rate left it, as a result.
    TSelectionResult Result();

    const THotWaterCoil& Coil() const { return m_coil; }

private:
    std::optional<TRuleOut> Check() const;

    const TSelectionRequest& m_request;
    TMoistAirState m_airOn;
    TMoistAirState m_airOff;
    TLiquid m_liquid;
    TLiquid m_startLiquid;  // the fluid every rating starts from
    double m_designFlow = 0;
    THotWaterCoil m_coil;
    TModelRec m_rangeRecord;
    TSolveStatus m_solveResult = TSolveStatus::Solved;
};

}  // namespace vantor
