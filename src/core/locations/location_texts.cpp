#include "locations/location_texts.h"

#include "text/format.h"
#include "text/text_routines.h"

#include <cmath>

namespace vantor {

namespace {

std::string Hemisphere(std::string_view format, double value, char positive, char negative)
{
    return FormatFloat(format, std::fabs(value)) + (value >= 0 ? positive : negative);
}

std::string Celsius(double value) { return FormatFloat("%0.1f °C", value); }

// The record stores single precision; the texts are formatted in double.
double Wide(float value) { return static_cast<double>(value); }

}  // namespace

std::string LatitudeText(double latitude) { return Hemisphere("%0.2f", latitude, 'N', 'S'); }
std::string LongitudeText(double longitude) { return Hemisphere("%0.2f", longitude, 'E', 'W'); }
std::string TimeZoneText(double timeZone) { return Hemisphere("%0.0f", timeZone, 'E', 'W'); }

std::vector<std::pair<std::string, std::string>> PlaceRows(const TLocationRecord& r)
{
    return {
        {"Latitude", LatitudeText(Wide(r.Latitude))},
        {"Longitude", LongitudeText(Wide(r.Longitude))},
        {"TimeZone", TimeZoneText(Wide(r.TimeZone))},
        {"Altitude", FormatFloat("%0.0f m", Wide(r.Altitude))},
        {"Cooling", Format("%0.1f/%0.1f °C", {Wide(r.CoolingDryBulb), Wide(r.CoolingWetBulb)})},
        {"Heating", Celsius(Wide(r.HeatingDryBulb))},
        {"Wind Speed", FormatFloat("%0.1f m/s", Wide(r.WindSpeed))},
        {"Max DryBulb", Celsius(Wide(r.MaxDryBulb))},
        {"Min DryBulb", Celsius(Wide(r.MinDryBulb))},
        {"DB Range", Celsius(Wide(r.DailyRange))},
    };
}

std::string PlaceText(std::string_view name, std::string_view regionText)
{
    return Format("%s, %s", {name, regionText});
}

std::string PlaceOfPlaceText(std::string_view placeText) { return Trim(ExtractField(1, ',', placeText)); }
std::string RegionOfPlaceText(std::string_view placeText) { return Trim(ExtractField(2, ',', placeText)); }

std::string RecordStatusText(int number, int count) { return Format("Record %d of %d", {number + 1, count}); }

}  // namespace vantor
