#pragma once

// Builds "Regions.idx" and the ".wdb" files from a plain-text table of places, one place a
// line, fields separated by commas:
//
//   database,region,name,latitude,longitude,time zone,altitude,cooling dry bulb,
//   cooling wet bulb,heating dry bulb,wind speed,max dry bulb,min dry bulb,daily range
//
// degrees (north and east positive), hours east of UTC, m, °C, m/s and K. Fields follow the
// quoting of text/csv.h, so a name may hold a comma. Empty lines and lines starting with '#'
// are skipped, and so is a first line whose first field is "database"
// (a header). Databases are numbered from 1 in the order the table first names them, regions
// from 1 within their database the same way; every section of the index starts with
// "+All=0", and "+All.wdb" holds every place.

#include "locations/location_record.h"
#include "locations/regions_index.h"
#include "text/result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct TLocationTable {
    TRegionsIndex Index;
    std::vector<std::string> Databases;       // in code order: Databases[code - 1]
    std::vector<TLocationRecord> Records;     // in table order
};

// Reads the table; a line that cannot be used fails with "line N: " and the reason.
TResult ParseLocationTable(std::string_view text, TLocationTable& table);

struct TBuildSummary {
    int Databases = 0;
    int Regions = 0;
    int Places = 0;
};

// Reads the table file and writes the index and one file per database, plus "+All.wdb", into
// the folder (made when missing). Nothing is written when the table has a bad line.
TResult BuildLocationDatabases(const std::filesystem::path& table, const std::filesystem::path& folder,
                               TBuildSummary& summary);

}  // namespace vantor
