#pragma once

// Runs count independent jobs on worker threads, each job given its index. A job writes only
// its own result slot, so the caller reads the results in input order afterwards.
//
// RunStreamed runs a stream of jobs that is too long to hold: the calling thread reads the
// jobs one by one and hands the results on in the order of the jobs, while the workers rate
// at most window jobs ahead of the one handed on last.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace vantor {

// The number of worker threads for a request: 0 for one per core; never more than limit.
inline size_t WorkerCount(int threads, size_t limit)
{
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<size_t>(threads > 0 ? static_cast<size_t>(threads) : cores, 1, std::max<size_t>(limit, 1));
}

// threads: 0 for one per core; never more than there are jobs.
template <typename Job>
void RunInParallel(size_t count, int threads, Job job)
{
    const size_t workers = WorkerCount(threads, count);
    std::atomic<size_t> next{0};
    std::vector<std::jthread> pool;
    for (size_t w = 0; w < workers; ++w)
        pool.emplace_back([&] {
            for (size_t i = next++; i < count; i = next++) job(i);
        });
}

// Runs the jobs that read() gives (std::nullopt at the end) on worker threads and passes each
// result to write() in the order of the jobs. read() and write() run on the calling thread;
// each worker makes its own state once with makeWorker() and runs work(state, job) for every
// job it takes. At most window jobs are read and not yet written, so memory stays bounded
// whatever the number of jobs. An exception from any of the four stops the run and is raised
// again here once every worker has stopped.
template <typename Job, typename Result, typename MakeWorker, typename Work, typename Read, typename Write>
void RunStreamed(size_t window, int threads, MakeWorker makeWorker, Work work, Read read, Write write)
{
    struct TSlot {
        std::optional<Job> Pending;  // read, not yet taken
        std::optional<Result> Done;  // worked, not yet written
        std::exception_ptr Error;
    };
    window = std::max<size_t>(window, 1);
    std::vector<TSlot> slots(window);
    std::mutex mutex;
    std::condition_variable jobReady;
    std::condition_variable resultReady;
    size_t readCount = 0;   // jobs read
    size_t takenCount = 0;  // jobs taken by a worker
    size_t doneCount = 0;   // jobs handed to write()
    bool stop = false;

    const auto runWorker = [&] {
        std::exception_ptr makeError;
        std::optional<decltype(makeWorker())> state;
        try {
            state.emplace(makeWorker());
        } catch (...) {
            makeError = std::current_exception();
        }
        std::unique_lock lock(mutex);
        for (;;) {
            jobReady.wait(lock, [&] { return stop || takenCount < readCount; });
            if (stop) return;
            TSlot& slot = slots[takenCount++ % window];
            Job job = std::move(*slot.Pending);
            slot.Pending.reset();
            lock.unlock();
            std::optional<Result> result;
            std::exception_ptr error = makeError;
            if (!error) {
                try {
                    result.emplace(work(*state, std::move(job)));
                } catch (...) {
                    error = std::current_exception();
                }
            }
            lock.lock();
            slot.Done = std::move(result);
            slot.Error = error;
            resultReady.notify_all();
        }
    };

    std::vector<std::jthread> pool;
    // Declared after the pool, so it is destroyed first: the workers are told to stop before
    // the pool joins them, also when read() or write() raises.
    struct TStopper {
        std::mutex& Mutex;
        bool& Stop;
        std::condition_variable& JobReady;
        ~TStopper()
        {
            {
                const std::lock_guard lock(Mutex);
                Stop = true;
            }
            JobReady.notify_all();
        }
    } stopper{mutex, stop, jobReady};
    for (size_t w = 0, workers = WorkerCount(threads, window); w < workers; ++w) pool.emplace_back(runWorker);

    bool ended = false;
    for (;;) {
        // Read ahead while the window has room.
        while (!ended && readCount - doneCount < window) {
            std::optional<Job> job = read();
            if (!job) {
                ended = true;
                break;
            }
            const std::lock_guard lock(mutex);
            slots[readCount++ % window].Pending = std::move(job);
            jobReady.notify_one();
        }
        if (ended && doneCount == readCount) return;
        // Hand on the oldest job's result as soon as it is there.
        std::optional<Result> result;
        {
            std::unique_lock lock(mutex);
            TSlot& slot = slots[doneCount % window];
            resultReady.wait(lock, [&] { return slot.Done || slot.Error; });
            if (slot.Error) std::rethrow_exception(std::exchange(slot.Error, nullptr));
            result = std::move(slot.Done);
            slot.Done.reset();
        }
        write(std::move(*result));
        ++doneCount;
    }
}

}  // namespace vantor
