#include "rows/number_entry.h"

#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"
#include "rows/num_field.h"
#include "units/unit_tables.h"

#include <cmath>
#include <optional>

namespace vantor {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

TNumberEntry TNumberEntry::ForField(const TNumField& field)
{
    TNumberEntry entry;
    static_cast<TNumberFormat&>(entry) = field;  // format type, significant digits, units, range
    entry.FormatStr = field.FormatStr;
    return entry;
}

int TNumberEntry::Decimals() const { return DecimalsOf(FormatStr); }

bool TNumberEntry::AcceptsChar(char c) const
{
    if (IsPairFormat(FormatStr)) return IsDigit(c) || c == '-' || c == '.' || c == '/';
    if (IsIntegerFormat(FormatStr)) return IsDigit(c) || c == '-';
    if (IsRealFormat(FormatStr))
        return IsDigit(c) || c == '-' || c == '.' || (IsGeneralFormat(FormatStr) && (c == 'e' || c == 'E'));
    return true;
}

TEntryCheck TNumberEntry::Check(std::string_view text) const
{
    if (IsTextFormat(FormatStr)) return {Format(FormatStr, {text}), true, true};
    TEntryCheck check{std::string(text), true, true};
    try {
        if (IsPairFormat(FormatStr)) {
            // A pair is read as written, not cleaned: "25/17/3" is refused, never "25/173".
            const std::optional<TNumberPair> pair = ReadNumberPair(text);
            if (!pair) {
                check.Readable = false;
                return check;
            }
            double a = pair->First;
            double b = pair->Second.value_or(0);
            const bool firstInRange = CheckRange(a);
            const bool secondInRange = !pair->Second || CheckRange(b);
            check.InRange = firstInRange && secondInRange;
            check.Text = pair->Second ? Format(FormatStr, {a, b}) : FormatFloat(FirstOfPairFormat(FormatStr), a);
        } else {
            double display = StrToFloat(CleanNumberText(text));
            check.InRange = CheckRange(display);
            if (std::string shown = DisplayText(FormatStr, display); !shown.empty()) check.Text = std::move(shown);
        }
    } catch (const EConvertError&) {
        check.Readable = false;
    }
    return check;
}

TVariant TNumberEntry::Value(std::string_view text) const
{
    if (IsTextFormat(FormatStr)) return Format(FormatStr, {text});
    try {
        if (IsPairFormat(FormatStr)) return ReadStoredPair(FormatStr, text);
        const double stored = ReadStored(text);
        if (IsIntegerFormat(FormatStr) && std::fabs(stored) < 9e18) return static_cast<long long>(std::llround(stored));
        return stored;
    } catch (const EConvertError&) {
        return std::string(text);
    }
}

std::string TNumberEntry::ValueText(const TVariant& value) const
{
    if (IsTextFormat(FormatStr)) return Format(FormatStr, {VariantText(value)});
    if (IsPairFormat(FormatStr)) {
        try {
            return StoredPairText(FormatStr, VariantText(value));
        } catch (const EConvertError&) {
            return {};
        }
    }
    const auto stored = VariantNumber(value);
    return stored ? StoredText(FormatStr, *stored) : std::string();
}

int TNumberEntry::ValidUnit(int index) const
{
    return UnitsType == utNone || IsValidUnit(UnitsType, index) ? index : 0;
}

std::string TNumberEntry::SetUnitsType(TUnitsType type, std::string_view text)
{
    const TVariant value = Value(text);
    UnitsType = type;
    UnitsValue = ValidUnit(UnitsValue);
    UnitsBase = ValidUnit(UnitsBase);
    Factor = 1.0;
    Offset = 0.0;
    return UpdateUnits(value, text);
}

std::string TNumberEntry::SetUnitsValue(int index, std::string_view text)
{
    const TVariant value = Value(text);
    UnitsValue = ValidUnit(index);
    return UpdateUnits(value, text);
}

std::string TNumberEntry::SetUnitsBase(int index, std::string_view text)
{
    const TVariant value = Value(text);
    UnitsBase = ValidUnit(index);
    return UpdateUnits(value, text);
}

// value is the entry's stored value read with the units before the change.
std::string TNumberEntry::UpdateUnits(const TVariant& value, std::string_view text)
{
    const bool textOrInteger = IsTextFormat(FormatStr) || IsIntegerFormat(FormatStr);
    if (textOrInteger && UnitsType == utNone) return std::string(text);
    const bool pair = IsPairFormat(FormatStr);
    if (!ApplyUnitInfo(FormatStr) || IsTextFormat(FormatStr)) return std::string(text);
    if (pair && !IsPairFormat(FormatStr)) FormatStr = FormatStr + "/" + FormatStr;
    // A single number that could not be read is the raw text; it stays as typed.
    if (!pair && std::holds_alternative<std::string>(value)) return std::string(text);
    std::string shown = ValueText(value);
    return shown.empty() ? std::string(text) : shown;
}

}  // namespace vantor
