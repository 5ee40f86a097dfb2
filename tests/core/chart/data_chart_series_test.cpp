#include "chart/data_chart_series.h"

#include "support/comma_locale.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TDataChartSeries TwoShownOfThree()
{
    TDataChartSeries data;
    data.Series = {{20, 80, 50}, {30, 40, 35}, {-100, 500, 0}};
    data.Shown = {0, 1};
    data.FirstIndex = 0;
    data.LastIndex = 2;
    return data;
}

TEST(DataChartSeries, YRangeSpansTheShownSeriesWithFivePercentEachWay)
{
    TDataChartSeries data = TwoShownOfThree();
    // 20 to 80: a span of 60, widened by 3 at each end.
    TChartRange y = DataChartYRange(data);
    EXPECT_DOUBLE_EQ(y.Min, 17);
    EXPECT_DOUBLE_EQ(y.Max, 83);
    // The whole arrays count, whatever part of them is plotted.
    data.LastIndex = 0;
    y = DataChartYRange(data);
    EXPECT_DOUBLE_EQ(y.Min, 17);
    EXPECT_DOUBLE_EQ(y.Max, 83);
    // An index past the series, a series never shown, and a flat series.
    data.Shown = {1, 7};
    y = DataChartYRange(data);
    EXPECT_DOUBLE_EQ(y.Min, 29.5);
    EXPECT_DOUBLE_EQ(y.Max, 40.5);
    data.Series[1] = {5, 5, 5};
    y = DataChartYRange(data);
    EXPECT_DOUBLE_EQ(y.Min, 5);
    EXPECT_DOUBLE_EQ(y.Max, 5);
    data.Shown.clear();
    y = DataChartYRange(data);
    EXPECT_DOUBLE_EQ(y.Min, 0);
    EXPECT_DOUBLE_EQ(y.Max, 0);
}

TEST(DataChartSeries, XRangeRunsFromTheFirstToOneBeyondTheLastIndex)
{
    TDataChartSeries data = TwoShownOfThree();
    data.FirstIndex = 3;
    data.LastIndex = 99;
    const TChartRange x = DataChartXRange(data);
    EXPECT_DOUBLE_EQ(x.Min, 3);
    EXPECT_DOUBLE_EQ(x.Max, 100);
}

TEST(SeriesCsv, WritesTheShownSeriesUnderTheirLegendsWithPoints)
{
    test::TCommaLocale comma;
    ASSERT_TRUE(test::TCommaLocale::IsActive());
    TDataChartSeries data = TwoShownOfThree();
    data.Series[1] = {30.25, 40.5};  // one position short
    data.FirstIndex = 1;
    EXPECT_EQ(SeriesCsv(data, {"Fluid", "Air, dry bulb", "Surface"}),
              "Position,Fluid,\"Air, dry bulb\"\n"
              "1,80.000,40.500\n"
              "2,50.000,\n");
    // Legends missing for a series are named after it.
    data.Shown = {2};
    EXPECT_EQ(SeriesCsv(data, {}), "Position,Data 2\n1,500.000\n2,0.000\n");
}

}  // namespace
}  // namespace vantor
