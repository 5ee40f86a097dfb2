#include "units/unit_format.h"

#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"
#include "units/unit_tables.h"

#include <cmath>

namespace vantor {

namespace {

std::string ValueText(UnitRec& rec, bool keepFormat, double x)
{
    RefreshUnitRec(rec);
    const double y = ToDisplay(rec.Offset, rec.Factor, x);
    if (!keepFormat) rec.Fmt = AutoFormat(rec.UnitsType, 0, y);
    return FormatFloat(rec.Fmt, y);
}

std::string PairText(UnitRec& rec, bool keepFormat, double a, double b)
{
    RefreshUnitRec(rec);
    const double ya = ToDisplay(rec.Offset, rec.Factor, a);
    const double yb = ToDisplay(rec.Offset, rec.Factor, b);
    if (!keepFormat) rec.Fmt = AutoFormat(rec.UnitsType, 0, ya);
    return Format(rec.Fmt + "/" + rec.Fmt, {ya, yb});
}

std::string WithLabel(std::string text, const UnitRec& rec, bool withLabel, std::string_view separator)
{
    if (withLabel) {
        text += separator;
        text += rec.Label;
    }
    return text;
}

}  // namespace

std::string FormatUnit(std::string_view pattern, UnitRec& rec, bool keepFormat, double x)
{
    const std::string value = ValueText(rec, keepFormat, x);
    return Format(pattern, {value, rec.Label});
}

std::string FormatUnitPair(std::string_view pattern, UnitRec& rec, bool keepFormat, double a, double b)
{
    const std::string value = PairText(rec, keepFormat, a, b);
    return Format(pattern, {value, rec.Label});
}

std::string UnitText(UnitRec& rec, bool withLabel, std::string_view separator, bool keepFormat, double x)
{
    return WithLabel(ValueText(rec, keepFormat, x), rec, withLabel, separator);
}

std::string UnitPairText(UnitRec& rec, bool withLabel, std::string_view separator, bool keepFormat, double a,
                         double b)
{
    return WithLabel(PairText(rec, keepFormat, a, b), rec, withLabel, separator);
}

std::optional<double> ReadUnitText(UnitRec& rec, std::string_view text)
{
    RefreshUnitRec(rec);
    try {
        const double stored = FromDisplay(rec.Offset, rec.Factor, StrToFloat(CleanNumberText(text)));
        if (std::isfinite(stored)) return stored;
    } catch (const EConvertError&) {
    }
    return std::nullopt;
}

}  // namespace vantor
