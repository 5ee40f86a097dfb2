#pragma once

// Whole-file reads and writes. Every file the program writes goes through
// WriteFileAtomically: the content goes to a temporary file in the target's folder, is
// flushed to disk, and only then renamed over the target, so a failed or interrupted save
// leaves the old file as it was. A symbolic link is followed, so the file it names is the
// one replaced and the link stays; a target that is not a regular file (a folder, a named
// pipe, a device) or that is read-only is refused before anything is written.

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

// Result codes of WriteFileAtomically.
enum TFileWriteCode : int {
    fwOk = 0,
    fwFailed = 1,         // "Unable to write to <path> (<reason>)"
    fwNoName = 2,         // "File name not known"
    fwNotRegularFile = 3, // "Unable to write to <path>: not a regular file"
    fwReadOnly = 4,       // "<path> is read-only"
};

// True for the codes that ask for another file name rather than another try.
inline bool IsRefusedTarget(int code) { return code == fwNotRegularFile || code == fwReadOnly; }

// Writes content as the whole of path. On failure the result carries one of the codes above
// and its message naming path, and the target is untouched. A file counts as read-only when
// the program may not write it, or when it has no write permission for anybody (which even
// the superuser, who may write anything, respects).
TResult WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// A file written piece by piece and put in place as WriteFileAtomically puts it: the pieces go
// to a temporary file beside the target, which Commit renames over it. Until then the target
// is as it was; a file dropped without Commit, or whose writing failed, leaves nothing behind.
// Open refuses a target as WriteFileAtomically does, before anything is written.
class TAtomicFile {
public:
    TAtomicFile() = default;
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;
    ~TAtomicFile();

    TResult Open(const std::filesystem::path& path);
    TResult Write(std::string_view content);
    TResult Commit();

private:
    void Abandon();
    TResult Failure(const char* reason) const;

    std::filesystem::path m_path;    // as given, for the messages
    std::filesystem::path m_target;  // with the links followed
    std::filesystem::path m_folder;
    std::string m_temporary;
    int m_fd = -1;
};

}  // namespace vantor
