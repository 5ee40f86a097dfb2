#pragma once

// What a coil selection returns: one rated coil per passing geometry, lightest first, and,
// for a selection that found nothing, the limit that ruled out the most candidates.

#include "psychro/moist_air_state.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct TSelectionResult {
    std::string Maker;
    std::string Range;
    std::string Designation;       // the standard designation, "914.4 x 1500  2r  8f  12c"
    std::string MakerDesignation;  // the maker's own style; empty for most makers
    double Rows = 0;
    double fpi = 0;
    double Circ = 0;
    double fHeight = 0;       // m
    double fLength = 0;       // m
    double FaceVelocity = 0;  // m/s
    double Duty = 0;          // kW
    double Margin = 0;        // duty over the design duty, less one
    double AirPressureDrop = 0;    // Pa
    double FluidPressureDrop = 0;  // kPa
    double FluidFlow = 0;          // kg/s
    double TubeVelocity = 0;       // m/s
    TMoistAirState AirOff;
    double LeavingTemp = 0;   // of the fluid, °C
    int PipeSize = 0;         // mm
    double DryWeight = 0;     // kg
};

// The order of the results: lighter first, then the lower air and fluid pressure drops, then
// the designation, maker and range texts, so that equal coils never swap places.
bool RanksBefore(const TSelectionResult& a, const TSelectionResult& b);

// The same coil on another face: maker, range, rows, fins and circuits alike.
bool DiffersOnlyInFace(const TSelectionResult& a, const TSelectionResult& b);

// Of results ranked by RanksBefore, keeps the first of each coil (DiffersOnlyInFace), in order.
void KeepLightestFaceOfEachCoil(std::vector<TSelectionResult>& ranked);

// Why a candidate failed, in the order the checks are made.
enum TRuleOut : int {
    roNotSolved = 0,
    roDutyTooLow,
    roDutyTooHigh,
    roAirDrop,
    roFluidDrop,
    roTubeVelocity,
    roFaceVelocity,
};
inline constexpr int kRuleOutCount = roFaceVelocity + 1;

// "the design duty", "the duty margin", "the air pressure drop limit", ...
std::string_view RuleOutText(TRuleOut reason);

struct TSelectionOutcome {
    std::vector<TSelectionResult> Results;
    // Candidates ruled out by each limit. A candidate is one row count of one face: one whose
    // fins gave no passing coil counts once, for the failure that came closest to passing; a
    // face too small for the face-velocity limit counts once for each row count.
    std::array<long long, kRuleOutCount> RuledOut{};
    long long Ratings = 0;  // candidates rated
    bool Canceled = false;

    // The limit that ruled out the most candidates (the earlier check on a tie); meaningful
    // when some candidate was ruled out.
    TRuleOut MainRuleOut() const;
    long long RuledOutTotal() const;
};

}  // namespace vantor
