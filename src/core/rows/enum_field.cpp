#include "rows/enum_field.h"

#include "text/text_routines.h"

#include <algorithm>
#include <cmath>

namespace vantor {

TEnumField::TEnumField(std::vector<std::string> items) : TField("%S", fs_DropDown), Items(std::move(items)) {}

int TEnumField::IndexOf(std::string_view text) const
{
    const auto found = std::find_if(Items.begin(), Items.end(), [&](const std::string& item) { return SameText(item, text); });
    return found == Items.end() ? -1 : static_cast<int>(found - Items.begin());
}

std::string TEnumField::InitialText() const { return Items.empty() ? std::string() : Items.front(); }

std::string TEnumField::ValueToText(const TVariant& value) const
{
    if (std::holds_alternative<std::string>(value) || std::holds_alternative<bool>(value)) return {};
    const double index = *VariantNumber(value);
    if (index != std::trunc(index) || index < 0 || index >= static_cast<double>(Items.size())) return {};
    return Items[static_cast<size_t>(index)];
}

TVariant TEnumField::TextToValue(std::string_view text) const { return static_cast<long long>(IndexOf(text)); }

}  // namespace vantor
