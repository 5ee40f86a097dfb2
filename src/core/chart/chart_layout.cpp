#include "chart/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantor {

namespace {

constexpr int kPickDistance = 3;

// Pixel coordinates far beyond any screen are held here, so a value far off the plot never
// overflows an int.
constexpr double kPixelLimit = 1.0e7;

int ToPixel(double value)
{
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -kPixelLimit, kPixelLimit)));
}

double Factor(int pixels, double min, double max)
{
    const double span = max - min;
    return pixels / (span == 0 || !std::isfinite(span) ? 1.0 : span);
}

}  // namespace

TChartLayout::TChartLayout(int width, int height, const TChartMargins& margins, TChartRange xRange,
                           TChartRange yRange, TScaleType scale)
    : m_logX(IsLogX(scale)),
      m_logY(IsLogY(scale)),
      m_left(margins.Left),
      m_top(margins.Top),
      m_right(std::max(width - margins.Right, margins.Left + 1)),
      m_bottom(std::max(height - margins.Bottom, margins.Top + 1)),
      m_xMin(TransformValue(xRange.Min, m_logX)),
      m_xMax(TransformValue(xRange.Max, m_logX)),
      m_yMin(TransformValue(yRange.Min, m_logY)),
      m_yMax(TransformValue(yRange.Max, m_logY)),
      m_xFactor(Factor(PlotWidth(), m_xMin, m_xMax)),
      m_yFactor(Factor(PlotHeight(), m_yMin, m_yMax))
{
}

int TChartLayout::PixelX(double x) const
{
    return m_left + ToPixel((TransformValue(x, m_logX) - m_xMin) * m_xFactor);
}

int TChartLayout::PixelY(double y) const
{
    return m_bottom - ToPixel((TransformValue(y, m_logY) - m_yMin) * m_yFactor);
}

double TChartLayout::WorldX(int pixelX) const
{
    return UntransformValue(m_xMin + (pixelX - m_left) / m_xFactor, m_logX);
}

double TChartLayout::WorldY(int pixelY) const
{
    return UntransformValue(m_yMin + (m_bottom - pixelY) / m_yFactor, m_logY);
}

bool TChartLayout::WorldInside(TWorldPoint world) const
{
    const double x = TransformValue(world.X, m_logX);
    const double y = TransformValue(world.Y, m_logY);
    return x >= std::min(m_xMin, m_xMax) && x <= std::max(m_xMin, m_xMax) && y >= std::min(m_yMin, m_yMax) &&
           y <= std::max(m_yMin, m_yMax);
}

bool TChartLayout::PixelInside(TPixelPoint pixel) const
{
    return pixel.X >= m_left && pixel.X <= m_right && pixel.Y >= m_top && pixel.Y <= m_bottom;
}

TPixelSegment ShortenSegment(TPixelSegment segment, double radius1, double radius2)
{
    const double dx = segment.X2 - segment.X1;
    const double dy = segment.Y2 - segment.Y1;
    const double length = std::hypot(dx, dy);
    if (length <= radius1 + radius2 || length == 0) return segment;
    const double ux = dx / length;
    const double uy = dy / length;
    return {segment.X1 + ux * radius1, segment.Y1 + uy * radius1, segment.X2 - ux * radius2,
            segment.Y2 - uy * radius2};
}

bool WithinPickDistance(TPixelPoint point, TPixelPoint mouse)
{
    return std::abs(point.X - mouse.X) <= kPickDistance && std::abs(point.Y - mouse.Y) <= kPickDistance;
}

}  // namespace vantor
