#include "gui/common/form_placement.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <QScreen>
#include <QWidget>

namespace vantor {

TWindowPlacement PlacementOf(const QWidget& window)
{
    TWindowPlacement placement;
    placement.Left = window.x();
    placement.Top = window.y();
    placement.Width = window.width();
    placement.Height = window.height();
    placement.Visible = window.isVisible();
    if (window.isMinimized())
        placement.WinState = WindowMinimized;
    else if (window.isMaximized())
        placement.WinState = WindowMaximized;
    return placement;
}

void ApplyPlacement(QWidget& window, const TWindowPlacement& placement)
{
    window.move(placement.Left, placement.Top);
    if (placement.Width > 0 && placement.Height > 0) window.resize(placement.Width, placement.Height);
    Qt::WindowStates state = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (placement.WinState == WindowMinimized) state |= Qt::WindowMinimized;
    if (placement.WinState == WindowMaximized) state |= Qt::WindowMaximized;
    window.setWindowState(state);
}

TScreenSize ScreenSizeOf(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QSize size = screen->virtualSize();
    return {size.width(), size.height()};
}

void RestoreProgramPlacement(QWidget& window, std::string_view name)
{
    const TSettingsStore programKey(TSettingsKey::Program);
    ApplyPlacement(window, RestoreWindowPlacement(programKey, name, PlacementOf(window), ScreenSizeOf(window),
                                                  false, true));
}

void SaveProgramPlacement(const QWidget& window, std::string_view name)
{
    TSettingsStore programKey(TSettingsKey::Program);
    SaveWindowPlacement(programKey, name, PlacementOf(window));
    KeepWindowSettings(programKey);
}

void KeepWindowSettings(TSettingsStore& key)
{
    if (const TResult flushed = key.Flush(); !flushed) qWarning("%s", flushed.Message.c_str());
}

void RestoreSharedPlacement(QWidget& window, const TSettingsStore& sharedKey, std::string_view name)
{
    ApplyPlacement(window, RestoreSharedWindowPlacement(sharedKey, name, PlacementOf(window), ScreenSizeOf(window)));
}

void SaveSharedPlacement(const QWidget& window, TSettingsStore& sharedKey, std::string_view name)
{
    SaveSharedWindowPlacement(sharedKey, name, PlacementOf(window));
}

}  // namespace vantor
