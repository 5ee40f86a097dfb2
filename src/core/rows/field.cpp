#include "rows/field.h"

#include "text/format.h"

namespace vantor {

TField::TField(std::string formatStr, TFieldStyle style) : FormatStr(std::move(formatStr)), Style(style) {}

std::string TField::InitialText() const { return {}; }

std::string TField::ValueToText(const TVariant& value) const
{
    if (const auto* number = std::get_if<double>(&value)) return Format(FormatStr, {*number});
    if (const auto* integer = std::get_if<long long>(&value)) return Format(FormatStr, {*integer});
    return Format(FormatStr, {VariantText(value)});
}

TVariant TField::TextToValue(std::string_view text) const { return std::string(text); }

}  // namespace vantor
