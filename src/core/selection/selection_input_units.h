#pragma once

// The coil selection window's inputs in the units the user chose: for each quantity the
// window asks for, the unit's label, the conversions between the stored (SI) value and the
// shown one, and the decimals and range a box shows it with. The quantities the results
// table also shows take the very records its columns take, so a limit and the column it
// limits always read in one unit. A temperature drop is a difference: it is scaled, never
// shifted by a temperature unit's zero.
//
//   const TSelectionInputUnits inputs(doc.Units());          // Imperial choices
//   inputs.Label(TSelectionInputUnits::kHeight)             -> "inch"
//   inputs.Shown(TSelectionInputUnits::kHeight, 0.6096)     -> 24
//   inputs.Shown(TSelectionInputUnits::kDesignDrop, 10)     -> 18

#include "psychro/moist_air_state.h"
#include "selection/selection_request.h"
#include "units/unit_rec.h"

#include <array>
#include <string>

namespace vantor {

class TUnitsRegistry;

class TSelectionInputUnits {
public:
    enum TInput : int {
        kDuty = 0,
        kAirVolume,
        kDesignDrop,
        kFluidFlow,
        kMaxAirDrop,
        kMaxFluidDrop,
        kMinTubeVelocity,
        kMaxTubeVelocity,
        kMaxFaceVelocity,
        kHeight,
        kLength,
    };
    static constexpr int kInputCount = kLength + 1;

    // Takes a copy of each quantity's unit from units, as the results table does.
    explicit TSelectionInputUnits(const TUnitsRegistry& units);

    std::string Label(TInput input) const;
    double Shown(TInput input, double stored) const;
    double Stored(TInput input, double shown) const;

    // Enough decimals that one step in the shown unit is no coarser than the step the input
    // has in SI (0.1 mm for a face length: one decimal in mm, three in inches).
    int Decimals(TInput input) const;
    // The input's SI range in the shown unit, rounded outwards to Decimals, so every value
    // the SI range allows can be typed.
    double Lowest(TInput input) const;
    double Highest(TInput input) const;

    // "25.0/17.0 °C at 101.325 kPa": the on-coil air and its barometric pressure.
    std::string AirOnText(const TMoistAirState& air) const;
    // "Water, 45.0 °C in": the heating fluid and its inlet temperature.
    std::string FluidText(const TSelectionRequirement& req) const;

private:
    const UnitRec& Unit(TInput input) const { return m_units[static_cast<size_t>(input)]; }

    std::array<UnitRec, kInputCount> m_units;
    UnitRec m_airTemp;
    UnitRec m_fluidTemp;
    UnitRec m_barometer;
};

}  // namespace vantor
