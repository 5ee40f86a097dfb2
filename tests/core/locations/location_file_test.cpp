// A ".wdb" file read whole: only whole records count, damaged ones are refused one by one.

#include "locations/location_file.h"
#include "location_test_support.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

using LocationFile = TTempFolderTest;

TEST_F(LocationFile, WritesAndReadsBackRecordsInOrder)
{
    std::vector<TLocationRecord> places(3);
    places[0].Name = "Accra";
    places[0].Latitude = 5.56f;
    places[1].Name = "Lagos";
    places[1].RegionCode = 2;
    places[2].Name = "Cairo";
    places[2].DatabaseCode = 7;
    ASSERT_TRUE(WriteLocationFile(Folder() / "Africa.wdb", places));
    EXPECT_EQ(std::filesystem::file_size(Folder() / "Africa.wdb"), 3 * kLocationRecordSize);

    TLocationFile file;
    ASSERT_TRUE(file.Open(Folder() / "Africa.wdb"));
    EXPECT_EQ(file.RecordCount(), 3);
    EXPECT_TRUE(file.Problem().empty());
    for (int i = 0; i < 3; ++i) {
        TLocationRecord record;
        ASSERT_TRUE(file.Read(i, record));
        EXPECT_EQ(record, places[static_cast<std::size_t>(i)]);
    }
}

TEST_F(LocationFile, AWriteWithABadNameKeepsTheOldFile)
{
    std::vector<TLocationRecord> places(1);
    places[0].Name = "Old";
    ASSERT_TRUE(WriteLocationFile(Folder() / "A.wdb", places));
    places.push_back({});
    places[1].Name = std::string(40, 'n');
    EXPECT_FALSE(WriteLocationFile(Folder() / "A.wdb", places));
    EXPECT_EQ(std::filesystem::file_size(Folder() / "A.wdb"), kLocationRecordSize);
}

TEST_F(LocationFile, APartialLastRecordIsLeftOutAndNamed)
{
    std::string bytes = HandRecord(1, 1, "Dakar", {14.69f}) + HandRecord(1, 1, "Bamako", {12.64f});
    bytes += std::string(50, '\x7F');
    WriteText("West.wdb", bytes);
    TLocationFile file;
    ASSERT_TRUE(file.Open(Folder() / "West.wdb"));
    EXPECT_EQ(file.RecordCount(), 2);
    EXPECT_NE(file.Problem().find("50 bytes"), std::string::npos) << file.Problem();
    TLocationRecord record;
    EXPECT_TRUE(file.Read(1, record));
    EXPECT_EQ(record.Name, "Bamako");
    EXPECT_FALSE(file.Read(2, record));  // the partial record is no record
    EXPECT_FALSE(file.Read(-1, record));
}

TEST_F(LocationFile, ADamagedRecordIsRefusedAndTheOthersRead)
{
    WriteText("D.wdb", HandRecord(1, 1, "Good", {}) + HandRecord(1, 1, "Bad", {}, 200) + HandRecord(1, 1, "Also", {}));
    TLocationFile file;
    ASSERT_TRUE(file.Open(Folder() / "D.wdb"));
    TLocationRecord record;
    const TResult damaged = file.Read(1, record);
    EXPECT_FALSE(damaged);
    EXPECT_NE(damaged.Message.find("Record 2 of D.wdb is damaged"), std::string::npos) << damaged.Message;
    EXPECT_TRUE(file.Read(2, record));
    EXPECT_EQ(record.Name, "Also");
}

TEST_F(LocationFile, MissingOrEmptyFiles)
{
    TLocationFile file;
    EXPECT_FALSE(file.Open(Folder() / "none.wdb"));
    EXPECT_FALSE(file.IsOpen());
    TLocationRecord record;
    EXPECT_FALSE(file.Read(0, record));
    WriteText("empty.wdb", "");
    ASSERT_TRUE(file.Open(Folder() / "empty.wdb"));
    EXPECT_EQ(file.RecordCount(), 0);
    EXPECT_FALSE(file.Read(0, record));
    EXPECT_FALSE(file.Open(Folder()));  // a folder is no database
}
