#include "reports/file_facts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor {

namespace {

std::chrono::system_clock::time_point TimeOf(const statx_timestamp& stamp)
{
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::seconds(stamp.tv_sec) +
                                                                        std::chrono::nanoseconds(stamp.tv_nsec)));
}

}  // namespace

std::optional<TFileFacts> ReadFileFacts(const std::filesystem::path& path)
{
    if (path.empty()) return std::nullopt;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return std::nullopt;
    struct statx facts {};
    if (::statx(AT_FDCWD, absolute.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &facts) != 0) return std::nullopt;
    if (!S_ISREG(facts.stx_mode)) return std::nullopt;

    TFileFacts result;
    result.Name = absolute.filename().string();
    result.Folder = absolute.parent_path().string();
    if (facts.stx_mask & STATX_BTIME) result.Created = TimeOf(facts.stx_btime);
    result.Modified = TimeOf(facts.stx_mtime);
    result.Size = facts.stx_size;
    // As the save path judges it: a file nobody may write is read-only even for the superuser.
    result.ReadOnly = ::access(absolute.c_str(), W_OK) != 0 || (facts.stx_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    result.Hidden = !result.Name.empty() && result.Name.front() == '.';
    return result;
}

}  // namespace vantor
