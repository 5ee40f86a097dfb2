#pragma once

// The coil a first run of the program rates: 544 720 4r 12f 7c on the built-in 1/2 inch range,
// on-coil air 25/17 at 101.325 kPa and 2.5 m/s, clean water entering at 45 °C and leaving at
// 35 °C before the solve, 1.0 m/s in the tubes, flow control.

#include "fluids/air_state_text.h"
#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "model/hot_water_coil.h"

namespace vantor::test {

struct TFirstRunCoil {
    TFirstRunCoil() : Coil({AirOn, AirOff, Water}, "544 720 4r 12f 7c")
    {
        ParseAirState("25/17", AirOn, 101.325, 0.5);
        AirOff = AirOn;
        Coil.SetFaceVelocity(2.5);
        Coil.LiquidState.SetVelocity(1.0);
        Coil.LiquidState.ctrl = TFluidControl::Flow;
    }

    TMoistAirState AirOn;
    TMoistAirState AirOff;
    TLiquid Water{"Water", 0, 45, 35, fcWater};
    THotWaterCoil Coil;
};

}  // namespace vantor::test
