#include "aerograph/psy_chart_lines.h"

#include "psychro/psychro.h"
#include "text/format.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr int kCurveSteps = 120;       // points along a curved line across the chart
constexpr int kStraightSteps = 12;     // wet-bulb and enthalpy lines are nearly straight
constexpr int kMaxValueLines = 12;     // wet-bulb or enthalpy lines on one chart
constexpr double kDryBulbRounding = 5;      // °C
constexpr double kMoistureRounding = 0.001; // kg/kg
constexpr double kNodeMargin = 0.03;        // of the span, between a node and an edge

bool Inside(const TPsyPoint& p, const TPsyRanges& r)
{
    return p.DryBulb >= r.DryBulbMin && p.DryBulb <= r.DryBulbMax && p.Moisture >= r.MoistureMin &&
           p.Moisture <= r.MoistureMax;
}

// Liang–Barsky: the part of segment a-b inside the ranges as fractions t0 <= t1 along it;
// false when none of it is.
bool ClipSegment(const TPsyPoint& a, const TPsyPoint& b, const TPsyRanges& r, double& t0, double& t1)
{
    const double dx = b.DryBulb - a.DryBulb;
    const double dy = b.Moisture - a.Moisture;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.DryBulb - r.DryBulbMin, r.DryBulbMax - a.DryBulb, a.Moisture - r.MoistureMin,
                         r.MoistureMax - a.Moisture};
    t0 = 0;
    t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

TPsyPoint Along(const TPsyPoint& a, const TPsyPoint& b, double t)
{
    return {a.DryBulb + t * (b.DryBulb - a.DryBulb), a.Moisture + t * (b.Moisture - a.Moisture)};
}

// The moisture content of the state fixed by the pair; nothing when the library finds none.
std::optional<double> MoistureOf(double P, double x, double y, int code)
{
    TMoistAirState state;
    if (SetState(state, P, x, y, code) != psyOk) return std::nullopt;
    return state.W;
}

// The dry bulb of the state fixed by the pair.
std::optional<double> DryBulbOf(double P, double x, double y, int code)
{
    TMoistAirState state;
    if (SetState(state, P, x, y, code) != psyOk) return std::nullopt;
    return state.db;
}

void AddLine(std::vector<TPsyChartLine>& lines, TPsyLineKind kind, double value, std::string label,
             const std::vector<TPsyPoint>& points, const TPsyRanges& ranges)
{
    // These lines leave the chart once at most, so the longest part inside is the line.
    std::vector<TPsyPoint> longest;
    for (std::vector<TPsyPoint>& part : ClipToRanges(points, ranges))
        if (part.size() > longest.size()) longest = std::move(part);
    if (longest.size() >= 2) lines.push_back({kind, value, std::move(label), std::move(longest)});
}

// A line of constant relative humidity across the dry-bulb range.
std::vector<TPsyPoint> HumidityCurve(double P, double rh, const TPsyRanges& r)
{
    std::vector<TPsyPoint> points;
    for (int i = 0; i <= kCurveSteps; ++i) {
        const double db = r.DryBulbMin + (r.DryBulbMax - r.DryBulbMin) * i / kCurveSteps;
        const std::optional<double> W = MoistureOf(P, db, rh, pcDbRH);
        if (!W) break;
        points.push_back({db, *W});
        if (*W > r.MoistureMax) break;
    }
    return points;
}

// A line along which one property stays fixed, from saturation down to the lowest moisture
// content of the chart; dryBulbAt gives the dry bulb of a moisture content on it.
template <class DryBulbAt>
std::vector<TPsyPoint> FixedValueLine(double saturatedW, double lowW, const DryBulbAt& dryBulbAt)
{
    std::vector<TPsyPoint> points;
    for (int i = 0; i <= kStraightSteps; ++i) {
        const double W = saturatedW + (lowW - saturatedW) * i / kStraightSteps;
        const std::optional<double> db = dryBulbAt(W);
        if (!db) break;
        points.push_back({*db, W});
    }
    return points;
}

void AddWetBulbLines(std::vector<TPsyChartLine>& lines, double P, const TPsyRanges& r)
{
    const double step = RoundStep(r.DryBulbMax - r.DryBulbMin, kMaxValueLines);
    // The lowest wet bulb that reaches the chart is that of its driest, coldest corner.
    const std::optional<double> lowest = [&]() -> std::optional<double> {
        TMoistAirState corner;
        if (SetState(corner, P, r.DryBulbMin, r.MoistureMin, pcDbW) != psyOk) return std::nullopt;
        return corner.wb;
    }();
    if (!lowest) return;
    for (double wb = std::ceil(*lowest / step) * step; wb < r.DryBulbMax; wb += step) {
        const std::optional<double> saturatedW = MoistureOf(P, wb, 1.0, pcDbRH);
        if (!saturatedW) continue;
        const std::vector<TPsyPoint> points = FixedValueLine(
            *saturatedW, std::min(r.MoistureMin, *saturatedW), [&](double W) { return DryBulbOf(P, wb, W, pcWbW); });
        AddLine(lines, TPsyLineKind::WetBulb, wb, FormatFloat("%0.0f", wb) + " °C", points, r);
    }
}

void AddEnthalpyLines(std::vector<TPsyChartLine>& lines, double P, const TPsyRanges& r)
{
    TMoistAirState low;
    TMoistAirState high;
    if (SetState(low, P, r.DryBulbMin, r.MoistureMin, pcDbW) != psyOk) return;
    if (SetState(high, P, r.DryBulbMax, r.MoistureMax, pcDbW) != psyOk) return;
    const double step = RoundStep(high.h - low.h, kMaxValueLines);
    for (double h = std::ceil(low.h / step) * step; h < high.h; h += step) {
        TMoistAirState saturated;
        if (SetState(saturated, P, h, 1.0, pcHRH) != psyOk) continue;
        const std::vector<TPsyPoint> points =
            FixedValueLine(saturated.W, std::min(r.MoistureMin, saturated.W), [&](double W) { return DryBulbOf(P, h, W, pcHW); });
        AddLine(lines, TPsyLineKind::Enthalpy, h, FormatFloat("%0.0f", h) + " kJ/kg", points, r);
    }
}

double RoundDown(double value, double step) { return std::floor(value / step + 1e-9) * step; }
double RoundUp(double value, double step) { return std::ceil(value / step - 1e-9) * step; }

}  // namespace

std::vector<std::vector<TPsyPoint>> ClipToRanges(const std::vector<TPsyPoint>& line, const TPsyRanges& ranges)
{
    std::vector<std::vector<TPsyPoint>> parts;
    if (line.size() == 1 && Inside(line[0], ranges)) parts.push_back(line);
    bool open = false;  // the last part ends at the present point
    for (size_t i = 1; i < line.size(); ++i) {
        double t0 = 0;
        double t1 = 1;
        if (!ClipSegment(line[i - 1], line[i], ranges, t0, t1)) {
            open = false;
            continue;
        }
        if (!open || t0 > 0) parts.push_back({Along(line[i - 1], line[i], t0)});
        parts.back().push_back(Along(line[i - 1], line[i], t1));
        open = t1 >= 1;
    }
    return parts;
}

double RoundStep(double span, int maxSteps)
{
    if (!(span > 0) || maxSteps < 1) return 1;
    double decade = std::pow(10.0, std::floor(std::log10(span / maxSteps)));
    for (;;) {
        for (const double factor : {1.0, 2.0, 5.0})
            if (span / (factor * decade) <= maxSteps + 1e-9) return factor * decade;
        decade *= 10;
    }
}

TPsyRanges WidenedRanges(const TPsyRanges& ranges, const std::vector<TPsyPoint>& points)
{
    // A node keeps this share of the starting span clear of each edge, room for its marker.
    const double dryBulbMargin = kNodeMargin * std::abs(ranges.DryBulbMax - ranges.DryBulbMin);
    const double moistureMargin = kNodeMargin * std::abs(ranges.MoistureMax - ranges.MoistureMin);
    TPsyRanges widened = ranges;
    for (const TPsyPoint& p : points) {
        if (!std::isfinite(p.DryBulb) || !std::isfinite(p.Moisture)) continue;
        if (p.DryBulb - dryBulbMargin < widened.DryBulbMin)
            widened.DryBulbMin = RoundDown(p.DryBulb - dryBulbMargin, kDryBulbRounding);
        if (p.DryBulb + dryBulbMargin > widened.DryBulbMax)
            widened.DryBulbMax = RoundUp(p.DryBulb + dryBulbMargin, kDryBulbRounding);
        if (p.Moisture - moistureMargin < widened.MoistureMin)
            widened.MoistureMin = std::max(0.0, RoundDown(p.Moisture - moistureMargin, kMoistureRounding));
        if (p.Moisture + moistureMargin > widened.MoistureMax)
            widened.MoistureMax = RoundUp(p.Moisture + moistureMargin, kMoistureRounding);
    }
    return widened;
}

std::vector<TPsyChartLine> PsyChartLines(double P, const TPsyRanges& ranges)
{
    std::vector<TPsyChartLine> lines;
    AddLine(lines, TPsyLineKind::Saturation, 1.0, "100%", HumidityCurve(P, 1.0, ranges), ranges);
    for (int percent = 10; percent < 100; percent += 10)
        AddLine(lines, TPsyLineKind::RelativeHumidity, percent / 100.0, std::to_string(percent) + "%",
                HumidityCurve(P, percent / 100.0, ranges), ranges);
    AddWetBulbLines(lines, P, ranges);
    AddEnthalpyLines(lines, P, ranges);
    return lines;
}

}  // namespace vantor
