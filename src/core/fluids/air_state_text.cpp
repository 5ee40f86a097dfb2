#include "fluids/air_state_text.h"

#include "psychro/psychro.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr double kLowestTemperature = -60.0;
constexpr double kHighestTemperature = 99.0;
constexpr double kDriestRH = 0.01;
// The check compares with this tolerance so that "20.1/20" counts as 0.1 K, not a hair more.
constexpr double kComparisonTolerance = 1e-9;

}  // namespace

TAirReading ReadAirTemperatures(double db, std::optional<double> wb, TMoistAirState& state, double P,
                                double defaultRH)
{
    TAirReading reading;
    const auto correct = [&reading](TAirPart part, double given, double used, std::string_view reason) {
        reading.Corrections.push_back({part, given, used, std::string(reason)});
    };
    if (const double held = std::clamp(db, kLowestTemperature, kHighestTemperature); held != db) {
        correct(TAirPart::DryBulb, db, held, db > held ? "is above the highest dry bulb" : "is below the lowest dry bulb");
        db = held;
    }
    double wetBulb = 0;
    if (!wb) {
        wetBulb = WetBulb(P, db, defaultRH, pcDbRH);
    } else {
        wetBulb = *wb;
        if (wetBulb > db) {
            wetBulb = db;
            correct(TAirPart::WetBulb, *wb, wetBulb, "is above the dry bulb");
        }
        // The driest air this program rates: 1 % relative humidity.
        if (const double driest = WetBulb(P, db, kDriestRH, pcDbRH); wetBulb < driest) {
            wetBulb = driest;
            correct(TAirPart::WetBulb, *wb, wetBulb, "is below the lowest wet bulb of air at this dry bulb (1 % RH)");
        }
    }
    reading.Status = SetState(state, P, db, wetBulb, pcDbWb);
    return reading;
}

TAirReading ReadAirText(std::string_view text, TMoistAirState& state, double P, double defaultRH)
{
    const std::optional<TNumberPair> pair = ReadNumberPair(text);
    if (!pair)
        throw EConvertError("\"" + std::string(text) +
                            "\" is not an air state: give the dry bulb and, optionally, the wet bulb in °C "
                            "separated by \"/\", as 24.0/17.0");
    return ReadAirTemperatures(pair->First, pair->Second, state, P, defaultRH);
}

std::string AirCorrectionText(const TAirCorrection& correction)
{
    const std::string_view part = correction.Part == TAirPart::DryBulb ? "dry bulb" : "wet bulb";
    return std::string(part) + " " + FormatFloat("%0.4g", correction.Given) + " °C " + correction.Reason + "; " +
           FormatFloat("%0.4g", correction.Used) + " °C used";
}

int ParseAirState(std::string_view text, TMoistAirState& state, double P, double defaultRH)
{
    return ReadAirText(text, state, P, defaultRH).Status;
}

std::string FormatAirState(const TMoistAirState& state, std::string_view format)
{
    return FormatFloat(format, state.db) + "/" + FormatFloat(format, state.wb);
}

bool CheckAirState(const TMoistAirState& state, std::string& message)
{
    const auto finite = [](double v) { return std::isfinite(v); };
    const bool allFinite = finite(state.P) && finite(state.db) && finite(state.wb) && finite(state.h) &&
                           finite(state.W) && finite(state.RH) && finite(state.td) && finite(state.pv) &&
                           finite(state.ps) && finite(state.ro) && finite(state.cp) && finite(state.k) &&
                           finite(state.mu);
    if (state.db > kHighestTemperature) message = "Dry bulb too high...";
    else if (state.wb > kHighestTemperature) message = "Wet bulb too high...";
    else if (state.db < kLowestTemperature) message = "Dry bulb too low...";
    else if (state.wb < kLowestTemperature) message = "Wet bulb too low...";
    else if (state.wb - state.db > 0.1 + kComparisonTolerance) message = "Wet Bulb > Dry Bulb °C...";
    else if (state.RH < -0.01) message = "Low Relative Humidity...";
    else if (state.RH > 1.01) message = "High Relative Humidity...";
    else if (state.W < -1e-5) message = "Absolute Humidity < 0 g/kg...";
    // A state read from a file may carry anything: a field that is not a number is bad data too.
    else if (state.Status != 0.0 || !allFinite) message = "Bad data...";
    else message.clear();
    return message.empty();
}

int NormalizeAirText(const TAirStateValue& value, std::string& text, double P, double RH)
{
    TMoistAirState state;
    int status = psyOk;
    if (const auto* typed = std::get_if<std::string>(&value); typed && typed->find('/') != std::string::npos) {
        status = ParseAirState(*typed, state, P, 0.5);
    } else {
        const double db = typed ? StrToFloat(*typed) : std::get<double>(value);
        status = SetState(state, P, db, RH, pcDbRH);
    }
    if (PsyStateFilled(status)) text = FormatAirState(state, "%0.1f");
    return status;
}

}  // namespace vantor
