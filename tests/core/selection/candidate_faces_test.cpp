#include "selection/candidate_faces.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantor {
namespace {

TEST(CircuitCounts, GiveEveryCircuitTheSameWholeNumberOfTubes)
{
    const struct {
        const char* name;
        double tubes;
        std::vector<int> counts;
    } cases[] = {
        {"14 tubes", 14, {1, 2, 7, 14}},
        {"one tube", 1, {1}},
        {"a prime", 13, {1, 13}},
        {"none", 0, {}},
        {"a fraction of a tube", 17.5, {}},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CircuitCounts(c.tubes), c.counts) << c.name;

    // The geometry takes at most 1600 circuits.
    const std::vector<int> many = CircuitCounts(3200);
    ASSERT_FALSE(many.empty());
    EXPECT_EQ(many.back(), 1600);
}

TEST(CandidateFaces, FreeFaceStepsHeightsByTwoTubePitchesWithinLimitsAndAspect)
{
    TCandidateSpace space;
    space.MinHeight = 0.3;
    space.MaxHeight = 0.6096;  // exactly eight pitches of 76.2 mm: included
    space.MinLength = 0.5;
    space.MaxLength = 0.8;
    space.LengthStep = 0.1;
    space.AspectLo = 1.0;
    space.AspectHi = 2.0;
    // 1 m³/s at 3 m/s needs 0.333 m² of face.
    const TCandidateFaces faces = CandidateFaces(space, 0.0381, 1.0, 3.0);

    // Heights 304.8, 381, 457.2, 533.4, 609.6 mm; lengths 0.5 ... 0.8 m; L/H from 1 to 2; area ≥ 1/3 m².
    std::vector<std::pair<double, double>> expected;
    int tooFast = 0;
    for (const double h : {0.3048, 0.381, 0.4572, 0.5334, 0.6096})
        for (const double l : {0.5, 0.6, 0.7, 0.8}) {
            if (l / h < 1.0 - 1e-12 || l / h > 2.0 + 1e-12) continue;
            if (h * l < 1.0 / 3.0)
                ++tooFast;
            else
                expected.emplace_back(h, l);
        }
    ASSERT_EQ(faces.Faces.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(faces.Faces[i].Height, expected[i].first, 1e-12) << i;
        EXPECT_NEAR(faces.Faces[i].Length, expected[i].second, 1e-12) << i;
    }
    EXPECT_EQ(faces.TooFast, tooFast);
    EXPECT_GT(tooFast, 0);
}

TEST(CandidateFaces, FixedFaceIsTheOnlyFaceUnlessTheAirIsTooFast)
{
    TCandidateSpace space;
    space.FixedHeight = 0.9144;
    space.FixedLength = 1.5;
    // 3 m³/s through 1.3716 m² is 2.19 m/s.
    const TCandidateFaces slow = CandidateFaces(space, 0.0381, 3.0, 3.0);
    ASSERT_EQ(slow.Faces.size(), 1u);
    EXPECT_DOUBLE_EQ(slow.Faces[0].Height, 0.9144);
    EXPECT_EQ(slow.TooFast, 0);

    const TCandidateFaces fast = CandidateFaces(space, 0.0381, 3.0, 2.0);
    EXPECT_TRUE(fast.Faces.empty());
    EXPECT_EQ(fast.TooFast, 1);
}

}  // namespace
}  // namespace vantor
