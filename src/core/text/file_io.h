#pragma once

// Whole-file reads and writes. Every file the program writes goes through
// WriteFileAtomically: the content goes to a temporary file in the target's folder, is
// flushed to disk, and only then renamed over the target, so a failed or interrupted save
// leaves the old file as it was.

#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// The file's bytes, or nothing when it cannot be opened or read. Files above maxBytes are
// refused (a data file of the program is never that large).
std::optional<std::string> ReadFileText(const std::filesystem::path& path,
                                        std::uintmax_t maxBytes = 64u * 1024u * 1024u);

// Why path cannot be read as a file of at most maxBytes: "does not exist", "is a folder, not a
// file", "cannot be read: permission denied" (or the system's other reason), "is larger than
// the limit of 16 MiB"; empty when it can be read.
std::string FileReadProblem(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Writes content as the whole of path. On failure the result carries "Unable to write to "
// and the path, and the target is untouched.
TResult WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace vantor
