#pragma once

// Runs count independent jobs on worker threads, each job given its index. A job writes only
// its own result slot, so the caller reads the results in input order afterwards.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace vantor {

// threads: 0 for one per core; never more than there are jobs.
template <typename Job>
void RunInParallel(size_t count, int threads, Job job)
{
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t workers =
        std::clamp<size_t>(threads > 0 ? static_cast<size_t>(threads) : cores, 1, std::max<size_t>(count, 1));
    std::atomic<size_t> next{0};
    std::vector<std::jthread> pool;
    for (size_t w = 0; w < workers; ++w)
        pool.emplace_back([&] {
            for (size_t i = next++; i < count; i = next++) job(i);
        });
}

}  // namespace vantor
