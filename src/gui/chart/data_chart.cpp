#include "gui/chart/data_chart.h"

#include "document/rating_document.h"
#include "gui/chart/chart_panel.h"
#include "gui/common/form_placement.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "text/file_io.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace vantor {

namespace {

constexpr std::string_view kWindowName = "DataChart";

const std::array<QColor, kDataChartMaxSeries> kSeriesColours{
    QColor(Qt::red), QColor(0, 128, 0), QColor(0, 0, 128), QColor(128, 128, 0), QColor(0, 128, 128)};

QColor SeriesColour(int series)
{
    return kSeriesColours[static_cast<size_t>(std::clamp(series, 0, kDataChartMaxSeries - 1))];
}

std::filesystem::path ToPath(const QString& fileName) { return std::filesystem::path(fileName.toStdString()); }

TResult WriteBytes(const QString& fileName, const QByteArray& bytes)
{
    return WriteFileAtomically(ToPath(fileName), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

TResult CannotWrite(const QString& fileName) { return TResult::Error(fwFailed, "Unable to write to " + fileName.toStdString()); }

// The chart drawn on a PDF page, scaled to fit it. Qt's PDF writer is the engine of
// QPrinter's PDF output without the printer set-up, which asks the print system for its
// default printer and can keep a machine without one waiting for seconds.
TResult WriteChartPdf(TChartPanel& chart, const QString& fileName)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageOrientation(chart.width() > chart.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
        writer.setTitle(chart.Title());
        writer.setCreator(QStringLiteral("Vantor"));
        QPainter painter;
        if (!painter.begin(&writer)) return CannotWrite(fileName);
        const QRect page = painter.viewport();
        const double scale = std::min(double(page.width()) / chart.width(), double(page.height()) / chart.height());
        painter.scale(scale, scale);
        chart.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        painter.end();
    }
    return WriteBytes(fileName, bytes);
}

TResult WriteChartPng(TChartPanel& chart, const QString& fileName)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!chart.Picture().save(&buffer, "PNG")) return CannotWrite(fileName);
    return WriteBytes(fileName, bytes);
}

}  // namespace

TDataChart::TDataChart(QWidget* parent) : QDialog(parent), m_chart(new TChartPanel(this))
{
    setObjectName(ToQString(kWindowName));
    setWindowTitle(tr("Data Chart"));
    m_prompts = std::make_shared<TDialogPrompts>(this);

    m_chart->SetMargins(50, 25, 20, 50);
    m_chart->SetTitle(tr("Temperature Profile"));
    m_chart->SetScaleXLabel(tr("Position"));
    m_chart->SetScaleYLabel(tr("Temperature"));
    m_chart->SetShowXScale(false);
    m_chart->SetShowXYPosPlace(TPosPlace::ppBottomLeft);
    m_chart->SetShowXPosFmt("%0.1f");
    m_chart->SetShowYPosFmt("%0.1f");
    QFont labels("Courier New", 8);
    labels.setStyleHint(QFont::Monospace);
    m_chart->SetFontLabels(labels);
    m_chart->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_chart->setMinimumSize(m_chart->sizeHint());
    connect(m_chart, &TChartPanel::DoubleClicked, this, &TDataChart::CopyChart);

    auto* legendRow = new QHBoxLayout;
    for (int i = 0; i < static_cast<int>(m_legends.size()); ++i) {
        auto* legend = new QLabel(QStringLiteral("Data %1").arg(i), this);
        QPalette colours = legend->palette();
        colours.setColor(QPalette::WindowText, SeriesColour(i));
        legend->setPalette(colours);
        legend->hide();
        legendRow->addWidget(legend);
        m_legends[static_cast<size_t>(i)] = legend;
    }
    legendRow->addStretch();

    m_duty = new QLabel(this);
    m_fluid = new QLabel(this);
    m_air = new QLabel(this);
    auto* valueRow = new QHBoxLayout;
    for (QLabel* label : {m_duty, m_fluid, m_air}) valueRow->addWidget(label);
    valueRow->addStretch();

    m_message = new QLabel(this);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_message->hide();

    auto* buttons = new QDialogButtonBox(this);
    const auto addChartButton = [this, buttons](const QString& text, void (TDataChart::*slot)()) {
        QPushButton* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        connect(button, &QPushButton::clicked, this, slot);
        m_chartButtons.push_back(button);
    };
    addChartButton(tr("&Copy"), &TDataChart::CopyChart);
    addChartButton(tr("Save C&hart..."), &TDataChart::SaveChartWithDialog);
    addChartButton(tr("Save &Profile..."), &TDataChart::SaveProfileWithDialog);
    connect(buttons->addButton(QDialogButtonBox::Close), &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chart, 1);
    layout->addWidget(m_message, 1);
    layout->addLayout(legendRow);
    layout->addLayout(valueRow);
    layout->addWidget(buttons);

    resize(560, 420);
    RestoreProgramPlacement(*this, kWindowName);
}

void TDataChart::SetSeries(std::vector<TFloatMat> series)
{
    if (series.size() > static_cast<size_t>(kDataChartMaxSeries)) series.resize(kDataChartMaxSeries);
    m_data.Series = std::move(series);
}

void TDataChart::SetLegends(const QStringList& legends)
{
    for (int i = 0; i < static_cast<int>(m_legends.size()) && i < legends.size(); ++i)
        m_legends[static_cast<size_t>(i)]->setText(legends[i]);
}

void TDataChart::SetValueLabels(const QString& duty, const QString& fluid, const QString& air)
{
    m_duty->setText(duty);
    m_fluid->setText(fluid);
    m_air->setText(air);
}

void TDataChart::SetMessage(const QString& message)
{
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
    m_chart->setVisible(message.isEmpty());
    for (QPushButton* button : m_chartButtons) button->setEnabled(message.isEmpty());
}

void TDataChart::Build()
{
    if (m_data.Series.empty()) {
        // Nothing to plot: no legends, and no curves left over from an earlier chart.
        for (QLabel* legend : m_legends) legend->hide();
        m_chart->ClearCurves();
        m_chart->Redraw();
        return;
    }
    for (int i = 0; i < static_cast<int>(m_legends.size()); ++i)
        m_legends[static_cast<size_t>(i)]->setVisible(m_data.IsShown(i));
    m_chart->ClearCurves();
    for (int i = 0; i < static_cast<int>(m_data.Series.size()); ++i) {
        if (!m_data.IsShown(i)) continue;
        TChartLine& curve = m_chart->AddCurve(SeriesColour(i));
        curve.LineWidth = m_curveWidth;
        const TFloatMat& values = m_data.Series[static_cast<size_t>(i)];
        for (int k = std::max(m_data.FirstIndex, 0); k <= m_data.LastPlottedIndex(i); ++k)
            curve.AddPoint(k, values[static_cast<size_t>(k)]);
    }
    const TChartRange x = DataChartXRange(m_data);
    const TChartRange y = DataChartYRange(m_data);
    m_chart->SetRanges(y.Max, y.Min, x.Max, x.Min);
    m_chart->Redraw();
}

QString TDataChart::ProfileCsv() const
{
    std::vector<std::string> legends;
    for (const QLabel* legend : m_legends) legends.push_back(ToStdString(legend->text()));
    return ToQString(SeriesCsv(m_data, legends));
}

TResult TDataChart::SaveChart(const QString& fileName)
{
    if (fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return WriteChartPdf(*m_chart, fileName);
    return WriteChartPng(*m_chart, fileName);
}

TResult TDataChart::SaveProfile(const QString& fileName)
{
    return WriteFileAtomically(ToPath(fileName), ToStdString(ProfileCsv()));
}

void TDataChart::CopyChart() { m_chart->Copy(); }

void TDataChart::SaveChartWithDialog()
{
    QString fileName = m_prompts->ChooseFile(
        {TFileAccess::Save, tr("Save Chart"), tr("PNG picture (*.png);;PDF document (*.pdf)"), {}, {}});
    if (fileName.isEmpty()) return;
    if (!fileName.contains('.')) fileName += QStringLiteral(".png");
    ShowFailure(SaveChart(fileName));
}

void TDataChart::SaveProfileWithDialog()
{
    QString fileName = m_prompts->ChooseFile({TFileAccess::Save, tr("Save Profile"), tr("CSV file (*.csv)"), {}, {}});
    if (fileName.isEmpty()) return;
    if (!fileName.contains('.')) fileName += QStringLiteral(".csv");
    ShowFailure(SaveProfile(fileName));
}

void TDataChart::ShowFailure(const TResult& result)
{
    if (!result) m_prompts->ShowMessage(ToQString(result.Message), TMessageKind::Warning);
}

void TDataChart::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Build();
}

void TDataChart::done(int result)
{
    SaveProgramPlacement(*this, kWindowName);
    QDialog::done(result);
}

void PrepareStepSimulation(TDataChart& chart, const TStepSimulation& simulation)
{
    chart.setWindowTitle(ToQString(simulation.Caption));
    chart.SetMessage(ToQString(simulation.Result.Message));
    chart.Chart().SetShowXScale(false);
    chart.SetCurveWidth(2);
    std::vector<TFloatMat> series;
    for (const auto& row : simulation.Series) series.emplace_back(row.begin(), row.end());
    chart.SetSeries(std::move(series));
    chart.SetShownSeries({0, 1, 2, 3});
    chart.SetFirstIndex(simulation.FirstIndex);
    chart.SetLastIndex(simulation.LastIndex);
    QStringList legends;
    for (const std::string& legend : simulation.Legends) legends << ToQString(legend);
    chart.SetLegends(legends);
    chart.SetValueLabels(ToQString(simulation.DutyLabel), ToQString(simulation.FluidLabel),
                         ToQString(simulation.AirLabel));
}

}  // namespace vantor
