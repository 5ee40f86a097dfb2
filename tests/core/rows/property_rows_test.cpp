#include "rows/property_rows.h"

#include "rows/num_field.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

const std::vector<std::string> kMainRows = {
    "Property; Value; Units",
    "Coil Model; %s; ; PE",
    "Barometer; %0.3f; kPa; PE; 70; 120",
    "On Coil; %0.1f/%0.1f; °C; PE; -10; 45",
    "Air Volume; %0.3f; m³/s; NPE; 0.1; 100",
    "Air Velocity; %0.3f; m/s; NPE; 0.5; 10",
    "Heating Fluid; %s; ; PE",
    "Fluid Control; enum; ; Temperature; Flow",
    "Fluid Inlet; %0.1f; °C; NPE; 5.0; 150",
    "Design dT; %0.1f; °C; NPE; 0.1; 100",
    "Fluid flow; %0.3f; kg/s; NPE; 0.01; 20",
    "Tube Velocity; %0.2f; m/s; NPE; 0.01; 3",
    "Design Duty; %0.1f; kW; PE; 0.1; 500",
    "Calculate; enum; ; Heating Duty; Coil Size",
};

enum Row { Model = 1, Barometer, OnCoil, AirVolume, AirVelocity, Fluid, Control, Inlet, DesignDt };

class PropertyRowsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_rows.SetRows(kMainRows).empty()); }
    TPropertyRows m_rows;
};

TEST_F(PropertyRowsTest, RowsAreBuiltFromTheDescriptors)
{
    EXPECT_EQ(m_rows.RowCount(), 14);
    EXPECT_EQ(m_rows.ColCount(), 3);
    EXPECT_EQ(m_rows.Cell(0, 0), "Property");
    EXPECT_EQ(m_rows.Cell(2, 0), "Units");
    EXPECT_EQ(m_rows.Cell(0, Barometer), "Barometer");
    EXPECT_EQ(m_rows.Cell(1, Barometer), "0.000");
    EXPECT_EQ(m_rows.Cell(2, Barometer), "kPa");
    EXPECT_EQ(m_rows.RowFormat(0), "%S");
    EXPECT_EQ(m_rows.RowEnumStrings(Control), (std::vector<std::string>{"Temperature", "Flow"}));

    TPropertyRows empty;
    EXPECT_TRUE(empty.SetRows({}).empty());
    EXPECT_EQ(empty.RowCount(), 2);

    TPropertyRows bad;
    EXPECT_EQ(bad.SetRows({"Property; Value; Units", "Design Duty; %0.1f; kW; PE", "Calculate; enum; ; A; B"}),
              (std::vector<std::string>{"Error initialising Design Duty"}));
    EXPECT_EQ(bad.RowCount(), 3);
    EXPECT_EQ(bad.RowEnumStrings(2), (std::vector<std::string>{"A", "B"}));
}

TEST_F(PropertyRowsTest, ValuesCrossInStoredUnits)
{
    m_rows.SetValue(1, Model, std::string("544 720 4r 12f 7c"));
    m_rows.SetValue(1, Barometer, 101.325);
    m_rows.SetValue(1, OnCoil, std::string("24/17"));
    m_rows.SetValue(1, Control, 1LL);
    EXPECT_EQ(m_rows.Cell(1, Model), "544 720 4r 12f 7c");
    EXPECT_EQ(m_rows.Cell(1, Barometer), "101.325");
    EXPECT_EQ(m_rows.Cell(1, OnCoil), "24.0/17.0");
    EXPECT_EQ(m_rows.Cell(1, Control), "Flow");
    EXPECT_EQ(std::get<double>(m_rows.GetValue(1, Barometer)), 101.325);
    EXPECT_EQ(std::get<long long>(m_rows.GetValue(1, Control)), 1);
    EXPECT_EQ(std::get<std::string>(m_rows.GetValue(2, Barometer)), "kPa");
    m_rows.SetCell(1, Barometer, "high");
    EXPECT_EQ(std::get<std::string>(m_rows.GetValue(1, Barometer)), "high");
}

TEST_F(PropertyRowsTest, UnitsKeepTheQuantity)
{
    m_rows.SetValue(1, Inlet, 45.0);
    ASSERT_TRUE(m_rows.SetUnits(Inlet, utTemperature, 0, 1, ft_Fixed, 1.0, 0.0));
    EXPECT_EQ(m_rows.Cell(1, Inlet), "113.0");
    EXPECT_EQ(m_rows.Cell(2, Inlet), "°F");
    EXPECT_DOUBLE_EQ(std::get<double>(m_rows.GetValue(1, Inlet)), 45);
    EXPECT_DOUBLE_EQ(m_rows.RowRangeHi(Inlet), 302);
    EXPECT_EQ(m_rows.FormatRowValue(Inlet, 100), "212.0");

    m_rows.SetValue(1, OnCoil, std::string("24/17"));
    ASSERT_TRUE(m_rows.SetUnits(OnCoil, utTemperature, 0, 1, ft_Fixed, 1.0, 0.0));
    EXPECT_EQ(m_rows.RowFormat(OnCoil), "%0.1f/%0.1f");
    EXPECT_EQ(m_rows.Cell(1, OnCoil), "75.2/62.6");

    // A unit index the type does not have falls back to unit 0.
    m_rows.SetValue(1, Barometer, 101.325);
    ASSERT_TRUE(m_rows.SetUnits(Barometer, utPressureBar, 0, 17, ft_Fixed, 1.0, 0.0));
    EXPECT_EQ(m_rows.RowUnitsValue(Barometer), 0);
    EXPECT_EQ(m_rows.Cell(1, Barometer), "101.325");
    ASSERT_TRUE(m_rows.SetRowUnitsValue(Barometer, 1));
    EXPECT_EQ(m_rows.Cell(1, Barometer), "14.6959");
    EXPECT_EQ(m_rows.Cell(2, Barometer), "Psi");
    EXPECT_NEAR(std::get<double>(m_rows.GetValue(1, Barometer)), 101.325, 5e-4);
    ASSERT_TRUE(m_rows.SetRowUnitsValue(Barometer, -3));
    EXPECT_EQ(m_rows.Cell(2, Barometer), "kPa");
}

TEST_F(PropertyRowsTest, RowsOfOtherKindsRefuseNumericOperations)
{
    EXPECT_EQ(m_rows.SetUnits(Model, utTemperature, 0, 1, ft_Fixed, 1, 0).Message, "Error setting units, row 1");
    EXPECT_EQ(m_rows.SetUnits(99, utTemperature, 0, 1, ft_Fixed, 1, 0).Message, "Error setting units, row 99");
    EXPECT_EQ(m_rows.SetUnits(Barometer, utNone, 0, 0, ft_Fixed, 0, 0).Message, "Error setting units, row 2");
    EXPECT_EQ(m_rows.SetEnumStrings(Barometer, {}).Message, "Error setting enum strings, row 2");
    EXPECT_TRUE(m_rows.SetRowUnitsValue(Model, 1));
    EXPECT_EQ(m_rows.RowRangeHi(Model), 0);
    EXPECT_EQ(m_rows.RowFactor(Control), 0);
    EXPECT_FALSE(m_rows.RowHasUnits(Barometer));
    EXPECT_TRUE(m_rows.RowEnabled(99));
    ASSERT_TRUE(m_rows.SetRowEnabled(Model, false));
    EXPECT_FALSE(m_rows.RowEnabled(Model));
}

TEST_F(PropertyRowsTest, UtNoneRowsTakeTheCallersFactor)
{
    m_rows.SetValue(1, AirVolume, 1.0);
    ASSERT_TRUE(m_rows.SetUnits(AirVolume, utNone, 0, 0, ft_Fixed, 1000, 0));
    EXPECT_EQ(m_rows.Cell(1, AirVolume), "1000.000");
    EXPECT_EQ(m_rows.Cell(2, AirVolume), "");
}

TEST_F(PropertyRowsTest, EnteredTextIsCheckedAgainstTheRowsRange)
{
    TEntryCheck check = m_rows.EnterText(Barometer, "150");
    EXPECT_FALSE(check.InRange);
    EXPECT_EQ(m_rows.Cell(1, Barometer), "120.000");
    check = m_rows.EnterText(Barometer, "69.8");
    EXPECT_TRUE(check.InRange);
    EXPECT_EQ(m_rows.Cell(1, Barometer), "69.800");

    check = m_rows.EnterText(OnCoil, "50/17");
    EXPECT_FALSE(check.InRange);
    EXPECT_EQ(m_rows.Cell(1, OnCoil), "45.0/17.0");
    check = m_rows.EnterText(OnCoil, "-30/-40");
    EXPECT_FALSE(check.InRange);
    EXPECT_EQ(m_rows.Cell(1, OnCoil), "-10.0/-10.0");

    check = m_rows.EnterText(Barometer, "lots");
    EXPECT_FALSE(check.Readable);
    EXPECT_EQ(m_rows.Cell(1, Barometer), "69.800");

    EXPECT_EQ(m_rows.EnterText(Control, "temperature").Text, "Temperature");
    EXPECT_FALSE(m_rows.EnterText(Control, "Steam").Readable);
    EXPECT_EQ(m_rows.EnterText(Model, "544 720 4r 12f 7c").Text, "544 720 4r 12f 7c");

    // In °F the range is checked in °F: 5 °C is 41 °F.
    ASSERT_TRUE(m_rows.SetUnits(Inlet, utTemperature, 0, 1, ft_Fixed, 1.0, 0.0));
    check = m_rows.EnterText(Inlet, "30");
    EXPECT_FALSE(check.InRange);
    EXPECT_EQ(check.Text, "41.0");
    EXPECT_DOUBLE_EQ(std::get<double>(m_rows.GetValue(1, Inlet)), 5);
}

TEST_F(PropertyRowsTest, TextWithoutANumberLeavesTheCellAsItWas)
{
    // Cleaning reads "" and "-" as 0, which the range would turn into the low limit.
    m_rows.EnterText(Barometer, "101.325");
    m_rows.EnterText(AirVolume, "2.5");
    m_rows.EnterText(OnCoil, "25/17");
    const struct {
        int Row;
        const char* Text;
        const char* Kept;
    } cases[] = {
        {Barometer, "", "101.325"}, {Barometer, "  ", "101.325"}, {Barometer, "-", "101.325"},
        {Barometer, ".", "101.325"}, {AirVolume, "", "2.500"},    {OnCoil, "", "25.0/17.0"},
        {OnCoil, "/", "25.0/17.0"}, {OnCoil, "25/", "25.0/17.0"}, {OnCoil, "/17", "25.0/17.0"},
    };
    for (const auto& c : cases) {
        const TEntryCheck check = m_rows.EnterText(c.Row, c.Text);
        EXPECT_FALSE(check.Readable) << "\"" << c.Text << "\"";
        EXPECT_EQ(m_rows.Cell(1, c.Row), c.Kept) << "\"" << c.Text << "\"";
    }
    // A number, however odd, is still read.
    EXPECT_TRUE(m_rows.EnterText(Barometer, "-0").Readable);
    EXPECT_EQ(m_rows.Cell(1, Barometer), "70.000");
    EXPECT_TRUE(m_rows.EnterText(OnCoil, "20").Readable);
    EXPECT_EQ(m_rows.Cell(1, OnCoil), "20.0");
}

TEST(PropertyRowsTwoColumns, LabelsJoinTheNameAfterItsComma)
{
    TPropertyRows rows;
    ASSERT_TRUE(rows.SetRows({"Property; Units", "Velocity, m/s; %0.2f; ; NPE; 0; 0"}).empty());
    EXPECT_EQ(rows.ColCount(), 2);
    ASSERT_TRUE(rows.SetUnits(1, utVelocity, 0, 1, ft_Fixed, 1, 0));
    EXPECT_EQ(rows.Cell(0, 1), "Velocity,fpm");
}

}  // namespace
}  // namespace vantor
