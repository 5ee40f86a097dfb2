#include "units/unit_format.h"

#include "units/units_registry.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

class UnitFormatTest : public testing::Test {
protected:
    TUnitsRegistry m_units = StandardUnitsRegistry();
};

TEST_F(UnitFormatTest, QuantitiesShowInTheirRecordsUnits)
{
    EXPECT_EQ(FormatUnit("Density = %s %s", m_units.At("liquid", "rho"), false, 998.2), "Density = 998 kg/m³");
    EXPECT_EQ(FormatUnit("Mass Flow,%s,%s", m_units.At("liquid", "mass_flow"), false, 1.25), "Mass Flow,1.25,kg/s");
    // A quantity stored in Pa shown in kPa; one stored as a percentage shown as a fraction.
    EXPECT_EQ(UnitText(m_units.At("ref", "p"), true, " ", true, 101325), "101.325 kPa");
    EXPECT_EQ(UnitText(m_units.At("general", "fraction"), false, "", false, 35), "0.350");
    // Condensate stored in kg/s shown in g/s.
    EXPECT_EQ(UnitText(m_units.At("general", "cond_rate"), true, " ", true, 0.0125), "12.5 g/s");
    // Relative humidity stored as a fraction, shown in per cent.
    UnitRec& rh = m_units.At("air", "rh");
    EXPECT_EQ(UnitText(rh, true, " ", false, 0.5), "50.0 %");
    EXPECT_EQ(rh.Label, "%");
    // Barometric pressure gets three more decimals than its magnitude alone would.
    EXPECT_EQ(UnitText(m_units.At("place", "barom_pressure"), true, " ", false, 101.325), "101.325 kPa");
    EXPECT_EQ(UnitText(m_units.At("place", "barom_pressure"), false, "", false, 95.4), "95.4000");
}

TEST_F(UnitFormatTest, KeepFormatUsesTheUnitsDefaultFormat)
{
    UnitRec& t = m_units.At("liquid", "t");
    EXPECT_EQ(UnitText(t, true, " ", true, 82), "82.0 °C");
    EXPECT_EQ(UnitText(t, true, " ", false, 82), "82.0 °C");
    EXPECT_EQ(UnitText(t, false, "", false, 0.25), "0.250");
    EXPECT_EQ(t.Fmt, "%0.3f");  // the record keeps the format it last used
}

TEST_F(UnitFormatTest, ChangedUnitsTakeEffectAtTheNextUse)
{
    UnitRec& t = m_units.At("air", "t");
    t.Units = 1;
    EXPECT_EQ(UnitText(t, true, " ", true, 20), "68.0 °F");
    EXPECT_EQ(ReadUnitText(t, " 6 8"), 20);
    EXPECT_EQ(ReadUnitText(t, "warm"), std::nullopt);
    t.Units = 2;
    EXPECT_EQ(UnitText(t, true, "", true, 0), "273.15K");
    EXPECT_EQ(ReadUnitText(t, "273.15"), 0);
    // An index that fits no unit falls back to the record's default unit.
    t.Units = 9;
    EXPECT_EQ(UnitText(t, true, " ", true, 20), "20.0 °C");
    EXPECT_EQ(t.Units, 0);
}

TEST_F(UnitFormatTest, PairsShareOneUnitAndTheFirstValuesFormat)
{
    UnitRec& t = m_units.At("air", "t");
    EXPECT_EQ(FormatUnitPair("On coil %s %s", t, false, 24, 17), "On coil 24.0/17.0 °C");
    EXPECT_EQ(UnitPairText(t, false, "", false, 5.5, 17), "5.50/17.00");
    t.Units = 1;
    EXPECT_EQ(UnitPairText(t, true, " ", true, 24, 17), "75.2/62.6 °F");
}

}  // namespace
}  // namespace vantor
