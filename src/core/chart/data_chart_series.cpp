#include "chart/data_chart_series.h"

#include "text/format.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr double kRangeMargin = 0.05;

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

bool TDataChartSeries::IsShown(int i) const
{
    return i >= 0 && i < static_cast<int>(Series.size()) && std::find(Shown.begin(), Shown.end(), i) != Shown.end();
}

int TDataChartSeries::LastPlottedIndex(int series) const
{
    if (series < 0 || series >= static_cast<int>(Series.size())) return FirstIndex - 1;
    return std::min(LastIndex, static_cast<int>(Series[static_cast<size_t>(series)].size()) - 1);
}

TChartRange DataChartYRange(const TDataChartSeries& data)
{
    bool any = false;
    double low = 0;
    double high = 0;
    for (int i = 0; i < static_cast<int>(data.Series.size()); ++i) {
        if (!data.IsShown(i)) continue;
        for (double value : data.Series[static_cast<size_t>(i)]) {
            if (!std::isfinite(value)) continue;
            low = any ? std::min(low, value) : value;
            high = any ? std::max(high, value) : value;
            any = true;
        }
    }
    const double margin = (high - low) * kRangeMargin;
    return {low - margin, high + margin};
}

TChartRange DataChartXRange(const TDataChartSeries& data)
{
    return {static_cast<double>(data.FirstIndex), static_cast<double>(data.LastIndex) + 1};
}

std::string SeriesCsv(const TDataChartSeries& data, const std::vector<std::string>& legends)
{
    std::vector<int> columns;
    for (int i = 0; i < static_cast<int>(data.Series.size()); ++i)
        if (data.IsShown(i)) columns.push_back(i);

    std::string text = "Position";
    for (int i : columns) {
        const auto at = static_cast<size_t>(i);
        text += ',' + CsvField(at < legends.size() ? legends[at] : Format("Data %d", {i}));
    }
    text += '\n';
    for (int k = std::max(data.FirstIndex, 0); k <= data.LastIndex; ++k) {
        text += std::to_string(k);
        for (int i : columns) {
            text += ',';
            if (k <= data.LastPlottedIndex(i)) text += FormatFloat("%0.3f", data.Series[static_cast<size_t>(i)][static_cast<size_t>(k)]);
        }
        text += '\n';
    }
    return text;
}

}  // namespace vantor
