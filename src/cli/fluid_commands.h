#pragma once

// `vantor-cli air`, `barometer` and `fluid`: quick look-ups of moist-air states, of the
// barometer at an altitude and back, and of the heating fluid's properties.

#include "fluids/liquid.h"
#include "psychro/psychro.h"
#include "psychro/standard_atmosphere.h"
#include "text/format.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantor::cli {

void AddFluidCommands(CLI::App& app, int& exitCode);

// Where a look-up's warnings go, one text each (without "warning: ").
using TWarningLog = std::function<void(const std::string& text)>;

// The options of `air`, as given.
struct TAirOptions {
    std::string Text;
    std::string Pressure = FormatFloat("%0.3f", kStandardAtmosphere);
    std::vector<std::string> Pair;
    bool Json = false;
    bool Strict = false;  // a corrected air text is an error
    std::string Psx;      // a state file to show instead of a computed state
    std::string SavePsx;  // where to write the state computed
};

// A moist-air state looked up, with the library's status and what makes it impossible
// (empty when valid).
struct TAirLookup {
    TMoistAirState State;
    int Status = psyOk;
    std::string Message;
    bool Valid = true;
};

// A state with every property unknown (NaN).
TMoistAirState UnknownAirState();

// The state of the air text or of Pair at Pressure. A temperature of the text changed to give
// a possible state is warned about (with Strict a TInputError); an option that cannot be read
// raises TUsageError.
TAirLookup LookUpAir(const TAirOptions& options, const TWarningLog& warn);

// The object `air --json` writes.
nlohmann::ordered_json AirJson(const TAirLookup& air);

// The options of `fluid`, as given.
struct TFluidOptions {
    std::string FluidCode = "0";
    std::string Additive = "0";
    std::optional<std::string> Volume;
    std::string Temperature = "40";
    std::string Pressure = "5";
    std::string User;
    bool Strict = false;
    bool Json = false;
};

// The fluid as the fluid dialog would make it of the options; values it would change are
// warned about (with Strict a TInputError).
TLiquid LiquidFromOptions(const TFluidOptions& options, const TWarningLog& warn);

// The object `fluid --json` writes.
nlohmann::ordered_json FluidJson(const TLiquid& liquid);

}  // namespace vantor::cli
