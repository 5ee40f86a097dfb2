// The places table shipped with the program: every continent, enough places, none above
// 3000 m, and coordinates that agree with the time-zone database's where it names the city.

#include "locations/location_builder.h"
#include "text/file_io.h"
#include "text/text_routines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace vantor;

namespace {

TLocationTable ShippedTable()
{
    const std::optional<std::string> text = ReadFileText(VANTOR_PLACES_TABLE);
    EXPECT_TRUE(text);
    TLocationTable table;
    const TResult parsed = ParseLocationTable(text.value_or(""), table);
    EXPECT_TRUE(parsed) << parsed.Message;
    return table;
}

// "-2615+02800" or "+404251-0740023" as degrees.
double Degrees(std::string_view text, std::size_t degreeDigits)
{
    const double sign = text.front() == '-' ? -1 : 1;
    const std::string digits(text.substr(1));
    const double degrees = std::stod(digits.substr(0, degreeDigits));
    const double minutes = std::stod(digits.substr(degreeDigits, 2));
    const double seconds = digits.size() > degreeDigits + 2 ? std::stod(digits.substr(degreeDigits + 2, 2)) : 0;
    return sign * (degrees + minutes / 60 + seconds / 3600);
}

}  // namespace

TEST(ShippedPlaces, CoverEveryContinentBelow3000Metres)
{
    const TLocationTable table = ShippedTable();
    EXPECT_GE(table.Records.size(), 200u);
    EXPECT_EQ(table.Databases, (std::vector<std::string>{"Africa", "Antarctica", "Asia", "Europe", "North America",
                                                         "Oceania", "South America"}));
    std::map<int, int> perDatabase;
    for (const TLocationRecord& place : table.Records) {
        EXPECT_LE(place.Altitude, 3000.0f) << place.Name;
        ++perDatabase[place.DatabaseCode];
    }
    for (const auto& [code, count] : perDatabase) EXPECT_GE(count, 5) << code;
}

TEST(ShippedPlaces, CoordinatesAgreeWithTheTimeZoneDatabase)
{
    const std::optional<std::string> zones = ReadFileText("/usr/share/zoneinfo/zone1970.tab");
    if (!zones) GTEST_SKIP() << "no zone1970.tab here";
    std::multimap<std::string, std::pair<double, double>> cities;
    for (const std::string& line : SplitToArray(*zones, '\n')) {
        if (line.empty() || line.front() == '#') continue;
        const std::string coordinates = ExtractField(2, '\t', line);
        const std::string zone = ExtractField(3, '\t', line);
        const std::size_t split = coordinates.find_first_of("+-", 1);
        if (split == std::string::npos) continue;
        const double latitude = Degrees(coordinates.substr(0, split), 2);
        const double longitude = Degrees(coordinates.substr(split), 3);
        cities.insert({ReplaceChar(zone.substr(zone.rfind('/') + 1), '_', ' '), {latitude, longitude}});
    }
    int compared = 0;
    for (const TLocationRecord& place : ShippedTable().Records) {
        const auto [first, last] = cities.equal_range(place.Name);
        for (auto it = first; it != last; ++it) {
            const auto [latitude, longitude] = it->second;
            const double placeLatitude = place.Latitude;
            const double placeLongitude = place.Longitude;
            // A city of the same name far away is another city (San Juan, Puerto Rico and Argentina).
            if (std::fabs(latitude - placeLatitude) > 10 || std::fabs(longitude - placeLongitude) > 10) continue;
            ++compared;
            EXPECT_NEAR(placeLatitude, latitude, 0.25) << place.Name;
            EXPECT_NEAR(placeLongitude, longitude, 0.25) << place.Name;
        }
    }
    EXPECT_GE(compared, 100);
}
