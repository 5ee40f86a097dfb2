#pragma once

// Row descriptors: one line of items separated by the grid's delimiter (';') describes one
// property row: name, format, units, flags, low limit, high limit and spin increment, as
//   "Barometer; %0.3f; kPa; PE; 70; 120"
//   "Fluid Control; enum; ; Temperature; Flow"   (items 3.. are the strings)
//   "On Coil; %0.1f/%0.1f; °C; PE; -10; 45"     (a pair of numbers)
// Limits and increment are decimal text with '.' in stored units.

#include "rows/field.h"
#include "rows/input_check.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The trimmed items of a descriptor line (empty items kept; nothing after a last delimiter).
std::vector<std::string> SplitDescriptor(std::string_view line, char delimiter = ';');

struct TRowBuild {
    std::unique_ptr<TField> Field;
    // Column 0 the name, 1 the value text, 2 the units text, 3.. the further items.
    std::vector<std::string> Cells;
    // "Error initialising <name>" when the descriptor did not describe a row; the row is then
    // a text row with the format "%S".
    std::string Error;
};

TRowBuild BuildRow(std::string_view line, char delimiter = ';');

// The range a numeric row's descriptor holds its value to; no range for other rows.
TValueRange DescriptorRange(std::string_view line);

}  // namespace vantor
