#pragma once

// The step-by-step simulation's chart for a program without windows: vantor-cli calls this
// through a Qt-free header and links the Qt behind it only when it is built with its windows.

#include "text/result.h"

#include <string>

namespace vantor {

struct TStepSimulation;

// Draws the simulation's chart, as the data chart window saves it, to a .png, .pdf or .svg
// file. Runs its own Qt application on the offscreen platform for the call when the program
// has none, so it needs no display.
TResult WriteSimulationChartFile(const TStepSimulation& simulation, const std::string& fileName);

}  // namespace vantor
