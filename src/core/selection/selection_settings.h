#pragma once

// The selection window's limits and candidates, kept in the program key under the window's
// name between runs.

#include "selection/selection_request.h"
#include "settings/settings_store.h"

#include <string>
#include <string_view>

namespace vantor {

inline constexpr std::string_view kCoilSelectionSection = "CoilSelectionForm";

struct TSelectionSettings {
    TSelectionLimits Limits;
    TCandidateSpace Space;  // without ranges; the fixed face kept even while the face is free
    bool FixedFace = false;
    double FixedHeight = 0.9144;
    double FixedLength = 1.5;
    std::string Maker;  // empty: every maker
    std::string Range;  // empty: every range
    bool ByFlow = false;
    int Top = 20;
    bool Distinct = true;  // only the lightest face of each coil
};

// Values that are missing, or not numbers in their range, read as the defaults.
TSelectionSettings ReadSelectionSettings(const TSettingsStore& programKey);
void WriteSelectionSettings(TSettingsStore& programKey, const TSelectionSettings& settings);

}  // namespace vantor
