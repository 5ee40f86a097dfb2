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

using TClock = std::chrono::steady_clock;

int OpenRetrying(const std::filesystem::path& path, int flags, mode_t mode = 0)
{
    for (;;) {
        const int fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EINTR) return fd;
    }
}

// A lock only needs a descriptor, not write access: an existing lock file is opened for
// reading, so one left by another user in a shared folder still serves.
int OpenLockFile(const std::filesystem::path& file)
{
    const int fd = OpenRetrying(file, O_RDONLY);
    if (fd >= 0 || errno != ENOENT) return fd;
    return OpenRetrying(file, O_RDONLY | O_CREAT, 0644);
}

enum class TLockOutcome { Locked, TimedOut, Failed };

// Polls for an exclusive flock until the deadline; the pause grows from 1 ms to 20 ms, short
// enough that a writer holding the lock for one flush costs little.
TLockOutcome LockBefore(int fd, TClock::time_point deadline)
{
    std::chrono::milliseconds pause(1);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return TLockOutcome::Locked;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return TLockOutcome::Failed;
        const auto now = TClock::now();
        if (now >= deadline) return TLockOutcome::TimedOut;
        std::this_thread::sleep_for(std::min<TClock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

}  // namespace

TIniFolderLock TIniFolderLock::Acquire(const std::filesystem::path& folder, std::chrono::milliseconds wait)
{
    const auto deadline = TClock::now() + wait;
    const std::filesystem::path base = folder.empty() ? std::filesystem::path(".") : folder;
    // Both descriptors close when they go out of scope; the gate opens as it closes.
    const TIniFolderLock gate(OpenRetrying(base, O_RDONLY | O_DIRECTORY), false);
    TIniFolderLock lock(OpenLockFile(base / LockFileName), false);
    if (gate.m_fd < 0 || lock.m_fd < 0) return TIniFolderLock(-1, false);
    TLockOutcome outcome = LockBefore(gate.m_fd, deadline);
    if (outcome == TLockOutcome::Locked) outcome = LockBefore(lock.m_fd, deadline);
    if (outcome != TLockOutcome::Locked) return TIniFolderLock(-1, outcome == TLockOutcome::TimedOut);
    return lock;
}

TIniFolderLock::TIniFolderLock(TIniFolderLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_timedOut(other.m_timedOut)
{
}

TIniFolderLock& TIniFolderLock::operator=(TIniFolderLock&& other) noexcept
{
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
        m_timedOut = other.m_timedOut;
    }
    return *this;
}

TIniFolderLock::~TIniFolderLock() { Release(); }

void TIniFolderLock::Release()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

}  // namespace vantor
