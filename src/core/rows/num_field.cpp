#include "rows/num_field.h"

#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <algorithm>
#include <cmath>

namespace vantor {

TNumField::TNumField(std::string formatStr, TFieldStyle style, double rangeLo, double rangeHi, double increment)
    : TField(std::move(formatStr), style), Increment(increment)
{
    RangeLo = rangeLo;
    RangeHi = rangeHi;
}

int TNumField::Decimals() const { return DecimalsOf(FormatStr); }

bool TNumField::ApplyUnits()
{
    if (!ApplyUnitInfo(FormatStr)) return false;
    if (IsPair() && !IsPairFormat(FormatStr)) FormatStr = FormatStr + "/" + FormatStr;
    return true;
}

std::string TNumField::InitialText() const
{
    if (IsIntegerRow()) return Format(FormatStr, {0});
    return Format(FormatStr, {0.0});
}

std::string TNumField::ValueToText(const TVariant& value) const
{
    const auto stored = VariantNumber(value);
    return stored ? StoredText(FormatStr, *stored) : std::string();
}

TVariant TNumField::TextToValue(std::string_view text) const
{
    return ReadValue(text).value_or(TVariant(std::string(text)));
}

std::optional<TVariant> TNumField::ReadValue(std::string_view text) const
{
    try {
        const double stored = ReadStored(text);
        if (!IsIntegerRow()) return stored;
        if (std::fabs(stored) < 9e18) return static_cast<long long>(std::llround(stored));
    } catch (const EConvertError&) {
    }
    return std::nullopt;
}

std::optional<double> TNumField::StepUp(double x) const { return Step(x, true); }

std::optional<double> TNumField::StepDown(double x) const { return Step(x, false); }

std::optional<double> TNumField::Step(double x, bool up) const
{
    if (HasRange() && x == (up ? RangeHi : RangeLo)) return std::nullopt;
    const TSpinCallback& callback = up ? OnSpinUp : OnSpinDown;
    if (callback) {
        x = callback(x);
    } else {
        if (!(Increment > 0) || !std::isfinite(x)) return std::nullopt;
        const double step = up ? Increment : -Increment;
        // Steps start from the value as shown, then move onto the increment grid: a value
        // between grid points goes to the next point in the step's direction when it lies on
        // that side of zero, else to the point nearer zero.
        const bool awayFromZero = up ? x > 0 : x < 0;
        if (const auto shown = ParseDouble(Format(FormatStr, {x}))) x = *shown;
        const double quotient = x / Increment;
        double remainder = (quotient - std::trunc(quotient)) * Increment;
        if (std::fabs(remainder) < 1e-5) remainder = 0;
        x -= remainder;
        if (remainder == 0 || awayFromZero) x += step;
    }
    if (HasRange()) x = std::max(RangeLo, std::min(x, RangeHi));
    return x;
}

std::string TDelimNumField::InitialText() const { return Format(FormatStr, {0.0, 0.0}); }

std::string TDelimNumField::ValueToText(const TVariant& value) const
{
    try {
        return StoredPairText(FormatStr, VariantText(value));
    } catch (const EConvertError&) {
        return {};
    }
}

std::optional<TVariant> TDelimNumField::ReadValue(std::string_view text) const
{
    try {
        return ReadStoredPair(FormatStr, text);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

}  // namespace vantor
