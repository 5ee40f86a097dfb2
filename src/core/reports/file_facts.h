#pragma once

// What the file system tells about a data file, for the "General" page of the "Properties"
// window: name and folder, times, size and the attributes Linux knows. "Read only" is a file
// the user may not write, or that nobody may; "Hidden" a name starting with "."; Linux keeps
// no archive or system attribute.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vantor {

struct TFileFacts {
    std::string Name;    // without the folder
    std::string Folder;  // absolute
    // Birth time where the file system records it; unset elsewhere.
    std::optional<std::chrono::system_clock::time_point> Created;
    std::chrono::system_clock::time_point Modified;
    std::uintmax_t Size = 0;
    bool ReadOnly = false;
    bool Hidden = false;
};

// Nothing when path is empty, names no regular file, or cannot be examined.
std::optional<TFileFacts> ReadFileFacts(const std::filesystem::path& path);

}  // namespace vantor
