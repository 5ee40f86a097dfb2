#include "selection/use_selected_coil.h"

#include "document/document_settings.h"
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

    THotWaterCoil& hw = doc.HotWaterCoil();
    const TModelRec previous = hw.Geometry().ModelRecord();
    TModelRec rec = previous;
    ApplyMnfRec(*range, rec);
    hw.SetModelRecord(rec);
    hw.SetModelText(coil.Designation);
    if (!hw.ModelValid) {
        hw.SetModelRecord(previous);
        hw.SetModelText(doc.CoilModel());
        return TResult::Error(1, "The coil " + coil.Designation + " cannot be built.");
    }
    doc.SetCoilModel(coil.Designation);
    hw.SetAirVolume(airVolume);
    hw.LiquidState.ctrl = ctrlFlow;
    hw.LiquidState.SetMassFlow(coil.FluidFlow);
    doc.SetCalcMode(cmHeatingDuty);
    doc.SetModified(true);
    doc.UpdateRowStates();
    doc.ShowValues();
    return doc.Solve();
}

}  // namespace vantor
