#pragma once

// The thirteen property rows of the rating document, row 0 being the header, and the units
// registry quantity each numeric row is shown in.

#include "fluids/air_state_text.h"
#include "rows/input_check.h"
#include "rows/property_rows.h"
#include "units/units_registry.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

enum TDocumentRow : int {
    rowModel = 1,
    rowBarometer,
    rowAirOn,
    rowAirVolume,
    rowAirVelocity,
    rowFluid,
    rowControl,
    rowFluidInlet,
    rowDesignDT,
    rowFluidFlow,
    rowTubeVelocity,
    rowDesignDuty,
    rowCalcMode,
};
inline constexpr int kDocumentRowCount = rowCalcMode;

// The value column and the units column (which, in row 1, shows the coil maker).
inline constexpr int kValueColumn = 1;
inline constexpr int kUnitsColumn = 2;

inline constexpr std::string_view kDutyLabel = "Design Duty  ";
inline constexpr std::string_view kCalibratedDutyLabel = "Design Duty §";

// The header and the thirteen descriptors, in row order.
const std::vector<std::string>& DocumentRowDescriptors();

// A numeric row's range in stored units, as its descriptor gives it; no range for other rows.
// Values from data files and the settings are held to it as typed values are.
TValueRange DocumentRowRange(int row);

// The registry quantity of a numeric row; nothing for the other rows or a quantity the
// registry does not hold.
UnitRec* RowUnitRec(TUnitsRegistry& units, int row);

// Builds the rows and binds every numeric row to its quantity's type and chosen unit. Returns
// one message per row that could not be built or bound.
std::vector<std::string> BuildDocumentRows(TPropertyRows& rows, TUnitsRegistry& units);

// Every numeric row's chosen unit becomes its quantity's unit, for the reports and the
// settings.
void StoreRowUnits(const TPropertyRows& rows, TUnitsRegistry& units);

// The corrections the air reader made to stored temperatures, as notes under the names the
// file or the settings give them.
void NoteAirCorrections(const TAirReading& reading, std::string_view dryBulbName, std::string_view wetBulbName,
                        TInputCheck& check);

}  // namespace vantor
