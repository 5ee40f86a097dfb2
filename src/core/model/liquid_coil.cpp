#include "model/liquid_coil.h"

#include "fluids/heat_transfer.h"
#include "fluids/liquid.h"

#include <cmath>

namespace vantor {

namespace {

// Drawn copper tube, m.
constexpr double kTubeRoughness = 1.5e-6;
constexpr double kStartFrictionFactor = 0.015;
// 1.2 allowance on the straight-tube loss, and Pa to kPa.
constexpr double kTubeLossFactor = 0.0012;
// Capacity rates up to this count as no fluid flow, kW/K.
constexpr double kNoFlowCapacity = 0.001;

constexpr double kTurbulentRe = 2300;
constexpr double kFrictionTolerance = 1e-6;
constexpr int kMaxFrictionSteps = 21;
// 2 / ln 10: the derivative of 2·log10(u) is this over u.
constexpr double kTwoOverLn10 = 0.868588963;

double LaminarFriction(double Re, double startFactor)
{
    if (Re > 0) {
        const double f = 64 / Re;
        // Below Re 64 the laminar law would pass 1; such creeping flow takes a plain 0.02.
        return f > 1 ? 0.02 : f;
    }
    return startFactor >= 0 && startFactor <= 1 ? startFactor : 0.02;
}

// Prandtl–Kármán law of a smooth tube in x = 1/√f, by substitution.
double SmoothFriction(double Re, double startFactor)
{
    double x = startFactor > 0 ? 1 / std::sqrt(startFactor) : 7;
    for (int step = 0; step < kMaxFrictionSteps; ++step) {
        const double next = 2 * std::log10(Re / x) - 0.8;
        const bool settled = std::abs(next - x) <= kFrictionTolerance;
        x = next;
        if (settled) break;
    }
    return 1 / (x * x);
}

// Colebrook F(x) = x + 2·log10(r/3.7 + 2.51·x/Re) = 0 in x = 1/√f: a Newton step, then
// secant steps.
double ColebrookFriction(double Re, double relativeRoughness, double startFactor)
{
    const double a = 2.51 / Re;
    const double b = relativeRoughness / 3.7;
    const auto F = [a, b](double x) { return x + 2 * std::log10(b + a * x); };

    double x = 1 / std::sqrt(startFactor);
    double Fx = F(x);
    double inverseSlope = (x * a + b) / ((x + kTwoOverLn10) * a + b);
    for (int step = 1; step <= kMaxFrictionSteps; ++step) {
        const double next = x - inverseSlope * Fx;
        const double Fnext = F(next);
        if (std::abs(Fnext) <= kFrictionTolerance) {
            x = next;
            break;
        }
        double dF = Fnext - Fx;
        if (std::abs(dF) < 1e-12) dF = dF >= 0 ? 1e-12 : -1e-12;
        inverseSlope = (next - x) / dF;
        x = next;
        Fx = Fnext;
    }
    return 1 / (x * x);
}

}  // namespace

TLiquidCoil::TLiquidCoil(const TCoilAttachment& attachment, std::string_view designation, int coilType,
                         const TTubeRange& range)
    : TCoil(attachment, designation, coilType, range), LiquidState(attachment.Liquid)
{
    Title = "Liquid Coil";
    FluidDPLimit = 70;
    // The coil part was built before the liquid state existed.
    UpdateTubeProperties();
}

void TLiquidCoil::Attach(const TCoilAttachment& attachment)
{
    AttachAir(attachment.AirOn, attachment.AirOff);
    AttachLiquid(attachment.Liquid);
    LiquidState.Attach(attachment.Liquid);
}

double TLiquidCoil::FluidPressureDrop() const
{
    const TTubeSideGeometry tubes = Geometry().TubeSideGeometry();
    const TLiquid& liquid = Liquid();
    const double vw = LiquidState.vw;
    const double Re = std::abs(tubes.ID * liquid.ro * vw / liquid.mu);
    const double f = FrictionFactor(Re, tubes.ID, kTubeRoughness, kStartFrictionFactor);
    return vw * vw * kTubeLossFactor * FluidDPFactor * liquid.ro * f * tubes.EquivalentLength / (2 * tubes.ID);
}

int TLiquidCoil::PipeSize() const { return NextStandardSize(27 * std::pow(std::abs(Liquid().m), 0.45)); }

void TLiquidCoil::UpdateTubeProperties()
{
    TCoil::UpdateTubeProperties();
    LiquidState.SetFlowArea(Geometry().TubeSideGeometry().FlowArea);
}

bool TLiquidCoil::NoFlow()
{
    if (!(LiquidState.cw <= kNoFlowCapacity)) return false;
    Qt = 0;
    Qs = 0;
    AirOff() = AirOn();
    return true;
}

double TLiquidCoil::FrictionFactor(double Re, double diameter, double roughness, double startFactor)
{
    if (!(Re >= kTurbulentRe)) return LaminarFriction(Re, startFactor);
    if (roughness == 0) return SmoothFriction(Re, startFactor);

    const double r = roughness / diameter;
    const double fullyRough = 1 / std::pow(1.14 - 2 * std::log10(r), 2);
    const double f0 = startFactor > 0 ? startFactor : fullyRough;
    // Where the roughness reaches well through the laminar sublayer, f no longer depends on Re.
    if (std::sqrt(f0) * Re * r > 200) return fullyRough;
    return ColebrookFriction(Re, r, f0);
}

}  // namespace vantor
