#include "model/hot_water_coil.h"

#include "fluids/heat_transfer.h"
#include "fluids/liquid.h"
#include "psychro/psychro.h"

#include <cmath>

namespace vantor {

namespace {

constexpr double kDutyTolerance = 1e-5;  // kW
// Passes are counted from 0; this one is the last of the solve and of the simulation.
constexpr int kLastPass = 101;
// Extra air-side resistance and fouling in the reported overall coefficient.
constexpr double kAirResistanceFactor = 1.01;
constexpr double kFoulingResistance = 0.0048;  // m²·K/kW
constexpr double kStandardDesignDrop = 6.0;   // K
// Tube velocity a temperature-controlled coil without flow starts from, m/s.
constexpr double kStartVelocity = 1.0;

constexpr double kRelaxation = 0.618;
constexpr double kProfileTolerance = 1e-5;  // K

bool Positive(double x) { return std::isfinite(x) && x > 0; }

}  // namespace

THotWaterCoil::THotWaterCoil(const TCoilAttachment& attachment, std::string_view designation, const TTubeRange& range)
    : TLiquidCoil(attachment, designation, kHotWaterCoil, range)
{
    Title = "Hot Water Coil";
    SetFactors(1, 1, 1);
    AirDPFactor = 1;
    DutyPerVolume = 27.5;
    DesignVf = 2.7;
    DesignAspect = 1.4;
    DesignRows = 3;
    DesignFins = 8;
    DefaultAirOn = "5.0/2.0";
    DefaultFluidIn = 45;
    DefaultVf = 2.8;
    DefaultAspect = 1.4;
    DefaultRows = 4;
    DefaultFins = 8;
}

int THotWaterCoil::Solve()
{
    TLiquidState& state = LiquidState;
    TLiquid& liquid = Liquid();
    const TMoistAirState& airOn = AirOn();
    m_note = THotWaterNote::None;

    // A flow that is not a number of zero or more cannot be rated.
    if (state.ctrl == ctrlFlow && !(liquid.m >= 0)) return FailSolve();
    if (NoFlow()) {
        if (state.ctrl == ctrlFlow) {
            Status = ssSolved;
            return Status;
        }
        if (state.ctrl == ctrlTemperature) state.SetVelocity(kStartVelocity);
    }
    Fouling = UseFouling ? kFoulingResistance : 0;
    if (state.designdt == 0) state.designdt = kStandardDesignDrop;
    m_requestedDesignDT = state.designdt;
    if (!InputsUsable()) return FailSolve();

    // Fluid at the air's temperature has nothing to give: the air passes as it came.
    if (liquid.tfi == airOn.db) return PassAirUnchanged();
    // Tubes colder than the air's dew point would condense moisture out of it, which a
    // sensible rating cannot describe: the off-coil air would come out supersaturated.
    if (liquid.tfi < airOn.td) {
        m_note = THotWaterNote::BelowDewPoint;
        return FailSolve();
    }
    // Under temperature control the flow follows the duty: fluid colder than the air would
    // ask for a negative flow.
    if (state.ctrl == ctrlTemperature && liquid.tfi < airOn.db) {
        m_note = THotWaterNote::CannotCool;
        return FailSolve();
    }

    if (!IterateDuty() || !CompleteAirOff()) return FailSolve();

    // Water cannot leave colder than the air it heats. The requested drop decides, not the
    // leaving temperature the iteration ended with: a drop that reaches the air starves the
    // flow towards nothing while the duty still "converges".
    if (state.ctrl == ctrlTemperature && state.InletTemp() - m_requestedDesignDT <= airOn.db) {
        state.SetLeavingTemp(airOn.db);
        state.designdt = state.InletTemp() - state.LeavingTemp();
        m_note = THotWaterNote::DropHeld;
        return ssDataError;
    }
    if (liquid.tfi < airOn.db) m_note = THotWaterNote::CoolsAir;
    return Status;
}

bool THotWaterCoil::InputsUsable() const
{
    const TLiquid& liquid = Liquid();
    const TMoistAirState& airOn = AirOn();
    const bool airUsable = Positive(AirMassFlow()) && Positive(AirCapacity()) && std::isfinite(airOn.db) &&
                           std::isfinite(airOn.h) && Positive(airOn.cp) && Positive(airOn.mu) && Positive(airOn.k);
    const bool liquidUsable = std::isfinite(liquid.tfi) && Positive(liquid.ro) && Positive(liquid.Cp) &&
                              Positive(liquid.mu) && Positive(liquid.Ko) && Positive(LiquidState.cw) &&
                              (LiquidState.ctrl != ctrlTemperature || Positive(LiquidState.designdt));
    const bool coilUsable = GeometryAccepted() && Positive(Ao) && Positive(Ai) && Positive(SurfaceEff()) &&
                            Positive(WallConductivity) && std::isfinite(WallThickness);
    return airUsable && liquidUsable && coilUsable;
}

int THotWaterCoil::FailSolve()
{
    Status = ssDataError;
    Qt = 0;
    Qs = 0;
    AirOff() = AirOn();
    return Status;
}

int THotWaterCoil::PassAirUnchanged()
{
    m_note = THotWaterNote::NoTemperatureDifference;
    Status = ssSolved;
    Qt = 0;
    Qs = 0;
    AirOff() = AirOn();
    // With a fixed flow the fluid leaves as it entered; with a fixed drop there is no duty to
    // set a flow from, so the flow stays as given.
    if (LiquidState.ctrl == ctrlFlow) LiquidState.ApplyDuty(0);
    return Status;
}

bool THotWaterCoil::IterateDuty()
{
    TLiquidState& state = LiquidState;
    TLiquid& liquid = Liquid();
    const TMoistAirState& airOn = AirOn();
    const double airCapacity = AirCapacity();
    const TAirSideFn airSideFn = AirSideFn();

    Status = ssIterating;
    for (int pass = 0; Status == ssIterating; ++pass) {
        Cr = airCapacity / state.cw;
        liquid.Update();
        hi = TubeSideCoefficient(TubeSide(), liquid, true) * hiFactor;
        ho = airSideFn(AirSide(), airOn, AirSideResult) * hoFactor * SurfaceEff();
        Ui = hi * WallConductivity / (WallConductivity + hi * WallThickness);
        ConductanceRatio = ho * Ao / (Ui * Ai);
        // Reported only: the duty below does not use Uo.
        Uo = 1 / (kAirResistanceFactor / ho + AoAi / Ui + Fouling);
        NtuAir = ho * Ao / airCapacity;
        NtuLiquid = Ui * Ai / state.cw;
        NtuRatio = NtuAir / NtuLiquid;
        BypassFactor = std::exp(-NtuAir);
        // The overall conductance referred to the air.
        Ntu = NtuAir / (Cr * NtuRatio + 1);
        e = EffectivenessFn(Cr, Ntu) * DutyFactor;
        Qmax = (liquid.tfi - airOn.db) * airCapacity;

        const double previous = Qt;
        const double duty = e * Qmax;
        if (!std::isfinite(duty)) return false;
        Qt = duty;
        state.ApplyDuty(Qt);
        if (std::abs(Qt - previous) < kDutyTolerance) Status = ssSolved;
        if (pass >= kLastPass) Status = ssCountOut;
    }
    return true;
}

bool THotWaterCoil::CompleteAirOff()
{
    const TMoistAirState& airOn = AirOn();
    TMoistAirState& airOff = AirOff();
    airOff.h = Qt / AirMassFlow() + airOn.h;
    airOff.db = Qt / AirCapacity() + airOn.db;
    if (!PsyStateFilled(AirState(airOff, airOff, pcDbH))) return false;
    Qs = (airOff.db - airOn.db) * AirCapacity();
    return true;
}

double THotWaterCoil::SimulateSteps()
{
    CreateProfile();
    const double cw = LiquidState.cw;
    const double airMassFlow = AirMassFlow();
    if (!Positive(cw) || !Positive(airMassFlow) || !std::isfinite(ho) || !std::isfinite(ConductanceRatio)) return 0;

    const double inlet = LiquidState.InletTemp();
    const double sliceArea = Ao / kProfileSteps;
    // The fluid temperature at the air inlet face, the coil being counterflow: first the
    // leaving temperature, then corrected until the march ends at the given inlet.
    double faceTemp = LiquidState.LeavingTemp();
    double duty = 0;
    for (int pass = 0;; ++pass) {
        TMoistAirState air = AirOn();
        double tw = faceTemp;
        duty = 0;
        for (int slice = 0; slice < kProfileSteps; ++slice) {
            const double surface = (ConductanceRatio * air.db + tw) / (ConductanceRatio + 1);
            const double dq = ho * sliceArea * (surface - air.db);
            duty += dq;
            tw += dq / cw;
            air.h += dq / airMassFlow;
            AirState(air, air, pcHW);
            Profile[0][slice] = tw;
            Profile[1][slice] = air.db;
            Profile[2][slice] = surface;
            Profile[3][slice] = air.td;
        }
        const double miss = tw - inlet;
        faceTemp -= kRelaxation * miss;
        if (std::abs(miss) < kProfileTolerance || pass >= kLastPass) break;
    }
    return duty;
}

void THotWaterCoil::SetDesignDuty(double Q)
{
    if (!std::isfinite(Q)) return;
    TLiquidState& state = LiquidState;
    const TLiquid& liquid = Liquid();
    state.ctrl = ctrlFlow;
    state.designdt = kStandardDesignDrop;
    state.SetLeavingTemp(state.InletTemp() - state.designdt);
    state.SetMassFlow(Q / (liquid.Cp * state.designdt));

    const double bore = TubeSide().BoreArea;
    const double circuits = std::nearbyint(state.MassFlow() / liquid.ro / state.vwideal / bore);
    // The coil's own setter, so that the liquid state's flow area follows the circuits.
    if (std::isfinite(circuits)) SetCircuits(circuits);
    state.SetMassFlow(Circ() * liquid.ro * state.vwideal * bore);
}

}  // namespace vantor
