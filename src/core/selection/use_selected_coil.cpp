#include "selection/use_selected_coil.h"

#include "text/text_routines.h"

#include <algorithm>

namespace vantor {

TResult UseSelectedCoil(TRatingDocument& doc, const TSelectionResult& coil, double airVolume)
{
    TCoilMakers& catalogue = doc.Makers();
    catalogue.LoadMaker(coil.Maker);
    const TMnfRecVec& ranges = catalogue.CachedRanges();
    const auto range = SameText(catalogue.CachedMaker(), coil.Maker)
                           ? std::find_if(ranges.begin(), ranges.end(),
                                          [&](const TMnfRec& r) { return SameText(r.name, coil.Range); })
                           : ranges.end();
    if (range == ranges.end())
        return TResult::Error(1, "The catalogue has no tube range \"" + coil.Range + "\" of " + coil.Maker + ".");

    const TEditNotes used = doc.UseCoil({*range, coil.Designation, airVolume, coil.FluidFlow});
    if (!used) return used.Result;
    return doc.Solve();
}

}  // namespace vantor
