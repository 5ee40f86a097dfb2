#include "heating_fluid/fluid_spec.h"

#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "../../support/settings_writer.h"
#include "../../support/temp_folder.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

// The dialog over a water liquid entering at 80 °C and leaving at 60 °C.
struct TSpecFixture {
    TSpecFixture()
    {
        rules.SetLiquid(liquid);
        rules.Activate();
    }
    void Choose(int row, long long index)
    {
        rules.Rows().SetValue(1, row, index);
        rules.EditRow(row);
    }
    void Type(int row, const char* text)
    {
        rules.Rows().EnterText(row, text);
        rules.EditRow(row);
    }
    bool Enabled(int row) const { return rules.Rows().RowEnabled(row); }

    TLiquid liquid{"Water", 0.8, 80, 60, fcWater};
    TFluidSpec rules{TFluidSpecSettings{}.RowUnits};
};

TEST(FluidSpec, RowsFollowTheFluidChosen)
{
    TSpecFixture f;
    EXPECT_EQ(f.rules.Rows().Cell(1, fsrTemperature), "70.0");
    EXPECT_EQ(f.rules.Rows().Cell(1, fsrFluidType), "Water");
    EXPECT_TRUE(f.Enabled(fsrAdditive));
    EXPECT_FALSE(f.Enabled(fsrAdditiveVolume)) << "no additive, no volume";
    EXPECT_FALSE(f.Enabled(fsrPressure));
    EXPECT_FALSE(f.Enabled(fsrDensity));

    // An additive picked while the volume is 0 starts at 30 % (shown in per cent).
    f.Choose(fsrAdditive, waEthyleneGlycol);
    EXPECT_TRUE(f.Enabled(fsrAdditiveVolume));
    EXPECT_DOUBLE_EQ(f.liquid.AdditiveVolume, 0.3);
    EXPECT_EQ(f.rules.Rows().Cell(1, fsrAdditiveVolume), "30.0");
    EXPECT_EQ(f.liquid.Caption, "Water (30% Ethylene Glycol)");

    // Engine oil takes no additive.
    f.Choose(fsrFluidType, fcEngineOil);
    EXPECT_EQ(f.liquid.WaterAdditive, waNone);
    EXPECT_EQ(f.liquid.AdditiveVolume, 0);
    EXPECT_EQ(f.rules.Rows().Cell(1, fsrAdditive), "None");
    EXPECT_FALSE(f.Enabled(fsrAdditive));
    EXPECT_FALSE(f.Enabled(fsrAdditiveVolume));
    EXPECT_EQ(f.liquid.Caption, "Engine Oil");

    // Compressed air: its pressure may be set, no additive; the caption names the pressure.
    f.Choose(fsrFluidType, fcCompressedAir);
    EXPECT_TRUE(f.Enabled(fsrPressure));
    EXPECT_FALSE(f.Enabled(fsrAdditive));
    EXPECT_EQ(f.rules.Rows().Cell(1, fsrPressure), "5.0");
    EXPECT_EQ(f.liquid.GetCaption(), "Compressed Air (5.0-bar)");
    f.Type(fsrPressure, "7.04");
    EXPECT_EQ(f.rules.Rows().Cell(1, fsrPressure), "7.0");
    EXPECT_EQ(f.liquid.Pf, 7);
    EXPECT_EQ(f.liquid.GetCaption(), "Compressed Air (7.0-bar)");
}

TEST(FluidSpec, UserPropertiesAreWhatTheRowsShow)
{
    TSpecFixture f;
    f.Choose(fsrAdditive, waPropyleneGlycol);
    const double glycolDensity = f.liquid.ro;
    f.Choose(fsrUserDefined, 1);
    EXPECT_TRUE(f.liquid.UserProps);
    EXPECT_EQ(f.liquid.WaterAdditive, waNone) << "user properties take no additive";
    EXPECT_FALSE(f.Enabled(fsrAdditive));
    EXPECT_TRUE(f.Enabled(fsrDensity));
    EXPECT_TRUE(f.Enabled(fsrConductivity));
    // As the row shows it, five significant digits.
    EXPECT_NEAR(f.liquid.UserRo, glycolDensity, 0.05) << "the user's values start from the fluid's";

    // Viscosity in centipoise, conductivity in W/(m·K); the liquid holds Pa·s and kW/(m·K).
    f.Type(fsrViscosity, "2");
    f.Type(fsrConductivity, "0.5");
    EXPECT_NEAR(f.liquid.UserMu, 0.002, 1e-12);
    EXPECT_NEAR(f.liquid.mu, 0.002, 1e-12);
    EXPECT_NEAR(f.liquid.Ko, 0.0005, 1e-12);
    EXPECT_NEAR(f.liquid.UserRo, glycolDensity, 0.05) << "other properties keep their values";
    EXPECT_EQ(f.liquid.Caption, "User Specified Fluid");
}

TEST(FluidSpec, RangeLabelTellsWhetherTheTemperatureIsCovered)
{
    TSpecFixture f;
    f.Type(fsrTemperature, "120");
    f.Choose(fsrAdditive, waCalciumChloride);
    EXPECT_EQ(f.rules.RangeText(), "Valid range = [-30.0 .. 300.0] °C");
    EXPECT_FALSE(f.rules.OutOfRange());

    f.Choose(fsrFluidType, fcGlycerin);
    f.Type(fsrTemperature, "60");
    EXPECT_EQ(f.rules.RangeText(), "Valid range = [0.0 .. 50.0] °C");
    EXPECT_TRUE(f.rules.OutOfRange());
    EXPECT_EQ(f.liquid.tfi, 80) << "a new mean temperature keeps the inlet";
    EXPECT_EQ(f.liquid.tfo, 40);
}

TEST(FluidSpec, CancelPutsTheLiquidBack)
{
    TSpecFixture f;
    const TLiquid before = f.liquid;
    f.Type(fsrTemperature, "55.55");
    f.Choose(fsrAdditive, waEthyleneGlycol);
    f.Type(fsrAdditiveVolume, "40");
    f.Choose(fsrUserDefined, 1);
    f.Type(fsrDensity, "800");
    f.Choose(fsrFluidType, fcMercury);
    f.rules.Cancel();
    EXPECT_EQ(f.liquid.t, before.t);
    EXPECT_EQ(f.liquid.tfi, before.tfi);
    EXPECT_EQ(f.liquid.tfo, before.tfo);
    EXPECT_EQ(f.liquid.LiquidSpec, fcWater);
    EXPECT_EQ(f.liquid.WaterAdditive, waNone);
    EXPECT_EQ(f.liquid.AdditiveVolume, 0);
    EXPECT_FALSE(f.liquid.UserProps);
    EXPECT_EQ(f.liquid.UserRo, before.UserRo);
    EXPECT_EQ(f.liquid.ro, before.ro);
    EXPECT_EQ(f.liquid.Caption, before.Caption);
}

TEST(FluidSpecSettings, UnitsAndWidthsUnderTheirKeys)
{
    test::TTempFolder folder;
    TFluidSpecSettings settings;
    settings.ColWidths = {120, 90, 60};
    settings.RowUnits[fsrTemperature] = 1;
    test::WriteSettings(folder / "Vantor.ini", [&](TSettingsStore& store) { settings.Write(store); });
    TSettingsStore store(std::optional(folder / "Vantor.ini"));
    EXPECT_EQ(store.ReadInteger("FluidSpecForm", "Units.iTemp", -1), 1);
    EXPECT_EQ(store.ReadInteger("FluidSpecForm", "Units.iMu", -1), 3);
    EXPECT_EQ(store.ReadInteger("FluidSpecForm", "ColWidths0", -1), 120);
    TFluidSpecSettings read;
    read.Read(store);
    EXPECT_EQ(read.ColWidths, settings.ColWidths);
    EXPECT_EQ(read.RowUnits, settings.RowUnits);

    // The temperature row in °F shows the range in °F.
    TLiquid liquid("Water", 0.8, 80, 60, fcWater);
    TFluidSpec rules(read.RowUnits);
    rules.SetLiquid(liquid);
    rules.Activate();
    EXPECT_EQ(rules.Rows().Cell(1, fsrTemperature), "158.0");
    EXPECT_EQ(rules.RangeText().substr(0, 15), "Valid range = [");
    EXPECT_NE(rules.RangeText().find("] °F"), std::string::npos) << rules.RangeText();
}

}  // namespace
}  // namespace vantor
