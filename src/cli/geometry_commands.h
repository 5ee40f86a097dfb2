#pragma once

// `vantor-cli geometry DESIGNATION`: the fin-and-tube geometry of a coil made from a maker's
// tube range, as text or JSON; `vantor-cli makers`: the catalogue's makers, or one maker's
// tube ranges as catalogue lines.

#include <CLI/CLI.hpp>

namespace vantor::cli {

void AddGeometryCommands(CLI::App& app, int& exitCode);

}  // namespace vantor::cli
