#pragma once

// The arithmetic of a chart's axes: the range guard, the decimal-logarithm transform, the
// "nice" step of a linear scale and the tick lists of linear and logarithmic scales. Values
// are world units; nothing here draws.

#include <string>
#include <vector>

namespace vantor {

// Which axes are logarithmic (decimal logarithms).
enum class TScaleType { stLinear = 0, stLogX = 1, stLogY = 2, stLogXY = 3 };

bool IsLogX(TScaleType type);
bool IsLogY(TScaleType type);

struct TChartRange {
    double Min = 1;
    double Max = 10;
};

// A range whose ends coincide is opened around the value: v becomes 0.5·v to 1.5·v (in
// rising order for a negative v) and 0 becomes 0 to 1. Other ranges are kept as given.
TChartRange GuardRange(TChartRange range);

// The value an axis works with: itself on a linear axis, its decimal logarithm on a
// logarithmic one, where a value of 0 or less (or one without a finite logarithm) counts
// as 0.01.
double TransformValue(double value, bool logarithmic);
// The inverse of TransformValue.
double UntransformValue(double transformed, bool logarithmic);

// The step of a linear scale for a wanted step s: the first of 0.0001, 0.0002, 0.0005, ...,
// 1, 2, 5, 10, 20, 25, 50, 100, 150, 200, 250, 300, 500 that is at least s (allowing 10 %
// of the smaller steps' size), above 500.1 s rounded up to a multiple of 500.
double NiceStep(double s);

struct TChartTick {
    double Value = 0;
    bool Major = false;
};

// Ticks from min in NiceStep((max - min)/(ticks - 1)) steps up to (max - min)·1.02, all major.
std::vector<TChartTick> LinearTicks(TChartRange range, int ticks);

// Ticks of the same step at its whole multiples within the range (0.002, 0.004, ... rather
// than min + k·step), as engineers read a chart whose range starts anywhere; all major.
std::vector<TChartTick> RoundLinearTicks(TChartRange range, int ticks);

// Ticks of a logarithmic axis: min, then doubling, with each power of ten met on the way
// taken instead of the doubled value as a major tick; a doubled value adds itself and the
// midpoint before it as minor ticks. max closes the list as a major tick unless it is one
// already. A range without minor ticks gets two at a quarter and at half of the span.
std::vector<TChartTick> LogTicks(TChartRange range);

// A tick's label: the magnitude format with trailing zeros removed ("2", "0.5", "150").
std::string TickLabel(double value);

// The position readout "[x, y]", each value in its format or, when that is empty, in the
// magnitude format.
std::string PositionReadout(double x, double y, const std::string& xFormat, const std::string& yFormat);

}  // namespace vantor
