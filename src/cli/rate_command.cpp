#include "cli/rate_command.h"

#include "cli/size_by.h"
#include "design_settings/design_settings.h"
#include "model/solve_status.h"

#include "cli/commands.h"
#include "cli/rate_batch.h"
#include "cli/record_json.h"
#include "cli/size_by.h"
#include "datafile/data_file.h"
#include "design_settings/design_settings.h"
#include "heating_fluid/fluid_choice.h"
#include "document/fluid_defaults.h"
#include "document/psy_export.h"
#include "document/rating_document.h"
#include "fluids/air_state_text.h"
#include "fluids/transport_props.h"
#include "model/solve_status.h"
#include "reports/file_properties.h"
#include "reports/plain_text_sink.h"
#include "text/file_io.h"
#include "text/number_text.h"
#include "text/text_routines.h"
#include "rows/unit_choices.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantor::cli {

namespace {

enum class TOutput { Report, Json, Csv, Diagnostics, Manufacturing };

// ---- Reading the options ----

// One number of an option, as given and as read.
struct TNumber {
    std::string Option;
    std::string Given;
    double Value = 0;
};

TNumber ReadNumber(std::string_view option, std::string_view text)
{
    const std::optional<double> value = ParseDouble(Trim(text));
    if (!value || !std::isfinite(*value))
        throw TUsageError(std::string(option) + ": \"" + std::string(text) + "\" is not a number");
    return {std::string(option), Trim(text), *value};
}

int ReadCode(std::string_view option, std::string_view text, int highest)
{
    const std::optional<long long> value = ParseInteger(Trim(text));
    if (!value || *value < 0 || *value > highest)
        throw TUsageError(std::string(option) + ": \"" + std::string(text) + "\" is not a code from 0 to " +
                          std::to_string(highest));
    return static_cast<int>(*value);
}

}  // namespace

std::vector<TRowEdit> ReadRowEdits(const TRateOptions& o, bool sizing)
{
    std::vector<TRowEdit> edits;
    const auto number = [&edits](int row, std::string_view option, const std::optional<std::string>& text) {
        if (text) edits.push_back({row, std::string(option), ReadNumber(option, *text).Value, {}});
    };
    const auto choice = [&edits](int row, std::string_view option, const std::optional<std::string>& text,
                                 std::string_view first) {
        if (text) edits.push_back({row, std::string(option), SameText(*text, first) ? 0LL : 1LL, {}});
    };

    if (o.Model) edits.push_back({rowModel, "--model", *o.Model, {}});
    number(rowBarometer, "--barometer", o.Barometer);
    if (o.OnCoil) {
        // Read as the rows read it: "db" or "db/wb" exactly, nothing cleaned away.
        if (!ReadNumberPair(*o.OnCoil))
            throw TUsageError("--on-coil: \"" + *o.OnCoil + "\" is not dry bulb/wet bulb in °C, as 25/17");
        edits.push_back({rowAirOn, "--on-coil", *o.OnCoil, {}});
    }
    number(rowAirVolume, "--air-volume", o.AirVolume);
    number(rowAirVelocity, "--air-velocity", o.AirVelocity);
    if (o.FluidSpec || o.Additive || o.AdditiveVolume || o.User) {
        TRowEdit edit{rowFluid, "--fluid-spec", {}, {}};
        if (o.FluidSpec) edit.Fluid.FluidCode = ReadCode("--fluid-spec", *o.FluidSpec, kFluidCount - 1);
        if (o.Additive) edit.Fluid.Additive = ReadCode("--additive", *o.Additive, kWaterAdditiveCount - 1);
        if (o.AdditiveVolume) edit.Fluid.Volume = ReadNumber("--additive-volume", *o.AdditiveVolume).Value;
        if (o.User) {
            const std::vector<std::string> values = SplitToArray(*o.User, ',');
            if (values.size() != 4) throw TUsageError("--user takes four numbers: RO,CP,MU,KO");
            TUserProperties user;
            double* const targets[] = {&user.Ro, &user.Cp, &user.Mu, &user.Ko};
            for (size_t i = 0; i < values.size(); ++i) {
                *targets[i] = ReadNumber("--user", values[i]).Value;
                if (!(*targets[i] > 0)) throw TUsageError("--user: every property must be greater than zero");
            }
            edit.Fluid.User = user;
        }
        edits.push_back(std::move(edit));
    }
    choice(rowControl, "--fluid-control", o.FluidControl, "temperature");
    number(rowFluidInlet, "--fluid-inlet", o.FluidInlet);
    number(rowDesignDT, "--design-dt", o.DesignDT);
    number(rowFluidFlow, "--fluid-flow", o.FluidFlow);
    number(rowTubeVelocity, "--tube-velocity", o.TubeVelocity);
    number(rowDesignDuty, "--design-duty", o.DesignDuty);
    if (sizing)
        edits.push_back({rowCalcMode, "--calculate", static_cast<long long>(o.By.empty() ? TCalcMode::CoilSize : TCalcMode::HeatingDuty), {}});
    else
        choice(rowCalcMode, "--calculate", o.Calculate, "duty");
    return edits;
}

namespace {

// ---- The document ----

// Passes what the document has to say to the log.
class TCliObserver : public TDocumentObserver {
public:
    explicit TCliObserver(TRateLog log) : m_log(std::move(log)) {}
    void ShowMessage(std::string_view text, TMessageKind kind) override
    {
        m_log((kind == TMessageKind::Error ? "error: " : "warning: ") + std::string(text));
    }
    // The command line prints the report from the document when asked to, never from here.
    bool WantsReport() const override { return false; }

private:
    TRateLog m_log;
};

void PrintToStderr(const std::string& line) { std::cerr << "vantor-cli: " << line << "\n"; }

// The sections of the program key a new document reads.
constexpr std::string_view kRatingSections[] = {kDocumentSection, kFluidDefaultsSection, kFilePropertiesSection,
                                                 kDesignSettingsSection};

// The values a new document reads from the program key: a copy in memory of the stored ones
// (none with --no-settings), which nothing ever writes back.
void CopySection(const TSettingsStore& from, TSettingsStore& to, std::string_view section)
{
    for (const std::string& name : from.ValueNames(section))
        to.WriteString(section, name, from.ReadString(section, name, ""));
}

// The catalogue's own spelling of the maker and range asked for.
void ChooseMakerAndRange(const TRateOptions& o, const TFolderEnvironment& env, TSettingsStore& programKey)
{
    if (o.Maker.empty() && !o.Range) return;
    TCoilMakers catalogue(env);
    std::string maker = o.Maker.empty() ? programKey.ReadString(kDocumentSection, "CoilMaker", "Typical") : o.Maker;
    if (!o.Maker.empty()) {
        const std::vector<std::string> makers = catalogue.MakerNames();
        const auto found = std::find_if(makers.begin(), makers.end(), [&](const auto& m) { return SameText(m, maker); });
        if (found == makers.end()) {
            throw TInputError("--maker: the catalogue has no maker \"" + maker + "\" (makers: " + Joined(makers, ", ") + ")");
        }
        maker = *found;
        programKey.WriteString(kDocumentSection, "CoilMaker", maker);
    }
    std::string range;
    if (o.Range) {
        const std::optional<TMnfRec> found = catalogue.FindRange(maker, *o.Range);
        if (!found)
            throw TInputError("--range: " + maker + " has no tube range \"" + *o.Range + "\"");
        range = found->name;
    }
    // A new maker without --range starts with its 1/2 inch range.
    programKey.WriteString(kDocumentSection, "CoilMR", range);
}

// A warning to the log, or with --strict the error that stops the command.
void Warn(const std::string& message, bool strict, const TRateLog& log)
{
    if (strict) throw TInputError(message);
    log("warning: " + message);
}

// One option applied as its row takes it; what the document noted is a warning naming the
// option, and a refusal ends the command.
void ApplyRowEdit(TRatingDocument& doc, const TRowEdit& edit, bool strict, const TRateLog& log)
{
    const TEditNotes applied = edit.Row == rowFluid ? doc.SetFluid(edit.Fluid) : doc.SetInput(edit.Row, edit.Value);
    // The fluid dialog's rules name what they changed themselves.
    const std::string prefix = edit.Row == rowFluid ? std::string() : edit.Option + ": ";
    for (const std::string& note : applied.Notes) Warn(prefix + note, strict, log);
    if (applied) return;
    if (edit.Row == rowModel)
        throw TInputError(edit.Option + ": \"" + VariantText(edit.Value) + "\": " + applied.Result.Message);
    throw TInputError(applied.Result.Message);
}

// ---- Output ----

}  // namespace

nlohmann::ordered_json AirStateJson(const TMoistAirState& s)
{
    return {{"P", s.P},   {"db", s.db}, {"wb", s.wb}, {"h", s.h},   {"W", s.W},   {"RH", s.RH},
            {"td", s.td}, {"pv", s.pv}, {"ps", s.ps}, {"ro", s.ro}, {"cp", s.cp}, {"Status", s.Status},
            {"k", s.k},   {"mu", s.mu}, {"M", s.M}};
}

namespace {

// The duty a sizing asked for, beside the Qt it reached.
nlohmann::ordered_json WithRequestedDuty(const nlohmann::ordered_json& json, double requestedDuty)
{
    nlohmann::ordered_json out;
    for (const auto& [key, value] : json.items()) {
        if (key == "Qt") out["RequestedDuty"] = requestedDuty;
        out[key] = value;
    }
    return out;
}

void Print(const TRateRun& run, TOutput output)
{
    TRatingDocument& doc = *run.Rating.Document;
    TPlainTextSink sink(std::cout);
    switch (output) {
    case TOutput::Json:
        std::cout << RatingJson(run).dump(2) << "\n";
        break;
    case TOutput::Csv:
        std::cout << doc.HotWaterCoil().CsvText() << "\r\n";
        break;
    case TOutput::Diagnostics:
        doc.Diagnose(sink);
        break;
    case TOutput::Manufacturing:
        doc.WriteManufacturingReport(sink);
        break;
    case TOutput::Report:
        // As the report window shows it: the coil's report, and the footer once solved.
        doc.HotWaterCoil().ReportText(sink);
        doc.WriteWarnings(sink);
        if (doc.Solved()) {
            sink.AppendLine("", false);
            sink.AppendLine(TRatingDocument::ReportFooter(), false);
        }
        break;
    }
}

TOutput OutputOf(const TRateOptions& o)
{
    if (o.Json) return TOutput::Json;
    if (o.Csv) return TOutput::Csv;
    if (o.Diagnostics) return TOutput::Diagnostics;
    if (o.Manufacturing) return TOutput::Manufacturing;
    return TOutput::Report;
}

// Values of the settings or of FILE that could not be used as they stood were warned about
// already; with --strict they are an error.
void CheckStrict(const TInputCheck& check, std::string_view source, bool strict)
{
    if (strict && !check.Empty())
        throw TInputError(std::string(source) + ": values could not be used as they stood (--strict)");
}

// Opens FILE into the document before the row options are applied.
void PrepareDocument(TRatingDocument& doc, TFileProperties& properties, const TRateOptions& o)
{
    doc.ShowInputCheck(doc.SettingsCheck(), "the settings");
    CheckStrict(doc.SettingsCheck(), "the settings", o.Strict);
    if (o.File.empty()) return;
    TInputCheck check;
    const TResult opened = OpenFile(doc, properties, o.File, &check);
    CheckStrict(check, o.File, o.Strict);
    if (opened) return;
    const std::string problem = FileReadProblem(o.File, kMaxDataFileBytes);
    throw TInputError(o.File + ": " + (problem.empty() ? opened.Message : problem));
}

// The chart file of "Plot process on Aerograph", without handing it to the chart program. An
// unsolved rating has no off-coil air to plot.
bool WritePsy(TRatingDocument& doc, const TFileProperties& properties, const std::string& file, const TResult& solved)
{
    TResult written = solved ? TResult::Ok() : TResult::Error(TErrorCode::Failed, "not written: the rating is not solved");
    if (written && file.empty()) written = TResult::Error(TErrorCode::Failed, "File name not known");
    if (written) written = WritePsyExport(file, properties, DocumentPsyProcess(doc));
    if (!written) std::cerr << "vantor-cli: " << (file.empty() ? "--psy" : file) << ": " << written.Message << "\n";
    return written.IsOk();
}

int RunRate(const TRateOptions& o, bool sizing)
{
    const TRateStart start(o.NoSettings, PrintToStderr);
    const TRateRun run = RunRating(o, sizing, start, PrintToStderr);
    TRatingDocument& doc = *run.Rating.Document;
    const TResult& solved = run.Solved;

    int exitCode = kExitOk;
    if (!run.Sized) {
        std::cerr << "vantor-cli: " << run.Sized.Message << "\n";
        exitCode = kExitFailed;
    }
    for (const std::string& warning : doc.SolveWarnings()) PrintToStderr("warning: " + warning);
    // With --strict a rating with anything to warn about is not a clean result.
    if (o.Strict && !doc.SolveWarnings().empty()) exitCode = kExitFailed;
    if (!solved) {
        std::cerr << "vantor-cli: " << solved.Message << "\n";
        exitCode = kExitFailed;
    }
    if (o.Psy && !WritePsy(doc, *run.Rating.Properties, *o.Psy, solved)) exitCode = kExitFailed;
    // Only a run that succeeded may create or replace the data file: a failed one would leave
    // a rating on disk that nobody asked for (an unsolved coil, or a sizing that ran away).
    if (o.Save) {
        const std::string name = o.Save->empty() ? "--save" : *o.Save;
        if (exitCode != kExitOk) {
            std::cerr << "vantor-cli: " << name << ": not written: the run failed\n";
        } else if (const TResult saved = SaveFile(doc, *run.Rating.Properties, *o.Save); !saved) {
            std::cerr << "vantor-cli: " << name << ": " << saved.Message << "\n";
            exitCode = kExitFailed;
        }
    }
    Print(run, OutputOf(o));
    return exitCode;
}

void AddRateOptions(CLI::App& command, TRateOptions& o, bool sizing)
{
    command.add_option("file", o.File, "A data file (.hqx) to open before the row options are applied");
    command.add_option("--save", o.Save, "Write the rating to this data file (.hqx) when the run succeeds");
    command.add_option("--psy", o.Psy, "Write the air process of the solved rating to this psychrometric chart "
                                       "file (.psy), as \"Plot process on Aerograph\" writes it");
    AddFilePropertyOptions(command, o.Properties);
    if (!sizing) {
        auto* batch = command.add_option("--batch", o.Batch, "Rate a schedule of coils (CSV, one a line, columns named after the "
                                               "row options, maker, range and tag) instead of one coil");
        command.add_option("--out", o.Out, "Where --batch writes its results (default: standard output)")->needs(batch);
    }
    command.add_option("--units", o.Units, "metric or imperial: the units of the printed texts (JSON stays in SI "
                                           "units); without it the stored unit choices apply")
        ->check(CLI::IsMember({"metric", "imperial"}, CLI::ignore_case));

    auto* outputs = command.add_option_group("output", "What to print (default: the report)");
    outputs->add_flag("--report", o.Report, "The coil's report");
    outputs->add_flag("--json", o.Json, "Row values and results as one JSON object, in the model's units");
    outputs->add_flag("--csv", o.Csv, "The comma-separated report");
    outputs->add_flag("--diagnostics", o.Diagnostics, "The coil's diagnostics");
    outputs->add_flag("--manufacturing", o.Manufacturing, "The manufacturing report of the geometry");
    outputs->require_option(0, 1);

    AddRowOptions(command, o, sizing);
    if (sizing) {
        std::vector<std::string> names;
        for (const auto& [name, by] : SizingNames()) names.push_back(name);
        auto* by = command.add_option("--by", o.By, "Size as the fin and tube editor does, then rate: face-area, "
                                                    "height, length, rows, fins or rows-and-fins")
                       ->check(CLI::IsMember(names));
        command.add_flag("--keep-air-volume", o.KeepAirVolume, "With --by: keep the entered air volume (else the "
                                                              "design face velocity applies)")
            ->needs(by);
    }
}

}  // namespace

TRateStart::TRateStart(bool noSettings, const TRateLog& log)
    : Env(TFolderEnvironment::FromProcess()), Units(StandardUnitsRegistry())
{
    // Memory-only copies of the keys the document reads: nothing here is ever written.
    if (!noSettings) {
        const TSettingsStore storedProgram(TSettingsKey::Program, Env);
        const TSettingsStore storedShared(TSettingsKey::Shared, Env);
        for (const std::string_view section : kRatingSections) CopySection(storedProgram, ProgramKey, section);
        CopySection(storedShared, SharedKey, "Coils");  // the unit choices
    }
    for (const std::string& message : Units.LoadUnitsIni(Env)) log("warning: " + message);
}

TRating StartRating(const TRateOptions& o, const TRateStart& start, const TRateLog& log)
{
    TSettingsStore programKey(std::nullopt);
    for (const std::string_view section : kRatingSections) CopySection(start.ProgramKey, programKey, section);
    ChooseMakerAndRange(o, start.Env, programKey);

    TRating rating;
    rating.Units = std::make_unique<TUnitsRegistry>(start.Units);
    rating.Observer = std::make_unique<TCliObserver>(log);
    rating.Document = std::make_unique<TRatingDocument>(
        TDocumentServices{*rating.Units, programKey, start.SharedKey, start.Env, rating.Observer.get(), {}});
    rating.Properties =
        std::make_unique<TFileProperties>(TFileProperties::FromDefaults(ReadFilePropertiesDefaults(programKey)));
    return rating;
}

void ApplyRateOptions(TRating& rating, const std::vector<TRowEdit>& edits, const TRateOptions& o, const TRateLog& log)
{
    PrepareDocument(*rating.Document, *rating.Properties, o);
    ApplyFilePropertyOptions(o.Properties, *rating.Properties);
    for (const TRowEdit& edit : edits) ApplyRowEdit(*rating.Document, edit, o.Strict, log);
}

TRating PrepareRating(const TRateOptions& o, bool sizing, const TRateStart& start, const TRateLog& log)
{
    const std::vector<TRowEdit> edits = ReadRowEdits(o, sizing);
    TRating rating = StartRating(o, start, log);
    ApplyRateOptions(rating, edits, o, log);
    return rating;
}

TRateRun RunRating(const TRateOptions& o, bool sizing, const TRateStart& start, const TRateLog& log)
{
    TRateRun run{PrepareRating(o, sizing, start, log), TResult::Ok(), std::nullopt, TResult::Ok(), std::nullopt};
    TRatingDocument& doc = *run.Rating.Document;
    ApplyUnitSystem(doc, o.Units);
    // The duty a sizing asks for: a solve makes the rated duty the design duty.
    if (!o.By.empty() || doc.CalcMode() == TCalcMode::CoilSize) run.RequestedDuty = doc.DesignDuty();
    if (!o.By.empty()) {
        run.Sized = SizeLikeTheEditor(doc, start.ProgramKey, SizingNames().at(o.By), o.KeepAirVolume);
        run.SizeResult = run.Sized.Code;
    }
    run.Solved = doc.Solve();
    return run;
}

nlohmann::ordered_json RatingJson(const TRateRun& run)
{
    TRatingDocument& doc = *run.Rating.Document;
    const TResult& solved = run.Solved;
    const THotWaterCoil& coil = doc.HotWaterCoil();
    const TLiquidState& state = coil.LiquidState;
    const TModelRec& rec = coil.Geometry().ModelRecord();
    nlohmann::ordered_json json = {
        {"Model", doc.HotWaterCoil().GetModelText()},
        {"Barometer", doc.Barometer()},
        {"OnCoil", FormatAirState(doc.AirOn(), "%0.1f")},
        {"AirVolume", coil.AirVolume()},
        {"AirVelocity", coil.FaceVelocity()},
        {"HeatingFluid", doc.Liquid().GetCaption()},
        {"FluidControl", FluidControlCode(state.ctrl)},
        {"FluidInlet", state.InletTemp()},
        {"DesignDT", state.designdt},
        {"FluidFlow", state.MassFlow()},
        {"TubeVelocity", state.vw},
        {"DesignDuty", doc.DesignDuty()},
        {"Calculate", CalcModeCode(doc.CalcMode())},
        {"Maker", rec.Mnf},
        {"Range", rec.Model},
        {"Status", SolveStatusCode(coil.Status)},
        {"SolveResult", solved.Code},
        {"Solved", doc.Solved()},
        {"StatusText", doc.StatusText(spSolve)},
        {"Qt", coil.Qt},
        {"Qs", coil.Qs},
        {"e", coil.e},
        {"Ntu", coil.Ntu},
        {"Cr", coil.Cr},
        {"ho", coil.ho},
        {"hi", coil.hi},
        {"Ui", coil.Ui},
        {"Uo", coil.Uo},
        {"Ao", coil.Ao},
        {"Ai", coil.Ai},
        {"NtuAir", coil.NtuAir},
        {"NtuLiquid", coil.NtuLiquid},
        {"BypassFactor", coil.BypassFactor},
        {"AirMassFlow", coil.AirMassFlow()},
        {"AirOff", AirStateJson(doc.AirOff())},
        {"LeavingTemp", state.LeavingTemp()},
        {"AirPressureDrop", coil.AirPressureDrop()},
        {"FluidPressureDrop", coil.FluidPressureDrop()},
        {"PipeSize", coil.PipeSize()},
    };
    AddSummaryFields(json, rec, ModelRecFields);
    json["Warnings"] = doc.SolveWarnings();
    if (run.RequestedDuty) json = WithRequestedDuty(json, *run.RequestedDuty);
    if (run.SizeResult) json["SizeResult"] = *run.SizeResult;
    return json;
}


void ApplyUnitSystem(TRatingDocument& doc, const std::string& system)
{
    if (system.empty()) return;
    TUnitChoices choices;
    if (SameText(system, "imperial"))
        choices.Imperial();
    else
        choices.Metric();
    doc.ApplyUnitSystem(choices);
}

void AddRowOptions(CLI::App& command, TRateOptions& o, bool sizing)
{
    command.add_option("--maker", o.Maker, "Coil maker of the catalogue (its 1/2 inch range unless --range)");
    command.add_option("--range", o.Range, "The maker's tube range, by name");
    command.add_flag("--no-settings", o.NoSettings, "Start from the first-run defaults instead of the stored settings");
    command.add_flag("--strict", o.Strict, "A value outside its row's range is an error, not a warning");
    command.add_option("--model", o.Model, "Coil model designation, as \"544 720 4r 12f 7c\"");
    command.add_option("--barometer", o.Barometer, "Barometric pressure, kPa");
    command.add_option("--on-coil", o.OnCoil, "On-coil air dry bulb/wet bulb, °C, as 25/17");
    command.add_option("--air-volume", o.AirVolume, "Air volume, m³/s");
    command.add_option("--air-velocity", o.AirVelocity, "Face velocity, m/s");
    command.add_option("--fluid-spec", o.FluidSpec, "Fluid code 0-13 (0 water)");
    command.add_option("--additive", o.Additive, "Water additive: 0 none, 1 ethylene glycol, 2 propylene glycol, "
                                                 "3 calcium chloride");
    command.add_option("--additive-volume", o.AdditiveVolume, "Additive volume fraction, 0.3 for 30 %");
    command.add_option("--user", o.User, "Own fluid properties RO,CP,MU,KO: kg/m³, kJ/(kg·K), Pa·s, kW/(m·K)");
    command.add_option("--fluid-control", o.FluidControl, "temperature or flow")
        ->check(CLI::IsMember({"temperature", "flow"}, CLI::ignore_case));
    command.add_option("--fluid-inlet", o.FluidInlet, "Fluid inlet temperature, °C");
    command.add_option("--design-dt", o.DesignDT, "Design temperature drop of the fluid, K");
    command.add_option("--fluid-flow", o.FluidFlow, "Fluid mass flow, kg/s");
    command.add_option("--tube-velocity", o.TubeVelocity, "Fluid velocity in the tubes, m/s");
    command.add_option("--design-duty", o.DesignDuty, "Design duty for sizing, kW");
    if (!sizing)
        command.add_option("--calculate", o.Calculate, "duty (rate the coil) or size (size a coil for the design duty)")
            ->check(CLI::IsMember({"duty", "size"}, CLI::ignore_case));
}

int RunGuarded(const std::function<int()>& command)
{
    try {
        return command();
    } catch (const TUsageError& e) {
        std::cerr << "vantor-cli: " << e.what() << "\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        // TInputError, and anything the model raises on inputs it cannot take.
        std::cerr << "vantor-cli: " << e.what() << "\n";
        return kExitFailed;
    }
}

void AddRateCommands(CLI::App& app, int& exitCode)
{
    for (const bool sizing : {false, true}) {
        auto options = std::make_shared<TRateOptions>();
        auto* command = app.add_subcommand(sizing ? "size" : "rate",
                                           sizing ? "Size a coil for the design duty and print it"
                                                  : "Rate the coil of the stored settings or of a data file");
        AddRateOptions(*command, *options, sizing);
        command->callback([&exitCode, options, sizing] {
            exitCode = RunGuarded([&] { return options->Batch.empty() ? RunRate(*options, sizing) : RunBatch(*options); });
        });
    }
}

}  // namespace vantor::cli
