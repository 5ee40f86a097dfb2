#pragma once

// The units the user chose for the coil quantities, kept in the shared key, section "Coils"
// (shared with the maker's other coil programs): read into the units registry when the
// document is created, written back when the main window closes.

#include "settings/settings_store.h"
#include "units/units_registry.h"

namespace vantor {

// A missing value gives the quantity's default: unit 0, or "Pa" for the air pressure drop;
// the seven liquid quantities keep the unit "units.ini" gave them. A value beyond the
// quantity's units is limited to the nearest one.
void LoadCoilUnitChoices(TUnitsRegistry& units, const TSettingsStore& sharedKey);
void SaveCoilUnitChoices(const TUnitsRegistry& units, TSettingsStore& sharedKey);

}  // namespace vantor
