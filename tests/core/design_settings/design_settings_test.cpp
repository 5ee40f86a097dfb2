#include "design_settings/design_settings.h"

#include "../model/first_run_coil.h"
#include "core/document/settings_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

TEST(DesignSettingsTest, AnEmptyStoreGivesTheHotWaterCoilsDefaultsAndClosingAppliesThem)
{
    test::TFirstRunCoil rig;
    THotWaterCoil& coil = rig.Coil;
    const test::TSettingsFile file("");
    TSettingsStore store(file.Path());

    const TDesignSettings loaded = LoadDesignSettings(store, coil);
    EXPECT_EQ(loaded.Aspect, 1.4);
    EXPECT_EQ(loaded.Vf, 2.8);
    EXPECT_EQ(loaded.Rows, 4);
    EXPECT_EQ(loaded.Fins, 8);
    EXPECT_EQ(loaded.AirOn, "5.0/2.0");
    EXPECT_EQ(loaded.FluidIn, 45);
    EXPECT_TRUE(loaded.UseFouling);

    ApplyDesignSettings(loaded, coil);
    EXPECT_EQ(coil.DesignVf, 2.8);
    EXPECT_EQ(coil.DesignRows, 4);
    EXPECT_EQ(coil.DesignFins, 8);
    EXPECT_EQ(coil.DesignAspect, 1.4);
}

TEST(DesignSettingsTest, StoredValuesRoundTripAndReachTheCoil)
{
    test::TFirstRunCoil rig;
    const test::TSettingsFile file("");
    TDesignSettings settings{2.5, 3.25, 5, 11, "21.0/15.2", 82, false};
    {
        TSettingsStore store(file.Path());
        SaveDesignSettings(store, settings);
        ASSERT_TRUE(store.Flush().IsOk());
    }
    const TSettingsStore reread(file.Path());
    EXPECT_EQ(LoadDesignSettings(reread, rig.Coil), settings);
    EXPECT_EQ(reread.ReadString(kDesignSettingsSection, "DesignAirOn", ""), "21.0/15.2");

    ApplyStoredDesignSettings(reread, rig.Coil);
    EXPECT_EQ(rig.Coil.DesignAspect, 2.5);
    EXPECT_EQ(rig.Coil.DesignVf, 3.25);
    EXPECT_EQ(rig.Coil.DesignRows, 5);
    EXPECT_EQ(rig.Coil.DesignFins, 11);
    EXPECT_FALSE(rig.Coil.UseFouling);
}

TEST(DesignSettingsTest, RestoreDefaultsKeepsThePresentFoulingChoice)
{
    test::TFirstRunCoil rig;
    rig.Coil.UseFouling = false;
    const TDesignSettings defaults = DefaultDesignSettings(rig.Coil);
    EXPECT_EQ(defaults.Vf, 2.8);
    EXPECT_FALSE(defaults.UseFouling);
}

// A store edited by hand, or written by a damaged run: what the window would not have let
// through is brought inside its limits, never handed to the sizing as it stands.
TEST(DesignSettingsTest, StoredValuesOutsideTheLimitsAreBroughtInside)
{
    test::TFirstRunCoil rig;
    const test::TSettingsFile file(
        "[CoilSettingsForm]\nDesignAspect=0.01\nDesignVf=40\nDesignRows=2.6\nDesignFins=1E300\n"
        "DesignFluidIn=-400\nDesignAirOn=junk\nUseFouling=maybe\n");
    const TSettingsStore store(file.Path());
    const TDesignSettings loaded = LoadDesignSettings(store, rig.Coil);
    EXPECT_EQ(loaded.Aspect, 0.5);
    EXPECT_EQ(loaded.Vf, 5);
    EXPECT_EQ(loaded.Rows, 3);
    EXPECT_EQ(loaded.Fins, 12);
    EXPECT_EQ(loaded.FluidIn, -60);
    EXPECT_EQ(loaded.AirOn, "junk");  // only shown; the window's exit check mends it
    EXPECT_TRUE(loaded.UseFouling);
    ApplyDesignSettings(loaded, rig.Coil);
    EXPECT_EQ(rig.Coil.DesignFins, 12);
}

TEST(DesignSettingsTest, EditLimits)
{
    struct TCase {
        const char* name;
        double (*limit)(double);
        double typed;
        double expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const TCase cases[] = {
        {"aspect 0.3", LimitDesignAspect, 0.3, 0.5},     {"aspect 6", LimitDesignAspect, 6, 5},
        {"aspect 1.25 kept", LimitDesignAspect, 1.25, 1.25},
        {"face velocity 0.5", LimitDesignVf, 0.5, 1.0},  {"face velocity 2.75 kept", LimitDesignVf, 2.75, 2.75},
        {"face velocity 9", LimitDesignVf, 9, 5},
        {"rows 4.4", LimitDesignRows, 4.4, 4},           {"rows 4.5", LimitDesignRows, 4.5, 5},
        {"rows 0", LimitDesignRows, 0, 1},               {"rows 7", LimitDesignRows, 7, 6},
        {"fins 9.6", LimitDesignFins, 9.6, 10},          {"fins 14", LimitDesignFins, 14, 12},
        {"fins 2", LimitDesignFins, 2, 8},
        {"fluid 300", LimitDesignFluidIn, 300, 250},     {"fluid -80", LimitDesignFluidIn, -80, -60},
        {"fluid 82.4", LimitDesignFluidIn, 82.4, 82},
        {"fins NaN", LimitDesignFins, nan, 8},           {"fluid infinite", LimitDesignFluidIn, HUGE_VAL, 250},
    };
    for (const TCase& c : cases) EXPECT_EQ(c.limit(c.typed), c.expected) << c.name;
}

TEST(DesignSettingsTest, InletAirTextIsNormalized)
{
    // Wet bulbs from the ASHRAE relations at 101.325 kPa, computed outside the program:
    // 20 °C at 45 % RH has a wet bulb of 13.08 °C.
    struct TCase {
        const char* typed;
        bool ok;
        const char* expected;
    };
    const TCase cases[] = {
        {"20", true, "20.0/13.1"},
        {"20/", true, "20.0/13.1"},        // a pair without its wet bulb is a dry bulb alone
        {"24/17", true, "24.0/17.0"},
        {" 5.04/2.01 ", true, "5.0/2.0"},
        {"warm", false, "5.0/2.0"},        // the text stays as it was
        {"", false, "5.0/2.0"},
    };
    for (const TCase& c : cases) {
        std::string text = "5.0/2.0";
        EXPECT_EQ(NormalizeDesignAirOn(c.typed, 101.325, text).IsOk(), c.ok) << c.typed;
        EXPECT_EQ(text, c.expected) << c.typed;
    }
}

}  // namespace
}  // namespace vantor
