#include "document/fluid_defaults.h"

#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "model/liquid_state.h"

#include <array>
#include <utility>

namespace vantor {

namespace {

using TFloatField = double TFluidDefaults::*;
constexpr std::array<std::pair<std::string_view, TFloatField>, 11> kFloatKeys = {{
    {"WaterFlow", &TFluidDefaults::WaterFlow},
    {"WaterIn", &TFluidDefaults::WaterIn},
    {"WaterOut", &TFluidDefaults::WaterOut},
    {"WaterVelocity", &TFluidDefaults::WaterVelocity},
    {"DesignWaterDT", &TFluidDefaults::DesignWaterDT},
    {"WaterTemp", &TFluidDefaults::WaterTemp},
    {"WaterAddVol", &TFluidDefaults::WaterAddVol},
    {"WaterUserRo", &TFluidDefaults::WaterUserRo},
    {"WaterUserCp", &TFluidDefaults::WaterUserCp},
    {"WaterUserMu", &TFluidDefaults::WaterUserMu},
    {"WaterUserKo", &TFluidDefaults::WaterUserKo},
}};

// Each code with its value name and the number of codes it may take.
using TCodeField = int TFluidDefaults::*;
struct TCodeKey {
    std::string_view Name;
    TCodeField Field;
    int Count;
};
constexpr std::array<TCodeKey, 3> kCodeKeys = {{
    {"Control", &TFluidDefaults::Control, 2},
    {"WaterSpec", &TFluidDefaults::WaterSpec, kFluidCount},
    {"WaterAdditive", &TFluidDefaults::WaterAdditive, kWaterAdditiveCount},
}};

}  // namespace

TFluidDefaults ReadFluidDefaults(const TSettingsStore& key)
{
    const TFluidDefaults defaults;
    TFluidDefaults values;
    for (const auto& [name, field] : kFloatKeys)
        values.*field = key.ReadFloat(kFluidDefaultsSection, name, defaults.*field);
    for (const TCodeKey& code : kCodeKeys) {
        const int value = key.ReadInteger(kFluidDefaultsSection, code.Name, defaults.*code.Field);
        values.*code.Field = value >= 0 && value < code.Count ? value : defaults.*code.Field;
    }
    return values;
}

void WriteFluidDefaults(TSettingsStore& key, const TFluidDefaults& values)
{
    for (const auto& [name, field] : kFloatKeys) key.WriteFloat(kFluidDefaultsSection, name, values.*field);
    for (const TCodeKey& code : kCodeKeys) key.WriteInteger(kFluidDefaultsSection, code.Name, values.*code.Field);
}

TFluidDefaults FluidDefaultsOf(const TLiquidState& state)
{
    const TLiquid& liquid = state.Liquid();
    TFluidDefaults values;
    values.WaterFlow = state.MassFlow();
    values.WaterIn = state.InletTemp();
    values.WaterOut = state.LeavingTemp();
    values.WaterVelocity = state.vw;
    values.DesignWaterDT = state.designdt;
    values.Control = state.ctrl;
    values.WaterTemp = liquid.GetT();
    values.WaterSpec = liquid.LiquidSpec;
    values.WaterAdditive = liquid.WaterAdditive;
    values.WaterAddVol = liquid.AdditiveVolume;
    values.WaterUserRo = liquid.UserRo;
    values.WaterUserCp = liquid.UserCp;
    values.WaterUserMu = liquid.UserMu;
    values.WaterUserKo = liquid.UserKo;
    return values;
}

}  // namespace vantor
