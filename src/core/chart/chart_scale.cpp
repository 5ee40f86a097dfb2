#include "chart/chart_scale.h"

#include "text/format.h"
#include "text/text_routines.h"

#include <array>
#include <cmath>
#include <limits>

namespace vantor {

namespace {

// The logarithm a value of 0 or less is given.
constexpr double kLogFloor = -2.0;  // log10(0.01)

// How far past max the tick lists run before they stop.
constexpr double kTickTolerance = 0.001;

// Bounds that keep a degenerate range from producing an endless list.
constexpr int kMaxLinearTicks = 1000;
constexpr int kMaxLogCandidates = 2000;

struct TNiceStep {
    double Step;
    double Limit;
};

constexpr std::array<TNiceStep, 25> kNiceSteps{{
    {0.0001, 0.00011}, {0.0002, 0.00021}, {0.0005, 0.00051}, {0.001, 0.0011}, {0.002, 0.0021},
    {0.005, 0.0051},   {0.01, 0.011},     {0.02, 0.021},     {0.05, 0.051},   {0.1, 0.11},
    {0.2, 0.21},       {0.5, 0.51},       {1, 1.1},          {2, 2.1},        {5, 5.1},
    {10, 10.1},        {20, 20.1},        {25, 25.1},        {50, 50.1},      {100, 100.1},
    {150, 150.1},      {200, 200.1},      {250, 250.1},      {300, 300.1},    {500, 500.1},
}};

// 10^i for i from -3 to 7, the powers a logarithmic axis marks.
bool NextPowerOfTen(double above, double notBeyond, double& power)
{
    for (int i = -3; i <= 7; ++i) {
        const double candidate = std::pow(10.0, i);
        if (candidate > above && candidate <= notBeyond + kTickTolerance) {
            power = candidate;
            return true;
        }
    }
    return false;
}

std::string FormatByMagnitude(double value)
{
    constexpr int kAlwaysByMagnitude = std::numeric_limits<int>::max();
    return FormatFloat(MagnitudeFormat(kAlwaysByMagnitude, "%0.0f", value), value);
}

}  // namespace

bool IsLogX(TScaleType type) { return type == TScaleType::stLogX || type == TScaleType::stLogXY; }
bool IsLogY(TScaleType type) { return type == TScaleType::stLogY || type == TScaleType::stLogXY; }

TChartRange GuardRange(TChartRange range)
{
    if (range.Min != range.Max) return range;
    if (range.Max == 0) return {0, 1};
    TChartRange opened{0.5 * range.Min, 1.5 * range.Max};
    if (opened.Min > opened.Max) std::swap(opened.Min, opened.Max);
    return opened;
}

double TransformValue(double value, bool logarithmic)
{
    if (!logarithmic) return value;
    if (!(value > 0)) return kLogFloor;
    const double log = std::log10(value);
    return std::isfinite(log) ? log : kLogFloor;
}

double UntransformValue(double transformed, bool logarithmic)
{
    return logarithmic ? std::pow(10.0, transformed) : transformed;
}

double NiceStep(double s)
{
    if (std::isnan(s)) return kNiceSteps.front().Step;
    for (const TNiceStep& nice : kNiceSteps)
        if (nice.Limit >= s) return nice.Step;
    return std::ceil(s / 500.0) * 500.0;
}

std::vector<TChartTick> LinearTicks(TChartRange range, int ticks)
{
    std::vector<TChartTick> list;
    const double span = range.Max - range.Min;
    if (!std::isfinite(span) || !std::isfinite(range.Min)) return list;
    const double step = NiceStep(span / (std::max(ticks, 2) - 1));
    if (!std::isfinite(step) || step <= 0) return list;
    const double count = std::round(span * 1.02 / step);
    const int last = count > kMaxLinearTicks ? kMaxLinearTicks : static_cast<int>(count);
    for (int k = 0; k <= last; ++k) list.push_back({range.Min + k * step, true});
    return list;
}

std::vector<TChartTick> RoundLinearTicks(TChartRange range, int ticks)
{
    std::vector<TChartTick> list;
    const double span = range.Max - range.Min;
    if (!std::isfinite(span) || !std::isfinite(range.Min) || span <= 0) return list;
    const double step = NiceStep(span / (std::max(ticks, 2) - 1));
    if (!std::isfinite(step) || step <= 0) return list;
    // A bound that is itself a multiple, within rounding, is one of the ticks.
    constexpr double kSlack = 1e-9;
    const double first = std::ceil(range.Min / step - kSlack);
    const double last = std::floor(range.Max / step + kSlack);
    if (last - first > kMaxLinearTicks) return list;
    for (double k = first; k <= last; ++k) list.push_back({k == 0 ? 0.0 : k * step, true});
    return list;
}

std::vector<TChartTick> LogTicks(TChartRange range)
{
    std::vector<TChartTick> list;
    if (!std::isfinite(range.Min) || !std::isfinite(range.Max)) return list;
    // The axis shows a value of 0 or less at 0.01, so its ticks start there too.
    const double min = range.Min > 0 ? range.Min : 0.01;
    const double max = range.Max;
    list.push_back({min, true});

    bool anyMinor = false;
    double previous = min;
    double lastPower = min;
    for (int n = 0; n < kMaxLogCandidates; ++n) {
        const double doubled = 2 * previous;
        double power = 0;
        const bool isPower = NextPowerOfTen(lastPower, doubled, power);
        const double candidate = isPower ? power : doubled;
        if (candidate > max + kTickTolerance) break;
        if (isPower) {
            list.push_back({candidate, true});
            lastPower = candidate;
        } else {
            list.push_back({(previous + candidate) / 2, false});
            list.push_back({candidate, false});
            anyMinor = true;
        }
        previous = candidate;
    }
    if (!anyMinor) {
        list.push_back({min + (max - min) / 4, false});
        list.push_back({min + (max - min) / 2, false});
    }
    bool maxIsTick = false;
    for (const TChartTick& tick : list)
        if (std::abs(tick.Value - max) <= kTickTolerance) maxIsTick = true;
    if (!maxIsTick && max > min) list.push_back({max, true});
    return list;
}

std::string TickLabel(double value) { return TrimNumberZeros(FormatByMagnitude(value)); }

std::string PositionReadout(double x, double y, const std::string& xFormat, const std::string& yFormat)
{
    const auto text = [](double value, const std::string& format) {
        return format.empty() ? FormatByMagnitude(value) : FormatFloat(format, value);
    };
    return "[" + text(x, xFormat) + ", " + text(y, yFormat) + "]";
}

}  // namespace vantor
