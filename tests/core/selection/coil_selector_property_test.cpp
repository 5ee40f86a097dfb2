// Seeded random requirements against the plain loop: the selection may leave a geometry unrated
// only when it is too heavy to be listed, so a fixed face lists exactly what the loop finds.

#include "selection/coil_selector.h"

#include "plain_rater.h"

#include "text/format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace vantor {
namespace {

using namespace vantor::test;

constexpr unsigned kSeed = 20261209;

// A random requirement in a random fixed face of 0.3-1 m by 0.6-2.5 m of one of two tube ranges,
// 1-6 rows and 6-14 fins: air from -10 to 25 °C
// crossing the face at 1.5-3 m/s, water from 35 to 90 °C, and a duty the face can plausibly
// meet (a share of what the air could take up warmed to the water's inlet).
TSelectionRequest RandomRequest(std::mt19937& random)
{
    const auto uniform = [&random](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    TSelectionRequest request = SmallRequest();
    TSelectionRequirement& req = request.Requirement;
    const double dryBulb = uniform(-10, 25);
    const double wetBulb = dryBulb - uniform(0.5, 4);
    ParseAirState(Format("%0.2f/%0.2f", {dryBulb, wetBulb}), req.AirOn, 101.325, 0.5);
    req.FluidInlet = uniform(std::max(35.0, dryBulb + 15), 90);
    req.DesignDT = uniform(5, 0.6 * (req.FluidInlet - dryBulb));

    const TMnfRec range = std::bernoulli_distribution(0.5)(random) ? DefaultMnfRec() : ThreeEighthsRange();
    const double height = std::round(uniform(0.3, 1.0) / range.sy) * range.sy;
    const double length = std::round(uniform(600, 2500)) / 1000;
    req.AirVolume = uniform(1.5, 3) * height * length;
    const double mostDuty = req.AirVolume * 1.2 * 1.006 * (req.FluidInlet - dryBulb);
    req.Duty = uniform(0.15, 0.6) * mostDuty;

    request.Space.FixedHeight = height;
    request.Space.FixedLength = length;
    request.Space.Ranges = {range};
    request.Space.Rows = {1, 6};
    request.Space.Fins = {6, 14};
    request.Limits.Margin = uniform(0.15, 0.6);
    request.Limits.MaxAirDrop = uniform(80, 250);
    request.Limits.MaxFluidDrop = uniform(20, 70);
    return request;
}

std::vector<std::string> Designations(const std::vector<TSelectionResult>& results)
{
    std::vector<std::string> names;
    for (const TSelectionResult& r : results) names.push_back(r.Designation);
    return names;
}

TEST(SelectionProperty, FixedFaceListsExactlyThePassingGeometriesOfAPlainLoopLightestFirst)
{
    std::mt19937 random(kSeed);
    int withCoils = 0;
    for (int n = 0; n < 200; ++n) {
        TSelectionRequest request = RandomRequest(random);
        const TCandidateSpace& space = request.Space;
        TPlainRater plain(request);
        std::vector<TPlainRating> passing =
            plain.PassingGeometries(space.Ranges.front(), *space.FixedHeight, *space.FixedLength);
        std::sort(passing.begin(), passing.end(), [](const auto& a, const auto& b) { return a.Rank() < b.Rank(); });
        std::vector<std::string> expected;
        for (const TPlainRating& r : passing) expected.push_back(r.Designation);
        if (!expected.empty()) ++withCoils;

        request.Top = 1000;
        TSelectionFeedback feedback;
        const std::vector<std::string> all = Designations(TCoilSelector::Run(request, feedback).Results);
        EXPECT_EQ(all, expected) << "requirement " << n << ": " << request.Requirement.Duty << " kW";

        // The weight bound leaves the lightest three as they are.
        request.Top = 3;
        TSelectionFeedback few;
        const std::vector<std::string> lightest = Designations(TCoilSelector::Run(request, few).Results);
        expected.resize(std::min<size_t>(expected.size(), 3));
        EXPECT_EQ(lightest, expected) << "requirement " << n;
    }
    // Most requirements have coils to compare.
    EXPECT_GE(withCoils, 100);
}

TEST(SelectionProperty, DistinctNeverListsOneCoilTwiceAndKeepsItsLightestFace)
{
    std::mt19937 random(kSeed + 1);
    for (int n = 0; n < 20; ++n) {
        TSelectionRequest request = RandomRequest(random);
        TCandidateSpace& space = request.Space;
        const double height = *space.FixedHeight;
        const double length = *space.FixedLength;
        space.FixedHeight.reset();
        space.FixedLength.reset();
        space.MinHeight = height - 0.1;
        space.MaxHeight = height + 0.1;
        space.MinLength = length - 0.1;
        space.MaxLength = length + 0.1;
        space.LengthStep = 0.05;
        space.AspectLo = 0.1;
        space.AspectHi = 10;
        space.Rows = {1, 2};
        request.Top = 1000;
        request.Threads = 2;
        TSelectionFeedback feedback;
        const std::vector<TSelectionResult> every = TCoilSelector::Run(request, feedback).Results;

        request.Distinct = true;
        TSelectionFeedback distinct;
        const std::vector<TSelectionResult> once = TCoilSelector::Run(request, distinct).Results;
        for (size_t i = 0; i < once.size(); ++i)
            for (size_t j = i + 1; j < once.size(); ++j)
                EXPECT_FALSE(DiffersOnlyInFace(once[i], once[j])) << once[i].Designation << ", " << once[j].Designation;
        // Each coil of the full list appears once, as its first (lightest) face.
        std::vector<std::string> firstFaces;
        for (size_t i = 0; i < every.size(); ++i) {
            const auto earlier = std::find_if(every.begin(), every.begin() + long(i),
                                              [&](const TSelectionResult& r) { return DiffersOnlyInFace(r, every[i]); });
            if (earlier == every.begin() + long(i)) firstFaces.push_back(every[i].Designation);
        }
        EXPECT_EQ(Designations(once), firstFaces) << "requirement " << n;

        // Cut to three after the duplicates are gone: three different coils when there are.
        request.Top = 3;
        TSelectionFeedback few;
        const std::vector<std::string> three = Designations(TCoilSelector::Run(request, few).Results);
        firstFaces.resize(std::min<size_t>(firstFaces.size(), 3));
        EXPECT_EQ(three, firstFaces) << "requirement " << n;
    }
}

}  // namespace
}  // namespace vantor
