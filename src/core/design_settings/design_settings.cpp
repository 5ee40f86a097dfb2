#include "design_settings/design_settings.h"

#include "fluids/air_state_text.h"
#include "model/coil.h"
#include "psychro/psychro.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr std::string_view kAspect = "DesignAspect";
constexpr std::string_view kVf = "DesignVf";
constexpr std::string_view kRows = "DesignRows";
constexpr std::string_view kFins = "DesignFins";
constexpr std::string_view kAirOn = "DesignAirOn";
constexpr std::string_view kFluidIn = "DesignFluidIn";
constexpr std::string_view kUseFouling = "UseFouling";

double Limit(double value, double lo, double hi)
{
    // A value that is no number at all takes the lower limit.
    if (std::isnan(value)) return lo;
    return std::clamp(value, lo, hi);
}

}  // namespace

TDesignSettings DefaultDesignSettings(const TCoil& coil)
{
    TDesignSettings settings;
    settings.Aspect = coil.DefaultAspect;
    settings.Vf = coil.DefaultVf;
    settings.Rows = coil.DefaultRows;
    settings.Fins = coil.DefaultFins;
    settings.AirOn = coil.DefaultAirOn;
    settings.FluidIn = coil.DefaultFluidIn;
    settings.UseFouling = coil.UseFouling;
    return settings;
}

TDesignSettings LoadDesignSettings(const TSettingsStore& programKey, const TCoil& coil)
{
    const TDesignSettings defaults = DefaultDesignSettings(coil);
    const std::string_view section = kDesignSettingsSection;
    TDesignSettings settings;
    settings.Aspect = LimitDesignAspect(programKey.ReadFloat(section, kAspect, defaults.Aspect));
    settings.Vf = LimitDesignVf(programKey.ReadFloat(section, kVf, defaults.Vf));
    settings.Rows = LimitDesignRows(programKey.ReadFloat(section, kRows, defaults.Rows));
    settings.Fins = LimitDesignFins(programKey.ReadFloat(section, kFins, defaults.Fins));
    settings.AirOn = programKey.ReadString(section, kAirOn, defaults.AirOn);
    settings.FluidIn = LimitDesignFluidIn(programKey.ReadFloat(section, kFluidIn, defaults.FluidIn));
    settings.UseFouling = programKey.ReadBool(section, kUseFouling, defaults.UseFouling);
    return settings;
}

void SaveDesignSettings(TSettingsStore& programKey, const TDesignSettings& settings)
{
    const std::string_view section = kDesignSettingsSection;
    programKey.WriteFloat(section, kAspect, settings.Aspect);
    programKey.WriteFloat(section, kVf, settings.Vf);
    programKey.WriteFloat(section, kRows, settings.Rows);
    programKey.WriteFloat(section, kFins, settings.Fins);
    programKey.WriteString(section, kAirOn, settings.AirOn);
    programKey.WriteFloat(section, kFluidIn, settings.FluidIn);
    programKey.WriteBool(section, kUseFouling, settings.UseFouling);
}

void ApplyDesignSettings(const TDesignSettings& settings, TCoil& coil)
{
    coil.DesignAspect = settings.Aspect;
    coil.DesignVf = settings.Vf;
    coil.DesignRows = settings.Rows;
    coil.DesignFins = static_cast<int>(std::lround(LimitDesignFins(settings.Fins)));
    coil.UseFouling = settings.UseFouling;
}

void ApplyStoredDesignSettings(const TSettingsStore& programKey, TCoil& coil)
{
    ApplyDesignSettings(LoadDesignSettings(programKey, coil), coil);
}

double LimitDesignAspect(double aspect) { return Limit(aspect, 0.5, 5); }
double LimitDesignVf(double vf) { return Limit(vf, 1, 5); }
double LimitDesignRows(double rows) { return Limit(std::round(rows), 1, 6); }
double LimitDesignFins(double fins) { return Limit(std::round(fins), 8, 12); }
double LimitDesignFluidIn(double fluidIn) { return Limit(std::round(fluidIn), -60, 250); }

TResult NormalizeDesignAirOn(std::string_view typed, double P, std::string& text)
{
    // "20/" (a pair without its wet bulb) is a dry bulb alone.
    std::string air = Trim(typed);
    if (const size_t slash = air.find('/'); slash != std::string::npos && Trim(air.substr(slash + 1)).empty())
        air = Trim(air.substr(0, slash));
    int status = psyOk;
    try {
        status = NormalizeAirText(TAirStateValue(air), text, P, kTypicalAirRH);
    } catch (const EConvertError& error) {
        return TResult::Error(TErrorCode::Failed, error.what());
    }
    if (!PsyStateFilled(status))
        return TResult::Error(status, "\"" + std::string(typed) + "\" is not an air state this program can rate");
    return TResult::Ok();
}

}  // namespace vantor
