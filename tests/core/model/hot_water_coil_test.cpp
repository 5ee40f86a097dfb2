#include "model/hot_water_coil.h"

#include "first_run_coil.h"

#include "support/allocation_counter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>


namespace vantor {
namespace {

using test::TFirstRunCoil;
using TSetUp = std::function<void(TFirstRunCoil&)>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The air takes up ma·(h_off − h_on), the liquid gives up m·Cp·(tfi − tfo).
void ExpectDutyBalance(const TFirstRunCoil& r)
{
    EXPECT_NEAR(r.Coil.AirMassFlow() * (r.AirOff.h - r.AirOn.h) / r.Coil.Qt, 1, 1e-6);
    EXPECT_NEAR(r.Water.m * r.Water.Cp * (r.Water.tfi - r.Water.tfo) / r.Coil.Qt, 1, 1e-6);
}

TEST(HotWaterCoil, ReproducesTheIndependentFirstRunRating)
{
    std::ifstream file(std::string(VANTOR_TEST_DATA_DIR) + "/reference/first-run-coil.json");
    ASSERT_TRUE(file.is_open());
    const nlohmann::json expected = nlohmann::json::parse(file)["results"];

    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.Solve(), TSolveStatus::Solved);
    const THotWaterCoil& c = r.Coil;
    const std::pair<const char*, double> actual[] = {
        {"Qt", c.Qt}, {"Qs", c.Qs}, {"Qmax", c.Qmax}, {"e", c.e}, {"Ntu", c.Ntu}, {"Cr", c.Cr},
        {"ho", c.ho}, {"hi", c.hi}, {"Ui", c.Ui}, {"Uo", c.Uo}, {"Ao", c.Ao}, {"Ai", c.Ai},
        {"NtuAir", c.NtuAir}, {"NtuLiquid", c.NtuLiquid}, {"BypassFactor", c.BypassFactor},
        {"air_volume_m3_s", c.AirVolume()}, {"air_mass_flow_kg_s", c.AirMassFlow()},
        {"fluid_mass_flow_kg_s", r.Water.m}, {"fluid_leaving_C", r.Water.tfo},
        {"air_off_db_C", r.AirOff.db}, {"air_off_wb_C", r.AirOff.wb},
        {"air_pressure_drop_Pa", c.AirPressureDrop()}, {"fluid_pressure_drop_kPa", c.FluidPressureDrop()},
        {"face_area_m2", c.FaceArea()}, {"surface_efficiency", c.SurfaceEff()},
    };
    for (const auto& [key, value] : actual) {
        const double reference = expected.at(key).get<double>();
        EXPECT_NEAR(value, reference, 1e-3 * std::abs(reference)) << key;
    }
    EXPECT_EQ(c.PipeSize(), expected.at("pipe_size_mm").get<int>());
}

TEST(HotWaterCoil, ConvergedSolvesBalanceAirAndLiquid)
{
    const std::pair<const char*, TSetUp> cases[] = {
        {"first run", [](TFirstRunCoil&) {}},
        {"liquid the smaller stream (Cr > 1)", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetVelocity(0.1); }},
        {"temperature control, 20 K drop",
         [](TFirstRunCoil& r) {
             r.Coil.LiquidState.ctrl = TFluidControl::Temperature;
             r.Coil.LiquidState.designdt = 20;
             r.Coil.LiquidState.SetInletTemp(80);
         }},
        {"temperature control without flow, from 1 m/s",
         [](TFirstRunCoil& r) {
             r.Coil.LiquidState.ctrl = TFluidControl::Temperature;
             r.Coil.LiquidState.SetMassFlow(0);
         }},
        {"fluid colder than the air, flow control", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetInletTemp(20); }},
    };
    for (const auto& [name, setUp] : cases) {
        SCOPED_TRACE(name);
        TFirstRunCoil r;
        setUp(r);
        ASSERT_EQ(r.Coil.Solve(), TSolveStatus::Solved);
        EXPECT_GT(r.Coil.Qt * (r.Water.tfi - r.AirOn.db), 0);  // heat flows from warm to cold
        EXPECT_LE(r.Coil.e, 1);
        // Moisture is untouched: all the duty is sensible.
        EXPECT_NEAR(r.Coil.Qs, r.Coil.Qt, 1e-9 * std::abs(r.Coil.Qt));
        ExpectDutyBalance(r);
    }
}

TEST(HotWaterCoil, DutyGrowsWithInletTemperatureRowsAndAirFlow)
{
    const std::pair<std::function<void(TFirstRunCoil&, double)>, std::array<double, 3>> trends[] = {
        {[](TFirstRunCoil& r, double t) { r.Coil.LiquidState.SetInletTemp(t); }, {40, 60, 90}},
        {[](TFirstRunCoil& r, double n) { r.Coil.SetRows(n); }, {1, 3, 6}},
        {[](TFirstRunCoil& r, double v) { r.Coil.SetFaceVelocity(v); }, {1.0, 2.5, 4.0}},
    };
    for (const auto& [apply, values] : trends) {
        double previous = 0;
        for (double value : values) {
            TFirstRunCoil r;
            apply(r, value);
            ASSERT_EQ(r.Coil.Solve(), TSolveStatus::Solved) << value;
            EXPECT_GT(r.Coil.Qt, previous) << value;
            previous = r.Coil.Qt;
        }
    }
}

TEST(HotWaterCoil, EdgeCases)
{
    // Flow control without flow: solved at once, no duty, the air passes unchanged.
    TFirstRunCoil noFlow;
    noFlow.Coil.LiquidState.SetMassFlow(0);
    EXPECT_EQ(noFlow.Coil.Solve(), TSolveStatus::Solved);
    EXPECT_EQ(noFlow.Coil.Qt, 0);
    EXPECT_EQ(noFlow.AirOff.h, noFlow.AirOn.h);

    // Temperature control, 24 °C air, 30 °C in, 10 K drop: the water would leave at 20 °C; it
    // is held at 24 °C (6 K) and 5 returned, with the duty of the iteration kept.
    TFirstRunCoil held;
    held.Coil.SetAirOnText("24/17");
    held.Coil.LiquidState.ctrl = TFluidControl::Temperature;
    held.Coil.LiquidState.SetInletTemp(30);
    held.Coil.LiquidState.designdt = 10;
    EXPECT_EQ(held.Coil.Solve(), TSolveStatus::DataError);
    EXPECT_EQ(held.Coil.Status, TSolveStatus::Solved);
    EXPECT_DOUBLE_EQ(held.Water.tfo, 24);
    EXPECT_DOUBLE_EQ(held.Coil.LiquidState.designdt, 6);
    EXPECT_NEAR(held.Coil.AirMassFlow() * (held.AirOff.h - held.AirOn.h), held.Coil.Qt, 1e-6 * held.Coil.Qt);

    // Fluid at the air's dry bulb: no heat flows, and the user's air is left as it is.
    for (const TFluidControl control : {TFluidControl::Flow, TFluidControl::Temperature}) {
        SCOPED_TRACE(int(control));
        TFirstRunCoil level;
        level.Coil.Solve();
        level.Coil.LiquidState.ctrl = control;
        level.Coil.LiquidState.SetInletTemp(25);
        const TMoistAirState airOn = level.AirOn;
        const double flow = level.Water.m;
        EXPECT_EQ(level.Coil.Solve(), TSolveStatus::Solved);
        EXPECT_EQ(level.Coil.Note(), THotWaterNote::NoTemperatureDifference);
        EXPECT_EQ(level.AirOn.db, 25);
        EXPECT_EQ(level.AirOn.W, airOn.W);
        EXPECT_EQ(level.Coil.Qt, 0);
        EXPECT_EQ(level.Coil.Qs, 0);
        EXPECT_EQ(level.AirOff.db, 25);
        EXPECT_EQ(level.AirOff.W, airOn.W);
        EXPECT_EQ(level.Water.m, flow);
        if (control == TFluidControl::Flow) {
            EXPECT_EQ(level.Water.tfo, 25);
        }
    }

    // Fouling enters the reported Uo only.
    TFirstRunCoil fouled;
    TFirstRunCoil clean;
    clean.Coil.UseFouling = false;
    fouled.Coil.Solve();
    clean.Coil.Solve();
    EXPECT_EQ(fouled.Coil.Qt, clean.Coil.Qt);
    EXPECT_NEAR(1 / fouled.Coil.Uo - 1 / clean.Coil.Uo, 0.0048, 1e-12);

    // A duty that never settles counts out after 102 passes.
    static int passes = 0;
    TFirstRunCoil restless;
    restless.Coil.EffectivenessFn = [](double, double) { return ++passes % 2 ? 0.5 : 0.6; };
    EXPECT_EQ(restless.Coil.Solve(), TSolveStatus::CountOut);
    EXPECT_EQ(passes, 102);
}

// Each side of the on-coil air, 25/17 with its dew point at 12.13 °C (ASHRAE relations,
// computed independently): the duty changes sign without a jump, and what cannot be rated
// fails with its reason.
TEST(HotWaterCoil, FluidNearTheAirTemperature)
{
    struct TCase {
        const char* name;
        TFluidControl control;
        double inlet;
        double drop;
        TSolveStatus result;
        THotWaterNote note;
    };
    const TCase cases[] = {
        {"just above the air", TFluidControl::Flow, 25.1, 6, TSolveStatus::Solved, THotWaterNote::None},
        {"just below the air", TFluidControl::Flow, 24.9, 6, TSolveStatus::Solved, THotWaterNote::CoolsAir},
        {"above the dew point", TFluidControl::Flow, 12.5, 6, TSolveStatus::Solved, THotWaterNote::CoolsAir},
        {"below the dew point", TFluidControl::Flow, 12, 6, TSolveStatus::DataError, THotWaterNote::BelowDewPoint},
        {"5 °C", TFluidControl::Flow, 5, 6, TSolveStatus::DataError, THotWaterNote::BelowDewPoint},
        {"below the air, temperature control", TFluidControl::Temperature, 20, 6, TSolveStatus::DataError, THotWaterNote::CannotCool},
    };
    double duty[2] = {0, 0};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFirstRunCoil r;
        r.Coil.LiquidState.ctrl = c.control;
        r.Coil.LiquidState.SetInletTemp(c.inlet);
        r.Coil.LiquidState.designdt = c.drop;
        EXPECT_EQ(r.Coil.Solve(), c.result);
        EXPECT_EQ(r.Coil.Note(), c.note);
        EXPECT_EQ(r.AirOn.db, 25);
        if (c.result == TSolveStatus::Solved) {
            ExpectDutyBalance(r);
            // Sensible only: the moisture passes unchanged and the air stays unsaturated.
            EXPECT_NEAR(r.AirOff.W, r.AirOn.W, 1e-9);
            EXPECT_GE(r.AirOff.db, r.AirOn.td);
            EXPECT_LE(r.AirOff.wb, r.AirOff.db);
            EXPECT_EQ(r.Coil.Qt > 0, c.inlet > 25);
        } else {
            EXPECT_EQ(r.Coil.Qt, 0);
            EXPECT_EQ(r.AirOff.db, r.AirOn.db);
        }
        if (c.inlet == 25.1) duty[0] = r.Coil.Qt;
        if (c.inlet == 24.9) duty[1] = r.Coil.Qt;
    }
    EXPECT_NEAR(duty[0], -duty[1], 0.02 * duty[0]);
}

// Temperature control with a drop that reaches the entering air: the flow starves towards
// nothing while the duty still settles; the requested drop decides, not where the leaving
// fluid ended.
TEST(HotWaterCoil, DesignDropReachingTheAirHoldsTheLeavingFluid)
{
    for (const double drop : {20.0, 25.0, 30.0}) {
        SCOPED_TRACE(drop);
        TFirstRunCoil r;
        r.Coil.LiquidState.ctrl = TFluidControl::Temperature;
        r.Coil.LiquidState.designdt = drop;
        EXPECT_EQ(r.Coil.Solve(), TSolveStatus::DataError);
        EXPECT_EQ(r.Coil.Note(), THotWaterNote::DropHeld);
        EXPECT_EQ(r.Coil.RequestedDesignDT(), drop);
        EXPECT_DOUBLE_EQ(r.Water.tfo, 25);
        EXPECT_DOUBLE_EQ(r.Coil.LiquidState.designdt, 20);
    }
    // A drop that leaves the fluid above the air rates as usual.
    TFirstRunCoil r;
    r.Coil.LiquidState.ctrl = TFluidControl::Temperature;
    r.Coil.LiquidState.designdt = 15;
    EXPECT_EQ(r.Coil.Solve(), TSolveStatus::Solved);
    EXPECT_EQ(r.Coil.Note(), THotWaterNote::None);
    EXPECT_DOUBLE_EQ(r.Water.tfo, 30);
    ExpectDutyBalance(r);
}

TEST(HotWaterCoil, SetDesignDutyChoosesCircuitsForTheIdealVelocity)
{
    // Cp 4.2, 972 kg/m³: 50 / (4.2·6) = 1.984 kg/s is 16.57 bores at 1 m/s, so 17 circuits,
    // and then 17·972·(π·0.0125222²/4)·1 m/s = 2.0350 kg/s.
    TFirstRunCoil r;
    r.Water.UserProps = true;
    r.Water.UserCp = 4.2;
    r.Water.UserRo = 972;
    r.Water.Update();
    r.Coil.LiquidState.ctrl = TFluidControl::Temperature;
    r.Coil.SetDesignDuty(50);
    const TLiquidState& state = r.Coil.LiquidState;
    EXPECT_EQ(state.ctrl, TFluidControl::Flow);
    EXPECT_DOUBLE_EQ(r.Water.tfo, 45 - 6);
    EXPECT_EQ(r.Coil.Circ(), 17);
    EXPECT_NEAR(r.Water.m, 2.0350090, 1e-6);
    // The flow area follows the new circuits, so the tubes run at the ideal velocity.
    EXPECT_NEAR(state.vw, state.vwideal, 1e-12);
}

TEST(HotWaterCoil, BadInputFailsCleanly)
{
    const std::pair<const char*, TSetUp> cases[] = {
        {"zero face velocity", [](TFirstRunCoil& r) { r.Coil.SetFaceVelocity(0); }},
        {"air flow not a number", [](TFirstRunCoil& r) { r.Coil.SetMassFlow(kNaN); }},
        {"on-coil air not a number", [](TFirstRunCoil& r) { r.AirOn.db = kNaN; }},
        {"fluid inlet not a number", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetInletTemp(kNaN); }},
        {"negative fluid flow", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetMassFlow(-1); }},
        {"zero face area", [](TFirstRunCoil& r) { r.Coil.SetFinHeight(0); }},
        {"rejected designation", [](TFirstRunCoil& r) { r.Coil.SetModelText("544 720 4r 99f 7c"); }},
        {"duty factor not a number", [](TFirstRunCoil& r) { r.Coil.DutyFactor = kNaN; }},
        {"fluid colder than the air, temperature control",
         [](TFirstRunCoil& r) {
             r.Coil.LiquidState.ctrl = TFluidControl::Temperature;
             r.Coil.LiquidState.SetInletTemp(20);
         }},
    };
    for (const auto& [name, spoil] : cases) {
        SCOPED_TRACE(name);
        TFirstRunCoil r;
        r.Coil.Solve();
        spoil(r);
        const double leaving = r.Water.tfo;
        const double flow = r.Water.m;
        TSolveStatus status = TSolveStatus::Solved;
        EXPECT_NO_THROW(status = r.Coil.Solve());
        EXPECT_EQ(status, TSolveStatus::DataError);
        EXPECT_EQ(r.Coil.Status, TSolveStatus::DataError);
        EXPECT_EQ(r.Coil.Qt, 0);
        EXPECT_EQ(r.Coil.Qs, 0);
        EXPECT_TRUE(r.AirOff.db == r.AirOn.db || std::isnan(r.AirOn.db));
        EXPECT_EQ(r.Water.tfo, leaving);  // the liquid is left as it was
        EXPECT_EQ(r.Water.m, flow);
    }
}

TEST(HotWaterCoil, RatingAllocatesNothing)
{
    TFirstRunCoil r;
    (void)r.Coil.SimulateSteps();  // the profile's storage exists from here on
    const long before = test::AllocationCount();
    const TSolveStatus status = r.Coil.Solve();
    const TSimulation simulation = r.Coil.SimulateSteps();
    EXPECT_EQ(status, TSolveStatus::Solved);
    EXPECT_TRUE(simulation.Converged());
    EXPECT_EQ(test::AllocationCount() - before, 0);
}

TEST(HotWaterCoil, StepByStepSimulationFollowsTheRating)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.Solve(), TSolveStatus::Solved);
    const TSimulation simulation = r.Coil.SimulateSteps();
    ASSERT_TRUE(simulation.Converged());
    const double duty = simulation.Duty;
    const TProfile& p = r.Coil.Profile;
    ASSERT_EQ(p.size(), 4u);
    // The march ends at the given inlet; its duty is the rating's within the slicing.
    EXPECT_NEAR(p[0][kProfileSteps - 1], r.Water.tfi, 1e-4);
    EXPECT_NEAR(p[1][kProfileSteps - 1], r.AirOff.db, 0.2);
    EXPECT_NEAR(duty, r.Coil.Qt, 0.01 * r.Coil.Qt);
    for (int j = 1; j < kProfileSteps; ++j) {
        EXPECT_GT(p[0][j], p[0][j - 1]) << j;  // fluid and air warm along the air path
        EXPECT_GT(p[1][j], p[1][j - 1]) << j;
        EXPECT_TRUE(p[1][j] < p[2][j] && p[2][j] < p[0][j]) << j;  // the surface in between
        EXPECT_NEAR(p[3][j], r.AirOn.td, 1e-6) << j;               // heating keeps the dew point
    }
}

// The cases besides an ordinary heating coil: fluid colder than the air, fluid at the air's
// temperature, no flow, and a coil the solve refused.
TEST(HotWaterCoil, StepByStepSimulationOfTheOtherCases)
{
    // 20 °C water in 25/17 air (dew point 12.1 °C): sensible cooling, fluid and air fall
    // along the air path and the march still ends at the inlet.
    TFirstRunCoil cooling;
    cooling.Coil.LiquidState.SetInletTemp(20);
    ASSERT_EQ(cooling.Coil.Solve(), TSolveStatus::Solved);
    const TSimulation cooled = cooling.Coil.SimulateSteps();
    ASSERT_TRUE(cooled.Converged());
    EXPECT_LT(cooled.Duty, 0);
    EXPECT_NEAR(cooled.Duty, cooling.Coil.Qt, 0.005 * std::abs(cooling.Coil.Qt));
    const TProfile& p = cooling.Coil.Profile;
    EXPECT_NEAR(p[0][kProfileSteps - 1], 20, 1e-5);
    for (int j = 1; j < kProfileSteps; ++j) {
        EXPECT_LT(p[0][j], p[0][j - 1]) << j;
        EXPECT_LT(p[1][j], p[1][j - 1]) << j;
    }

    // Water at the air's dry bulb, and water that does not flow: nothing is transferred, the
    // air passes at 25 °C and the fluid stays at its inlet temperature.
    TFirstRunCoil level;
    level.Coil.LiquidState.SetInletTemp(25);
    TFirstRunCoil still;
    still.Coil.LiquidState.SetMassFlow(0);
    for (TFirstRunCoil* r : {&level, &still}) {
        ASSERT_EQ(r->Coil.Solve(), TSolveStatus::Solved);
        const TSimulation flat = r->Coil.SimulateSteps();
        ASSERT_TRUE(flat.Converged());
        EXPECT_NEAR(flat.Duty, 0, 1e-9);
        for (int j = 0; j < kProfileSteps; ++j) {
            EXPECT_NEAR(r->Coil.Profile[0][j], r->Water.tfi, 1e-9) << j;
            EXPECT_NEAR(r->Coil.Profile[1][j], 25, 1e-9) << j;
            EXPECT_NEAR(r->Coil.Profile[3][j], r->AirOn.td, 1e-9) << j;
        }
    }

    // Water below the dew point is not rated, so there is nothing to march through.
    TFirstRunCoil refused;
    refused.Coil.LiquidState.SetInletTemp(5);
    ASSERT_EQ(refused.Coil.Solve(), TSolveStatus::DataError);
    const TSimulation none = refused.Coil.SimulateSteps();
    EXPECT_EQ(none.Outcome, TSimulationOutcome::NotRated);
    EXPECT_EQ(none.Duty, 0);
    EXPECT_FALSE(SimulationMessage(none.Outcome).empty());
}

}  // namespace
}  // namespace vantor
