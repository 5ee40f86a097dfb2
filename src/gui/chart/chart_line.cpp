#include "gui/chart/chart_line.h"

#include "gui/chart/chart_panel.h"

namespace vantor {

TChartLine::TChartLine(TChartPanel& panel, const QColor& colour, const TChartMarker& marker)
    : LineColor(colour), m_panel(panel)
{
    PointStyle.PenColor = colour;
    PointStyle.BrushColor = colour;
    PointStyle.Marker = marker;
}

TChartPoint& TChartLine::AddPoint(double x, double y)
{
    auto point = std::make_unique<TChartPoint>(m_panel, this, x, y);
    point->Style() = PointStyle;
    point->Label() = PointLabel;
    m_points.push_back(std::move(point));
    return *m_points.back();
}

void TChartLine::ClearPoints()
{
    m_panel.ForgetPicked(this);
    m_points.clear();
}

}  // namespace vantor
