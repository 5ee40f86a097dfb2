#include "gui/reports/view_window.h"

#include "gui/common/form_placement.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/report_view.h"
#include "settings/settings_store.h"

#include <QEvent>
#include <QFrame>
#include <QScreen>
#include <QShowEvent>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vantor {

namespace {

constexpr std::string_view kWindowName = "ViewForm";
constexpr std::string_view kUserSizedKey = "UserSized";
constexpr int kTopPanelHeight = 9;
constexpr QSize kMinimumSize{190, 230};
// Room for the window's frame and title, which the size of its client area leaves out.
constexpr QSize kFrameRoom{16, 48};

// The least positions of the name, value and unit columns of the reports.
std::vector<int> TabStops() { return {80, 130}; }

QSize WithinScreen(const QWidget& window, const QSize& size)
{
    const QScreen* shownOn = window.screen();
    return shownOn ? size.boundedTo(shownOn->availableGeometry().size() - kFrameRoom) : size;
}

}  // namespace

TViewForm::TViewForm(QWidget* parent) : QDialog(parent), m_box(new KzReportView(this))
{
    setObjectName(ToQString(kWindowName));
    setWindowTitle(tr("Viewer"));
    setMinimumSize(kMinimumSize);
    auto* topPanel = new QFrame(this);
    topPanel->setFixedHeight(kTopPanelHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topPanel);
    layout->addWidget(m_box);
    m_box->SetTabStops(TabStops());
    // Never placed before: the window opens where dialogs open, over the middle of its owner.
    const TSettingsStore programKey(TSettingsKey::Program);
    if (programKey.SectionExists(kWindowName)) RestoreProgramPlacement(*this, kWindowName);
    m_userSized = programKey.ReadBool(kWindowName, kUserSizedKey, false);
}

QSize TViewForm::ContentSize() const
{
    const QTextDocument& document = *m_box->document();
    const int frame = 2 * m_box->frameWidth();
    const int width = static_cast<int>(std::ceil(document.idealWidth() + 2 * document.documentMargin())) + frame +
                      m_box->verticalScrollBar()->sizeHint().width();
    const int height = static_cast<int>(std::ceil(document.size().height())) + frame + kTopPanelHeight +
                       m_box->horizontalScrollBar()->sizeHint().height();
    return WithinScreen(*this, QSize(width, height).expandedTo(kMinimumSize));
}

// Sized before a dialog is placed over its owner, so that it is placed at its new size.
void TViewForm::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        m_box->FitTabStops(TabStops());
        resize(m_userSized ? WithinScreen(*this, size()) : ContentSize());
    }
    QDialog::setVisible(visible);
}

void TViewForm::showEvent(QShowEvent* event)
{
    if (const QScreen* shownOn = screen(); shownOn && !event->spontaneous()) {
        // Wholly on the screen: a window that grew past an edge moves back.
        const QRect room = shownOn->availableGeometry();
        QRect frame = frameGeometry();
        if (frame.right() > room.right()) frame.moveRight(room.right());
        if (frame.bottom() > room.bottom()) frame.moveBottom(room.bottom());
        frame.moveTopLeft({std::max(frame.left(), room.left()), std::max(frame.top(), room.top())});
        if (frame.topLeft() != pos()) move(frame.topLeft());
    }
    m_shownSize = size();
    QDialog::showEvent(event);
}

void TViewForm::SaveSettings() const
{
    SaveProgramPlacement(*this, kWindowName);
    TSettingsStore programKey(TSettingsKey::Program);
    programKey.WriteBool(kWindowName, kUserSizedKey, m_userSized);
    KeepWindowSettings(programKey);
}

void TViewForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) SaveSettings();
}

void TViewForm::hideEvent(QHideEvent* event)
{
    if (m_shownSize.isValid() && size() != m_shownSize) m_userSized = true;
    SaveSettings();
    QDialog::hideEvent(event);
}

}  // namespace vantor
