#pragma once

// `vantor-cli geometry DESIGNATION`: the fin-and-tube geometry of a coil made from a maker's
// tube range, as text or JSON; `vantor-cli makers`: the catalogue's makers, or one maker's
// tube ranges as catalogue lines.

#include "geometry/fin_and_tube.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>

namespace vantor::cli {

void AddGeometryCommands(CLI::App& app, int& exitCode);

inline constexpr const char* kFirstRunMaker = "Typical";
inline constexpr int kHalfInchTube = 4;

// The options of `geometry`, as given.
struct TGeometryOptions {
    std::string Designation;
    std::string Maker{kFirstRunMaker};
    std::string Range;
    int Tube = kHalfInchTube;
    bool Json = false;
};

// Builds the coil of the designation from the maker's range (or tube code, when tubeGiven).
// A maker, range or tube the catalogue lacks, or a designation that cannot be built, raises
// TInputError with the reason; the catalogue's own messages go to log.
void BuildGeometry(const TGeometryOptions& options, bool tubeGiven, TFinAndTube& geometry,
                   const std::function<void(const std::string&)>& log);

// The object `geometry --json` writes.
nlohmann::ordered_json GeometryJson(const TFinAndTube& geometry);

}  // namespace vantor::cli
