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

}  // namespace

TResult WriteFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    const auto failure = [&](const char* reason) {
        return TResult::Error(1, "Unable to write to " + path.string() + " (" + reason + ")");
    };
    if (path.empty()) return TResult::Error(1, "File name not known");
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return failure(std::strerror(errno));

    // Keep the permissions of the file being replaced; a new file gets the usual 0644 less umask.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(name.data());
        return failure(std::strerror(written ? errno : savedErrno));
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(name.data());
        return failure(std::strerror(renameErrno));
    }
    return TResult::Ok();
}

}  // namespace vantor
