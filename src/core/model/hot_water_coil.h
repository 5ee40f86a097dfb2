#pragma once

// A heating coil supplied with hot water or brine. Solve finds the duty by an
// effectiveness–NTU iteration in which the liquid's properties, the tube-side coefficient and,
// under temperature control, the fluid flow are updated until the duty settles, then completes
// the off-coil air. SimulateSteps marches through the coil in slices of outside area for the
// temperature profiles. The rating allocates nothing.

#include "model/liquid_coil.h"

namespace vantor {

// What made the last solve other than an ordinary heating rating; the document words it.
enum class THotWaterNote {
    None,
    NoTemperatureDifference,  // fluid inlet at the on-coil dry bulb: no duty, solved
    CoolsAir,                 // fluid inlet below the on-coil dry bulb: rated as sensible cooling
    CannotCool,               // the same under temperature control: the flow cannot follow, failed
    DropHeld,                 // the design drop reaches the on-coil dry bulb: leaving fluid held, result 5
    BelowDewPoint,            // fluid inlet below the on-coil dew point: condensation, failed
};

class THotWaterCoil : public TLiquidCoil {
public:
    THotWaterCoil(const TCoilAttachment& attachment, std::string_view designation, const TTubeRange& range = {});

    // Solved or CountOut, also left in Status; DataError when the coil cannot be rated (Status
    // then DataError too, no duty, the off-coil air a copy of the on-coil air). Under
    // temperature control a design drop that would take the leaving fluid to or below the
    // on-coil dry bulb has the leaving fluid held at that dry bulb, the drop reduced, and
    // DataError returned while Status keeps the outcome of the iteration. Fluid entering at
    // the on-coil dry bulb gives no duty and leaves the air as it is; fluid below the on-coil
    // dew point would condense moisture and is not rated. Note says which case applied.
    TSolveStatus Solve() override;
    THotWaterNote Note() const { return m_note; }
    // The design drop the last solve was asked for, K (before a hold reduced it).
    double RequestedDesignDT() const { return m_requestedDesignDT; }
    // Needs a preceding solve; fills Profile with the fluid, air, surface and dew-point
    // temperatures, and returns the duty, kW. The fluid temperature at the air inlet face is
    // searched for between the entering air and the fluid inlet; a coil whose profile cannot
    // be resolved says so instead of returning a profile.
    TSimulation SimulateSteps() override;
    // Flow control with the standard design drop, the flow for the duty, and as many circuits
    // as give the ideal tube velocity, which the flow then meets exactly.
    void SetDesignDuty(double Q) override;
    // The reports with the duty and, after a solve that did not end solved, its status added.
    void ReportText(TReportSink& sink) const override;
    std::string CsvText() const override;

private:
    bool InputsUsable() const;
    // A solve that cannot rate: no duty, the off-coil air a copy of the on-coil air.
    TSolveStatus FailSolve();
    // Fluid at the air's temperature: no duty, the air passes unchanged, solved.
    TSolveStatus PassAirUnchanged();
    // The effectiveness–NTU passes; false when a pass produced no usable duty.
    bool IterateDuty();
    // The off-coil air from the duty; false when the air state cannot be formed.
    bool CompleteAirOff();
    // One march through the slices from the air inlet face, with the fluid at faceTemp there:
    // fills Profile and the duty, kW, and returns the fluid temperature at the far end (not a
    // number when the air is driven out of the psychrometric range).
    double March(double faceTemp, double& duty);
    // The profile of a coil without flow.
    TSimulation StandingFluid();

    THotWaterNote m_note = THotWaterNote::None;
    double m_requestedDesignDT = 0;
};

}  // namespace vantor
