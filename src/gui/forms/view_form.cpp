#include "gui/forms/view_form.h"

#include "gui/forms/form_placement.h"
#include "gui/qt_text.h"
#include "gui/widgets/report_view.h"

#include <QEvent>
#include <QFrame>
#include <QVBoxLayout>

namespace vantor {

namespace {

constexpr std::string_view kWindowName = "ViewForm";
constexpr int kTopPanelHeight = 9;
constexpr QSize kMinimumSize{190, 230};

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
    m_box->SetTabStops({80, 130});  // name, value, unit columns of the reports
    RestoreProgramPlacement(*this, kWindowName);
}

void TViewForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        SaveProgramPlacement(*this, kWindowName);
}

void TViewForm::hideEvent(QHideEvent* event)
{
    SaveProgramPlacement(*this, kWindowName);
    QDialog::hideEvent(event);
}

}  // namespace vantor
