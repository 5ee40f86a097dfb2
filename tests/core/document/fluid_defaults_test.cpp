#include "document/fluid_defaults.h"

#include "settings_file.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(FluidDefaults, ReadsEveryValueByItsNameAndDefaultsTheRest)
{
    const test::TSettingsFile empty("");
    EXPECT_EQ(ReadFluidDefaults(TSettingsStore(empty.Path())), TFluidDefaults{});
    EXPECT_EQ(TFluidDefaults{}.Control, 1) << "a first run controls the fluid by its flow";

    const test::TSettingsFile file(
        "[Default]\nWaterFlow=1.5\nWaterIn=82\nWaterOut=71\nWaterVelocity=1.2\nDesignWaterDT=11\n"
        "Control=0\nWaterTemp=76.5\nWaterSpec=3\nWaterAdditive=2\nWaterAddVol=0.3\nWaterUserRo=990\n"
        "WaterUserCp=4.1\nWaterUserMu=0.0004\nWaterUserKo=0.00066\n");
    const TFluidDefaults read = ReadFluidDefaults(TSettingsStore(file.Path()));
    const TFluidDefaults expected{1.5, 82, 71, 1.2, 11, 0, 76.5, 3, 2, 0.3, 990, 4.1, 0.0004, 0.00066};
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

}  // namespace
}  // namespace vantor
