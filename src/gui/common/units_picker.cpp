#include "gui/common/units_picker.h"

#include "gui/common/qt_text.h"
#include "units/unit_tables.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr int kMinimumLabelWidth = 50;
constexpr int kWidthMargin = 10;

}  // namespace

TUnitsForm::TUnitsForm(TUnitsType type, int selected, QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_list(new QListWidget(this))
{
    setWindowTitle(tr("Units"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->setFrameShape(QFrame::NoFrame);
    for (const std::string& label : UnitLabels(type)) m_list->addItem(ToQString(label));
    if (selected >= 0 && selected < m_list->count()) m_list->setCurrentRow(selected);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    FitToItems();
}

int TUnitsForm::SelectedIndex() const { return std::max(0, m_list->currentRow()); }

void TUnitsForm::FitToItems()
{
    if (m_list->count() == 0) return;
    const int itemHeight = m_list->sizeHintForRow(0);
    int widest = kMinimumLabelWidth;
    for (int i = 0; i < m_list->count(); ++i)
        widest = std::max(widest, m_list->fontMetrics().horizontalAdvance(m_list->item(i)->text()));
    // Half an item of room below the last one, so the list never needs a scroll bar.
    const int height = static_cast<int>(std::lround(itemHeight * (m_list->count() + 0.5)));
    setFixedSize(widest + kWidthMargin, height);
}

void TUnitsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_list->setFocus();
}

bool TUnitsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            accept();
            return true;
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (QListWidgetItem* item = m_list->itemAt(at)) m_list->setCurrentItem(item);
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

int TUnitsForm::Pick(TUnitsType type, int selected, QPoint screenPos, QWidget* parent)
{
    TUnitsForm form(type, selected, parent);
    form.move(screenPos);
    form.exec();
    return form.SelectedIndex();
}

}  // namespace vantor
