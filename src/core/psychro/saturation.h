#pragma once

// Saturation pressure of water vapour by Hyland and Wexler (ASHRAE Handbook Fundamentals 2017,
// chapter 1, eq. 5 and 6): over ice up to the triple point (0.01 °C), over liquid water above.
// Valid from -100 to 200 °C.

namespace vantor {

inline constexpr double kSaturationMinTemperature = -100.0;  // °C
inline constexpr double kSaturationMaxTemperature = 200.0;   // °C

// Saturation pressure at t °C, kPa.
double SatPressure(double t);

// The temperature whose saturation pressure is p kPa (the dew or frost point of a vapour
// pressure). False, with t unchanged, when p lies outside the pressures of -100 .. 200 °C.
bool SatTemperature(double p, double& t);

}  // namespace vantor
