#pragma once

// `vantor-cli locations`: the location databases without a window (list, show a place, build
// the files from a places table), and the place look-up of `vantor-cli barometer --place`.

#include <CLI/CLI.hpp>

#include <string>

namespace vantor::cli {

void AddLocationCommands(CLI::App& app, int& exitCode);

// The barometer at a place found by name in a database ("+All" when empty); throws TUsageError
// or TInputError as the other commands do.
int RunBarometerAtPlace(const std::string& place, const std::string& database, bool json);

}  // namespace vantor::cli
