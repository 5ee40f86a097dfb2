#pragma once

// Stateless heat transfer relations of a finned-tube coil: the liquid film coefficient inside
// the tubes, the air-side coefficient of the plate-finned bank, the counter-flow
// effectiveness, the log-mean temperature difference and the standard pipe connection sizes.
// Coefficients in kW/(m²·K): conductivities are kW/(m·K) and specific heats kJ/(kg·K), so a
// Prandtl number is cp·mu/k without a factor.

#include "geometry/fin_and_tube.h"
#include "psychro/moist_air_state.h"

namespace vantor {

class TLiquid;

// The intermediate figures of the fin-tube air-side relation, in this order.
struct TAirSideResult {
    double Dh = 0;  // hydraulic diameter, m
    double G = 0;   // mass velocity in the minimum free-flow area, kg/(m²·s)
    double Re = 0;  // Reynolds number on Dh
    double Pr = 0;  // Prandtl number of the air
    double Nu = 0;  // Nusselt number on Dh
    double j = 0;   // Colburn factor
    double h = 0;   // staggered-bank coefficient before the in-line correction, kW/(m²·K)
};

// The air side of a bank seen by the coil: the geometry, the on-coil air (whose field M is
// the air mass flow) and the figures of the relation; returns the coefficient before the
// surface efficiency.
using TAirSideFn = double (*)(const TAirSideGeometry& geometry, const TMoistAirState& air,
                              TAirSideResult& result);

// Effectiveness from the capacity ratio and the transfer units, capacity ratio first.
using TEffectivenessFn = double (*)(double Cr, double Ntu);

// Film coefficient of the liquid inside the tubes (Dittus–Boelter): the liquid's mass flow
// shared by all circuits of the tube side. heating selects the Prandtl exponent of a fluid
// giving up heat (0.4) or taking it up (0.3).
double TubeSideCoefficient(const TTubeSideGeometry& tubes, const TLiquid& liquid, bool heating);

// Air-side coefficient of a plate-finned tube bank from the Colburn factor of the staggered
// bank; an in-line bank is scaled by the ratio of the bare-tube bank coefficients. No air
// flow gives no convection: 0.
double FinTubeAirSide(const TAirSideGeometry& geometry, const TMoistAirState& air, TAirSideResult& result);

// Coefficient of the bare tube bank over the collar diameter (Zukauskas form with a row
// correction). Any pattern other than in-line is taken as staggered.
double TubeBankCoefficient(const TAirSideGeometry& geometry, const TMoistAirState& air);

// Counter-flow effectiveness. A capacity ratio above 1 is allowed: it means the liquid is the
// smaller stream while the transfer units stay referred to the air.
double CounterflowEffectiveness(double Cr, double Ntu);

// Log-mean of ΔT1 = a − d and ΔT2 = b − c: 0 when either end difference is 0 or they have
// opposite signs (no log-mean exists), ΔT1 when both are equal.
double LogMeanTempDiff(double a, double b, double c, double d);

// The first standard pipe size in mm at least x; 750 beyond the largest.
int NextStandardSize(double x);

}  // namespace vantor
