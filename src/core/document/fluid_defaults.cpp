#include "document/fluid_defaults.h"

#include "document/document_rows.h"
#include "document/document_settings.h"
#include "heating_fluid/fluid_choice.h"
#include "heating_fluid/fluid_spec.h"
#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "model/liquid_state.h"

#include <array>
#include <utility>

namespace vantor {

namespace {

using TFloatField = double TFluidDefaults::*;
struct TFloatKey {
    std::string_view Name;
    TFloatField Field;
    TValueRange Range;
};

// Each value with the range of the row that shows it (the leaving temperature has none).
std::array<TFloatKey, 10> FloatKeys()
{
    return {{
        {"WaterFlow", &TFluidDefaults::WaterFlow, DocumentRowRange(rowFluidFlow)},
        {"WaterIn", &TFluidDefaults::WaterIn, DocumentRowRange(rowFluidInlet)},
        {"WaterOut", &TFluidDefaults::WaterOut, {}},
        {"WaterVelocity", &TFluidDefaults::WaterVelocity, DocumentRowRange(rowTubeVelocity)},
        {"DesignWaterDT", &TFluidDefaults::DesignWaterDT, DocumentRowRange(rowDesignDT)},
        {"WaterTemp", &TFluidDefaults::WaterTemp, FluidSpecRowRange(fsrTemperature)},
        {"WaterUserRo", &TFluidDefaults::WaterUserRo, FluidSpecRowRange(fsrDensity)},
        {"WaterUserCp", &TFluidDefaults::WaterUserCp, FluidSpecRowRange(fsrSpecificHeat)},
        {"WaterUserMu", &TFluidDefaults::WaterUserMu, FluidSpecRowRange(fsrViscosity)},
        {"WaterUserKo", &TFluidDefaults::WaterUserKo, FluidSpecRowRange(fsrConductivity)},
    }};
}
constexpr std::string_view kAddVolKey = "WaterAddVol";

// Without an additive the volume means nothing; with one it is held to the dialog's range.
TValueRange AddVolRange(int additive)
{
    return additive != waNone ? FluidSpecRowRange(fsrAdditiveVolume) : TValueRange{};
}

// Each code with its value name and the number of codes it may take.
using TCodeField = int TFluidDefaults::*;
struct TCodeKey {
    std::string_view Name;
    TCodeField Field;
    int Count;
};
constexpr std::string_view kControlKey = "Control";
constexpr std::array<TCodeKey, 2> kCodeKeys = {{
    {"WaterSpec", &TFluidDefaults::WaterSpec, kFluidCount},
    {"WaterAdditive", &TFluidDefaults::WaterAdditive, kWaterAdditiveCount},
}};

}  // namespace

TFluidDefaults ReadFluidDefaults(const TSettingsStore& key)
{
    TInputCheck ignored;
    return ReadFluidDefaults(key, ignored);
}

TFluidDefaults ReadFluidDefaults(const TSettingsStore& key, TInputCheck& check)
{
    const std::string_view s = kFluidDefaultsSection;
    const TFluidDefaults defaults;
    TFluidDefaults values;
    const int control =
        ReadCheckedCode(key, s, kControlKey, FluidControlCode(defaults.Control), kFluidControlCount, check);
    values.Control = FluidControlOfCode(control).value_or(defaults.Control);
    for (const TCodeKey& code : kCodeKeys)
        values.*code.Field = ReadCheckedCode(key, s, code.Name, defaults.*code.Field, code.Count, check);
    for (const TFloatKey& value : FloatKeys())
        values.*value.Field = ReadCheckedFloat(key, s, value.Name, defaults.*value.Field, value.Range, check);
    values.WaterAddVol =
        ReadCheckedFloat(key, s, kAddVolKey, defaults.WaterAddVol, AddVolRange(values.WaterAdditive), check);
    return values;
}

void WriteFluidDefaults(TSettingsStore& key, const TFluidDefaults& values)
{
    const TFluidDefaults defaults;
    for (const TFloatKey& value : FloatKeys())
        key.WriteFloat(kFluidDefaultsSection, value.Name,
                       StoredFloat(values.*value.Field, defaults.*value.Field, value.Range));
    key.WriteFloat(kFluidDefaultsSection, kAddVolKey,
                   StoredFloat(values.WaterAddVol, defaults.WaterAddVol, AddVolRange(values.WaterAdditive)));
    key.WriteInteger(kFluidDefaultsSection, kControlKey, FluidControlCode(values.Control));
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
