#include "cli/simulate_command.h"

#include "chart/data_chart_series.h"
#include "chart/picture_format.h"
#include "cli/commands.h"
#include "cli/rate_command.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace vantor::cli {

namespace {

struct TSimulateOptions {
    TRateOptions Rating;
    bool Json = false;
    bool Csv = false;
    std::string Chart;  // a picture file to draw the profile to
};

// Set once by the program before the command line is read.
TSimulationChartWriter& ChartWriter()
{
    static TSimulationChartWriter writer = nullptr;
    return writer;
}

// The JSON keys of the four profile rows, in their order.
constexpr const char* kSeriesKeys[kProfileRows] = {"Fluid", "Air", "Surface", "DewPoint"};

void LogToStderr(const std::string& line) { std::cerr << "vantor-cli: " << line << "\n"; }

TDataChartSeries ChartSeries(const TStepSimulation& simulation)
{
    TDataChartSeries data;
    for (const auto& row : simulation.Series) data.Series.emplace_back(row.begin(), row.end());
    for (int i = 0; i < kProfileRows; ++i) data.Shown.push_back(i);
    data.FirstIndex = simulation.FirstIndex;
    data.LastIndex = simulation.LastIndex;
    return data;
}

std::string ProfileCsv(const TStepSimulation& simulation)
{
    return SeriesCsv(ChartSeries(simulation),
                     std::vector<std::string>(simulation.Legends.begin(), simulation.Legends.end()));
}

}  // namespace

nlohmann::ordered_json SimulationJson(const TStepSimulation& simulation)
{
    nlohmann::ordered_json series = nlohmann::ordered_json::object();
    for (size_t i = 0; i < simulation.Series.size() && i < std::size(kSeriesKeys); ++i) {
        const auto& row = simulation.Series[i];
        const int last = std::min(simulation.LastIndex, static_cast<int>(row.size()) - 1);
        nlohmann::ordered_json values = nlohmann::ordered_json::array();
        for (int k = std::max(simulation.FirstIndex, 0); k <= last; ++k) values.push_back(row[static_cast<size_t>(k)]);
        series[kSeriesKeys[i]] = std::move(values);
    }
    return {
        {"Duty", simulation.Duty},
        {"DutyLabel", simulation.DutyLabel},
        {"FluidLabel", simulation.FluidLabel},
        {"AirLabel", simulation.AirLabel},
        {"Legends", simulation.Legends},
        {"FirstIndex", simulation.FirstIndex},
        {"LastIndex", simulation.LastIndex},
        {"Series", std::move(series)},
    };
}

TStepSimulation SimulateRating(TRatingDocument& doc, const TRateLog& log)
{
    // The simulation marches through the solved coil; a rating that fails has nothing to show.
    if (!doc.Solved()) {
        const TResult solved = doc.Solve();
        for (const std::string& warning : doc.SolveWarnings()) log("warning: " + warning);
        if (!solved) throw TInputError(solved.Message);
    }
    TStepSimulation simulation = doc.SimulateSteps();
    if (!simulation.Result) throw TInputError(simulation.Result.Message);
    return simulation;
}

namespace {

void PrintText(const TStepSimulation& simulation)
{
    std::cout << simulation.Caption << "\n"
              << simulation.DutyLabel << "\n"
              << simulation.Legends[0] << " " << simulation.FluidLabel << "\n"
              << simulation.Legends[1] << " " << simulation.AirLabel << "\n\n"
              << ProfileCsv(simulation);
}

// Refuses a chart that cannot be drawn before any work is done.
void CheckChartOption(const std::string& chart)
{
    if (chart.empty()) return;
    if (!ChartWriter())
        throw TUsageError("--chart: this vantor-cli was built without its windows and cannot draw charts");
    if (!PictureFormatOf(chart)) throw TUsageError("--chart: " + chart + " must end in .png, .pdf or .svg");
}

int RunSimulate(const TSimulateOptions& o)
{
    CheckChartOption(o.Chart);
    const TRateStart start(o.Rating.NoSettings, LogToStderr);
    TRating rating = PrepareRating(o.Rating, false, start, LogToStderr);
    const TStepSimulation simulation = SimulateRating(*rating.Document, LogToStderr);
    if (!o.Chart.empty()) {
        const TResult written = ChartWriter()(simulation, o.Chart);
        if (!written) throw TInputError(written.Message);
    }
    if (o.Json)
        std::cout << SimulationJson(simulation).dump(2) << "\n";
    else if (o.Csv)
        std::cout << ProfileCsv(simulation);
    else
        PrintText(simulation);
    return kExitOk;
}

}  // namespace

void SetSimulationChartWriter(TSimulationChartWriter writer) { ChartWriter() = writer; }

void AddSimulateCommand(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<TSimulateOptions>();
    auto* command = app.add_subcommand("simulate", "The step-by-step simulation: fluid, air, fin surface and dew "
                                                   "point temperatures at each step through the coil");
    command->add_option("file", options->Rating.File, "A data file (.hqx) to open before the row options are applied");
    AddRowOptions(*command, options->Rating, false);
    auto* outputs = command->add_option_group("output", "What to print (default: the labels and the CSV)");
    outputs->add_flag("--json", options->Json, "The duty, labels, legends and the four series as one JSON object, °C");
    outputs->add_flag("--csv", options->Csv, "A header line and one line per step");
    outputs->require_option(0, 1);
    command->add_option("--chart", options->Chart,
                        "Also draws the temperature profile with its legend and labels to FILE, a picture chosen "
                        "by its extension: .png, .pdf or .svg")
        ->option_text("FILE");
    command->callback([&exitCode, options] { exitCode = RunGuarded([&] { return RunSimulate(*options); }); });
}

}  // namespace vantor::cli
