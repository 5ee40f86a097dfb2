#include "geometry/designation.h"

#include "support/comma_locale.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vantor {
namespace {

const TModelValues kUntouched{0.1, 0.2, 3, 4, 5};

void ExpectValues(const TModelValues& actual, const TModelValues& expected, const std::string& text)
{
    EXPECT_DOUBLE_EQ(actual.fHeight, expected.fHeight) << text;
    EXPECT_DOUBLE_EQ(actual.fLength, expected.fLength) << text;
    EXPECT_DOUBLE_EQ(actual.Rows, expected.Rows) << text;
    EXPECT_DOUBLE_EQ(actual.fpi, expected.fpi) << text;
    EXPECT_DOUBLE_EQ(actual.Circ, expected.Circ) << text;
}

// A designation, the code it reads with and the values it gives (kUntouched: none).
struct TDesignationCase {
    std::string text;
    int code;
    TModelValues values;
};

void PrintTo(const TDesignationCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class DesignationTest : public testing::TestWithParam<TDesignationCase> {};

TEST_P(DesignationTest, ParseReadsFiveValuesAndCodesTheLastOneOutOfRange)
{
    TModelValues values = kUntouched;
    EXPECT_EQ(ParseDesignation(GetParam().text, values), GetParam().code);
    ExpectValues(values, GetParam().values, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    , DesignationTest,
    testing::Values(
        TDesignationCase{"544 720 4r 12f 7c", 0, {0.544, 0.72, 4, 12, 7}},
        TDesignationCase{"544 x 720 4r 12f  (14c)", 0, {0.544, 0.72, 4, 12, 14}},
        TDesignationCase{"544x720x4rx12fx7c", 0, {0.544, 0.72, 4, 12, 7}},
        TDesignationCase{"544-720-4-12-7", 0, {0.544, 0.72, 4, 12, 7}},
        TDesignationCase{"544X720/4r/12f/7c and some notes", 0, {0.544, 0.72, 4, 12, 7}},
        TDesignationCase{"6.25 100 1 0 1", 0, {0.00625, 0.1, 1, 0, 1}},  // every lower end is allowed
        TDesignationCase{"25000 50000 20 30 1600", 0, {25, 50, 20, 30, 1600}},  // every upper end is allowed
        TDesignationCase{"5 720 4r 12f 7c", 5, {0.005, 0.72, 4, 12, 7}},  // kept with its code
        TDesignationCase{"544 99 4r 12f 7c", 6, {0.544, 0.099, 4, 12, 7}},
        TDesignationCase{"544 720 0.5r 12f 7c", 7, {0.544, 0.72, 0.5, 12, 7}},
        TDesignationCase{"544 720 4r 31f 7c", 2, {0.544, 0.72, 4, 31, 7}},
        TDesignationCase{"544 720 4r 12f 0c", 8, {0.544, 0.72, 4, 12, 0}},
        TDesignationCase{"544 720 25r 40f 7c", 2, {0.544, 0.72, 25, 40, 7}},  // rows fail first, fins last
        TDesignationCase{"5 720 25r 12f 7c", 7, {0.005, 0.72, 25, 12, 7}},
        TDesignationCase{"544 720 4r 12f", 1, kUntouched},  // four numbers only
        TDesignationCase{"544 720 4R 12F 7C", 1, kUntouched},  // upper-case letters are no separators
        TDesignationCase{"544 720 four rows", 1, kUntouched},
        TDesignationCase{"", 1, kUntouched},
        TDesignationCase{"544 720 4r 12f 1e999c", 1, kUntouched}));  // a number beyond double

TEST_F(DesignationTest, DecimalsAreReadWithAPointUnderACommaLocale)
{
    test::TCommaLocale locale;
    ASSERT_TRUE(test::TCommaLocale::IsActive());
    TModelValues values = kUntouched;
    EXPECT_EQ(ParseDesignation("544.5 720 2.5r 12.5f 7c", values), kDesignationOk);
    ExpectValues(values, {0.5445, 0.72, 2.5, 12.5, 7}, "decimals");
    EXPECT_EQ(FormatDesignation({0.5334, 0.74, 2.5, 10, 7}), "533.4 x 740  2.5r  10f  7c");
}

TEST_F(DesignationTest, StandardFormHasTwoBlanksBeforeRowsFinsAndCircuits)
{
    EXPECT_EQ(FormatDesignation({0.5334, 0.74, 4, 10, 7}), "533.4 x 740  4r  10f  7c");
    EXPECT_EQ(FormatDesignation({0.544, 0.72, 4, 12, 7}), "544 x 720  4r  12f  7c");
    EXPECT_EQ(FormatDesignation({1.2345678, 0.1, 1, 12.5, 1600}), "1234.57 x 100  1r  12.5f  1600c");
    // Asked again, and after another coil: each text stays its own coil's.
    EXPECT_EQ(FormatDesignation({1.2345678, 0.1, 1, 12.5, 1600}), "1234.57 x 100  1r  12.5f  1600c");
    EXPECT_EQ(FormatDesignation({0.544, 0.72, 4, 12, 7}), "544 x 720  4r  12f  7c");
    EXPECT_EQ(FormatDesignation({0.544, 0.72, -0.0, 12, 7}), "544 x 720  0r  12f  7c");
    EXPECT_EQ(FormatDesignation({0.544, 0.72, 0.0, 12, 7}), "544 x 720  0r  12f  7c");
}

TEST_F(DesignationTest, MakerStylesOfTheDefaultCoil)
{
    // The default record: 533.4 mm (21 in, 14 tubes at 38.1 mm) by 740 mm, 4 rows, 10 fpi
    // (2.54 mm fin pitch), 7 circuits, 1/2 in copper tubes at 33 mm rows, aluminium fins,
    // galvanised casing, a hot-water coil.
    struct TCase {
        std::string maker;
        std::string expected;
    };
    const TCase cases[] = {
        {"GEA", "14T 4.0NR 740A 3P 7NC"},
        {"gea", "14T 4.0NR 740A 3P 7NC"},
        {"BAC", "14 - 74 - 4.0 / 2.54 - 7c"},
        {"HC", "4 HWC 21 x 740 x 4.0r x 10.00f - 7c (Cu/Al/GI)"},
        {"Recoil", "HW  12733 / 14 / 4.0 / 10.00 /  740 Al/GI (7)"},
        {"Enviroware", "ENV4  21\" x 740mm x 4.0r x 10.00f - 7c"},
        {"Default", ""},
        {"Typical", ""},
    };
    for (const TCase& c : cases) {
        TModelRec rec;
        rec.Mnf = c.maker;
        EXPECT_EQ(MakerDesignation(rec), c.expected) << c.maker;
    }
}

TEST_F(DesignationTest, RecoilPrintsTheTubeInTenthsOfAMillimetre)
{
    struct TCase {
        std::uint8_t tube;
        double sx;
        std::string start;
    };
    const TCase cases[] = {
        {4, 0.033, "HW  12733 /"},   // 1/2 in = 12.7 mm
        {6, 0.044, "HW  19044 /"},   // 3/4 in = 19.05 mm, the half rounded to even
        {3, 0.022, "HW  09522 /"},   // 3/8 in = 9.525 mm, padded to three digits
        {112, 0.026, "HW  12026 /"}, // 12 mm metric tube
    };
    for (const TCase& c : cases) {
        TModelRec rec;
        rec.Mnf = "Recoil";
        rec.Tube = c.tube;
        rec.Sx = c.sx;
        EXPECT_TRUE(MakerDesignation(rec).starts_with(c.start)) << MakerDesignation(rec);
    }
}

TEST_F(DesignationTest, CodesOutsideTheirTablesPrintTheDefaults)
{
    TModelRec rec;
    rec.Mnf = "HC";
    rec.Tube = 116;
    rec.Code = 9;
    rec.Mt = 200;
    rec.Mf = 8;
    rec.Mc = 255;
    EXPECT_EQ(MakerDesignation(rec), "16 HWC 21 x 740 x 4.0r x 10.00f - 7c (Cu/Al/GI)");
    rec.Code = 2;  // steam: the one code both lists share
    EXPECT_TRUE(MakerDesignation(rec).starts_with("16 ST ")) << MakerDesignation(rec);
}

}  // namespace
}  // namespace vantor
