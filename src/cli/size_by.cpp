#include "cli/size_by.h"

#include "design_settings/design_settings.h"
#include "document/rating_document.h"
#include "model/coil.h"
#include "model/solve_status.h"
#include "settings/settings_store.h"

namespace vantor::cli {

const std::map<std::string, TFatSizing>& SizingNames()
{
    static const std::map<std::string, TFatSizing> names{
        {"face-area", TFatSizing::FaceArea}, {"height", TFatSizing::Height}, {"length", TFatSizing::Length},
        {"rows", TFatSizing::Rows},          {"fins", TFatSizing::Fins},     {"rows-and-fins", TFatSizing::RowsAndFins},
    };
    return names;
}

TResult SizeLikeTheEditor(TRatingDocument& doc, const TSettingsStore& programKey, TFatSizing sizing, bool keepAirVolume)
{
    ApplyStoredDesignSettings(programKey, doc.Coil());
    TFatEditor editor;
    editor.SetTargetCoil(&doc.Coil());
    editor.KeepAirFlow = keepAirVolume;
    const TSolveStatus status = editor.Size(sizing, doc.DesignDuty());
    doc.AcceptEditorResult();
    if (status == TSolveStatus::Solved) return TResult::Ok();
    if (doc.Coil().DutyOutOfReach)
        return TResult::Error(SolveStatusCode(status), std::string(TCoil::kDutyOutOfReachText));
    return TResult::Error(SolveStatusCode(status), "the sizing ended " + std::string(SolveStatusName(status)));
}

}  // namespace vantor::cli
