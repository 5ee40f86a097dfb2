#include "selection/parallel_runs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace vantor {
namespace {

// Jobs that take uneven times still come out in order, never more than the window ahead of
// the last one written, and each worker makes its state once.
TEST(RunStreamed, ResultsComeInOrderWithinTheWindow)
{
    constexpr size_t kJobs = 2000;
    constexpr size_t kWindow = 16;
    constexpr int kThreads = 4;
    size_t read = 0;
    std::vector<size_t> written;
    std::atomic<int> workersMade{0};
    RunStreamed<size_t, size_t>(
        kWindow, kThreads,
        [&] {
            ++workersMade;
            return std::make_unique<int>(0);
        },
        [](std::unique_ptr<int>& jobsDone, size_t job) {
            if (job % 7 == 0) std::this_thread::sleep_for(std::chrono::microseconds(50));
            ++*jobsDone;
            return job * 3;
        },
        [&]() -> std::optional<size_t> {
            EXPECT_LE(read - written.size(), kWindow);
            return read < kJobs ? std::optional<size_t>(read++) : std::nullopt;
        },
        [&](size_t result) { written.push_back(result); });
    ASSERT_EQ(written.size(), kJobs);
    for (size_t i = 0; i < kJobs; ++i) ASSERT_EQ(written[i], i * 3);
    EXPECT_EQ(workersMade.load(), kThreads);
}

// A failure in a job, in reading or in writing ends the run with that failure; the workers
// are stopped and joined, so nothing runs on afterwards.
TEST(RunStreamed, FailureStopsTheRun)
{
    const auto run = [](size_t failingJob, size_t failingRead, size_t failingWrite) {
        size_t read = 0;
        size_t written = 0;
        RunStreamed<size_t, size_t>(
            8, 2, [] { return 0; },
            [&](int&, size_t job) {
                if (job == failingJob) throw std::runtime_error("job");
                return job;
            },
            [&]() -> std::optional<size_t> {
                if (read == failingRead) throw std::runtime_error("read");
                return read < 100 ? std::optional<size_t>(read++) : std::nullopt;
            },
            [&](size_t) {
                if (written++ == failingWrite) throw std::runtime_error("write");
            });
        return written;
    };
    constexpr size_t kNever = 1000;
    EXPECT_THROW(run(40, kNever, kNever), std::runtime_error);
    EXPECT_THROW(run(kNever, 50, kNever), std::runtime_error);
    EXPECT_THROW(run(kNever, kNever, 30), std::runtime_error);
    EXPECT_EQ(run(kNever, kNever, kNever), 100u);
    // No job at all.
    size_t calls = 0;
    RunStreamed<int, int>(
        4, 0, [] { return 0; }, [&](int&, int job) { return ++calls, job; }, []() -> std::optional<int> { return {}; },
        [&](int) { ++calls; });
    EXPECT_EQ(calls, 0u);
}

}  // namespace
}  // namespace vantor
