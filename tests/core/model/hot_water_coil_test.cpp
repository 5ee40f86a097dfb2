#include "model/hot_water_coil.h"

#include "first_run_coil.h"
#include "psychro/psychro.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <new>
#include <string>

// Counts the allocations of this test program while counting is switched on, so that a test
// can prove that a rating allocates nothing.
namespace {
std::atomic<bool> g_countAllocations{false};
std::atomic<int> g_allocations{0};
}  // namespace

void* operator new(std::size_t size)
{
    if (g_countAllocations) ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vantor {
namespace {

using test::TFirstRunCoil;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Air side duty ma·(h_off − h_on) against the liquid side m·Cp·(tfi − tfo).
void ExpectDutyBalance(const TFirstRunCoil& r)
{
    const double air = r.Coil.AirMassFlow() * (r.AirOff.h - r.AirOn.h);
    const double liquid = r.Water.m * r.Water.Cp * (r.Water.tfi - r.Water.tfo);
    EXPECT_NEAR(air / r.Coil.Qt, 1, 1e-6);
    EXPECT_NEAR(liquid / r.Coil.Qt, 1, 1e-6);
}

TEST(HotWaterCoil, ReproducesTheIndependentFirstRunRating)
{
    std::ifstream file(std::string(VANTOR_TEST_DATA_DIR) + "/reference/first-run-coil.json");
    ASSERT_TRUE(file.is_open());
    const nlohmann::json results = nlohmann::json::parse(file)["results"];

    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    const THotWaterCoil& c = r.Coil;
    const struct {
        const char* key;
        double actual;
    } values[] = {
        {"Qt", c.Qt},
        {"Qs", c.Qs},
        {"Qmax", c.Qmax},
        {"e", c.e},
        {"Ntu", c.Ntu},
        {"Cr", c.Cr},
        {"ho", c.ho},
        {"hi", c.hi},
        {"Ui", c.Ui},
        {"Uo", c.Uo},
        {"Ao", c.Ao},
        {"Ai", c.Ai},
        {"NtuAir", c.NtuAir},
        {"NtuLiquid", c.NtuLiquid},
        {"BypassFactor", c.BypassFactor},
        {"air_volume_m3_s", c.AirVolume()},
        {"air_mass_flow_kg_s", c.AirMassFlow()},
        {"fluid_mass_flow_kg_s", r.Water.m},
        {"fluid_leaving_C", r.Water.tfo},
        {"air_off_db_C", r.AirOff.db},
        {"air_off_wb_C", r.AirOff.wb},
        {"air_pressure_drop_Pa", c.AirPressureDrop()},
        {"fluid_pressure_drop_kPa", c.FluidPressureDrop()},
        {"face_area_m2", c.FaceArea()},
        {"fin_efficiency", c.Geometry().FinEfficiency()},
        {"surface_efficiency", c.SurfaceEff()},
    };
    for (const auto& v : values) {
        const double expected = results.at(v.key).get<double>();
        EXPECT_NEAR(v.actual, expected, 1e-3 * std::abs(expected)) << v.key;
    }
    EXPECT_EQ(c.Status, results.at("status").get<int>());
    EXPECT_EQ(c.PipeSize(), results.at("pipe_size_mm").get<int>());
    EXPECT_EQ(c.Geometry().TubesHigh(), results.at("tubes_high").get<int>());
    ExpectDutyBalance(r);
}

TEST(HotWaterCoil, ConvergedSolvesBalanceAirAndLiquid)
{
    const struct Case {
        const char* name;
        std::function<void(TFirstRunCoil&)> setUp;
    } cases[] = {
        {"first run", [](TFirstRunCoil&) {}},
        {"hot water", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetInletTemp(80); }},
        {"liquid the smaller stream (Cr > 1)", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetVelocity(0.1); }},
        {"temperature control", [](TFirstRunCoil& r) { r.Coil.LiquidState.ctrl = ctrlTemperature; }},
        {"temperature control, 20 K drop",
         [](TFirstRunCoil& r) {
             r.Coil.LiquidState.ctrl = ctrlTemperature;
             r.Coil.LiquidState.designdt = 20;
             r.Coil.LiquidState.SetInletTemp(80);
         }},
        {"glycol, cold air",
         [](TFirstRunCoil& r) {
             r.Water.WaterAdditive = waEthyleneGlycol;
             r.Water.AdditiveVolume = 0.3;
             r.Coil.SetAirOnText("-10");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFirstRunCoil r;
        c.setUp(r);
        ASSERT_EQ(r.Coil.Solve(), ssSolved);
        EXPECT_GT(r.Coil.Qt, 0);
        EXPECT_LE(r.Coil.e, 1);
        // Heating changes no moisture: all the duty is sensible.
        EXPECT_NEAR(r.Coil.Qs, r.Coil.Qt, 1e-9 * r.Coil.Qt);
        EXPECT_NEAR(r.AirOff.W, r.AirOn.W, 1e-15);
        ExpectDutyBalance(r);
    }
}

TEST(HotWaterCoil, DutyGrowsWithInletTemperatureRowsAndAirFlow)
{
    const struct Trend {
        const char* name;
        std::function<void(TFirstRunCoil&, double)> apply;
        double values[3];
    } trends[] = {
        {"fluid inlet", [](TFirstRunCoil& r, double t) { r.Coil.LiquidState.SetInletTemp(t); }, {40, 60, 90}},
        {"rows", [](TFirstRunCoil& r, double n) { r.Coil.SetRows(n); }, {1, 3, 6}},
        {"face velocity", [](TFirstRunCoil& r, double v) { r.Coil.SetFaceVelocity(v); }, {1.0, 2.5, 4.0}},
    };
    for (const Trend& t : trends) {
        double previous = 0;
        for (double value : t.values) {
            TFirstRunCoil r;
            t.apply(r, value);
            ASSERT_EQ(r.Coil.Solve(), ssSolved) << t.name << " " << value;
            EXPECT_GT(r.Coil.Qt, previous) << t.name << " " << value;
            previous = r.Coil.Qt;
        }
    }
}

TEST(HotWaterCoil, ZeroFluidFlow)
{
    // Flow control: nothing to rate, solved at once with no duty.
    TFirstRunCoil flow;
    flow.Coil.LiquidState.SetMassFlow(0);
    EXPECT_EQ(flow.Coil.Solve(), ssSolved);
    EXPECT_EQ(flow.Coil.Qt, 0);
    EXPECT_EQ(flow.Coil.Qs, 0);
    EXPECT_EQ(flow.AirOff.db, flow.AirOn.db);
    EXPECT_EQ(flow.AirOff.h, flow.AirOn.h);

    // Temperature control: the flow starts from 1 m/s in the tubes and follows the duty.
    TFirstRunCoil temperature;
    temperature.Coil.LiquidState.ctrl = ctrlTemperature;
    temperature.Coil.LiquidState.SetMassFlow(0);
    EXPECT_EQ(temperature.Coil.Solve(), ssSolved);
    EXPECT_GT(temperature.Coil.Qt, 0);
    EXPECT_GT(temperature.Water.m, 0);
    ExpectDutyBalance(temperature);
}

TEST(HotWaterCoil, TemperatureControlHoldsLeavingFluidAtTheAirTemperature)
{
    TFirstRunCoil r;
    r.Coil.SetAirOnText("24/17");
    r.Coil.LiquidState.ctrl = ctrlTemperature;
    r.Coil.LiquidState.SetInletTemp(30);
    r.Coil.LiquidState.designdt = 10;
    EXPECT_EQ(r.Coil.Solve(), ssDataError);
    EXPECT_EQ(r.Coil.Status, ssSolved);
    EXPECT_DOUBLE_EQ(r.Water.tfo, 24);
    EXPECT_DOUBLE_EQ(r.Coil.LiquidState.designdt, 6);
    // The reported duty is still that of the iteration, which the off-coil air carries.
    EXPECT_GT(r.Coil.Qt, 0);
    EXPECT_NEAR(r.Coil.AirMassFlow() * (r.AirOff.h - r.AirOn.h), r.Coil.Qt, 1e-6 * r.Coil.Qt);
}

TEST(HotWaterCoil, InletAtTheAirTemperatureRatesOneKelvinApart)
{
    TFirstRunCoil r;
    r.Coil.LiquidState.SetInletTemp(25);
    EXPECT_EQ(r.Coil.Solve(), ssSolved);
    EXPECT_EQ(r.AirOn.db, 24);
    // At most the whole 1 K of the air capacity.
    EXPECT_GT(r.Coil.Qt, 0);
    EXPECT_LT(r.Coil.Qt, r.Coil.AirCapacity());
}

TEST(HotWaterCoil, FoulingChangesTheOverallCoefficientOnly)
{
    TFirstRunCoil fouled;
    TFirstRunCoil clean;
    clean.Coil.UseFouling = false;
    ASSERT_EQ(fouled.Coil.Solve(), ssSolved);
    ASSERT_EQ(clean.Coil.Solve(), ssSolved);
    EXPECT_EQ(fouled.Coil.Qt, clean.Coil.Qt);
    EXPECT_NEAR(1 / fouled.Coil.Uo - 1 / clean.Coil.Uo, 0.0048, 1e-12);
}

TEST(HotWaterCoil, ResultsBelongToTheLastSolve)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    const double solved = r.Coil.Qt;
    r.Coil.LiquidState.SetInletTemp(80);
    r.Coil.SetFaceVelocity(3.5);
    EXPECT_EQ(r.Coil.Qt, solved);
    r.Coil.Solve();
    EXPECT_GT(r.Coil.Qt, solved);
}

TEST(HotWaterCoil, SetDesignDutyChoosesCircuitsForTheIdealVelocity)
{
    // Water of Cp 4.2 and 972 kg/m³: 50 / (4.2·6) = 1.984 kg/s, 16.57 bores at 1 m/s → 17
    // circuits, and 17·972·(π·0.0125222²/4)·1 m/s = 2.0350 kg/s.
    TFirstRunCoil r;
    r.Water.UserProps = true;
    r.Water.UserCp = 4.2;
    r.Water.UserRo = 972;
    r.Water.Update();
    r.Coil.LiquidState.ctrl = ctrlTemperature;
    r.Coil.LiquidState.designdt = 10;
    r.Coil.SetDesignDuty(50);
    const TLiquidState& state = r.Coil.LiquidState;
    EXPECT_EQ(state.ctrl, ctrlFlow);
    EXPECT_EQ(state.designdt, 6);
    EXPECT_DOUBLE_EQ(r.Water.tfo, 39);
    EXPECT_EQ(r.Coil.Circ(), 17);
    EXPECT_NEAR(r.Water.m, 2.0350090, 1e-6);
    EXPECT_NEAR(state.FlowArea, 17 * std::acos(-1.0) * 0.0125222 * 0.0125222 / 4, 1e-15);
    EXPECT_NEAR(state.vw, state.vwideal, 1e-12);
}

TEST(HotWaterCoil, CountsOutAfter102Passes)
{
    // An effectiveness that never settles keeps the duty moving.
    static int calls = 0;
    calls = 0;
    TFirstRunCoil r;
    r.Coil.EffectivenessFn = [](double, double) { return ++calls % 2 ? 0.5 : 0.6; };
    EXPECT_EQ(r.Coil.Solve(), ssCountOut);
    EXPECT_EQ(r.Coil.Status, ssCountOut);
    EXPECT_EQ(calls, 102);
    EXPECT_TRUE(std::isfinite(r.Coil.Qt));
    EXPECT_TRUE(std::isfinite(r.AirOff.db));
}

TEST(HotWaterCoil, ReplacedAirSideRelationIsUsed)
{
    TFirstRunCoil r;
    r.Coil.SetAirSideFn([](const TAirSideGeometry&, const TMoistAirState&, TAirSideResult&) { return 0.05; });
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    EXPECT_DOUBLE_EQ(r.Coil.ho, 0.05 * r.Coil.SurfaceEff());
}

TEST(HotWaterCoil, BadInputFailsCleanly)
{
    const struct Case {
        const char* name;
        std::function<void(TFirstRunCoil&)> spoil;
    } cases[] = {
        {"zero face velocity", [](TFirstRunCoil& r) { r.Coil.SetFaceVelocity(0); }},
        {"negative air flow", [](TFirstRunCoil& r) { r.Coil.SetAirVolume(-1); }},
        {"air flow not a number", [](TFirstRunCoil& r) { r.Coil.SetMassFlow(kNaN); }},
        {"on-coil air not a number", [](TFirstRunCoil& r) { r.AirOn.db = kNaN; }},
        {"fluid inlet not a number", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetInletTemp(kNaN); }},
        {"negative fluid flow", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetMassFlow(-1); }},
        {"fluid flow not a number", [](TFirstRunCoil& r) { r.Coil.LiquidState.SetMassFlow(kNaN); }},
        {"zero face area", [](TFirstRunCoil& r) { r.Coil.SetFinHeight(0); }},
        {"negative length", [](TFirstRunCoil& r) { r.Coil.SetFinnedLength(-0.7); }},
        {"rows not a number", [](TFirstRunCoil& r) { r.Coil.SetRows(kNaN); }},
        {"rejected designation", [](TFirstRunCoil& r) { r.Coil.SetModelText("544 720 4r 99f 7c"); }},
        {"design drop not a number",
         [](TFirstRunCoil& r) {
             r.Coil.LiquidState.ctrl = ctrlTemperature;
             r.Coil.LiquidState.designdt = kNaN;
         }},
        {"duty factor not a number", [](TFirstRunCoil& r) { r.Coil.DutyFactor = kNaN; }},
        {"fluid below the air, temperature control",
         [](TFirstRunCoil& r) {
             r.Coil.LiquidState.ctrl = ctrlTemperature;
             r.Coil.LiquidState.SetInletTemp(20);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFirstRunCoil r;
        r.Coil.Solve();
        c.spoil(r);
        const double leaving = r.Water.tfo;
        const double flow = r.Water.m;
        int status = ssSolved;
        EXPECT_NO_THROW(status = r.Coil.Solve());
        EXPECT_EQ(status, ssDataError);
        EXPECT_EQ(r.Coil.Status, ssDataError);
        EXPECT_EQ(r.Coil.Qt, 0);
        EXPECT_EQ(r.Coil.Qs, 0);
        EXPECT_TRUE(r.AirOff.db == r.AirOn.db || std::isnan(r.AirOn.db));
        // The liquid is left as it was.
        EXPECT_TRUE(r.Water.tfo == leaving || std::isnan(leaving));
        EXPECT_TRUE(r.Water.m == flow || std::isnan(flow));
        EXPECT_TRUE(std::isfinite(r.Coil.FluidPressureDrop()) || std::isnan(r.Water.m));
    }
}

TEST(HotWaterCoil, FluidBelowTheAirUnderFlowControlCoolsTheAir)
{
    TFirstRunCoil r;
    r.Coil.LiquidState.SetInletTemp(20);
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    EXPECT_LT(r.Coil.Qt, 0);
    EXPECT_GT(r.Water.tfo, 20);
    EXPECT_LT(r.AirOff.db, r.AirOn.db);
    ExpectDutyBalance(r);
}

TEST(HotWaterCoil, RatingAllocatesNothing)
{
    TFirstRunCoil r;
    r.Coil.SimulateSteps();  // the profile's storage exists from here on
    g_allocations = 0;
    g_countAllocations = true;
    const int status = r.Coil.Solve();
    r.Coil.SimulateSteps();
    g_countAllocations = false;
    EXPECT_EQ(status, ssSolved);
    EXPECT_EQ(g_allocations, 0);
}

TEST(HotWaterCoil, StepByStepSimulationFollowsTheRating)
{
    TFirstRunCoil r;
    ASSERT_EQ(r.Coil.Solve(), ssSolved);
    const double duty = r.Coil.SimulateSteps();
    const TProfile& p = r.Coil.Profile;
    ASSERT_EQ(p.size(), 4u);
    // The march ends at the given fluid inlet; its duty is the rating's within the slicing.
    EXPECT_NEAR(p[0][kProfileSteps - 1], r.Water.tfi, 1e-4);
    EXPECT_NEAR(duty, r.Coil.Qt, 0.01 * r.Coil.Qt);
    EXPECT_NEAR(p[1][kProfileSteps - 1], r.AirOff.db, 0.2);
    for (int j = 0; j < kProfileSteps; ++j) {
        SCOPED_TRACE(j);
        EXPECT_GT(p[2][j], p[1][j]);  // the surface lies between air and fluid
        EXPECT_LT(p[2][j], p[0][j]);
        EXPECT_NEAR(p[3][j], r.AirOn.td, 1e-6);  // heating keeps the dew point
        if (j > 0) {
            EXPECT_GT(p[0][j], p[0][j - 1]);
            EXPECT_GT(p[1][j], p[1][j - 1]);
        }
    }
}

TEST(HotWaterCoil, SimulationWithoutASolveHasNoDuty)
{
    TFirstRunCoil r;
    EXPECT_EQ(r.Coil.SimulateSteps(), 0);
    ASSERT_EQ(r.Coil.Profile.size(), 4u);
    for (const auto& row : r.Coil.Profile)
        for (double v : row) EXPECT_TRUE(std::isfinite(v));
}

}  // namespace
}  // namespace vantor
