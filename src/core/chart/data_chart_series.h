#pragma once

// The data a data chart plots: up to five series of values over a position index, which of
// them are shown and which positions. The ranges the chart takes from them and the series
// as CSV text live here, so the window only draws.

#include "chart/chart_scale.h"

#include <string>
#include <vector>

namespace vantor {

using TFloatMat = std::vector<double>;

inline constexpr int kDataChartMaxSeries = 5;

struct TDataChartSeries {
    std::vector<TFloatMat> Series;
    std::vector<int> Shown;  // indices into Series
    int FirstIndex = 0;
    int LastIndex = 0;

    // Whether series i exists and is listed as shown.
    bool IsShown(int i) const;
    // The shown series' positions that exist, first to last (clipped to the shorter series).
    int LastPlottedIndex(int series) const;
};

// From the smallest to the largest value of all shown series (their whole arrays), widened
// by 5 % of the span at each end; {0, 0} when nothing is shown.
TChartRange DataChartYRange(const TDataChartSeries& data);
// From the first index to the last index + 1.
TChartRange DataChartXRange(const TDataChartSeries& data);

// A header line ("Position" and the legends of the shown series) and one line per position
// from the first to the last index, values "%0.3f" with "." whatever the locale, lines
// ended by "\n". A position a series does not reach is left empty.
std::string SeriesCsv(const TDataChartSeries& data, const std::vector<std::string>& legends);

}  // namespace vantor
