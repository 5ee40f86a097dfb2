#include "fluids/heat_transfer.h"

#include "fluids/liquid.h"

#include <array>
#include <cmath>

namespace vantor {

namespace {

// Zukauskas constants of one Reynolds range: Nu = C·Re^m·F·Pr^0.34·(row factor).
struct TBankConstants {
    double C;
    double m;
    double F;
};

TBankConstants StaggeredConstants(double Re, double pitchRatio)
{
    if (Re <= 1000) return {0.71, 0.5, 1};
    if (Re > 200000) return {0.031, 0.8, std::pow(pitchRatio, 0.2)};
    if (pitchRatio > 2) return {0.4, 0.6, 1};
    return {0.35, 0.6, std::pow(pitchRatio, 0.2)};
}

TBankConstants InLineConstants(double Re)
{
    if (Re <= 1000) return {0.52, 0.5, 1};
    if (Re > 200000) return {0.033, 0.8, 1};
    return {0.27, 0.63, 1};
}

// Fewer rows than a deep bank see less turbulence; the factor tends to 1 with many rows.
double RowFactor(double rows, bool inLine)
{
    if (inLine) {
        const double n = std::pow(rows, 1.36);
        return (n + 0.95) / (n + 1.8);
    }
    const double n = std::pow(rows, 1.45);
    return (n + 0.94) / (n + 2);
}

constexpr std::array<int, 20> kStandardPipeSizes{15,  20,  25,  35,  40,  50,  65,  80,  100, 125,
                                                 150, 200, 250, 300, 350, 400, 450, 500, 600, 750};

}  // namespace

double TubeSideCoefficient(const TTubeSideGeometry& tubes, const TLiquid& liquid, bool heating)
{
    const double velocity = std::abs(liquid.m / (liquid.ro * tubes.FlowArea));
    const double Re = liquid.ro * velocity * tubes.ID / liquid.mu;
    const double prandtlExponent = heating ? 0.4 : 0.3;
    const double Nu = 0.026 * std::pow(Re, 0.8) * std::pow(liquid.Pr, prandtlExponent);
    return Nu * liquid.Ko / tubes.ID;
}

double FinTubeAirSide(const TAirSideGeometry& geometry, const TMoistAirState& air, TAirSideResult& result)
{
    const double Dh = geometry.HydraulicDiameter;
    const double G = air.M / (geometry.FaceArea * geometry.Sigma);
    const double Pr = air.mu * air.cp / air.k;
    result = TAirSideResult{Dh, G, 0, Pr, 0, 0, 0};
    if (!(G > 0)) return 0;

    const double Re = G * Dh / air.mu;
    const double tf = geometry.tf;
    const double thicknessRatio = tf / geometry.FinEffLength;
    const double exponent = -0.323 * std::pow(thicknessRatio, 0.049) * std::pow(geometry.FinGap / tf, 0.077);
    const double j = 0.159 * std::pow(thicknessRatio, 0.141) * std::pow(Dh / tf, 0.065) * std::pow(Re, exponent);
    const double h = 0.85 * j * G * air.cp * std::pow(Pr, -0.667);
    result.Re = Re;
    result.Nu = h * Dh / air.k;
    result.j = j;
    result.h = h;

    if (geometry.tp != kInLine) return h;
    TAirSideGeometry staggered = geometry;
    staggered.tp = kStaggered;
    return h * TubeBankCoefficient(geometry, air) / TubeBankCoefficient(staggered, air);
}

double TubeBankCoefficient(const TAirSideGeometry& geometry, const TMoistAirState& air)
{
    const double Dc = geometry.CollarDiameter;
    const double G = air.M / (geometry.Sigma * geometry.FaceArea);
    const double Re = G * Dc / air.mu;
    const double Pr = air.mu * air.cp / air.k;
    const bool inLine = geometry.tp == kInLine;
    const TBankConstants c = inLine ? InLineConstants(Re) : StaggeredConstants(Re, geometry.Sy / geometry.Sx);
    const double Nu = c.C * std::pow(Re, c.m) * c.F * std::pow(Pr, 0.34) * RowFactor(geometry.Rows, inLine);
    return Nu * air.k / Dc;
}

double CounterflowEffectiveness(double Cr, double Ntu)
{
    if (Cr == 0) return 1 - std::exp(-Ntu);
    // (1 − e)/(1 − Cr·e) is 0/0 at Cr = 1; its limit is NTU/(1 + NTU).
    if (Cr == 1) return Ntu / (1 + Ntu);
    const double e = std::exp(-Ntu * (1 - Cr));
    if (std::isfinite(e)) {
        if (std::abs(Cr * e - 1) < 1e-9) return Ntu / (Ntu + 1);
        const double effectiveness = (1 - e) / (1 - Cr * e);
        if (std::isfinite(effectiveness)) return effectiveness;
    }
    // With Cr above 1 and many transfer units the exponential overflows; the effectiveness
    // referred to the air then falls back to this bounded estimate.
    return Ntu / (Ntu + 0.5);
}

double LogMeanTempDiff(double a, double b, double c, double d)
{
    const double dt1 = a - d;
    const double dt2 = b - c;
    if (dt1 == 0 || dt2 == 0) return 0;
    if (dt1 == dt2) return dt1;
    const double ratio = dt1 / dt2;
    if (ratio <= 0) return 0;
    return (dt1 - dt2) / std::log(ratio);
}

int NextStandardSize(double x)
{
    for (int size : kStandardPipeSizes)
        if (size >= x) return size;
    return kStandardPipeSizes.back();
}

}  // namespace vantor
