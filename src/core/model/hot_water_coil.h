#pragma once

// A heating coil supplied with hot water or brine. Solve finds the duty by an
// effectiveness–NTU iteration in which the liquid's properties, the tube-side coefficient and,
// under temperature control, the fluid flow are updated until the duty settles, then completes
// the off-coil air. SimulateSteps marches through the coil in slices of outside area for the
// temperature profiles. The rating allocates nothing.

#include "model/liquid_coil.h"

namespace vantor {

class THotWaterCoil : public TLiquidCoil {
public:
    THotWaterCoil(const TCoilAttachment& attachment, std::string_view designation, const TTubeRange& range = {});

    // ssSolved or ssCountOut, also left in Status; ssDataError when the coil cannot be rated
    // (Status then ssDataError too, no duty, the off-coil air a copy of the on-coil air).
    // Under temperature control a leaving fluid below the on-coil dry bulb is held at that
    // dry bulb and ssDataError is returned while Status keeps the outcome of the iteration.
    int Solve() override;
    // Needs a preceding solve; fills Profile with the fluid, air, surface and dew-point
    // temperatures, and returns the duty, kW.
    double SimulateSteps() override;
    // Flow control with the standard design drop, the flow for the duty, and as many circuits
    // as give the ideal tube velocity, which the flow then meets exactly.
    void SetDesignDuty(double Q) override;
    // The reports with the duty and, after a solve that did not end solved, its status added.
    void ReportText(TReportSink& sink) const override;
    std::string CsvText() const override;

private:
    bool InputsUsable() const;
    // A solve that cannot rate: no duty, the off-coil air a copy of the on-coil air.
    int FailSolve();
    // The effectiveness–NTU passes; false when a pass produced no usable duty.
    bool IterateDuty();
    // The off-coil air from the duty; false when the air state cannot be formed.
    bool CompleteAirOff();
};

}  // namespace vantor
