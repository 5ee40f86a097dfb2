#include "rows/bool_field.h"

#include "text/text_routines.h"

namespace vantor {

TBoolField::TBoolField() : TField("%S", fs_Check) {}

std::string TBoolField::ValueToText(const TVariant& value) const
{
    const auto checked = VariantBool(value);
    if (!checked) return {};
    return *checked ? "[x]" : "[ ]";
}

TVariant TBoolField::TextToValue(std::string_view text) const { return SameText(text, "[x]"); }

}  // namespace vantor
