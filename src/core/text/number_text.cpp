#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vantor {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// True when the text is exactly [sign]digits[.digits][(e|E)[sign]digits] with a mantissa digit.
bool IsDecimalNumber(std::string_view text)
{
    size_t i = 0;
    const size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t mantissaDigits = 0;
    while (i < n && IsDigit(text[i])) { ++i; ++mantissaDigits; }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) { ++i; ++mantissaDigits; }
    }
    if (mantissaDigits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        size_t exponentDigits = 0;
        while (i < n && IsDigit(text[i])) { ++i; ++exponentDigits; }
        if (exponentDigits == 0) return false;
    }
    return i == n;
}

// to_chars output uses "e+05"; the program writes "E5", "E-5".
std::string TidyExponent(std::string text)
{
    const auto e = text.find('e');
    if (e == std::string::npos) return text;
    std::string mantissa = text.substr(0, e);
    std::string_view exponent(text);
    exponent.remove_prefix(e + 1);
    std::string sign;
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
        if (exponent.front() == '-') sign = "-";
        exponent.remove_prefix(1);
    }
    while (exponent.size() > 1 && exponent.front() == '0') exponent.remove_prefix(1);
    return mantissa + "E" + sign + std::string(exponent);
}

std::string ToChars(double value, std::chars_format format, int precision)
{
    std::array<char, 400> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    if (result.ec != std::errc()) return NonFiniteText(value);
    return std::string(buffer.data(), result.ptr);
}

std::string ToCharsShortest(double value)
{
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (result.ec != std::errc()) return NonFiniteText(value);
    return std::string(buffer.data(), result.ptr);
}

void DropTrailingZeros(std::string& mantissa)
{
    if (mantissa.find('.') == std::string::npos) return;
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
}

}  // namespace

std::string NonFiniteText(double value)
{
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::optional<double> ParseDouble(std::string_view text)
{
    text = TrimBlanks(text);
    if (!IsDecimalNumber(text)) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a number this program can use.
        const auto e = text.find_first_of("eE");
        if (e != std::string_view::npos && text.find('-', e) != std::string_view::npos) return 0.0;
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<long long> ParseInteger(std::string_view text)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || (text.front() == '-' && text.size() == 1)) return std::nullopt;
    long long value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

double StrToFloat(std::string_view text)
{
    if (auto value = ParseDouble(text)) return *value;
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

long long StrToInt(std::string_view text)
{
    if (auto value = ParseInteger(text)) return *value;
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

std::string FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    decimals = std::clamp(decimals, 0, 18);
    std::string text = ToChars(value, std::chars_format::fixed, decimals);
    // "-0.00" is shown as "0.00".
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string FormatShortest(double value)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    return TidyExponent(ToCharsShortest(value));
}

std::string FormatGeneral(double value, int precision)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0";
    precision = std::clamp(precision, 1, 17);
    // Round to the significant digits first; the exponent of the rounded value decides the form.
    std::string scientific = ToChars(value, std::chars_format::scientific, precision - 1);
    const auto e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    if (exponent < precision && std::fabs(value) >= 1e-5) {
        const int decimals = std::max(0, precision - 1 - exponent);
        std::string fixed = ToChars(value, std::chars_format::fixed, decimals);
        DropTrailingZeros(fixed);
        return fixed;
    }
    std::string mantissa = scientific.substr(0, e);
    DropTrailingZeros(mantissa);
    return TidyExponent(mantissa + scientific.substr(e));
}

std::string FormatScientific(double value, int precision)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    precision = std::clamp(precision, 1, 18);
    std::string text = ToChars(value, std::chars_format::scientific, precision - 1);
    const auto e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = std::to_string(std::abs(exponent));
    while (digits.size() < 3) digits.insert(0, "0");
    return text.substr(0, e) + "E" + (exponent < 0 ? "-" : "+") + digits;
}

std::string FormatThousands(double value, int decimals)
{
    std::string text = FormatFixed(value, decimals);
    if (!std::isfinite(value)) return text;
    const size_t start = text.front() == '-' ? 1 : 0;
    size_t end = text.find('.');
    if (end == std::string::npos) end = text.size();
    for (size_t pos = end; pos > start + 3; pos -= 3) text.insert(pos - 3, ",");
    return text;
}

}  // namespace vantor
