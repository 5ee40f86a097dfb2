#pragma once

// One moist-air state as the psychrometric library fills it, and the pair codes that say
// which two of its properties fix it. Units: kPa, °C, kJ/kg dry air, kg/kg dry air, fraction,
// kg/m³, kJ/(kg dry air·K), kW/(m·K), Pa·s, kg/s.

#include <type_traits>

namespace vantor {

// Fifteen doubles in a fixed order: the record is written as raw bytes to data and state
// files, so neither the order nor the size may change.
struct TMoistAirState {
    double P = 0.0;   // barometric pressure, kPa
    double db = 0.0;  // dry bulb, °C
    double wb = 0.0;  // wet bulb, °C
    double h = 0.0;   // enthalpy, kJ/kg dry air
    double W = 0.0;   // moisture content, kg/kg dry air
    double RH = 0.0;  // relative humidity, fraction
    double td = 0.0;  // dew point (frost point below 0.01 °C), °C
    double pv = 0.0;  // vapour pressure, kPa
    double ps = 0.0;  // saturation pressure at the dry bulb, kPa
    double ro = 0.0;  // density of the moist air, kg/m³
    double cp = 0.0;  // specific heat, kJ/(kg dry air·K)
    // Library-owned: the status (a TPsyStatus value) of the computation that last wrote the
    // state, so that a state carries its own verdict wherever it is copied.
    double Status = 0.0;
    double k = 0.0;   // thermal conductivity, kW/(m·K)
    double mu = 0.0;  // dynamic viscosity, Pa·s
    double M = 0.0;   // air mass flow, kg/s: the coil's; the library never writes it
};

static_assert(sizeof(TMoistAirState) == 15 * sizeof(double));
static_assert(std::is_trivially_copyable_v<TMoistAirState>);
static_assert(std::is_standard_layout_v<TMoistAirState>);

// The two properties that fix a state, first passed as X and second as Y. Codes missing from
// the list (6, 20 to 24, 27) name pairs that are not independent.
enum TPairCode : int {
    pcDbWb = 0,
    pcDbH = 1,
    pcDbW = 2,
    pcDbRH = 3,
    pcDbTd = 4,
    pcDbPv = 5,
    pcDbRo = 7,
    pcWbH = 8,
    pcWbW = 9,
    pcWbRH = 10,
    pcWbTd = 11,
    pcWbPv = 12,
    pcWbPs = 13,
    pcWbRo = 14,
    pcHW = 15,
    pcHRH = 16,
    pcHTd = 17,
    pcHPv = 18,
    pcHPs = 19,
    pcWRH = 25,
    pcWPs = 26,
    pcRHTd = 28,
    pcRHPv = 29,
    pcRHPs = 30,
    pcTdPs = 31,
    pcPvPs = 32,
};

}  // namespace vantor
