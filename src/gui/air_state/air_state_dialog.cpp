#include "gui/air_state/air_state_dialog.h"

#include "gui/air_state/air_state_window.h"
#include "gui/common/form_placement.h"
#include "gui/common/qt_text.h"
#include "settings/settings_store.h"

#include <QCursor>
#include <QDialog>
#include <QEventLoop>
#include <QWidget>

namespace vantor {

TAirStateDlg::TAirStateDlg(const QString& name, QWidget* parent) : QObject(parent), m_parent(parent)
{
    setObjectName(name);
    const TSettingsStore programKey(TSettingsKey::Program);
    m_data.ReadSettings(programKey, ToStdString(name), parent ? ScreenSizeOf(*parent) : TScreenSize{1280, 800});
}

TAirStateDlg::~TAirStateDlg() { SaveSettings(); }

void TAirStateDlg::SaveSettings() const
{
    TSettingsStore programKey(TSettingsKey::Program);
    TAirStateDlgData data = m_data;
    data.WriteSettings(programKey, ToStdString(objectName()));
    KeepWindowSettings(programKey);
}

int TAirStateDlg::Execute(TPsyPoint* point, int left, int top)
{
    TPsyPoint& edited = point ? *point : m_data.Point;
    // A point that has no place of its own opens where the dialog's own point last stood.
    if (point && left < -98 && point->FormLeft < -98) left = m_data.Point.FormLeft;
    if (point && top < -98 && point->FormTop < -98) top = m_data.Point.FormTop;
    const QPoint cursor = QCursor::pos();
    const int x = PlaceEdge(left, edited.FormLeft, cursor.x());
    const int y = PlaceEdge(top, edited.FormTop, cursor.y());

    auto* box = new TAirStateBox(edited, m_data.Settings, m_data.EditItemName, m_data.EditPressure, m_data.Modal,
                                 m_parent);
    box->setWindowFlag(Qt::Window);
    box->setWindowTitle(ToQString(m_data.Caption));
    box->move(x, y);
    m_box = box;
    connect(box, &TAirStateBox::EditAirconItem, this, [this, &edited] { emit EditAirconItem(&edited); });
    connect(box, &TAirStateBox::Closed, this, [this, box, &edited] {
        edited.FormLeft = box->x();
        edited.FormTop = box->y();
        box->TakeSettings(m_data.Settings);
    });

    if (!m_data.Modal) {
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
        emit BoxShown(box);
        return 0;
    }
    QEventLoop loop;
    connect(box, &TAirStateBox::Closed, &loop, &QEventLoop::quit);
    box->show();
    emit BoxShown(box);
    if (box->isVisible()) loop.exec();
    const int result = box->Result();
    delete box;
    return result;
}

}  // namespace vantor
