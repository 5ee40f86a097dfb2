#pragma once

// Shared between a running selection and whoever started it: the caller may cancel at any
// time, from any thread, and read how far the work has got. The workers poll the flag.

#include <atomic>

namespace vantor {

class TSelectionFeedback {
public:
    void Cancel() { m_canceled.store(true, std::memory_order_relaxed); }
    // Ready for another run; only while no selection uses it.
    void Reset()
    {
        m_canceled.store(false, std::memory_order_relaxed);
        m_progress.store(0, std::memory_order_relaxed);
    }
    bool Canceled() const { return m_canceled.load(std::memory_order_relaxed); }

    // The share of the work done, 0 to 1.
    double Progress() const { return m_progress.load(std::memory_order_relaxed); }
    void SetProgress(double share) { m_progress.store(share, std::memory_order_relaxed); }

private:
    std::atomic<bool> m_canceled{false};
    std::atomic<double> m_progress{0};
};

}  // namespace vantor
