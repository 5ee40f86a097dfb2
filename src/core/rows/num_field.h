#pragma once

// A numeric row: a value in stored units shown in the row's unit, with a range, a spin
// increment and the format rules of TNumberFormat.
//
//   "Barometer; %0.3f; kPa; PE; 70; 120"  stored 100 shows "100.000"; bound to
//   utPressureBar and shown in Psi it shows "14.5038" and still reads back 100.

#include "rows/field.h"
#include "units/number_format.h"

#include <optional>

namespace vantor {

// Replaces the built-in spin step: gets the stored value, returns the new one.
using TSpinCallback = std::function<double(double value)>;

class TNumField : public TField, public TNumberFormat {
public:
    TNumField(std::string formatStr, TFieldStyle style, double rangeLo, double rangeHi, double increment = 1.0);

    double Increment = 1.0;  // spin step in stored units
    TSpinCallback OnSpinUp;
    TSpinCallback OnSpinDown;

    virtual bool IsPair() const { return false; }
    bool IsIntegerRow() const { return IsIntegerFormat(FormatStr); }
    int Decimals() const;

    // Takes the selected unit's factor, offset and (unless ft_Manual) format; a pair row's
    // format is doubled ("%0.1f" -> "%0.1f/%0.1f"). False, with nothing changed, when the
    // unit indices fit no unit of the type.
    bool ApplyUnits();

    std::string InitialText() const override;
    // A real (or, for an integer format, an integer) in stored units.
    std::string ValueToText(const TVariant& value) const override;
    TVariant TextToValue(std::string_view text) const override;
    // As TextToValue, but nothing when the text cannot be converted.
    virtual std::optional<TVariant> ReadValue(std::string_view text) const;

    // The spin buttons' step from stored value x, limited to the range. Nothing when x
    // already stands at the limit. Steps land on the increment grid: 2.35 steps up to 3.0,
    // -2.35 to -2.0, 3.0 to 4.0 (increment 1, "%0.1f").
    std::optional<double> StepUp(double x) const;
    std::optional<double> StepDown(double x) const;

private:
    std::optional<double> Step(double x, bool up) const;
};

// Two numbers a/b in one unit in one row (the on-coil dry bulb/wet bulb). Its stored value is
// the text "a/b" in stored units.
class TDelimNumField : public TNumField {
public:
    using TNumField::TNumField;

    bool IsPair() const override { return true; }
    std::string InitialText() const override;
    std::string ValueToText(const TVariant& value) const override;
    std::optional<TVariant> ReadValue(std::string_view text) const override;
};

}  // namespace vantor
