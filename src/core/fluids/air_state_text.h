#pragma once

// Moist air as users write it: a dry bulb and, optionally, a wet bulb in °C separated by a
// slash ("24.0/17.0", "25/17", "24"). Reading, writing and judging such states.

#include "psychro/moist_air_state.h"

#include <string>
#include <string_view>
#include <variant>

namespace vantor {

// Fills state from the text at pressure P (kPa). The dry bulb is held within -60 .. 99 °C;
// without a wet bulb the state takes defaultRH; a wet bulb above the dry bulb becomes the dry
// bulb, one below that of 1 % relative humidity becomes that one. Returns the library status;
// text that is not a number raises EConvertError.
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
