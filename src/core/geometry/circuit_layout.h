#pragma once

// A circuiting picture of a coil drawn from its counts alone, for when the maker supplies
// no picture of its own. The coil is seen from its end: rows run across the picture in the
// direction of the air, tubes high run down it. Staggered rows are offset by half a tube
// pitch.
//
// The circuits are laid by one rule: the tubes are taken along a serpentine path that starts
// at the top tube of the air-leaving row, runs across the rows against the air to the
// air-entering row, drops to the next tube down and runs back with the air, and so on to
// the bottom of the coil. Circuit 1 takes the first n tubes of that path (n = whole tubes per
// circuit), circuit 2 the next n, and so on; the tubes left at the end of the path are
// unlinked.

#include <filesystem>
#include <string>
#include <vector>

namespace vantor {

struct TTubeSpot {
    int Row = 0;      // 0 = air-entering row
    int Level = 0;    // 0 = top tube
    double X = 0;     // centre across the rows, in tube pitches from the air-entering row
    double Y = 0;     // centre down the coil, in tube pitches from the top
    int Circuit = -1;  // 0-based, along the path; -1 when unlinked
};

struct TCircuitLayout {
    int Rows = 0;
    int TubesHigh = 0;
    int Circuits = 0;
    int TubesPerCircuit = 0;
    int Unlinked = 0;
    // In path order: consecutive tubes of one circuit are joined by a return bend.
    std::vector<TTubeSpot> Path;
};

// rows and circuits are taken to the nearest whole number (at least 0); a layout larger than
// the editor's limits (20 rows, 1440 circuits, 1000 tubes high) is cut to those limits.
TCircuitLayout LayOutCircuits(double rows, int tubesHigh, double circuits, bool staggered);

// The maker's picture for a coil: "<rows>r<tubes per circuit>t.png" under "CoilCirc/Images"
// in the user root, else in the maker root; empty when neither holds it.
std::filesystem::path CircuitPictureFile(const std::filesystem::path& userRoot,
                                         const std::filesystem::path& makerRoot, double rows,
                                         double tubesPerCircuit);

// The name alone: "4r8t.png".
std::string CircuitPictureName(double rows, double tubesPerCircuit);

}  // namespace vantor
