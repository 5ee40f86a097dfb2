#include "gui/chart/data_chart.h"

#include "document/rating_document.h"
#include "gui/chart/chart_panel.h"
#include "gui/common/form_placement.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "text/file_io.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
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

// The value labels' texts, as the window shows them.
struct TValueTexts {
    QString Duty;
    QString Fluid;
    QString Air;
};

// A name whose last component has no extension at all ("a.b/report" has none).
bool HasNoExtension(const QString& fileName) { return QFileInfo(fileName).suffix().isEmpty(); }

TDataChartSeries StepSimulationSeries(const TStepSimulation& simulation)
{
    TDataChartSeries data;
    for (const auto& row : simulation.Series) data.Series.emplace_back(row.begin(), row.end());
    data.Series.resize(std::min(data.Series.size(), static_cast<size_t>(kDataChartMaxSeries)));
    data.Shown = {0, 1, 2, 3};
    data.FirstIndex = simulation.FirstIndex;
    data.LastIndex = simulation.LastIndex;
    return data;
}

QStringList StepSimulationLegends(const TStepSimulation& simulation)
{
    QStringList legends;
    for (const std::string& legend : simulation.Legends) legends << ToQString(legend);
    return legends;
}

constexpr int kStepSimulationCurveWidth = 2;

}  // namespace

TDataChart::TDataChart(QWidget* parent) : QDialog(parent), m_chart(new TChartPanel(this))
{
    setObjectName(ToQString(kWindowName));
    setWindowTitle(tr("Data Chart"));
    m_prompts = std::make_shared<TDialogPrompts>(this);

    SetUpDataChartPanel(*m_chart);
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
    BuildDataChartCurves(*m_chart, m_data, m_curveWidth);
}

QString TDataChart::ProfileCsv() const
{
    std::vector<std::string> legends;
    for (const QLabel* legend : m_legends) legends.push_back(ToStdString(legend->text()));
    return ToQString(SeriesCsv(m_data, legends));
}

TChartNotes TDataChart::PictureNotes() const
{
    QStringList legends;
    for (const QLabel* legend : m_legends) legends << legend->text();
    return DataChartNotes(m_data, legends, m_duty->text(), m_fluid->text(), m_air->text(), m_chart->AxesColor());
}

TResult TDataChart::SaveChart(const QString& fileName)
{
    return WriteChartPicture(*m_chart, PictureNotes(), kDataChartPictureSize, fileName);
}

TResult TDataChart::SaveProfile(const QString& fileName)
{
    return WriteFileAtomically(ToPath(fileName), ToStdString(ProfileCsv()));
}

void TDataChart::CopyChart() { m_chart->Copy(); }

void TDataChart::SaveChartWithDialog()
{
    const QString fileName = m_prompts->ChooseFile({TFileAccess::Save, tr("Save Chart"),
                                                    tr("PNG picture (*.png);;PDF document (*.pdf);;SVG drawing (*.svg)"),
                                                    {}, {}});
    if (fileName.isEmpty()) return;
    ShowFailure(SaveChart(fileName));
}

void TDataChart::SaveProfileWithDialog()
{
    QString fileName = m_prompts->ChooseFile({TFileAccess::Save, tr("Save Profile"), tr("CSV file (*.csv)"), {}, {}});
    if (fileName.isEmpty()) return;
    if (HasNoExtension(fileName)) fileName += QStringLiteral(".csv");
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
    chart.SetCurveWidth(kStepSimulationCurveWidth);
    const TDataChartSeries data = StepSimulationSeries(simulation);
    chart.SetSeries(data.Series);
    chart.SetShownSeries(data.Shown);
    chart.SetFirstIndex(data.FirstIndex);
    chart.SetLastIndex(data.LastIndex);
    chart.SetLegends(StepSimulationLegends(simulation));
    chart.SetValueLabels(ToQString(simulation.DutyLabel), ToQString(simulation.FluidLabel),
                         ToQString(simulation.AirLabel));
}

}  // namespace vantor

namespace vantor {

void SetUpDataChartPanel(TChartPanel& chart)
{
    chart.SetMargins(50, 25, 20, 50);
    chart.SetTitle(QObject::tr("Temperature Profile"));
    chart.SetScaleXLabel(QObject::tr("Position"));
    chart.SetScaleYLabel(QObject::tr("Temperature"));
    chart.SetShowXScale(false);
    chart.SetShowXYPosPlace(TPosPlace::ppBottomLeft);
    chart.SetShowXPosFmt("%0.1f");
    chart.SetShowYPosFmt("%0.1f");
    QFont labels("Courier New", 8);
    labels.setStyleHint(QFont::Monospace);
    chart.SetFontLabels(labels);
}

void BuildDataChartCurves(TChartPanel& chart, const TDataChartSeries& data, int curveWidth)
{
    chart.ClearCurves();
    for (int i = 0; i < static_cast<int>(data.Series.size()); ++i) {
        if (!data.IsShown(i)) continue;
        TChartLine& curve = chart.AddCurve(SeriesColour(i));
        curve.LineWidth = curveWidth;
        const TFloatMat& values = data.Series[static_cast<size_t>(i)];
        for (int k = std::max(data.FirstIndex, 0); k <= data.LastPlottedIndex(i); ++k)
            curve.AddPoint(k, values[static_cast<size_t>(k)]);
    }
    const TChartRange x = DataChartXRange(data);
    const TChartRange y = DataChartYRange(data);
    chart.SetRanges(y.Max, y.Min, x.Max, x.Min);
    chart.Redraw();
}

TChartNotes DataChartNotes(const TDataChartSeries& data, const QStringList& legends, const QString& duty,
                           const QString& fluid, const QString& air, const QColor& textColour)
{
    constexpr int kLegends = 4;
    TChartNotes notes;
    for (int i = 0; i < kLegends && i < legends.size(); ++i)
        if (data.IsShown(i)) notes.Legend.push_back({legends[i], SeriesColour(i)});
    const auto named = [&](int series, const QString& value) {
        return series < legends.size() ? legends[series] + QLatin1Char(' ') + value : value;
    };
    if (!duty.isEmpty()) notes.Values.push_back({duty, textColour});
    if (!fluid.isEmpty()) notes.Values.push_back({named(0, fluid), SeriesColour(0)});
    if (!air.isEmpty()) notes.Values.push_back({named(1, air), SeriesColour(1)});
    return notes;
}

TResult WriteStepSimulationChart(const TStepSimulation& simulation, const QString& fileName)
{
    TChartPanel chart;
    SetUpDataChartPanel(chart);
    const TDataChartSeries data = StepSimulationSeries(simulation);
    BuildDataChartCurves(chart, data, kStepSimulationCurveWidth);
    const TChartNotes notes =
        DataChartNotes(data, StepSimulationLegends(simulation), ToQString(simulation.DutyLabel),
                       ToQString(simulation.FluidLabel), ToQString(simulation.AirLabel), chart.AxesColor());
    return WriteChartPicture(chart, notes, kDataChartPictureSize, fileName);
}

}  // namespace vantor
