#pragma once

// The calibration file: the five factors a coil maker set in the calibrator, as five
// little-endian IEEE doubles in the order duty, outside film, inside film, air pressure drop,
// fluid pressure drop (40 bytes). The calibrator writes it; `vantor-cli calibration` reads it.
//
//   WriteCalibrationFile(CalibrationFile(), factors);
//   TCalibrationFactors read;
//   const TResult result = ReadCalibrationFile(CalibrationFile(), read);
//
// The factors use the calibrator's captions ("Q Factor", "ADP Factor", ...).

#include "document/document_settings.h"
#include "settings/folders.h"
#include "text/result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace vantor {

// The factor edits in the window's order.
enum TCalibrationFactor : int { cfDuty, cfAirDP, cfFluidDP, cfHo, cfHi };
inline constexpr int kCalibrationFactorCount = 5;

// "Q Factor", "ADP Factor", "Fluid DP Factor", "ho Factor", "hi Factor".
std::string_view CalibrationFactorCaption(TCalibrationFactor factor);

// One factor of a set, for reading or writing.
double& FactorOf(TCalibrationFactors& factors, TCalibrationFactor factor);
double FactorOf(const TCalibrationFactors& factors, TCalibrationFactor factor);

inline constexpr std::size_t kCalibrationFileSize = 40;

// Result codes of ReadCalibrationFile.
enum TCalibrationReadCode : int {
    crOk = 0,
    crUnreadable = 1,  // the file cannot be read at all
    crRefused = 2,     // it can, but does not hold five usable factors
};

// "Vantor.cal" in the program folder when that folder can be written, else in the data
// folder (the program folder itself when even that cannot be made). Only with create is the
// data folder made.
std::filesystem::path CalibrationFile(const TFolderEnvironment& env = TFolderEnvironment::FromProcess(),
                                      bool create = true);

// The file's 40 bytes for a set of factors.
std::string CalibrationBytes(const TCalibrationFactors& factors);
// The file is replaced whole and left read-only.
TResult WriteCalibrationFile(const std::filesystem::path& file, const TCalibrationFactors& factors);

// The five factors of a file's bytes. Refused (crRefused, factors untouched): any size but 40
// bytes, a factor that is not a finite number or is zero or below (the message names it by
// its caption), since such a factor rates a coil that transfers no heat or heat backwards.
TResult ReadCalibrationBytes(std::string_view bytes, TCalibrationFactors& factors);
// The same for a file; one that cannot be read gives crUnreadable. Messages name the file.
TResult ReadCalibrationFile(const std::filesystem::path& file, TCalibrationFactors& factors);

}  // namespace vantor
