#include "document/coil_unit_choices.h"

#include "units/unit_tables.h"

#include <array>
#include <string_view>

namespace vantor {

namespace {

struct TChoiceKey {
    std::string_view Name;
    std::string_view Section;
    std::string_view Key;
    int Default;
};

constexpr std::array<TChoiceKey, 10> kChoiceKeys = {{
    {"UnitsPressure", "place", "barom_pressure", 0},
    {"UnitsAltitude", "place", "altitude", 0},
    {"UnitsAirOn", "air", "t", 0},
    {"UnitsAirVol", "air", "vol_flow", 0},
    {"UnitsAirVel", "air", "v", 0},
    {"UnitsDesDuty", "hex", "duty", 0},
    {"UnitsPressDrop", "air", "dp", 1},
    {"UnitsMass", "hex", "mass", 0},
    {"UnitsFATLength", "fat", "length", 0},
    {"UnitsFATFaceArea", "hex", "area", 0},
}};

}  // namespace

void LoadCoilUnitChoices(TUnitsRegistry& units, const TSettingsStore& sharedKey)
{
    for (const TChoiceKey& choice : kChoiceKeys) {
        UnitRec* rec = units.Find(choice.Section, choice.Key);
        if (!rec) continue;
        rec->Units = ClampUnits(rec->UnitsType, sharedKey.ReadInteger(kLiquidUnitsSection, choice.Name, choice.Default));
    }
    units.LoadLiquidUnits(sharedKey);
}

void SaveCoilUnitChoices(const TUnitsRegistry& units, TSettingsStore& sharedKey)
{
    for (const TChoiceKey& choice : kChoiceKeys)
        if (const UnitRec* rec = units.Find(choice.Section, choice.Key))
            sharedKey.WriteInteger(kLiquidUnitsSection, choice.Name, rec->Units);
    units.SaveLiquidUnits(sharedKey);
}

}  // namespace vantor
