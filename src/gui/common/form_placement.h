#pragma once

// Window placements of the settings store (settings/window_placement.h) applied to Qt
// windows: a window's present placement serves as the defaults of a restore, and the
// restored one is applied to it. `window` names the settings section ("SetUnitsForm").

#include "settings/window_placement.h"

#include <string_view>

class QWidget;

namespace vantor {

TWindowPlacement PlacementOf(const QWidget& window);
void ApplyPlacement(QWidget& window, const TWindowPlacement& placement);
TScreenSize ScreenSizeOf(const QWidget& window);

// The program key: position and size.
void RestoreProgramPlacement(QWidget& window, std::string_view name);
void SaveProgramPlacement(const QWidget& window, std::string_view name);

// Writes what a window keeps as it closes (placement, column widths, units, last choices).
// A failure goes to the log rather than to a message box: it is no reason to stop the user,
// and the next close tries again.
void KeepWindowSettings(TSettingsStore& key);

// The shared key: position, size and state.
void RestoreSharedPlacement(QWidget& window, const TSettingsStore& sharedKey, std::string_view name);
void SaveSharedPlacement(const QWidget& window, TSettingsStore& sharedKey, std::string_view name);

}  // namespace vantor
