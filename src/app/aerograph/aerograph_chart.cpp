#include "aerograph_chart.h"

#include "gui/chart/chart_panel.h"
#include "gui/chart/chart_picture.h"
#include "gui/common/qt_text.h"
#include "text/format.h"

#include <QObject>
#include <QStringList>

#include <array>

namespace vantor {

namespace {

constexpr int kMarkerSize = 7;
constexpr int kProcessWidth = 2;
constexpr int kTicks = 8;
constexpr double kGramsPerKilogram = 1000;

// One colour per received file, in turn.
const std::array<QColor, 6> kFileColours = {QColor(200, 0, 0), QColor(0, 0, 160), QColor(0, 128, 0),
                                            QColor(160, 0, 160), QColor(200, 110, 0), QColor(0, 128, 128)};

QColor LineColour(TPsyLineKind kind)
{
    switch (kind) {
    case TPsyLineKind::Saturation:
        return QColor(0, 0, 0);
    case TPsyLineKind::RelativeHumidity:
        return QColor(70, 110, 200);
    case TPsyLineKind::WetBulb:
        return QColor(60, 150, 90);
    case TPsyLineKind::Enthalpy:
        return QColor(190, 120, 60);
    }
    return Qt::gray;
}

// The chart's Y value of a moisture content in kg/kg.
double Grams(double moisture) { return moisture * kGramsPerKilogram; }

void DrawChartLines(TChartPanel& chart, const TAerographModel& model)
{
    for (const TPsyChartLine& line : model.Lines()) {
        TChartLine& curve = chart.AddCurve(LineColour(line.Kind));
        curve.LineWidth = line.Kind == TPsyLineKind::Saturation ? 2 : 1;
        if (line.Kind == TPsyLineKind::WetBulb) curve.LinePenStyle = Qt::DashLine;
        if (line.Kind == TPsyLineKind::Enthalpy) curve.LinePenStyle = Qt::DotLine;
        for (const TPsyPoint& p : line.Points) curve.AddPoint(p.DryBulb, Grams(p.Moisture));
        // Humidity lines are named where they leave the chart, the others at their upper end;
        // a name that would cover another moves along its line.
        curve.Label.Text = ToQString(line.Label);
        curve.Label.Mode = TCurveLabelMode::clAtPoint;
        const bool labelAtEnd = line.Kind == TPsyLineKind::RelativeHumidity || line.Kind == TPsyLineKind::Saturation;
        curve.Label.PointIndex = labelAtEnd ? curve.PointCount() - 1 : 0;
        curve.Label.Transparent = false;
    }
}

void DrawProcesses(TChartPanel& chart, const TAerographModel& model)
{
    std::size_t fileIndex = 0;
    for (const TPsySource& source : model.Sources()) {
        const QColor colour = kFileColours[fileIndex++ % kFileColours.size()];
        for (const TPlottedProcess& process : source.Processes) {
            TChartLine& curve = chart.AddCurve(colour);
            curve.LineWidth = kProcessWidth;
            curve.Label.Text = ToQString(process.Process.Caption);
            curve.Label.Mode = TCurveLabelMode::clAtFraction;
            curve.Label.PointFraction = 0.5;
            // A middle point carries the process's caption.
            const TPsyPoint& from = source.Nodes[process.From].Point;
            const TPsyPoint& to = source.Nodes[process.To].Point;
            curve.AddPoint(from.DryBulb, Grams(from.Moisture));
            curve.AddPoint((from.DryBulb + to.DryBulb) / 2, Grams((from.Moisture + to.Moisture) / 2));
            curve.AddPoint(to.DryBulb, Grams(to.Moisture));
        }
        for (const TPlottedNode& node : source.Nodes) {
            TChartPoint& point = chart.AddPoint(node.Point.DryBulb, Grams(node.Point.Moisture));
            point.Style().Marker.Kind = TMarkerKind::mkCircle;
            point.Style().Marker.Size = kMarkerSize;
            point.Style().PenColor = colour;
            point.Style().BrushColor = colour;
            point.Label().Mode = TPointLabelMode::plText;
            point.Label().Text = ToQString(node.Node.Caption);
        }
    }
}

}  // namespace

void SetUpAerographPanel(TChartPanel& chart)
{
    chart.SetMargins(70, 30, 30, 50);
    chart.SetScaleXLabel(QObject::tr("Dry Bulb, °C"));
    chart.SetScaleYLabel(QObject::tr("Moisture Content, g/kg"));
    chart.SetScaleXTicks(kTicks);
    chart.SetScaleYTicks(kTicks);
    chart.SetRoundTicks(true);
    chart.SetShowXPosFmt(QStringLiteral("%0.1f"));
    chart.SetShowYPosFmt(QStringLiteral("%0.2f"));
    chart.SetShowXYPosPlace(TPosPlace::ppTopRight);
}

void DrawAerographChart(TChartPanel& chart, const TAerographModel& model)
{
    const TPsyRanges ranges = model.Ranges();
    chart.ClearCurves();
    chart.ClearPoints();
    chart.SetRanges(Grams(ranges.MoistureMax), Grams(ranges.MoistureMin), ranges.DryBulbMax, ranges.DryBulbMin);
    chart.SetTitle(ToQString(Format("Psychrometric Chart at %0.3f kPa", {model.Barometer()})));
    DrawChartLines(chart, model);
    DrawProcesses(chart, model);
    chart.Redraw();
}

TResult ExportAerographChart(const QStringList& files, const QString& picture)
{
    TAerographModel model;
    for (const QString& file : files)
        if (TResult received = model.Receive(ToStdString(file)); !received) return received;
    TChartPanel chart;
    SetUpAerographPanel(chart);
    DrawAerographChart(chart, model);
    return WriteChartPicture(chart, {}, kAerographPictureSize, picture);
}

}  // namespace vantor
