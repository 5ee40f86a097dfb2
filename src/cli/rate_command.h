#pragma once

// `vantor-cli rate` and `vantor-cli size`: the main window's rating without the window. The
// document starts from the stored settings (or the first-run defaults with --no-settings),
// opens FILE when one is given, takes the row options as row edits in row order, solves and
// prints the report, JSON, comma-separated text, diagnostics or manufacturing report.
// `--save` writes the data file after the solve. The settings are read, never written.

#include <CLI/CLI.hpp>

namespace vantor::cli {

void AddRateCommands(CLI::App& app, int& exitCode);

}  // namespace vantor::cli
