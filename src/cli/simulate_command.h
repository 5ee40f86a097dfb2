#pragma once

// `vantor-cli simulate`: the step-by-step simulation of the main window's popup menu without
// the window: the temperatures of fluid, air, fin surface and dew point at each step through
// the coil, as JSON, CSV or a short text.

#include <CLI/CLI.hpp>

namespace vantor::cli {

void AddSimulateCommand(CLI::App& app, int& exitCode);

}  // namespace vantor::cli
