#pragma once

// One registered quantity of the units registry: a section and key naming it (as in
// "units.ini"), its units type, the unit it is shown in (`Units`, the only field the file
// keeps) and the unit the model holds it in (`BaseUnits`). Factor, Offset, Label and Fmt are
// derived and refreshed before every use, so a changed `Units` takes effect at the next use.

#include "units/units_type.h"

#include <string>

namespace vantor {

struct UnitRec {
    std::string Section;
    std::string Key;
    TUnitsType UnitsType = utNone;
    int Units = 0;
    int BaseUnits = 0;
    double Factor = 1.0;
    double Offset = 0.0;
    std::string Label;
    std::string Fmt;
    // The unit the record was registered with; an index that fits no unit falls back to it.
    int DefaultUnits = 0;
};

// Recomputes the derived fields from UnitsType, Units and BaseUnits. A `Units` outside the
// type's table is first put back to DefaultUnits (then to 0), so a bad index never shows a
// value in a wrong unit. For utNone, Factor and Offset stay as they are.
void RefreshUnitRec(UnitRec& rec);

}  // namespace vantor
