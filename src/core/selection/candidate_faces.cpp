#include "selection/candidate_faces.h"

#include "geometry/fin_and_tube.h"

#include <cmath>

namespace vantor {

namespace {

// Limits are met within this relative tolerance, so that a limit typed as a whole multiple of
// its step includes that step.
constexpr double kTolerance = 1e-9;

bool FaceAllowed(const TCandidateFace& face, double airVolume, double maxFaceVelocity)
{
    return airVolume / (face.Height * face.Length) <= maxFaceVelocity * (1 + kTolerance);
}

// The whole multiples of step from lo to hi.
std::pair<long long, long long> StepRange(double lo, double hi, double step)
{
    const double first = std::ceil(lo / step - kTolerance);
    const double last = std::floor(hi / step + kTolerance);
    // Beyond these a space is not a coil anybody builds; it would only take time.
    constexpr double kMostSteps = 100000;
    if (!std::isfinite(first) || !std::isfinite(last) || last - first > kMostSteps) return {1, 0};
    return {static_cast<long long>(std::max(first, 1.0)), static_cast<long long>(last)};
}

}  // namespace

TCandidateFaces CandidateFaces(const TCandidateSpace& space, double tubePitch, double airVolume,
                               double maxFaceVelocity)
{
    TCandidateFaces result;
    const auto take = [&](const TCandidateFace& face) {
        if (FaceAllowed(face, airVolume, maxFaceVelocity))
            result.Faces.push_back(face);
        else
            ++result.TooFast;
    };
    if (space.FixedFace()) {
        take({*space.FixedHeight, *space.FixedLength});
        return result;
    }
    const double heightStep = 2 * tubePitch;
    if (!(heightStep > 0) || !(space.LengthStep > 0)) return result;
    const auto [firstHeight, lastHeight] = StepRange(space.MinHeight, space.MaxHeight, heightStep);
    const auto [firstLength, lastLength] = StepRange(space.MinLength, space.MaxLength, space.LengthStep);
    for (long long i = firstHeight; i <= lastHeight; ++i) {
        const double height = static_cast<double>(i) * heightStep;
        for (long long j = firstLength; j <= lastLength; ++j) {
            const double length = static_cast<double>(j) * space.LengthStep;
            const double aspect = length / height;
            if (aspect < space.AspectLo * (1 - kTolerance) || aspect > space.AspectHi * (1 + kTolerance)) continue;
            take({height, length});
        }
    }
    return result;
}

std::vector<int> CircuitCounts(double tubeCount)
{
    std::vector<int> counts;
    if (!(tubeCount >= 1) || tubeCount != std::floor(tubeCount) || tubeCount > 1e9) return counts;
    const long long tubes = static_cast<long long>(tubeCount);
    const long long most = static_cast<long long>(TFinAndTube::kMaxCircuits);
    for (long long c = 1; c <= tubes && c <= most; ++c)
        if (tubes % c == 0) counts.push_back(static_cast<int>(c));
    return counts;
}

}  // namespace vantor
