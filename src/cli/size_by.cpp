#include "cli/size_by.h"

#include "document/design_settings.h"
#include "document/rating_document.h"
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

int SizeLikeTheEditor(TRatingDocument& doc, const TSettingsStore& programKey, TFatSizing sizing, bool keepAirVolume)
{
    ApplyStoredDesignSettings(programKey, doc.Coil());
    TFatEditor editor;
    editor.SetTargetCoil(&doc.Coil());
    editor.KeepAirFlow = keepAirVolume;
    const int status = editor.Size(sizing, doc.DesignDuty());
    doc.AcceptEditorResult();
    return status;
}

}  // namespace vantor::cli
