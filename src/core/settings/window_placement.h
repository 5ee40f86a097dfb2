#pragma once

// Window placements kept in the settings store, each in a section named after its window.
// The core only computes: a restore takes the window's present placement as the defaults
// and the screen size, and returns the placement the window should take; the GUI applies it.
//
// Three stores, with the values each holds:
//   program key      "Left", "Top", "Width", "Height", "Visible", "WinState"; a restore
//                    reads the size and the visibility only when asked, a save writes all six
//   shared key       "Left", "Top", "Width", "Height", "WinState"
//   executable INI   "Left", "Top", "Width", "Height"

#include "settings/settings_store.h"

#include <string_view>

namespace vantor {

enum TWindowState : int { WindowNormal = 0, WindowMinimized = 1, WindowMaximized = 2 };

struct TWindowPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;
    int WinState = WindowNormal;

    bool operator==(const TWindowPlacement&) const = default;
};

struct TScreenSize {
    int Width = 0;
    int Height = 0;
};

// Brings a window back onto the screen: a left edge below 0 becomes 0, one beyond
// screen width - 100 becomes screen width - 200 (never below 0); the same for the top edge
// with the screen height.
TWindowPlacement KeepOnScreen(TWindowPlacement placement, TScreenSize screen);

TWindowPlacement RestoreWindowPlacement(const TSettingsStore& programKey, std::string_view window,
                                        const TWindowPlacement& present, TScreenSize screen,
                                        bool withVisible, bool withSize);
void SaveWindowPlacement(TSettingsStore& programKey, std::string_view window, const TWindowPlacement& placement);

TWindowPlacement RestoreSharedWindowPlacement(const TSettingsStore& sharedKey, std::string_view window,
                                              const TWindowPlacement& present, TScreenSize screen);
void SaveSharedWindowPlacement(TSettingsStore& sharedKey, std::string_view window,
                               const TWindowPlacement& placement);

TWindowPlacement RestoreIniWindowPlacement(const TSettingsStore& executableIni, std::string_view window,
                                           const TWindowPlacement& present, TScreenSize screen);
void SaveIniWindowPlacement(TSettingsStore& executableIni, std::string_view window,
                            const TWindowPlacement& placement);

}  // namespace vantor
