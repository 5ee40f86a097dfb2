#pragma once

// The psychrometric library: moist-air states from two properties and the barometer, after
// the ASHRAE Handbook Fundamentals (2017), chapter 1. Every call is allocation-free, never
// throws and ends in bounded time; its outcome is a TPsyStatus, returned, stored in the
// state's Status field and kept as PsyStatus() for the calling thread.

#include "psychro/moist_air_state.h"

#include <string_view>

namespace vantor {

enum TPsyStatus : int {
    psyOk = 0,
    psyBadValue = 1,           // an input is not finite or lies outside its physical range
    psyBadPressure = 2,        // the barometer is not a positive number
    psyOutOfRange = 3,         // a temperature falls outside -100 .. 200 °C
    psyVapourPressure = 4,     // the vapour pressure would reach the barometer
    psyNoState = 5,            // no moist-air state has the two given properties
    psySupersaturated = 6,     // the wet bulb lies more than 0.1 K above the dry bulb
    psyNoConvergence = 7,      // an iteration did not settle
    psyUnknownPairCode = 8,
};

// True for the codes of TPairCode.
bool IsPairCode(int code);

// The state was filled (possibly supersaturated); any other failure leaves it untouched.
inline bool PsyStateFilled(int status) { return status == psyOk || status == psySupersaturated; }

// A short English description of a status ("vapour pressure reaches the barometer").
std::string_view PsyStatusText(int status);

// Fills fields 1 to 14 of state from P and the pair (X, Y) named by code; field 15 is kept.
// On failure only the Status field changes, except for a supersaturated state, which is
// filled and flagged.
int SetState(TMoistAirState& state, double P, double X, double Y, int code);

// As SetState, with P and the two properties of code read from their fields of `state`.
// result and state may be the same object; result keeps its own field 15.
int AirState(TMoistAirState& result, const TMoistAirState& state, int code);

// The wet bulb of the state fixed by the pair, °C; NaN when no state could be computed.
double WetBulb(double P, double X, double Y, int code);

// The status of the calling thread's last library call.
int PsyStatus();

// Altitude in m for a barometric pressure in kPa, and back, in an isothermal atmosphere
// (scale height 8284.24 m): 70 kPa is 3063.8 m, 120 kPa is -1401.35 m. NaN with a nonzero
// PsyStatus for unusable input.
double Altitude(double P);
double AtmPressure(double altitude);

}  // namespace vantor
