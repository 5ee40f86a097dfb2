#pragma once

// The chart control: curves and free points drawn over linear or logarithmic axes with
// grid lines, tick labels, a title and axis labels, and a readout of the position under the
// mouse. Points marked pickable can be dragged; AllowPointMove may veto each move. The
// arithmetic (ranges, ticks, pixel conversions) is the core's (chart/chart_layout.h).

#include "chart/chart_layout.h"
#include "chart/label_placement.h"
#include "gui/chart/chart_line.h"
#include "gui/chart/chart_point.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QPainter;

namespace vantor {

// xtNone: no axis lines; xtCent0: through the middle of the plot; xtQuad1: along the left
// and bottom edges; xtQuad2: along the right and bottom edges.
enum class TAxisType { xtNone, xtCent0, xtQuad1, xtQuad2 };

enum class TPosPlace { ppBottomLeft, ppTopRight };

// A font as the chart draws with it: letter by letter, without ligatures, so that the text of
// a PDF or SVG picture reads back as it was written ("Profile" with an f and an i, not a
// single "fi" ligature).
QFont ChartTextFont(const QFont& font);

// A text the last painting drew, and where.
enum class TDrawnKind { dkTick, dkTitle, dkAxisLabel, dkPointLabel, dkCurveLabel };
struct TDrawnLabel {
    TDrawnKind Kind = TDrawnKind::dkTick;
    QString Text;
    QRect Box;
};

class TChartPanel : public QWidget {
    Q_OBJECT

public:
    explicit TChartPanel(QWidget* parent = nullptr);
    ~TChartPanel() override;

    QSize sizeHint() const override { return {250, 200}; }

    // Colours: the control, the plot area, the axis lines.
    void SetColor(const QColor& colour);
    QColor Color() const { return m_color; }
    void SetGridColor(const QColor& colour);
    QColor GridColor() const { return m_gridColor; }
    void SetAxesColor(const QColor& colour);
    QColor AxesColor() const { return m_axesColor; }

    void SetMargins(int left, int top, int right, int bottom);
    const TChartMargins& Margins() const { return m_margins; }

    // The axis ranges in world units, each through the range guard.
    void SetRanges(double yMax, double yMin, double xMax, double xMin);
    void SetXRange(double min, double max);
    void SetYRange(double min, double max);
    double XMin() const { return m_xRange.Min; }
    double XMax() const { return m_xRange.Max; }
    double YMin() const { return m_yRange.Min; }
    double YMax() const { return m_yRange.Max; }

    void SetScaleType(TScaleType type);
    TScaleType ScaleType() const { return m_scaleType; }
    void SetAxisType(TAxisType type);
    TAxisType AxisType() const { return m_axisType; }

    // Alignment: Qt::AlignLeft (5 pixels in), Qt::AlignHCenter or Qt::AlignRight.
    void SetTitle(const QString& title);
    QString Title() const { return m_title; }
    void SetTitleAlignment(Qt::Alignment alignment);
    Qt::Alignment TitleAlignment() const { return m_titleAlignment; }

    void SetShowXScale(bool show);
    bool ShowXScale() const { return m_showXScale; }
    void SetScaleXFont(const QFont& font);
    QFont ScaleXFont() const { return m_scaleXFont; }
    void SetScaleXTicks(int ticks);
    int ScaleXTicks() const { return m_scaleXTicks; }
    void SetScaleXLabel(const QString& label);
    QString ScaleXLabel() const { return m_scaleXLabel; }
    // Linear ticks at whole multiples of the step rather than from the range's start, both axes.
    void SetRoundTicks(bool round);
    bool RoundTicks() const { return m_roundTicks; }

    void SetShowYScale(bool show);
    bool ShowYScale() const { return m_showYScale; }
    void SetScaleYFont(const QFont& font);
    QFont ScaleYFont() const { return m_scaleYFont; }
    void SetScaleYTicks(int ticks);
    int ScaleYTicks() const { return m_scaleYTicks; }
    void SetScaleYLabel(const QString& label);
    QString ScaleYLabel() const { return m_scaleYLabel; }

    // The position readout; an empty format chooses one by the value's magnitude.
    void SetShowXYPos(bool show);
    bool ShowXYPos() const { return m_showXYPos; }
    void SetShowXYPosPlace(TPosPlace place);
    TPosPlace ShowXYPosPlace() const { return m_posPlace; }
    void SetShowXPosFmt(const QString& format);
    QString ShowXPosFmt() const { return m_xPosFormat; }
    void SetShowYPosFmt(const QString& format);
    QString ShowYPosFmt() const { return m_yPosFormat; }
    void SetPosFont(const QFont& font);
    QFont PosFont() const { return m_posFont; }
    // The readout as last drawn; empty while the mouse is outside the ranges.
    QString ReadoutText() const;

    // The font of curve and point labels.
    void SetFontLabels(const QFont& font);
    QFont FontLabels() const { return m_fontLabels; }

    // Curves, drawn in the order added. The marker and colour are those of the curve's points.
    TChartLine& AddCurve(const QColor& colour, TMarkerKind markerKind = TMarkerKind::mkNone,
                         const QPolygon& offsets = {}, int markerSize = 0, const QPixmap& bitmap = {});
    void ClearCurves();
    int CurveCount() const { return static_cast<int>(m_curves.size()); }
    TChartLine& Curve(int index) const { return *m_curves.at(static_cast<size_t>(index)); }

    // Free points, drawn after the curves.
    TChartPoint& AddPoint(double x, double y);
    void ClearPoints();
    int PointCount() const { return static_cast<int>(m_points.size()); }
    TChartPoint& Point(int index) const { return *m_points.at(static_cast<size_t>(index)); }

    // Paint everything again.
    void Redraw();
    // The chart as it would show at size, without the position readout: the routine the
    // control paints itself with and pictures are drawn with.
    void Paint(QPainter& painter, const QSize& size) const;
    // The texts the last painting drew: no label overlaps another, curve and point labels
    // lie inside the plot.
    const std::vector<TDrawnLabel>& DrawnLabels() const { return m_drawnLabels; }
    // The whole control as a picture, and on the clipboard.
    QPixmap Picture();
    void Copy();

    TChartLayout Layout() const;
    TChartLayout LayoutFor(const QSize& size) const;
    QPoint PixelFromWorld(const QPointF& world) const;
    QPointF WorldFromPixel(const QPoint& pixel) const;

    // The pickable point within reach of a pixel: free points first, then curve points.
    TChartPoint* PointAt(const QPoint& pixel) const;
    TChartPoint* PickedPoint() const { return m_picked; }
    bool Dragging() const { return m_dragging; }
    // The world position last under the mouse.
    QPointF MousePosition() const { return m_mouseWorld; }

signals:
    // Asked before a dragged point moves to (x, y); setting allow to false ends the drag.
    void AllowPointMove(vantor::TChartPoint* point, Qt::KeyboardModifiers shift, double x, double y, bool& allow);
    void PointPicked(vantor::TChartPoint* point);
    void PointMoved(vantor::TChartPoint* point);
    void PointReleased(vantor::TChartPoint* point);
    void MouseMoved(double x, double y);
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    friend class TChartLine;
    // A curve about to drop its points: a picked one among them is let go.
    void ForgetPicked(const TChartLine* curve);

    // The texts placed so far in one painting.
    struct TPlacing;

    std::vector<TChartTick> Ticks(TChartRange range, bool logarithmic, int count) const;
    void DrawXScale(QPainter& painter, const TChartLayout& layout, TPlacing& placing) const;
    void DrawYScale(QPainter& painter, const TChartLayout& layout, TPlacing& placing) const;
    void DrawAxes(QPainter& painter, const TChartLayout& layout) const;
    void DrawTitleAndLabels(QPainter& painter, const QSize& size, const TChartLayout& layout, TPlacing& placing) const;
    void DrawCurve(QPainter& painter, const TChartLayout& layout, const TChartLine& curve) const;
    void DrawPoint(QPainter& painter, const TChartLayout& layout, const TChartPoint& point) const;
    void DrawPointLabel(QPainter& painter, const TChartLayout& layout, const TChartPoint& point, TPlacing& placing) const;
    void DrawCurveLabel(QPainter& painter, const TChartLayout& layout, const TChartLine& curve, TPlacing& placing) const;
    void DrawLabelBox(QPainter& painter, const QRect& box, const QString& text, bool transparent) const;
    void DrawReadout(QPainter& painter) const;
    void EndDrag();

    QColor m_color;
    QColor m_gridColor = Qt::white;
    QColor m_axesColor;
    TChartMargins m_margins;
    TChartRange m_xRange{1, 10};
    TChartRange m_yRange{1, 10};
    TScaleType m_scaleType = TScaleType::stLinear;
    TAxisType m_axisType = TAxisType::xtQuad1;
    QString m_title;
    Qt::Alignment m_titleAlignment = Qt::AlignHCenter;
    bool m_showXScale = true;
    QFont m_scaleXFont;
    int m_scaleXTicks = 6;
    QString m_scaleXLabel;
    bool m_roundTicks = false;
    bool m_showYScale = true;
    QFont m_scaleYFont;
    int m_scaleYTicks = 6;
    QString m_scaleYLabel;
    bool m_showXYPos = true;
    TPosPlace m_posPlace = TPosPlace::ppBottomLeft;
    QString m_xPosFormat;
    QString m_yPosFormat;
    QFont m_posFont;
    QFont m_fontLabels;

    std::vector<std::unique_ptr<TChartLine>> m_curves;
    std::vector<std::unique_ptr<TChartPoint>> m_points;
    TChartPoint* m_picked = nullptr;
    bool m_dragging = false;
    QPointF m_mouseWorld;
    bool m_mouseInside = false;
    mutable std::vector<TDrawnLabel> m_drawnLabels;
};

}  // namespace vantor
