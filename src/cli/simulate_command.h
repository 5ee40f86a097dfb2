#pragma once

// `vantor-cli simulate`: the step-by-step simulation of the main window's popup menu without
// the window: the temperatures of fluid, air, fin surface and dew point at each step through
// the coil, as JSON, CSV or a short text, and with --chart as a picture file.

#include "cli/rate_command.h"
#include "document/rating_document.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

namespace vantor::cli {

void AddSimulateCommand(CLI::App& app, int& exitCode);

// What draws `simulate --chart FILE`. The chart is drawn with Qt; vantor-cli built with its
// windows sets a writer, and without one the option is refused.
using TSimulationChartWriter = TResult (*)(const TStepSimulation& simulation, const std::string& fileName);
void SetSimulationChartWriter(TSimulationChartWriter writer);

// The simulation of a prepared rating, solved first when it is not; the solve's warnings go
// to log. A rating that does not solve, or a simulation that cannot be shown, raises
// TInputError with the reason.
TStepSimulation SimulateRating(TRatingDocument& doc, const TRateLog& log);

// The object `simulate --json` writes: duty, labels, legends and the four series, °C.
nlohmann::ordered_json SimulationJson(const TStepSimulation& simulation);

}  // namespace vantor::cli
