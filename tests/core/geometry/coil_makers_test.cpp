#include "geometry/coil_makers.h"

#include "catalogue_test_support.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantor {
namespace {

namespace fs = std::filesystem;
using test::ExpectSameRange;

constexpr const char* kNoCoilsMessage =
    "There are no matching coils for Nobody in the database!\n"
    "You may need to re-install the program to correct the database.";

// Acme builds 1/2 inch (code 4) and 5/8 inch (code 5) coils, the 1/2 inch also with copper
// fins; its 1/2 inch ranges share tube, pitches and fin thickness.
constexpr const char* kAcme = R"(<catalog kind="coil" version="1.0.0.0" developer="korvane">
  <item>
    <maker>Acme</maker>
    <fin t="0.15" mt="Al" f="1"/>
    <model name="1/2 inch" d="4"><tube id="12.5222" od="13.335"/><pat sx="33" sy="38.1"/></model>
    <model name="5/8 inch" d="5"><tube id="14.859" od="15.875"/><pat sx="44" sy="50.8"/></model>
    <model name="1/2 inch copper" d="4"><fin mt="Cu"/><tube id="12.5222" od="13.335"/><pat sx="33" sy="38.1"/></model>
  </item>
  <item><maker>Empty</maker></item>
</catalog>)";

class CoilMakersTest : public ::testing::Test {
protected:
    CoilMakersTest() : catalogue(folders.Env)
    {
        catalogue.SetMessageHandler([this](std::string_view message) { messages.emplace_back(message); });
    }

    test::TCatalogueFolders folders;
    TCoilMakers catalogue;
    std::vector<std::string> messages;
};

TEST_F(CoilMakersTest, FindByTubeTakesTheCodeThenTheMetricCodeThenTheFirstRange)
{
    folders.Install(kAcme);
    struct TCase {
        int code;
        std::string name;
    };
    const TCase cases[] = {{4, "1/2 inch"}, {5, "5/8 inch"}, {7, "1/2 inch"}, {105, "5/8 inch"}, {104, "1/2 inch"},
                           {0, "1/2 inch"}, {-3, "1/2 inch"}};
    for (const TCase& c : cases) {
        const TMnfRec rec = catalogue.FindByTube("acme", c.code);
        EXPECT_EQ(rec.name, c.name) << c.code;
        EXPECT_EQ(rec.maker, "Acme");
    }
    EXPECT_EQ(catalogue.CachedMaker(), "Acme");

    // A maker the catalogue lacks leaves the cache, name and ranges, as it was.
    catalogue.LoadMaker("Nobody");
    EXPECT_EQ(catalogue.CachedMaker(), "Acme");
    EXPECT_EQ(catalogue.FindByTube("Nobody", 5).name, "5/8 inch");
    EXPECT_TRUE(messages.empty());
}

TEST_F(CoilMakersTest, FindRangeTakesOnlyTheNamedRangeOfTheNamedMaker)
{
    folders.Install(kAcme);
    const std::optional<TMnfRec> copper = catalogue.FindRange("ACME", "1/2 INCH Copper");
    ASSERT_TRUE(copper.has_value());
    EXPECT_EQ(copper->name, "1/2 inch copper");
    EXPECT_EQ(copper->maker, "Acme");

    // No fallback to a range of the same tube or to the first, unlike FindByTube.
    EXPECT_FALSE(catalogue.FindRange("Acme", "1/2").has_value());
    EXPECT_FALSE(catalogue.FindRange("Acme", "").has_value());
    EXPECT_FALSE(catalogue.FindRange("Empty", "1/2 inch").has_value());
    // A maker the catalogue lacks leaves Acme cached; its ranges must not answer for it.
    catalogue.LoadMaker("Acme");
    EXPECT_FALSE(catalogue.FindRange("Nobody", "5/8 inch").has_value());
    EXPECT_TRUE(messages.empty());
}

TEST_F(CoilMakersTest, MatchModelPrefersTheRangeOfTheSameBuildThatAgreesMost)
{
    folders.Install(kAcme);
    const TMnfRecVec& ranges = (catalogue.LoadMaker("Acme"), catalogue.CachedRanges());
    ASSERT_EQ(ranges.size(), 3u);

    struct TCase {
        std::string what;
        TMnfRec rec;
        std::string expected;
    };
    TMnfRec copperNamed = ranges[2];
    copperNamed.tubeMaterial = "Br";  // kept by the caller whatever matches
    TMnfRec unnamed = ranges[0];
    unnamed.name = "";  // ranges 0 and 2 both score 2 + 2 + 1 (+1 for the fin): copper fins win
    unnamed.finMaterial = "Cu";
    TMnfRec tie = unnamed;
    tie.finMaterial = "St";  // both score 5: the later one wins the tie
    TMnfRec thinnerFin = ranges[1];
    thinnerFin.t -= 0.0000001;  // 0.0001 mm off every range: first range with the tube code
    TMnfRec otherTube = thinnerFin;
    otherTube.d = 9;  // and without that code, the first range
    const TCase cases[] = {
        {"copper by name", copperNamed, "1/2 inch copper"},
        {"unnamed copper fins", unnamed, "1/2 inch copper"},
        {"tie", tie, "1/2 inch copper"},
        {"thinner fin", thinnerFin, "5/8 inch"},
        {"unknown tube", otherTube, "1/2 inch"},
    };
    for (const TCase& c : cases) {
        TMnfRec rec = c.rec;
        catalogue.MatchModel("Acme", rec);
        EXPECT_EQ(rec.name, c.expected) << c.what;
        EXPECT_EQ(rec.tubeMaterial, c.rec.tubeMaterial) << c.what;
        EXPECT_EQ(rec.finMaterial, c.rec.finMaterial) << c.what;
    }
}

TEST_F(CoilMakersTest, WithoutAnyCatalogueTheDefaultRangeIsUsedAndACatalogueCreated)
{
    const TMnfRec rec = catalogue.FindByTube("Nobody", 4);
    EXPECT_EQ(rec, DefaultMnfRec());
    EXPECT_EQ(messages, std::vector<std::string>{kNoCoilsMessage});
    EXPECT_EQ(catalogue.CachedMaker(), "Default");
    ASSERT_TRUE(fs::exists(folders.UserCatalogue()));
    EXPECT_FALSE(fs::exists(folders.InstalledCatalogue()));

    // A second catalogue object reads the written file back.
    TCoilMakers again(folders.Env);
    EXPECT_EQ(again.MakerNames(), std::vector<std::string>{"Default"});
    ExpectSameRange(again.FindByTube("Default", 4), DefaultMnfRec());

    // Once the cache holds the default, asking again neither tells the user nor writes.
    const auto written = fs::last_write_time(folders.UserCatalogue());
    EXPECT_EQ(catalogue.FindByTube("Nobody", 4), DefaultMnfRec());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(fs::last_write_time(folders.UserCatalogue()), written);
}

TEST_F(CoilMakersTest, TheFallbackNeverRewritesAnUnreadableCatalogueNorEmptiesADefaultMaker)
{
    struct TCase {
        std::string what;
        std::string content;
        bool userCopyWritten;
        size_t messageCount;
    };
    const std::string withDefault =
        R"(<catalog><item><maker>Default</maker><model name="a" d="4"/><model name="b" d="5"/></item></catalog>)";
    const TCase cases[] = {
        {"not XML", "this is not a catalogue", false, 2},
        {"empty file", "", false, 2},
        {"two roots", "<catalog/><catalog/>", false, 2},
        {"Default already there", withDefault, false, 1},
        {"other makers only", kAcme, true, 1},
    };
    for (const TCase& c : cases) {
        test::TCatalogueFolders caseFolders;
        caseFolders.Install(c.content);
        TCoilMakers caseCatalogue(caseFolders.Env);
        std::vector<std::string> caseMessages;
        caseCatalogue.SetMessageHandler([&](std::string_view m) { caseMessages.emplace_back(m); });

        EXPECT_EQ(caseCatalogue.FindByTube("Nobody", 4), DefaultMnfRec()) << c.what;
        EXPECT_EQ(caseMessages.size(), c.messageCount) << c.what;
        ASSERT_FALSE(caseMessages.empty()) << c.what;
        EXPECT_EQ(caseMessages[0], kNoCoilsMessage) << c.what;
        EXPECT_EQ(*ReadFileText(caseFolders.InstalledCatalogue()), c.content) << c.what;
        EXPECT_EQ(fs::exists(caseFolders.UserCatalogue()), c.userCopyWritten) << c.what;
    }

    // The user's copy keeps the installed makers and gains the default one.
    test::TCatalogueFolders acmeFolders;
    acmeFolders.Install(kAcme);
    TCoilMakers acme(acmeFolders.Env);
    acme.FindByTube("Nobody", 4);
    EXPECT_EQ(acme.MakerNames(), (std::vector<std::string>{"Acme", "Empty", "Default"}));
    acme.LoadMaker("Acme");
    EXPECT_EQ(acme.CachedRanges().size(), 3u);
}

TEST_F(CoilMakersTest, AFailedWriteIsReportedAndTheDefaultRangeStillReturned)
{
    // The user's data folder is a plain file, so nothing can be written under it.
    ASSERT_TRUE(WriteFileAtomically(fs::path(folders.Env.XdgDataHome), "in the way").IsOk());
    EXPECT_EQ(catalogue.FindByTube("Nobody", 4), DefaultMnfRec());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("Unable to write"), std::string::npos) << messages[1];
}

TEST_F(CoilMakersTest, SaveMakerWritesTheUsersCopyAndLeavesTheInstalledOne)
{
    folders.Install(kAcme);
    catalogue.LoadMaker("Acme");
    ASSERT_TRUE(catalogue.SaveMaker({}, false).IsOk());
    EXPECT_EQ(*ReadFileText(folders.InstalledCatalogue()), kAcme);
    TCoilMakers reread(folders.Env);
    EXPECT_EQ(reread.CataloguePath(), folders.UserCatalogue());
    EXPECT_EQ(reread.MakerNames(), (std::vector<std::string>{"Acme", "Empty"}));
    reread.LoadMaker("Acme");
    EXPECT_EQ(reread.CachedRanges(), catalogue.CachedRanges());
}

TEST_F(CoilMakersTest, SaveMakerCreatesACatalogueOnlyWhenAskedTo)
{
    catalogue.FindByTube("Nobody", 4);
    fs::remove(folders.UserCatalogue());
    EXPECT_TRUE(catalogue.SaveMaker({}, false).IsOk());
    EXPECT_FALSE(fs::exists(folders.UserCatalogue()));
    EXPECT_TRUE(catalogue.SaveMaker({}, true).IsOk());
    EXPECT_TRUE(fs::exists(folders.UserCatalogue()));
}

TEST_F(CoilMakersTest, MakerNamesOfMissingUnreadableAndHugeCatalogues)
{
    EXPECT_TRUE(catalogue.MakerNames().empty());
    folders.Install("<catalog><item><maker>Unclosed");
    EXPECT_TRUE(catalogue.MakerNames().empty());

    // Thousands of makers, one of them with a name far longer than any maker has.
    std::string text = "<catalog>";
    for (int i = 0; i < 3000; ++i)
        text += "<item><maker>Maker " + std::to_string(i) + "</maker><model name=\"r\" d=\"4\"/></item>";
    text += "<item><maker>" + std::string(100000, 'M') + "</maker><model name=\"" + std::string(100000, 'n') +
            "\" d=\"4\"/></item></catalog>";
    folders.Install(text);
    const std::vector<std::string> names = catalogue.MakerNames();
    ASSERT_EQ(names.size(), 3001u);
    EXPECT_EQ(names[2999], "Maker 2999");
    EXPECT_EQ(names[3000].size(), kMaxNameLength);
    EXPECT_EQ(catalogue.FindByTube("Maker 2999", 4).maker, "Maker 2999");
    EXPECT_EQ(catalogue.FindByTube(names[3000], 4).name.size(), kMaxNameLength);
}

TEST_F(CoilMakersTest, MakerNamesFollowTheCatalogueWhenItChangesOrIsForgotten)
{
    std::string acme = kAcme;
    folders.Install(acme);
    EXPECT_EQ(catalogue.MakerNames(), (std::vector<std::string>{"Acme", "Empty"}));

    // Same size, written later: read again.
    std::string renamed = acme;
    renamed.replace(renamed.find("Acme"), 4, "Acmf");
    const fs::file_time_type before = fs::last_write_time(folders.InstalledCatalogue());
    folders.Install(renamed);
    fs::last_write_time(folders.InstalledCatalogue(), before + std::chrono::seconds(2));
    EXPECT_EQ(catalogue.MakerNames(), (std::vector<std::string>{"Acmf", "Empty"}));

    // Same size and time (an edit within one clock tick): forgetting the cache reads it again.
    folders.Install(acme);
    fs::last_write_time(folders.InstalledCatalogue(), before + std::chrono::seconds(2));
    catalogue.ForgetCachedMaker();
    EXPECT_EQ(catalogue.MakerNames(), (std::vector<std::string>{"Acme", "Empty"}));
}

TEST_F(CoilMakersTest, AnUnreadableCatalogueLineFallsBackToTheMakersRangeForItsTubeCode)
{
    folders.Install(kAcme);
    EXPECT_EQ(catalogue.ParseCatalogueLine("Acme", "5, 14.859, 15.875, 44, x, 0.15, Cu, Al, 1, 0").name, "5/8 inch");
    EXPECT_EQ(catalogue.ParseCatalogueLine("Acme", "5/8 inch, 14.859, 15.875, 44, x, 0.15, Staggered, Cu, Al, 1, 1, 0")
                  .name,
              "1/2 inch");
    const TMnfRec read = catalogue.ParseCatalogueLine("Acme", "5i, 14.859, 15.875, 44, 50.8, 0.15, Cu, Al, 1, 0");
    EXPECT_EQ(read.name, "");
    EXPECT_EQ(read.kind, kInLine);
}

TEST_F(CoilMakersTest, TheShippedCatalogueHoldsTheKnownMakersWithSoundRanges)
{
    folders.InstallShipped();
    const std::vector<std::string> expected = {"Typical", "Default", "Recoil", "HC", "BAC", "Enviroware", "GEA"};
    EXPECT_EQ(catalogue.MakerNames(), expected);

    bool inLine = false, metric = false, copperFin = false, depthBasis = false;
    std::vector<int> typicalCodes;
    for (const std::string& maker : expected) {
        catalogue.LoadMaker(maker);
        ASSERT_EQ(catalogue.CachedMaker(), maker);
        ASSERT_FALSE(catalogue.CachedRanges().empty()) << maker;
        for (const TMnfRec& r : catalogue.CachedRanges()) {
            EXPECT_GT(r.od, r.id) << maker << " " << r.name;
            EXPECT_GT(r.sy, r.od + 2 * r.t) << maker << " " << r.name;
            EXPECT_GE(r.t, 0.0001) << maker << " " << r.name;
            EXPECT_LE(r.t, 0.0002) << maker << " " << r.name;
            EXPECT_EQ(MaterialIndex(r.tubeMaterial, -1), kCopper) << maker << " " << r.name;
            inLine = inLine || r.kind == kInLine;
            metric = metric || r.d > 100;
            copperFin = copperFin || MaterialIndex(r.finMaterial, -1) == kCopper;
            depthBasis = depthBasis || r.basis == kBasisRowsDeep;
            if (maker == "Typical") typicalCodes.push_back(r.d);
        }
    }
    EXPECT_TRUE(inLine && metric && copperFin && depthBasis);
    for (int code : {3, 4, 5}) EXPECT_NE(std::find(typicalCodes.begin(), typicalCodes.end(), code), typicalCodes.end());

    catalogue.LoadMaker("Default");
    ASSERT_EQ(catalogue.CachedRanges().size(), 1u);
    ExpectSameRange(catalogue.CachedRanges()[0], DefaultMnfRec());
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vantor
