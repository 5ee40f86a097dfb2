#pragma once

// The faces and circuit counts a selection tries.

#include "selection/selection_request.h"

#include <vector>

namespace vantor {

struct TCandidateFace {
    double Height = 0;  // finned height, m
    double Length = 0;  // finned length, m
};

struct TCandidateFaces {
    std::vector<TCandidateFace> Faces;
    // Faces the space allows but the air would cross faster than the face-velocity limit.
    int TooFast = 0;
};

// The faces of a tube range with tube pitch Sy: the fixed face, or heights in steps of 2·Sy
// and lengths in steps of LengthStep within their limits and the aspect range. Faces the air
// volume would cross faster than maxFaceVelocity are left out and counted.
TCandidateFaces CandidateFaces(const TCandidateSpace& space, double tubePitch, double airVolume,
                               double maxFaceVelocity);

// The circuit counts that give every circuit the same whole number of tubes (the divisors
// of the tube count, at most the geometry's 1600 circuits), fewest first. None for a tube
// count that is not a positive whole number.
std::vector<int> CircuitCounts(double tubeCount);

}  // namespace vantor
