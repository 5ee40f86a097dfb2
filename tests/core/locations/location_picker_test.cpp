// The picker's rules: which places each database and region lists, the place texts of the
// reverse look-ups, the saved choice, missing and damaged files.

#include "locations/location_builder.h"
#include "locations/location_picker.h"
#include "location_test_support.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace vantor;
using namespace vantor::test;

namespace {

// Codes: Africa 1 (South Africa 1, Kenya 2), Europe 2 (Germany 1, France 2).
const std::string kTable =
    "Africa,South Africa,Johannesburg,-26.13,28.05,2,1753,30,17.5,2,4,32,-2,12.5\n"
    "Africa,South Africa,Cape Town,-33.92,18.42,2,42,32,20,4,5,34,0,10\n"
    "Africa,Kenya,Nairobi,-1.29,36.82,3,1795,29,17,9,3.5,31,5,12.5\n"
    "Europe,Germany,Berlin,52.52,13.4,1,34,31,20,-11,3.5,33,-15,10\n"
    "Europe,France,Paris,48.86,2.35,1,35,31.5,20,-5.5,4,33.5,-9.5,10.5\n";

std::vector<std::string> Names(const TLocationPicker& picker)
{
    std::vector<std::string> names;
    for (const TPlaceEntry& entry : picker.Places()) names.push_back(entry.Name);
    return names;
}

class LocationPicker : public TTempFolderTest {
protected:
    void SetUp() override
    {
        TTempFolderTest::SetUp();
        WriteText("places.csv", kTable);
        TBuildSummary summary;
        ASSERT_TRUE(BuildLocationDatabases(Folder() / "places.csv", Folder(), summary));
        m_picker.SetFolder(Folder());
    }

    void Append(const std::string& file, const std::string& bytes) const
    {
        std::ofstream out(Folder() / file, std::ios::binary | std::ios::app);
        out << bytes;
    }

    TLocationPicker m_picker;
};

}  // namespace

TEST_F(LocationPicker, AllDatabasesAndAllRegionsListEveryPlaceWithItsRegion)
{
    // A place of no region shows its database.
    Append("+All.wdb", HandRecord(1, 0, "Sahara", {23, 13, 1, 400, 45, 20, 8, 4, 47, 4, 16}));
    ASSERT_TRUE(m_picker.Activate());
    EXPECT_EQ(m_picker.Databases(), (std::vector<std::string>{"+All", "Africa", "Europe"}));
    EXPECT_EQ(m_picker.Database(), "+All");
    EXPECT_EQ(m_picker.Regions(), (std::vector<std::string>{"+All", "Africa", "Europe"}));
    EXPECT_EQ(m_picker.Region(), "+All");
    EXPECT_EQ(Names(m_picker),
              (std::vector<std::string>{"Berlin", "Cape Town", "Johannesburg", "Nairobi", "Paris", "Sahara"}));

    const std::pair<const char*, const char*> texts[] = {
        {"Berlin, Germany", "Record 4 of 6"},       {"Cape Town, South Africa", "Record 2 of 6"},
        {"Johannesburg, South Africa", "Record 1 of 6"}, {"Nairobi, Kenya", "Record 3 of 6"},
        {"Paris, France", "Record 5 of 6"},        {"Sahara, Africa", "Record 6 of 6"},
    };
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(m_picker.ChoosePlace(i));
        EXPECT_EQ(m_picker.PlaceText(), texts[i].first);
        EXPECT_EQ(m_picker.RecordStatus(), texts[i].second);
    }
}

TEST_F(LocationPicker, RegionsFilterByDatabaseCodeInAllAndByRegionCodeElsewhere)
{
    ASSERT_TRUE(m_picker.Activate());
    ASSERT_TRUE(m_picker.ChooseRegion("Africa"));
    EXPECT_EQ(Names(m_picker), (std::vector<std::string>{"Cape Town", "Johannesburg", "Nairobi"}));
    ASSERT_TRUE(m_picker.ChoosePlace(2));
    EXPECT_EQ(m_picker.PlaceText(), "Nairobi, Africa");  // the region chosen names it

    ASSERT_TRUE(m_picker.ChooseDatabase("Africa"));
    EXPECT_EQ(m_picker.Regions(), (std::vector<std::string>{"+All", "Kenya", "South Africa"}));
    EXPECT_EQ(m_picker.Region(), "+All");  // "Africa" is no region of Africa
    EXPECT_EQ(Names(m_picker), (std::vector<std::string>{"Cape Town", "Johannesburg", "Nairobi"}));
    EXPECT_EQ(m_picker.Place(), "Nairobi");  // the place chosen before stays chosen
    EXPECT_EQ(m_picker.PlaceText(), "Nairobi, Kenya");
    EXPECT_EQ(m_picker.RecordStatus(), "Record 3 of 3");

    ASSERT_TRUE(m_picker.ChooseRegion("South Africa"));
    EXPECT_EQ(Names(m_picker), (std::vector<std::string>{"Cape Town", "Johannesburg"}));
    EXPECT_EQ(m_picker.PlaceText(), "Cape Town, South Africa");  // Nairobi is gone: the first
    EXPECT_EQ(m_picker.Rows().front(), (std::pair<std::string, std::string>{"Latitude", "33.92S"}));
    EXPECT_FLOAT_EQ(m_picker.Record().Altitude, 42.0f);
}

TEST_F(LocationPicker, TheSavedChoiceIsSelectedAgain)
{
    m_picker.SetChoice("Europe", "France", "Paris");
    ASSERT_TRUE(m_picker.Activate());
    EXPECT_EQ(m_picker.Database(), "Europe");
    EXPECT_EQ(m_picker.Region(), "France");
    EXPECT_EQ(Names(m_picker), (std::vector<std::string>{"Paris"}));
    EXPECT_EQ(m_picker.PlaceText(), "Paris, France");

    // A database that is no longer listed selects none.
    m_picker.SetChoice("Asia", "Japan", "Tokyo");
    ASSERT_TRUE(m_picker.Activate());
    EXPECT_EQ(m_picker.Database(), "");
    EXPECT_TRUE(m_picker.Regions().empty());
    EXPECT_TRUE(m_picker.Places().empty());
    EXPECT_FALSE(m_picker.HasRecord());
    EXPECT_EQ(m_picker.RecordStatus(), "");
}

TEST_F(LocationPicker, AMissingDatabaseNamesItselfAndKeepsTheLists)
{
    std::filesystem::remove(Folder() / "Europe.wdb");
    m_picker.SetChoice("Africa", "Kenya", "");
    ASSERT_TRUE(m_picker.Activate());
    const TResult missing = m_picker.ChooseDatabase("Europe");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.Message,
              "The Europe Database has not been installed...\r\nPlease install the Korvane Geoplace Database.");
    EXPECT_EQ(m_picker.Regions(), (std::vector<std::string>{"+All", "Kenya", "South Africa"}));
    EXPECT_EQ(Names(m_picker), (std::vector<std::string>{"Nairobi"}));
    // The file is closed: choosing a place of the old list reads nothing.
    EXPECT_FALSE(m_picker.ChoosePlace(0));
    EXPECT_FALSE(m_picker.HasRecord());
}

TEST_F(LocationPicker, AMissingIndexLeavesEveryListEmpty)
{
    std::filesystem::remove(Folder() / "Regions.idx");
    ASSERT_TRUE(m_picker.Activate());
    EXPECT_TRUE(m_picker.Databases().empty());
    EXPECT_TRUE(m_picker.Regions().empty());
    EXPECT_TRUE(m_picker.Places().empty());
}

TEST_F(LocationPicker, DamagedRecordsAndAPartialTailAreLeftOutAndToldOnce)
{
    Append("Africa.wdb", HandRecord(1, 2, "Mombasa", {}, 99) + std::string(10, '\0'));
    m_picker.SetChoice("Africa", "+All", "");
    ASSERT_TRUE(m_picker.Activate());
    EXPECT_EQ(Names(m_picker), (std::vector<std::string>{"Cape Town", "Johannesburg", "Nairobi"}));
    EXPECT_EQ(m_picker.RecordCount(), 4);
    const std::string notice = m_picker.TakeNotice();
    EXPECT_NE(notice.find("10 bytes"), std::string::npos) << notice;
    EXPECT_NE(notice.find("1 damaged records are not listed. Record 4 of Africa.wdb is damaged"), std::string::npos)
        << notice;
    EXPECT_EQ(m_picker.TakeNotice(), "");
}
