#include "selection/selection_table.h"

#include "registry_in.h"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

// A coil as a selection returns it; values in the units the selection holds them in.
TSelectionResult SampleResult()
{
    TSelectionResult r;
    r.Maker = "Maker";
    r.Range = "5/8 inch";
    r.Designation = "609.6 x 1200  2r  8f  4c";
    r.FaceVelocity = 2.5;       // m/s
    r.Duty = 15;                // kW
    r.Margin = 0.125;
    r.AirPressureDrop = 124.6;  // Pa
    r.FluidPressureDrop = 20;   // kPa
    r.FluidFlow = 0.5;          // kg/s
    r.TubeVelocity = 1;         // m/s
    r.AirOff.db = 40;           // °C
    r.AirOff.wb = 20;
    r.LeavingTemp = 35;         // °C
    r.PipeSize = 28;            // mm
    r.DryWeight = 50;           // kg
    return r;
}

using test::RegistryIn;

TEST(SelectionTableTest, MetricColumnsCarryTheirUnits)
{
    const TSelectionTable table(RegistryIn(false));
    const TSelectionResult r = SampleResult();
    EXPECT_EQ(table.Heading(TSelectionTable::kRank), "#");
    EXPECT_EQ(table.Heading(TSelectionTable::kModel), "Model");
    EXPECT_EQ(table.Heading(TSelectionTable::kMargin), "Margin\n%");
    EXPECT_EQ(table.Heading(TSelectionTable::kAirDrop), "Air dP\nPa");
    EXPECT_EQ(table.Heading(TSelectionTable::kFluidDrop), "Fluid dP\nkPa");
    EXPECT_EQ(table.Heading(TSelectionTable::kWeight), "Weight\nkg");
    EXPECT_EQ(table.Text(r, 4, TSelectionTable::kRank), "5");
    EXPECT_EQ(table.Text(r, 0, TSelectionTable::kModel), "609.6 x 1200  2r  8f  4c");
    EXPECT_EQ(table.Text(r, 0, TSelectionTable::kMargin), "12.5");
    EXPECT_EQ(table.Text(r, 0, TSelectionTable::kAirDrop), "125");
    EXPECT_EQ(table.Text(r, 0, TSelectionTable::kAirOff), "40.0/20.0");
    EXPECT_EQ(table.Text(r, 0, TSelectionTable::kWeight), "50");
    EXPECT_EQ(table.Text(r, 0, TSelectionTable::kColumnCount), "");
    EXPECT_EQ(table.Heading(-1), "");
}

TEST(SelectionTableTest, ImperialColumnsShowConvertedValues)
{
    const TSelectionTable table(RegistryIn(true));
    const TSelectionResult r = SampleResult();
    // Converted by hand: 1 fpm = 0.00508 m/s, 1 Btu/hr = 0.29307 W, 1 in wg = 249.0889 Pa,
    // 1 psi = 6.894757 kPa, 1 lb = 0.45359237 kg, 1 inch = 25.4 mm.
    struct TCase {
        int Column;
        const char* Heading;
        const char* Text;
    };
    const TCase cases[] = {
        {TSelectionTable::kFaceVelocity, "Vf\nfpm", "492.1"},
        {TSelectionTable::kDuty, "Duty\nBtu/hr", "51182"},
        {TSelectionTable::kAirDrop, "Air dP\nInchWg", "0.5002"},
        {TSelectionTable::kFluidDrop, "Fluid dP\nPsi", "2.9008"},
        {TSelectionTable::kFluidFlow, "Flow\nlb/s", "1.10231"},
        {TSelectionTable::kTubeVelocity, "Vw\nfpm", "196.9"},
        {TSelectionTable::kAirOff, "Air off\n°F", "104.0/68.0"},
        {TSelectionTable::kFluidOut, "Fluid out\n°F", "95.0"},
        {TSelectionTable::kPipe, "Pipe\ninch", "1.10"},
        {TSelectionTable::kWeight, "Weight\nlb", "110.2"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(table.Heading(c.Column), c.Heading);
        EXPECT_EQ(table.Text(r, 0, c.Column), c.Text) << c.Heading;
    }
    // The margin is a share, the same in every system.
    EXPECT_EQ(table.Text(r, 0, TSelectionTable::kMargin), "12.5");
}

TEST(SelectionTableTest, ColumnsSortByNumberOrName)
{
    const TSelectionTable table(RegistryIn(true));
    TSelectionResult light = SampleResult();
    TSelectionResult heavy = SampleResult();
    heavy.DryWeight = 450;  // its text, "992.1" lb, sorts before "110.2" only as a text
    heavy.Maker = "Another";
    using TKey = TSelectionTable::TSortKey;
    EXPECT_LT(table.SortKey(light, 0, TSelectionTable::kWeight), table.SortKey(heavy, 1, TSelectionTable::kWeight));
    EXPECT_LT(table.SortKey(heavy, 1, TSelectionTable::kMaker), table.SortKey(light, 0, TSelectionTable::kMaker));
    EXPECT_EQ(table.SortKey(heavy, 1, TSelectionTable::kRank), TKey(1.0));
    EXPECT_TRUE(TSelectionTable::IsNumber(TSelectionTable::kWeight));
    EXPECT_FALSE(TSelectionTable::IsNumber(TSelectionTable::kRange));
}

}  // namespace
}  // namespace vantor
