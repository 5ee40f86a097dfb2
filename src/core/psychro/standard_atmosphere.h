#pragma once

// The standard atmosphere: the barometer at sea level, the base of the altitude relation and
// the barometer a new air state, document, chart or settings store starts from.

namespace vantor {

inline constexpr double kStandardAtmosphere = 101.325;  // kPa

}  // namespace vantor
