#include "rows/number_entry.h"

#include "support/comma_locale.h"
#include "rows/num_field.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vantor {
namespace {

// The characters a format lets through as they are typed, and some it stops.
struct TKeysCase {
    const char* Format;
    const char* Accepted;
    const char* Refused;
};

void PrintTo(const TKeysCase& c, std::ostream* out) { *out << c.Format; }

class NumberEntry : public testing::TestWithParam<TKeysCase> {};

TNumberEntry BarometerEntry()
{
    TNumberEntry entry;
    entry.FormatStr = "%0.3f";
    entry.UnitsType = utPressureBar;
    entry.RangeLo = 70.0;
    entry.RangeHi = 120.0;
    return entry;
}

TEST_F(NumberEntry, RangeRulesHoldInDisplayUnitsWithTheirTolerance)
{
    struct TCase {
        const char* Typed;
        const char* Shown;
        bool InRange;
    };
    const TCase barometer[] = {
        {"101.3", "101.300", true}, {"150", "120.000", false}, {"69.8", "69.800", true},
        {"69.6", "70.000", false},  {"120.5", "120.500", true}, {"1 0 1.3", "101.300", true},
    };
    const TNumberEntry entry = BarometerEntry();
    for (const TCase& c : barometer) {
        const TEntryCheck check = entry.Check(c.Typed);
        EXPECT_EQ(check.Text, c.Shown) << c.Typed;
        EXPECT_EQ(check.InRange, c.InRange) << c.Typed;
        EXPECT_TRUE(check.Readable);
    }

    TNumberEntry percent;
    percent.FormatStr = "%0.1f";
    percent.RangeHi = 100;
    const TCase zeroToHundred[] = {{"-1", "0.0", false}, {"100.4", "100.4", true}, {"101", "100.0", false}};
    for (const TCase& c : zeroToHundred) {
        const TEntryCheck check = percent.Check(c.Typed);
        EXPECT_EQ(check.Text, c.Shown) << c.Typed;
        EXPECT_EQ(check.InRange, c.InRange) << c.Typed;
    }

    TNumberEntry unlimited;
    EXPECT_TRUE(unlimited.Check("-1e6").InRange);
}

TEST_F(NumberEntry, OtherUnitsShowTheSameQuantity)
{
    TNumberEntry entry = BarometerEntry();
    const std::string psi = entry.SetUnitsValue(1, "101.325");
    EXPECT_EQ(entry.FormatStr, "%0.4f");
    EXPECT_EQ(psi, "14.6959");
    EXPECT_NEAR(std::get<double>(entry.Value(psi)), 101.325, 5e-4);
    EXPECT_EQ(entry.UnitLabel(), "Psi");
    // 150 kPa is out of range in psi too: it comes back as 120 kPa in psi.
    EXPECT_EQ(entry.Check("21.7556").Text, "17.4045");
    EXPECT_FALSE(entry.Check("21.7556").InRange);
    // An index the type does not have selects unit 0.
    EXPECT_EQ(entry.SetUnitsValue(42, psi), "101.325");
    EXPECT_EQ(entry.UnitsValue, 0);
    // Text that is no number stays as typed through a unit change.
    EXPECT_EQ(entry.SetUnitsValue(1, "abc"), "abc");
    EXPECT_EQ(entry.UnitLabel(), "Psi");

    TNumberEntry temperature;
    EXPECT_EQ(temperature.SetUnitsType(utTemperature, "20.0"), "20.0");
    EXPECT_EQ(temperature.SetUnitsValue(1, "20.0"), "68.0");
    EXPECT_EQ(temperature.SetUnitsValue(2, "68.0"), "293.15");
}

TEST_F(NumberEntry, PairsAreCheckedAndConvertedTogether)
{
    TNumberEntry pair;
    pair.FormatStr = "%0.1f/%0.1f";
    EXPECT_EQ(pair.Check("24/17").Text, "24.0/17.0");
    EXPECT_EQ(pair.Check("24").Text, "24.0");
    pair.RangeLo = -10;
    pair.RangeHi = 45;
    EXPECT_FALSE(pair.Check("24/50").InRange);
    EXPECT_EQ(pair.Check("24/50").Text, "24.0/45.0");
    EXPECT_FALSE(pair.Check("24/dry").Readable);
    // Air texts are read as written: a second slash or point is refused, never joined up.
    for (const char* text : {"25/17/3", "2.5.5/17", "25/", ""}) {
        SCOPED_TRACE(text);
        const TEntryCheck check = pair.Check(text);
        EXPECT_FALSE(check.Readable);
        EXPECT_EQ(check.Text, text);
    }
    EXPECT_EQ(pair.Check(" 24 / 17 ").Text, "24.0/17.0");

    pair.UnitsType = utTemperature;
    EXPECT_EQ(pair.SetUnitsValue(1, "24.0/17.0"), "75.2/62.6");
    EXPECT_EQ(pair.FormatStr, "%0.1f/%0.1f");
    EXPECT_EQ(std::get<std::string>(pair.Value("75.2/62.6")), "24/17");
    EXPECT_EQ(pair.ValueText(std::string("24/17")), "75.2/62.6");
}

TEST_P(NumberEntry, KeysAreFilteredByTheFormat)
{
    TNumberEntry entry;
    entry.FormatStr = GetParam().Format;
    for (const char* p = GetParam().Accepted; *p; ++p) EXPECT_TRUE(entry.AcceptsChar(*p)) << *p;
    for (const char* p = GetParam().Refused; *p; ++p) EXPECT_FALSE(entry.AcceptsChar(*p)) << *p;
}

INSTANTIATE_TEST_SUITE_P(, NumberEntry,
                         testing::Values(TKeysCase{"%d", "0123456789-", ".eEa/ "},
                                         TKeysCase{"%0.3f", "0123456789-.", "eEa/,"},
                                         TKeysCase{"%0.4g", "0123456789-.eE", "a/,"},
                                         TKeysCase{"%0.1f/%0.1f", "0123456789-./", "eEa,"},
                                         TKeysCase{"%s", "aZ ./,e", ""}));

TEST_F(NumberEntry, ValuesOfTextAndIntegerFormats)
{
    TNumberEntry text;
    text.FormatStr = "%s";
    EXPECT_EQ(text.Check("Water").Text, "Water");
    EXPECT_EQ(std::get<std::string>(text.Value("Water")), "Water");

    TNumberEntry integer;
    integer.FormatStr = "%d";
    EXPECT_EQ(integer.Check("12.6").Text, "13");
    EXPECT_EQ(std::get<long long>(integer.Value("12.6")), 13);
    EXPECT_EQ(integer.ValueText(7.4), "7");
    EXPECT_EQ(std::get<std::string>(integer.Value("twelve")), "twelve");
    EXPECT_FALSE(integer.Check("twelve").Readable);
    EXPECT_EQ(integer.Check("twelve").Text, "twelve");
}

TEST_F(NumberEntry, RowsUseTheSameRules)
{
    TNumField field("%0.1f", fs_Edit, 5, 150);
    field.UnitsType = utTemperature;
    field.UnitsValue = 1;
    ASSERT_TRUE(field.ApplyUnits());
    const TNumberEntry entry = TNumberEntry::ForField(field);
    EXPECT_EQ(entry.Check("400").Text, "302.0");
    EXPECT_EQ(entry.ValueText(20.0), field.ValueToText(20.0));
}

TEST_F(NumberEntry, CheckingIgnoresACommaDecimalLocale)
{
    test::TCommaLocale locale;
    ASSERT_TRUE(test::TCommaLocale::IsActive());
    EXPECT_EQ(BarometerEntry().Check("101.3").Text, "101.300");
    EXPECT_FALSE(BarometerEntry().Check("101,3").Readable);
}

}  // namespace
}  // namespace vantor
