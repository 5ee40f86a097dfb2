#include "document/coil_unit_choices.h"

#include "settings_file.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(CoilUnitChoices, MissingValuesGiveTheQuantityDefaults)
{
    TUnitsRegistry units = StandardUnitsRegistry();
    units.At("liquid", "t").Units = 1;  // as "units.ini" may have chosen
    units.At("place", "barom_pressure").Units = 3;
    const test::TSettingsFile empty("");
    LoadCoilUnitChoices(units, TSettingsStore(empty.Path()));
    EXPECT_EQ(units.At("place", "barom_pressure").Units, 0);
    EXPECT_EQ(units.At("air", "dp").Units, 1) << "the air pressure drop defaults to Pa";
    EXPECT_EQ(units.At("fat", "length").Units, 0);
    EXPECT_EQ(units.At("liquid", "t").Units, 1) << "liquid quantities keep their present unit";
}

TEST(CoilUnitChoices, ReadByNameLimitedToTheUnitsAndWrittenBack)
{
    const test::TSettingsFile file(
        "[Coils]\nUnitsPressure=4\nUnitsAltitude=1\nUnitsAirOn=1\nUnitsAirVol=4\nUnitsAirVel=1\n"
        "UnitsDesDuty=2\nUnitsPressDrop=5\nUnitsMass=2\nUnitsFATLength=3\nUnitsFATFaceArea=9\n"
        "UnitsLiquidTemp=1\nUnitsLiquidPressDrop=2\n");
    TUnitsRegistry units = StandardUnitsRegistry();
    LoadCoilUnitChoices(units, TSettingsStore(file.Path()));
    const struct {
        const char* Section;
        const char* Key;
        int Units;
    } expected[] = {
        {"place", "barom_pressure", 4}, {"place", "altitude", 1}, {"air", "t", 1},   {"air", "vol_flow", 4},
        {"air", "v", 1},                {"hex", "duty", 2},       {"air", "dp", 5},  {"hex", "mass", 2},
        {"fat", "length", 3},
        {"hex", "area", 4},  // 9 is beyond the five area units
        {"liquid", "t", 1},             {"liquid", "dp", 2},
    };
    for (const auto& e : expected) EXPECT_EQ(units.At(e.Section, e.Key).Units, e.Units) << e.Section << " " << e.Key;

    const test::TSettingsFile copy("");
    TSettingsStore store(copy.Path());
    SaveCoilUnitChoices(units, store);
    EXPECT_EQ(store.ReadInteger("Coils", "UnitsFATFaceArea", -1), 4);
    EXPECT_EQ(store.ReadInteger("Coils", "UnitsPressDrop", -1), 5);
    EXPECT_EQ(store.ReadInteger("Coils", "UnitsLiquidPressDrop", -1), 2);
}

}  // namespace
}  // namespace vantor
