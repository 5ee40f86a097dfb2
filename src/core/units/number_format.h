#pragma once

// How a number is shown in a property row or an edit, and read back: the units binding, the
// format type, the range, and the rules shared by the row fields and the number entry.
//
// Format kinds are told by letters anywhere in the format string: text 's'/'S', pair '/',
// integer 'd'/'D', real 'f'/'F'/'g'/'G' (general when 'g'/'G').
//
// Values cross in stored units; display = Offset + Factor * stored (unit_tables.h).

#include "units/units_type.h"

#include <string>
#include <string_view>

namespace vantor {

bool IsTextFormat(std::string_view format);
bool IsPairFormat(std::string_view format);
bool IsIntegerFormat(std::string_view format);
bool IsRealFormat(std::string_view format);
bool IsGeneralFormat(std::string_view format);

// The part of a pair format before its '/' ("%0.1f" of "%0.1f/%0.1f"), the whole format
// when it has none.
std::string_view FirstOfPairFormat(std::string_view format);

class TNumberFormat {
public:
    TFormatType FormatType = ft_Fixed;
    int SigDigs = 5;
    TUnitsType UnitsType = utNone;
    int UnitsValue = 0;  // the unit shown
    int UnitsBase = 0;   // the unit the value is stored in
    double Factor = 1.0;
    double Offset = 0.0;
    double RangeLo = 0.0;  // stored units; both 0: no range
    double RangeHi = 0.0;

    double ToDisplay(double stored) const;
    double FromDisplay(double display) const;
    double DisplayRangeLo() const { return ToDisplay(RangeLo); }
    double DisplayRangeHi() const { return ToDisplay(RangeHi); }
    bool HasRange() const { return RangeLo != 0.0 || RangeHi != 0.0; }

    // The label of the unit shown ("kPa"); empty for utNone.
    std::string UnitLabel() const;

    // Takes Factor and Offset of the selected unit (kept as they are for utNone) and, unless
    // the format type is ft_Manual or the type utNone, the unit's default format into
    // formatStr. False, with nothing changed, when UnitsValue or UnitsBase fits no unit.
    bool ApplyUnitInfo(std::string& formatStr);

    // Limits a display value to the range, with half a per cent of grace beyond a non-zero
    // limit: 69.8 passes a low limit of 70, 150 becomes 120 against a high limit of 120.
    // False when the value had to be moved to a limit.
    bool CheckRange(double& display) const;

    // A display value as text: an integer format rounds it; a real format follows the
    // format type (significant digits for ft_Auto, and for ft_AutoOverride below 10^(2 -
    // decimals)). Empty for other formats.
    std::string DisplayText(std::string_view formatStr, double display) const;
    std::string StoredText(std::string_view formatStr, double stored) const;

    // Cleaned number text read as a stored value. Raises EConvertError for text that is not a
    // number or that gives no finite value.
    double ReadStored(std::string_view text) const;

    // A stored pair "a/b" as display text through the pair format; a single stored number
    // shows through the format's first half. Raises EConvertError for text that is not a pair.
    std::string StoredPairText(std::string_view pairFormat, std::string_view storedPair) const;
    // Display text "a/b" (or a single number) as stored pair text. Raises EConvertError.
    std::string ReadStoredPair(std::string_view pairFormat, std::string_view text) const;

private:
    std::string MakeDisplayText(std::string_view formatStr, double display) const;
};

}  // namespace vantor
