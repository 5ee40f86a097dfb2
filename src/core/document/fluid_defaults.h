#pragma once

// The heating fluid the document starts with, in the program key, section "Default": read
// when the document is created, written from the model when the main window closes.

#include "settings/settings_store.h"
#include "rows/input_check.h"
#include "model/liquid_state.h"

#include <cstdint>
#include <string_view>

namespace vantor {

inline constexpr std::string_view kFluidDefaultsSection = "Default";

struct TFluidDefaults {
    double WaterFlow = 0.8;        // kg/s
    double WaterIn = 45.0;         // °C
    double WaterOut = 35.0;        // °C
    double WaterVelocity = 1.0;    // tube velocity, m/s
    double DesignWaterDT = 10.0;   // K
    TFluidControl Control = TFluidControl::Flow;
    double WaterTemp = 40.0;       // mean temperature, °C
    int WaterSpec = 0;             // fluid code
    int WaterAdditive = 0;         // additive code
    double WaterAddVol = 0;        // additive volume fraction
    double WaterUserRo = 999.2;    // kg/m³
    double WaterUserCp = 4.191;    // kJ/(kg·K)
    double WaterUserMu = 0.001216; // Pa·s
    double WaterUserKo = 0.0005908;  // kW/(m·K)

    bool operator==(const TFluidDefaults&) const = default;
};

// A fluid code, additive or control that names nothing reads as its default. Numbers are checked
// as typed values are, against the rows of the main window and of the fluid dialog that show
// them; check notes every value that could not be used as it stood.
TFluidDefaults ReadFluidDefaults(const TSettingsStore& programKey, TInputCheck& check);
TFluidDefaults ReadFluidDefaults(const TSettingsStore& programKey);
// Numbers are written as the reader would take them (StoredFloat): a value the rows would
// refuse is stored at its row's limit.
void WriteFluidDefaults(TSettingsStore& programKey, const TFluidDefaults& defaults);

// The values the model holds now: flows, temperatures, velocity, drop and control from the
// liquid state, the rest from its liquid.
TFluidDefaults FluidDefaultsOf(const TLiquidState& state);

}  // namespace vantor
