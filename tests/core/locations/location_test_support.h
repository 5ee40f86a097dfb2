#pragma once

// A private folder per test, and records laid out by hand to check the reader against.

#include "locations/location_record.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace vantor::test {

class TTempFolderTest : public ::testing::Test {
protected:
    const std::filesystem::path& Folder() const { return m_temp.Path(); }
    void WriteText(const std::string& name, const std::string& text) const { test::WriteText(m_temp / name, text); }

private:
    TTempFolder m_temp;
};

// A southern place with every field set.
inline TLocationRecord Johannesburg()
{
    TLocationRecord r;
    r.DatabaseCode = 1;
    r.RegionCode = 3;
    r.Name = "Johannesburg";
    r.Latitude = -26.13f;
    r.Longitude = 28.05f;
    r.TimeZone = 2;
    r.Altitude = 1753;
    r.CoolingDryBulb = 30;
    r.CoolingWetBulb = 17.5f;
    r.HeatingDryBulb = 2;
    r.WindSpeed = 4;
    r.MaxDryBulb = 32;
    r.MinDryBulb = -2;
    r.DailyRange = 12.5f;
    return r;
}

// Little-endian bytes of a record laid out by hand, independent of the encoder.
inline void PutInt(std::string& bytes, std::int32_t value)
{
    const auto word = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k) bytes += static_cast<char>((word >> (8 * k)) & 0xFF);
}

inline void PutFloat(std::string& bytes, float value)
{
    std::uint32_t word;
    static_assert(sizeof word == sizeof value);
    std::memcpy(&word, &value, sizeof word);
    PutInt(bytes, static_cast<std::int32_t>(word));
}

inline std::string HandRecord(std::int32_t database, std::int32_t region, const std::string& name1252,
                              std::vector<float> values, int lengthByte = -1)
{
    std::string bytes;
    PutInt(bytes, database);
    PutInt(bytes, region);
    bytes += static_cast<char>(lengthByte >= 0 ? lengthByte : static_cast<int>(name1252.size()));
    bytes += name1252;
    bytes.resize(40, '\0');
    values.resize(11, 0.0f);
    for (float v : values) PutFloat(bytes, v);
    return bytes;
}

}  // namespace vantor::test
