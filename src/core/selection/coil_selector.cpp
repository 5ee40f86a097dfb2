#include "selection/coil_selector.h"

#include "selection/candidate_faces.h"
#include "selection/candidate_rater.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
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

// The best results one worker found, lightest first.
class TTopResults {
public:
    explicit TTopResults(int size) : m_size(static_cast<size_t>(std::max(size, 1))) {}

    void Add(TSelectionResult result)
    {
        const auto at = std::upper_bound(m_results.begin(), m_results.end(), result, RanksBefore);
        m_results.insert(at, std::move(result));
        if (m_results.size() > m_size) m_results.pop_back();
    }
    // A geometry heavier than this cannot enter the list.
    bool Excludes(double weight) const { return m_results.size() == m_size && weight > m_results.back().DryWeight; }
    std::vector<TSelectionResult>& Results() { return m_results; }

private:
    size_t m_size;
    std::vector<TSelectionResult> m_results;
};

// What rating a geometry's circuit counts came to.
struct TGeometryOutcome {
    bool Passed = false;
    bool DutyTooLow = false;  // some circuit count fell short of the duty: more surface may pass
    // The failure that came closest to passing: the checks run in TRuleOut order.
    TRuleOut Furthest = roNotSolved;
};

class TWorker {
public:
    explicit TWorker(const TSelectionRequest& request)
        : m_request(request), m_rater(request), m_top(request.Top)
    {
    }

    // Each row count's climb through the fins that ends without a coil counts one candidate
    // ruled out, by the limit that ended it.
    void SearchFace(const TWorkItem& item, const TSelectionFeedback& feedback)
    {
        const TCandidateSpace& space = m_request.Space;
        if (item.Range != m_range) {
            m_rater.SetRange(space.Ranges[static_cast<size_t>(item.Range)]);
            m_range = item.Range;
        }
        int finsCap = space.Fins.Hi;
        for (int rows = space.Rows.Lo; rows <= space.Rows.Hi && finsCap >= space.Fins.Lo; ++rows) {
            bool lastRows = false;
            std::optional<TRuleOut> ended = roDutyTooLow;  // the fins ran out
            for (int fins = space.Fins.Lo; fins <= finsCap; ++fins) {
                if (feedback.Canceled()) return;
                const bool first = fins == space.Fins.Lo;
                if (!m_rater.SetGeometry({item.Face.Height, item.Face.Length, rows, fins})) {
                    ended = roNotSolved;
                    break;
                }
                // More fins or rows only weigh more.
                if (m_top.Excludes(m_rater.DryWeight())) {
                    ended.reset();
                    lastRows = first;
                    break;
                }
                const TGeometryOutcome rated = RateCircuits();
                if (rated.Passed) {
                    m_top.Add(m_rater.Result());
                    ended.reset();
                    finsCap = fins - 1;
                    break;
                }
                if (!rated.DutyTooLow) {
                    // More fins add duty and air pressure drop; so do more rows.
                    ended = rated.Furthest;
                    lastRows = first && rated.Furthest == roAirDrop;
                    break;
                }
            }
            if (ended) ++m_outcome.RuledOut[*ended];
            if (lastRows) break;
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
            if (*failed == roDutyTooLow) {
                outcome.DutyTooLow = true;
                break;
            }
        }
        if (!rated) outcome.Furthest = roTubeVelocity;
        return outcome;
    }

    const TSelectionRequest& m_request;
    TCandidateRater m_rater;
    TTopResults m_top;
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
    const auto refuse = [](std::string message) { return TResult::Error(1, std::move(message)); };
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
    for (size_t w = 0; w < workerCount; ++w) workers.push_back(std::make_unique<TWorker>(request));
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
    if (outcome.Results.size() > static_cast<size_t>(request.Top)) outcome.Results.resize(static_cast<size_t>(request.Top));
    outcome.Canceled = feedback.Canceled();
    return outcome;
}

}  // namespace vantor
