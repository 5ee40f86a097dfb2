#pragma once

// Property correlations of the heating fluids: density ro kg/m³, specific heat cp kJ/(kg·K),
// dynamic viscosity mu Pa·s and thermal conductivity k kW/(m·K) (so that the Prandtl number is
// cp·mu/k), in the temperature t °C and, for water with an additive, the additive's volume
// fraction x (0.3 for 30 %).

#include <string>
#include <string_view>

namespace vantor {

struct TLiquidProps {
    double ro = 0.0;
    double cp = 0.0;
    double mu = 0.0;
    double k = 0.0;
};

// Fluid codes; the order is stored in data files.
enum TFluidCode : int {
    fcWater = 0,
    fcThermalOil = 1,
    fcEngineOil = 2,
    fcGlycerin = 3,
    fcEthyleneGlycol = 4,
    fcCalciumChloride = 5,
    fcSulphurDioxide = 6,
    fcMercury = 7,
    fcAmmonia = 8,
    fcCarbonDioxide = 9,
    fcMethylChloride = 10,
    fcR12 = 11,
    fcCondensedSteam = 12,
    fcCompressedAir = 13,
};
inline constexpr int kFluidCount = 14;

// Additives to water (fluid code 0).
enum TWaterAdditive : int {
    waNone = 0,
    waEthyleneGlycol = 1,
    waPropyleneGlycol = 2,
    waCalciumChloride = 3,
};
inline constexpr int kWaterAdditiveCount = 4;

// Validity range of the additive fits, whatever the fraction.
inline constexpr double kAdditiveTmin = -30.0;
inline constexpr double kAdditiveTmax = 300.0;

// What a loader reports: inside Tmin..Tmax, outside (extrapolated, or held at the nearer end
// of the range where the extrapolation gives properties that are not positive numbers), or
// failed: an unknown code, a temperature or pressure that is not a number, or properties
// that are not positive even at the range's end. A failed load changes nothing.
enum class TLoadResult : int { InRange = 0, OutOfRange = 1, Failed = 2 };

// "Clean Water", ..., "Compressed Air (5.0-bar)"; empty for an unknown code.
std::string FluidName(int code, double pressureBar);
// "Water", ..., "Comp Air"; empty for an unknown code.
std::string_view FluidShortName(int code);

// The properties of one fluid at the temperature asked for last.
class TTransportProps {
public:
    // Runs the correlation of the fluid code at t; compressed air also takes its pressure.
    TLoadResult Load(int code, double t, double pressureBar = 5.0);

    std::string Name() const { return FluidName(Code, PressureBar); }
    std::string_view ShortName() const { return FluidShortName(Code); }

    int Code = -1;            // fluid of the last successful load
    double PressureBar = 5.0;  // its pressure, bar (compressed air)
    double Tmin = 0.0;
    double Tmax = 0.0;
    double ro = 0.0;
    double cp = 0.0;
    double mu = 0.0;
    double k = 0.0;
};

// Water with an additive (1 to 3) at volume fraction x. False, with props unchanged, for any
// other additive or for a result that is not made of positive numbers.
bool WaterAdditiveProps(int additive, double x, double t, TLiquidProps& props);

// True when every property is a positive finite number.
bool IsPhysical(const TLiquidProps& props);

}  // namespace vantor
