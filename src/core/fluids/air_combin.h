#pragma once

// The pair of moist-air properties that fixes the state in the air state calculator, and the
// psychrometric library's pair code for it.

#include "fluids/combin.h"

namespace vantor {

class TAirCombin : public TCombin {
public:
    // Pressure, dry bulb, wet bulb, enthalpy, moisture content, relative humidity, dew point,
    // vapour pressure, saturation pressure, density, specific heat, and a spare letter that no
    // pair uses.
    static constexpr std::string_view AirLetters = "ptbhwfdvsrcz";

    TAirCombin() : TCombin(AirLetters, "tb") {}

    // Sets PairCode from Chosen; pairs with pressure or specific heat, and dependent pairs,
    // give code 0 and false.
    bool Evaluate() override;

    unsigned char PairCode = 0;
};

}  // namespace vantor
