#pragma once

// `vantor-cli rate --batch SCHEDULE.csv`: rates a schedule of coils, one a line, each as
// `rate` would rate it with the row options of the command line as defaults and the line's
// cells in their place, and writes the lines back with their results.

#include "cli/rate_command.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

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
    int Status = 0;
    std::string StatusText;
    std::array<double, kResultNumberCount> Numbers{};  // Qt .. AirMassFlow
    int PipeSize = 0;
    std::string Model;
    std::string Message;
    bool Warned = false;  // Message holds a warning
};

TRatedLine RateScheduleLine(const TRateOptions& o, const TRateStart& start);

}  // namespace vantor::cli
