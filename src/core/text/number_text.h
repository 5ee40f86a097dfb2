#pragma once

// Locale-independent number text. Every number the program reads from a user, a file or a
// setting goes through ParseDouble/ParseInteger, and every number it writes through the
// formatters here: "." is the decimal separator whatever LC_NUMERIC says.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantor {

// The conversion error raised by the routines that are documented to raise one.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads [+|-]digits[.digits][(e|E)[+|-]digits], with surrounding blanks allowed and at least
// one mantissa digit. No "nan", "inf", hexadecimal or locale forms; an overflow fails.
std::optional<double> ParseDouble(std::string_view text);

// Reads [+|-]digits within the range of long long, surrounding blanks allowed.
std::optional<long long> ParseInteger(std::string_view text);

// As ParseDouble/ParseInteger, but a failure raises EConvertError naming the text.
double StrToFloat(std::string_view text);
long long StrToInt(std::string_view text);

// Fixed notation with the given number of decimals ("-1.50" for (-1.5, 2)).
std::string FormatFixed(double value, int decimals);

// The shortest text that reads back to the same double ("0.1", "1e+300" becomes "1E300").
std::string FormatShortest(double value);

// General format with at most `precision` significant digits, trailing zeros dropped,
// scientific ("1.5E-6", "1E20") when the value is below 1e-5 or has more integer digits
// than `precision`.
std::string FormatGeneral(double value, int precision);

// Scientific with `precision` significant digits and a signed three-digit exponent
// ("1.23E+003").
std::string FormatScientific(double value, int precision);

// Fixed with thousands separators ("1,234.50").
std::string FormatThousands(double value, int decimals);

// The text of a value that is not finite: "NAN", "INF" or "-INF".
std::string NonFiniteText(double value);

}  // namespace vantor
