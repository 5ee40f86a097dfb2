#pragma once

// Coil model designations: "544 720 4r 12f 7c" is a coil 544 mm finned height, 720 mm
// finned length, 4 rows deep, 12 fins per inch, 7 circuits. The program reads and writes
// its own standard form and prints the styles of five coil makers for reports.

#include "geometry/model_rec.h"

#include <array>
#include <string>
#include <string_view>

namespace vantor {

// Results of ParseDesignation. The last value that fails its range decides the code.
inline constexpr int kDesignationOk = 0;
inline constexpr int kDesignationTooFewNumbers = 1;
inline constexpr int kDesignationFinsOutOfRange = 2;
inline constexpr int kDesignationHeightOutOfRange = 5;
inline constexpr int kDesignationLengthOutOfRange = 6;
inline constexpr int kDesignationRowsOutOfRange = 7;
inline constexpr int kDesignationCircuitsOutOfRange = 8;
// Given by the geometry, which knows the tube pitch: a circuit needs at least one tube.
inline constexpr int kDesignationMoreCircuitsThanTubes = 9;

// What a ParseDesignation code means, for messages ("rows outside 1 to 20"); empty for 0.
std::string_view DesignationErrorText(int code);

// Coil type codes by coil type index: the general ones and those of the "HC" style.
struct TCoilTypeCodes {
    std::string_view General;
    std::string_view HC;
};
inline constexpr std::array<TCoilTypeCodes, kCoilTypeCount> CoilTypeCodes{{
    {"CW", "CWC"},  // chilled water
    {"HW", "HWC"},  // hot water
    {"ST", "ST"},   // steam
    {"DX", "DXE"},  // direct expansion
    {"CD", "CDC"},  // condenser
    {"HR", "HRC"},  // heat recovery
}};

// Reads five numbers (height and length in mm, rows, fins per inch, circuits), separated by
// blanks, brackets, "-", "/", "x", "X" or the unit letters "r", "f", "c". Each value is
// stored and range-checked as it is read; with fewer than five numbers the values are put
// back as they came and the result is kDesignationTooFewNumbers.
int ParseDesignation(std::string_view text, TModelValues& values);

// The standard form: "533.4 x 740  4r  10f  7c".
std::string FormatDesignation(const TModelValues& values);

// The designation in the style of the record's maker ("Recoil", "HC", "BAC", "Enviroware",
// "GEA", compared without regard to case); empty for any other maker.
std::string MakerDesignation(const TModelRec& rec);

}  // namespace vantor
