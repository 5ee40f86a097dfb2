// "Regions.idx": sections of keys with codes, read in Windows-1252, written back the same.

#include "locations/regions_index.h"
#include "location_test_support.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

const std::string kIndex =
    "[+All]\r\n+All=0\r\nEurope=1\r\nAsia=2\r\n\r\n"
    "[Europe]\r\n+All=0\r\nGermany=1\r\nSwitzerland=2\r\nZ\xFCrich Land=3\r\nBroken=x\r\n"
    "stray line\r\n[Asia]\r\n+All=0\r\nJapan=1\r\n";

}  // namespace

TEST(RegionsIndex, ReadsSectionsKeysAndCodes)
{
    const TRegionsIndex index = TRegionsIndex::Parse(kIndex);
    EXPECT_EQ(index.Sections(), (std::vector<std::string>{"+All", "Europe", "Asia"}));
    EXPECT_EQ(index.KeyNames("Europe"),
              (std::vector<std::string>{"+All", "Germany", "Switzerland", "Zürich Land", "Broken"}));
    EXPECT_EQ(index.Code("+All", "Asia"), 2);
    EXPECT_EQ(index.Code("europe", "SWITZERLAND"), 2);  // INI names ignore case
    EXPECT_EQ(index.Code("Europe", "Zürich Land"), 3);
    EXPECT_EQ(index.Code("Europe", "Broken"), 0);       // not an integer
    EXPECT_EQ(index.Code("Europe", "France"), 0);       // missing
    EXPECT_EQ(index.Code("Africa", "Kenya"), 0);
    EXPECT_EQ(index.KeyOfCode("+All", 1), "Europe");
    EXPECT_EQ(index.KeyOfCode("Europe", 0), "+All");
    EXPECT_EQ(index.KeyOfCode("Asia", 5), "");
    EXPECT_TRUE(index.Keys("Africa").empty());
}

TEST(RegionsIndex, WritesWhatItReads)
{
    TRegionsIndex built;
    built.AddKey("+All", "+All", 0);
    built.AddKey("+All", "South America", 1);
    built.AddKey("South America", "+All", 0);
    built.AddKey("South America", "Perú", 1);
    const std::optional<std::string> text = built.Text();
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Per\xFA=1"), std::string::npos);  // ú as one Windows-1252 byte
    const TRegionsIndex back = TRegionsIndex::Parse(*text);
    EXPECT_EQ(back.Sections(), built.Sections());
    EXPECT_EQ(back.Code("South America", "Perú"), 1);

    built.AddKey("Asia", "日本", 1);
    EXPECT_FALSE(built.Text());
}

using RegionsIndexFile = TTempFolderTest;

TEST_F(RegionsIndexFile, AMissingFileLeavesItEmpty)
{
    TRegionsIndex index = TRegionsIndex::Parse(kIndex);
    EXPECT_FALSE(index.Load(Folder() / "Regions.idx"));
    EXPECT_TRUE(index.Empty());
    WriteText("Regions.idx", kIndex);
    EXPECT_TRUE(index.Load(Folder() / "Regions.idx"));
    EXPECT_EQ(index.Code("Asia", "Japan"), 1);
}
