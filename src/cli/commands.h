#pragma once

// Each vantor-cli command lives in its own file and adds itself to the application here.

#include <CLI/CLI.hpp>

namespace vantor::cli {

// Exit codes: 0 done, 1 the work failed (file unreadable, data error), 2 unreadable arguments.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

}  // namespace vantor::cli
