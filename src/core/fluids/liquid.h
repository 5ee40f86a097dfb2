#pragma once

// The heating fluid of a coil: clean water, water with an additive, one of the other liquids
// of the property correlations, or properties the user typed in.

#include "fluids/fluid.h"
#include "text/record_field.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace vantor {

class TLiquid : public TFluid {
public:
    // Mean temperature (inlet + outlet) / 2, no additive; the user's properties start as the
    // fluid's own at that temperature.
    TLiquid(std::string caption, double massFlow, double inlet, double outlet, std::uint8_t fluidCode);

    // "User Specified Fluid"; the fluid's name; "Water (30% Ethylene Glycol)"; "Clean Water".
    std::string GetCaption() const override;
    // The short form of the caption, for narrow cells: the user-properties abbreviation, the
    // fluid's short name, "30% Eth-Glycol", "Clean Water".
    std::string GetShortCaption() const override;
    // The caption and the mean temperature: "Clean Water 40.0".
    std::string GetTitle() const override;
    // An unknown fluid code or additive, a temperature that is not a number, or user
    // properties that are not positive leave the properties as they were, with OutOfRange 1.
    void Update() override;

    std::uint8_t LiquidSpec = 0;     // fluid code 0 to 13, TFluidCode
    std::uint8_t WaterAdditive = 0;  // TWaterAdditive, with fluid code 0 only
    double AdditiveVolume = 0.0;     // additive volume fraction, 0.3 for 30 %
};

// Fluid names by fluid code, for the fluid dialog and the data file's "caption" attributes.
extern const std::array<std::string_view, 14> LiquidSpecNames;
// Additive names by additive code (no blanks).
extern const std::array<std::string_view, 4> AdditiveNames;

// The liquid's fields in the data file's order; the stream slots give the older stream's
// order, the summary slots the order of the properties the fluid command lists.
extern const std::array<TRecordField<TLiquid>, 19> LiquidFields;

}  // namespace vantor
