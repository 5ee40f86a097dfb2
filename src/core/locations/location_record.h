#pragma once

// One place of a location database (".wdb"): a fixed 84-byte record, little-endian, no header.
//
//   offset  0  int32    database code (its key's code in section "+All" of Regions.idx)
//   offset  4  int32    region code in its database's section; 0 none
//   offset  8  32 bytes name: a length byte (at most 31), the Windows-1252 bytes, zeros after
//   offset 40  float32  latitude (north +), longitude (east +), time zone (h, east +),
//                       altitude (m), cooling design dry bulb and coincident wet bulb,
//                       heating design dry bulb (°C), mean wind speed (m/s), mean annual
//                       maximum and minimum dry bulb (°C), mean daily range (K), in that order

#include "text/result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vantor {

inline constexpr std::size_t kLocationRecordSize = 84;
inline constexpr std::size_t kPlaceNameMaxBytes = 31;

struct TLocationRecord {
    std::int32_t DatabaseCode = 0;
    std::int32_t RegionCode = 0;
    std::string Name;  // UTF-8 inside the program; at most 31 bytes once written as Windows-1252
    float Latitude = 0;
    float Longitude = 0;
    float TimeZone = 0;
    float Altitude = 0;
    float CoolingDryBulb = 0;
    float CoolingWetBulb = 0;
    float HeatingDryBulb = 0;
    float WindSpeed = 0;
    float MaxDryBulb = 0;
    float MinDryBulb = 0;
    float DailyRange = 0;

    bool operator==(const TLocationRecord&) const = default;
};

using TLocationBytes = std::array<std::uint8_t, kLocationRecordSize>;

// Fails, writing nothing, for a name that Windows-1252 cannot hold or that takes more than
// 31 bytes there (a name is refused, never cut), and for a value that is not a finite number.
TResult EncodeLocationRecord(const TLocationRecord& record, TLocationBytes& bytes);

// Fails for a length byte above 31 and for a value that is not a finite number: such a record
// is damaged, and nothing of it is shown. The message says what is wrong with the record.
TResult DecodeLocationRecord(std::span<const std::uint8_t, kLocationRecordSize> bytes, TLocationRecord& record);

}  // namespace vantor
