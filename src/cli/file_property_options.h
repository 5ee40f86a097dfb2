#pragma once

// The file properties a rating's outputs carry (the data file of --save, the chart file of
// --psy), set from the command line: unset ones keep the opened file's or the defaults.

#include "reports/file_properties.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace vantor::cli {

struct TFilePropertyOptions {
    std::optional<std::string> ProjectName;
    std::optional<std::string> ProjectNumber;
    std::optional<std::string> Comments;  // "\n" (backslash, n) starts a new line
    std::optional<std::string> Author;
    std::optional<std::string> Company;
    std::optional<std::string> Date;  // "dd mm yyyy"
};

void AddFilePropertyOptions(CLI::App& command, TFilePropertyOptions& o);

// Raises TUsageError for a date that is not "dd mm yyyy".
void ApplyFilePropertyOptions(const TFilePropertyOptions& o, TFileProperties& properties);

// The comments as typed on a command line: "\n" and real line breaks end a line; the lines
// are joined with CR LF, as the data file keeps them.
std::string CommentsFromCommandLine(const std::string& text);

}  // namespace vantor::cli
