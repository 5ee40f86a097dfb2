#pragma once

// One tube range of a coil maker's catalogue, its one-line text form and its exchange with
// the coil model record. Lengths in metres.

#include "geometry/model_rec.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct TMnfRec {
    std::string maker;
    std::string name;      // the range name, "1/2 inch"
    int d = 0;             // tube size code
    double id = 0;         // tube inside diameter
    double od = 0;         // tube outside diameter
    double sx = 0;         // row pitch
    double sy = 0;         // tube pitch in the face
    double t = 0;          // fin thickness
    std::uint8_t kind = kStaggered;  // tube pattern
    std::string tubeMaterial;        // material code, "Cu"
    std::string finMaterial;         // material code, "Al"
    double finFactor = 1;            // fin area factor
    double tubeFactor = 1;           // tube inside area factor
    int basis = kBasisTubesHigh;     // circuit basis

    bool operator==(const TMnfRec&) const = default;
};

using TMnfRecVec = std::vector<TMnfRec>;

// The range used when a maker has no catalogue: 1/2 inch copper tubes in aluminium fins.
TMnfRec DefaultMnfRec();

// "name, id, od, sx, sy, t, pattern, tube material, fin material, fin f, tube f, basis",
// lengths in mm with four decimals.
std::string CatalogueLine(const TMnfRec& rec);

// A catalogue line read back for maker: the twelve-field form of CatalogueLine, or the older
// ten-field form "d[i], id, od, sx, sy, t, tube material, fin material, fin f, basis" ("i"
// after the tube code marks in-line tubes). Nothing when a number cannot be read or a
// dimension is not positive; tubeCode then holds the tube code read so far (0 for the
// twelve-field form, 4 when the older form failed at its tube code).
std::optional<TMnfRec> ReadCatalogueLine(std::string_view maker, std::string_view line, int& tubeCode);

// The catalogue part of a model record: maker, range, tube code, diameters, pitches, fin
// thickness, pattern, materials, area factors and circuit basis.
TMnfRec MnfRecOf(const TModelRec& rec);
// Takes a range into the record; the five model values, coil type, rifling, sections and
// casing stay. An unknown tube material becomes copper, an unknown fin material aluminium,
// and a code that does not fit its field keeps the record's default.
void ApplyMnfRec(const TMnfRec& mnf, TModelRec& rec);

// Cuts a name to at most kMaxNameLength bytes, at a UTF-8 character boundary.
std::string LimitedName(std::string_view text);

}  // namespace vantor
