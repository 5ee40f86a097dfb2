#include "rows/property_rows.h"

#include "rows/num_field.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

// One row of each kind a descriptor line can describe: plain text, a number in a unit with
// its range, a pair of numbers, a number without the property-editor style, an enumeration,
// a temperature to show in other units, and a check box.
const std::vector<std::string> kRows = {
    "Property; Value; Units",
    "Tag; %s; ; PE",
    "Pressure; %0.3f; kPa; PE; 70; 120",
    "Air On; %0.1f/%0.1f; °C; PE; -10; 45",
    "Air Flow; %0.3f; m³/s; NPE; 0.1; 100",
    "Control; enum; ; Temperature; Flow",
    "Inlet; %0.1f; °C; NPE; 5.0; 150",
    "Frost Guard; check; ; PE",
};

enum Row { Tag = 1, Pressure, AirOn, AirFlow, Control, Inlet, Guard };

class PropertyRowsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_rows.SetRows(kRows).empty()); }
    TPropertyRows m_rows;
};

TEST_F(PropertyRowsTest, RowsAreBuiltFromTheDescriptors)
{
    EXPECT_EQ(m_rows.RowCount(), 8);
    EXPECT_EQ(m_rows.ColCount(), 3);
    EXPECT_EQ(m_rows.Cell(0, 0), "Property");
    EXPECT_EQ(m_rows.Cell(2, 0), "Units");
    EXPECT_EQ(m_rows.Cell(0, Pressure), "Pressure");
    EXPECT_EQ(m_rows.Cell(1, Pressure), "0.000");
    EXPECT_EQ(m_rows.Cell(2, Pressure), "kPa");
    EXPECT_EQ(m_rows.RowFormat(0), "%S");
    EXPECT_EQ(m_rows.RowEnumStrings(Control), (std::vector<std::string>{"Temperature", "Flow"}));
    ASSERT_NE(m_rows.Field(Guard), nullptr);
    EXPECT_EQ(m_rows.Field(Guard)->Style, fs_Check);
    EXPECT_EQ(m_rows.NumField(Guard), nullptr);

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
    m_rows.SetValue(1, Tag, std::string("544 720 4r 12f 7c"));
    m_rows.SetValue(1, Pressure, 101.325);
    m_rows.SetValue(1, AirOn, std::string("24/17"));
    m_rows.SetValue(1, Control, 1LL);
    EXPECT_EQ(m_rows.Cell(1, Tag), "544 720 4r 12f 7c");
    EXPECT_EQ(m_rows.Cell(1, Pressure), "101.325");
    EXPECT_EQ(m_rows.Cell(1, AirOn), "24.0/17.0");
    EXPECT_EQ(m_rows.Cell(1, Control), "Flow");
    EXPECT_EQ(std::get<double>(m_rows.GetValue(1, Pressure)), 101.325);
    EXPECT_EQ(std::get<long long>(m_rows.GetValue(1, Control)), 1);
    EXPECT_EQ(std::get<std::string>(m_rows.GetValue(2, Pressure)), "kPa");
    m_rows.SetValue(1, Guard, true);
    EXPECT_EQ(m_rows.Cell(1, Guard), "[x]");
    EXPECT_EQ(std::get<bool>(m_rows.GetValue(1, Guard)), true);
    m_rows.SetValue(1, Guard, std::string("false"));
    EXPECT_EQ(m_rows.Cell(1, Guard), "[ ]");
    EXPECT_EQ(std::get<bool>(m_rows.GetValue(1, Guard)), false);
    m_rows.SetCell(1, Pressure, "high");
    EXPECT_EQ(std::get<std::string>(m_rows.GetValue(1, Pressure)), "high");
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

    m_rows.SetValue(1, AirOn, std::string("24/17"));
    ASSERT_TRUE(m_rows.SetUnits(AirOn, utTemperature, 0, 1, ft_Fixed, 1.0, 0.0));
    EXPECT_EQ(m_rows.RowFormat(AirOn), "%0.1f/%0.1f");
    EXPECT_EQ(m_rows.Cell(1, AirOn), "75.2/62.6");

    // A unit index the type does not have falls back to unit 0.
    m_rows.SetValue(1, Pressure, 101.325);
    ASSERT_TRUE(m_rows.SetUnits(Pressure, utPressureBar, 0, 17, ft_Fixed, 1.0, 0.0));
    EXPECT_EQ(m_rows.RowUnitsValue(Pressure), 0);
    EXPECT_EQ(m_rows.Cell(1, Pressure), "101.325");
    ASSERT_TRUE(m_rows.SetRowUnitsValue(Pressure, 1));
    EXPECT_EQ(m_rows.Cell(1, Pressure), "14.6959");
    EXPECT_EQ(m_rows.Cell(2, Pressure), "Psi");
    EXPECT_NEAR(std::get<double>(m_rows.GetValue(1, Pressure)), 101.325, 5e-4);
    ASSERT_TRUE(m_rows.SetRowUnitsValue(Pressure, -3));
    EXPECT_EQ(m_rows.Cell(2, Pressure), "kPa");
}

TEST_F(PropertyRowsTest, RowsOfOtherKindsRefuseNumericOperations)
{
    EXPECT_EQ(m_rows.SetUnits(Tag, utTemperature, 0, 1, ft_Fixed, 1, 0).Message, "Error setting units, row 1");
    EXPECT_EQ(m_rows.SetUnits(99, utTemperature, 0, 1, ft_Fixed, 1, 0).Message, "Error setting units, row 99");
    EXPECT_EQ(m_rows.SetUnits(Pressure, utNone, 0, 0, ft_Fixed, 0, 0).Message, "Error setting units, row 2");
    EXPECT_EQ(m_rows.SetEnumStrings(Pressure, {}).Message, "Error setting enum strings, row 2");
    EXPECT_TRUE(m_rows.SetRowUnitsValue(Tag, 1));
    EXPECT_EQ(m_rows.RowRangeHi(Tag), 0);
    EXPECT_EQ(m_rows.RowFactor(Control), 0);
    EXPECT_FALSE(m_rows.RowHasUnits(Pressure));
    EXPECT_TRUE(m_rows.RowEnabled(99));
    ASSERT_TRUE(m_rows.SetRowEnabled(Tag, false));
    EXPECT_FALSE(m_rows.RowEnabled(Tag));
}

TEST_F(PropertyRowsTest, UtNoneRowsTakeTheCallersFactor)
{
    m_rows.SetValue(1, AirFlow, 1.0);
    ASSERT_TRUE(m_rows.SetUnits(AirFlow, utNone, 0, 0, ft_Fixed, 1000, 0));
    EXPECT_EQ(m_rows.Cell(1, AirFlow), "1000.000");
    EXPECT_EQ(m_rows.Cell(2, AirFlow), "");
}

TEST_F(PropertyRowsTest, EnteredTextIsCheckedAgainstTheRowsRange)
{
    TEntryCheck check = m_rows.EnterText(Pressure, "150");
    EXPECT_FALSE(check.InRange);
    EXPECT_EQ(m_rows.Cell(1, Pressure), "120.000");
    check = m_rows.EnterText(Pressure, "69.8");
    EXPECT_TRUE(check.InRange);
    EXPECT_EQ(m_rows.Cell(1, Pressure), "69.800");

    check = m_rows.EnterText(AirOn, "50/17");
    EXPECT_FALSE(check.InRange);
    EXPECT_EQ(m_rows.Cell(1, AirOn), "45.0/17.0");
    check = m_rows.EnterText(AirOn, "-30/-40");
    EXPECT_FALSE(check.InRange);
    EXPECT_EQ(m_rows.Cell(1, AirOn), "-10.0/-10.0");

    check = m_rows.EnterText(Pressure, "lots");
    EXPECT_FALSE(check.Readable);
    EXPECT_EQ(m_rows.Cell(1, Pressure), "69.800");

    EXPECT_EQ(m_rows.EnterText(Control, "temperature").Text, "Temperature");
    EXPECT_FALSE(m_rows.EnterText(Control, "Steam").Readable);
    EXPECT_EQ(m_rows.EnterText(Tag, "544 720 4r 12f 7c").Text, "544 720 4r 12f 7c");

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
    m_rows.EnterText(Pressure, "101.325");
    m_rows.EnterText(AirFlow, "2.5");
    m_rows.EnterText(AirOn, "25/17");
    const struct {
        int Row;
        const char* Text;
        const char* Kept;
    } cases[] = {
        {Pressure, "", "101.325"}, {Pressure, "  ", "101.325"}, {Pressure, "-", "101.325"},
        {Pressure, ".", "101.325"}, {AirFlow, "", "2.500"},    {AirOn, "", "25.0/17.0"},
        {AirOn, "/", "25.0/17.0"}, {AirOn, "25/", "25.0/17.0"}, {AirOn, "/17", "25.0/17.0"},
    };
    for (const auto& c : cases) {
        const TEntryCheck check = m_rows.EnterText(c.Row, c.Text);
        EXPECT_FALSE(check.Readable) << "\"" << c.Text << "\"";
        EXPECT_EQ(m_rows.Cell(1, c.Row), c.Kept) << "\"" << c.Text << "\"";
    }
    // A number, however odd, is still read.
    EXPECT_TRUE(m_rows.EnterText(Pressure, "-0").Readable);
    EXPECT_EQ(m_rows.Cell(1, Pressure), "70.000");
    EXPECT_TRUE(m_rows.EnterText(AirOn, "20").Readable);
    EXPECT_EQ(m_rows.Cell(1, AirOn), "20.0");
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
