#include "cli/rate_batch.h"

#include "cli/commands.h"
#include "selection/parallel_runs.h"
#include "selection/schedule_table.h"
#include "text/file_io.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vantor::cli {

namespace {

// The columns a schedule may have: the long row options, and a free tag.
constexpr std::string_view kTagColumn = "tag";
using TOptionField = std::optional<std::string> TRateOptions::*;
constexpr std::pair<std::string_view, TOptionField> kRowColumns[] = {
    {"model", &TRateOptions::Model},
    {"range", &TRateOptions::Range},
    {"barometer", &TRateOptions::Barometer},
    {"on-coil", &TRateOptions::OnCoil},
    {"air-volume", &TRateOptions::AirVolume},
    {"air-velocity", &TRateOptions::AirVelocity},
    {"fluid-spec", &TRateOptions::FluidSpec},
    {"additive", &TRateOptions::Additive},
    {"additive-volume", &TRateOptions::AdditiveVolume},
    {"fluid-control", &TRateOptions::FluidControl},
    {"fluid-inlet", &TRateOptions::FluidInlet},
    {"design-dt", &TRateOptions::DesignDT},
    {"fluid-flow", &TRateOptions::FluidFlow},
    {"tube-velocity", &TRateOptions::TubeVelocity},
    {"design-duty", &TRateOptions::DesignDuty},
    {"calculate", &TRateOptions::Calculate},
};
constexpr std::string_view kMakerColumn = "maker";

constexpr std::string_view kResultColumns[] = {
    "Status",      "StatusText",    "Qt",          "Qs",        "LeavingTemp",  "AirOffDryBulb",
    "AirOffWetBulb", "AirPressureDrop", "FluidPressureDrop", "FluidFlow", "TubeVelocity", "AirVolume",
    "AirVelocity", "AirMassFlow",   "PipeSize",    "Model",     "Message",
};

// What sets one column of a line.
struct TColumn {
    TOptionField Field = nullptr;  // a row option
    bool Maker = false;            // --maker; neither: the tag
};

std::vector<TColumn> ReadColumns(const std::vector<std::string>& names)
{
    std::vector<TColumn> columns;
    for (const std::string& name : names) {
        TColumn column;
        if (SameText(name, kMakerColumn)) {
            column.Maker = true;
        } else if (!SameText(name, kTagColumn)) {
            const auto* known = std::find_if(std::begin(kRowColumns), std::end(kRowColumns),
                                             [&](const auto& c) { return SameText(c.first, name); });
            if (known == std::end(kRowColumns)) {
                std::string all = std::string(kMakerColumn);
                for (const auto& c : kRowColumns) all += ", " + std::string(c.first);
                throw TUsageError("--batch: no column \"" + name + "\"; the columns are " + all + " and " +
                                  std::string(kTagColumn));
            }
            column.Field = known->second;
        }
        columns.push_back(column);
    }
    return columns;
}

// The options of one line: the row options of the command line are every line's defaults, and
// a cell that is not empty replaces the option of its name. Each line starts from the same
// defaults, so nothing one line sets reaches the next.
TRateOptions LineOptions(const TRateOptions& run, const std::vector<TColumn>& columns,
                         const std::vector<std::string>& cells)
{
    TRateOptions o = run;
    for (size_t i = 0; i < columns.size(); ++i) {
        const std::string cell = Trim(cells[i]);
        if (cell.empty()) continue;
        if (columns[i].Maker)
            o.Maker = cell;
        else if (columns[i].Field)
            o.*columns[i].Field = cell;
    }
    return o;
}

struct TLineResult {
    bool Rated = false;
    std::vector<std::string> Fields;  // the result columns
};

// The result columns of a line that was rated, but the message.
std::vector<std::string> ResultFields(const TRatedLine& rated)
{
    std::vector<std::string> fields = {std::to_string(rated.Status), rated.StatusText};
    for (const double x : rated.Numbers) fields.push_back(FormatShortest(x));
    fields.push_back(std::to_string(rated.PipeSize));
    fields.push_back(rated.Model);
    return fields;
}

// A line that was not rated: empty result columns and why.
TLineResult UnratedLine(const std::string& message)
{
    TLineResult line;
    line.Fields.assign(std::size(kResultColumns) - 1, std::string());
    line.Fields.push_back(message);
    return line;
}

TLineResult RateLine(const TRateOptions& o, const TRateStart& start)
{
    const TRatedLine rated = RateScheduleLine(o, start);
    if (rated.Refused) return UnratedLine(rated.Message);
    TLineResult line{rated.Rated, ResultFields(rated)};
    line.Fields.push_back(rated.Message);
    return line;
}

// The names of the result columns. A schedule column of the same name (without regard to
// case, as `model` and `Model`) keeps its name; the result column becomes "Rated" + its name,
// so that the output reads back as a schedule with every name once.
std::vector<std::string> ResultHeader(const std::vector<std::string>& scheduleColumns)
{
    std::vector<std::string> header;
    for (const std::string_view name : kResultColumns) {
        const bool taken = std::any_of(scheduleColumns.begin(), scheduleColumns.end(),
                                       [name](const std::string& column) { return SameText(column, name); });
        header.push_back((taken ? "Rated" : "") + std::string(name));
    }
    return header;
}

// The results written over the schedule, by its own name or through a link, would destroy
// the very input they come from.
void RefuseOutOverSchedule(const TRateOptions& o)
{
    std::error_code error;
    if (!o.Out.empty() && std::filesystem::equivalent(o.Out, o.Batch, error))
        throw TUsageError("--out: " + o.Out + " is the schedule itself; write the results to another file");
}

std::string ReadSchedule(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) throw TInputError(fileName + ": cannot be read");
    return text.str();
}

}  // namespace

std::span<const std::string_view> ResultColumnNames() { return kResultColumns; }

TRatedLine RateScheduleLine(const TRateOptions& o, const TRateStart& start)
{
    TRatedLine line;
    const auto note = [&line](const std::string& text) {
        line.Message += (line.Message.empty() ? "" : "; ") + text;
        line.Warned = line.Warned || text.starts_with("warning: ");
    };
    try {
        const TRating rating = PrepareRating(o, false, start, note);
        TRatingDocument& doc = *rating.Document;
        // The units reach the texts (the messages); the results are in the model's units.
        ApplyUnitSystem(doc, o.Units);
        const TResult solved = doc.Solve();
        const THotWaterCoil& coil = doc.HotWaterCoil();
        const TLiquidState& state = coil.LiquidState;
        line.Rated = solved.IsOk();
        line.Status = coil.Status;
        line.StatusText = doc.StatusText(spSolve);
        line.Numbers = {coil.Qt, coil.Qs, state.LeavingTemp(), doc.AirOff().db, doc.AirOff().wb,
                        coil.AirPressureDrop(), coil.FluidPressureDrop(), state.MassFlow(), state.vw,
                        coil.AirVolume(), coil.FaceVelocity(), coil.AirMassFlow()};
        line.PipeSize = coil.PipeSize();
        line.Model = doc.HotWaterCoil().GetModelText();
        if (!solved) note(solved.Message);
        for (const std::string& warning : doc.SolveWarnings()) note("warning: " + warning);
    } catch (const std::exception& e) {
        note(e.what());
        line.Refused = true;
    }
    return line;
}

int RunBatch(const TRateOptions& o)
{
    if (!o.File.empty() || o.Save || o.Psy || o.Json || o.Csv || o.Diagnostics || o.Manufacturing || o.Report)
        throw TUsageError("--batch goes without FILE, --save, --psy and the output options");
    RefuseOutOverSchedule(o);
    TScheduleTable table;
    if (const TResult read = ReadScheduleTable(ReadSchedule(o.Batch), table); !read)
        throw TInputError(o.Batch + ": " + read.Message);
    const std::vector<TColumn> columns = ReadColumns(table.Columns);

    const TRateStart start(o.NoSettings, [](const std::string& line) { std::cerr << "vantor-cli: " << line << "\n"; });
    std::vector<TLineResult> results(table.Lines.size());
    RunInParallel(table.Lines.size(), 0, [&](size_t i) {
        results[i] = table.Problems[i].empty() ? RateLine(LineOptions(o, columns, table.Lines[i]), start)
                                               : UnratedLine(table.Problems[i]);
    });

    std::vector<std::string> header = table.Columns;
    const std::vector<std::string> resultHeader = ResultHeader(table.Columns);
    header.insert(header.end(), resultHeader.begin(), resultHeader.end());
    std::string out = CsvLine(header) + "\n";
    bool allRated = true;
    for (size_t i = 0; i < results.size(); ++i) {
        std::vector<std::string> fields = table.Lines[i];
        fields.insert(fields.end(), results[i].Fields.begin(), results[i].Fields.end());
        out += CsvLine(fields) + "\n";
        allRated = allRated && results[i].Rated;
    }
    if (o.Out.empty()) {
        std::cout << out;
    } else if (const TResult written = WriteFileAtomically(o.Out, out); !written) {
        throw TInputError(o.Out + ": " + written.Message);
    }
    return allRated ? kExitOk : kExitFailed;
}

}  // namespace vantor::cli
