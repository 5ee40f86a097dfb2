#pragma once

// `vantor-cli rate --batch SCHEDULE.csv`: rates a schedule of coils, one a line, each as
// `rate` would rate it with the row options of the command line as defaults and the line's
// cells in their place, and writes the lines back with their results.

#include "cli/rate_command.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace vantor::cli {

int RunBatch(const TRateOptions& o);

// The result columns of a line, in their order; the twelve numbers sit between StatusText and
// PipeSize.
std::span<const std::string_view> ResultColumnNames();
inline constexpr size_t kResultNumberCount = 12;

// One line rated as a schedule rates it, its results in the model's units. A line whose input
// is refused has no results (Refused) and says why in Message; the warnings and a failed
// solve's message are in Message too, "; " between them.
struct TRatedLine {
    bool Refused = false;
    bool Rated = false;  // solved
    TSolveStatus Status = TSolveStatus::Solved;
    std::string StatusText;
    std::array<double, kResultNumberCount> Numbers{};  // Qt .. AirMassFlow
    int PipeSize = 0;
    std::string Model;
    std::string Message;
    bool Warned = false;  // Message holds a warning
};

TRatedLine RateScheduleLine(const TRateOptions& o, const TRateStart& start);

// Rates lines one after another on one thread, each exactly as RateScheduleLine rates it. The
// document a line starts from (one for each maker and range asked for) is made once, with the
// settings copied and the catalogue read, and put back to that start before every line, so a
// line costs its own edits and solve; nothing one line sets reaches the next.
class TScheduleRater {
public:
    explicit TScheduleRater(const TRateStart& start);
    ~TScheduleRater();
    TScheduleRater(const TScheduleRater&) = delete;
    TScheduleRater& operator=(const TScheduleRater&) = delete;

    TRatedLine Rate(const TRateOptions& o);

private:
    struct TStartPoint;
    TStartPoint& StartFor(const TRateOptions& o);

    const TRateStart& m_start;
    std::map<std::pair<std::string, std::optional<std::string>>, std::unique_ptr<TStartPoint>> m_points;
    TRateLog m_log;  // where the documents' messages go: the line being rated
};

}  // namespace vantor::cli
