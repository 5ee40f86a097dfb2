#pragma once

// The kinds of physical quantity the program shows and accepts, and how a row or an edit
// chooses the number format of a value.

#include <cstdint>

namespace vantor {

// Every shown quantity belongs to one units type; each type has a short ordered list of units
// (unit_tables.h). The ordinals are part of the stored settings and must not change.
enum TUnitsType : std::uint8_t {
    utNone,
    utAirFlowPrim,
    utAirFlowSec,
    utAirFlowSmall,
    utAirFlowRate,
    utAirPressDrop,
    utAltitude,
    utAngularSpeed,
    utArea,
    utCondensateRate,
    utConductance,
    utConductivity,
    utDensity,
    utDiameter,
    utDutyPrim,
    utDutySec,
    utDutyRate,
    utEnergy,
    utEnergyPerVol,
    utEnthalpy,
    utFinDensity,
    utHeatOfRespir,
    utHeatTransCoeff,
    utHumidity,
    utLengthBig,
    utLengthMeasure,
    utLengthPrim,
    utLengthSec,
    utLengthSmall,
    utMass,
    utMassSmall,
    utMassFlow,
    utMassFlowGas,
    utMassFlux,
    utMetRate,
    utPeopleDensity,
    utPower,
    utPressure,
    utPressureBar,
    utPressureSteam,
    utPressureRateGas,
    utPressureRateLiquid,
    utProportion,
    utRate,
    utSpecificHeat,
    utSpecificVol,
    utTemperature,
    utTemperatureChange,
    utThermalCapacity,
    utThermalResist,
    utTime,
    utVelocity,
    utViscosity,
    utVolume,
    utVolumeFluid,
    utWaterFlow,
    utWaterPressDrop,
};

inline constexpr int kUnitsTypeCount = utWaterPressDrop + 1;

// How a real value picks its decimals:
//   ft_Auto         significant digits (SigDigs) decide;
//   ft_Fixed        the format string, replaced by the unit's default format on a unit change;
//   ft_Manual       the format string, kept through unit changes;
//   ft_AutoOverride significant digits for small values, the format string otherwise.
enum TFormatType : std::uint8_t { ft_Auto, ft_Fixed, ft_Manual, ft_AutoOverride };

}  // namespace vantor
