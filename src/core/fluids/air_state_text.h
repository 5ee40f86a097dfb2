#pragma once

// Moist air as users write it: a dry bulb and, optionally, a wet bulb in °C separated by a
// slash ("24.0/17.0", "25/17", "24"). Reading, writing and judging such states.

#include "psychro/moist_air_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vantor {

// A temperature of an air text that had to be changed to give a possible state.
enum class TAirPart { DryBulb, WetBulb };
struct TAirCorrection {
    TAirPart Part = TAirPart::DryBulb;
    double Given = 0;  // °C, as written
    double Used = 0;   // °C, as the state holds it
    // Why, without the values: "is above the dry bulb".
    std::string Reason;
};

// What reading an air text into a state gave: the library status and every change made to
// the temperatures written.
struct TAirReading {
    int Status = 0;
    std::vector<TAirCorrection> Corrections;
};

// The one reader of air texts, whoever wrote them (a row, the command line, a file, the
// settings): "db" or "db/wb" in °C, blanks allowed around the numbers, nothing else. The
// dry bulb is held within -60 .. 99 °C; without a wet bulb the state takes defaultRH; a wet
// bulb above the dry bulb becomes the dry bulb, one below that of 1 % relative humidity
// becomes that one, each change listed. A text that is not of that form ("25/17/3",
// "2.5.5/17", "") raises EConvertError with a message that says what is expected.
// The state keeps its other fields (the air mass flow), and all of them when the library
// cannot form the state.
TAirReading ReadAirText(std::string_view text, TMoistAirState& state, double P, double defaultRH);
// The same from temperatures already read; no wet bulb: defaultRH.
TAirReading ReadAirTemperatures(double db, std::optional<double> wb, TMoistAirState& state, double P,
                                double defaultRH);
// "wet bulb 26 °C is above the dry bulb; 25 °C used": the part, the given value, the reason
// and the value used.
std::string AirCorrectionText(const TAirCorrection& correction);

// ReadAirText without the list: fills state and returns the library status.
int ParseAirState(std::string_view text, TMoistAirState& state, double P, double defaultRH);

// format applied to the dry bulb, "/", format applied to the wet bulb: "24.0/17.0" for
// "%0.1f".
std::string FormatAirState(const TMoistAirState& state, std::string_view format);

// True with an empty message when the state is usable; otherwise false with the first of
// "Dry bulb too high...", "Wet bulb too high...", "Dry bulb too low...", "Wet bulb too
// low...", "Wet Bulb > Dry Bulb °C...", "Low Relative Humidity...", "High Relative
// Humidity...", "Absolute Humidity < 0 g/kg...", "Bad data..." that applies.
bool CheckAirState(const TMoistAirState& state, std::string& message);

// A typed air state, number or text.
using TAirStateValue = std::variant<double, std::string>;

// "%0.1f/%0.1f" of the state the value names: a "db/wb" text is read as ParseAirState reads
// it (RH 0.5 without a wet bulb), a plain dry bulb takes relative humidity RH. Returns the
// library status; text stays unchanged unless the state could be computed. Text that is not
// a number raises EConvertError.
int NormalizeAirText(const TAirStateValue& value, std::string& text, double P, double RH);

}  // namespace vantor
