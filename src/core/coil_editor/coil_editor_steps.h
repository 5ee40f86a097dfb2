#pragma once

// The steps the fin and tube editor's spin buttons take, in the coil builder's customary
// increments, and the searches for a circuit count that divides the tubes evenly. Each
// returns the new value, or nothing when the step would leave the value's range (the edit
// then keeps its value). SI units except where named: fins per inch, pitch in mm.

#include <optional>

namespace vantor {

// The range each editor value may take.
struct TStepRange {
    double Low;
    double High;
    bool Holds(double x) const { return x >= Low && x <= High; }
};

inline constexpr TStepRange kFinHeightRange{0.0127, 9.144};
inline constexpr TStepRange kFinnedLengthRange{0.1, 10.0};
inline constexpr TStepRange kRowsRange{1.0, 20.0};
inline constexpr TStepRange kFinDensityRange{0.0001, 30.0};
inline constexpr TStepRange kFinPitchRange{0.1, 40.0};  // mm
inline constexpr TStepRange kCircuitsRange{1.0, 1440.0};
// The finned length moves in whole decimetres.
inline constexpr double kFinnedLengthStep = 0.1;
inline constexpr double kMmPerInch = 25.4;

// A fin height takes whole pairs of tube pitches (one pitch per tube, staggered rows need
// the pair): the step for tube pitch sy.
double FinHeightStep(double sy);
// A typed height below one step becomes one step.
double TypedFinHeight(double height, double sy);
// The next multiple of step above (up) or below value.
std::optional<double> StepMultiple(double value, double step, bool up, const TStepRange& range);

// Rows: one at a time, pairs from six up (deep coils come in even rows).
std::optional<double> RowsStep(double rows, bool up);
// Fin density: to the next even number of fins per inch.
std::optional<double> FinDensityStep(double fpi, bool up);
// Fin pitch in mm: to the next whole millimetre; nothing at or above the upper limit going
// up, at or below 1.1 mm going down.
std::optional<double> FinPitchStep(double pitch, bool up);

// More circuits: the next circuit count above circuits that gives every circuit the same
// whole number of tubes, out of tubes. Fewer circuits: the next such count below; nothing
// when none is found before the circuit length exceeds tubeCount.
std::optional<double> MoreCircuits(double tubes, double circuits);
std::optional<double> FewerCircuits(double tubes, double circuits, double tubeCount);

// Whole tubes in each circuit: the whole part of tubes over circuits (0 without circuits).
double TubesPerCircuit(double tubes, double circuits);
// Tubes left over when every circuit has its whole number of tubes.
double UnlinkedTubes(double tubes, double circuits);

}  // namespace vantor
