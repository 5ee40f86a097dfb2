#pragma once

// A curve of a chart panel: its points in order, the style its new points get, its line pen
// and an optional label.

#include "gui/chart/chart_point.h"

#include <memory>
#include <vector>

namespace vantor {

// Where a curve's label goes: halfway between the last two points at a fraction of the plot
// height (clLastSegment), centred on a given point (clAtPoint), or centred on the point at a
// fraction of the point count (clAtFraction).
enum class TCurveLabelMode { clLastSegment = 0, clAtPoint = 1, clAtFraction = 2 };

struct TCurveLabel {
    QString Text;
    TCurveLabelMode Mode = TCurveLabelMode::clLastSegment;
    double VerticalFraction = 0.5;  // clLastSegment: from the top of the plot
    int PointIndex = 0;             // clAtPoint
    double PointFraction = 0.5;     // clAtFraction
    bool Transparent = true;
};

class TChartLine {
public:
    TChartLine(TChartPanel& panel, const QColor& colour, const TChartMarker& marker);
    TChartLine(const TChartLine&) = delete;
    TChartLine& operator=(const TChartLine&) = delete;

    TChartPanel& Panel() const { return m_panel; }

    // Appends a point with the curve's point style and point label settings.
    TChartPoint& AddPoint(double x, double y);
    void ClearPoints();
    int PointCount() const { return static_cast<int>(m_points.size()); }
    TChartPoint& Point(int index) const { return *m_points.at(static_cast<size_t>(index)); }

    // The style and label settings new points are given.
    TPointStyle PointStyle;
    TPointLabel PointLabel;

    QColor LineColor;
    Qt::PenStyle LinePenStyle = Qt::SolidLine;
    int LineWidth = 1;

    TCurveLabel Label;

private:
    TChartPanel& m_panel;
    std::vector<std::unique_ptr<TChartPoint>> m_points;
};

}  // namespace vantor
