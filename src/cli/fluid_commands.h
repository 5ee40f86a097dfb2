#pragma once

// `vantor-cli air`, `barometer` and `fluid`: quick look-ups of moist-air states, of the
// barometer at an altitude and back, and of the heating fluid's properties.

#include <CLI/CLI.hpp>

namespace vantor::cli {

void AddFluidCommands(CLI::App& app, int& exitCode);

}  // namespace vantor::cli
