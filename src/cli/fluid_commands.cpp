#include "cli/fluid_commands.h"

#include "cli/commands.h"
#include "cli/location_commands.h"
#include "cli/record_json.h"
#include "heating_fluid/fluid_choice.h"
#include "heating_fluid/fluid_spec.h"
#include "fluids/air_state_text.h"
#include "fluids/liquid.h"
#include "fluids/psx_file.h"
#include "fluids/transport_props.h"
#include "psychro/psychro.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <optional>
#include <iostream>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantor::cli {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ReadNumber(std::string_view option, const std::string& text)
{
    const std::optional<double> value = ParseDouble(text);
    if (!value) throw TUsageError(std::string(option) + ": \"" + text + "\" is not a number");
    return *value;
}

double ReadPositive(std::string_view option, const std::string& text)
{
    const double value = ReadNumber(option, text);
    if (!(value > 0.0)) throw TUsageError(std::string(option) + " must be greater than zero");
    return value;
}

int ReadCode(std::string_view option, const std::string& text, int highest)
{
    const std::optional<long long> value = ParseInteger(text);
    if (!value || *value < 0 || *value > highest)
        throw TUsageError(std::string(option) + ": \"" + text + "\" is not a code from 0 to " + std::to_string(highest));
    return static_cast<int>(*value);
}

// One line of a plain table: label, value, unit.
void PrintRow(std::string_view label, const std::string& value, std::string_view unit = {})
{
    std::cout << Format("%-22s%s", {label, value});
    if (!unit.empty()) std::cout << " " << unit;
    std::cout << "\n";
}

std::string Number(std::string_view format, double value)
{
    return std::isfinite(value) ? FormatFloat(format, value) : std::string("-");
}

// ---- air ----

void PrintAirState(const TMoistAirState& s, int status, const std::string& message, bool json)
{
    if (json) {
        std::cout << AirJson({s, status, message, message.empty()}).dump(2) << "\n";
        return;
    }
    PrintRow("Pressure", Number("%0.3f", s.P), "kPa");
    PrintRow("Dry bulb", Number("%0.2f", s.db), "°C");
    PrintRow("Wet bulb", Number("%0.2f", s.wb), "°C");
    PrintRow("Enthalpy", Number("%0.2f", s.h), "kJ/kg");
    PrintRow("Moisture content", Number("%0.6f", s.W), "kg/kg");
    PrintRow("Relative humidity", Number("%0.2f", s.RH * 100.0), "%");
    PrintRow("Dew point", Number("%0.2f", s.td), "°C");
    PrintRow("Vapour pressure", Number("%0.4f", s.pv), "kPa");
    PrintRow("Saturation pressure", Number("%0.4f", s.ps), "kPa");
    PrintRow("Density", Number("%0.4f", s.ro), "kg/m³");
    PrintRow("Specific heat", Number("%0.4f", s.cp), "kJ/kg·K");
    PrintRow("Conductivity", Number("%0.4g", s.k * 1000.0), "W/m·K");
    PrintRow("Viscosity", Number("%0.4g", s.mu), "kg/m·s");
    PrintRow("Status", Format("%d (%s)", {status, PsyStatusText(status)}));
    PrintRow("Check", message.empty() ? std::string("valid") : message);
}

// The air text read as the rows read it. A temperature the reader had to change to give a
// possible state is named with the value used; with --strict it is an error.
int ReadAirOption(const TAirOptions& options, TMoistAirState& state, double P, const TWarningLog& warn)
{
    TAirReading reading;
    try {
        reading = ReadAirText(options.Text, state, P, 0.5);
    } catch (const EConvertError&) {
        throw TUsageError("\"" + options.Text + "\" is not an air state: write dry bulb/wet bulb in °C, as 24/17");
    }
    for (const TAirCorrection& correction : reading.Corrections) {
        if (options.Strict) throw TInputError(AirCorrectionText(correction));
        warn(AirCorrectionText(correction));
    }
    return reading.Status;
}

void WarnToStderr(std::string_view command, const std::string& text)
{
    std::cerr << "vantor-cli " << command << ": warning: " << text << "\n";
}

int RunAir(const TAirOptions& options)
{
    TAirLookup air;
    if (!options.Psx.empty()) {
        if (!options.Pair.empty() || !options.Text.empty() || !options.SavePsx.empty())
            throw TUsageError("--psx shows a state file; give no air text, --pair or --save-psx with it");
        air.State = UnknownAirState();
        const TResult read = ReadPsxFile(options.Psx, air.State);
        if (!read) {
            std::cerr << "vantor-cli air: " << read.Message << "\n";
            return kExitFailed;
        }
        // The library's verdict as the file keeps it; a value no status has counts as bad.
        const double kept = air.State.Status;
        air.Status = kept >= 0 && kept <= static_cast<double>(psyUnknownPairCode) ? static_cast<int>(kept) : psyBadValue;
        air.Valid = CheckAirState(air.State, air.Message);
    } else {
        air = LookUpAir(options, [](const std::string& text) { WarnToStderr("air", text); });
    }
    if (!options.SavePsx.empty()) {
        // Only a state the calculator would save.
        if (!air.Valid) {
            std::cerr << "vantor-cli air: " << air.Message << " The state was not saved.\n";
            return kExitFailed;
        }
        const TResult written = WritePsxFile(options.SavePsx, air.State);
        if (!written) {
            std::cerr << "vantor-cli air: " << written.Message << "\n";
            return kExitFailed;
        }
    }
    PrintAirState(air.State, air.Status, air.Message, options.Json);
    return air.Valid ? kExitOk : kExitFailed;
}

// ---- barometer ----

struct TBarometerOptions {
    std::string Altitude;
    std::string Pressure;
    std::string Place;
    std::string Database;
    bool Json = false;
};

int RunBarometer(const TBarometerOptions& options)
{
    const int given = static_cast<int>(!options.Altitude.empty()) + static_cast<int>(!options.Pressure.empty()) +
                      static_cast<int>(!options.Place.empty());
    if (given != 1) throw TUsageError("give one of --altitude M, --pressure KPA or --place NAME");
    if (!options.Database.empty() && options.Place.empty()) throw TUsageError("--database goes with --place");
    if (!options.Place.empty()) return RunBarometerAtPlace(options.Place, options.Database, options.Json);
    double P = 0.0;
    double altitude = 0.0;
    if (!options.Pressure.empty()) {
        P = ReadPositive("--pressure", options.Pressure);
        altitude = Altitude(P);
    } else {
        altitude = ReadNumber("--altitude", options.Altitude);
        P = AtmPressure(altitude);
    }
    if (PsyStatus() != psyOk) {
        std::cerr << "vantor-cli barometer: " << PsyStatusText(PsyStatus()) << "\n";
        return kExitFailed;
    }
    if (options.Json) {
        std::cout << nlohmann::ordered_json{{"P", P}, {"altitude", altitude}}.dump(2) << "\n";
    } else {
        PrintRow("Pressure", FormatFloat("%0.3f", P), "kPa");
        PrintRow("Altitude", FormatFloat("%0.1f", altitude), "m");
    }
    return kExitOk;
}

// ---- fluid ----

// A value held to the fluid dialog's range as the dialog holds a typed one; the warning names
// the value used, --strict makes it an error.
double Limited(std::string_view option, double value, const TValueRange& range, bool strict, const TWarningLog& warn)
{
    TInputCheck check;
    const double used = check.Checked(option, value, value, range);
    for (const std::string& note : check.Notes()) {
        if (strict) throw TInputError(note);
        warn(note);
    }
    return used;
}

int RunFluid(const TFluidOptions& options)
{
    const TLiquid liquid = LiquidFromOptions(options, [](const std::string& text) { WarnToStderr("fluid", text); });
    if (options.Json) {
        std::cout << FluidJson(liquid).dump(2) << "\n";
        return kExitOk;
    }
    const std::string caption = liquid.GetCaption();
    const std::string shortCaption = liquid.GetShortCaption();
    PrintRow("Fluid", caption == shortCaption ? caption : caption + " (" + shortCaption + ")");
    PrintRow("Temperature", FormatFloat("%0.2f", liquid.t), "°C");
    PrintRow("Density", FormatFloat("%0.6g", liquid.ro), "kg/m³");
    PrintRow("Specific heat", FormatFloat("%0.6g", liquid.Cp), "kJ/kg·K");
    PrintRow("Viscosity", FormatFloat("%0.6g", liquid.mu), "kg/m·s");
    PrintRow("Conductivity", FormatFloat("%0.6g", liquid.Ko * 1000.0), "W/m·K");
    PrintRow("Prandtl number", FormatFloat("%0.4g", liquid.Pr));
    PrintRow("Valid range", Format("%s .. %s", {FormatFloat("%0.1f", liquid.Tmin), FormatFloat("%0.1f", liquid.Tmax)}),
             "°C");
    PrintRow("Out of range", liquid.OutOfRange ? "yes: the properties are extrapolated" : "no");
    return kExitOk;
}

}  // namespace

TMoistAirState UnknownAirState()
{
    TMoistAirState state;
    // A state the library cannot compute keeps these and shows no numbers.
    state.db = state.wb = state.h = state.W = state.RH = state.td = kNaN;
    state.pv = state.ps = state.ro = state.cp = state.k = state.mu = state.P = kNaN;
    return state;
}

TAirLookup LookUpAir(const TAirOptions& options, const TWarningLog& warn)
{
    const double P = ReadPositive("--pressure", options.Pressure);
    TAirLookup air;
    air.State = UnknownAirState();
    if (!options.Pair.empty()) {
        if (!options.Text.empty()) throw TUsageError("give either an air text or --pair, not both");
        const std::optional<long long> code = ParseInteger(options.Pair[0]);
        if (!code || !IsPairCode(static_cast<int>(*code)))
            throw TUsageError("--pair: \"" + options.Pair[0] + "\" is not a pair code (0-5, 7-19, 25, 26, 28-32)");
        air.Status = SetState(air.State, P, ReadNumber("--pair X", options.Pair[1]),
                              ReadNumber("--pair Y", options.Pair[2]), static_cast<int>(*code));
    } else if (options.Text.empty()) {
        throw TUsageError("give an air text such as 24/17, or --pair CODE X Y");
    } else {
        air.Status = ReadAirOption(options, air.State, P, warn);
    }
    air.Valid = CheckAirState(air.State, air.Message);
    return air;
}

nlohmann::ordered_json AirJson(const TAirLookup& air)
{
    const TMoistAirState& s = air.State;
    return {{"P", s.P},   {"db", s.db}, {"wb", s.wb}, {"h", s.h},   {"W", s.W},
            {"RH", s.RH}, {"td", s.td}, {"pv", s.pv}, {"ps", s.ps}, {"ro", s.ro},
            {"cp", s.cp}, {"k", s.k},   {"mu", s.mu}, {"status", air.Status},
            {"message", air.Message}};
}

nlohmann::ordered_json FluidJson(const TLiquid& liquid)
{
    nlohmann::ordered_json json = {{"Caption", liquid.GetCaption()}, {"ShortCaption", liquid.GetShortCaption()}};
    AddSummaryFields(json, liquid, LiquidFields);
    json["Tmin"] = liquid.Tmin;
    json["Tmax"] = liquid.Tmax;
    json["OutOfRange"] = liquid.OutOfRange;
    return json;
}

TLiquid LiquidFromOptions(const TFluidOptions& options, const TWarningLog& warn)
{
    TFluidChoice choice;
    choice.FluidCode = ReadCode("--fluid-spec", options.FluidCode, kFluidCount - 1);
    choice.Additive = ReadCode("--additive", options.Additive, kWaterAdditiveCount - 1);
    if (options.Volume) choice.Volume = ReadNumber("--volume", *options.Volume);
    const double t =
        Limited("--t", ReadNumber("--t", options.Temperature), FluidSpecRowRange(fsrTemperature), options.Strict, warn);
    if (!options.User.empty()) {
        const std::vector<std::string> values = SplitToArray(options.User, ',');
        if (values.size() != 4) throw TUsageError("--user takes four numbers: RO,CP,MU,KO");
        const struct {
            const char* Option;
            TValueRange Range;
        } properties[] = {{"--user RO", FluidSpecRowRange(fsrDensity)},
                          {"--user CP", FluidSpecRowRange(fsrSpecificHeat)},
                          {"--user MU", FluidSpecRowRange(fsrViscosity)},
                          {"--user KO", FluidSpecRowRange(fsrConductivity)}};
        std::array<double, 4> read{};
        for (size_t i = 0; i < read.size(); ++i)
            read[i] = Limited(properties[i].Option, ReadPositive(properties[i].Option, values[i]), properties[i].Range,
                              options.Strict, warn);
        choice.User = TUserProperties{read[0], read[1], read[2], read[3]};
    }

    TLiquid liquid("Water", 0.0, t, t, fcWater);
    liquid.Pf =
        Limited("--pf", ReadPositive("--pf", options.Pressure), FluidSpecRowRange(fsrPressure), options.Strict, warn);
    // The dialog's rules: an additive goes with water only, water without one has no volume,
    // an additive without a volume starts at 30 %.
    for (const std::string& note : ApplyFluidChoice(liquid, choice).Notes) {
        if (options.Strict) throw TInputError(note);
        std::cerr << "vantor-cli fluid: warning: " << note << "\n";
    }
    if (choice.Volume && liquid.WaterAdditive != waNone) {
        liquid.AdditiveVolume =
            Limited("--volume", *choice.Volume, FluidSpecRowRange(fsrAdditiveVolume), options.Strict, warn);
        liquid.Update();
    }
    return liquid;
}

void AddFluidCommands(CLI::App& app, int& exitCode)
{
    auto air = std::make_shared<TAirOptions>();
    auto* airCommand = app.add_subcommand("air", "Moist-air state from a dry/wet bulb text or from any pair of properties");
    airCommand->add_option("text", air->Text, "Dry bulb/wet bulb in °C, as 24/17; a dry bulb alone takes 50 % RH");
    airCommand->add_option("--pressure,--barometer", air->Pressure, "Barometric pressure, kPa")->capture_default_str();
    airCommand->add_option("--pair", air->Pair, "Pair code and the two properties X Y in SI units (code 3: db RH)")
        ->expected(3)
        ->allow_extra_args(false);
    airCommand->add_flag("--json", air->Json, "Write the state as a JSON object");
    airCommand->add_flag("--strict", air->Strict, "A temperature of the air text that has to be changed to give a "
                                                  "possible state is an error, not a warning");
    airCommand->add_option("--psx", air->Psx, "Show the state a moist-air state file (.psx) holds");
    airCommand->add_option("--save-psx", air->SavePsx, "Also write the state as a moist-air state file (.psx)");
    airCommand->callback([&exitCode, air] { exitCode = Guarded("air", [&] { return RunAir(*air); }, " (--strict)"); });

    auto barometer = std::make_shared<TBarometerOptions>();
    auto* barometerCommand = app.add_subcommand("barometer", "Barometric pressure at an altitude, or the altitude of a pressure");
    barometerCommand->add_option("--altitude", barometer->Altitude, "Altitude, m");
    barometerCommand->add_option("--pressure,--barometer", barometer->Pressure, "Barometric pressure, kPa");
    barometerCommand->add_flag("--json", barometer->Json, "Write pressure and altitude as a JSON object");
    barometerCommand->add_option("--place", barometer->Place, "A place of the location databases: its altitude");
    barometerCommand->add_option("--database", barometer->Database, "The database --place is searched in (default +All)");
    barometerCommand->callback(
        [&exitCode, barometer] { exitCode = Guarded("barometer", [&] { return RunBarometer(*barometer); }); });

    auto fluid = std::make_shared<TFluidOptions>();
    auto* fluidCommand = app.add_subcommand("fluid", "Properties of a heating fluid at a temperature");
    fluidCommand->add_option("--spec,--fluid-spec", fluid->FluidCode, "Fluid code 0-13 (0 water, 13 compressed air)")
        ->capture_default_str();
    fluidCommand->add_option("--additive", fluid->Additive,
                             "Water additive: 0 none, 1 ethylene glycol, 2 propylene glycol, 3 calcium chloride")
        ->capture_default_str();
    fluidCommand->add_option("--volume,--additive-volume", fluid->Volume,
                             "Additive volume fraction, 0.01 to 0.45 (0.3 for 30 %); an additive without one starts at 0.3");
    fluidCommand->add_option("--t", fluid->Temperature, "Mean fluid temperature, °C")->capture_default_str();
    fluidCommand->add_option("--pf", fluid->Pressure, "Fluid pressure, bar (compressed air)")->capture_default_str();
    fluidCommand->add_option("--user", fluid->User,
                             "Own properties RO,CP,MU,KO: kg/m³, kJ/(kg·K), Pa·s, kW/(m·K)");
    fluidCommand->add_flag("--strict", fluid->Strict, "A value the fluid dialog would change is an error, not a warning");
    fluidCommand->add_flag("--json", fluid->Json, "Write the properties as a JSON object");
    fluidCommand->callback([&exitCode, fluid] { exitCode = Guarded("fluid", [&] { return RunFluid(*fluid); }, " (--strict)"); });
}

}  // namespace vantor::cli
