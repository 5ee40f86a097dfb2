#pragma once

// `vantor-cli select`: the coils of the catalogue that meet a design duty within the limits,
// lightest first, as a table, JSON or comma-separated text.

#include <CLI/CLI.hpp>

namespace vantor::cli {

void AddSelectCommand(CLI::App& app, int& exitCode);

}  // namespace vantor::cli
