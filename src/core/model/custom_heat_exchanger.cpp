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

void TCustomHeatExchanger::CreateProfile() { Profile.assign(kProfileRows, {}); }

}  // namespace vantor
