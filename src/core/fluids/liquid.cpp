#include "fluids/liquid.h"

#include "fluids/transport_props.h"
#include "text/format.h"

#include <utility>

namespace vantor {

namespace {

// The captions shown to the user, one table so that they can be translated together.
constexpr std::string_view kUserCaption = "User Specified Fluid";
constexpr std::string_view kUserShortCaption = "User Spec. Fluid";
constexpr std::string_view kCleanWaterCaption = "Clean Water";
constexpr std::array<std::string_view, kWaterAdditiveCount> kAdditiveCaptions = {
    "", "Water (%0.0f%% Ethylene Glycol)", "Water (%0.0f%% Propylene Glycol)", "Water (%0.0f%% Calcium Chloride)"};
constexpr std::array<std::string_view, kWaterAdditiveCount> kAdditiveShortCaptions = {
    "", "%0.0f%% Eth-Glycol", "%0.0f%% Prop-Glycol", "%0.0f%% Calc-Chloride"};

std::string_view LiquidSpecName(int code)
{
    return code >= 0 && code < kFluidCount ? LiquidSpecNames[static_cast<std::size_t>(code)] : std::string_view();
}

std::string_view AdditiveName(int code)
{
    return code >= 0 && code < kWaterAdditiveCount ? AdditiveNames[static_cast<std::size_t>(code)]
                                                   : std::string_view();
}

}  // namespace

const std::array<std::string_view, 14> LiquidSpecNames = {
    "Water",          "Thermal Oil",           "Engine Oil",     "Glycerin",           "Ethylene Glycol",
    "Calcium Chloride", "Sulphur Dioxide",     "Mercury",        "Liquid Ammonia",     "Liquid Carbon Dioxide",
    "Methylchloride", "Freon - Liquid R12",    "Condensed Steam", "Compressed Air"};

const std::array<std::string_view, 4> AdditiveNames = {"None", "EthyleneGlycol", "PropyleneGlycol",
                                                       "CalciumChloride"};

const std::array<TRecordField<TLiquid>, 19> LiquidFields = {{
    {.Name = "Caption", .Member = &TLiquid::Caption, .StreamSlot = 4},
    {.Name = "t", .Member = &TLiquid::t, .Format = "%0.3f", .StreamSlot = 1, .SummarySlot = 1},
    {.Name = "tfi", .Member = &TLiquid::tfi, .Format = "%0.3f", .StreamSlot = 2},
    {.Name = "tfo", .Member = &TLiquid::tfo, .Format = "%0.3f", .StreamSlot = 3},
    {.Name = "Pf", .Member = &TLiquid::Pf, .Format = "%0.3f"},
    {.Name = "m", .Member = &TLiquid::m, .Format = "%0.3f", .StreamSlot = 5},
    {.Name = "Cp", .Member = &TLiquid::Cp, .Format = "%0.6g", .StreamSlot = 6, .SummarySlot = 3},
    {.Name = "ro", .Member = &TLiquid::ro, .Format = "%0.6g", .StreamSlot = 7, .SummarySlot = 2},
    {.Name = "Ko", .Member = &TLiquid::Ko, .Format = "%0.6g", .StreamSlot = 8, .SummarySlot = 5},
    {.Name = "mu", .Member = &TLiquid::mu, .Format = "%0.6g", .StreamSlot = 9, .SummarySlot = 4},
    {.Name = "Pr", .Member = &TLiquid::Pr, .Format = "%0.5f", .StreamSlot = 10, .SummarySlot = 6},
    {.Name = "UserProps", .Member = &TLiquid::UserProps},
    {.Name = "UserRo", .Member = &TLiquid::UserRo, .Format = "%0.6g", .StreamSlot = 12},
    {.Name = "UserCp", .Member = &TLiquid::UserCp, .Format = "%0.6g", .StreamSlot = 11},
    {.Name = "UserMu", .Member = &TLiquid::UserMu, .Format = "%0.6g", .StreamSlot = 14},
    {.Name = "UserKo", .Member = &TLiquid::UserKo, .Format = "%0.6g", .StreamSlot = 13},
    {.Name = "LiquidSpec", .Member = &TLiquid::LiquidSpec, .Codes = kFluidCount, .CodeAttribute = "caption",
     .CodeLabel = LiquidSpecName, .StreamSlot = 15},
    {.Name = "WaterAdditive", .Member = &TLiquid::WaterAdditive, .Codes = kWaterAdditiveCount,
     .CodeAttribute = "caption", .CodeLabel = AdditiveName, .StreamSlot = 16},
    {.Name = "AdditiveVolume", .Member = &TLiquid::AdditiveVolume, .Format = "%0.3f", .StreamSlot = 17},
}};

TLiquid::TLiquid(std::string caption, double massFlow, double inlet, double outlet, std::uint8_t fluidCode)
    : TFluid(std::move(caption), massFlow, inlet, outlet), LiquidSpec(fluidCode)
{
    TLiquid::Update();
    UserRo = ro;
    UserCp = Cp;
    UserMu = mu;
    UserKo = Ko;
}

std::string TLiquid::GetCaption() const
{
    if (UserProps) return std::string(kUserCaption);
    if (LiquidSpec != fcWater) {
        std::string name = FluidName(LiquidSpec, Pf);
        return name.empty() ? Caption : name;
    }
    if (WaterAdditive == waNone) return std::string(kCleanWaterCaption);
    if (WaterAdditive < kWaterAdditiveCount) return Format(kAdditiveCaptions[WaterAdditive], {AdditiveVolume * 100.0});
    return Caption;
}

std::string TLiquid::GetShortCaption() const
{
    if (UserProps) return std::string(kUserShortCaption);
    if (LiquidSpec != fcWater) {
        const std::string_view name = FluidShortName(LiquidSpec);
        return name.empty() ? Caption : std::string(name);
    }
    if (WaterAdditive == waNone) return std::string(kCleanWaterCaption);
    if (WaterAdditive < kWaterAdditiveCount)
        return Format(kAdditiveShortCaptions[WaterAdditive], {AdditiveVolume * 100.0});
    return Caption;
}

std::string TLiquid::GetTitle() const { return GetCaption() + " " + FormatFloat("%0.1f", t); }

void TLiquid::Update()
{
    const auto take = [this](const TLiquidProps& props) {
        ro = props.ro;
        Cp = props.cp;
        mu = props.mu;
        Ko = props.k;
    };

    OutOfRange = 0;
    if (UserProps) {
        const TLiquidProps user{UserRo, UserCp, UserMu, UserKo};
        if (IsPhysical(user)) take(user);
        else OutOfRange = 1;
    } else if (LiquidSpec == fcWater && WaterAdditive != waNone && AdditiveVolume != 0.0) {
        Tmin = kAdditiveTmin;
        Tmax = kAdditiveTmax;
        TLiquidProps props;
        if (WaterAdditiveProps(WaterAdditive, AdditiveVolume, t, props)) {
            take(props);
            OutOfRange = t >= Tmin && t <= Tmax ? 0 : 1;
        } else {
            OutOfRange = 1;
        }
    } else {
        TTransportProps props;
        const TLoadResult result = props.Load(LiquidSpec, t, GetPf());
        if (result == TLoadResult::Failed) {
            OutOfRange = 1;
        } else {
            take({props.ro, props.cp, props.mu, props.k});
            Tmin = props.Tmin;
            Tmax = props.Tmax;
            OutOfRange = result == TLoadResult::OutOfRange ? 1 : 0;
        }
    }
    UpdatePrandtl();
}

}  // namespace vantor
