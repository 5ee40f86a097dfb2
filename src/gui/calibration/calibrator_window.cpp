#include "gui/calibration/calibrator_window.h"

#include "gui/common/qt_text.h"
#include "gui/widgets/fmt_edit.h"
#include "model/coil.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vantor {

namespace {

constexpr std::array<const char*, 5> kResultCaptions{"Total Duty, kW", "Sensible Duty, kW", "Sensible Heat Ratio",
                                                     "Air Pressure Drop, Pa", "Fluid Pressure Drop, kPa"};
constexpr int kFluidDropResult = 4;

QToolButton* ArrowButton(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(18, 12);
    return button;
}

}  // namespace

TCalibrateForm::TCalibrateForm(QWidget* parent)
    : QDialog(parent), m_file(CalibrationFile()), m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("CalibrateForm"));
    setWindowTitle(tr("Coil Calibrator"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar->addAction(tr("Accept"), this, &QDialog::accept);
    toolBar->addAction(tr("Cancel"), this, &QDialog::reject);
    toolBar->addAction(tr("Update"), this, &TCalibrateForm::WriteCalibration)->setToolTip(tr("Write calibration data"));
    toolBar->addAction(tr("Reset"), this, &TCalibrateForm::Reset);

    auto* grid = new QGridLayout;
    for (int i = 0; i < kCalibrationFactorCount; ++i) {
        const auto factor = static_cast<TCalibrationFactor>(i);
        TFactorRow& row = m_rows[static_cast<size_t>(i)];
        row.Label = new QLabel(ToQString(CalibrationFactorCaption(factor)), this);
        row.Edit = new TFmtEdit(this);
        row.Edit->SetFormatStr(ToQString(TCoilCalibrator::kFactorFormat));
        row.Edit->setText(QStringLiteral("1.0000"));
        row.Label->setBuddy(row.Edit);
        row.Up = ArrowButton(this, Qt::UpArrow);
        row.Down = ArrowButton(this, Qt::DownArrow);
        auto* arrows = new QVBoxLayout;
        arrows->setSpacing(0);
        arrows->addWidget(row.Up);
        arrows->addWidget(row.Down);
        grid->addWidget(row.Label, i, 0);
        grid->addWidget(row.Edit, i, 1);
        grid->addLayout(arrows, i, 2);
        connect(row.Up, &QToolButton::clicked, this, [this, factor] { StepUp(factor); });
        connect(row.Down, &QToolButton::clicked, this, [this, factor] { StepDown(factor); });
        connect(row.Edit, &QLineEdit::editingFinished, this, [this, factor] { FactorEditExit(factor); });
    }
    for (int i = 0; i < static_cast<int>(kResultCaptions.size()); ++i) {
        auto* field = new QLineEdit(this);
        field->setReadOnly(true);
        field->setAlignment(Qt::AlignRight);
        auto* label = new QLabel(tr(kResultCaptions[static_cast<size_t>(i)]), this);
        label->setBuddy(field);
        grid->addWidget(label, i, 3);
        grid->addWidget(field, i, 4);
        m_results[static_cast<size_t>(i)] = field;
        m_resultLabels[static_cast<size_t>(i)] = label;
    }
    grid->setColumnMinimumWidth(2, 24);
    grid->setHorizontalSpacing(8);

    auto* statusBar = new QStatusBar(this);
    statusBar->addWidget(m_status, 1);
    statusBar->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(toolBar);
    layout->addLayout(grid);
    layout->addWidget(statusBar);
}

TCalibrateForm::~TCalibrateForm()
{
    // Closing the window takes the focus from an edit, which ends its edit: by then the
    // window's own members are gone, so the edits no longer report to it.
    for (const TFactorRow& row : m_rows) disconnect(row.Edit, nullptr, this, nullptr);
}

void TCalibrateForm::SetFluidSideEnabled(bool enabled)
{
    const TFactorRow& row = m_rows[cfFluidDP];
    for (QWidget* widget : std::initializer_list<QWidget*>{row.Label, row.Edit, row.Up, row.Down,
                                                           m_results[kFluidDropResult],
                                                           m_resultLabels[kFluidDropResult]})
        widget->setEnabled(enabled);
}

void TCalibrateForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Activate();
}

void TCalibrateForm::Activate()
{
    if (!m_coil) return;
    m_calibrator.Activate(*m_coil);
    m_status->setText(ToQString(m_calibrator.StatusText()));
    ShowFactors();
    ShowResults();
}

void TCalibrateForm::ShowFactors()
{
    for (int i = 0; i < kCalibrationFactorCount; ++i) {
        TFmtEdit& edit = *m_rows[static_cast<size_t>(i)].Edit;
        edit.setText(ToQString(m_calibrator.FactorText(static_cast<TCalibrationFactor>(i))));
        edit.setModified(false);
    }
}

void TCalibrateForm::ShowResults()
{
    const std::array<std::string, 5> texts = m_calibrator.Results().Texts();
    for (size_t i = 0; i < texts.size(); ++i) m_results[i]->setText(ToQString(texts[i]));
}

void TCalibrateForm::Recalculate()
{
    m_calibrator.Recalculate();
    ShowResults();
}

void TCalibrateForm::WriteCalibration()
{
    // A calibration file that cannot be written is no reason to stop the calibration.
    (void)m_calibrator.WriteCalibration(m_file);
    ShowResults();
}

void TCalibrateForm::Reset()
{
    m_calibrator.Reset();
    ShowFactors();
    ShowResults();
}

void TCalibrateForm::StepUp(TCalibrationFactor factor)
{
    m_calibrator.StepUp(factor);
    ShowFactors();
    ShowResults();
}

void TCalibrateForm::StepDown(TCalibrationFactor factor)
{
    m_calibrator.StepDown(factor);
    ShowFactors();
    ShowResults();
}

void TCalibrateForm::FactorEditExit(TCalibrationFactor factor)
{
    TFmtEdit& edit = FactorEdit(factor);
    if (!m_calibrator.SetFactorText(factor, ToStdString(edit.text()))) QApplication::beep();
    ShowFactors();
    WriteCalibration();
}

QString TCalibrateForm::StatusText() const { return m_status->text(); }

}  // namespace vantor
