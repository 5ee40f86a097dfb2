// The places table: codes in the order of first mention, the files it writes, bad lines by number.

#include "locations/location_builder.h"
#include "locations/location_file.h"
#include "location_test_support.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

const std::string kTable =
    "# comment\n"
    "database,region,name,latitude,longitude,time_zone,altitude,cooling_db,cooling_wb,heating_db,wind_speed,max_db,min_db,daily_range\n"
    "Oceania,Australia,Sydney,-33.87,151.21,10,39,35,22,6.5,4.5,37,2.5,8\n"
    "Europe,Germany,Berlin,52.52,13.4,1,34,31,20,-11,3.5,33,-15,10\n"
    "\n"
    "Oceania,New Zealand,Auckland,-36.85,174.76,12,26,27,20.5,2.5,5,29,-1.5,7.5\r\n"
    "Europe,France,Paris,48.86,2.35,1,35,31.5,20,-5.5,4,33.5,-9.5,10.5\n"
    "Oceania,Australia,Perth,-31.95,115.86,8,20,38.5,21,4.5,4.5,40.5,0.5,13\n";

std::string Line(const std::string& fields) { return "Europe,Germany," + fields + "\n"; }

}  // namespace

TEST(LocationTable, NumbersDatabasesAndRegionsInTheOrderFirstNamed)
{
    TLocationTable table;
    ASSERT_TRUE(ParseLocationTable(kTable, table));
    EXPECT_EQ(table.Databases, (std::vector<std::string>{"Oceania", "Europe"}));
    const std::vector<TRegionKey> all = table.Index.Keys("+All");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].Name, "+All");
    EXPECT_EQ(all[0].Code, 0);
    EXPECT_EQ(table.Index.Code("+All", "Oceania"), 1);
    EXPECT_EQ(table.Index.Code("+All", "Europe"), 2);
    EXPECT_EQ(table.Index.KeyNames("Oceania"), (std::vector<std::string>{"+All", "Australia", "New Zealand"}));
    EXPECT_EQ(table.Index.Code("Europe", "France"), 2);
    ASSERT_EQ(table.Records.size(), 5u);
    const TLocationRecord& perth = table.Records[4];
    EXPECT_EQ(perth.Name, "Perth");
    EXPECT_EQ(perth.DatabaseCode, 1);
    EXPECT_EQ(perth.RegionCode, 1);
    EXPECT_FLOAT_EQ(perth.Longitude, 115.86f);
    EXPECT_FLOAT_EQ(perth.DailyRange, 13.0f);
    EXPECT_EQ(table.Records[2].RegionCode, 2);  // Auckland, New Zealand
}

TEST(LocationTable, RefusesBadLinesWithTheirNumber)
{
    struct TCase {
        std::string Line;
        const char* Expected;
    };
    const TCase cases[] = {
        {Line("Bonn,50.7,7.1,1,60,31,20,-10,3,33"), "line 2: 12 fields where a place has 14"},
        {Line(std::string(32, 'x') + ",50.7,7.1,1,60,31,20,-10,3,33,-14,10"), "is 32 bytes long in Windows-1252"},
        {Line("Αθήνα,50.7,7.1,1,60,31,20,-10,3,33,-14,10"), "Windows-1252 cannot write"},
        {Line("Bonn,fifty,7.1,1,60,31,20,-10,3,33,-14,10"), "line 2: the latitude \"fifty\" is not a number"},
        {Line("Bonn,50.7,7.1,1,60,31,20,-10,3,33,-14,nan"), "daily range \"nan\" is not a number"},
        {Line("Bonn,91,7.1,1,60,31,20,-10,3,33,-14,10"), "the latitude 91 lies outside -90 to 90"},
        {Line("Bonn,50.7,7.1,1,60,20,31,-10,3,33,-14,10"), "wet bulb lies above"},
        {Line("Bonn,50.7,7.1,1,60,31,20,-10,3,-20,-14,10"), "min dry bulb lies above"},
        {Line(",50.7,7.1,1,60,31,20,-10,3,33,-14,10"), "the place name is empty"},
        {"+All,Germany,Bonn,50.7,7.1,1,60,31,20,-10,3,33,-14,10\n", "may not be called \"+All\""},
        {"Eu/rope,Germany,Bonn,50.7,7.1,1,60,31,20,-10,3,33,-14,10\n", "cannot name a file"},
        {"Europe,Ger=many,Bonn,50.7,7.1,1,60,31,20,-10,3,33,-14,10\n", "holds one of"},
        {Line("Berlin,50.7,7.1,1,60,31,20,-10,3,33,-14,10"), "\"Berlin\" is listed twice"},
    };
    const std::string first = "Europe,Germany,Berlin,52.52,13.4,1,34,31,20,-11,3.5,33,-15,10\n";
    for (const TCase& c : cases) {
        TLocationTable table;
        const TResult result = ParseLocationTable(first + c.Line, table);
        EXPECT_FALSE(result) << c.Line;
        EXPECT_NE(result.Message.find(c.Expected), std::string::npos) << c.Line << " gave: " << result.Message;
        EXPECT_EQ(result.Message.rfind("line 2: ", 0), 0u) << result.Message;
    }
    TLocationTable table;
    EXPECT_FALSE(ParseLocationTable("# nothing\n", table));
}

TEST(LocationTable, ReadsQuotedFieldsAndAByteOrderMark)
{
    // A spreadsheet's export: a byte-order mark, names quoted because they hold a comma, and a
    // quoted comment line; the bad value after a quoted line break is found on its own line.
    const std::string text = "\xEF\xBB\xBF" "database,region,name,latitude,longitude,time_zone,altitude,cooling_db,"
                             "cooling_wb,heating_db,wind_speed,max_db,min_db,daily_range\r\n"
                             "\"# a comment, quoted\"\r\n"
                             "North America,\"District of Columbia, US\",\"Washington, D.C.\",38.9,-77.04,-5,22,34,"
                             "24.5,-9,4,36,-11,9.5\r\n";
    TLocationTable table;
    ASSERT_TRUE(ParseLocationTable(text, table));
    EXPECT_EQ(table.Databases, (std::vector<std::string>{"North America"}));
    EXPECT_EQ(table.Index.KeyNames("North America"), (std::vector<std::string>{"+All", "District of Columbia, US"}));
    ASSERT_EQ(table.Records.size(), 1u);
    EXPECT_EQ(table.Records[0].Name, "Washington, D.C.");
    EXPECT_FLOAT_EQ(table.Records[0].Longitude, -77.04f);

    const TResult bad = ParseLocationTable("\"# a note\nover two lines\"\n"
                                           "Europe,Germany,Bonn,fifty,7.1,1,60,31,20,-10,3,33,-14,10\n",
                                           table);
    EXPECT_EQ(bad.Message, "line 3: the latitude \"fifty\" is not a number");
    // A quoted line break would end up in a file name, an index key or the list of places.
    const std::string broken = "Europe,Germany,\"Bad\nHonnef\",50.6,7.2,1,60,31,20,-10,3,33,-14,10\n";
    EXPECT_NE(ParseLocationTable(broken, table).Message.find("line 1: the place name"), std::string::npos);
    EXPECT_NE(ParseLocationTable("\"Eu\tro\"" + broken.substr(6), table).Message.find("the database"), std::string::npos);
    EXPECT_EQ(ParseLocationTable("Europe,\"Germany,Bonn\n", table).Message, "line 1: a quote is never closed");
}

using LocationBuild = TTempFolderTest;

TEST_F(LocationBuild, WritesTheIndexAndEveryDatabase)
{
    WriteText("places.csv", kTable);
    TBuildSummary summary;
    ASSERT_TRUE(BuildLocationDatabases(Folder() / "places.csv", Folder() / "out", summary));
    EXPECT_EQ(summary.Places, 5);
    EXPECT_EQ(summary.Databases, 2);
    EXPECT_EQ(summary.Regions, 4);

    TRegionsIndex index;
    ASSERT_TRUE(index.Load(Folder() / "out" / "Regions.idx"));
    EXPECT_EQ(index.Sections(), (std::vector<std::string>{"+All", "Oceania", "Europe"}));
    struct TExpected {
        const char* File;
        std::vector<std::string> Names;
    };
    const TExpected files[] = {
        {"+All.wdb", {"Sydney", "Berlin", "Auckland", "Paris", "Perth"}},
        {"Oceania.wdb", {"Sydney", "Auckland", "Perth"}},
        {"Europe.wdb", {"Berlin", "Paris"}},
    };
    for (const TExpected& expected : files) {
        TLocationFile file;
        ASSERT_TRUE(file.Open(Folder() / "out" / expected.File)) << expected.File;
        std::vector<std::string> names;
        TLocationRecord record;
        for (int i = 0; i < file.RecordCount(); ++i) {
            ASSERT_TRUE(file.Read(i, record));
            names.push_back(record.Name);
        }
        EXPECT_EQ(names, expected.Names) << expected.File;
    }
}

TEST_F(LocationBuild, ABadTableWritesNothing)
{
    WriteText("places.csv", kTable + "Europe,Italy,Rome,41.9,12.5,1,21\n");
    TBuildSummary summary;
    const TResult result = BuildLocationDatabases(Folder() / "places.csv", Folder() / "out", summary);
    EXPECT_FALSE(result);
    EXPECT_NE(result.Message.find("places.csv, line 9"), std::string::npos) << result.Message;
    EXPECT_FALSE(std::filesystem::exists(Folder() / "out"));
    EXPECT_FALSE(BuildLocationDatabases(Folder() / "missing.csv", Folder() / "out", summary));
}
