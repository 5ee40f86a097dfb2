#include "text/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace vantor {

std::optional<std::string> ReadFileText(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > maxBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return content;
}

std::string FileReadProblem(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return "does not exist";
    if (std::filesystem::is_directory(status)) return "is a folder, not a file";
    if (!std::filesystem::is_regular_file(status)) return "is not a plain file";
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return "cannot be read: " + ec.message();
    if (size > maxBytes) {
        constexpr std::uintmax_t kMiB = 1024u * 1024u;
        const std::string limit = maxBytes % kMiB == 0 ? std::to_string(maxBytes / kMiB) + " MiB"
                                                       : std::to_string(maxBytes) + " bytes";
        return "is larger than the limit of " + limit;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int error = errno;
        return "cannot be read: " + std::generic_category().message(error != 0 ? error : EACCES);
    }
    return {};
}

namespace {

// More links in a row than this is a loop.
constexpr int kMaxLinkDepth = 40;

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The file a save really replaces: symbolic links are followed to the file they name, which
// need not exist yet (a dangling link names the file to create). Nothing for a loop.
std::optional<std::filesystem::path> FollowLinks(std::filesystem::path path)
{
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) return path;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) return std::nullopt;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

bool IsReadOnly(const std::filesystem::path& file, const struct stat& status)
{
    constexpr mode_t anyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    return (status.st_mode & anyWrite) == 0 || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0;
}

// The replacement keeps the mode and, where the saver may give it, the owner of the file it
// replaces; a new file gets the usual 0666 less umask.
void TakeOverAttributes(int fd, const struct stat* existing)
{
    if (!existing) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return;
    }
    if (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid()) {
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            // Not allowed to give the file away: it belongs to the saver from now on.
        }
    }
    ::fchmod(fd, existing->st_mode & 07777);
}

// The rename is on disk only when the folder is.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

TAtomicFile::~TAtomicFile() { Abandon(); }

void TAtomicFile::Abandon()
{
    if (m_fd < 0) return;
    ::close(m_fd);
    ::unlink(m_temporary.c_str());
    m_fd = -1;
}

TResult TAtomicFile::Failure(const char* reason) const
{
    return TResult::Error(fwFailed, "Unable to write to " + m_path.string() + " (" + reason + ")");
}

TResult TAtomicFile::Open(const std::filesystem::path& path)
{
    Abandon();
    m_path = path;
    if (path.empty()) return TResult::Error(fwNoName, "File name not known");
    const std::optional<std::filesystem::path> followed = FollowLinks(path);
    if (!followed) return Failure(std::strerror(ELOOP));
    m_target = *followed;

    struct stat existing {};
    const bool exists = ::stat(m_target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return TResult::Error(fwNotRegularFile, "Unable to write to " + path.string() + ": not a regular file");
    if (exists && IsReadOnly(m_target, existing)) return TResult::Error(fwReadOnly, path.string() + " is read-only");

    m_folder = m_target.has_parent_path() ? m_target.parent_path() : ".";
    std::string pattern = (m_folder / ("." + m_target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return Failure(std::strerror(errno));
    m_fd = fd;
    m_temporary = name.data();
    TakeOverAttributes(fd, exists ? &existing : nullptr);
    return TResult::Ok();
}

TResult TAtomicFile::Write(std::string_view content)
{
    if (m_fd < 0) return Failure(std::strerror(EBADF));
    if (WriteAll(m_fd, content)) return TResult::Ok();
    const TResult failed = Failure(std::strerror(errno));
    Abandon();
    return failed;
}

TResult TAtomicFile::Commit()
{
    if (m_fd < 0) return Failure(std::strerror(EBADF));
    const bool synced = ::fsync(m_fd) == 0;
    const int savedErrno = errno;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!synced || !closed) {
        ::unlink(m_temporary.c_str());
        return Failure(std::strerror(synced ? errno : savedErrno));
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(m_temporary.c_str());
        return Failure(std::strerror(renameErrno));
    }
    SyncFolder(m_folder);
    return TResult::Ok();
}

TResult WriteFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    TAtomicFile file;
    if (TResult opened = file.Open(path); !opened) return opened;
    if (TResult written = file.Write(content); !written) return written;
    return file.Commit();
}

}  // namespace vantor
