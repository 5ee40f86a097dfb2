#include "cli/select_command.h"

#include "cli/commands.h"
#include "cli/rate_command.h"
#include "selection/coil_selector.h"
#include "selection/selection_inputs.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace vantor::cli {

namespace {

constexpr double kMm = 0.001;
// A run this long shows its progress on a terminal.
constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr int kBarWidth = 40;

// "LO-HI" of two numbers.
std::pair<double, double> ReadRange(std::string_view option, const std::string& text)
{
    const size_t dash = text.find('-', 1);
    const std::optional<double> lo = dash == std::string::npos ? std::nullopt : ParseDouble(Trim(text.substr(0, dash)));
    const std::optional<double> hi = dash == std::string::npos ? std::nullopt : ParseDouble(Trim(text.substr(dash + 1)));
    if (!lo || !hi || !std::isfinite(*lo) || !std::isfinite(*hi) || *hi < *lo)
        throw TUsageError(std::string(option) + ": \"" + text + "\" is not a range LO-HI, as 1-8");
    return {*lo, *hi};
}

TIntRange ReadIntRange(std::string_view option, const std::string& text)
{
    const auto [lo, hi] = ReadRange(option, text);
    if (lo != std::floor(lo) || hi != std::floor(hi) || lo < 1 || hi > 1000)
        throw TUsageError(std::string(option) + ": \"" + text + "\" is not a range of whole numbers from 1");
    return {static_cast<int>(lo), static_cast<int>(hi)};
}

// A quantity of the requirement as given, at full precision: not a typed row value, so neither
// rounded to a row's format nor held to a row's range. Zero and negative values are refused by
// the selection's own check; text that is not a finite number is not read.
std::optional<double> ReadQuantity(std::string_view option, const std::optional<std::string>& text)
{
    if (!text) return std::nullopt;
    const std::optional<double> value = ParseDouble(Trim(*text));
    if (!value) throw TUsageError(std::string(option) + ": \"" + *text + "\" is not a number");
    return value;
}

// The duty, air volume and design drop or flow, taken from the options as given.
void ApplyQuantities(const TRateOptions& o, TSelectionRequirement& req)
{
    if (const auto duty = ReadQuantity("--design-duty", o.DesignDuty)) req.Duty = *duty;
    if (const auto volume = ReadQuantity("--air-volume", o.AirVolume)) req.AirVolume = *volume;
    if (const auto drop = ReadQuantity("--design-dt", o.DesignDT)) req.DesignDT = *drop;
    if (const auto flow = ReadQuantity("--fluid-flow", o.FluidFlow)) req.FluidFlow = *flow;
}

void ApplySpace(const TSelectOptions& o, TCandidateSpace& space)
{
    if (o.Height || o.Length) {
        if (!o.Height || !o.Length) throw TUsageError("--height and --length go together");
        space.FixedHeight = *o.Height * kMm;
        space.FixedLength = *o.Length * kMm;
    }
    if (o.MinHeight) space.MinHeight = *o.MinHeight * kMm;
    if (o.MaxHeight) space.MaxHeight = *o.MaxHeight * kMm;
    if (o.MinLength) space.MinLength = *o.MinLength * kMm;
    if (o.MaxLength) space.MaxLength = *o.MaxLength * kMm;
    if (o.Aspect) std::tie(space.AspectLo, space.AspectHi) = ReadRange("--aspect", *o.Aspect);
    if (o.Rows) space.Rows = ReadIntRange("--rows", *o.Rows);
    if (o.Fins) space.Fins = ReadIntRange("--fins", *o.Fins);
}

void ApplyLimits(const TSelectOptions& o, TSelectionLimits& limits)
{
    if (o.MaxFaceVelocity) limits.MaxFaceVelocity = *o.MaxFaceVelocity;
    if (o.MaxAirDrop) limits.MaxAirDrop = *o.MaxAirDrop;
    if (o.MaxFluidDrop) limits.MaxFluidDrop = *o.MaxFluidDrop;
    if (o.TubeVelocity)
        std::tie(limits.MinTubeVelocity, limits.MaxTubeVelocity) = ReadRange("--tube-velocity-range", *o.TubeVelocity);
    if (o.Margin) limits.Margin = *o.Margin / 100;
}

// ---- Output ----

}  // namespace

nlohmann::ordered_json SelectionResultJson(const TSelectionResult& r)
{
    return {{"Maker", r.Maker},
            {"Range", r.Range},
            {"Model", r.Designation},
            {"MakerDesignation", r.MakerDesignation},
            {"Rows", r.Rows},
            {"fpi", r.fpi},
            {"Circ", r.Circ},
            {"fHeight", r.fHeight},
            {"fLength", r.fLength},
            {"AirVelocity", r.FaceVelocity},
            {"Qt", r.Duty},
            {"Margin", r.Margin},
            {"AirPressureDrop", r.AirPressureDrop},
            {"FluidPressureDrop", r.FluidPressureDrop},
            {"FluidFlow", r.FluidFlow},
            {"TubeVelocity", r.TubeVelocity},
            {"LeavingTemp", r.LeavingTemp},
            {"AirOff", AirStateJson(r.AirOff)},
            {"PipeSize", r.PipeSize},
            {"DryWeight", r.DryWeight}};
}

namespace {

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void PrintCsv(const std::vector<TSelectionResult>& results)
{
    std::cout << "Maker,Range,Model,MakerDesignation,Rows,fpi,Circ,fHeight,fLength,AirVelocity,Qt,Margin,"
                 "AirPressureDrop,FluidPressureDrop,FluidFlow,TubeVelocity,LeavingTemp,AirOffDryBulb,AirOffWetBulb,"
                 "PipeSize,DryWeight\n";
    for (const TSelectionResult& r : results) {
        std::cout << CsvField(r.Maker) << ',' << CsvField(r.Range) << ',' << CsvField(r.Designation) << ','
                  << CsvField(r.MakerDesignation);
        for (const double x : {r.Rows, r.fpi, r.Circ, r.fHeight, r.fLength, r.FaceVelocity, r.Duty, r.Margin,
                               r.AirPressureDrop, r.FluidPressureDrop, r.FluidFlow, r.TubeVelocity, r.LeavingTemp,
                               r.AirOff.db, r.AirOff.wb})
            std::cout << ',' << FormatShortest(x);
        std::cout << ',' << r.PipeSize << ',' << FormatShortest(r.DryWeight) << '\n';
    }
}

void PrintTable(const std::vector<TSelectionResult>& results)
{
    const char* const heading = "%-3s %-10s %-20s %-27s %5s %7s %6s %7s %8s %6s %5s %-11s %6s %5s %7s";
    std::cout << Format(heading, {"#", "Maker", "Range", "Model", "Vf", "Duty", "Margin", "Air dP", "Fluid dP", "Flow",
                                  "Vw", "Air off", "Fluid", "Pipe", "Weight"})
              << '\n'
              << Format(heading, {"", "", "", "", "m/s", "kW", "%", "Pa", "kPa", "kg/s", "m/s", "db/wb °C", "°C",
                                  "mm", "kg"})
              << '\n';
    int rank = 0;
    for (const TSelectionResult& r : results) {
        const std::string airOff = Format("%0.1f/%0.1f", {r.AirOff.db, r.AirOff.wb});
        std::cout << Format("%-3d %-10s %-20s %-27s %5.2f %7.1f %6.1f %7.1f %8.1f %6.3f %5.2f %-11s %6.1f %5d %7.1f",
                            {++rank, r.Maker, r.Range, r.Designation, r.FaceVelocity, r.Duty, 100 * r.Margin,
                             r.AirPressureDrop, r.FluidPressureDrop, r.FluidFlow, r.TubeVelocity, airOff,
                             r.LeavingTemp, r.PipeSize, r.DryWeight})
                  << '\n';
    }
}

// A bar on standard error once the run has taken a second, when that is a terminal.
class TProgressBar {
public:
    TProgressBar() : m_start(std::chrono::steady_clock::now()), m_terminal(::isatty(STDERR_FILENO) == 1) {}
    ~TProgressBar()
    {
        if (m_shown) std::cerr << "\r" << std::string(kBarWidth + 20, ' ') << "\r" << std::flush;
    }
    TProgressBar(const TProgressBar&) = delete;
    TProgressBar& operator=(const TProgressBar&) = delete;

    void Show(double share)
    {
        if (!m_terminal || std::chrono::steady_clock::now() - m_start < kQuietTime) return;
        m_shown = true;
        const int filled = static_cast<int>(std::clamp(share, 0.0, 1.0) * kBarWidth);
        std::cerr << "\rSelecting [" << std::string(static_cast<size_t>(filled), '#')
                  << std::string(static_cast<size_t>(kBarWidth - filled), '.') << "] "
                  << static_cast<int>(share * 100) << " %" << std::flush;
    }

private:
    std::chrono::steady_clock::time_point m_start;
    bool m_terminal;
    bool m_shown = false;
};

int RunSelect(const TSelectOptions& o)
{
    const TRateLog log = [](const std::string& line) { std::cerr << "vantor-cli: " << line << "\n"; };
    TSelectionOutcome outcome;
    {
        TProgressBar bar;
        outcome = SelectCoils(o, log, [&bar](double share) { bar.Show(share); });
    }
    if (outcome.Results.empty()) {
        std::cerr << "vantor-cli: " << NothingSelectedText(outcome) << "\n";
    }
    if (o.Json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const TSelectionResult& r : outcome.Results) list.push_back(SelectionResultJson(r));
        std::cout << list.dump(2) << "\n";
    } else if (o.Csv) {
        PrintCsv(outcome.Results);
    } else {
        PrintTable(outcome.Results);
    }
    return kExitOk;
}

}  // namespace

TSelectionOutcome SelectCoils(const TSelectOptions& o, const TRateLog& log, const std::function<void(double)>& progress)
{
    const TRateStart start(o.Rate.NoSettings, log);
    // The range is chosen among the candidates below, possibly of every maker. The document
    // gives the air and the fluid; the quantities are the requirement's own.
    TRateOptions rateOptions = o.Rate;
    rateOptions.Range.reset();
    for (auto* quantity : {&rateOptions.DesignDuty, &rateOptions.AirVolume, &rateOptions.DesignDT,
                           &rateOptions.FluidFlow})
        quantity->reset();
    const TRating rating = PrepareRating(rateOptions, false, start, log);
    const TRatingDocument& doc = *rating.Document;

    TSelectionRequest request;
    request.Requirement = RequirementOf(doc, false);
    ApplyQuantities(o.Rate, request.Requirement);
    request.Top = o.Top;
    request.Distinct = o.Distinct;
    ApplySpace(o, request.Space);
    ApplyLimits(o, request.Limits);
    TCoilMakers catalogue(start.Env);
    const std::string maker = o.AllMakers ? std::string() : doc.HotWaterCoil().Geometry().ModelRecord().Mnf;
    if (const TResult found = CatalogueRanges(catalogue, maker, o.Rate.Range.value_or(""), request.Space.Ranges); !found)
        throw TInputError(found.Message);
    if (const TResult usable = TCoilSelector::CheckRequest(request); !usable) throw TInputError(usable.Message);

    TSelectionFeedback feedback;
    return TCoilSelector::Run(request, feedback, progress);
}

std::string NothingSelectedText(const TSelectionOutcome& outcome)
{
    const TRuleOut main = outcome.MainRuleOut();
    return "no coil meets the requirement; the limit that ruled out the most candidates (" +
           std::to_string(outcome.RuledOut[static_cast<size_t>(main)]) + " of " +
           std::to_string(outcome.RuledOutTotal()) + "): " + std::string(RuleOutText(main));
}

void AddSelectCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<TSelectOptions>();
    TRateOptions& r = o->Rate;
    auto* command = app.add_subcommand("select", "Select the coils of the catalogue that meet a design duty, lightest first");
    command->add_option("--design-duty", r.DesignDuty, "Design duty, kW")->required();
    auto* maker = command->add_option("--maker", r.Maker, "Select among this maker's tube ranges (default: the stored maker)");
    command->add_flag("--all-makers", o->AllMakers, "Select among every maker's tube ranges")->excludes(maker);
    command->add_option("--range", r.Range, "Only this tube range, by name");
    command->add_option("--barometer", r.Barometer, "Barometric pressure, kPa");
    command->add_option("--on-coil", r.OnCoil, "On-coil air dry bulb/wet bulb, °C, as 0/-2");
    command->add_option("--air-volume", r.AirVolume, "Air volume, m³/s")->required();
    command->add_option("--fluid-spec", r.FluidSpec, "Fluid code 0-13 (0 water)");
    command->add_option("--additive", r.Additive, "Water additive: 0 none, 1 ethylene glycol, 2 propylene glycol, "
                                                  "3 calcium chloride");
    command->add_option("--additive-volume", r.AdditiveVolume, "Additive volume fraction, 0.3 for 30 %");
    command->add_option("--user", r.User, "Own fluid properties RO,CP,MU,KO: kg/m³, kJ/(kg·K), Pa·s, kW/(m·K)");
    command->add_option("--fluid-inlet", r.FluidInlet, "Fluid inlet temperature, °C");
    auto* drop = command->add_option("--design-dt", r.DesignDT, "Design temperature drop of the fluid, K");
    command->add_option("--fluid-flow", r.FluidFlow, "Fluid mass flow, kg/s (instead of --design-dt)")->excludes(drop);
    auto* height = command->add_option("--height", o->Height, "Fixed finned height, mm");
    auto* length = command->add_option("--length", o->Length, "Fixed finned length, mm");
    for (auto* free : {command->add_option("--min-height", o->MinHeight, "Smallest finned height, mm (default 300)"),
                       command->add_option("--max-height", o->MaxHeight, "Largest finned height, mm (default 2000)"),
                       command->add_option("--min-length", o->MinLength, "Smallest finned length, mm (default 300)"),
                       command->add_option("--max-length", o->MaxLength, "Largest finned length, mm (default 3000)")})
        free->excludes(height)->excludes(length);
    command->add_option("--max-face-velocity", o->MaxFaceVelocity, "Largest face velocity, m/s (default 3)");
    command->add_option("--aspect", o->Aspect, "Finned length over height LO-HI (default 0.5-5)");
    command->add_option("--rows", o->Rows, "Rows deep LO-HI (default 1-8)");
    command->add_option("--fins", o->Fins, "Fins per inch LO-HI (default 6-14)");
    command->add_option("--max-air-dp", o->MaxAirDrop, "Largest air pressure drop, Pa (default 250)");
    command->add_option("--max-fluid-dp", o->MaxFluidDrop, "Largest fluid pressure drop, kPa (default 70)");
    command->add_option("--tube-velocity-range", o->TubeVelocity, "Fluid velocity in the tubes LO-HI, m/s "
                                                                   "(default 0.3-2.5)");
    command->add_option("--margin", o->Margin, "Duty above the design duty allowed, % (default 15)");
    command->add_option("--top", o->Top, "Results listed (default 20)")->check(CLI::Range(1, 100000));
    command->add_flag("--distinct", o->Distinct, "Only the lightest face of each coil (range, rows, fins and "
                                                 "circuits), so that the list offers different coils");
    command->add_flag("--no-settings", r.NoSettings, "Start from the first-run defaults instead of the stored settings");
    auto* outputs = command->add_option_group("output", "What to print (default: a table)");
    outputs->add_flag("--json", o->Json, "The results as a JSON array, in SI units");
    outputs->add_flag("--csv", o->Csv, "The results as comma-separated values, in SI units");
    outputs->require_option(0, 1);
    command->callback([&exitCode, o] { exitCode = RunGuarded([&] { return RunSelect(*o); }); });
}

}  // namespace vantor::cli
