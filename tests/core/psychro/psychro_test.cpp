#include "psychro/psychro.h"

#include "core/psychro/reference_states.h"

#include "support/allocation_counter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>


namespace vantor {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr double kRelative = 1e-3;  // 0.1 %
constexpr double kKelvin = 0.02;

// Relative 0.1 % of the value, with a floor for values near zero (enthalpy, dew point).
void ExpectWithin(double actual, double expected, double floor, const char* what)
{
    EXPECT_NEAR(actual, expected, std::max(kRelative * std::abs(expected), floor)) << what;
}

// Inputs no state can be formed from, with the status they give.
struct TBadInput {
    const char* name;
    double P, X, Y;
    int code;
    int expected;
};

void PrintTo(const TBadInput& c, std::ostream* out) { *out << c.name; }

class Psychro : public testing::TestWithParam<TBadInput> {};

void ExpectMatches(const TMoistAirState& s, const test::TReferenceState& r)
{
    ExpectWithin(s.ps, r.ps, 1e-6, "ps");
    ExpectWithin(s.pv, r.pv, 1e-6, "pv");
    ExpectWithin(s.W, r.W, 1e-8, "W");
    ExpectWithin(s.h, r.h, 1e-3, "h");
    ExpectWithin(s.ro, r.ro, 1e-6, "ro");
    ExpectWithin(s.RH, r.RH, 1e-6, "RH");
    EXPECT_NEAR(s.td, r.td, kKelvin) << "td";
    EXPECT_NEAR(s.wb, r.wb, kKelvin) << "wb";
}

TEST_F(Psychro, StatesMatchTheReferenceTableFromEachCoilPair)
{
    const auto references = test::ReadReferenceStates();
    ASSERT_EQ(references.size(), 63u);
    for (const auto& r : references) {
        SCOPED_TRACE(test::Describe(r));
        TMoistAirState s;
        ASSERT_EQ(SetState(s, r.P, r.db, r.RH, pcDbRH), psyOk);
        ExpectMatches(s, r);
        EXPECT_EQ(s.P, r.P);
        EXPECT_EQ(s.db, r.db);

        // The coil's pairs: (db, wb) from the text, (db, h) and (h, W) off the coil. The
        // table's wet bulbs carry four decimals and their own iteration's 0.001 K, so as an
        // input they fix W to about 5e-7 kg/kg only.
        ASSERT_EQ(SetState(s, r.P, r.db, r.wb, pcDbWb), psyOk);
        ExpectWithin(s.W, r.W, 5e-7, "W from (db, wb)");
        ExpectWithin(s.h, r.h, 2e-3, "h from (db, wb)");
        EXPECT_NEAR(s.td, r.td, kKelvin);
        TMoistAirState given{};
        given.P = r.P;
        given.db = r.db;
        given.h = r.h;
        ASSERT_EQ(AirState(s, given, pcDbH), psyOk);
        ExpectMatches(s, r);
        given.W = r.W;
        ASSERT_EQ(AirState(s, given, pcHW), psyOk);
        EXPECT_NEAR(s.db, r.db, kKelvin);
        ExpectMatches(s, r);

        EXPECT_NEAR(WetBulb(r.P, r.db, r.RH, pcDbRH), r.wb, kKelvin);
        EXPECT_EQ(PsyStatus(), psyOk);
    }
}

TEST_F(Psychro, RelationsHoldAtSeventyAndOneHundredTenKilopascal)
{
    // Vapour and saturation pressures do not depend on the barometer, so the reference rows at
    // 101.325 kPa give them; W, h and density then follow from the handbook's eq. 20, 32, 28.
    for (double P : {70.0, 110.0}) {
        for (const auto& r : test::ReadReferenceStates()) {
            if (r.P != 101.325) continue;
            SCOPED_TRACE(test::Describe(r) + " at " + FormatShortest(P));
            TMoistAirState s;
            ASSERT_EQ(SetState(s, P, r.db, r.RH, pcDbRH), psyOk);
            const double W = 0.621945 * r.pv / (P - r.pv);
            const double h = 1.006 * r.db + W * (2501.0 + 1.86 * r.db);
            const double v = 0.287042 * (r.db + 273.15) * (1.0 + 1.607858 * W) / P;
            ExpectWithin(s.pv, r.pv, 1e-6, "pv");
            ExpectWithin(s.W, W, 1e-8, "W");
            ExpectWithin(s.h, h, 1e-3, "h");
            ExpectWithin(s.ro, (1.0 + W) / v, 1e-6, "ro");
            EXPECT_NEAR(s.td, r.td, kKelvin);
            EXPECT_LT(s.td, s.wb + 1e-9);
            EXPECT_LE(s.wb, s.db);
            // Lower pressure, more evaporation from the wick: the wet bulb falls with P.
            TMoistAirState sea;
            SetState(sea, 101.325, r.db, r.RH, pcDbRH);
            if (P < 101.325) EXPECT_LT(s.wb, sea.wb + 1e-9);
            else EXPECT_GT(s.wb, sea.wb - 1e-9);
        }
    }
}

TEST_F(Psychro, EveryPairCodeReproducesTheStateItWasTakenFrom)
{
    const int codes[] = {pcDbWb, pcDbH, pcDbW, pcDbRH, pcDbTd, pcDbPv, pcDbRo, pcWbH, pcWbW,
                         pcWbRH, pcWbTd, pcWbPv, pcWbPs, pcWbRo, pcHW, pcHRH, pcHTd, pcHPv,
                         pcHPs, pcWRH, pcWPs, pcRHTd, pcRHPv, pcRHPs, pcTdPs, pcPvPs};
    struct TBase { double P, db, RH; };
    const TBase bases[] = {{101.325, 24.0, 0.5}, {70.0, 35.0, 0.2}, {110.0, -15.0, 0.7},
                           {90.0, 60.0, 0.9}, {101.325, 5.0, 0.95}, {80.0, -40.0, 0.3}};
    for (const TBase& b : bases) {
        TMoistAirState base;
        ASSERT_EQ(SetState(base, b.P, b.db, b.RH, pcDbRH), psyOk);
        for (int code : codes) {
            EXPECT_TRUE(IsPairCode(code));
            SCOPED_TRACE("P=" + FormatShortest(b.P) + " db=" + FormatShortest(b.db) + " code " + std::to_string(code));
            TMoistAirState s;
            ASSERT_EQ(AirState(s, base, code), psyOk) << PsyStatusText(PsyStatus());
            EXPECT_NEAR(s.db, base.db, 1e-6);
            EXPECT_NEAR(s.W, base.W, 1e-6 * base.W);
            EXPECT_NEAR(s.wb, base.wb, 1e-6);
            EXPECT_NEAR(s.td, base.td, 1e-6);
            EXPECT_NEAR(s.h, base.h, 1e-6);
            EXPECT_NEAR(s.RH, base.RH, 1e-9);
        }
    }
    for (int code : {-1, 6, 20, 24, 27, 33}) EXPECT_FALSE(IsPairCode(code)) << code;
}

TEST_F(Psychro, WetBulbUpToATenthOfAKelvinAboveTheDryBulbIsAccepted)
{
    for (double db : {-55.0, -20.0, 0.0, 20.0, 50.0, 95.0}) {
        SCOPED_TRACE(db);
        TMoistAirState s;
        // 20.1 - 20.0 is 0.10000000000000142 in binary; it still counts as 0.1 K.
        EXPECT_EQ(SetState(s, 101.325, db, db + 0.1, pcDbWb), psyOk);
        EXPECT_GT(s.RH, 1.0);
        EXPECT_EQ(s.wb, db + 0.1);
        // Further above saturation the state is computed but flagged.
        EXPECT_EQ(SetState(s, 101.325, db, db + 0.11, pcDbWb), psySupersaturated);
        EXPECT_EQ(s.Status, psySupersaturated);
        EXPECT_TRUE(std::isfinite(s.W) && std::isfinite(s.RH) && std::isfinite(s.td));
    }
}

TEST_P(Psychro, BadInputGivesAStatusAndLeavesTheStateUsable)
{
    const TBadInput& c = GetParam();
    TMoistAirState s;
    s.P = 55.5;
    s.db = 66.6;
    s.M = 7.0;
    const int status = SetState(s, c.P, c.X, c.Y, c.code);
    EXPECT_EQ(status, c.expected) << PsyStatusText(status);
    EXPECT_EQ(PsyStatus(), status);
    EXPECT_EQ(s.Status, status);
    EXPECT_EQ(s.M, 7.0);
    if (PsyStateFilled(status)) {
        for (double field : {s.P, s.db, s.wb, s.h, s.W, s.RH, s.td, s.pv, s.ps, s.ro, s.cp, s.k, s.mu})
            EXPECT_TRUE(std::isfinite(field));
    } else {
        EXPECT_EQ(s.P, 55.5);
        EXPECT_EQ(s.db, 66.6);
    }
    EXPECT_TRUE(std::isnan(WetBulb(c.P, c.X, c.Y, c.code)) || PsyStateFilled(status));
}

INSTANTIATE_TEST_SUITE_P(
    , Psychro,
    testing::Values(
        TBadInput{"NaN pressure", kNaN, 20, 15, pcDbWb, psyBadPressure},
        TBadInput{"infinite pressure", kInf, 20, 15, pcDbWb, psyBadPressure},
        TBadInput{"zero pressure", 0.0, 20, 15, pcDbWb, psyBadPressure},
        TBadInput{"negative pressure", -101.325, 20, 15, pcDbWb, psyBadPressure},
        TBadInput{"NaN dry bulb", 101.325, kNaN, 15, pcDbWb, psyBadValue},
        TBadInput{"infinite wet bulb", 101.325, 20, kInf, pcDbWb, psyBadValue},
        TBadInput{"dry bulb far too high", 101.325, 1e6, 0.5, pcDbRH, psyOutOfRange},
        TBadInput{"dry bulb far too low", 101.325, -300, 0.5, pcDbRH, psyOutOfRange},
        TBadInput{"99/99 at 70 kPa", 70.0, 99, 99, pcDbWb, psyVapourPressure},
        TBadInput{"vapour pressure above barometer", 101.325, 20, 150, pcDbPv, psyVapourPressure},
        TBadInput{"negative RH", 101.325, 20, -0.1, pcDbRH, psyBadValue},
        TBadInput{"RH well above 1", 101.325, 20, 1.5, pcDbRH, psySupersaturated},
        TBadInput{"dew point above dry bulb", 101.325, 20, 30, pcDbTd, psySupersaturated},
        TBadInput{"wet bulb below that of dry air", 101.325, 24, -5, pcDbWb, psyNoState},
        TBadInput{"negative moisture content", 101.325, 20, -0.001, pcDbW, psyBadValue},
        TBadInput{"enthalpy far too high", 101.325, 1e9, 0.01, pcHW, psyOutOfRange},
        TBadInput{"denser than dry air", 101.325, 20, 2.0, pcDbRo, psyNoState},
        TBadInput{"dry air at an unknown dry bulb", 101.325, 0.0, 0.0, pcWRH, psyNoState},
        TBadInput{"zero saturation pressure", 101.325, 0.0, 0.0, pcHPs, psyBadValue},
        TBadInput{"unknown pair code 6", 101.325, 20, 2.3, 6, psyUnknownPairCode},
        TBadInput{"negative pair code", 101.325, 20, 15, -1, psyUnknownPairCode},
        TBadInput{"pair code beyond the table", 101.325, 20, 15, 99, psyUnknownPairCode}));

TEST_F(Psychro, LibraryKeepsTheAirMassFlowAndWorksInPlace)
{
    TMoistAirState air;
    air.M = 2.5;
    ASSERT_EQ(SetState(air, 101.325, 24.0, 17.0, pcDbWb), psyOk);
    EXPECT_EQ(air.M, 2.5);

    // One slice of the coil: heat added at constant moisture, completed from (h, W) in place.
    const double W = air.W;
    air.h += 10.0;
    ASSERT_EQ(AirState(air, air, pcHW), psyOk);
    EXPECT_EQ(air.M, 2.5);
    EXPECT_EQ(air.W, W);
    // db = (h - 2501 W) / (1.006 + 1.86 W), the enthalpy relation solved for db.
    EXPECT_NEAR(air.db, (air.h - 2501.0 * W) / (1.006 + 1.86 * W), 1e-9);
    EXPECT_LT(air.RH, 0.5);

    TMoistAirState other;
    other.M = 9.0;
    ASSERT_EQ(AirState(other, air, pcDbWb), psyOk);
    EXPECT_EQ(other.M, 9.0);
    EXPECT_EQ(other.db, air.db);
}

TEST_F(Psychro, TheCoilsCallsAllocateNothing)
{
    TMoistAirState air;
    const long probe = test::AllocationCount();
    const std::string longText(100, 'x');
    ASSERT_GT(test::AllocationCount(), probe) << "the allocation counter is not live";
    const long before = test::AllocationCount();
    SetState(air, 101.325, 24.0, 17.0, pcDbWb);
    for (int slice = 0; slice < 100; ++slice) {
        air.h += 0.3;
        AirState(air, air, pcHW);
    }
    AirState(air, air, pcDbH);
    SetState(air, 95.0, air.db, air.W, pcDbW);
    SetState(air, 95.0, air.wb, air.RH, pcWbRH);
    WetBulb(101.325, 24.0, 0.5, pcDbRH);
    SetState(air, 0.0, 24.0, 17.0, pcDbWb);  // a failure too
    EXPECT_EQ(test::AllocationCount() - before, 0);
    EXPECT_EQ(PsyStatus(), psyBadPressure);
}

TEST_F(Psychro, AirTransportPropertiesFollowSutherland)
{
    // Dry air at 20 °C: 18.13e-6 Pa·s and 0.02569 W/(m·K) from Sutherland's law; cp per
    // kilogram of dry air adds 1.86·W for the vapour.
    TMoistAirState s;
    ASSERT_EQ(SetState(s, 101.325, 20.0, 0.0, pcDbW), psyOk);
    EXPECT_NEAR(s.mu, 18.13e-6, 0.01e-6);
    EXPECT_NEAR(s.k, 0.02569e-3, 0.00001e-3);
    EXPECT_DOUBLE_EQ(s.cp, 1.006);
    EXPECT_EQ(s.td, -100.0);  // dry air: the lowest dew point the relations know
    ASSERT_EQ(SetState(s, 101.325, 20.0, 0.01, pcDbW), psyOk);
    EXPECT_NEAR(s.cp, 1.006 + 0.0186, 1e-12);
}

TEST_F(Psychro, AltitudeAndPressureInvertEachOther)
{
    EXPECT_NEAR(Altitude(70.0), 3063.8, 0.05);
    EXPECT_NEAR(Altitude(120.0), -1401.35, 0.005);
    EXPECT_EQ(Altitude(101.325), 0.0);
    EXPECT_NEAR(AtmPressure(3063.8), 70.0, 0.0005);
    EXPECT_NEAR(AtmPressure(-1401.35), 120.0, 0.0005);
    for (double z : {-1401.35, -10.0, 0.0, 500.0, 2000.0, 3063.8, 8848.0}) {
        EXPECT_NEAR(Altitude(AtmPressure(z)), z, 1e-6) << z;
        EXPECT_EQ(PsyStatus(), psyOk);
    }
    for (double P : {0.0, -5.0, kNaN, kInf}) {
        EXPECT_TRUE(std::isnan(Altitude(P))) << P;
        EXPECT_NE(PsyStatus(), psyOk);
    }
    for (double z : {kNaN, 1e7, -1e7}) {
        EXPECT_TRUE(std::isnan(AtmPressure(z))) << z;
        EXPECT_NE(PsyStatus(), psyOk);
    }
}

}  // namespace
}  // namespace vantor
