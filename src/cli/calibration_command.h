#pragma once

// `vantor-cli calibration [FILE]`: the five factors a calibration file holds, by caption; the
// program's own calibration file when no FILE is given.

#include <CLI/CLI.hpp>

namespace vantor::cli {

void AddCalibrationCommand(CLI::App& app, int& exitCode);

}  // namespace vantor::cli
