#pragma once

// A units registry with every registered quantity in the unit the Metric or the Imperial
// preset chooses for its type, as the main window's Units menu leaves it.

#include "rows/unit_choices.h"
#include "units/units_registry.h"

namespace vantor::test {

inline TUnitsRegistry RegistryIn(bool imperial)
{
    TUnitsRegistry units = StandardUnitsRegistry();
    TUnitChoices choices;
    if (imperial) choices.Imperial();
    for (UnitRec& rec : units.Records()) rec.Units = choices.UnitChoice(rec.UnitsType);
    return units;
}

}  // namespace vantor::test
