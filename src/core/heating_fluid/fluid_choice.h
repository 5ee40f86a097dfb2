#pragma once

// The rules of the fluid dialog, for whoever chooses the heating fluid without
// it: a fluid other than water takes no additive; user-defined properties take none either;
// water without an additive has no additive volume; an additive chosen while the volume is 0
// starts at 30 %. The liquid is updated afterwards.

#include "rows/input_check.h"

#include <optional>
#include <string>
#include <vector>

namespace vantor {

class TLiquid;

// The volume an additive starts with when none was given.
inline constexpr double kStartingAdditiveVolume = 0.3;

// Properties typed in by hand: kg/m³, kJ/(kg·K), Pa·s, kW/(m·K).
struct TUserProperties {
    double Ro = 0;
    double Cp = 0;
    double Mu = 0;
    double Ko = 0;
};

// What changes; an unset item keeps the liquid's present value.
struct TFluidChoice {
    std::optional<int> FluidCode = {};      // fluid code 0 to 13
    std::optional<int> Additive = {};  // additive code 0 to 3
    std::optional<double> Volume = {};
    std::optional<TUserProperties> User = {};  // set: the user's properties replace the correlations
};

struct TFluidChoiceResult {
    // A choice the rules undid ("an additive goes with water only"), one line each.
    std::vector<std::string> Notes;
};

// Codes outside their lists are left out with a note.
TFluidChoiceResult ApplyFluidChoice(TLiquid& liquid, const TFluidChoice& choice);

}  // namespace vantor
