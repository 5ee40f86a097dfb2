#include "chart/chart_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantor {
namespace {

// A 250 × 200 control with margins 40, 25, 20, 40: the plot runs from (40, 25) to (230, 160),
// 190 × 135 pixels.
TChartLayout DefaultLayout(TChartRange x, TChartRange y, TScaleType scale = TScaleType::stLinear)
{
    return TChartLayout(250, 200, TChartMargins{}, x, y, scale);
}

TEST(ChartLayout, PlacesTheDefaultPlotInsideTheMargins)
{
    const TChartLayout layout = DefaultLayout({1, 10}, {1, 10});
    EXPECT_EQ(layout.PlotLeft(), 40);
    EXPECT_EQ(layout.PlotTop(), 25);
    EXPECT_EQ(layout.PlotRight(), 230);
    EXPECT_EQ(layout.PlotBottom(), 160);
    EXPECT_DOUBLE_EQ(layout.XFactor(), 190.0 / 9);
    EXPECT_DOUBLE_EQ(layout.YFactor(), 135.0 / 9);
}

TEST(ChartLayout, ConvertsWorldAndPixelsOnLinearAndLogarithmicAxes)
{
    const struct {
        const char* Name;
        TScaleType Scale;
        TChartRange X;
        TChartRange Y;
        TWorldPoint World;
        TPixelPoint Pixel;
    } cases[] = {
        // 40 + round(4.5·190/9 = 95); 160 - round(9·15).
        {"linear middle", TScaleType::stLinear, {1, 10}, {1, 10}, {5.5, 10}, {135, 25}},
        {"linear corner", TScaleType::stLinear, {1, 10}, {1, 10}, {1, 1}, {40, 160}},
        // log X 1..1000: 190/3 pixels a decade; 10 at 40 + round(63.33), 100 at 40 + round(126.67).
        {"log x decade", TScaleType::stLogX, {1, 1000}, {0, 10}, {10, 5}, {103, 92}},
        {"log x two decades", TScaleType::stLogX, {1, 1000}, {0, 10}, {100, 0}, {167, 160}},
        // log Y 0.1..10: 135/2 pixels a decade; 1 at 160 - round(67.5) = 92 (half away from zero).
        {"log y", TScaleType::stLogY, {0, 1}, {0.1, 10}, {0, 1}, {40, 92}},
        // 0 on a log axis is drawn at 0.01, two decades below 1.
        {"log x zero", TScaleType::stLogXY, {1, 1000}, {1, 1000}, {0, 1}, {-87, 160}},
    };
    for (const auto& row : cases) {
        const TChartLayout layout = DefaultLayout(row.X, row.Y, row.Scale);
        const TPixelPoint pixel = layout.PixelFromWorld(row.World);
        EXPECT_EQ(pixel.X, row.Pixel.X) << row.Name;
        EXPECT_EQ(pixel.Y, row.Pixel.Y) << row.Name;
    }
    // Back from pixels: the log axis gives 10^(63/63.33).
    const TChartLayout log = DefaultLayout({1, 1000}, {0, 10}, TScaleType::stLogX);
    EXPECT_NEAR(log.WorldX(103), std::pow(10.0, 63.0 * 3 / 190), 1e-12);
    EXPECT_NEAR(log.WorldY(93), 67.0 / 13.5, 1e-12);
}

TEST(ChartLayout, CountsAZeroSpanAsOneAndKeepsFarValuesFinite)
{
    const TChartLayout flat = DefaultLayout({3, 3}, {1, 10});
    EXPECT_DOUBLE_EQ(flat.XFactor(), 190);
    const TChartLayout layout = DefaultLayout({0, 1}, {0, 1});
    EXPECT_GT(layout.PixelX(1e300), 1000000);
    EXPECT_LT(layout.PixelY(1e300), -1000000);
    EXPECT_EQ(layout.PixelX(std::nan("")), 40);
    // A control smaller than its margins still has a plot of one pixel.
    const TChartLayout tiny(30, 30, TChartMargins{}, {0, 1}, {0, 1}, TScaleType::stLinear);
    EXPECT_EQ(tiny.PlotWidth(), 1);
    EXPECT_EQ(tiny.PlotHeight(), 1);
}

TEST(ChartLayout, TellsWhatLiesInside)
{
    const TChartLayout layout = DefaultLayout({1, 10}, {1, 10});
    EXPECT_TRUE(layout.WorldInside({1, 10}));
    EXPECT_FALSE(layout.WorldInside({0.99, 5}));
    EXPECT_FALSE(layout.WorldInside({5, 10.01}));
    EXPECT_TRUE(layout.PixelInside({40, 25}));
    EXPECT_TRUE(layout.PixelInside({230, 160}));
    EXPECT_FALSE(layout.PixelInside({39, 100}));
    EXPECT_FALSE(layout.PixelInside({100, 161}));
    const TChartLayout log = DefaultLayout({1, 1000}, {1, 10}, TScaleType::stLogX);
    EXPECT_TRUE(log.WorldInside({999, 5}));
    EXPECT_FALSE(log.WorldInside({0, 5}));
}

TEST(ShortenSegment, StopsAtTheMarkersRims)
{
    const TPixelSegment shortened = ShortenSegment({0, 0, 10, 0}, 2, 3);
    EXPECT_DOUBLE_EQ(shortened.X1, 2);
    EXPECT_DOUBLE_EQ(shortened.X2, 7);
    const TPixelSegment diagonal = ShortenSegment({0, 0, 30, 40}, 5, 5);
    EXPECT_DOUBLE_EQ(diagonal.X1, 3);
    EXPECT_DOUBLE_EQ(diagonal.Y1, 4);
    EXPECT_DOUBLE_EQ(diagonal.X2, 27);
    EXPECT_DOUBLE_EQ(diagonal.Y2, 36);
    const TPixelSegment tooShort = ShortenSegment({0, 0, 4, 0}, 2, 3);
    EXPECT_DOUBLE_EQ(tooShort.X1, 0);
    EXPECT_DOUBLE_EQ(tooShort.X2, 4);
}

TEST(WithinPickDistance, ReachesThreePixelsEitherWay)
{
    EXPECT_TRUE(WithinPickDistance({100, 100}, {103, 97}));
    EXPECT_FALSE(WithinPickDistance({100, 100}, {104, 100}));
    EXPECT_FALSE(WithinPickDistance({100, 100}, {100, 96}));
}

}  // namespace
}  // namespace vantor
