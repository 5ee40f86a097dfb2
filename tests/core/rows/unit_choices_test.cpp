#include "rows/unit_choices.h"

#include "rows/property_rows.h"
#include "support/temp_folder.h"
#include "units/unit_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace vantor {
namespace {

namespace fs = std::filesystem;

std::string ChoiceLabel(const TUnitChoices& choices, TUnitsType type)
{
    return UnitLabel(type, choices.UnitChoice(type));
}

TEST(UnitChoices, PresetsChooseTheirUnitsAndLeaveProportionAlone)
{
    TUnitChoices choices;
    EXPECT_EQ(ChoiceLabel(choices, utTemperature), "°C");
    EXPECT_EQ(ChoiceLabel(choices, utFinDensity), "fins/m");
    EXPECT_EQ(ChoiceLabel(choices, utAirPressDrop), "Pa");
    ASSERT_TRUE(choices.SetUnitChoice(utProportion, 1));

    choices.Imperial();
    EXPECT_EQ(ChoiceLabel(choices, utTemperature), "°F");
    EXPECT_EQ(ChoiceLabel(choices, utAirFlowPrim), "cfm");
    EXPECT_EQ(ChoiceLabel(choices, utFinDensity), "fpi");
    EXPECT_EQ(ChoiceLabel(choices, utProportion), "%");

    choices.Metric();
    EXPECT_EQ(ChoiceLabel(choices, utAirFlowPrim), "m³/s");
    EXPECT_EQ(ChoiceLabel(choices, utProportion), "%");

    EXPECT_FALSE(choices.SetUnitChoice(utTemperature, 3));
    EXPECT_EQ(choices.UnitChoice(utTemperature), 0);
}

TEST(UnitChoices, StoredUnderTheTypesDisplayNames)
{
    const test::TTempFolder folder;
    const fs::path file = folder / "choices.ini";
    {
        TSettingsStore store(file);
        TUnitChoices choices;
        choices.Imperial();
        choices.Save(store);
        ASSERT_TRUE(store.Flush());
    }
    TSettingsStore store(file);
    EXPECT_EQ(store.ReadInteger("SetUnitsForm", "Temperature", -1), 1);
    EXPECT_EQ(store.ReadInteger("SetUnitsForm", "Air Flow - Primary", -1), 4);
    EXPECT_EQ(store.ReadInteger("SetUnitsForm", "None", -1), 0);
    store.DeleteValue("SetUnitsForm", "Velocity");           // never saved: Metric
    store.WriteInteger("SetUnitsForm", "Area", 9);           // no such unit: the present choice
    store.WriteString("SetUnitsForm", "Mass", "pounds");     // no number: the present choice

    TUnitChoices loaded;
    loaded.Load(store);
    EXPECT_EQ(ChoiceLabel(loaded, utTemperature), "°F");
    EXPECT_EQ(ChoiceLabel(loaded, utAirFlowPrim), "cfm");
    EXPECT_EQ(ChoiceLabel(loaded, utVelocity), "m/s");
    EXPECT_EQ(ChoiceLabel(loaded, utArea), "m²");
    EXPECT_EQ(ChoiceLabel(loaded, utMass), "kg");
}

TEST(UnitChoices, RowsTakeTheChoiceOfTheirType)
{
    TPropertyRows rows;
    ASSERT_TRUE(rows.SetRows({"Property; Value; Units", "Coil Model; %s; ; PE", "Barometer; %0.3f; kPa; PE; 70; 120",
                              "Fluid Inlet; %0.1f; °C; NPE; 5.0; 150", "Air Volume; %0.3f; m³/s; NPE; 0.1; 100"})
                    .empty());
    rows.SetValue(1, 1, std::string("544 720 4r 12f 7c"));
    rows.SetValue(1, 3, 45.0);
    ASSERT_TRUE(rows.SetUnits(2, utPressureBar, 0, 0, ft_Fixed, 1, 0));
    ASSERT_TRUE(rows.SetUnits(3, utTemperature, 0, 0, ft_Fixed, 1, 0));

    TUnitChoices choices;
    choices.Imperial();
    choices.ApplyUnitChoices(rows);
    EXPECT_EQ(rows.Cell(2, 2), "InchHg");
    EXPECT_EQ(rows.Cell(1, 3), "113.0");
    EXPECT_EQ(rows.Cell(2, 4), "m³/s");  // not bound to a units type
    EXPECT_EQ(rows.Cell(1, 1), "544 720 4r 12f 7c");
}

}  // namespace
}  // namespace vantor
