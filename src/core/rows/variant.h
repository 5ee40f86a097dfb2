#pragma once

// The value a property row or an edit hands over: a real, an integer, a boolean or a text.
// Reading a row gives the text itself when it could not be converted, so a caller tells a
// number from a failed reading by the alternative it holds.

#include <optional>
#include <string>
#include <variant>

namespace vantor {

using TVariant = std::variant<std::string, double, long long, bool>;

// The number a value holds: a real or an integer as it is, a text read as a decimal number.
// Nothing for a boolean or for text that is not a number.
std::optional<double> VariantNumber(const TVariant& value);

// A boolean as it is, a number as "not zero", the texts "true" and "false" in any case.
std::optional<bool> VariantBool(const TVariant& value);

// The text form of a value: a text as it is, numbers in the shortest form that reads back,
// booleans as "True" and "False".
std::string VariantText(const TVariant& value);

}  // namespace vantor
