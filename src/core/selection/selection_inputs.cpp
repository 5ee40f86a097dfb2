#include "selection/selection_inputs.h"

#include "text/text_routines.h"

#include <algorithm>

namespace vantor {

TSelectionRequirement RequirementOf(const TRatingDocument& doc, bool byFlow)
{
    const THotWaterCoil& coil = doc.HotWaterCoil();
    const TLiquidState& state = coil.LiquidState;
    TSelectionRequirement req;
    req.Duty = doc.DesignDuty();
    req.AirOn = coil.AirOn();
    req.AirVolume = coil.AirVolume();
    req.Fluid = doc.Liquid();
    req.FluidInlet = state.InletTemp();
    req.DesignDT = state.designdt;
    if (byFlow) req.FluidFlow = state.MassFlow();
    req.Factors = doc.Factors();
    return req;
}

TResult CatalogueRanges(TCoilMakers& catalogue, std::string_view maker, std::string_view range, TMnfRecVec& ranges)
{
    ranges.clear();
    std::vector<std::string> makers = catalogue.MakerNames();
    if (!maker.empty()) {
        const auto found = std::find_if(makers.begin(), makers.end(), [&](const auto& m) { return SameText(m, maker); });
        if (found == makers.end())
            return TResult::Error(TErrorCode::Failed, "The catalogue has no maker \"" + std::string(maker) + "\".");
        makers = {*found};
    }
    for (const std::string& name : makers) {
        catalogue.LoadMaker(name);
        if (!SameText(catalogue.CachedMaker(), name)) continue;
        for (const TMnfRec& rec : catalogue.CachedRanges())
            if (range.empty() || SameText(rec.name, range)) ranges.push_back(rec);
    }
    if (!ranges.empty()) return TResult::Ok();
    const std::string whose = maker.empty() ? std::string("The catalogue") : std::string(maker);
    return TResult::Error(TErrorCode::Failed, range.empty() ? whose + " has no tube ranges."
                                           : whose + " has no tube range \"" + std::string(range) + "\".");
}

}  // namespace vantor
