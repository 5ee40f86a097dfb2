// The selection against a plain loop that rates every combination with a coil of its own.

#include "selection/coil_selector.h"

#include "plain_rater.h"

#include "fluids/air_state_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace vantor {
namespace {

using namespace vantor::test;

void ExpectSameCoil(const TSelectionResult& result, const TPlainRating& plain)
{
    EXPECT_EQ(result.Range, plain.Range);
    EXPECT_EQ(result.Designation, plain.Designation);
    EXPECT_NEAR(result.DryWeight, plain.Weight, 1e-9);
    EXPECT_NEAR(result.Duty, plain.Duty, 1e-3);
}

TEST(CoilSelector, FixedFaceFirstResultIsTheLightestPassingCoilOfEveryCombination)
{
    TSelectionRequest request = SmallRequest();
    request.Space.FixedHeight = 0.6096;
    request.Space.FixedLength = 1.2;
    TSelectionFeedback feedback;
    const TSelectionOutcome outcome = TCoilSelector::Run(request, feedback);

    TPlainRater plain(request);
    std::optional<TPlainRating> best;
    for (const TMnfRec& range : request.Space.Ranges) plain.RateFace(range, 0.6096, 1.2, best);
    ASSERT_TRUE(best.has_value());
    ASSERT_FALSE(outcome.Results.empty());
    ExpectSameCoil(outcome.Results.front(), *best);
    EXPECT_FALSE(outcome.Canceled);
    EXPECT_DOUBLE_EQ(feedback.Progress(), 1.0);
    EXPECT_TRUE(std::is_sorted(outcome.Results.begin(), outcome.Results.end(), RanksBefore));
}

TEST(CoilSelector, FreeFaceFirstResultIsTheLightestPassingCoilAndTheOrderDoesNotDependOnThreads)
{
    TSelectionRequest request = SmallRequest();
    TCandidateSpace& space = request.Space;
    space.MinHeight = 0.45;
    space.MaxHeight = 0.7;
    space.MinLength = 0.8;
    space.MaxLength = 1.4;
    space.LengthStep = 0.1;
    space.Rows = {1, 2};
    space.Fins = {8, 10};
    request.Top = 5;
    TSelectionFeedback feedback;
    const TSelectionOutcome outcome = TCoilSelector::Run(request, feedback);

    TPlainRater plain(request);
    std::optional<TPlainRating> best;
    for (const TMnfRec& range : space.Ranges)
        for (int n = 1; n * 2 * range.sy <= space.MaxHeight; ++n) {
            const double height = n * 2 * range.sy;
            if (height < space.MinHeight) continue;
            for (int tenths = 8; tenths <= 14; ++tenths) {
                const double length = tenths * 0.1;
                const double aspect = length / height;
                const bool allowed = aspect >= space.AspectLo && aspect <= space.AspectHi &&
                                     request.Requirement.AirVolume / (height * length) <= request.Limits.MaxFaceVelocity;
                if (allowed) plain.RateFace(range, height, length, best);
            }
        }
    ASSERT_TRUE(best.has_value());
    ASSERT_FALSE(outcome.Results.empty());
    ExpectSameCoil(outcome.Results.front(), *best);
    EXPECT_LE(outcome.Results.size(), 5u);

    request.Threads = 1;
    TSelectionFeedback alone;
    const TSelectionOutcome single = TCoilSelector::Run(request, alone);
    ASSERT_EQ(single.Results.size(), outcome.Results.size());
    for (size_t i = 0; i < single.Results.size(); ++i) {
        EXPECT_EQ(single.Results[i].Designation, outcome.Results[i].Designation) << i;
        EXPECT_EQ(single.Results[i].Range, outcome.Results[i].Range) << i;
    }
}

TEST(CoilSelector, EveryResultPassesItsLimitsWhenRatedAgainOnItsOwn)
{
    TSelectionRequest request = SmallRequest();
    request.Space.FixedHeight = 0.6096;
    request.Space.FixedLength = 1.2;
    TSelectionFeedback feedback;
    const TSelectionOutcome outcome = TCoilSelector::Run(request, feedback);
    ASSERT_GE(outcome.Results.size(), 2u);

    TPlainRater plain(request);
    for (const TSelectionResult& result : outcome.Results) {
        const TMnfRec range = result.Range == "3/8 inch" ? ThreeEighthsRange() : DefaultMnfRec();
        const TPlainRating again = plain.Rate(range, result.fHeight, result.fLength, int(result.Rows),
                                              int(result.fpi), int(result.Circ));
        EXPECT_TRUE(again.Passed) << result.Designation;
        EXPECT_NEAR(again.Duty, result.Duty, 1e-3) << result.Designation;
        EXPECT_NEAR(again.AirDrop, result.AirPressureDrop, 1e-3) << result.Designation;
        EXPECT_NEAR(result.Margin, result.Duty / 40 - 1, 1e-12);
    }
}

TEST(CoilSelector, NothingPassingNamesTheLimitThatRuledOutTheMost)
{
    const struct {
        const char* name;
        void (*change)(TSelectionRequest&);
        TRuleOut expected;
    } cases[] = {
        {"a duty no coil of the face reaches", [](TSelectionRequest& r) { r.Requirement.Duty = 400; }, roDutyTooLow},
        {"an air pressure drop limit of 1 Pa", [](TSelectionRequest& r) { r.Limits.MaxAirDrop = 1; }, roAirDrop},
        {"a face velocity limit of 1 m/s", [](TSelectionRequest& r) { r.Limits.MaxFaceVelocity = 1; }, roFaceVelocity},
        {"a tube velocity range of 8-9 m/s",
         [](TSelectionRequest& r) {
             r.Limits.MinTubeVelocity = 8;
             r.Limits.MaxTubeVelocity = 9;
         },
         roTubeVelocity},
    };
    for (const auto& c : cases) {
        TSelectionRequest request = SmallRequest();
        request.Space.FixedHeight = 0.6096;
        request.Space.FixedLength = 1.2;
        c.change(request);
        TSelectionFeedback feedback;
        const TSelectionOutcome outcome = TCoilSelector::Run(request, feedback);
        EXPECT_TRUE(outcome.Results.empty()) << c.name;
        EXPECT_EQ(outcome.MainRuleOut(), c.expected) << c.name << ": " << RuleOutText(outcome.MainRuleOut());
    }
}

TEST(CoilSelector, RequestsThatCannotStartAreRefused)
{
    const struct {
        const char* name;
        void (*change)(TSelectionRequest&);
    } cases[] = {
        {"no duty", [](TSelectionRequest& r) { r.Requirement.Duty = 0; }},
        {"no air", [](TSelectionRequest& r) { r.Requirement.AirVolume = 0; }},
        {"no design drop", [](TSelectionRequest& r) { r.Requirement.DesignDT = 0; }},
        {"fluid colder than the air", [](TSelectionRequest& r) { r.Requirement.FluidInlet = 2; }},
        {"no ranges", [](TSelectionRequest& r) { r.Space.Ranges.clear(); }},
        {"rows upside down", [](TSelectionRequest& r) { r.Space.Rows = {4, 2}; }},
        {"no results asked for", [](TSelectionRequest& r) { r.Top = 0; }},
    };
    for (const auto& c : cases) {
        TSelectionRequest request = SmallRequest();
        c.change(request);
        EXPECT_FALSE(TCoilSelector::CheckRequest(request)) << c.name;
        TSelectionFeedback feedback;
        const TSelectionOutcome outcome = TCoilSelector::Run(request, feedback);
        EXPECT_TRUE(outcome.Results.empty()) << c.name;
        EXPECT_EQ(outcome.Ratings, 0) << c.name;
    }
    EXPECT_TRUE(TCoilSelector::CheckRequest(SmallRequest()));
}

TEST(CoilSelector, CancellingStopsTheWorkers)
{
    TSelectionRequest request = SmallRequest();
    TSelectionFeedback before;
    before.Cancel();
    const TSelectionOutcome none = TCoilSelector::Run(request, before);
    EXPECT_TRUE(none.Canceled);
    EXPECT_EQ(none.Ratings, 0);

    // A space large enough to take far longer than the first progress report, with nothing
    // left unrated for its weight.
    request.Space.MinHeight = 0.3;
    request.Space.MaxHeight = 3.0;
    request.Space.MinLength = 0.3;
    request.Space.MaxLength = 5.0;
    request.Space.Rows = {1, 8};
    request.Space.Fins = {6, 14};
    request.Top = 1000000;
    TSelectionFeedback during;
    int reports = 0;
    const TSelectionOutcome stopped = TCoilSelector::Run(request, during, [&](double) {
        ++reports;
        during.Cancel();
    });
    EXPECT_TRUE(stopped.Canceled);
    EXPECT_GE(reports, 1);
    EXPECT_LT(during.Progress(), 1.0);
}

}  // namespace
}  // namespace vantor
