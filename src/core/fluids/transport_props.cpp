#include "fluids/transport_props.h"

#include "text/format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace vantor {

namespace {

constexpr double kMicro = 1e-6;

// The correlation forms, coefficients in order.
// P: c0 + c1·t + c2·t² + ...
double Poly(std::initializer_list<double> c, double t)
{
    double sum = 0.0;
    double power = 1.0;
    for (double coefficient : c) {
        sum += coefficient * power;
        power *= t;
    }
    return sum;
}

// V: (c0 + c1·t)^(-1/c2)
double PowerLaw(double c0, double c1, double c2, double t) { return std::pow(c0 + c1 * t, -1.0 / c2); }

// L: c0 / (1 + e^(c1 - c2·t))^(1/c3)
double Logistic(double c0, double c1, double c2, double c3, double t)
{
    return c0 / std::pow(1.0 + std::exp(c1 - c2 * t), 1.0 / c3);
}

// R: (c0 + c1·t) / (1 + c2·t + c3·t²)
double Rational(double c0, double c1, double c2, double c3, double t)
{
    return (c0 + c1 * t) / (1.0 + c2 * t + c3 * t * t);
}

// Viscosity fits that run away below their range are held at Tmin + 0.01 there.
double AboveLowEnd(double t, double tmin) { return t <= tmin ? tmin + 0.01 : t; }

TLiquidProps Water(double t, double)
{
    // Viscosity and conductivity are held just inside 0..300 °C; density and specific heat
    // follow their polynomials.
    const double held = t < 0.0 ? 0.01 : (t > 300.0 ? 299.99 : t);
    return {Poly({1000.0118, 0.0090785827, -0.0056365427, 1.3593032e-05}, t),
            Poly({4.2113407, -0.0022883491, 5.3389636e-05, -4.8856259e-07, 1.9154158e-09}, t),
            PowerLaw(0.013345143, 0.0002569035, 0.57775001, held) * kMicro,
            Logistic(703.7, 0.24865794, 0.022435538, 3.8824647, held) * kMicro};
}

TLiquidProps ThermalOil(double t, double)
{
    return {880.0 - 11.0 * t / 17.0, 1.8 + 0.00375 * t, 1.0 / (4.9 + 0.03 * t * t),
            (134.5 - 24.5 * t / 330.0) * kMicro};
}

TLiquidProps EngineOil(double t, double)
{
    return {Poly({899.60424, -0.59924134, 7.49e-05}, t), Poly({1.7914, 0.004286667}, t),
            PowerLaw(0.075668047, 0.00117007, 0.17023116, AboveLowEnd(t, 0.0)) * kMicro,
            Poly({146.89533, -0.0994}, t) * kMicro};
}

TLiquidProps Glycerin(double t, double)
{
    return {Poly({1276.2381, -0.61485714}, t), Poly({2.2555238, 0.006425714}, t),
            PowerLaw(0.097799216, 0.001575554, 0.14369868, AboveLowEnd(t, 0.0)) * kMicro,
            Poly({282.57905, 0.088971429}, t) * kMicro};
}

TLiquidProps EthyleneGlycol(double t, double)
{
    return {Poly({1130.5381, -0.70242857}, t), Poly({2.2926667, 0.00447}, t),
            PowerLaw(0.018701052, 0.000459611, 0.35903647, AboveLowEnd(t, 0.0)) * kMicro,
            Poly({242.07821, 0.41365536, -0.002085268}, t) * kMicro};
}

TLiquidProps CalciumChloride(double t, double)
{
    return {Poly({1296.0818, -0.47190909}, t), Poly({2.736, 0.002561818}, t),
            PowerLaw(0.028212904, 0.000289641, 0.39683377, AboveLowEnd(t, -50.0)) * kMicro,
            Poly({469.97364, 1.3380636}, t) * kMicro};
}

TLiquidProps SulphurDioxide(double t, double)
{
    return {Poly({1435.2182, -2.5948182}, t), Poly({1.3629091, 7.64e-05}, t),
            Poly({369.40375, -5.2715, 0.04496352}, t) * kMicro,
            Poly({211.54107, -0.64466364, -0.000847436}, t) * kMicro};
}

TLiquidProps Mercury(double t, double)
{
    return {13626.224 - 2.4519293 * t, 0.13919108 - 1.61e-05 * t, (1570.9765 - 2.4330312 * t) * kMicro,
            (8440.346 + 18.537967 * t) * kMicro};
}

TLiquidProps Ammonia(double t, double)
{
    return {Poly({637.7, -1.3871818}, t), Poly({4.6275455, 0.006693636, 6.32e-05}, t),
            Poly({239.25455, -1.0751818}, t) * kMicro, Poly({538.13832, -0.68874545, -0.011087413}, t) * kMicro};
}

TLiquidProps CarbonDioxide(double t, double)
{
    return {Poly({921.19351, -7.6733983, -0.066253247}, t),
            Rational(2.4451618, 0.000675234, -0.021276186, -0.000326264, t),
            Poly({99.405221, -1.2968578, -0.01153539}, t) * kMicro,
            Poly({107.38586, -0.65246472, -0.020789069}, t) * kMicro};
}

TLiquidProps MethylChloride(double t, double)
{
    return {Poly({959.9, -1.8997273}, t), Poly({1.5368485, 0.0021, 1.79e-05}, t),
            Poly({288.97364, -0.99627273}, t) * kMicro, Poly({177.36, -0.81449091}, t) * kMicro};
}

TLiquidProps R12(double t, double)
{
    return {Poly({1391.3909, -3.2812727}, t), Poly({0.93936364, 0.001465455}, t),
            Poly({294.44893, -2.3197818, 0.023815618}, t) * kMicro,
            Poly({72.555315, 0.007863636, -0.002117133}, t) * kMicro};
}

TLiquidProps CondensedSteam(double t, double)
{
    return {1002.018 - 0.17232 * t - 0.0025928 * t * t, 4.2079 - 0.0012618 * t + 1.3547e-05 * t * t,
            0.53155084 * std::pow(42.970681 + t, -1.5171238),
            Poly({569.8519, 1.817, -0.0074308, 3.5535e-06}, t) * kMicro};
}

TLiquidProps CompressedAir(double t, double pressureBar)
{
    return {100000.0 * pressureBar / (287.1 * (t + 273.15)), Poly({1.0014, 6.31899e-05, 2.67673e-07}, t),
            Poly({17.6874, 0.058335, -4.57116e-05}, t) * kMicro,
            Poly({24.2432, 0.077467, -2.75949e-05}, t) * kMicro};
}

struct TFluidRecord {
    std::string_view name;
    std::string_view shortName;
    double tmin;
    double tmax;
    TLiquidProps (*props)(double t, double pressureBar);
};

constexpr std::array<TFluidRecord, kFluidCount> kFluids = {{
    {"Clean Water", "Water", 0.0, 300.0, Water},
    {"Shell Thermia B", "Thermal Oil", 0.0, 300.0, ThermalOil},
    {"Engine Oil", "Eng Oil", 0.0, 300.0, EngineOil},
    {"Glycerin", "Glycerin", 0.0, 50.0, Glycerin},
    {"Pure Ethylene Glycol", "Eth Glycol", 0.0, 100.0, EthyleneGlycol},
    {"Pure Calcium Chloride", "CaCl", -50.0, 50.0, CalciumChloride},
    {"Sulphur Dioxide", "SO2", -50.0, 50.0, SulphurDioxide},
    {"Mercury", "Mercury", 0.0, 316.0, Mercury},
    {"Liquid Ammonia", "Liq NH3", -50.0, 50.0, Ammonia},
    {"Liquid Carbon Dioxide", "Liq CO2", -50.0, 30.0, CarbonDioxide},
    {"Methylchloride", "CH3Cl", -50.0, 50.0, MethylChloride},
    {"liquid Freon R12", "Liq R12", -50.0, 50.0, R12},
    {"Condensed steam", "Liq Steam", 0.0, 300.0, CondensedSteam},
    {"Compressed Air (%0.1f-bar)", "Comp Air", 50.0, 400.0, CompressedAir},
}};

const TFluidRecord* FindFluid(int code)
{
    return code >= 0 && code < kFluidCount ? &kFluids[static_cast<size_t>(code)] : nullptr;
}

// Form M: e^(c0 + c1·x + c2·x² + c3·t + c4·t² + x·t·(c5 + c6·x + c7·t + c8·x·t)).
using TAdditiveFit = std::array<double, 9>;

double AdditiveForm(const TAdditiveFit& c, double x, double t)
{
    return std::exp(c[0] + c[1] * x + c[2] * x * x + c[3] * t + c[4] * t * t +
                    x * t * (c[5] + c[6] * x + c[7] * t + c[8] * x * t));
}

// Per additive: density, specific heat, viscosity (mPa·s) and conductivity (W/(m·K)).
struct TAdditiveFits {
    TAdditiveFit ro, cp, mu, k;
};

constexpr std::array<TAdditiveFits, 3> kAdditiveFits = {{
    {{6.908832, 0.1794889, -0.0507766, -0.0001837594, -2.623705e-06, -0.0002260728, -4.543736e-05, 3.226073e-07,
      3.241066e-09},
     {1.406849, -0.3410291, -0.2904647, 0.0003312435, -2.551485e-07, 0.001121364, 0.001249707, 1.306799e-06,
      -4.120158e-06},
     {0.2724536, 3.992438, -0.2251732, -0.02101816, 5.641053e-05, -0.03548088, -0.008420715, 0.0001645189,
      3.188547e-05},
     {-0.5757472, -0.9424482, 0.1380524, 0.003464035, -1.589163e-05, -0.001089505, -0.001871467, 4.213576e-06,
      1.134046e-05}},
    {{6.908573, 0.1366206, -0.07043926, -0.0001767706, -2.507884e-06, -0.0004839677, 3.138708e-05, -1.325173e-06,
      1.622499e-06},
     {1.41445, -0.1445615, -0.4128028, 0.0003135204, -3.779987e-07, 0.0009113963, 0.00138883, 2.183251e-06,
      -5.01317e-06},
     {0.3524547, 5.306361, 0.04665734, -0.02054708, 4.146016e-05, -0.07402468, 0.007216168, 0.0004348032,
      -0.0001283622},
     {-0.5802013, -0.9180157, -0.05295051, 0.003521125, -1.630104e-05, -0.001783947, -0.00256973, 5.672269e-06,
      1.020785e-05}},
    {{6.90516, 0.874903, 0.0408444, -0.000293198, -4.18535e-06, 0.000269838, -0.00249498, 2.36169e-05,
      -5.71633e-05},
     {1.47304, -2.16854, 1.99074, -0.000861589, 4.40557e-05, 0.0165115, -0.0361895, -0.000477273, 0.00112324},
     {0.63204, 0.165707, 12.2757, -0.0512627, 0.00119454, 0.150601, -0.348387, -0.00360417, 0.000846518},
     {-0.572066, -0.165657, -0.148247, 0.00282036, -1.26764e-06, 0.00183451, -0.00849362, -4.6045e-05,
      0.000134983}},
}};

}  // namespace

bool IsPhysical(const TLiquidProps& p)
{
    const auto positive = [](double v) { return std::isfinite(v) && v > 0.0; };
    return positive(p.ro) && positive(p.cp) && positive(p.mu) && positive(p.k);
}

std::string FluidName(int code, double pressureBar)
{
    const TFluidRecord* fluid = FindFluid(code);
    if (!fluid) return {};
    if (code == fcCompressedAir) return Format(fluid->name, {pressureBar});
    return std::string(fluid->name);
}

std::string_view FluidShortName(int code)
{
    const TFluidRecord* fluid = FindFluid(code);
    return fluid ? fluid->shortName : std::string_view();
}

TLoadResult TTransportProps::Load(int code, double t, double pressureBar)
{
    const TFluidRecord* fluid = FindFluid(code);
    if (!fluid || !std::isfinite(t) || !std::isfinite(pressureBar)) return TLoadResult::Failed;
    TLiquidProps props = fluid->props(t, pressureBar);
    // Extrapolation can leave the physical domain (carbon dioxide's specific heat turns
    // negative above its critical point); the properties are then those at the nearer end of
    // the range.
    if (!IsPhysical(props)) props = fluid->props(std::clamp(t, fluid->tmin, fluid->tmax), pressureBar);
    if (!IsPhysical(props)) return TLoadResult::Failed;

    Code = code;
    PressureBar = pressureBar;
    Tmin = fluid->tmin;
    Tmax = fluid->tmax;
    ro = props.ro;
    cp = props.cp;
    mu = props.mu;
    k = props.k;
    return t >= Tmin && t <= Tmax ? TLoadResult::InRange : TLoadResult::OutOfRange;
}

bool WaterAdditiveProps(int additive, double x, double t, TLiquidProps& props)
{
    if (additive < waEthyleneGlycol || additive > waCalciumChloride) return false;
    const TAdditiveFits& fits = kAdditiveFits[static_cast<size_t>(additive - 1)];
    const TLiquidProps computed{AdditiveForm(fits.ro, x, t), AdditiveForm(fits.cp, x, t),
                                AdditiveForm(fits.mu, x, t) * 0.001, AdditiveForm(fits.k, x, t) * 0.001};
    if (!IsPhysical(computed)) return false;
    props = computed;
    return true;
}

}  // namespace vantor
