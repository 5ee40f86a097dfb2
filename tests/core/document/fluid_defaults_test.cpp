#include "document/fluid_defaults.h"

#include "settings_file.h"
#include "support/settings_writer.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(FluidDefaults, ReadsEveryValueByItsNameAndDefaultsTheRest)
{
    const test::TSettingsFile empty("");
    EXPECT_EQ(ReadFluidDefaults(TSettingsStore(empty.Path())), TFluidDefaults{});
    EXPECT_EQ(TFluidDefaults{}.Control, TFluidControl::Flow) << "a first run controls the fluid by its flow";

    const test::TSettingsFile file(
        "[Default]\nWaterFlow=1.5\nWaterIn=82\nWaterOut=71\nWaterVelocity=1.2\nDesignWaterDT=11\n"
        "Control=0\nWaterTemp=76.5\nWaterSpec=3\nWaterAdditive=2\nWaterAddVol=0.3\nWaterUserRo=990\n"
        "WaterUserCp=4.1\nWaterUserMu=0.0004\nWaterUserKo=0.00066\n");
    const TFluidDefaults read = ReadFluidDefaults(TSettingsStore(file.Path()));
    const TFluidDefaults expected{1.5, 82, 71, 1.2, 11, TFluidControl::Temperature, 76.5, 3, 2, 0.3, 990, 4.1, 0.0004, 0.00066};
    EXPECT_EQ(read, expected);
}

TEST(FluidDefaults, CodesThatNameNothingReadAsTheirDefaults)
{
    const struct {
        const char* Text;
        TFluidDefaults Expected;
    } cases[] = {
        {"[Default]\nControl=2\n", TFluidDefaults{}},
        {"[Default]\nControl=-1\nWaterSpec=14\nWaterAdditive=4\n", TFluidDefaults{}},
        {"[Default]\nWaterSpec=13\nWaterAdditive=3\n", [] {
             TFluidDefaults d;
             d.WaterSpec = 13;
             d.WaterAdditive = 3;
             return d;
         }()},
    };
    for (const auto& c : cases) {
        const test::TSettingsFile file(c.Text);
        EXPECT_EQ(ReadFluidDefaults(TSettingsStore(file.Path())), c.Expected) << c.Text;
    }
}

TEST(FluidDefaults, NumbersAreHeldToTheRowsThatShowThem)
{
    const test::TSettingsFile file(
        "[Default]\nWaterIn=200\nWaterFlow=abc\nDesignWaterDT=-5\nWaterTemp=inf\nWaterAdditive=2\n"
        "WaterAddVol=5\nWaterUserMu=0\nControl=9\nWaterOut=12\n");
    TInputCheck check;
    const TFluidDefaults read = ReadFluidDefaults(TSettingsStore(file.Path()), check);
    EXPECT_EQ(read.WaterIn, 150);
    EXPECT_EQ(read.WaterFlow, 0.8);
    EXPECT_EQ(read.DesignWaterDT, 0.1);
    EXPECT_EQ(read.WaterTemp, 40);
    EXPECT_EQ(read.WaterAddVol, 0.45) << "at most 45 % of an additive, as the fluid dialog allows";
    EXPECT_EQ(read.WaterUserMu, 1e-9);
    EXPECT_EQ(read.Control, TFluidControl::Flow);
    EXPECT_EQ(read.WaterOut, 12) << "no row shows the leaving temperature";
    EXPECT_EQ(check.Notes(), (std::vector<std::string>{
                                 "Control: \"9\" is not one of 0 to 1; 1 used",
                                 "WaterFlow: \"abc\" is not a number; 0.8 kept",
                                 "WaterIn: 200 is outside 5 to 150; 150 used",
                                 "DesignWaterDT: -5 is outside 0.1 to 100; 0.1 used",
                                 "WaterTemp: \"inf\" is not a number; 40 kept",
                                 "WaterUserMu: 0 is outside 1E-9 to 10; 1E-9 used",
                                 "WaterAddVol: 5 is outside 0.01 to 0.45; 0.45 used",
                             }));

    // Without an additive the volume means nothing and is not held to the dialog's range.
    const test::TSettingsFile plain("[Default]\nWaterAddVol=0\n");
    TInputCheck none;
    EXPECT_EQ(ReadFluidDefaults(TSettingsStore(plain.Path()), none), TFluidDefaults{});
    EXPECT_TRUE(none.Empty());
}

TEST(FluidDefaults, WrittenValuesAreThoseTheReaderTakes)
{
    // Values the model may hold but no row takes (put there by an automation client) are
    // stored at their rows' limits; the next start reads them without a note.
    TFluidDefaults values;
    values.WaterIn = -5;
    values.WaterFlow = 1e300;
    values.DesignWaterDT = 0;
    values.WaterAdditive = 2;
    values.WaterAddVol = 0.9;
    values.WaterOut = -15;
    const test::TSettingsFile file("");
    test::WriteSettings(file.Path(), [&](TSettingsStore& store) { WriteFluidDefaults(store, values); });
    TInputCheck check;
    const TFluidDefaults read = ReadFluidDefaults(TSettingsStore(file.Path()), check);
    EXPECT_TRUE(check.Empty()) << check.Message("");
    EXPECT_EQ(read.WaterIn, 5);
    EXPECT_EQ(read.WaterFlow, 20);
    EXPECT_EQ(read.DesignWaterDT, 0.1);
    EXPECT_EQ(read.WaterAddVol, 0.45);
    EXPECT_EQ(read.WaterOut, -15) << "no row shows the leaving temperature";
}

}  // namespace
}  // namespace vantor
