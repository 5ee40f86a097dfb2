#include "geometry/coil_maker_choice.h"

#include "catalogue_test_support.h"
#include "geometry/coil_makers.h"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

// Two makers. Acme's first two ranges share tube, pitches and fin thickness and differ in
// name and fin material; "Twin A" and "Twin B" differ only in their names.
constexpr const char* kCatalogue = R"(<catalog kind="coil" version="1.0.0.0" developer="korvane">
  <item>
    <maker>Acme</maker>
    <fin t="0.15" mt="Al" f="1"/>
    <model name="1/2 inch" d="4"><tube id="12.5222" od="13.335"/><pat sx="33" sy="38.1"/></model>
    <model name="1/2 inch copper" d="4"><fin mt="Cu"/><tube id="12.5222" od="13.335"/><pat sx="33" sy="38.1"/></model>
    <model name="5/8 inch, wavy" d="5"><fin f="1.064"/><tube id="14.859" od="15.875"/><pat sx="44" sy="50.8" kind="In-line"/><circ basis="depth"/></model>
    <model name="Twin A" d="3"><fin t="0.12"/><tube id="8.8138" od="9.525"/><pat sx="22" sy="25.4"/></model>
    <model name="Twin B" d="3"><fin t="0.12"/><tube id="8.8138" od="9.525"/><pat sx="22" sy="25.4"/></model>
  </item>
  <item>
    <maker>Boreal</maker>
    <model name="12 mm" d="112"><tube id="11.3" od="12"/><pat sx="26" sy="30"/></model>
  </item>
</catalog>)";

class CoilMakerChoiceTest : public ::testing::Test {
protected:
    CoilMakerChoiceTest() : catalogue(folders.Env), choice(catalogue) { folders.Install(kCatalogue); }

    // A record built from Acme's range at index.
    TModelRec AcmeRecord(size_t index)
    {
        catalogue.LoadMaker("Acme");
        TMnfRec range = catalogue.CachedRanges().at(index);
        TModelRec rec;
        ApplyMnfRec(range, rec);
        return rec;
    }

    test::TCatalogueFolders folders;
    TCoilMakers catalogue;
    TCoilMakerChoice choice;
};

TEST_F(CoilMakerChoiceTest, FillMakersChoosesTheRecordsMakerWithoutRegardToCaseAndListsItsRanges)
{
    choice.CurrentRecord.Mnf = "BOREAL";
    choice.FillMakers();
    ASSERT_EQ(choice.MakerNames(), (std::vector<std::string>{"Acme", "Boreal"}));
    EXPECT_EQ(choice.MakerIndex(), 1);
    ASSERT_EQ(choice.Rows().size(), 1u);
    EXPECT_EQ(choice.Rows()[0],
              (TCoilMakerRow{"12 mm", "11.3000", "12.0000", "26.0000", "30.0000", "0.1500", "Staggered", "Cu", "Al",
                             "1.0000", "1.0000", "0"}));
    EXPECT_EQ(choice.SelectedRow(), 0);

    // A name holding a comma stays whole in its column.
    choice.ChooseMaker(0);
    ASSERT_EQ(choice.Rows().size(), 5u);
    EXPECT_EQ(choice.Rows()[2][0], "5/8 inch, wavy");
    EXPECT_EQ(choice.Rows()[2][6], "In-line");
    EXPECT_EQ(choice.Rows()[2][11], "1");
}

TEST_F(CoilMakerChoiceTest, AMakerOutsideTheCatalogueChoosesNoMakerAndListsNothing)
{
    choice.CurrentRecord.Mnf = "Nobody";
    choice.FillMakers();
    EXPECT_EQ(choice.MakerIndex(), -1);
    EXPECT_TRUE(choice.Rows().empty());
    EXPECT_FALSE(choice.Accept());
    EXPECT_EQ(choice.CurrentRecord.Mnf, "Nobody");
}

TEST_F(CoilMakerChoiceTest, SelectCurrentRangeScoresTheCandidates)
{
    struct TCase {
        const char* name;
        size_t recordFrom;                    // Acme's range the record is built from
        void (*change)(TModelRec&);
        int expectedRow;
    };
    const TCase cases[] = {
        // Equal in every column: that row, although row 1 has the same tube data.
        {"perfect match stops the search", 0, [](TModelRec&) {}, 0},
        {"fin material decides", 1, [](TModelRec&) {}, 1},
        // Neither twin carries the record's name: the later one wins the tie.
        {"tie goes to the later row", 3, [](TModelRec& r) { r.Model = "Other"; }, 4},
        {"name alone is worth more than a material", 1, [](TModelRec& r) { r.Mf = kAluminium; r.Model = "1/2 inch copper"; }, 1},
        // 0.0002 mm thicker fins: no candidate, row 0 selected at filling stays.
        {"fin thickness outside 0.0001 mm", 3, [](TModelRec& r) { r.tf += 0.0002e-3; }, 0},
        {"fin thickness within 0.0001 mm", 3, [](TModelRec& r) { r.tf += 0.00005e-3; r.Model = "Twin A"; }, 3},
        {"pattern differs", 2, [](TModelRec& r) { r.tp = kStaggered; }, 0},
        {"basis differs", 2, [](TModelRec& r) { r.cb = kBasisTubesHigh; }, 0},
        {"area factor and basis match", 2, [](TModelRec& r) { r.Model = "x"; }, 2},
    };
    for (const TCase& c : cases) {
        choice.CurrentRecord = AcmeRecord(c.recordFrom);
        c.change(choice.CurrentRecord);
        choice.FillMakers();
        choice.SelectCurrentRange();
        EXPECT_EQ(choice.SelectedRow(), c.expectedRow) << c.name;
    }
}

TEST_F(CoilMakerChoiceTest, RangeMatchScoreAddsTheWeights)
{
    choice.CurrentRecord = AcmeRecord(0);
    choice.FillMakers();
    TModelRec rec = choice.CurrentRecord;
    EXPECT_EQ(RangeMatchScore(choice.Rows()[0], rec), 9);
    EXPECT_EQ(RangeMatchScore(choice.Rows()[1], rec), 5);  // 2 + 2 + 1 (tube); fin and name differ
    EXPECT_EQ(RangeMatchScore(choice.Rows()[2], rec), -1);
    rec.fc = 1.5;
    rec.ft = 0.5;
    EXPECT_EQ(RangeMatchScore(choice.Rows()[0], rec), 5);
    // An empty basis cell counts as tubes high; a row too short is never a candidate.
    TCoilMakerRow row = choice.Rows()[0];
    row[11] = "";
    EXPECT_EQ(RangeMatchScore(row, choice.CurrentRecord), 9);
    row.pop_back();
    EXPECT_EQ(RangeMatchScore(row, choice.CurrentRecord), -1);
}

TEST_F(CoilMakerChoiceTest, AcceptCopiesTheRangeAndKeepsTheCoilsOwnValues)
{
    TModelRec start;
    start.Mnf = "acme";
    start.fHeight = 0.61;
    start.Rows = 6;
    start.Circ = 12;
    start.Sections = 2;
    start.Rifle = true;
    start.Mc = 4;
    start.tc = 0.002;
    choice.CurrentRecord = start;
    choice.FillMakers();
    choice.SelectRow(2);
    ASSERT_TRUE(choice.Accept());
    const TModelRec& rec = choice.CurrentRecord;
    EXPECT_EQ(rec.Mnf, "Acme");  // as the maker list spells it
    EXPECT_EQ(rec.Model, "5/8 inch, wavy");
    EXPECT_EQ(rec.Tube, 5);
    EXPECT_NEAR(rec.OD, 0.015875, 1e-12);
    EXPECT_NEAR(rec.Sx, 0.044, 1e-12);
    EXPECT_EQ(rec.tp, kInLine);
    EXPECT_EQ(rec.cb, kBasisRowsDeep);
    EXPECT_DOUBLE_EQ(rec.fc, 1.064);
    EXPECT_EQ(rec.fHeight, start.fHeight);
    EXPECT_EQ(rec.Rows, start.Rows);
    EXPECT_EQ(rec.Circ, start.Circ);
    EXPECT_EQ(rec.Sections, 2);
    EXPECT_TRUE(rec.Rifle);
    EXPECT_EQ(rec.Mc, 4);
    EXPECT_EQ(rec.tc, 0.002);

    choice.SelectRow(-1);
    const TModelRec before = choice.CurrentRecord;
    EXPECT_FALSE(choice.Accept());
    EXPECT_EQ(choice.CurrentRecord, before);
}

TEST(CurrentRangeTextTest, NamesTheRangeInMillimetres)
{
    TModelRec rec;  // the built-in 1/2 inch range of maker "Default"
    rec.Model = "1/2 inch";
    EXPECT_EQ(CurrentRangeText(rec),
              "Default, 1/2 inch, 12.5222, 13.3350, 33.00, 38.10, 0.1524, Staggered, Cu, Al, 1.000, 1.000, 0");
    rec.tp = kInLine;
    rec.Mt = 7;
    rec.Mf = 200;  // outside the table: aluminium
    rec.cb = kBasisRowsDeep;
    EXPECT_EQ(CurrentRangeText(rec),
              "Default, 1/2 inch, 12.5222, 13.3350, 33.00, 38.10, 0.1524, In-line, Br, Al, 1.000, 1.000, 1");
}

// A user copy spoilt by an edit: the installed catalogue serves, and the problem names the
// file and the line.
TEST_F(CoilMakerChoiceTest, ASpoiltUserCatalogueLeavesTheInstalledOneServing)
{
    std::filesystem::create_directories(folders.UserCatalogue().parent_path());
    ASSERT_TRUE(WriteFileAtomically(folders.UserCatalogue(),
                                    "<catalog kind=\"coil\">\n  <item>\n    <maker>Mine</maker>\n  <item>\n</catalog>\n")
                    .IsOk());
    const std::optional<std::string> problem = catalogue.UserCatalogueProblem();
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(folders.UserCatalogue().string()), std::string::npos) << *problem;
    EXPECT_NE(problem->find("line 5"), std::string::npos) << *problem;
    EXPECT_EQ(catalogue.ServingCataloguePath(), folders.InstalledCatalogue());
    EXPECT_EQ(catalogue.CataloguePath(), folders.UserCatalogue());  // the file to mend

    choice.CurrentRecord.Mnf = "Acme";
    choice.FillMakers();
    EXPECT_EQ(choice.MakerNames(), (std::vector<std::string>{"Acme", "Boreal"}));
    EXPECT_EQ(choice.Rows().size(), 5u);

    // Saving a maker never replaces the spoilt copy: the user's edits stay to be mended.
    EXPECT_FALSE(catalogue.SaveMaker({}, true).IsOk());

    // Well-formed, but no catalogue of makers.
    for (const char* text : {"<other/>", "<catalog kind=\"coil\"/>"}) {
        ASSERT_TRUE(WriteFileAtomically(folders.UserCatalogue(), text).IsOk());
        EXPECT_TRUE(catalogue.UserCatalogueProblem().has_value()) << text;
        EXPECT_EQ(catalogue.MakerNames().size(), 2u) << text;
    }

    // Mended: the user's copy serves again once the cache is let go.
    ASSERT_TRUE(WriteFileAtomically(folders.UserCatalogue(),
                                    "<catalog><item><maker>Mine</maker><model name=\"m\" d=\"4\"/></item></catalog>")
                    .IsOk());
    EXPECT_FALSE(catalogue.UserCatalogueProblem().has_value());
    catalogue.ForgetCachedMaker();
    choice.CurrentRecord.Mnf = "Mine";
    choice.FillMakers();
    EXPECT_EQ(choice.MakerNames(), (std::vector<std::string>{"Mine"}));
    EXPECT_EQ(choice.Rows().size(), 1u);
}

}  // namespace
}  // namespace vantor
