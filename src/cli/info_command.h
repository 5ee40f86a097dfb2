#pragma once

// `vantor-cli info`: the version, where the settings and the data files are, and whether
// maintainer mode is on; `--json` gives the same as one JSON object.

#include <CLI/CLI.hpp>

namespace vantor::cli {

void AddInfoCommands(CLI::App& app, int& exitCode);

}  // namespace vantor::cli
