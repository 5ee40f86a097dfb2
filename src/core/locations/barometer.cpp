#include "locations/barometer.h"

#include "psychro/psychro.h"
#include "text/format.h"

namespace vantor {

namespace {

constexpr std::string_view kBarometerSection = "Barometer";
constexpr std::string_view kPickerSection = "SelectLocationForm";

}  // namespace

void TBarometer::SetPressure(double P)
{
    Pressure = P;
    Altitude = vantor::Altitude(P);
}

void TBarometer::SetAltitude(double A)
{
    Altitude = A;
    Pressure = AtmPressure(A);
}

TPlaceBarometer BarometerAtPlace(std::string_view placeName, double altitude)
{
    TPlaceBarometer result;
    if (altitude > kAltitudeHi) {
        result.Barometer.SetPressure(kBarometerLo);
        result.Held = true;
        result.Message = Format("%s lies at %0.0f m, above the calculator's %0.1f m: barometer held at %0.0f kPa",
                                {placeName, altitude, kAltitudeHi, kBarometerLo});
    } else if (altitude < kAltitudeLo) {
        result.Barometer.SetPressure(kBarometerHi);
        result.Held = true;
        result.Message = Format("%s lies at %0.0f m, below the calculator's %0.2f m: barometer held at %0.0f kPa",
                                {placeName, altitude, kAltitudeLo, kBarometerHi});
    } else {
        result.Barometer.SetAltitude(altitude);
    }
    return result;
}

std::string PlaceDesignText(const TLocationRecord& record)
{
    return Format("%s: %0.1f/%0.1f °C", {record.Name, record.CoolingDryBulb, record.CoolingWetBulb});
}

TBarometerSettings TBarometerSettings::Read(const TSettingsStore& shared)
{
    TBarometerSettings s;
    s.PressureUnits = shared.ReadInteger(kBarometerSection, "Pressure units", 0);
    s.AltitudeUnits = shared.ReadInteger(kBarometerSection, "Altitude units", 0);
    s.LastLocation = shared.ReadString(kBarometerSection, "LastLocation", "");
    s.Barometer.Pressure = shared.ReadFloat(kBarometerSection, "Pressure", kStandardAtmosphere);
    s.Barometer.Altitude = shared.ReadFloat(kBarometerSection, "Altitude", 0.0);
    return s;
}

void TBarometerSettings::Write(TSettingsStore& shared) const
{
    shared.WriteInteger(kBarometerSection, "Pressure units", PressureUnits);
    shared.WriteInteger(kBarometerSection, "Altitude units", AltitudeUnits);
    shared.WriteString(kBarometerSection, "LastLocation", LastLocation);
    shared.WriteFloat(kBarometerSection, "Pressure", Barometer.Pressure);
    shared.WriteFloat(kBarometerSection, "Altitude", Barometer.Altitude);
}

TLocationChoice TLocationChoice::Read(const TSettingsStore& program)
{
    return {program.ReadString(kPickerSection, "Database", ""), program.ReadString(kPickerSection, "Region", ""),
            program.ReadString(kPickerSection, "Place", "")};
}

void TLocationChoice::Write(TSettingsStore& program) const
{
    program.WriteString(kPickerSection, "Database", Database);
    program.WriteString(kPickerSection, "Region", Region);
    program.WriteString(kPickerSection, "Place", Place);
}

}  // namespace vantor
