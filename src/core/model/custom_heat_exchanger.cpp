#include "model/custom_heat_exchanger.h"

namespace vantor {

TCustomHeatExchanger::TCustomHeatExchanger(std::string_view modelText, TLiquid& liquid)
    : m_modelText(modelText), m_liquid(&liquid)
{
}

std::string TCustomHeatExchanger::GetModelText() { return m_modelText; }

void TCustomHeatExchanger::SetModelText(std::string_view text) { m_modelText = text; }

void TCustomHeatExchanger::SetFactors(double duty, double inside, double outside)
{
    DutyFactor = duty;
    hiFactor = inside;
    hoFactor = outside;
}

std::string_view SimulationMessage(TSimulationOutcome outcome)
{
    switch (outcome) {
        case TSimulationOutcome::Converged:
            return {};
        case TSimulationOutcome::NotRated:
            return "Step-by-step simulation failed: the coil has no rating to simulate.";
        case TSimulationOutcome::NoRoot:
            return "Step-by-step simulation failed: no fluid temperature at the air inlet face brings the fluid to "
                   "its inlet temperature.";
        case TSimulationOutcome::Unresolved:
            return "Step-by-step simulation failed: the temperatures along the coil cannot be resolved (the "
                   "leaving fluid is too close to the entering air).";
    }
    return {};
}

void TCustomHeatExchanger::CreateProfile() { Profile.assign(kProfileRows, {}); }

}  // namespace vantor
