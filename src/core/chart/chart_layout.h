#pragma once

// Where a chart's world values land on its pixels: the plot rectangle inside the margins,
// the transformed ranges and the scale factors, and the conversions both ways.

#include "chart/chart_scale.h"

namespace vantor {

struct TChartMargins {
    int Left = 40;
    int Top = 25;
    int Right = 20;
    int Bottom = 40;
};

struct TPixelPoint {
    int X = 0;
    int Y = 0;
};

struct TWorldPoint {
    double X = 0;
    double Y = 0;
};

class TChartLayout {
public:
    TChartLayout() = default;
    // A control of width × height pixels with the given margins and world ranges.
    TChartLayout(int width, int height, const TChartMargins& margins, TChartRange xRange, TChartRange yRange,
                 TScaleType scale);

    // The plot rectangle, edges included.
    int PlotLeft() const { return m_left; }
    int PlotTop() const { return m_top; }
    int PlotRight() const { return m_right; }
    int PlotBottom() const { return m_bottom; }
    int PlotWidth() const { return m_right - m_left; }
    int PlotHeight() const { return m_bottom - m_top; }

    // Pixels per transformed unit.
    double XFactor() const { return m_xFactor; }
    double YFactor() const { return m_yFactor; }

    int PixelX(double x) const;
    int PixelY(double y) const;
    TPixelPoint PixelFromWorld(TWorldPoint world) const { return {PixelX(world.X), PixelY(world.Y)}; }
    double WorldX(int pixelX) const;
    double WorldY(int pixelY) const;
    TWorldPoint WorldFromPixel(TPixelPoint pixel) const { return {WorldX(pixel.X), WorldY(pixel.Y)}; }

    // Whether a world point lies within both ranges (compared transformed).
    bool WorldInside(TWorldPoint world) const;
    // Whether a pixel lies within the plot rectangle, edges included.
    bool PixelInside(TPixelPoint pixel) const;

private:
    bool m_logX = false;
    bool m_logY = false;
    int m_left = 0;
    int m_top = 0;
    int m_right = 1;
    int m_bottom = 1;
    double m_xMin = 0;  // transformed
    double m_xMax = 1;
    double m_yMin = 0;
    double m_yMax = 1;
    double m_xFactor = 1;
    double m_yFactor = 1;
};

// Where a segment between two markers starts and ends once each end is drawn back by its
// marker's radius, so the line meets the markers' rims. A segment shorter than the two
// radii together keeps its ends.
struct TPixelSegment {
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
};
TPixelSegment ShortenSegment(TPixelSegment segment, double radius1, double radius2);

// Whether a pixel is close enough to a point's pixel to pick it (3 pixels either way).
bool WithinPickDistance(TPixelPoint point, TPixelPoint mouse);

}  // namespace vantor
