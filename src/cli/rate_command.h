#pragma once

// `vantor-cli rate` and `vantor-cli size`: the main window's rating without the window. The
// document starts from the stored settings (or the first-run defaults with --no-settings),
// opens FILE when one is given, takes the row options as row edits in row order, solves and
// prints the report, JSON, comma-separated text, diagnostics or manufacturing report.
// `--save` writes the data file after the solve. The settings are read, never written.
//
// PrepareRating sets a document up as `rate` does, for the other commands that rate coils the
// same way (`rate --batch`, `select`).

#include "cli/commands.h"
#include "cli/file_property_options.h"
#include "document/rating_document.h"
#include "reports/file_properties.h"
#include "settings/settings_store.h"
#include "text/result.h"
#include "units/units_registry.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace vantor::cli {

// The options of `rate` and `size`, as given.
struct TRateOptions {
    std::string File;
    std::optional<std::string> Save;  // an empty name given is an error, not "no save"
    std::optional<std::string> Psy;   // the psychrometric chart file of the solved rating
    TFilePropertyOptions Properties;
    std::string Batch;  // a schedule of coils to rate, one a line
    std::string Out;    // where the batch's results go; standard output when empty
    std::string Maker;
    std::optional<std::string> Range;
    bool NoSettings = false;
    bool Strict = false;
    // "metric" or "imperial": the unit system of the printed texts; empty keeps the stored choices.
    std::string Units;
    bool Json = false;
    bool Csv = false;
    bool Diagnostics = false;
    bool Manufacturing = false;
    bool Report = false;
    // size --by: one of the fin and tube editor's sizings, then a rating in "Heating Duty" mode.
    std::string By;
    bool KeepAirVolume = false;

    std::optional<std::string> Model;
    std::optional<std::string> Barometer;
    std::optional<std::string> OnCoil;
    std::optional<std::string> AirVolume;
    std::optional<std::string> AirVelocity;
    std::optional<std::string> FluidSpec;
    std::optional<std::string> Additive;
    std::optional<std::string> AdditiveVolume;
    std::optional<std::string> User;
    std::optional<std::string> FluidControl;
    std::optional<std::string> FluidInlet;
    std::optional<std::string> DesignDT;
    std::optional<std::string> FluidFlow;
    std::optional<std::string> TubeVelocity;
    std::optional<std::string> DesignDuty;
    std::optional<std::string> Calculate;
};

// Where a rating's warnings go, one line each ("warning: ..."): standard error for `rate`, the
// Message column for a line of `rate --batch`.
using TRateLog = std::function<void(const std::string& line)>;

// What every rating of one run starts from: memory-only copies of the stored settings (none
// with --no-settings) and the units registry with "units.ini" read. Nothing changes it once
// made, so ratings on several threads may share it.
class TRateStart {
public:
    TRateStart(bool noSettings, const TRateLog& log);

    TFolderEnvironment Env;
    TSettingsStore ProgramKey{std::nullopt};
    TSettingsStore SharedKey{std::nullopt};
    TUnitsRegistry Units;
};

// A document set up for rating, not yet solved.
struct TRating {
    std::unique_ptr<TUnitsRegistry> Units;  // the document's own copy, which it refers to
    std::unique_ptr<TDocumentObserver> Observer;  // passes the document's messages to the log
    std::unique_ptr<TRatingDocument> Document;
    std::unique_ptr<TFileProperties> Properties;
};

// One row option, read and waiting to be applied in row order.
struct TRowEdit {
    int Row = 0;
    std::string Option;
    TVariant Value;      // SI number, the designation, "db/wb" or a list index
    TFluidChoice Fluid;  // the fluid row
};

// The row options of o, read in row order. Raises TUsageError for one that cannot be read.
std::vector<TRowEdit> ReadRowEdits(const TRateOptions& o, bool sizing);

// A document as the settings and the maker and range of o make it, before FILE and the row
// options; the document's messages go to log.
TRating StartRating(const TRateOptions& o, const TRateStart& start, const TRateLog& log);

// FILE, the file property options and the row edits applied to a started rating.
void ApplyRateOptions(TRating& rating, const std::vector<TRowEdit>& edits, const TRateOptions& o, const TRateLog& log);

// The maker and range, FILE and the row options in row order, applied as `rate` applies them;
// warnings and the document's messages go to log. Raises TUsageError for an option that
// cannot be read, TInputError (or what the model raises) for one that cannot be used.
TRating PrepareRating(const TRateOptions& o, bool sizing, const TRateStart& start, const TRateLog& log);

// A rating run as `rate` and `size` run it: prepared, sized with --by, solved.
struct TRateRun {
    TRating Rating;
    TResult Solved;
    std::optional<int> SizeResult;       // the --by sizing's status
    TResult Sized = TResult::Ok();       // why the --by sizing failed
    std::optional<double> RequestedDuty;  // the duty a sizing asked for
};

// Prepares the rating as PrepareRating does, sizes it with o.By and solves it. The solve's
// warnings stay in the document (SolveWarnings), for the caller to pass on.
TRateRun RunRating(const TRateOptions& o, bool sizing, const TRateStart& start, const TRateLog& log);

// The object `rate --json` and `size --json` write.
nlohmann::ordered_json RatingJson(const TRateRun& run);

// The Reset menu's two systems ("metric" or "imperial") for the printed texts: the report,
// CSV, diagnostics, manufacturing report and messages. Numbers written in the model's units
// (JSON, the result columns of a schedule) are not affected. Empty keeps the stored choices.
void ApplyUnitSystem(TRatingDocument& doc, const std::string& system);

// The options that set the coil up as `rate` does: maker, range, --no-settings, --strict and
// the options of the thirteen rows (--calculate only when not sizing).
void AddRowOptions(CLI::App& command, TRateOptions& o, bool sizing);

// Runs a command: an argument that cannot be read (TUsageError) is printed and gives
// kExitUsage, any other failure is printed and gives kExitFailed.
int RunGuarded(const std::function<int()>& command);

// A moist-air state as `rate --json` writes it, with the psychrometric field names.
nlohmann::ordered_json AirStateJson(const TMoistAirState& s);

void AddRateCommands(CLI::App& app, int& exitCode);

}  // namespace vantor::cli
