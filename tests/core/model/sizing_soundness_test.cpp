// Every sizing, over a seeded spread of random coils and duties, leaves a coil that can be
// built (its face within the limits, at most one circuit per tube and the same whole number of
// tubes in every circuit) and reports it sized only when it reaches the duty band.

#include "model/coil.h"

#include "fluids/air_state_text.h"
#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "geometry/designation.h"
#include "model/hot_water_coil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace vantor {
namespace {

constexpr double kTubePitch = 0.0381;  // the built-in 1/2 inch range
constexpr double kLowerBand = 0.98;

using TSizingCall = TSolveStatus (TCoil::*)(double airVolume, double duty);
constexpr TSizingCall kSizings[] = {&TCoil::SizeFaceArea,    &TCoil::SizeHeight, &TCoil::SizeLength,
                                    &TCoil::SizeRowsAndFins, &TCoil::SizeRows,   &TCoil::SizeFins};

// One random coil with its own air and water, rated at a random flow.
struct TRandomCoil {
    explicit TRandomCoil(std::mt19937& random) : Coil({AirOn, AirOff, Water}, Designation(random))
    {
        std::uniform_real_distribution<double> airTemp(-10, 25), depression(0.2, 1.5), waterTemp(35, 90),
            velocity(1.5, 3.5), tubeVelocity(0.3, 1.5);
        const double dryBulb = airTemp(random);
        char text[40];
        std::snprintf(text, sizeof text, "%.2f/%.2f", dryBulb, dryBulb - depression(random));
        ParseAirState(text, AirOn, 101.325, 0.5);
        AirOff = AirOn;
        const double inlet = waterTemp(random);
        Coil.LiquidState.SetInletTemp(inlet);
        Coil.LiquidState.SetLeavingTemp(inlet - 10);
        Coil.LiquidState.ctrl = TFluidControl::Flow;
        Coil.LiquidState.SetVelocity(tubeVelocity(random));
        Coil.SetFaceVelocity(velocity(random));
    }

    // Faces 0.3–1 m by 0.6–2.5 m, 1–6 rows, 6–14 fpi, circuits of a whole number of tubes.
    static std::string Designation(std::mt19937& random)
    {
        std::uniform_real_distribution<double> height(300, 1000), length(600, 2500), fins(6, 14);
        std::uniform_int_distribution<int> rows(1, 6);
        const double h = height(random);
        const int r = rows(random);
        const int tubes = static_cast<int>(std::nearbyint(h / 1000 / kTubePitch)) * r;
        std::vector<int> perCircuit;
        for (int k = 1; k <= tubes; ++k)
            if (tubes % k == 0) perCircuit.push_back(k);
        std::uniform_int_distribution<size_t> pick(0, perCircuit.size() - 1);
        char text[80];
        std::snprintf(text, sizeof text, "%.1f %.1f %dr %.2ff %dc", h, length(random), r, fins(random),
                      tubes / perCircuit[pick(random)]);
        return text;
    }

    TMoistAirState AirOn;
    TMoistAirState AirOff;
    TLiquid Water{"Water", 0.5, 60, 50, fcWater};
    THotWaterCoil Coil;
};

// Why the coil could not be built as it stands; empty when it can.
std::string Unbuildable(const TCoil& coil)
{
    const double tubes = std::nearbyint(coil.fHeight() / kTubePitch) * coil.Rows();
    const double circuits = coil.Circ();
    if (circuits != std::floor(circuits) || circuits < 1) return "circuits not a whole number";
    if (circuits > tubes) return "more circuits than tubes";
    if (std::fmod(tubes, circuits) != 0) return "tubes not shared evenly by the circuits";
    const double tol = 1e-9;
    if (coil.fHeight() < coil.MinHeight - tol || coil.fHeight() > coil.MaxHeight + tol) return "height out of limits";
    if (coil.fLength() < coil.MinLength - tol || coil.fLength() > coil.MaxLength + tol) return "length out of limits";
    // The model text must open as the same coil.
    TModelValues read{};
    if (ParseDesignation(coil.Geometry().Designation(), read) != kDesignationOk) return "designation refused";
    if (read.Circ != circuits || read.Rows != coil.Rows()) return "designation names another coil";
    return {};
}

TEST(SizingSoundness, EverySizingLeavesABuildableCoilAndSizedMeansTheDutyIsMet)
{
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> reachable(0.3, 2.5), beyond(4, 40), unit(0, 1);
    int sized = 0;
    int outOfReach = 0;
    constexpr int kCases = 2100;
    for (int i = 0; i < kCases; ++i) {
        TRandomCoil r(random);
        const std::string start = r.Coil.GetModelText();
        ASSERT_EQ(r.Coil.Solve(), TSolveStatus::Solved) << start;
        // Mostly duties near what the coil gives, now and then far beyond it.
        const double duty = r.Coil.Qt * (unit(random) < 0.85 ? reachable(random) : beyond(random));
        const double airVolume = unit(random) < 0.3 ? r.Coil.AirVolume() : 0;
        const size_t which = static_cast<size_t>(i) % std::size(kSizings);
        const TSolveStatus status = (r.Coil.*kSizings[which])(airVolume, duty);
        SCOPED_TRACE(testing::Message() << "case " << i << ", sizing " << which << ", " << start << ", air "
                                        << airVolume << ", duty " << duty << " -> " << r.Coil.GetModelText()
                                        << ", Qt " << r.Coil.Qt << ", status " << SolveStatusName(status));
        EXPECT_EQ(Unbuildable(r.Coil), "");
        if (status == TSolveStatus::Solved) {
            ++sized;
            EXPECT_GE(r.Coil.Qt, kLowerBand * duty);
            EXPECT_FALSE(r.Coil.DutyOutOfReach);
            // The coil reported is the coil rated.
            const double reported = r.Coil.Qt;
            EXPECT_EQ(r.Coil.Solve(), TSolveStatus::Solved);
            EXPECT_NEAR(r.Coil.Qt, reported, 1e-6 * reported);
        } else if (r.Coil.DutyOutOfReach) {
            ++outOfReach;
            EXPECT_EQ(status, TSolveStatus::DataError);
            EXPECT_LT(r.Coil.Qt, kLowerBand * duty);
        }
    }
    // The spread exercises both outcomes: most duties are met, the far ones are not.
    EXPECT_GT(sized, kCases / 2);
    EXPECT_GT(outOfReach, kCases / 20);
}

}  // namespace
}  // namespace vantor
