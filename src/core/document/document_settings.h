#pragma once

// The rating document's own values in the program key, section "VantorForm": the user's last
// inputs, the coil, the calibration factors and the grid's column widths. Read when the
// document is created, written when the main window closes. The window keeps its placement
// in the same section through the window-placement routines (settings/window_placement.h).
//
// Missing or unusable values read as their defaults; a first run therefore starts with the
// coil "544 720 4r 12f 7c" of the maker "Typical", the standard atmosphere, on-coil air 25/17 and
// 2.5 m/s.

#include "psychro/standard_atmosphere.h"
#include "settings/settings_store.h"
#include "rows/input_check.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

inline constexpr std::string_view kDocumentSection = "VantorForm";
inline constexpr std::string_view kDefaultModel = "544 720 4r 12f 7c";
inline constexpr std::string_view kFileExtension = ".hqx";

// The calculation mode: rate the given coil, or size a coil for the design duty.
// The numbers are those of the settings, the automation's Calculate and the JSON outputs.
enum class TCalcMode : int { HeatingDuty = 0, CoilSize = 1 };
inline constexpr int kCalcModeCount = 2;
constexpr int CalcModeCode(TCalcMode mode) { return static_cast<int>(mode); }
// Nothing for a number that names no mode.
std::optional<TCalcMode> CalcModeOfCode(long long code);

// The five calibration multipliers a coil maker tunes the rating with.
struct TCalibrationFactors {
    double Duty = 1.0;
    double AirDP = 1.0;
    double FluidDP = 1.0;
    double ho = 1.0;
    double hi = 1.0;

    bool operator==(const TCalibrationFactors&) const = default;
};

struct TDocumentSettings {
    std::string FileName = "Default" + std::string(kFileExtension);
    double Pressure = kStandardAtmosphere;  // kPa
    std::string AirOn = "25/17";       // dry bulb/wet bulb, °C
    std::string AirOff = "11/10";
    std::string CoilModel{kDefaultModel};
    double CoilHeight = 0;             // finned height, m; 0: as the model says
    double CoilLength = 0;             // finned length, m; 0: as the model says
    std::string CoilMaker = "Typical";
    std::string CoilMR;                // the maker's tube range name
    double AirVelocity = 2.5;          // face velocity, m/s
    double DesignDuty = 20.0;          // kW
    TCalcMode CalcMode = TCalcMode::HeatingDuty;
    TCalibrationFactors Factors;
    std::array<int, 3> ColumnWidths{90, 126, 65};  // grid columns, pixels
    // False when the section held no values at all: the window then sizes itself to the grid.
    bool Stored = false;

    bool operator==(const TDocumentSettings&) const = default;
};

// Numbers are checked as typed values are: one that cannot be read keeps its default, one beyond
// its row's range takes the nearer limit; a barometer out of range, a factor of zero or below
// and a calculation mode that names nothing give their defaults. check notes each.
TDocumentSettings ReadDocumentSettings(const TSettingsStore& programKey, TInputCheck& check);
TDocumentSettings ReadDocumentSettings(const TSettingsStore& programKey);

// A float of the settings checked as a typed value; a missing value is its default, unnoted.
double ReadCheckedFloat(const TSettingsStore& key, std::string_view section, std::string_view name,
                        double defaultValue, const TValueRange& range, TInputCheck& check);
// The value ReadCheckedFloat would give for value: what a writer stores, so that the store
// never holds a number its row would refuse (an automation client may leave one in the model).
double StoredFloat(double value, double defaultValue, const TValueRange& range);
// An integer code from 0 to count - 1; anything else is its default, noted.
int ReadCheckedCode(const TSettingsStore& key, std::string_view section, std::string_view name, int defaultValue,
                    int count, TInputCheck& check);
// Writes every value but Stored (the window placement is written by the window); numbers as
// StoredFloat limits them.
void WriteDocumentSettings(TSettingsStore& programKey, const TDocumentSettings& settings);

}  // namespace vantor
