#pragma once

// The rules of a one-line number entry, shared by the formatted edits of the dialogs, the
// entry grid's in-place editor and the command line: which keys a format accepts, how typed
// text is cleaned, range-checked and shown again, and how the text turns into a stored value
// and back. The entry holds no text of its own; callers pass the text they show.
//
//   barometer entry: "%0.3f", utPressureBar, range 70 to 120 kPa
//     Check("101.3") -> "101.300"
//     Check("150")   -> "120.000", InRange false (the edit beeps and keeps the focus)
//     Check("69.8")  -> "69.800" (within half a per cent of 70)

#include "units/number_format.h"
#include "rows/variant.h"

#include <string>
#include <string_view>

namespace vantor {

class TNumField;

struct TEntryCheck {
    std::string Text;       // what the entry shows now
    bool Readable = true;   // false: not a number; the text stays as typed
    bool InRange = true;    // false: moved to the nearer limit
};

class TNumberEntry : public TNumberFormat {
public:
    std::string FormatStr = "%0.1f";

    // The rules of a numeric row: its format, format type, units and range.
    static TNumberEntry ForField(const TNumField& field);

    int Decimals() const;

    // Whether a typed character may enter the text: a pair format takes digits, '-', '.' and
    // '/'; an integer format digits and '-'; a real format digits, '-', '.' and, when
    // general, 'e' and 'E'; other formats anything.
    bool AcceptsChar(char c) const;

    // The text cleaned, read, limited to the range and shown in the format. Text that is not
    // a number comes back unchanged with Readable false.
    TEntryCheck Check(std::string_view text) const;

    // The text as a stored value: a text format gives the formatted text, a pair format the
    // stored pair text, a number format a real (an integer for an integer format); text that
    // cannot be read comes back as it is.
    TVariant Value(std::string_view text) const;
    // A stored value as the entry's text; empty when the value does not suit the format.
    std::string ValueText(const TVariant& value) const;

    // Unit changes keep the quantity: each returns the given text re-expressed in the new
    // unit (the text itself when it is not a number). An index that fits no unit of the type
    // selects unit 0, the type's stored (SI) unit.
    std::string SetUnitsType(TUnitsType type, std::string_view text);
    std::string SetUnitsValue(int index, std::string_view text);
    std::string SetUnitsBase(int index, std::string_view text);

private:
    int ValidUnit(int index) const;
    std::string UpdateUnits(const TVariant& value, std::string_view text);
};

}  // namespace vantor
