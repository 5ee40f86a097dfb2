#include "settings/window_placement.h"

#include <algorithm>

namespace vantor {

namespace {

// Which values beyond "Left" and "Top" a store reads or writes.
struct TPlacementValues {
    bool Size = false;
    bool Visible = false;
    bool WinState = false;
};

constexpr TPlacementValues kSharedKeyValues{.Size = true, .Visible = false, .WinState = true};
constexpr TPlacementValues kIniValues{.Size = true, .Visible = false, .WinState = false};
constexpr TPlacementValues kAllValues{.Size = true, .Visible = true, .WinState = true};

// A stored extent that is not positive would leave the window without an area; the present
// one is kept instead.
int ReadExtent(const TSettingsStore& store, std::string_view window, std::string_view name, int present)
{
    const int stored = store.ReadInteger(window, name, present);
    return stored > 0 ? stored : present;
}

int ReadWinState(const TSettingsStore& store, std::string_view window, int present)
{
    const int stored = store.ReadInteger(window, "WinState", present);
    return stored >= WindowNormal && stored <= WindowMaximized ? stored : present;
}

TWindowPlacement Restore(const TSettingsStore& store, std::string_view window, const TWindowPlacement& present,
                         TScreenSize screen, TPlacementValues values)
{
    TWindowPlacement placement = present;
    placement.Left = store.ReadInteger(window, "Left", present.Left);
    placement.Top = store.ReadInteger(window, "Top", present.Top);
    if (values.Size) {
        placement.Width = ReadExtent(store, window, "Width", present.Width);
        placement.Height = ReadExtent(store, window, "Height", present.Height);
        // A size kept from a larger screen, or from a window a long value widened, fits this one.
        if (screen.Width > 0) placement.Width = std::min(placement.Width, screen.Width);
        if (screen.Height > 0) placement.Height = std::min(placement.Height, screen.Height);
    }
    if (values.Visible) placement.Visible = store.ReadBool(window, "Visible", false);
    placement = KeepOnScreen(placement, screen);
    if (values.WinState) placement.WinState = ReadWinState(store, window, present.WinState);
    return placement;
}

void Save(TSettingsStore& store, std::string_view window, const TWindowPlacement& placement,
          TPlacementValues values)
{
    store.WriteInteger(window, "Left", placement.Left);
    store.WriteInteger(window, "Top", placement.Top);
    if (values.Size) {
        store.WriteInteger(window, "Width", placement.Width);
        store.WriteInteger(window, "Height", placement.Height);
    }
    if (values.Visible) store.WriteBool(window, "Visible", placement.Visible);
    if (values.WinState) store.WriteInteger(window, "WinState", placement.WinState);
}

int KeepEdgeOnScreen(int edge, int screenExtent)
{
    if (edge > screenExtent - 100) edge = screenExtent - 200;
    return std::max(edge, 0);
}

}  // namespace

TWindowPlacement KeepOnScreen(TWindowPlacement placement, TScreenSize screen)
{
    placement.Left = KeepEdgeOnScreen(placement.Left, screen.Width);
    placement.Top = KeepEdgeOnScreen(placement.Top, screen.Height);
    return placement;
}

TWindowPlacement RestoreWindowPlacement(const TSettingsStore& programKey, std::string_view window,
                                        const TWindowPlacement& present, TScreenSize screen,
                                        bool withVisible, bool withSize)
{
    return Restore(programKey, window, present, screen,
                   {.Size = withSize, .Visible = withVisible, .WinState = true});
}

void SaveWindowPlacement(TSettingsStore& programKey, std::string_view window, const TWindowPlacement& placement)
{
    Save(programKey, window, placement, kAllValues);
}

TWindowPlacement RestoreSharedWindowPlacement(const TSettingsStore& sharedKey, std::string_view window,
                                              const TWindowPlacement& present, TScreenSize screen)
{
    return Restore(sharedKey, window, present, screen, kSharedKeyValues);
}

void SaveSharedWindowPlacement(TSettingsStore& sharedKey, std::string_view window,
                               const TWindowPlacement& placement)
{
    Save(sharedKey, window, placement, kSharedKeyValues);
}

TWindowPlacement RestoreIniWindowPlacement(const TSettingsStore& executableIni, std::string_view window,
                                           const TWindowPlacement& present, TScreenSize screen)
{
    return Restore(executableIni, window, present, screen, kIniValues);
}

void SaveIniWindowPlacement(TSettingsStore& executableIni, std::string_view window,
                            const TWindowPlacement& placement)
{
    Save(executableIni, window, placement, kIniValues);
}

}  // namespace vantor
