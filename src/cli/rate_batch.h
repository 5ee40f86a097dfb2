#pragma once

// `vantor-cli rate --batch SCHEDULE.csv`: rates a schedule of coils, one a line, each as
// `rate` would rate it with the row options of the command line as defaults and the line's
// cells in their place, and writes the lines back with their results.

#include "cli/rate_command.h"

namespace vantor::cli {

int RunBatch(const TRateOptions& o);

}  // namespace vantor::cli
