// The 84-byte place record: its layout byte by byte, names in Windows-1252, damaged records.

#include "locations/location_record.h"
#include "location_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vantor;
using namespace vantor::test;

namespace {

std::span<const std::uint8_t, kLocationRecordSize> Span(const std::string& bytes)
{
    return std::span<const std::uint8_t, kLocationRecordSize>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                              kLocationRecordSize);
}

}  // namespace

TEST(LocationRecord, EncodesTheLayoutByteForByte)
{
    TLocationBytes bytes{};
    ASSERT_TRUE(EncodeLocationRecord(Johannesburg(), bytes));
    const std::string expected =
        HandRecord(1, 3, "Johannesburg", {-26.13f, 28.05f, 2, 1753, 30, 17.5f, 2, 4, 32, -2, 12.5f});
    ASSERT_EQ(expected.size(), kLocationRecordSize);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
}

TEST(LocationRecord, DecodesWhatItEncodesWithWindows1252Names)
{
    TLocationRecord place = Johannesburg();
    place.Name = "Zürich €";
    TLocationBytes bytes{};
    ASSERT_TRUE(EncodeLocationRecord(place, bytes));
    // ü is one byte 0xFC and € the byte 0x80 in Windows-1252; the rest of the name stays zero.
    EXPECT_EQ(bytes[8], 8);
    EXPECT_EQ(bytes[10], 0xFC);
    EXPECT_EQ(bytes[16], 0x80);
    for (std::size_t k = 17; k < 40; ++k) EXPECT_EQ(bytes[k], 0) << k;
    TLocationRecord back;
    ASSERT_TRUE(DecodeLocationRecord(bytes, back));
    EXPECT_EQ(back, place);
}

TEST(LocationRecord, RefusesNamesThatDoNotFit)
{
    TLocationBytes bytes{};
    TLocationRecord place = Johannesburg();
    place.Name = std::string(31, 'x');
    EXPECT_TRUE(EncodeLocationRecord(place, bytes));
    // 31 characters of two UTF-8 bytes each are 31 bytes in Windows-1252 and fit.
    place.Name.clear();
    for (int i = 0; i < 31; ++i) place.Name += "é";
    EXPECT_TRUE(EncodeLocationRecord(place, bytes));
    place.Name = std::string(32, 'x');
    const TResult tooLong = EncodeLocationRecord(place, bytes);
    EXPECT_FALSE(tooLong);
    EXPECT_NE(tooLong.Message.find("32 bytes"), std::string::npos) << tooLong.Message;
    place.Name = "Αθήνα";  // Greek letters have no Windows-1252 byte
    EXPECT_FALSE(EncodeLocationRecord(place, bytes));
    place = Johannesburg();
    place.Altitude = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(EncodeLocationRecord(place, bytes));
}

TEST(LocationRecord, RefusesDamagedRecords)
{
    struct TCase {
        const char* What;
        std::string Bytes;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const TCase cases[] = {
        {"length byte 32", HandRecord(1, 1, "Cairo", {30, 31}, 32)},
        {"length byte 255", HandRecord(1, 1, "Cairo", {30, 31}, 255)},
        {"latitude not a number", HandRecord(1, 1, "Cairo", {nan, 31})},
        {"range infinite", HandRecord(1, 1, "Cairo", {30, 31, 2, 23, 38, 21, 7, 3, 40, 3, std::numeric_limits<float>::infinity()})},
    };
    for (const TCase& c : cases) {
        TLocationRecord record = Johannesburg();
        const TResult result = DecodeLocationRecord(Span(c.Bytes), record);
        EXPECT_FALSE(result) << c.What;
        EXPECT_FALSE(result.Message.empty()) << c.What;
        EXPECT_EQ(record, Johannesburg()) << c.What << ": a refused record leaves the target alone";
    }
    // Length 31 is the most a name may take.
    TLocationRecord record;
    EXPECT_TRUE(DecodeLocationRecord(Span(HandRecord(1, 1, std::string(31, 'a'), {})), record));
    EXPECT_EQ(record.Name, std::string(31, 'a'));
}
