#pragma once

// `vantor-cli select`: the coils of the catalogue that meet a design duty within the limits,
// lightest first, as a table, JSON or comma-separated text.

#include "cli/rate_command.h"
#include "selection/coil_selector.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <optional>
#include <string>

namespace vantor::cli {

void AddSelectCommand(CLI::App& app, int& exitCode);

// The options of `select`, as given; lengths in mm, pressure drops in Pa and kPa.
struct TSelectOptions {
    TRateOptions Rate;  // maker, range, air, fluid and duty, applied as `rate` applies them
    bool AllMakers = false;
    std::optional<double> Height;
    std::optional<double> Length;
    std::optional<double> MinHeight;
    std::optional<double> MaxHeight;
    std::optional<double> MinLength;
    std::optional<double> MaxLength;
    std::optional<double> MaxFaceVelocity;
    std::optional<std::string> Aspect;
    std::optional<std::string> Rows;
    std::optional<std::string> Fins;
    std::optional<double> MaxAirDrop;
    std::optional<double> MaxFluidDrop;
    std::optional<std::string> TubeVelocity;
    std::optional<double> Margin;  // %
    int Top = 20;
    bool Distinct = false;
    bool Json = false;
    bool Csv = false;
};

// Runs the selection as `select` runs it; progress gets the share done (0..1). Options that
// cannot be read raise TUsageError, a requirement that cannot be met as asked TInputError.
TSelectionOutcome SelectCoils(const TSelectOptions& o, const TRateLog& log, const std::function<void(double)>& progress);

// Why an empty selection is empty: the limit that ruled out the most candidates.
std::string NothingSelectedText(const TSelectionOutcome& outcome);

// One result as `select --json` writes it.
nlohmann::ordered_json SelectionResultJson(const TSelectionResult& result);

}  // namespace vantor::cli
