#include "gui/chart/chart_point.h"

#include "gui/chart/chart_panel.h"
#include "gui/common/qt_text.h"
#include "text/format.h"

#include <algorithm>

namespace vantor {

double TChartMarker::Radius() const
{
    switch (Kind) {
    case TMarkerKind::mkBitmap:
        return (Bitmap.width() + Bitmap.height()) / 4.0;
    case TMarkerKind::mkCircle:
    case TMarkerKind::mkSquare:
    case TMarkerKind::mkPolygon:
        return std::max(Size, 0) / 2.0;
    case TMarkerKind::mkNone:
    case TMarkerKind::mkCrossHair:
        break;
    }
    return 0;
}

TChartPoint::TChartPoint(TChartPanel& panel, TChartLine* curve, double x, double y)
    : m_panel(panel), m_curve(curve), m_x(x), m_y(y)
{
}

void TChartPoint::SetPosition(double x, double y)
{
    m_x = x;
    m_y = y;
    m_panel.Redraw();
}

QString TChartPoint::LabelText() const
{
    switch (m_label.Mode) {
    case TPointLabelMode::plXY:
        return ToQString(Format("%0.1f %0.1f", {m_x, m_y}));
    case TPointLabelMode::plText:
        return m_label.Text;
    case TPointLabelMode::plNone:
        break;
    }
    return {};
}

}  // namespace vantor
