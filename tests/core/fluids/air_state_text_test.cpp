#include "fluids/air_state_text.h"

#include "core/psychro/reference_states.h"
#include "psychro/psychro.h"
#include "support/comma_locale.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

constexpr double kSeaLevel = 101.325;

TMoistAirState Parse(std::string_view text, double P = kSeaLevel)
{
    TMoistAirState state;
    EXPECT_EQ(ParseAirState(text, state, P, 0.5), psyOk) << text;
    return state;
}

TEST(AirStateText, DryBulbAloneTakesTheDefaultHumidity)
{
    // Reference table: 20 °C, 50 % at sea level has a wet bulb of 13.7834 °C.
    const TMoistAirState s = Parse("20");
    EXPECT_EQ(s.db, 20.0);
    EXPECT_NEAR(s.wb, 13.7834, 0.02);
    EXPECT_NEAR(s.RH, 0.5, 1e-6);
    EXPECT_NEAR(Parse("24").RH, 0.5, 1e-6);
    EXPECT_EQ(Parse(" 24 / 17 ").wb, 17.0);
}

TEST(AirStateText, OutOfRangePartsAreClamped)
{
    struct TCase {
        const char* text;
        double db;
        double RH;  // NaN: only the dry bulb is checked
    };
    const TCase cases[] = {
        {"24/30", 24.0, 1.0},    // wet bulb above dry bulb: saturated
        {"24/-5", 24.0, 0.01},   // below the driest wet bulb: 1 % RH
        {"150/20", 99.0, std::numeric_limits<double>::quiet_NaN()},
        {"-80", -60.0, 0.5},
        {"-80/-90", -60.0, 0.01},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text);
        const TMoistAirState s = Parse(c.text);
        EXPECT_EQ(s.db, c.db);
        if (!std::isnan(c.RH)) {
            EXPECT_NEAR(s.RH, c.RH, 1e-6);
        }
        EXPECT_LE(s.wb, s.db);
    }
    EXPECT_EQ(Parse("24/30").wb, 24.0);
}

TEST(AirStateText, TextThatIsNotANumberRaisesAndImpossibleAirIsReported)
{
    TMoistAirState state;
    for (const char* text : {"", "abc", "24/", "/17", "24/abc", "nan", "1e999", "24,5"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(ParseAirState(text, state, kSeaLevel, 0.5), EConvertError);
    }

    // At 70 kPa the vapour pressure at 99 °C exceeds the barometer.
    EXPECT_NE(ParseAirState("99/99", state, 70.0, 0.5), psyOk);
    std::string message;
    EXPECT_FALSE(CheckAirState(state, message));
    EXPECT_EQ(message, "Bad data...");

    EXPECT_NE(ParseAirState("24/17", state, 0.0, 0.5), psyOk);
    EXPECT_NE(ParseAirState("24", state, kSeaLevel, std::numeric_limits<double>::quiet_NaN()), psyOk);
}

TEST(AirStateText, MalformedTextIsRefusedWithAMessageThatSaysWhatIsExpected)
{
    for (const char* text : {"25/17/3", "2.5.5/17", "", "25//17", "25/1 7"}) {
        SCOPED_TRACE(text);
        TMoistAirState state;
        state.db = 12;
        try {
            ReadAirText(text, state, kSeaLevel, 0.5);
            ADD_FAILURE() << "accepted";
        } catch (const EConvertError& error) {
            EXPECT_EQ(std::string(error.what()), "\"" + std::string(text) +
                                                     "\" is not an air state: give the dry bulb and, optionally, "
                                                     "the wet bulb in °C separated by \"/\", as 24.0/17.0");
        }
        EXPECT_EQ(state.db, 12) << "the state is left alone";
    }
}

TEST(AirStateText, EveryCorrectionNamesTheValueUsed)
{
    constexpr double kNoCheck = std::numeric_limits<double>::quiet_NaN();
    // Independent: the ASHRAE psychrometer equation with Hyland–Wexler saturation gives a wet
    // bulb of 8.498 °C for 25 °C air at 1 % RH and 101.325 kPa.
    struct TCase {
        const char* text;
        double db;
        double wb;
        const char* message;  // empty: nothing corrected
    };
    const TCase cases[] = {
        {"25/17", 25, 17, ""},
        {"25/25", 25, 25, ""},
        {"25/26", 25, 25, "wet bulb 26 °C is above the dry bulb; 25 °C used"},
        {"25/-50", 25, 8.498, "wet bulb -50 °C is below the lowest wet bulb of air at this dry bulb (1 % RH); 8.498 °C used"},
        {"25/-10", 25, 8.498, "wet bulb -10 °C is below the lowest wet bulb of air at this dry bulb (1 % RH); 8.498 °C used"},
        {"150/50", 99, 50, "dry bulb 150 °C is above the highest dry bulb; 99 °C used"},
        {"-80", -60, kNoCheck, "dry bulb -80 °C is below the lowest dry bulb; -60 °C used"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text);
        TMoistAirState state;
        state.M = 2.5;
        const TAirReading reading = ReadAirText(c.text, state, kSeaLevel, 0.5);
        EXPECT_EQ(reading.Status, psyOk);
        EXPECT_EQ(state.db, c.db);
        if (!std::isnan(c.wb)) {
            EXPECT_NEAR(state.wb, c.wb, c.wb == 8.498 ? 0.002 : 1e-6);
        }
        EXPECT_EQ(state.M, 2.5) << "the air mass flow stays";
        const std::string message = reading.Corrections.empty() ? "" : AirCorrectionText(reading.Corrections.back());
        EXPECT_EQ(message, c.message);
        // The value named is the one the state holds.
        if (!reading.Corrections.empty()) {
            const TAirCorrection& last = reading.Corrections.back();
            EXPECT_EQ(last.Used, last.Part == TAirPart::DryBulb ? state.db : state.wb);
        }
    }
    // A dry bulb alone takes the default humidity without a word.
    TMoistAirState state;
    EXPECT_TRUE(ReadAirTemperatures(24, std::nullopt, state, kSeaLevel, 0.5).Corrections.empty());
    EXPECT_NEAR(state.RH, 0.5, 1e-6);
}

TEST(AirStateText, FormatWritesDryAndWetBulbWithAPointWhateverTheLocale)
{
    test::TCommaLocale comma;
    ASSERT_TRUE(test::TCommaLocale::IsActive());
    const TMoistAirState s = Parse("24/17");
    EXPECT_EQ(FormatAirState(s, "%0.1f"), "24.0/17.0");
    EXPECT_EQ(FormatAirState(s, "%0.4f"), "24.0000/17.0000");
    EXPECT_EQ(FormatAirState(Parse("23.45/16.5"), "%0.3f"), "23.450/16.500");
}

TEST(AirStateText, CheckReportsTheFirstFault)
{
    TMoistAirState valid;
    ASSERT_EQ(SetState(valid, kSeaLevel, 24.0, 17.0, pcDbWb), psyOk);
    struct TCase {
        const char* name;
        double TMoistAirState::*field;
        double value;
        const char* message;
    };
    const TCase cases[] = {
        {"db 99.5", &TMoistAirState::db, 99.5, "Dry bulb too high..."},
        {"wb 99.5", &TMoistAirState::wb, 99.5, "Wet bulb too high..."},
        {"db -61", &TMoistAirState::db, -61.0, "Dry bulb too low..."},
        {"wb -61", &TMoistAirState::wb, -61.0, "Wet bulb too low..."},
        {"wb 24.11", &TMoistAirState::wb, 24.11, "Wet Bulb > Dry Bulb °C..."},
        {"wb 24.1", &TMoistAirState::wb, 24.1, ""},
        {"RH -0.02", &TMoistAirState::RH, -0.02, "Low Relative Humidity..."},
        {"RH -0.01", &TMoistAirState::RH, -0.01, ""},
        {"RH 1.02", &TMoistAirState::RH, 1.02, "High Relative Humidity..."},
        {"W -2e-5", &TMoistAirState::W, -2e-5, "Absolute Humidity < 0 g/kg..."},
        {"status", &TMoistAirState::Status, psyNoState, "Bad data..."},
        {"NaN enthalpy", &TMoistAirState::h, std::numeric_limits<double>::quiet_NaN(), "Bad data..."},
        {"infinite density", &TMoistAirState::ro, std::numeric_limits<double>::infinity(), "Bad data..."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TMoistAirState s = valid;
        s.*c.field = c.value;
        std::string message = "stale";
        EXPECT_EQ(CheckAirState(s, message), std::string(c.message).empty());
        EXPECT_EQ(message, c.message);
    }

    // Both temperatures too high: the dry bulb is named first.
    TMoistAirState hot = valid;
    hot.db = hot.wb = 120.0;
    std::string message;
    CheckAirState(hot, message);
    EXPECT_EQ(message, "Dry bulb too high...");
}

TEST(AirStateText, WetBulbATenthAboveTheDryBulbPassesTheCheck)
{
    // 20.1 - 20.0 is a hair above 0.1 in binary; the check must still let it through.
    for (double db : {-50.0, 0.0, 20.0, 60.0}) {
        SCOPED_TRACE(db);
        TMoistAirState s;
        ASSERT_EQ(SetState(s, kSeaLevel, db, db + 0.1, pcDbWb), psyOk);
        std::string message;
        const bool valid = CheckAirState(s, message);
        // At and below freezing 0.1 K of wet bulb excess means more than 1 % above saturation,
        // which the humidity test catches.
        if (db > 0.0) {
            EXPECT_TRUE(valid) << message;
        } else {
            EXPECT_EQ(message, "High Relative Humidity...");
        }
        ASSERT_EQ(SetState(s, kSeaLevel, db, db + 0.11, pcDbWb), psySupersaturated);
        EXPECT_FALSE(CheckAirState(s, message));
        EXPECT_EQ(message, "Wet Bulb > Dry Bulb °C...");
    }
}

TEST(AirStateText, NormalizeTakesANumberOrAText)
{
    test::TCommaLocale comma;
    ASSERT_TRUE(test::TCommaLocale::IsActive());
    struct TCase {
        TAirStateValue value;
        double RH;
    };
    // A dry bulb alone takes the given RH; a pair is read as ParseAirState reads it.
    const TCase cases[] = {{24.0, 0.45}, {std::string("24"), 0.45}, {std::string("25/17"), 0.45},
                           {std::string("150/20"), 0.45}};
    for (const TCase& c : cases) {
        std::string text;
        ASSERT_EQ(NormalizeAirText(c.value, text, kSeaLevel, c.RH), psyOk);
        const auto* typed = std::get_if<std::string>(&c.value);
        TMoistAirState expected;
        if (typed && typed->find('/') != std::string::npos) ParseAirState(*typed, expected, kSeaLevel, 0.5);
        else SetState(expected, kSeaLevel, 24.0, c.RH, pcDbRH);
        EXPECT_EQ(text, FormatAirState(expected, "%0.1f"));
        EXPECT_EQ(text.find(','), std::string::npos);
    }

    std::string text = "unchanged";
    EXPECT_NE(NormalizeAirText(24.0, text, -1.0, 0.45), psyOk);
    EXPECT_EQ(text, "unchanged");
    EXPECT_THROW(NormalizeAirText(std::string("warm"), text, kSeaLevel, 0.45), EConvertError);
}

}  // namespace
}  // namespace vantor
