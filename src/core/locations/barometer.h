#pragma once

// The pressure calculator's arithmetic and settings: barometer and altitude tied by the
// standard atmosphere of the psychrometric library, within the calculator's ranges.

#include "locations/location_record.h"
#include "psychro/standard_atmosphere.h"
#include "settings/settings_store.h"

#include <string>
#include <string_view>

namespace vantor {

inline constexpr double kBarometerLo = 70.0;       // kPa
inline constexpr double kBarometerHi = 120.0;      // kPa
inline constexpr double kAltitudeLo = -1401.35;    // m, where the atmosphere gives 120 kPa
inline constexpr double kAltitudeHi = 3063.8;      // m, where it gives 70 kPa

struct TBarometer {
    double Pressure = kStandardAtmosphere;  // kPa
    double Altitude = 0.0;      // m

    // Pressure = P and the altitude of that pressure.
    void SetPressure(double P);
    // Altitude = A and the pressure at that altitude.
    void SetAltitude(double A);
};

// The barometer taken from a place. A place outside the altitude range is held at the range's
// end (70 kPa above, 120 kPa below) with a message saying so; inside it Message is empty.
struct TPlaceBarometer {
    TBarometer Barometer;
    bool Held = false;
    std::string Message;
};
TPlaceBarometer BarometerAtPlace(std::string_view placeName, double altitude);

// "%s: %0.1f/%0.1f °C": the place and its cooling design dry and wet bulbs.
std::string PlaceDesignText(const TLocationRecord& record);

// Section "Barometer" of the maker's shared settings.
struct TBarometerSettings {
    int PressureUnits = 0;
    int AltitudeUnits = 0;
    std::string LastLocation;
    TBarometer Barometer;

    static TBarometerSettings Read(const TSettingsStore& shared);
    void Write(TSettingsStore& shared) const;
};

// Section "SelectLocationForm" of the program's settings: the picker's last choice.
struct TLocationChoice {
    std::string Database;
    std::string Region;
    std::string Place;

    static TLocationChoice Read(const TSettingsStore& program);
    void Write(TSettingsStore& program) const;
};

}  // namespace vantor
