#pragma once

// The selection's reference for the tests: a plain loop that rates every combination with a
// coil of its own, the designation typed in, flow control at the design flow.

#include "fluids/air_state_text.h"
#include "fluids/transport_props.h"
#include "geometry/designation.h"
#include "model/hot_water_coil.h"
#include "selection/coil_selector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace vantor::test {

// The 3/8 inch range: 9.525 mm tube over a 0.356 mm wall, 25.4 x 22 mm pitches, 0.12 mm fins.
inline TMnfRec ThreeEighthsRange()
{
    TMnfRec rec = DefaultMnfRec();
    rec.name = "3/8 inch";
    rec.d = 3;
    rec.id = 0.0088138;
    rec.od = 0.009525;
    rec.sx = 0.022;
    rec.sy = 0.0254;
    rec.t = 0.00012;
    return rec;
}

// 40 kW to 1.5 m³/s of air at 5/2 °C from water at 80 °C with a 20 K drop.
inline TSelectionRequest SmallRequest()
{
    TSelectionRequest request;
    TSelectionRequirement& req = request.Requirement;
    req.Duty = 40;
    ParseAirState("5/2", req.AirOn, 101.325, 0.5);
    req.AirVolume = 1.5;
    req.FluidInlet = 80;
    req.DesignDT = 20;
    request.Limits.MaxAirDrop = 120;
    request.Limits.MaxFluidDrop = 40;
    request.Space.Ranges = {DefaultMnfRec(), ThreeEighthsRange()};
    request.Space.Rows = {1, 3};
    request.Space.Fins = {6, 12};
    request.Threads = 2;
    return request;
}

// One candidate rated the plain way: the designation typed into a coil of its own, flow
// control at the design flow.
struct TPlainRating {
    bool Passed = false;
    double Weight = 0;
    double AirDrop = 0;
    double FluidDrop = 0;
    double Duty = 0;
    std::string Designation;
    std::string Range;

    auto Rank() const { return std::tie(Weight, AirDrop, FluidDrop, Designation, Range); }
};

class TPlainRater {
public:
    explicit TPlainRater(const TSelectionRequest& request)
        : m_request(request), m_coil({m_airOn, m_airOff, m_water}, "544 720 4r 12f 7c")
    {
        const TSelectionRequirement& req = request.Requirement;
        // m = Q / (cp · ΔT), cp at the mean of 80 and 60 °C.
        const TLiquid mean("Water", 0, req.FluidInlet, req.FluidInlet - req.DesignDT, fcWater);
        m_flow = req.Duty / (mean.Cp * req.DesignDT);
    }

    TPlainRating Rate(const TMnfRec& range, double height, double length, int rows, int fins, int circuits)
    {
        const TSelectionRequirement& req = m_request.Requirement;
        const TSelectionLimits& limits = m_request.Limits;
        m_airOn = req.AirOn;
        m_airOff = m_airOn;
        m_water = TLiquid("Water", 0, req.FluidInlet, req.FluidInlet - req.DesignDT, fcWater);
        TModelRec rec = m_coil.Geometry().ModelRecord();
        ApplyMnfRec(range, rec);
        m_coil.SetModelRecord(rec);
        m_coil.SetModelText(FormatDesignation({height, length, double(rows), double(fins), double(circuits)}));
        EXPECT_TRUE(m_coil.ModelValid);
        m_coil.SetAirVolume(req.AirVolume);
        m_coil.LiquidState.ctrl = TFluidControl::Flow;
        m_coil.LiquidState.SetMassFlow(m_flow);
        const TSolveStatus status = m_coil.Solve();

        TPlainRating r;
        r.Duty = m_coil.Qt;
        r.AirDrop = m_coil.AirPressureDrop();
        r.FluidDrop = m_coil.FluidPressureDrop();
        r.Weight = m_coil.Geometry().ComputeWeight();
        r.Designation = m_coil.Geometry().Designation();
        r.Range = range.name;
        const double vw = m_coil.LiquidState.vw;
        r.Passed = status == TSolveStatus::Solved && r.Duty >= req.Duty && r.Duty <= req.Duty * (1 + limits.Margin) &&
                   r.AirDrop <= limits.MaxAirDrop && r.FluidDrop <= limits.MaxFluidDrop &&
                   vw >= limits.MinTubeVelocity && vw <= limits.MaxTubeVelocity &&
                   m_coil.FaceVelocity() <= limits.MaxFaceVelocity;
        return r;
    }

    // Every rows, fins and circuit count of one face: each geometry with its fewest passing
    // circuits, in the order rated.
    std::vector<TPlainRating> PassingGeometries(const TMnfRec& range, double height, double length)
    {
        const TCandidateSpace& space = m_request.Space;
        std::vector<TPlainRating> passing;
        for (int rows = space.Rows.Lo; rows <= space.Rows.Hi; ++rows)
            for (int fins = space.Fins.Lo; fins <= space.Fins.Hi; ++fins) {
                const int tubes = int(std::lround(height / range.sy)) * rows;
                for (int circuits = 1; circuits <= tubes; ++circuits) {
                    if (tubes % circuits != 0) continue;
                    const TPlainRating r = Rate(range, height, length, rows, fins, circuits);
                    if (!r.Passed) continue;
                    passing.push_back(r);
                    break;
                }
            }
        return passing;
    }

    // The lightest passing geometry of one face kept in best.
    void RateFace(const TMnfRec& range, double height, double length, std::optional<TPlainRating>& best)
    {
        for (const TPlainRating& r : PassingGeometries(range, height, length))
            if (!best || r.Rank() < best->Rank()) best = r;
    }

private:
    const TSelectionRequest& m_request;
    TMoistAirState m_airOn;
    TMoistAirState m_airOff;
    TLiquid m_water{"Water", 0, 80, 60, fcWater};
    THotWaterCoil m_coil;
    double m_flow = 0;
};

}  // namespace vantor::test
