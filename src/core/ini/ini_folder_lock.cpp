#include "ini/ini_folder_lock.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace vantor {

namespace {

// A lock only needs a descriptor, not write access: an existing lock file is opened for
// reading, so one left by another user in a shared folder still serves.
int OpenLockFile(const std::filesystem::path& file)
{
    for (;;) {
        int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) fd = ::open(file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EINTR) return fd;
    }
}

}  // namespace

std::optional<TIniFolderLock> TIniFolderLock::Acquire(const std::filesystem::path& folder,
                                                      std::chrono::milliseconds wait)
{
    const std::filesystem::path base = folder.empty() ? std::filesystem::path(".") : folder;
    const int fd = OpenLockFile(base / LockFileName);
    if (fd < 0) return std::nullopt;
    TIniFolderLock lock(fd);

    // Polled rather than blocking, so the wait has an end; the pause grows from 1 ms to
    // 20 ms, short enough that a writer holding the lock for a flush costs little.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::milliseconds pause(1);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return lock;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return std::nullopt;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

TIniFolderLock::TIniFolderLock(TIniFolderLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

TIniFolderLock& TIniFolderLock::operator=(TIniFolderLock&& other) noexcept
{
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

TIniFolderLock::~TIniFolderLock() { Release(); }

// Closing the descriptor releases the flock.
void TIniFolderLock::Release()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

}  // namespace vantor
