#pragma once

// What a coil selection is asked: the duty and the conditions every candidate is rated at
// (TSelectionRequirement), the limits a rated candidate must keep (TSelectionLimits) and the
// coils that are candidates (TCandidateSpace). SI units: kW, m³/s, °C, K, kg/s, m, m/s, Pa
// for the air pressure drop, kPa for the fluid's.

#include "document/document_settings.h"
#include "fluids/liquid.h"
#include "geometry/mnf_rec.h"
#include "psychro/moist_air_state.h"

#include <optional>
#include <vector>

namespace vantor {

struct TSelectionRequirement {
    double Duty = 0;          // design duty, kW
    TMoistAirState AirOn;     // the on-coil air, barometric pressure included
    double AirVolume = 0;     // m³/s at the on-coil density
    // The heating fluid: code, additive and its volume, or the user's properties.
    TLiquid Fluid{"Water", 0, 80, 60, 0};
    double FluidInlet = 80;   // °C
    // The design flow: FluidFlow when given, else Duty / (cp · DesignDT) with cp at the mean
    // of the inlet and the inlet less DesignDT.
    double DesignDT = 20;     // K
    std::optional<double> FluidFlow;  // kg/s
    // The calibration the document rates with, so that a chosen coil rates there as here.
    TCalibrationFactors Factors;
};

struct TSelectionLimits {
    double Margin = 0.15;          // the duty may exceed the design duty by this fraction
    // The pressure drops the fin and tube editor marks on a liquid coil.
    double MaxAirDrop = 250;       // Pa
    double MaxFluidDrop = 70;      // kPa
    double MinTubeVelocity = 0.3;  // m/s
    double MaxTubeVelocity = 2.5;  // m/s
    double MaxFaceVelocity = 3.0;  // m/s
};

// A whole-number range, both ends included.
struct TIntRange {
    int Lo = 0;
    int Hi = 0;
};

struct TCandidateSpace {
    // The tube ranges to build candidates from (maker and range name in each).
    TMnfRecVec Ranges;
    // A fixed face (a coil that must fit a casing): finned height and length, m.
    std::optional<double> FixedHeight;
    std::optional<double> FixedLength;
    // A free face: heights in steps of two tube pitches and lengths in steps of LengthStep,
    // each within its limits, with the finned length over the height within AspectLo ... AspectHi.
    double MinHeight = 0.3;
    double MaxHeight = 2.0;
    double MinLength = 0.3;
    double MaxLength = 3.0;
    double LengthStep = 0.01;
    double AspectLo = 0.5;
    double AspectHi = 5.0;
    TIntRange Rows{1, 8};
    TIntRange Fins{6, 14};  // fins per inch

    bool FixedFace() const { return FixedHeight.has_value() && FixedLength.has_value(); }
};

struct TSelectionRequest {
    TSelectionRequirement Requirement;
    TSelectionLimits Limits;
    TCandidateSpace Space;
    int Top = 20;      // results kept, lightest first
    // Only the lightest face of each coil (maker, range, rows, fins and circuits), so that the
    // list offers Top different coils.
    bool Distinct = false;
    int Threads = 0;   // workers; 0 for one per core
};

}  // namespace vantor
