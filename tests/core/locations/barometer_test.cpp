// Barometer and altitude through the isothermal atmosphere P = 101.325·exp(−z/8284.24 m);
// the expected pressures are that formula worked by hand.

#include "locations/barometer.h"
#include "location_test_support.h"
#include "settings/settings_store.h"
#include "support/settings_writer.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

TEST(Barometer, PressureAndAltitudeFollowEachOther)
{
    TBarometer b;
    b.SetAltitude(2000);
    EXPECT_NEAR(b.Pressure, 79.5918, 1e-3);
    b.SetPressure(101.325);
    EXPECT_NEAR(b.Altitude, 0.0, 1e-6);
    // The ends of the calculator's ranges meet.
    b.SetAltitude(kAltitudeHi);
    EXPECT_NEAR(b.Pressure, kBarometerLo, 1e-3);
    b.SetAltitude(kAltitudeLo);
    EXPECT_NEAR(b.Pressure, kBarometerHi, 1e-3);
}

TEST(Barometer, PlacesOutsideTheRangeAreHeldAtItsEnds)
{
    struct TCase {
        double Altitude;
        double Pressure;
        bool Held;
    };
    const TCase cases[] = {
        {1753, 82.0006, false},
        {3063.8, 70.0002, false},
        {3400, 70.0, true},
        {-1500, 120.0, true},
    };
    for (const TCase& c : cases) {
        const TPlaceBarometer place = BarometerAtPlace("Somewhere", c.Altitude);
        EXPECT_NEAR(place.Barometer.Pressure, c.Pressure, 1e-3) << c.Altitude;
        EXPECT_EQ(place.Held, c.Held) << c.Altitude;
        EXPECT_EQ(place.Message.empty(), !c.Held) << c.Altitude;
    }
    EXPECT_EQ(BarometerAtPlace("El Alto", 4150).Message,
              "El Alto lies at 4150 m, above the calculator's 3063.8 m: barometer held at 70 kPa");
}

TEST(Barometer, PlaceDesignText)
{
    TLocationRecord r;
    r.Name = "Durban";
    r.CoolingDryBulb = 31;
    r.CoolingWetBulb = 24.04f;
    EXPECT_EQ(PlaceDesignText(r), "Durban: 31.0/24.0 °C");
}

using BarometerSettings = TTempFolderTest;

TEST_F(BarometerSettings, DefaultsAndRoundTrip)
{
    const std::filesystem::path file = Folder() / "Common.ini";
    {
        const TSettingsStore empty(file);
        const TBarometerSettings defaults = TBarometerSettings::Read(empty);
        EXPECT_DOUBLE_EQ(defaults.Barometer.Pressure, 101.325);
        EXPECT_DOUBLE_EQ(defaults.Barometer.Altitude, 0.0);
        EXPECT_EQ(defaults.LastLocation, "");
    }
    TBarometerSettings saved;
    saved.PressureUnits = 1;
    saved.AltitudeUnits = 1;
    saved.LastLocation = "Zürich, Switzerland";
    saved.Barometer = {96.1, 412.5};  // as saved, not recomputed from each other
    test::WriteSettings(file, [&](TSettingsStore& store) { saved.Write(store); });
    const TSettingsStore store(file);
    const TBarometerSettings back = TBarometerSettings::Read(store);
    EXPECT_EQ(back.PressureUnits, 1);
    EXPECT_EQ(back.LastLocation, saved.LastLocation);
    EXPECT_DOUBLE_EQ(back.Barometer.Pressure, 96.1);
    EXPECT_DOUBLE_EQ(back.Barometer.Altitude, 412.5);
    EXPECT_NE(ReadFileText(file)->find("[Barometer]"), std::string::npos);
}
