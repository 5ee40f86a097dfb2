#pragma once

// Registry quantities as text, in the unit the user chose for them. Each call refreshes the
// record, converts the stored (SI) value to the display unit and formats it: with the
// unit's default format when keepFormat is true, else with AutoFormat of the (first) display
// value, which the record then keeps in Fmt.
//
//   UnitText(rec "liquid" "rho", true, " ", false, 998.2)            -> "998 kg/m³"
//   FormatUnit("Density = %s %s", rec "liquid" "rho", false, 998.2)  -> "Density = 998 kg/m³"

#include "units/unit_rec.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// pattern applied to two texts: the value text and the unit label.
std::string FormatUnit(std::string_view pattern, UnitRec& rec, bool keepFormat, double x);
// The same for a pair a/b in one unit ("24.0/17.0"); the automatic format follows a.
std::string FormatUnitPair(std::string_view pattern, UnitRec& rec, bool keepFormat, double a, double b);

// The value text, followed by separator and the label when withLabel is true.
std::string UnitText(UnitRec& rec, bool withLabel, std::string_view separator, bool keepFormat, double x);
std::string UnitPairText(UnitRec& rec, bool withLabel, std::string_view separator, bool keepFormat, double a,
                         double b);

// The reverse: a number typed in the record's unit ("68" for a temperature shown in °F) as a
// stored value (20). Nothing for text that is not a number or gives no finite value.
std::optional<double> ReadUnitText(UnitRec& rec, std::string_view text);

}  // namespace vantor
