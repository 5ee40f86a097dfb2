#pragma once

// The design settings: the values coil sizing aims at (aspect ratio, face velocity, rows,
// fin density, fouling) and two typical conditions that are only kept and shown. They live
// in the program key, section "CoilSettingsForm", and reach the coil when the design
// settings window is given the coil and when it closes.
//
//   TDesignSettings s = LoadDesignSettings(programKey, coil);   // stored, else the coil's defaults
//   s.Vf = LimitDesignVf(typed);                                // leaving an edit
//   SaveDesignSettings(programKey, s);  ApplyDesignSettings(s, coil);

#include "settings/settings_store.h"
#include "text/result.h"

#include <string>
#include <string_view>

namespace vantor {

class TCoil;

inline constexpr std::string_view kDesignSettingsSection = "CoilSettingsForm";

struct TDesignSettings {
    double Aspect = 0;     // finned length over finned height
    double Vf = 0;         // face velocity, m/s
    double Rows = 0;
    double Fins = 0;       // fins per inch
    std::string AirOn;     // typical inlet air, "db/wb" in °C
    double FluidIn = 0;    // typical inlet fluid, °C
    bool UseFouling = true;

    bool operator==(const TDesignSettings&) const = default;
};

// "Restore Defaults": the coil's defaults, with the coil's present fouling choice.
TDesignSettings DefaultDesignSettings(const TCoil& coil);

// The stored values, a missing one taking the coil's default. A stored value outside what
// the window lets a user enter is brought inside, as leaving its edit would.
TDesignSettings LoadDesignSettings(const TSettingsStore& programKey, const TCoil& coil);
void SaveDesignSettings(TSettingsStore& programKey, const TDesignSettings& settings);

// The sizing values into the coil: aspect, face velocity, rows, fins (rounded) and fouling.
void ApplyDesignSettings(const TDesignSettings& settings, TCoil& coil);
// What giving the design settings window a coil does to it: the stored values applied.
void ApplyStoredDesignSettings(const TSettingsStore& programKey, TCoil& coil);

// The limits applied on leaving each edit.
double LimitDesignAspect(double aspect);    // 0.5 … 5
double LimitDesignVf(double vf);            // 1 … 5 m/s
double LimitDesignRows(double rows);        // whole, 1 … 6
double LimitDesignFins(double fins);        // whole, 8 … 12 fpi
double LimitDesignFluidIn(double fluidIn);  // whole, −60 … 250 °C

// The relative humidity a dry bulb typed alone is given.
inline constexpr double kTypicalAirRH = 0.45;

// The typed inlet air as "%0.1f/%0.1f": a "db/wb" pair read at barometer P (kPa), a dry
// bulb alone taking the wet bulb at 45 % relative humidity. A text that names no air state
// fails with a message; text is then left as it was.
TResult NormalizeDesignAirOn(std::string_view typed, double P, std::string& text);

}  // namespace vantor
