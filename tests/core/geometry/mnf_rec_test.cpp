#include "geometry/mnf_rec.h"

#include "catalogue_test_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vantor {
namespace {

using test::ExpectSameRange;

// A catalogue line that cannot be read, and the tube code read before it failed.
struct TUnreadableLine {
    std::string line;
    int tubeCode;
};

void PrintTo(const TUnreadableLine& c, std::ostream* out) { *out << '"' << c.line << '"'; }

class MnfRecTest : public testing::TestWithParam<TUnreadableLine> {};

TEST_F(MnfRecTest, CatalogueLineOfTheDefaultRangeReadsBackWithoutItsTubeCode)
{
    const std::string line = CatalogueLine(DefaultMnfRec());
    EXPECT_EQ(line, "1/2 inch, 12.5222, 13.3350, 33.0000, 38.1000, 0.1500, Staggered, Cu, Al, 1.0000, 1.0000, 0");
    int tubeCode = -1;
    const std::optional<TMnfRec> back = ReadCatalogueLine("Default", line, tubeCode);
    ASSERT_TRUE(back);
    TMnfRec expected = DefaultMnfRec();
    expected.d = 0;
    ExpectSameRange(*back, expected);
}

TEST_F(MnfRecTest, LinesOfBothFormsAreRead)
{
    TMnfRec inLine = DefaultMnfRec();
    inLine.maker = "HC";
    inLine.name = "";
    inLine.kind = kInLine;
    TMnfRec copperFin = inLine;
    copperFin.d = 5;
    copperFin.kind = kStaggered;
    copperFin.id = 0.014859;
    copperFin.od = 0.015875;
    copperFin.t = 0.00012;
    copperFin.finMaterial = "Cu";
    copperFin.finFactor = 1.064;
    copperFin.basis = kBasisRowsDeep;
    TMnfRec twelve = copperFin;
    twelve.d = 0;
    twelve.name = "5/8 inch";
    twelve.kind = kInLine;
    twelve.tubeFactor = 1.5;

    struct TCase {
        std::string line;
        TMnfRec expected;
    };
    const TCase cases[] = {
        {"4i, 12.5222, 13.335, 33, 38.1, 0.15, Cu, Al, 1, 0", inLine},
        {"5, 14.859, 15.875, 33, 38.1, 0.12, Cu, Cu, 1.064, 1 (rows deep)", copperFin},
        {"  5/8 inch , 14.859,15.875, 33, 38.1, 0.12, in-line, Cu, Cu, 1.064, 1.5, 1", twelve},
    };
    for (const TCase& c : cases) {
        int tubeCode = -1;
        const std::optional<TMnfRec> rec = ReadCatalogueLine("HC", c.line, tubeCode);
        ASSERT_TRUE(rec) << c.line;
        ExpectSameRange(*rec, c.expected);
    }
}

TEST_P(MnfRecTest, UnreadableLinesReportTheTubeCodeReadSoFar)
{
    int tubeCode = -1;
    EXPECT_FALSE(ReadCatalogueLine("HC", GetParam().line, tubeCode));
    EXPECT_EQ(tubeCode, GetParam().tubeCode);
}

INSTANTIATE_TEST_SUITE_P(
    , MnfRecTest,
    testing::Values(
        TUnreadableLine{"1/2 inch, abc, 13.335, 33, 38.1, 0.15, Staggered, Cu, Al, 1, 1, 0", 0},
        TUnreadableLine{"1/2 inch, 12.5, 13.335, 33, 38.1, 0.15, Staggered, Cu, Al, 1, 1, deep", 0},
        TUnreadableLine{"1/2 inch, 12.5, 0, 33, 38.1, 0.15, Staggered, Cu, Al, 1, 1, 0", 0},  // zero diameter
        TUnreadableLine{"1/2 inch, 12.5, 13.3, -33, 38.1, 0.15, Staggered, Cu, Al, 1, 1, 0", 0},  // negative pitch
        TUnreadableLine{"x4, 12.5222, 13.335, 33, 38.1, 0.15, Cu, Al, 1, 0", 4},
        TUnreadableLine{"6, 12.5222, 13.335, 33, 38.1", 6},  // fin thickness missing
        TUnreadableLine{"5i, 12.5222, 13.335, 33, 38.1, 0.15, Cu, Al, none, 0", 5},
        TUnreadableLine{"999, 12.5222, 13.335, 33, 38.1, 0.15, Cu, Al, 1, 0", 4},  // no tube code
        TUnreadableLine{"a, b, c, d, e, f, g, h, i, j, k", 0},  // eleven parts
        TUnreadableLine{"", 0}));

TEST_F(MnfRecTest, RangeTakenIntoAModelRecordLeavesTheModelValuesAndCasing)
{
    TModelRec rec;
    rec.fHeight = 0.9;
    rec.Code = 2;
    rec.Rifle = true;
    rec.Sections = 3;
    rec.Mc = 4;
    rec.tc = 0.002;
    TMnfRec range = DefaultMnfRec();
    range.maker = "GEA";
    range.name = "12 mm";
    range.d = 112;
    range.kind = kInLine;
    range.basis = kBasisRowsDeep;
    range.tubeMaterial = "ss";
    range.finMaterial = "cu";
    ApplyMnfRec(range, rec);

    EXPECT_EQ(rec.Mnf, "GEA");
    EXPECT_EQ(rec.Model, "12 mm");
    EXPECT_EQ(rec.Tube, 112);
    EXPECT_EQ(rec.tp, kInLine);
    EXPECT_EQ(rec.cb, kBasisRowsDeep);
    EXPECT_EQ(rec.Mt, 4);
    EXPECT_EQ(rec.Mf, 0);
    EXPECT_DOUBLE_EQ(rec.tf, 0.00015);
    EXPECT_DOUBLE_EQ(rec.fHeight, 0.9);
    EXPECT_EQ(rec.Code, 2);
    EXPECT_TRUE(rec.Rifle);
    EXPECT_EQ(rec.Sections, 3);
    EXPECT_EQ(rec.Mc, 4);
    EXPECT_DOUBLE_EQ(rec.tc, 0.002);
    ExpectSameRange(MnfRecOf(rec), TMnfRec{"GEA", "12 mm", 112, range.id, range.od, range.sx, range.sy, range.t,
                                           kInLine, "SS", "Cu", 1, 1, kBasisRowsDeep});
}

TEST_F(MnfRecTest, UnknownMaterialsAndTubeCodesFallBackToTheDefaults)
{
    TModelRec rec;
    rec.Mt = 7;
    rec.Mf = 0;
    TMnfRec range = DefaultMnfRec();
    range.tubeMaterial = "Zinc";
    range.finMaterial = "";
    range.d = 300;
    range.kind = 7;
    range.basis = -2;
    ApplyMnfRec(range, rec);
    EXPECT_EQ(rec.Mt, kCopper);
    EXPECT_EQ(rec.Mf, kAluminium);
    EXPECT_EQ(rec.Tube, 4);
    EXPECT_EQ(rec.tp, kStaggered);
    EXPECT_EQ(rec.cb, kBasisTubesHigh);
}

TEST_F(MnfRecTest, LongNamesAreCutAtACharacterBoundary)
{
    EXPECT_EQ(LimitedName(std::string(300, 'a')).size(), kMaxNameLength);
    // 254 ASCII bytes then a two-byte character straddling the limit: the character goes.
    const std::string straddling = std::string(254, 'a') + "\xC3\xA9" + "tail";
    EXPECT_EQ(LimitedName(straddling), std::string(254, 'a'));
    EXPECT_EQ(LimitedName("short"), "short");
}

}  // namespace
}  // namespace vantor
