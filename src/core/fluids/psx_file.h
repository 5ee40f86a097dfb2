#pragma once

// The moist-air state file (".psx"): one TMoistAirState as fifteen IEEE 754 doubles in the
// record's field order, little-endian, 120 bytes and nothing else.

#include "psychro/moist_air_state.h"
#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

inline constexpr std::size_t kPsxFileSize = 15 * sizeof(double);
inline constexpr std::string_view kPsxExtension = ".psx";
inline constexpr std::string_view kPsxReadError = "Error reading file ";

// The 120 bytes of the state.
std::string EncodePsx(const TMoistAirState& state);
// The state the bytes hold; nothing for a size other than 120 bytes or a field that is not a
// finite number (a damaged file would otherwise show "nan" in every row).
std::optional<TMoistAirState> DecodePsx(std::string_view bytes);

// What makes the state one the psychrometric library could not have produced: the first
// field outside its range ("dry bulb 1E300 °C is outside -100 to 200 °C"); empty when none.
std::string PsxRangeProblem(const TMoistAirState& state);

// "Error reading file " + path when the file cannot be read or is no state file, followed
// by ": " and the range problem for a state no air can have.
TResult ReadPsxFile(const std::filesystem::path& path, TMoistAirState& state);
// Through a temporary file renamed over the target.
TResult WritePsxFile(const std::filesystem::path& path, const TMoistAirState& state);

}  // namespace vantor
