#pragma once

// The coil model record: everything that names a coil's build, copied whole between the
// geometry, the coil windows and the data file. Lengths in metres.

#include "geometry/circuit_fractions.h"
#include "geometry/materials.h"
#include "text/record_field.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantor {

// Coil type indices; the hot-water coil is kHotWaterCoil.
inline constexpr int kCoilTypeCount = 6;
inline constexpr int kHotWaterCoil = 1;

// Circuit basis: the serpentine fraction counts circuits per tube high or per row deep.
inline constexpr int kBasisTubesHigh = 0;
inline constexpr int kBasisRowsDeep = 1;

// Tube pattern.
inline constexpr int kStaggered = 0;
inline constexpr int kInLine = 1;

// The longest maker or range name kept; longer texts are cut.
inline constexpr size_t kMaxNameLength = 255;

// The five values a designation names ("544 720 4r 12f 7c").
struct TModelValues {
    double fHeight = 0;  // finned height
    double fLength = 0;  // finned length
    double Rows = 0;     // rows deep, fractional rows allowed
    double fpi = 0;      // fins per inch
    double Circ = 0;     // parallel circuits
};

struct TModelRec {
    std::string Mnf = "Default";  // coil maker
    std::uint8_t Tube = 4;        // tube size code: eighths of an inch below 100, else 100 + mm
    std::string Model;            // the maker's tube range name
    std::uint8_t Code = kHotWaterCoil;  // coil type index 0 to 5
    double fHeight = 0.5334;
    double fLength = 0.74;
    double Rows = 4;
    double fpi = 10;
    double Circ = 7;
    int cb = kBasisTubesHigh;            // circuit basis
    int Serp = kHalfCircuitFraction;     // index into CircuitFractions
    double Sx = 0.033;                   // row pitch, along the air flow
    double Sy = 0.0381;                  // tube pitch in the face
    std::uint8_t tp = kStaggered;        // tube pattern
    double ID = 0.0125222;               // tube inside diameter
    double OD = 0.013335;                // tube outside diameter
    double tf = 0.0001524;               // fin thickness
    double fc = 1;                       // fin area factor on the plain plate area
    double ft = 1;                       // tube inside area factor
    bool Rifle = false;                  // rifled tubes
    int Sections = 1;
    std::uint8_t Mf = kAluminium;        // fin material index
    std::uint8_t Mt = kCopper;           // tube material index
    std::uint8_t Mc = kGalvanisedIron;   // casing material index
    double tc = 0.0016;                  // casing sheet thickness

    bool operator==(const TModelRec&) const = default;
};

// The record's fields in the data file's order; the stream slots give the older versioned
// stream's order ("FAT 1.0.0.1" is version 1), the summary slots the rating's designation figures.
extern const std::array<TRecordField<TModelRec>, 25> ModelRecFields;

TModelValues ModelValuesOf(const TModelRec& rec);
void SetModelValues(TModelRec& rec, const TModelValues& values);

// Puts the record's default back into every code field holding a code outside its field's
// codes (coil type, circuit basis, serpentine index, tube pattern, the three materials).
void RepairCodes(TModelRec& rec);

// The tube size as the makers print it: the code below 100, the millimetres above.
int TubeSizeNumber(int tubeCode);

std::string_view CircuitBasisLabel(int basis);      // "Tubes high", "Rows deep"
std::string_view ConnectionEndLabel(bool opposite); // "Same", "Opposite"
std::string_view TubePatternLabel(int pattern);     // "Staggered", "In-line"

}  // namespace vantor
