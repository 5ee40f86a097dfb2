#include "model/liquid_state.h"

#include "fluids/liquid.h"

namespace vantor {

std::optional<TFluidControl> FluidControlOfCode(long long code)
{
    for (const TFluidControl control : {TFluidControl::Temperature, TFluidControl::Flow})
        if (code == FluidControlCode(control)) return control;
    return std::nullopt;
}

TLiquidState::TLiquidState(TLiquid& liquid) : m_liquid(&liquid) { SetMassFlow(liquid.m); }

void TLiquidState::Attach(TLiquid& liquid)
{
    m_liquid = &liquid;
    SetMassFlow(liquid.m);
}

void TLiquidState::SetMassFlow(double massFlow)
{
    m_liquid->m = massFlow;
    vw = massFlow / m_liquid->ro / FlowArea;
    cw = massFlow * m_liquid->Cp;
}

double TLiquidState::MassFlow() const { return m_liquid->m; }

void TLiquidState::SetVelocity(double velocity) { SetMassFlow(velocity * m_liquid->ro * FlowArea); }

double TLiquidState::VolumeFlow() const { return 1000 * m_liquid->m / m_liquid->ro; }

void TLiquidState::SetFlowArea(double area)
{
    FlowArea = area;
    SetMassFlow(m_liquid->m);
}

double TLiquidState::InletTemp() const { return m_liquid->tfi; }

void TLiquidState::SetInletTemp(double t)
{
    m_liquid->SetTfi(t);
    SetMassFlow(m_liquid->m);
}

double TLiquidState::LeavingTemp() const { return m_liquid->tfo; }

void TLiquidState::SetLeavingTemp(double t)
{
    m_liquid->SetTfo(t);
    SetMassFlow(m_liquid->m);
}

void TLiquidState::ApplyDuty(double Q)
{
    switch (ctrl) {
    case TFluidControl::Temperature:
        SetLeavingTemp(InletTemp() - designdt);
        SetMassFlow(Q / (m_liquid->Cp * designdt));
        break;
    case TFluidControl::Flow:
        SetLeavingTemp(InletTemp() - Q / (m_liquid->m * m_liquid->Cp));
        designdt = InletTemp() - LeavingTemp();
        break;
    default:
        break;
    }
}

}  // namespace vantor
