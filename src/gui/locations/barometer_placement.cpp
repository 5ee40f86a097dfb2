#include "gui/locations/barometer_placement.h"

#include "gui/common/form_placement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vantor {

void RestoreProgramPosition(QWidget& window, std::string_view name)
{
    const TSettingsStore programKey(TSettingsKey::Program);
    const TWindowPlacement placement =
        RestoreWindowPlacement(programKey, name, PlacementOf(window), ScreenSizeOf(window), false, false);
    window.move(placement.Left, placement.Top);
}

void MoveToCursor(QWidget& window)
{
    const QPoint cursor = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QSize size = window.frameGeometry().size().expandedTo(window.sizeHint());
    QPoint corner = cursor;
    if (screen) {
        const QRect area = screen->availableGeometry();
        corner.setX(std::max(area.left(), std::min(cursor.x(), area.right() + 1 - size.width())));
        corner.setY(std::max(area.top(), std::min(cursor.y(), area.bottom() + 1 - size.height())));
    }
    window.move(corner);
}

}  // namespace vantor
