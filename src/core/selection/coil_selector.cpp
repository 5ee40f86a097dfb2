#include "selection/coil_selector.h"

#include "selection/candidate_faces.h"
#include "selection/candidate_rater.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vantor {

namespace {

// Circuit counts whose tube velocity, estimated before rating, misses the range by more than
// this share are not rated (the density at the design mean temperature is a close estimate).
constexpr double kVelocityAllowance = 0.05;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

struct TWorkItem {
    int Range = 0;
    TCandidateFace Face;
};

// The best results one worker found, lightest first; with distinct, only the lightest face of
// each coil.
class TTopResults {
public:
    TTopResults(int size, bool distinct) : m_size(static_cast<size_t>(std::max(size, 1))), m_distinct(distinct) {}

    void Add(TSelectionResult result)
    {
        if (m_distinct) {
            const auto same = std::find_if(m_results.begin(), m_results.end(), [&](const TSelectionResult& kept) {
                return DiffersOnlyInFace(kept, result);
            });
            if (same != m_results.end()) {
                if (!RanksBefore(result, *same)) return;
                m_results.erase(same);
            }
        }
        const auto at = std::upper_bound(m_results.begin(), m_results.end(), result, RanksBefore);
        m_results.insert(at, std::move(result));
        if (m_results.size() > m_size) m_results.pop_back();
    }
    // The dry weight above which a geometry cannot enter the list: the list is full and every
    // result in it is lighter. Infinite while the list has room.
    double WeightBound() const
    {
        return m_results.size() == m_size ? m_results.back().DryWeight : std::numeric_limits<double>::infinity();
    }
    std::vector<TSelectionResult>& Results() { return m_results; }

private:
    size_t m_size;
    bool m_distinct;
    std::vector<TSelectionResult> m_results;
};

// The lowest weight bound of all workers. A geometry heavier than one worker's N-th result
// cannot be among the N lightest of all (of the distinct list too: that worker holds N
// different coils lighter than it), so every worker may leave it unrated.
class TSharedWeightBound {
public:
    double Get() const { return m_bound.load(std::memory_order_relaxed); }
    void Lower(double bound)
    {
        double now = m_bound.load(std::memory_order_relaxed);
        while (bound < now && !m_bound.compare_exchange_weak(now, bound, std::memory_order_relaxed)) {
        }
    }

private:
    std::atomic<double> m_bound{std::numeric_limits<double>::infinity()};
};

// What rating a geometry's circuit counts came to.
struct TGeometryOutcome {
    bool Passed = false;
    // The failure that came closest to passing: the checks run in TRuleOut order.
    TRuleOut Furthest = roNotSolved;
};

class TWorker {
public:
    TWorker(const TSelectionRequest& request, TSharedWeightBound& bound)
        : m_request(request), m_rater(request), m_top(request.Top, request.Distinct), m_bound(bound)
    {
    }

    // Every rows and fins of the face is rated unless the weight bound rules it out: within a
    // face more rows or more fins only weigh more, so the climb through the fins stops at the
    // first geometry over the bound, and the rows stop when their fewest fins are over it.
    // Each row count without a passing coil that the bound did not cut short counts one
    // candidate ruled out, by the failure that came closest to passing.
    void SearchFace(const TWorkItem& item, const TSelectionFeedback& feedback)
    {
        const TCandidateSpace& space = m_request.Space;
        if (item.Range != m_range) {
            m_rater.SetRange(space.Ranges[static_cast<size_t>(item.Range)]);
            m_range = item.Range;
        }
        for (int rows = space.Rows.Lo; rows <= space.Rows.Hi; ++rows) {
            bool passed = false;
            bool bounded = false;
            bool fewestFinsTooHeavy = false;
            std::optional<TRuleOut> furthest;
            for (int fins = space.Fins.Lo; fins <= space.Fins.Hi; ++fins) {
                if (feedback.Canceled()) return;
                if (!m_rater.SetGeometry({item.Face.Height, item.Face.Length, rows, fins})) {
                    if (!furthest) furthest = roNotSolved;
                    continue;
                }
                if (m_rater.DryWeight() > m_bound.Get()) {
                    bounded = true;
                    fewestFinsTooHeavy = fins == space.Fins.Lo;
                    break;
                }
                const TGeometryOutcome rated = RateCircuits();
                if (rated.Passed) {
                    m_top.Add(m_rater.Result());
                    m_bound.Lower(m_top.WeightBound());
                    passed = true;
                } else {
                    furthest = std::max(furthest.value_or(roNotSolved), rated.Furthest);
                }
            }
            if (!passed && !bounded && furthest) ++m_outcome.RuledOut[*furthest];
            if (fewestFinsTooHeavy) break;
        }
    }

    TSelectionOutcome& Outcome()
    {
        m_outcome.Results = std::move(m_top.Results());
        return m_outcome;
    }

private:
    TGeometryOutcome RateCircuits()
    {
        const TSelectionLimits& limits = m_request.Limits;
        TGeometryOutcome outcome;
        bool rated = false;
        for (const int circuits : CircuitCounts(m_rater.TubeCount())) {
            const double velocity = m_rater.EstimatedTubeVelocity(circuits);
            if (velocity > limits.MaxTubeVelocity * (1 + kVelocityAllowance)) continue;
            // Slower still with more circuits.
            if (velocity < limits.MinTubeVelocity * (1 - kVelocityAllowance)) break;
            rated = true;
            ++m_outcome.Ratings;
            const std::optional<TRuleOut> failed = m_rater.Rate(circuits);
            if (!failed) {
                outcome.Passed = true;
                return outcome;
            }
            outcome.Furthest = std::max(outcome.Furthest, *failed);
            // More circuits slow the fluid and lower the duty further.
            if (*failed == roDutyTooLow) break;
        }
        if (!rated) outcome.Furthest = roTubeVelocity;
        return outcome;
    }

    const TSelectionRequest& m_request;
    TCandidateRater m_rater;
    TTopResults m_top;
    TSharedWeightBound& m_bound;
    TSelectionOutcome m_outcome;
    int m_range = -1;
};

bool Positive(double x) { return std::isfinite(x) && x > 0; }

}  // namespace

TResult TCoilSelector::CheckRequest(const TSelectionRequest& request)
{
    const TSelectionRequirement& req = request.Requirement;
    const TCandidateSpace& space = request.Space;
    const TSelectionLimits& limits = request.Limits;
    const auto refuse = [](std::string message) { return TResult::Error(TErrorCode::Failed, std::move(message)); };
    if (!Positive(req.Duty)) return refuse("The design duty must be greater than zero.");
    if (!Positive(req.AirVolume)) return refuse("The air volume must be greater than zero.");
    if (req.FluidFlow ? !Positive(*req.FluidFlow) : !Positive(req.DesignDT))
        return refuse(req.FluidFlow ? "The fluid flow must be greater than zero."
                                    : "The design temperature drop must be greater than zero.");
    if (!(std::isfinite(req.FluidInlet) && req.FluidInlet > req.AirOn.db))
        return refuse("The fluid must enter warmer than the on-coil air.");
    if (space.Ranges.empty()) return refuse("There is no tube range to select from.");
    if (space.Rows.Lo < 1 || space.Rows.Hi < space.Rows.Lo) return refuse("The rows must be a range of 1 or more.");
    if (space.Fins.Lo < 1 || space.Fins.Hi < space.Fins.Lo)
        return refuse("The fins per inch must be a range of 1 or more.");
    if (space.FixedFace()) {
        if (!Positive(*space.FixedHeight) || !Positive(*space.FixedLength))
            return refuse("The finned height and length must be greater than zero.");
    } else if (!Positive(space.MinHeight) || space.MaxHeight < space.MinHeight || !Positive(space.MinLength) ||
               space.MaxLength < space.MinLength || !Positive(space.AspectLo) || space.AspectHi < space.AspectLo) {
        return refuse("The face limits must be ranges of positive sizes.");
    }
    if (!(limits.Margin >= 0) || !Positive(limits.MaxAirDrop) || !Positive(limits.MaxFluidDrop) ||
        !(limits.MinTubeVelocity >= 0) || limits.MaxTubeVelocity < limits.MinTubeVelocity ||
        !Positive(limits.MaxFaceVelocity))
        return refuse("The limits must be positive, and the tube velocity a range.");
    if (request.Top < 1) return refuse("At least one result must be asked for.");
    return TResult::Ok();
}

TSelectionOutcome TCoilSelector::Run(const TSelectionRequest& request, TSelectionFeedback& feedback,
                                     const TProgressFn& onProgress)
{
    TSelectionOutcome outcome;
    if (!CheckRequest(request)) return outcome;
    const TCandidateSpace& space = request.Space;
    const long long climbsPerFace = space.Rows.Hi - space.Rows.Lo + 1;

    std::vector<TWorkItem> items;
    for (size_t r = 0; r < space.Ranges.size(); ++r) {
        const TCandidateFaces faces = CandidateFaces(space, space.Ranges[r].sy, request.Requirement.AirVolume,
                                                     request.Limits.MaxFaceVelocity);
        outcome.RuledOut[roFaceVelocity] += faces.TooFast * climbsPerFace;
        for (const TCandidateFace& face : faces.Faces) items.push_back({static_cast<int>(r), face});
    }
    // Small faces first: their coils are the light ones, and the sooner the workers hold light
    // results, the more heavy geometries they leave unrated. Ties keep the catalogue order.
    std::stable_sort(items.begin(), items.end(), [](const TWorkItem& a, const TWorkItem& b) {
        return a.Face.Height * a.Face.Length < b.Face.Height * b.Face.Length;
    });

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t workerCount = std::clamp<size_t>(request.Threads > 0 ? static_cast<size_t>(request.Threads) : cores,
                                                  1, std::max<size_t>(items.size(), 1));
    std::atomic<size_t> next{0};
    std::atomic<size_t> done{0};
    std::mutex mutex;
    std::condition_variable finished;
    size_t workersDone = 0;
    std::vector<std::unique_ptr<TWorker>> workers;
    TSharedWeightBound bound;
    for (size_t w = 0; w < workerCount; ++w) workers.push_back(std::make_unique<TWorker>(request, bound));
    {
        std::vector<std::jthread> threads;
        for (auto& worker : workers) {
            threads.emplace_back([&, w = worker.get()] {
                for (size_t i = next++; i < items.size() && !feedback.Canceled(); i = next++) {
                    w->SearchFace(items[i], feedback);
                    feedback.SetProgress(static_cast<double>(++done) / static_cast<double>(items.size()));
                }
                const std::lock_guard lock(mutex);
                ++workersDone;
                finished.notify_one();
            });
        }
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, kProgressInterval, [&] { return workersDone == workerCount; }))
            if (onProgress) onProgress(feedback.Progress());
    }
    if (onProgress) onProgress(feedback.Progress());

    for (auto& worker : workers) {
        TSelectionOutcome& part = worker->Outcome();
        outcome.Ratings += part.Ratings;
        for (int i = 0; i < kRuleOutCount; ++i) outcome.RuledOut[static_cast<size_t>(i)] += part.RuledOut[static_cast<size_t>(i)];
        for (TSelectionResult& result : part.Results) outcome.Results.push_back(std::move(result));
    }
    std::sort(outcome.Results.begin(), outcome.Results.end(), RanksBefore);
    if (request.Distinct) KeepLightestFaceOfEachCoil(outcome.Results);
    if (outcome.Results.size() > static_cast<size_t>(request.Top)) outcome.Results.resize(static_cast<size_t>(request.Top));
    outcome.Canceled = feedback.Canceled();
    return outcome;
}

}  // namespace vantor
