#pragma once

// How a place is shown: its coordinates as "26.13S" and "28.05E", the details grid's rows and
// the status texts of the location picker.

#include "locations/location_record.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantor {

// Two decimals of the absolute value, then N for zero and north, S for south.
std::string LatitudeText(double latitude);
// Two decimals of the absolute value, then E for zero and east, W for west.
std::string LongitudeText(double longitude);
// Whole hours of the absolute value, then E or W.
std::string TimeZoneText(double timeZone);

// The details grid: caption and value of each row, from "Latitude" to "DB Range".
std::vector<std::pair<std::string, std::string>> PlaceRows(const TLocationRecord& record);

// "name, region".
std::string PlaceText(std::string_view name, std::string_view regionText);
// The place and region parts of a place text (the first and second comma-separated fields).
std::string PlaceOfPlaceText(std::string_view placeText);
std::string RegionOfPlaceText(std::string_view placeText);

// "Record %d of %d", number from 0.
std::string RecordStatusText(int number, int count);

// The note on the climatic values of the databases shipped with the program.
inline constexpr std::string_view kTypicalValuesNote = "Typical climatic values for orientation, not design data";

}  // namespace vantor
