#include "fluids/fluid.h"

#include <cmath>
#include <utility>

namespace vantor {

TFluid::TFluid(std::string caption, double massFlow, double inlet, double outlet)
    : t((inlet + outlet) / 2.0), tfi(inlet), tfo(outlet), Caption(std::move(caption)), m(massFlow)
{
}

void TFluid::SetT(double value)
{
    t = value;
    tfo = 2.0 * value - tfi;
    Update();
}

void TFluid::SetTfi(double value)
{
    tfi = value;
    t = (value + tfo) / 2.0;
    Update();
}

void TFluid::SetTfo(double value)
{
    tfo = value;
    t = (tfi + value) / 2.0;
    Update();
}

void TFluid::SetPf(double bar)
{
    if (!(std::isfinite(bar) && bar > 0.0)) return;
    Pf = bar;
    Update();
}

void TFluid::UpdatePrandtl() { Pr = Ko > 0.0 ? Cp * mu / Ko : 0.0; }

}  // namespace vantor
