#include "gui/widgets/row_controls.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace vantor {

namespace {

constexpr int kListMaxItems = 5;
constexpr int kListMaxWidth = 200;
constexpr int kListMaxChars = 28;
constexpr int kListTextMargin = 8;

}  // namespace

TRowControls::TRowControls(QWidget& host, QWidget& owner)
    : QObject(&owner),
      m_propEdit(MakeButton(host)),
      m_dropDown(MakeButton(host)),
      m_spinUp(MakeButton(host)),
      m_spinDown(MakeButton(host)),
      m_check(new QCheckBox(&host)),
      m_list(new QListWidget(&owner))
{
    m_propEdit->setText(QStringLiteral("..."));
    m_dropDown->setArrowType(Qt::DownArrow);
    m_spinUp->setArrowType(Qt::UpArrow);
    m_spinDown->setArrowType(Qt::DownArrow);
    m_spinUp->setAutoRepeat(true);
    m_spinDown->setAutoRepeat(true);
    m_check->setFocusPolicy(Qt::NoFocus);
    m_check->setBackgroundRole(QPalette::Base);
    m_check->setAutoFillBackground(true);
    m_check->hide();
    connect(m_propEdit, &QToolButton::clicked, this, &TRowControls::PropEditClicked);
    connect(m_dropDown, &QToolButton::clicked, this, &TRowControls::DropDownClicked);
    connect(m_spinUp, &QToolButton::clicked, this, [this] { emit SpinClicked(true); });
    connect(m_spinDown, &QToolButton::clicked, this, [this] { emit SpinClicked(false); });
    connect(m_check, &QCheckBox::clicked, this, &TRowControls::CheckClicked);

    m_list->setWindowFlags(Qt::Popup);
    // A press on the drop-down button while the list is open only closes the list.
    m_list->setAttribute(Qt::WA_NoMouseReplay);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setUniformItemSizes(true);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    m_list->hide();
}

QToolButton* TRowControls::MakeButton(QWidget& host)
{
    auto* button = new QToolButton(&host);
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}

void TRowControls::Show(TKind kind, const QRect& cell, bool checked)
{
    HideAll();
    m_shown = kind;
    if (kind == Check) m_check->setChecked(checked);
    Place(cell);
    switch (kind) {
    case None:
        break;
    case PropEdit:
        m_propEdit->show();
        break;
    case DropDown:
        m_dropDown->show();
        break;
    case Spin:
        m_spinUp->show();
        m_spinDown->show();
        break;
    case Check:
        m_check->show();
        break;
    }
}

void TRowControls::Place(const QRect& cell)
{
    const int side = cell.height();
    const QRect button(cell.right() - side + 1, cell.top(), side, side);
    m_propEdit->setGeometry(button);
    m_dropDown->setGeometry(button);
    const int half = (side + 1) / 2;
    m_spinUp->setGeometry(button.left(), cell.top(), side, half);
    m_spinDown->setGeometry(button.left(), cell.top() + half, side, side - half);
    // The check box covers the cell's "[x]" text.
    m_check->setGeometry(cell.adjusted(1, 0, 0, 0));
}

void TRowControls::HideAll()
{
    HideList();
    for (QWidget* control : std::initializer_list<QWidget*>{m_propEdit, m_dropDown, m_spinUp, m_spinDown, m_check})
        control->hide();
    m_shown = None;
}

void TRowControls::ShowList(const QStringList& items, int current, const QRect& cellOnScreen, int itemHeight)
{
    m_list->clear();
    m_list->addItems(items);
    for (int i = 0; i < m_list->count(); ++i) m_list->item(i)->setSizeHint(QSize(0, itemHeight));
    if (current >= 0 && current < m_list->count()) m_list->setCurrentRow(current);
    // The items share the list with its frame and the scroll bar it always shows. The widest
    // item a list widens for (200 pixels, about 28 characters, in the desktop font) grows with
    // a larger font.
    const int chrome = 2 * m_list->frameWidth() + m_list->verticalScrollBar()->sizeHint().width();
    const int maxWidth = std::max(kListMaxWidth, kListMaxChars * m_list->fontMetrics().averageCharWidth());
    int width = cellOnScreen.width();
    for (const QString& item : items) {
        const int itemWidth = m_list->fontMetrics().horizontalAdvance(item) + kListTextMargin;
        if (itemWidth + chrome > width && itemWidth < maxWidth) width = itemWidth + chrome;
    }
    const int height = itemHeight * (std::min(static_cast<int>(items.size()), kListMaxItems) + 1);
    m_list->setGeometry(cellOnScreen.left(), cellOnScreen.bottom() + 1, width, height);
    m_list->show();
    m_list->raise();
    m_list->setFocus();
}

void TRowControls::HideList() { m_list->hide(); }

bool TRowControls::ListVisible() const { return m_list->isVisible(); }

QStringList TRowControls::ListItems() const
{
    QStringList items;
    for (int i = 0; i < m_list->count(); ++i) items.append(m_list->item(i)->text());
    return items;
}

void TRowControls::SetListCurrent(int current)
{
    if (current >= 0 && current < m_list->count() && current != m_list->currentRow()) m_list->setCurrentRow(current);
}

bool TRowControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QListWidgetItem* item = m_list->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (item) {
            HideList();
            emit ListPicked(m_list->row(item), true);
        }
        return true;
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            HideList();
            emit ListClosed();
            return true;
        }
    }
    if (watched == m_list && event->type() == QEvent::KeyRelease && m_list->isVisible() && m_list->currentRow() >= 0)
        emit ListPicked(m_list->currentRow(), false);
    return QObject::eventFilter(watched, event);
}

}  // namespace vantor
