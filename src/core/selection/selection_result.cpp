#include "selection/selection_result.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace vantor {

bool RanksBefore(const TSelectionResult& a, const TSelectionResult& b)
{
    return std::tie(a.DryWeight, a.AirPressureDrop, a.FluidPressureDrop, a.Designation, a.Maker, a.Range) <
           std::tie(b.DryWeight, b.AirPressureDrop, b.FluidPressureDrop, b.Designation, b.Maker, b.Range);
}

bool DiffersOnlyInFace(const TSelectionResult& a, const TSelectionResult& b)
{
    return std::tie(a.Maker, a.Range, a.Rows, a.fpi, a.Circ) == std::tie(b.Maker, b.Range, b.Rows, b.fpi, b.Circ);
}

void KeepLightestFaceOfEachCoil(std::vector<TSelectionResult>& ranked)
{
    std::vector<TSelectionResult> kept;
    for (TSelectionResult& result : ranked) {
        const bool seen = std::any_of(kept.begin(), kept.end(),
                                      [&](const TSelectionResult& k) { return DiffersOnlyInFace(k, result); });
        if (!seen) kept.push_back(std::move(result));
    }
    ranked = std::move(kept);
}

std::string_view RuleOutText(TRuleOut reason)
{
    switch (reason) {
    case roNotSolved:
        return "the rating, not solved";
    case roDutyTooLow:
        return "the design duty, not reached";
    case roDutyTooHigh:
        return "the duty margin, exceeded";
    case roAirDrop:
        return "the air pressure drop limit";
    case roFluidDrop:
        return "the fluid pressure drop limit";
    case roTubeVelocity:
        return "the tube velocity range";
    case roFaceVelocity:
        return "the face velocity limit";
    }
    return "";
}

TRuleOut TSelectionOutcome::MainRuleOut() const
{
    const auto most = std::max_element(RuledOut.begin(), RuledOut.end());
    return static_cast<TRuleOut>(most - RuledOut.begin());
}

long long TSelectionOutcome::RuledOutTotal() const { return std::accumulate(RuledOut.begin(), RuledOut.end(), 0LL); }

}  // namespace vantor
