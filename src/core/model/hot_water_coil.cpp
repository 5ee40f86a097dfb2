#include "model/hot_water_coil.h"

#include "fluids/heat_transfer.h"
#include "fluids/liquid.h"
#include "psychro/psychro.h"

#include <cmath>
#include <limits>

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

// The march must end within this of the fluid inlet temperature, K.
constexpr double kProfileTolerance = 1e-5;
// Marches the search may spend: enough for bisection to reach neighbouring doubles.
constexpr int kMaxMarches = 102;
// The miss of a march that ran away: too high, whichever way the coil transfers heat.
constexpr double kRunaway = std::numeric_limits<double>::infinity();

// The end temperature of a march that left the psychrometric range.
constexpr double kNoEnd = std::numeric_limits<double>::quiet_NaN();

bool Positive(double x) { return std::isfinite(x) && x > 0; }

bool StrictlyBetween(double x, double a, double b) { return (x - a) * (x - b) < 0; }

// The point between `low` and `high` where miss is within tolerance of zero, miss being
// lowMiss (negative) at `low`, positive at `high`, and infinite where the march ran away.
// Secant steps from the estimate, through the last two points, while they stay inside the
// bracket and it at least halves every second step; bisection otherwise. On success the last
// call of miss was at the root, so whatever it left behind belongs to the root.
template <class MissFunction>
TSimulationOutcome FindFaceTemperature(const MissFunction& miss, double low, double lowMiss, double high,
                                       double estimate, double tolerance)
{
    struct TPoint {
        double X;
        double Miss;
    };
    const auto evaluate = [&miss](double x) { return TPoint{x, miss(x)}; };
    const auto found = [tolerance](const TPoint& p) { return std::abs(p.Miss) < tolerance; };

    TPoint lower{low, lowMiss};
    if (found(lower)) return found(evaluate(low)) ? TSimulationOutcome::Converged : TSimulationOutcome::Unresolved;
    TPoint upper = evaluate(high);
    if (found(upper)) return TSimulationOutcome::Converged;
    if (!(lowMiss < 0) || upper.Miss < 0) return TSimulationOutcome::NoRoot;

    // The first secant runs from the estimate to the end on the other side of the root.
    TPoint current = evaluate(StrictlyBetween(estimate, low, high) ? estimate : low + 0.5 * (high - low));
    TPoint previous = current.Miss < 0 ? upper : lower;
    // The bracket's widths after the last two steps; the first two steps may be secants freely.
    double widths[2] = {2 * std::abs(high - low), 2 * std::abs(high - low)};
    for (int marches = 2; marches < kMaxMarches; ++marches) {
        if (found(current)) return TSimulationOutcome::Converged;
        (current.Miss < 0 ? lower : upper) = current;
        const double width = std::abs(upper.X - lower.X);
        const bool halving = width <= 0.5 * widths[0];
        widths[0] = widths[1];
        widths[1] = width;

        double next = lower.X + 0.5 * (upper.X - lower.X);
        if (std::isfinite(current.Miss) && std::isfinite(previous.Miss) && current.Miss != previous.Miss && halving) {
            const double secant = current.X - current.Miss * (current.X - previous.X) / (current.Miss - previous.Miss);
            if (StrictlyBetween(secant, lower.X, upper.X)) next = secant;
        }
        // No double left between the ends: the root is finer than the arithmetic can place it.
        if (!StrictlyBetween(next, lower.X, upper.X)) return TSimulationOutcome::Unresolved;
        previous = current;
        current = evaluate(next);
    }
    return TSimulationOutcome::Unresolved;
}

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

TSolveStatus THotWaterCoil::Solve()
{
    TLiquidState& state = LiquidState;
    TLiquid& liquid = Liquid();
    const TMoistAirState& airOn = AirOn();
    m_note = THotWaterNote::None;

    // A flow that is not a number of zero or more cannot be rated.
    if (state.ctrl == TFluidControl::Flow && !(liquid.m >= 0)) return FailSolve();
    if (NoFlow()) {
        if (state.ctrl == TFluidControl::Flow) {
            Status = TSolveStatus::Solved;
            return Status;
        }
        if (state.ctrl == TFluidControl::Temperature) state.SetVelocity(kStartVelocity);
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
    if (state.ctrl == TFluidControl::Temperature && liquid.tfi < airOn.db) {
        m_note = THotWaterNote::CannotCool;
        return FailSolve();
    }

    if (!IterateDuty() || !CompleteAirOff()) return FailSolve();

    // Water cannot leave colder than the air it heats. The requested drop decides, not the
    // leaving temperature the iteration ended with: a drop that reaches the air starves the
    // flow towards nothing while the duty still "converges".
    if (state.ctrl == TFluidControl::Temperature && state.InletTemp() - m_requestedDesignDT <= airOn.db) {
        state.SetLeavingTemp(airOn.db);
        state.designdt = state.InletTemp() - state.LeavingTemp();
        m_note = THotWaterNote::DropHeld;
        return TSolveStatus::DataError;
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
                              (LiquidState.ctrl != TFluidControl::Temperature || Positive(LiquidState.designdt));
    const bool coilUsable = GeometryAccepted() && Positive(Ao) && Positive(Ai) && Positive(SurfaceEff()) &&
                            Positive(WallConductivity) && std::isfinite(WallThickness);
    return airUsable && liquidUsable && coilUsable;
}

TSolveStatus THotWaterCoil::FailSolve()
{
    Status = TSolveStatus::DataError;
    Qt = 0;
    Qs = 0;
    AirOff() = AirOn();
    return Status;
}

TSolveStatus THotWaterCoil::PassAirUnchanged()
{
    m_note = THotWaterNote::NoTemperatureDifference;
    Status = TSolveStatus::Solved;
    Qt = 0;
    Qs = 0;
    AirOff() = AirOn();
    // With a fixed flow the fluid leaves as it entered; with a fixed drop there is no duty to
    // set a flow from, so the flow stays as given.
    if (LiquidState.ctrl == TFluidControl::Flow) LiquidState.ApplyDuty(0);
    return Status;
}

bool THotWaterCoil::IterateDuty()
{
    TLiquidState& state = LiquidState;
    TLiquid& liquid = Liquid();
    const TMoistAirState& airOn = AirOn();
    const double airCapacity = AirCapacity();
    const TAirSideFn airSideFn = AirSideFn();

    Status = TSolveStatus::Iterating;
    for (int pass = 0; Status == TSolveStatus::Iterating; ++pass) {
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
        if (std::abs(Qt - previous) < kDutyTolerance) Status = TSolveStatus::Solved;
        if (pass >= kLastPass) Status = TSolveStatus::CountOut;
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

TSimulation THotWaterCoil::SimulateSteps()
{
    CreateProfile();
    const double cw = LiquidState.cw;
    const double inlet = LiquidState.InletTemp();
    const TMoistAirState& airOn = AirOn();
    if (Status == TSolveStatus::DataError || !(cw >= 0) || !Positive(AirMassFlow()) || !std::isfinite(ho) ||
        !std::isfinite(ConductanceRatio) || !std::isfinite(inlet) || !std::isfinite(airOn.db))
        return {TSimulationOutcome::NotRated, 0};
    if (cw == 0) return StandingFluid();

    // The coil is counterflow: the air enters where the fluid leaves. The march starts at the
    // air inlet face from a guessed fluid temperature there; the right guess makes the fluid
    // arrive at its inlet temperature at the far end. The guess lies between the entering air
    // (nothing is transferred and the march ends at the air's temperature, exactly; marched,
    // a steep coil would blow rounding up instead) and the fluid inlet (the fluid passes its
    // inlet temperature). The miss is oriented so that it is negative at the air's end whether
    // the coil heats or cools the air.
    const double orientation = inlet >= airOn.db ? 1.0 : -1.0;
    double duty = 0;
    const auto miss = [&](double faceTemp) {
        const double end = March(faceTemp, duty);
        return std::isfinite(end) ? orientation * (end - inlet) : kRunaway;
    };
    const TSimulationOutcome outcome = FindFaceTemperature(miss, airOn.db, -std::abs(inlet - airOn.db), inlet,
                                                           LiquidState.LeavingTemp(), kProfileTolerance);
    if (outcome != TSimulationOutcome::Converged) return {outcome, 0};
    return {outcome, duty};
}

double THotWaterCoil::March(double faceTemp, double& duty)
{
    const double cw = LiquidState.cw;
    const double airMassFlow = AirMassFlow();
    const double sliceArea = Ao / kProfileSteps;
    TMoistAirState air = AirOn();
    double tw = faceTemp;
    duty = 0;
    for (int slice = 0; slice < kProfileSteps; ++slice) {
        // The surface divides the difference between fluid and air in the ratio of the
        // conductances; taken from the difference, the air's own temperature gives none.
        const double surface = air.db + (tw - air.db) / (ConductanceRatio + 1);
        const double dq = ho * sliceArea * (surface - air.db);
        duty += dq;
        tw += dq / cw;
        air.h += dq / airMassFlow;
        // Air pushed out of the psychrometric range: the guess lies far beyond the root.
        if (!PsyStateFilled(AirState(air, air, pcHW)) || !std::isfinite(tw)) return kNoEnd;
        Profile[0][slice] = tw;
        Profile[1][slice] = air.db;
        Profile[2][slice] = surface;
        Profile[3][slice] = air.td;
    }
    return tw;
}

TSimulation THotWaterCoil::StandingFluid()
{
    // Without flow nothing is carried in or out: the fluid stands at its inlet temperature
    // and the air passes unchanged.
    const TMoistAirState& airOn = AirOn();
    Profile[0].fill(LiquidState.InletTemp());
    Profile[1].fill(airOn.db);
    Profile[2].fill(airOn.db);
    Profile[3].fill(airOn.td);
    return {TSimulationOutcome::Converged, 0};
}

void THotWaterCoil::SetDesignDuty(double Q)
{
    if (!std::isfinite(Q)) return;
    TLiquidState& state = LiquidState;
    const TLiquid& liquid = Liquid();
    state.ctrl = TFluidControl::Flow;
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
