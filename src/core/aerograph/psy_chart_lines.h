#pragma once

// The lines of a psychrometric chart with dry bulb across and moisture content up: the
// saturation curve, relative humidity every 10 %, wet-bulb and enthalpy lines at round
// values. Every line is computed at one barometer by the psychrometric library and cut to
// the chart's ranges.

#include "aerograph/psy_file.h"

#include <string>
#include <vector>

namespace vantor {

// A point of the chart: dry bulb °C, moisture content kg/kg dry air.
struct TPsyPoint {
    double DryBulb = 0;
    double Moisture = 0;
};

enum class TPsyLineKind { Saturation, RelativeHumidity, WetBulb, Enthalpy };

struct TPsyChartLine {
    TPsyLineKind Kind = TPsyLineKind::Saturation;
    double Value = 0;   // fraction, °C or kJ/kg dry air
    std::string Label;  // "40%", "15 °C", "50 kJ/kg"
    std::vector<TPsyPoint> Points;  // in order along the line, all inside the ranges
};

// The chart's lines at barometer P (kPa) over ranges; lines that miss the ranges are left out.
std::vector<TPsyChartLine> PsyChartLines(double P, const TPsyRanges& ranges);

// The parts of a polyline inside ranges, cut where it crosses their edges. A line that leaves
// and comes back gives one part per stay inside.
std::vector<std::vector<TPsyPoint>> ClipToRanges(const std::vector<TPsyPoint>& line, const TPsyRanges& ranges);

// The smallest of 1, 2, 5, 10, 20, 50, ... that divides span into at most maxSteps steps.
double RoundStep(double span, int maxSteps);

// ranges widened to take in every point with a margin of 3 % of the span around it (a node
// on an edge would have half its marker cut off), each widened edge rounded outward to whole
// 5 °C and whole g/kg; the moisture content never goes below 0.
TPsyRanges WidenedRanges(const TPsyRanges& ranges, const std::vector<TPsyPoint>& points);

}  // namespace vantor
