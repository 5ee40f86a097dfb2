#pragma once

// The data chart window: up to five series drawn as curves over their position, with a
// legend for the first four and three value labels. The caller fills the series, the
// positions, the shown series and the texts, then shows the window; showing it builds the
// chart. A double click on the chart copies it; the chart can be saved as a PNG, PDF or SVG
// picture carrying the legend and the value labels, and the series as CSV.

#include "chart/data_chart_series.h"
#include "gui/chart/chart_picture.h"
#include "text/result.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;

namespace vantor {

class TChartPanel;
class TPrompts;
struct TStepSimulation;

class TDataChart : public QDialog {
    Q_OBJECT

public:
    explicit TDataChart(QWidget* parent = nullptr);

    void SetSeries(std::vector<TFloatMat> series);
    void SetFirstIndex(int index) { m_data.FirstIndex = index; }
    void SetLastIndex(int index) { m_data.LastIndex = index; }
    void SetCurveWidth(int width) { m_curveWidth = width; }
    void SetShownSeries(std::vector<int> shown) { m_data.Shown = std::move(shown); }
    // The legends of series 0 to 3, in their order.
    void SetLegends(const QStringList& legends);
    void SetValueLabels(const QString& duty, const QString& fluid, const QString& air);
    // The save dialogs and failures go through the prompts; tests script them.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }
    // A text shown in place of the chart (why there is nothing to draw); empty shows the chart.
    void SetMessage(const QString& message);

    const TDataChartSeries& Data() const { return m_data; }
    TChartPanel& Chart() const { return *m_chart; }
    QLabel& Legend(int series) const { return *m_legends.at(static_cast<size_t>(series)); }
    QLabel& DutyLabel() const { return *m_duty; }
    QLabel& FluidLabel() const { return *m_fluid; }
    QLabel& AirLabel() const { return *m_air; }
    QLabel& MessageLabel() const { return *m_message; }

    // The curves and ranges from the series (done when the window is shown).
    void Build();

    // The chart with its legend and value labels as a picture of kDataChartPictureSize: PNG,
    // PDF or SVG by the name's extension.
    TResult SaveChart(const QString& fileName);
    TChartNotes PictureNotes() const;
    // The shown series as CSV, headed by their legends.
    TResult SaveProfile(const QString& fileName);
    QString ProfileCsv() const;

    void CopyChart();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void SaveChartWithDialog();
    void SaveProfileWithDialog();
    void ShowFailure(const TResult& result);

    TDataChartSeries m_data;
    int m_curveWidth = 1;
    TChartPanel* m_chart;
    std::array<QLabel*, 4> m_legends{};
    QLabel* m_duty;
    QLabel* m_fluid;
    QLabel* m_air;
    QLabel* m_message;
    std::vector<QPushButton*> m_chartButtons;  // copying and saving: nothing to do without a chart
    std::shared_ptr<TPrompts> m_prompts;
};

// The size of a saved chart, whatever the window's: a report gets the same picture each time.
inline constexpr QSize kDataChartPictureSize{800, 560};

// The chart control as the data chart window sets it up: margins, title, axis labels, no
// position scale, the readout and label fonts.
void SetUpDataChartPanel(TChartPanel& chart);
// The curves of the shown series and the ranges around them, as the window draws them.
void BuildDataChartCurves(TChartPanel& chart, const TDataChartSeries& data, int curveWidth);
// The legend of the shown series among the first four, in their colours, and the value
// line: the duty, then the fluid and air labels after the first two legends, in their colours.
TChartNotes DataChartNotes(const TDataChartSeries& data, const QStringList& legends, const QString& duty,
                           const QString& fluid, const QString& air, const QColor& textColour);

// The chart of a step-by-step simulation written to a picture file, exactly as the window
// prepared by PrepareStepSimulation saves it. Needs a QApplication.
TResult WriteStepSimulationChart(const TStepSimulation& simulation, const QString& fileName);

// Fills the window with the temperature profile of a step-by-step simulation: its caption,
// the four series shown with their legends, the duty, fluid and air labels, curves 2 pixels
// wide and no position scale. A failed simulation shows its message instead of a chart.
void PrepareStepSimulation(TDataChart& chart, const TStepSimulation& simulation);

}  // namespace vantor
