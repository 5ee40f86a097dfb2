#include "heating_fluid/fluid_choice.h"

#include "fluids/liquid.h"
#include "fluids/transport_props.h"

namespace vantor {

TFluidChoiceResult ApplyFluidChoice(TLiquid& liquid, const TFluidChoice& choice)
{
    TFluidChoiceResult result;
    if (choice.FluidCode) {
        if (*choice.FluidCode >= 0 && *choice.FluidCode < kFluidCount)
            liquid.LiquidSpec = static_cast<std::uint8_t>(*choice.FluidCode);
        else
            result.Notes.push_back("fluid code " + std::to_string(*choice.FluidCode) + " is not one of 0 to 13");
    }
    if (choice.Additive) {
        if (*choice.Additive >= 0 && *choice.Additive < kWaterAdditiveCount)
            liquid.WaterAdditive = static_cast<std::uint8_t>(*choice.Additive);
        else
            result.Notes.push_back("additive code " + std::to_string(*choice.Additive) + " is not one of 0 to 3");
    }
    if (choice.Volume) liquid.AdditiveVolume = *choice.Volume;
    if (choice.User) {
        liquid.UserProps = true;
        liquid.UserRo = choice.User->Ro;
        liquid.UserCp = choice.User->Cp;
        liquid.UserMu = choice.User->Mu;
        liquid.UserKo = choice.User->Ko;
    }

    const bool additiveAsked = choice.Additive && *choice.Additive != waNone;
    if (liquid.UserProps || liquid.LiquidSpec != fcWater) {
        if (additiveAsked)
            result.Notes.push_back(liquid.UserProps ? "user-defined properties take no additive; the additive is cleared"
                                                    : "an additive goes with water only; the additive is cleared");
        liquid.WaterAdditive = waNone;
        liquid.AdditiveVolume = 0;
    } else if (liquid.WaterAdditive == waNone) {
        if (choice.Volume && *choice.Volume != 0)
            result.Notes.push_back("water without an additive has no additive volume; the volume is cleared");
        liquid.AdditiveVolume = 0;
    } else if (liquid.AdditiveVolume == 0) {
        liquid.AdditiveVolume = kStartingAdditiveVolume;
    }
    liquid.Update();
    return result;
}

}  // namespace vantor
