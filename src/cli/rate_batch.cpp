#include "cli/rate_batch.h"

#include "cli/commands.h"
#include "selection/parallel_runs.h"
#include "selection/schedule_table.h"
#include "text/file_io.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <algorithm>
#include <memory>
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
    std::vector<std::string> fields = {std::to_string(SolveStatusCode(rated.Status)), rated.StatusText};
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

TLineResult RateLine(TScheduleRater& rater, const TRateOptions& o)
{
    const TRatedLine rated = rater.Rate(o);
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

// The schedule, checked whole before any line is rated: a table that breaks off far down must
// not leave the lines above it rated. It is then read again from its start, line by line. What
// is not a plain file (a pipe) can be read once only, so it is held in memory instead.
std::unique_ptr<std::istream> OpenSchedule(const std::string& fileName)
{
    auto file = std::make_unique<std::ifstream>(fileName, std::ios::binary);
    if (!*file) throw TInputError(fileName + ": cannot be read");
    std::unique_ptr<std::istream> in = std::move(file);
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        auto text = std::make_unique<std::stringstream>();
        *text << in->rdbuf();
        if (in->bad()) throw TInputError(fileName + ": cannot be read");
        text->clear();
        in = std::move(text);
    }
    const TResult checked = CheckScheduleText(*in);
    if (in->bad()) throw TInputError(fileName + ": cannot be read");
    if (!checked) throw TInputError(fileName + ": " + checked.Message);
    in->clear();
    in->seekg(0);
    return in;
}

// Where the results go as they come: standard output, or the --out file, which takes the
// place of the old one only once every line is in.
class TResultsOut {
public:
    explicit TResultsOut(const std::string& path) : m_toFile(!path.empty()), m_path(path)
    {
        if (m_toFile) Check(m_file.Open(path));
    }

    void Write(std::string_view text)
    {
        if (m_toFile)
            Check(m_file.Write(text));
        else
            std::cout << text;
    }

    void Finish()
    {
        if (m_toFile)
            Check(m_file.Commit());
        else
            std::cout.flush();
    }

private:
    void Check(const TResult& done) const
    {
        if (!done) throw TInputError(m_path + ": " + done.Message);
    }

    bool m_toFile;
    std::string m_path;
    TAtomicFile m_file;
};

// Lines go to the workers in chunks, so that handing them over costs little beside the
// rating; at most kChunksInFlight chunks are read and not yet written.
constexpr size_t kChunkLines = 32;
constexpr size_t kChunksInFlight = 64;
using TChunk = std::vector<TScheduleLine>;

struct TRatedChunk {
    std::string Text;  // the output lines
    bool AllRated = true;
};

TRatedChunk RateChunk(TScheduleRater& rater, const TRateOptions& o, const std::vector<TColumn>& columns,
                      const TChunk& chunk)
{
    TRatedChunk rated;
    for (const TScheduleLine& line : chunk) {
        const TLineResult result =
            line.Problem.empty() ? RateLine(rater, LineOptions(o, columns, line.Fields)) : UnratedLine(line.Problem);
        std::vector<std::string> fields = line.Fields;
        fields.insert(fields.end(), result.Fields.begin(), result.Fields.end());
        rated.Text += CsvLine(fields) + "\n";
        rated.AllRated = rated.AllRated && result.Rated;
    }
    return rated;
}

}  // namespace

std::span<const std::string_view> ResultColumnNames() { return kResultColumns; }

// A started document, and what its making said: a new document would say it again for every
// line.
struct TScheduleRater::TStartPoint {
    TRating Rating;
    std::vector<std::string> Notes;
    bool Used = false;
};

// More start points than any catalogue has makers and ranges means spellings that differ only
// in case; beyond it they are made again.
constexpr size_t kMaxStartPoints = 64;

TScheduleRater::TScheduleRater(const TRateStart& start) : m_start(start) {}

TScheduleRater::~TScheduleRater() = default;

TScheduleRater::TStartPoint& TScheduleRater::StartFor(const TRateOptions& o)
{
    auto key = std::make_pair(o.Maker, o.Range);
    if (const auto found = m_points.find(key); found != m_points.end()) return *found->second;
    if (m_points.size() >= kMaxStartPoints) m_points.clear();
    std::vector<std::string> notes;
    m_log = [&notes](const std::string& text) { notes.push_back(text); };
    // The documents tell whatever log is current, not the one of the line that made them.
    TRating rating = StartRating(o, m_start, [this](const std::string& text) { m_log(text); });
    auto point = std::make_unique<TStartPoint>(TStartPoint{std::move(rating), std::move(notes), false});
    point->Rating.Document->KeepAsStart();
    return *m_points.emplace(std::move(key), std::move(point)).first->second;
}

TRatedLine TScheduleRater::Rate(const TRateOptions& o)
{
    TRatedLine line;
    const auto note = [&line](const std::string& text) {
        line.Message += (line.Message.empty() ? "" : "; ") + text;
        line.Warned = line.Warned || text.starts_with("warning: ");
    };
    try {
        const std::vector<TRowEdit> edits = ReadRowEdits(o, false);
        TStartPoint& point = StartFor(o);
        m_log = note;
        for (const std::string& text : point.Notes) note(text);
        TRatingDocument& doc = *point.Rating.Document;
        if (point.Used) doc.BackToStart();
        point.Used = true;
        ApplyRateOptions(point.Rating, edits, o, note);
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
    m_log = [](const std::string&) {};
    // A change of units stays in the rows, which the start does not cover: the next line gets
    // a new document.
    if (!o.Units.empty()) m_points.clear();
    return line;
}

TRatedLine RateScheduleLine(const TRateOptions& o, const TRateStart& start)
{
    TScheduleRater rater(start);
    return rater.Rate(o);
}

int RunBatch(const TRateOptions& o)
{
    if (!o.File.empty() || o.Save || o.Psy || o.Json || o.Csv || o.Diagnostics || o.Manufacturing || o.Report)
        throw TUsageError("--batch goes without FILE, --save, --psy and the output options");
    RefuseOutOverSchedule(o);
    const std::unique_ptr<std::istream> in = OpenSchedule(o.Batch);
    TScheduleReader reader(*in);
    if (const TResult header = reader.ReadHeader(); !header) throw TInputError(o.Batch + ": " + header.Message);
    const std::vector<TColumn> columns = ReadColumns(reader.Columns());

    const TRateStart start(o.NoSettings, [](const std::string& line) { std::cerr << "vantor-cli: " << line << "\n"; });
    TResultsOut out(o.Out);
    std::vector<std::string> header = reader.Columns();
    const std::vector<std::string> resultHeader = ResultHeader(reader.Columns());
    header.insert(header.end(), resultHeader.begin(), resultHeader.end());
    out.Write(CsvLine(header) + "\n");

    bool allRated = true;
    RunStreamed<TChunk, TRatedChunk>(
        kChunksInFlight, 0, [&start] { return std::make_unique<TScheduleRater>(start); },
        [&](std::unique_ptr<TScheduleRater>& rater, TChunk chunk) { return RateChunk(*rater, o, columns, chunk); },
        [&reader]() -> std::optional<TChunk> {
            TChunk chunk;
            TScheduleLine line;
            while (chunk.size() < kChunkLines && reader.Next(line)) chunk.push_back(std::move(line));
            return chunk.empty() ? std::nullopt : std::optional<TChunk>(std::move(chunk));
        },
        [&](const TRatedChunk& rated) {
            out.Write(rated.Text);
            allRated = allRated && rated.AllRated;
        });
    // The schedule was read whole once already; it broke only if it changed since.
    if (!reader.Broken().empty()) throw TInputError(o.Batch + ": " + reader.Broken());
    out.Finish();
    return allRated ? kExitOk : kExitFailed;
}

}  // namespace vantor::cli
