#pragma once

// An exclusive lock over the INI files of one folder, so that programs writing the same
// settings file take turns: a flock on the lock file ".settings.lock" in that folder. The
// lock file is made on first need and never removed (removing it would let two programs lock
// two different files of the same name). The lock is released when the object goes, or
// when the program ends however it ends.
//
// flock cannot wait with a time limit, so the lock is polled. Polling alone is unfair: a
// program that flushes again and again would take the lock back each time before a poller
// looked. Waiters therefore queue first at a gate, a flock on the folder itself, held only
// while its holder waits for the lock: a program that has just let the lock go meets the
// gate held by the one waiting, and takes its turn after it.

#include <chrono>
#include <filesystem>
#include <string_view>

namespace vantor {

class TIniFolderLock {
public:
    static constexpr std::string_view LockFileName = ".settings.lock";

    // Waits up to `wait` for the lock. Not Held when the lock file cannot be opened or made,
    // or when another holder kept the lock the whole time (TimedOut).
    static TIniFolderLock Acquire(const std::filesystem::path& folder, std::chrono::milliseconds wait);

    TIniFolderLock(TIniFolderLock&& other) noexcept;
    TIniFolderLock& operator=(TIniFolderLock&& other) noexcept;
    TIniFolderLock(const TIniFolderLock&) = delete;
    TIniFolderLock& operator=(const TIniFolderLock&) = delete;
    ~TIniFolderLock();

    bool Held() const { return m_fd >= 0; }
    bool TimedOut() const { return m_timedOut; }

private:
    TIniFolderLock(int fd, bool timedOut) : m_fd(fd), m_timedOut(timedOut) {}
    void Release();

    int m_fd = -1;
    bool m_timedOut = false;
};

}  // namespace vantor
