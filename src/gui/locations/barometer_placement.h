#pragma once

// Placement helpers of the barometer windows: the position (not the size) restored from the
// program's settings, and a window put at the mouse cursor but kept whole on the screen.

class QWidget;

#include <string_view>

namespace vantor {

void RestoreProgramPosition(QWidget& window, std::string_view name);

// Top left corner at the cursor, moved left and up as far as needed for the whole window to
// stay on the cursor's screen.
void MoveToCursor(QWidget& window);

}  // namespace vantor
