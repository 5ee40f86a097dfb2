#include "gui/chart/chart_panel.h"

#include "gui/common/qt_text.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vantor {

namespace {

const QColor kGridLineColour(224, 226, 235);

// Gaps in pixels between the plot and the texts around it.
constexpr int kTitleTop = 5;
constexpr int kTitleSide = 5;
constexpr int kTickLabelGap = 3;
constexpr int kQuad2LabelGap = 5;
constexpr int kReadoutTopRight = 3;
constexpr int kReadoutBottomLeft = 2;

QPoint ToQPoint(TPixelPoint pixel) { return {pixel.X, pixel.Y}; }
TPixelPoint ToPixelPoint(const QPoint& point) { return {point.x(), point.y()}; }

QRect PlotRect(const TChartLayout& layout)
{
    return QRect(QPoint(layout.PlotLeft(), layout.PlotTop()), QPoint(layout.PlotRight(), layout.PlotBottom()));
}

std::vector<TChartTick> TicksOf(TChartRange range, bool logarithmic, int count)
{
    return logarithmic ? LogTicks(range) : LinearTicks(range, count);
}

// Draws the ticks' labels, majors first; a minor tick's label is left out where it would
// overlap one already drawn.
template <typename PlaceLabel>
void DrawTickLabels(QPainter& painter, const std::vector<TChartTick>& ticks, PlaceLabel place)
{
    std::vector<QRect> drawn;
    for (const bool major : {true, false}) {
        for (const TChartTick& tick : ticks) {
            if (tick.Major != major) continue;
            const QString text = ToQString(TickLabel(tick.Value));
            const std::optional<QRect> box = place(tick.Value, text);
            if (!box) continue;
            const bool overlaps = std::any_of(drawn.begin(), drawn.end(), [&](const QRect& r) { return r.intersects(*box); });
            if (!major && overlaps) continue;
            painter.drawText(*box, Qt::AlignCenter, text);
            drawn.push_back(*box);
        }
    }
}

}  // namespace

TChartPanel::TChartPanel(QWidget* parent)
    : QWidget(parent),
      m_color(palette().color(QPalette::Window)),
      m_axesColor(palette().color(QPalette::WindowText)),
      m_scaleXFont(font()),
      m_scaleYFont(font()),
      m_posFont(font()),
      m_fontLabels(font())
{
    setMouseTracking(true);
    resize(sizeHint());
}

TChartPanel::~TChartPanel() = default;

void TChartPanel::SetColor(const QColor& colour) { m_color = colour; Redraw(); }
void TChartPanel::SetGridColor(const QColor& colour) { m_gridColor = colour; Redraw(); }
void TChartPanel::SetAxesColor(const QColor& colour) { m_axesColor = colour; Redraw(); }

void TChartPanel::SetMargins(int left, int top, int right, int bottom)
{
    m_margins = {left, top, right, bottom};
    Redraw();
}

void TChartPanel::SetRanges(double yMax, double yMin, double xMax, double xMin)
{
    m_xRange = GuardRange({xMin, xMax});
    m_yRange = GuardRange({yMin, yMax});
    Redraw();
}

void TChartPanel::SetXRange(double min, double max) { SetRanges(m_yRange.Max, m_yRange.Min, max, min); }
void TChartPanel::SetYRange(double min, double max) { SetRanges(max, min, m_xRange.Max, m_xRange.Min); }

void TChartPanel::SetScaleType(TScaleType type) { m_scaleType = type; Redraw(); }
void TChartPanel::SetAxisType(TAxisType type) { m_axisType = type; Redraw(); }
void TChartPanel::SetTitle(const QString& title) { m_title = title; Redraw(); }
void TChartPanel::SetTitleAlignment(Qt::Alignment alignment) { m_titleAlignment = alignment; Redraw(); }

void TChartPanel::SetShowXScale(bool show) { m_showXScale = show; Redraw(); }
void TChartPanel::SetScaleXFont(const QFont& font) { m_scaleXFont = font; Redraw(); }
void TChartPanel::SetScaleXTicks(int ticks) { m_scaleXTicks = ticks; Redraw(); }
void TChartPanel::SetScaleXLabel(const QString& label) { m_scaleXLabel = label; Redraw(); }
void TChartPanel::SetShowYScale(bool show) { m_showYScale = show; Redraw(); }
void TChartPanel::SetScaleYFont(const QFont& font) { m_scaleYFont = font; Redraw(); }
void TChartPanel::SetScaleYTicks(int ticks) { m_scaleYTicks = ticks; Redraw(); }
void TChartPanel::SetScaleYLabel(const QString& label) { m_scaleYLabel = label; Redraw(); }

void TChartPanel::SetShowXYPos(bool show) { m_showXYPos = show; Redraw(); }
void TChartPanel::SetShowXYPosPlace(TPosPlace place) { m_posPlace = place; Redraw(); }
void TChartPanel::SetShowXPosFmt(const QString& format) { m_xPosFormat = format; Redraw(); }
void TChartPanel::SetShowYPosFmt(const QString& format) { m_yPosFormat = format; Redraw(); }
void TChartPanel::SetPosFont(const QFont& font) { m_posFont = font; Redraw(); }
void TChartPanel::SetFontLabels(const QFont& font) { m_fontLabels = font; Redraw(); }

QString TChartPanel::ReadoutText() const
{
    if (!m_showXYPos || !m_mouseInside) return {};
    return ToQString(PositionReadout(m_mouseWorld.x(), m_mouseWorld.y(), ToStdString(m_xPosFormat),
                                     ToStdString(m_yPosFormat)));
}

TChartLine& TChartPanel::AddCurve(const QColor& colour, TMarkerKind markerKind, const QPolygon& offsets,
                                  int markerSize, const QPixmap& bitmap)
{
    m_curves.push_back(std::make_unique<TChartLine>(*this, colour, TChartMarker{markerKind, markerSize, offsets, bitmap}));
    return *m_curves.back();
}

void TChartPanel::ClearCurves()
{
    if (m_picked && m_picked->Curve()) EndDrag();
    m_curves.clear();
    Redraw();
}

TChartPoint& TChartPanel::AddPoint(double x, double y)
{
    m_points.push_back(std::make_unique<TChartPoint>(*this, nullptr, x, y));
    Redraw();
    return *m_points.back();
}

void TChartPanel::ClearPoints()
{
    if (m_picked && !m_picked->Curve()) EndDrag();
    m_points.clear();
    Redraw();
}

void TChartPanel::ForgetPicked(const TChartLine* curve)
{
    if (m_picked && m_picked->Curve() == curve) EndDrag();
}

void TChartPanel::Redraw() { update(); }

QPixmap TChartPanel::Picture() { return grab(); }

void TChartPanel::Copy() { QApplication::clipboard()->setPixmap(Picture()); }

TChartLayout TChartPanel::Layout() const
{
    return TChartLayout(width(), height(), m_margins, m_xRange, m_yRange, m_scaleType);
}

QPoint TChartPanel::PixelFromWorld(const QPointF& world) const
{
    return ToQPoint(Layout().PixelFromWorld({world.x(), world.y()}));
}

QPointF TChartPanel::WorldFromPixel(const QPoint& pixel) const
{
    const TWorldPoint world = Layout().WorldFromPixel(ToPixelPoint(pixel));
    return {world.X, world.Y};
}

TChartPoint* TChartPanel::PointAt(const QPoint& pixel) const
{
    const TChartLayout layout = Layout();
    const auto reaches = [&](const TChartPoint& point) {
        return point.Style().Pickable &&
               WithinPickDistance(layout.PixelFromWorld({point.X(), point.Y()}), ToPixelPoint(pixel));
    };
    for (const auto& point : m_points)
        if (reaches(*point)) return point.get();
    for (const auto& curve : m_curves)
        for (int i = 0; i < curve->PointCount(); ++i)
            if (reaches(curve->Point(i))) return &curve->Point(i);
    return nullptr;
}

// ---- Painting ----

void TChartPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    const TChartLayout layout = Layout();
    painter.fillRect(PlotRect(layout), m_gridColor);
    if (m_showXScale) DrawXScale(painter, layout);
    if (m_showYScale) DrawYScale(painter, layout);
    DrawAxes(painter, layout);
    DrawTitleAndLabels(painter, layout);

    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& curve : m_curves) DrawCurve(painter, layout, *curve);
    for (const auto& point : m_points) DrawPoint(painter, layout, *point);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& curve : m_curves) DrawCurveLabel(painter, layout, *curve);
    DrawReadout(painter);
}

void TChartPanel::DrawXScale(QPainter& painter, const TChartLayout& layout) const
{
    const std::vector<TChartTick> ticks = TicksOf(m_xRange, IsLogX(m_scaleType), m_scaleXTicks);
    painter.setPen(kGridLineColour);
    for (const TChartTick& tick : ticks) {
        const int x = layout.PixelX(tick.Value);
        if (x >= layout.PlotLeft() && x <= layout.PlotRight()) painter.drawLine(x, layout.PlotTop(), x, layout.PlotBottom());
    }
    painter.setFont(m_scaleXFont);
    painter.setPen(m_axesColor);
    const QFontMetrics metrics(m_scaleXFont);
    DrawTickLabels(painter, ticks, [&](double value, const QString& text) -> std::optional<QRect> {
        const int x = layout.PixelX(value);
        if (x < layout.PlotLeft() || x > layout.PlotRight()) return std::nullopt;
        const int w = metrics.horizontalAdvance(text) + 2;
        return QRect(x - w / 2, layout.PlotBottom() + kTickLabelGap, w, metrics.height());
    });
}

void TChartPanel::DrawYScale(QPainter& painter, const TChartLayout& layout) const
{
    const std::vector<TChartTick> ticks = TicksOf(m_yRange, IsLogY(m_scaleType), m_scaleYTicks);
    painter.setPen(kGridLineColour);
    for (const TChartTick& tick : ticks) {
        const int y = layout.PixelY(tick.Value);
        if (y >= layout.PlotTop() && y <= layout.PlotBottom()) painter.drawLine(layout.PlotLeft(), y, layout.PlotRight(), y);
    }
    painter.setFont(m_scaleYFont);
    painter.setPen(m_axesColor);
    const QFontMetrics metrics(m_scaleYFont);
    const int reserved = metrics.horizontalAdvance(QStringLiteral("0000"));
    DrawTickLabels(painter, ticks, [&](double value, const QString& text) -> std::optional<QRect> {
        const int y = layout.PixelY(value);
        if (y < layout.PlotTop() || y > layout.PlotBottom()) return std::nullopt;
        const int w = metrics.horizontalAdvance(text) + 2;
        const int top = y - metrics.height() / 2;
        switch (m_axisType) {
        case TAxisType::xtQuad2:
            return QRect(layout.PlotRight() + kQuad2LabelGap, top, w, metrics.height());
        case TAxisType::xtCent0:
            return QRect((layout.PlotLeft() + layout.PlotRight() - w) / 2, top, w, metrics.height());
        case TAxisType::xtNone:
        case TAxisType::xtQuad1:
            break;
        }
        // From the width of "0000" left of the axis, drawn further left when longer.
        const int left = std::min(layout.PlotLeft() - reserved, layout.PlotLeft() - kTickLabelGap - w);
        return QRect(left, top, w, metrics.height());
    });
}

void TChartPanel::DrawAxes(QPainter& painter, const TChartLayout& layout) const
{
    painter.setPen(m_axesColor);
    const int left = layout.PlotLeft();
    const int right = layout.PlotRight();
    const int top = layout.PlotTop();
    const int bottom = layout.PlotBottom();
    switch (m_axisType) {
    case TAxisType::xtNone:
        break;
    case TAxisType::xtCent0: {
        const int midX = (left + right) / 2;
        const int midY = (top + bottom) / 2;
        painter.drawLine(left, midY, right, midY);
        painter.drawLine(midX, top, midX, bottom);
        break;
    }
    case TAxisType::xtQuad1:
        painter.drawLine(left, top, left, bottom);
        painter.drawLine(left, bottom, right, bottom);
        break;
    case TAxisType::xtQuad2:
        painter.drawLine(right, top, right, bottom);
        painter.drawLine(left, bottom, right, bottom);
        break;
    }
}

void TChartPanel::DrawTitleAndLabels(QPainter& painter, const TChartLayout& layout) const
{
    painter.setPen(m_axesColor);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    if (!m_title.isEmpty()) {
        const QRect line(kTitleSide, kTitleTop, width() - 2 * kTitleSide, metrics.height());
        const Qt::Alignment horizontal = m_titleAlignment & Qt::AlignHorizontal_Mask;
        painter.drawText(line, (horizontal ? horizontal : Qt::AlignHCenter) | Qt::AlignTop, m_title);
    }
    if (!m_scaleXLabel.isEmpty()) {
        const QRect line(layout.PlotLeft(), height() - metrics.height() - 2, layout.PlotWidth(), metrics.height());
        painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, m_scaleXLabel);
    }
    if (!m_scaleYLabel.isEmpty()) {
        // Written upwards, centred on the plot's height.
        painter.save();
        const bool right = m_axisType == TAxisType::xtQuad2;
        const int x = right ? width() - 2 : 2;
        painter.translate(x, (layout.PlotTop() + layout.PlotBottom()) / 2);
        painter.rotate(right ? 90 : -90);
        const int w = metrics.horizontalAdvance(m_scaleYLabel);
        painter.drawText(QRect(-w / 2 - 1, 0, w + 2, metrics.height()), Qt::AlignCenter, m_scaleYLabel);
        painter.restore();
    }
}

void TChartPanel::DrawCurve(QPainter& painter, const TChartLayout& layout, const TChartLine& curve) const
{
    for (int i = 0; i < curve.PointCount(); ++i) DrawPoint(painter, layout, curve.Point(i));

    painter.save();
    painter.setClipRect(PlotRect(layout));
    painter.setPen(QPen(curve.LineColor, curve.LineWidth, curve.LinePenStyle, Qt::RoundCap, Qt::RoundJoin));
    for (int i = 1; i < curve.PointCount(); ++i) {
        const TChartPoint& from = curve.Point(i - 1);
        const TChartPoint& to = curve.Point(i);
        const TPixelPoint a = layout.PixelFromWorld({from.X(), from.Y()});
        const TPixelPoint b = layout.PixelFromWorld({to.X(), to.Y()});
        if (!layout.PixelInside(a) && !layout.PixelInside(b)) continue;
        const TPixelSegment segment = ShortenSegment({double(a.X), double(a.Y), double(b.X), double(b.Y)},
                                                     from.Style().Marker.Radius(), to.Style().Marker.Radius());
        painter.drawLine(QPointF(segment.X1, segment.Y1), QPointF(segment.X2, segment.Y2));
    }
    painter.restore();
}

void TChartPanel::DrawPoint(QPainter& painter, const TChartLayout& layout, const TChartPoint& point) const
{
    if (!layout.WorldInside({point.X(), point.Y()})) return;
    const TPointStyle& style = point.Style();
    const bool picked = &point == m_picked;
    painter.setPen(QPen(picked ? style.PickedPenColor : style.PenColor, style.PenWidth, style.PenStyle));
    painter.setBrush(picked ? style.PickedBrushColor : style.BrushColor);
    const QPoint at = ToQPoint(layout.PixelFromWorld({point.X(), point.Y()}));
    const TChartMarker& marker = style.Marker;
    const int size = std::max(marker.Size, 0);
    switch (marker.Kind) {
    case TMarkerKind::mkNone:
        break;
    case TMarkerKind::mkBitmap:
        painter.drawPixmap(at.x() - marker.Bitmap.width() / 2, at.y() - marker.Bitmap.height() / 2, marker.Bitmap);
        break;
    case TMarkerKind::mkCircle:
        painter.drawEllipse(QPointF(at), size / 2.0, size / 2.0);
        break;
    case TMarkerKind::mkSquare:
        painter.drawRect(QRectF(at.x() - size / 2.0, at.y() - size / 2.0, size, size));
        break;
    case TMarkerKind::mkPolygon:
        painter.drawPolygon(marker.Polygon.translated(at));
        break;
    case TMarkerKind::mkCrossHair:
        painter.drawLine(layout.PlotLeft(), at.y(), layout.PlotRight(), at.y());
        painter.drawLine(at.x(), layout.PlotTop(), at.x(), layout.PlotBottom());
        break;
    }
    painter.setBrush(Qt::NoBrush);
    DrawPointLabel(painter, at, point);
}

void TChartPanel::DrawPointLabel(QPainter& painter, const QPoint& at, const TChartPoint& point) const
{
    const QString text = point.LabelText();
    if (text.isEmpty()) return;
    // Above and to the right of the marker.
    const QFontMetrics metrics(m_fontLabels);
    const int reach = static_cast<int>(std::ceil(point.Style().Marker.Radius())) + 2;
    const QPoint centre(at.x() + reach + metrics.horizontalAdvance(text) / 2, at.y() - reach - metrics.height() / 2);
    painter.setPen(point.Style().PenColor);
    DrawLabelBox(painter, centre, text, point.Label().Transparent);
}

void TChartPanel::DrawCurveLabel(QPainter& painter, const TChartLayout& layout, const TChartLine& curve) const
{
    const TCurveLabel& label = curve.Label;
    const int count = curve.PointCount();
    if (label.Text.isEmpty() || count == 0) return;
    const auto pixelOf = [&](int index) {
        const TChartPoint& point = curve.Point(std::clamp(index, 0, count - 1));
        return ToQPoint(layout.PixelFromWorld({point.X(), point.Y()}));
    };
    QPoint centre;
    switch (label.Mode) {
    case TCurveLabelMode::clLastSegment: {
        const QPoint last = pixelOf(count - 1);
        const QPoint before = pixelOf(count - 2);
        centre = QPoint((last.x() + before.x()) / 2,
                        layout.PlotTop() + static_cast<int>(std::lround(label.VerticalFraction * layout.PlotHeight())));
        break;
    }
    case TCurveLabelMode::clAtPoint:
        centre = pixelOf(label.PointIndex);
        break;
    case TCurveLabelMode::clAtFraction:
        centre = pixelOf(static_cast<int>(std::clamp(label.PointFraction, 0.0, 1.0) * count));
        break;
    }
    painter.setPen(curve.LineColor);
    DrawLabelBox(painter, centre, label.Text, label.Transparent);
}

void TChartPanel::DrawLabelBox(QPainter& painter, const QPoint& centre, const QString& text, bool transparent) const
{
    painter.setFont(m_fontLabels);
    const QFontMetrics metrics(m_fontLabels);
    const int w = metrics.horizontalAdvance(text) + 2;
    const QRect box(centre.x() - w / 2, centre.y() - metrics.height() / 2, w, metrics.height());
    if (!transparent) painter.fillRect(box, m_gridColor);
    painter.drawText(box, Qt::AlignCenter, text);
}

void TChartPanel::DrawReadout(QPainter& painter) const
{
    const QString text = ReadoutText();
    if (text.isEmpty()) return;
    painter.setFont(m_posFont);
    painter.setPen(m_axesColor);
    const QFontMetrics metrics(m_posFont);
    if (m_posPlace == TPosPlace::ppTopRight) {
        const QRect box(0, kReadoutTopRight, width() - kReadoutTopRight, metrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignTop, text);
    } else {
        const QRect box(kReadoutBottomLeft, height() - kReadoutBottomLeft - metrics.height(), width(), metrics.height());
        painter.drawText(box, Qt::AlignLeft | Qt::AlignBottom, text);
    }
}

// ---- Mouse ----

void TChartPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pixel = event->position().toPoint();
    const TChartLayout layout = Layout();
    const TWorldPoint world = layout.WorldFromPixel(ToPixelPoint(pixel));
    m_mouseWorld = {world.X, world.Y};
    m_mouseInside = layout.WorldInside(world);
    emit MouseMoved(world.X, world.Y);

    if (m_dragging && m_picked) {
        if (layout.PixelInside(ToPixelPoint(pixel))) {
            bool allow = true;
            emit AllowPointMove(m_picked, event->modifiers(), world.X, world.Y, allow);
            if (allow) {
                m_picked->SetPosition(world.X, world.Y);
                emit PointMoved(m_picked);
            } else {
                EndDrag();
            }
        }
    } else {
        setCursor(PointAt(pixel) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    Redraw();
}

void TChartPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    TChartPoint* point = PointAt(event->position().toPoint());
    if (!point) return;
    m_picked = point;
    m_dragging = true;
    emit PointPicked(point);
    Redraw();
}

void TChartPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_picked) return QWidget::mouseReleaseEvent(event);
    EndDrag();
}

void TChartPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void TChartPanel::leaveEvent(QEvent*)
{
    m_mouseInside = false;
    Redraw();
}

void TChartPanel::EndDrag()
{
    TChartPoint* released = m_picked;
    m_picked = nullptr;
    m_dragging = false;
    if (released) emit PointReleased(released);
    Redraw();
}

}  // namespace vantor
