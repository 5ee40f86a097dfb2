#pragma once

// A coil with a liquid inside its tubes: it owns the liquid state and adds what does not
// depend on how the duty is solved: the fluid pressure drop through one circuit, the pipe
// connection size and the handling of a coil without fluid flow.

#include "model/coil.h"
#include "model/liquid_state.h"

namespace vantor {

class TLiquidCoil : public TCoil {
public:
    // Points the coil and its liquid state at other air states and another fluid.
    void Attach(const TCoilAttachment& attachment);

    // Through one circuit, return bends included, kPa.
    double FluidPressureDrop() const override;
    // The standard connection size for the fluid flow, mm.
    int PipeSize() const override;
    // The tube wall, and the liquid state's flow area from the circuits.
    void UpdateTubeProperties() override;
    // The reports with the liquid side added.
    void ReportText(TReportSink& sink) const override;
    void Diagnostics(TReportSink& sink) const override;
    std::string CsvText() const override;

    // True, with no duty and the off-coil air a copy of the on-coil air, when the fluid
    // carries (next to) no heat; otherwise false and nothing changes.
    bool NoFlow();

    // Darcy friction factor: laminar 64/Re below Re 2300; above, the smooth-tube law when
    // roughness is 0, else the Colebrook equation (or the fully rough value where the
    // roughness dominates). startFactor seeds the iterations and stands in when Re ≤ 0.
    static double FrictionFactor(double Re, double diameter, double roughness, double startFactor);

    TLiquidState LiquidState;

protected:
    TLiquidCoil(const TCoilAttachment& attachment, std::string_view designation, int coilType, const TTubeRange& range);
};

}  // namespace vantor
