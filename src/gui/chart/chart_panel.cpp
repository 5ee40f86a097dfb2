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

TPixelBox ToPixelBox(const QRect& rect) { return {rect.left(), rect.top(), rect.width(), rect.height()}; }
QRect ToQRect(const TPixelBox& box) { return QRect(box.Left, box.Top, box.Width, box.Height); }

// Metrics of the device painted on: a picture file may count its pixels differently from
// the screen.
QFontMetrics MetricsOn(const QPainter& painter, const QFont& font)
{
    return QFontMetrics(ChartTextFont(font), painter.device());
}

// Draws the ticks' labels, majors first; a minor tick's label is left out where it would
// overlap one already drawn. Returns the labels drawn.
template <typename PlaceLabel>
std::vector<TDrawnLabel> DrawTickLabels(QPainter& painter, const std::vector<TChartTick>& ticks, PlaceLabel place)
{
    std::vector<TDrawnLabel> drawn;
    for (const bool major : {true, false}) {
        for (const TChartTick& tick : ticks) {
            if (tick.Major != major) continue;
            const QString text = ToQString(TickLabel(tick.Value));
            const std::optional<QRect> box = place(tick.Value, text);
            if (!box) continue;
            const bool overlaps =
                std::any_of(drawn.begin(), drawn.end(), [&](const TDrawnLabel& label) { return label.Box.intersects(*box); });
            if (!major && overlaps) continue;
            painter.drawText(*box, Qt::AlignCenter, text);
            drawn.push_back({TDrawnKind::dkTick, text, *box});
        }
    }
    return drawn;
}

}  // namespace

QFont ChartTextFont(const QFont& font)
{
    QFont plain = font;
    plain.setStyleStrategy(QFont::PreferNoShaping);
    return plain;
}

struct TChartPanel::TPlacing {
    TLabelPlacer Placer;
    std::vector<TDrawnLabel> Drawn;

    void Occupy(TDrawnKind kind, const QString& text, const QRect& box)
    {
        Placer.Occupy(ToPixelBox(box));
        Drawn.push_back({kind, text, box});
    }
    // The first free candidate within area, which it then holds.
    std::optional<QRect> Place(TDrawnKind kind, const QString& text, const std::vector<TPixelBox>& candidates,
                               const QRect& area)
    {
        const std::optional<TPixelBox> box = Placer.Place(candidates, ToPixelBox(area));
        if (!box) return std::nullopt;
        Drawn.push_back({kind, text, ToQRect(*box)});
        return ToQRect(*box);
    }
};

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
void TChartPanel::SetRoundTicks(bool round) { m_roundTicks = round; Redraw(); }
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

TChartLayout TChartPanel::Layout() const { return LayoutFor(size()); }

TChartLayout TChartPanel::LayoutFor(const QSize& size) const
{
    return TChartLayout(size.width(), size.height(), m_margins, m_xRange, m_yRange, m_scaleType);
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
    Paint(painter, size());
    DrawReadout(painter);
}

void TChartPanel::Paint(QPainter& painter, const QSize& size) const
{
    TPlacing placing;
    painter.fillRect(QRect(QPoint(0, 0), size), m_color);
    const TChartLayout layout = LayoutFor(size);
    painter.fillRect(PlotRect(layout), m_gridColor);
    if (m_showXScale) DrawXScale(painter, layout, placing);
    if (m_showYScale) DrawYScale(painter, layout, placing);
    DrawAxes(painter, layout);
    DrawTitleAndLabels(painter, size, layout, placing);

    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& curve : m_curves) DrawCurve(painter, layout, *curve);
    for (const auto& point : m_points) DrawPoint(painter, layout, *point);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Names of points before those of curves: a node's name is never pushed aside by a line's.
    for (const auto& curve : m_curves)
        for (int i = 0; i < curve->PointCount(); ++i) DrawPointLabel(painter, layout, curve->Point(i), placing);
    for (const auto& point : m_points) DrawPointLabel(painter, layout, *point, placing);
    for (const auto& curve : m_curves) DrawCurveLabel(painter, layout, *curve, placing);
    m_drawnLabels = std::move(placing.Drawn);
}

std::vector<TChartTick> TChartPanel::Ticks(TChartRange range, bool logarithmic, int count) const
{
    if (logarithmic) return LogTicks(range);
    return m_roundTicks ? RoundLinearTicks(range, count) : LinearTicks(range, count);
}

void TChartPanel::DrawXScale(QPainter& painter, const TChartLayout& layout, TPlacing& placing) const
{
    const std::vector<TChartTick> ticks = Ticks(m_xRange, IsLogX(m_scaleType), m_scaleXTicks);
    painter.setPen(kGridLineColour);
    for (const TChartTick& tick : ticks) {
        const int x = layout.PixelX(tick.Value);
        if (x >= layout.PlotLeft() && x <= layout.PlotRight()) painter.drawLine(x, layout.PlotTop(), x, layout.PlotBottom());
    }
    painter.setFont(ChartTextFont(m_scaleXFont));
    painter.setPen(m_axesColor);
    const QFontMetrics metrics = MetricsOn(painter, m_scaleXFont);
    const std::vector<TDrawnLabel> drawn = DrawTickLabels(painter, ticks, [&](double value, const QString& text) -> std::optional<QRect> {
        const int x = layout.PixelX(value);
        if (x < layout.PlotLeft() || x > layout.PlotRight()) return std::nullopt;
        const int w = metrics.horizontalAdvance(text) + 2;
        return QRect(x - w / 2, layout.PlotBottom() + kTickLabelGap, w, metrics.height());
    });
    for (const TDrawnLabel& label : drawn) placing.Occupy(label.Kind, label.Text, label.Box);
}

void TChartPanel::DrawYScale(QPainter& painter, const TChartLayout& layout, TPlacing& placing) const
{
    const std::vector<TChartTick> ticks = Ticks(m_yRange, IsLogY(m_scaleType), m_scaleYTicks);
    painter.setPen(kGridLineColour);
    for (const TChartTick& tick : ticks) {
        const int y = layout.PixelY(tick.Value);
        if (y >= layout.PlotTop() && y <= layout.PlotBottom()) painter.drawLine(layout.PlotLeft(), y, layout.PlotRight(), y);
    }
    painter.setFont(ChartTextFont(m_scaleYFont));
    painter.setPen(m_axesColor);
    const QFontMetrics metrics = MetricsOn(painter, m_scaleYFont);
    const int reserved = metrics.horizontalAdvance(QStringLiteral("0000"));
    const std::vector<TDrawnLabel> drawn = DrawTickLabels(painter, ticks, [&](double value, const QString& text) -> std::optional<QRect> {
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
    for (const TDrawnLabel& label : drawn) placing.Occupy(label.Kind, label.Text, label.Box);
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

void TChartPanel::DrawTitleAndLabels(QPainter& painter, const QSize& size, const TChartLayout& layout,
                                     TPlacing& placing) const
{
    painter.setPen(m_axesColor);
    painter.setFont(ChartTextFont(font()));
    const QFontMetrics metrics = MetricsOn(painter, font());
    if (!m_title.isEmpty()) {
        const QRect line(kTitleSide, kTitleTop, size.width() - 2 * kTitleSide, metrics.height());
        const Qt::Alignment horizontal = m_titleAlignment & Qt::AlignHorizontal_Mask;
        QRect drawn;
        painter.drawText(line, (horizontal ? horizontal : Qt::AlignHCenter) | Qt::AlignTop, m_title, &drawn);
        placing.Occupy(TDrawnKind::dkTitle, m_title, drawn);
    }
    if (!m_scaleXLabel.isEmpty()) {
        const QRect line(layout.PlotLeft(), size.height() - metrics.height() - 2, layout.PlotWidth(), metrics.height());
        QRect drawn;
        painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, m_scaleXLabel, &drawn);
        placing.Occupy(TDrawnKind::dkAxisLabel, m_scaleXLabel, drawn);
    }
    if (!m_scaleYLabel.isEmpty()) {
        // Written upwards, centred on the plot's height.
        painter.save();
        const bool right = m_axisType == TAxisType::xtQuad2;
        const int x = right ? size.width() - 2 : 2;
        const int middle = (layout.PlotTop() + layout.PlotBottom()) / 2;
        painter.translate(x, middle);
        painter.rotate(right ? 90 : -90);
        const int w = metrics.horizontalAdvance(m_scaleYLabel);
        painter.drawText(QRect(-w / 2 - 1, 0, w + 2, metrics.height()), Qt::AlignCenter, m_scaleYLabel);
        painter.restore();
        const QRect turned(right ? x - metrics.height() : x, middle - w / 2 - 1, metrics.height(), w + 2);
        placing.Occupy(TDrawnKind::dkAxisLabel, m_scaleYLabel, turned);
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
}

void TChartPanel::DrawPointLabel(QPainter& painter, const TChartLayout& layout, const TChartPoint& point,
                                 TPlacing& placing) const
{
    const QString text = point.LabelText();
    if (text.isEmpty() || !layout.WorldInside({point.X(), point.Y()})) return;
    // Above and to the right of the marker; where that leaves the plot or covers another
    // text, above left, below right or below left.
    const QFontMetrics metrics = MetricsOn(painter, m_fontLabels);
    const QPoint at = ToQPoint(layout.PixelFromWorld({point.X(), point.Y()}));
    const int reach = static_cast<int>(std::ceil(point.Style().Marker.Radius())) + 2;
    const int w = metrics.horizontalAdvance(text) + 2;
    const int h = metrics.height();
    const std::vector<TPixelBox> candidates{{at.x() + reach, at.y() - reach - h, w, h},
                                            {at.x() - reach - w, at.y() - reach - h, w, h},
                                            {at.x() + reach, at.y() + reach, w, h},
                                            {at.x() - reach - w, at.y() + reach, w, h}};
    const QRect plot = PlotRect(layout);
    std::optional<QRect> box = placing.Place(TDrawnKind::dkPointLabel, text, candidates, plot);
    if (!box) {
        // A point's name is never left out: crowded, it goes to its first place kept inside.
        const TPixelBox first = candidates.front();
        box = ToQRect(CentredWithin({first.Left + w / 2, first.Top + h / 2}, w, h, ToPixelBox(plot)));
        placing.Occupy(TDrawnKind::dkPointLabel, text, *box);
    }
    painter.setPen(point.Style().PenColor);
    DrawLabelBox(painter, *box, text, point.Label().Transparent);
}

void TChartPanel::DrawCurveLabel(QPainter& painter, const TChartLayout& layout, const TChartLine& curve,
                                 TPlacing& placing) const
{
    const TCurveLabel& label = curve.Label;
    const int count = curve.PointCount();
    if (label.Text.isEmpty() || count == 0) return;
    const auto pixelOf = [&](int index) {
        const TChartPoint& point = curve.Point(std::clamp(index, 0, count - 1));
        return layout.PixelFromWorld({point.X(), point.Y()});
    };
    const QFontMetrics metrics = MetricsOn(painter, m_fontLabels);
    const int w = metrics.horizontalAdvance(label.Text) + 2;
    const int h = metrics.height();
    const TPixelBox plot = ToPixelBox(PlotRect(layout));
    std::vector<TPixelBox> candidates;
    const auto addAt = [&](TPixelPoint centre) { candidates.push_back(CentredWithin(centre, w, h, plot)); };
    int anchor = 0;
    switch (label.Mode) {
    case TCurveLabelMode::clLastSegment: {
        const TPixelPoint last = pixelOf(count - 1);
        const TPixelPoint before = pixelOf(count - 2);
        addAt({(last.X + before.X) / 2,
               layout.PlotTop() + static_cast<int>(std::lround(label.VerticalFraction * layout.PlotHeight()))});
        anchor = count - 1;
        break;
    }
    case TCurveLabelMode::clAtPoint:
        anchor = std::clamp(label.PointIndex, 0, count - 1);
        break;
    case TCurveLabelMode::clAtFraction:
        anchor = std::clamp(static_cast<int>(std::clamp(label.PointFraction, 0.0, 1.0) * count), 0, count - 1);
        break;
    }
    // Where the wanted place is taken, the label moves along its curve, nearest points first.
    const auto addPoint = [&](int index) {
        if (index < 0 || index >= count) return;
        const TPixelPoint at = pixelOf(index);
        if (layout.PixelInside(at)) addAt(at);
    };
    addPoint(anchor);
    for (int d = 1; d < count; ++d) {
        addPoint(anchor - d);
        addPoint(anchor + d);
    }
    const std::optional<QRect> box = placing.Place(TDrawnKind::dkCurveLabel, label.Text, candidates, PlotRect(layout));
    if (!box) return;
    painter.setPen(curve.LineColor);
    DrawLabelBox(painter, *box, label.Text, label.Transparent);
}

void TChartPanel::DrawLabelBox(QPainter& painter, const QRect& box, const QString& text, bool transparent) const
{
    painter.setFont(ChartTextFont(m_fontLabels));
    if (!transparent) painter.fillRect(box, m_gridColor);
    painter.drawText(box, Qt::AlignCenter, text);
}

void TChartPanel::DrawReadout(QPainter& painter) const
{
    const QString text = ReadoutText();
    if (text.isEmpty()) return;
    painter.setFont(ChartTextFont(m_posFont));
    painter.setPen(m_axesColor);
    const QFontMetrics metrics = MetricsOn(painter, m_posFont);
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
