#pragma once

// The unit tables: for every units type its units, each with a label, a default format, a
// factor (how many of this unit make one unit 0 of the type: 1 m = 1000 mm, so "mm" has 1000)
// and, for temperatures, a zero offset. A display value is
//     display = Offset + Factor * stored
// with Factor = factor(selected) / factor(stored unit). Indices from files, settings or callers
// are checked before they index a table.

#include "units/units_type.h"

#include <optional>
#include <string>
#include <vector>

namespace vantor {

// What a selected unit needs to show a value held in a stored unit.
struct TUnitInfo {
    std::string Format;
    double Offset = 0.0;
    double Factor = 1.0;
    std::string Label;
};

// Number of units of the type (0 for utNone).
int UnitCount(TUnitsType type);
bool IsValidUnit(TUnitsType type, int index);

// The display name of the type ("Air Flow - Primary"), also the key of its stored choice.
std::string UnitTypeName(TUnitsType type);

// Label and default format of one unit; an index outside the table gives an empty label and
// the format "%0.1f", as utNone does.
std::string UnitLabel(TUnitsType type, int index);
std::string UnitFormat(TUnitsType type, int index);
std::vector<std::string> UnitLabels(TUnitsType type);

// Format, Offset, Factor and Label of unit `units` for values stored in unit `baseUnits`.
// Nothing when either index is outside the type's table. utNone gives an empty label, "%0.1f",
// Factor 1 and Offset 0; callers that keep their own factor for utNone do not apply it.
std::optional<TUnitInfo> UnitInfo(TUnitsType type, int units, int baseUnits);

// The index limited to the type's table (a negative index gives 0); utNone returns it unchanged.
int ClampUnits(TUnitsType type, int index);

// The unit the Metric and the Imperial presets choose for the type; defaultIndex for utNone.
int MetricUnits(TUnitsType type, int defaultIndex);
int ImperialUnits(TUnitsType type, int defaultIndex);

inline double ToDisplay(double offset, double factor, double stored) { return offset + factor * stored; }
inline double FromDisplay(double offset, double factor, double display) { return (display - offset) / factor; }

// A format whose decimals follow the magnitude of a display value: "%0.1f" for 24.0, "%0.3f"
// for 0.25, "%0.3g" for 0.0005; `extra` decimals are added (barometric pressures get 3 more).
std::string AutoFormat(TUnitsType type, int extra, double value);

}  // namespace vantor
