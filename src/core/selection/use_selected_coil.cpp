#include "selection/use_selected_coil.h"

#include <optional>

namespace vantor {

TResult UseSelectedCoil(TRatingDocument& doc, const TSelectionResult& coil, double airVolume)
{
    const std::optional<TMnfRec> range = doc.Makers().FindRange(coil.Maker, coil.Range);
    if (!range)
        return TResult::Error(TErrorCode::Failed, "The catalogue has no tube range \"" + coil.Range + "\" of " + coil.Maker + ".");

    const TEditNotes used = doc.UseCoil({*range, coil.Designation, airVolume, coil.FluidFlow});
    if (!used) return used.Result;
    return doc.Solve();
}

}  // namespace vantor
