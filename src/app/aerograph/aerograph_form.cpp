#include "aerograph_form.h"

#include "aerograph_chart.h"

#include "gui/chart/chart_panel.h"
#include "gui/common/qt_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

namespace vantor {

TAerographForm::TAerographForm(QWidget* parent)
    : QMainWindow(parent), m_chart(new TChartPanel(this)), m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("AerographForm"));
    setWindowTitle(tr("Aerograph"));
    setCentralWidget(m_chart);
    statusBar()->addWidget(m_status, 1);
    SetUpAerographPanel(*m_chart);
    connect(m_chart, &TChartPanel::DoubleClicked, m_chart, &TChartPanel::Copy);
    SetUpMenus();
    resize(900, 640);
    Refresh();
}

TAerographForm::~TAerographForm() = default;

void TAerographForm::SetUpMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &TAerographForm::OpenWithDialog);
    file->addAction(tr("&Clear"), this, &TAerographForm::Clear);
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Copy Chart"), QKeySequence::Copy, m_chart, &TChartPanel::Copy);
}

QString TAerographForm::StatusText() const { return m_status->text(); }

TResult TAerographForm::OpenFile(const QString& fileName)
{
    const TResult received = m_model.Receive(ToStdString(fileName));
    if (!received) {
        m_status->setText(ToQString(received.Message));
        // Files arrive from other programs: the message must not hold up the next one.
        auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), ToQString(received.Message), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return received;
    }
    Refresh();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    return received;
}

void TAerographForm::OpenWithDialog()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Open"), {}, tr("Aerograph Data File (*.psy)"));
    for (const QString& file : files) (void)OpenFile(file);  // a failure was shown
}

void TAerographForm::Clear()
{
    m_model = TAerographModel();
    Refresh();
}

void TAerographForm::Refresh()
{
    DrawAerographChart(*m_chart, m_model);

    const TPsySource* current = m_model.Current();
    m_status->setText(current ? tr("%1 file(s); last %2")
                                    .arg(m_model.Sources().size())
                                    .arg(ToQString(current->Path.string()))
                              : tr("No chart file received"));
    setWindowTitle(current ? tr("Aerograph - %1").arg(ToQString(current->Path.filename().string())) : tr("Aerograph"));
}

}  // namespace vantor
