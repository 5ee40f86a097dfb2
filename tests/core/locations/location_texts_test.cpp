// The picker's texts: coordinates with their hemisphere, the details rows, the place text.

#include "locations/location_texts.h"
#include "location_test_support.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(LocationTexts, CoordinatesCarryTheirHemisphere)
{
    struct TCase {
        double Value;
        const char* Latitude;
        const char* Longitude;
        const char* TimeZone;
    };
    const TCase cases[] = {
        {-26.13, "26.13S", "26.13W", "26W"},
        {28.05, "28.05N", "28.05E", "28E"},
        {0.0, "0.00N", "0.00E", "0E"},
        {-0.004, "0.00S", "0.00W", "0W"},
        {-9.5, "9.50S", "9.50W", "10W"},
        {179.999, "180.00N", "180.00E", "180E"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(LatitudeText(c.Value), c.Latitude) << c.Value;
        EXPECT_EQ(LongitudeText(c.Value), c.Longitude) << c.Value;
        EXPECT_EQ(TimeZoneText(c.Value), c.TimeZone) << c.Value;
    }
}

TEST(LocationTexts, DetailsRowsOfAPlace)
{
    TLocationRecord r = test::Johannesburg();
    r.Altitude = 1753.4f;
    r.WindSpeed = 4.04f;
    r.MinDryBulb = -2.04f;
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Latitude", "26.13S"},       {"Longitude", "28.05E"},       {"TimeZone", "2E"},
        {"Altitude", "1753 m"},       {"Cooling", "30.0/17.5 °C"},   {"Heating", "2.0 °C"},
        {"Wind Speed", "4.0 m/s"},    {"Max DryBulb", "32.0 °C"},    {"Min DryBulb", "-2.0 °C"},
        {"DB Range", "12.5 °C"},
    };
    EXPECT_EQ(PlaceRows(r), expected);
}

TEST(LocationTexts, PlaceTextAndItsParts)
{
    EXPECT_EQ(PlaceText("Durban", "South Africa"), "Durban, South Africa");
    EXPECT_EQ(PlaceOfPlaceText("Durban, South Africa"), "Durban");
    EXPECT_EQ(RegionOfPlaceText("Durban, South Africa"), "South Africa");
    EXPECT_EQ(PlaceOfPlaceText(""), "");
    EXPECT_EQ(RegionOfPlaceText("Durban"), "");
    EXPECT_EQ(RecordStatusText(0, 12), "Record 1 of 12");
}
