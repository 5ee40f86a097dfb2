#include "rows/variant.h"

#include "text/number_text.h"
#include "text/text_routines.h"

namespace vantor {

std::optional<double> VariantNumber(const TVariant& value)
{
    if (const auto* number = std::get_if<double>(&value)) return *number;
    if (const auto* integer = std::get_if<long long>(&value)) return static_cast<double>(*integer);
    if (const auto* text = std::get_if<std::string>(&value)) return ParseDouble(*text);
    return std::nullopt;
}

std::optional<bool> VariantBool(const TVariant& value)
{
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    if (const auto* text = std::get_if<std::string>(&value)) {
        if (SameText(*text, "true")) return true;
        if (SameText(*text, "false")) return false;
        return std::nullopt;
    }
    return *VariantNumber(value) != 0;
}

std::string VariantText(const TVariant& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
    if (const auto* integer = std::get_if<long long>(&value)) return std::to_string(*integer);
    return FormatShortest(std::get<double>(value));
}

}  // namespace vantor
