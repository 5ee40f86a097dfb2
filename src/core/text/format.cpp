#include "text/format.h"

#include "text/number_text.h"

#include <cctype>
#include <cmath>
#include <optional>

namespace vantor {

namespace {

struct TSpecifier {
    std::optional<int> index;
    bool leftJustify = false;
    std::optional<int> width;
    std::optional<int> precision;
    char letter = 0;  // lower case
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads digits at pos; widths and precisions beyond 999 are not sensible and are capped.
std::optional<int> ReadCount(std::string_view text, size_t& pos)
{
    if (pos >= text.size() || !IsDigit(text[pos])) return std::nullopt;
    int value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = std::min(999, value * 10 + (text[pos] - '0'));
        ++pos;
    }
    return value;
}

// Parses the specifier starting after '%'; on success pos is past the letter.
std::optional<TSpecifier> ParseSpecifier(std::string_view text, size_t& pos)
{
    TSpecifier specifier;
    size_t p = pos;
    std::optional<int> first = ReadCount(text, p);
    if (first && p < text.size() && text[p] == ':') {
        specifier.index = first;
        ++p;
        first.reset();
    }
    if (!first) {
        if (p < text.size() && text[p] == '-') {
            specifier.leftJustify = true;
            ++p;
        }
        specifier.width = ReadCount(text, p);
    } else {
        specifier.width = first;
    }
    if (p < text.size() && text[p] == '.') {
        ++p;
        specifier.precision = ReadCount(text, p);
        if (!specifier.precision) specifier.precision = 0;
    }
    if (p >= text.size()) return std::nullopt;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[p])));
    static constexpr std::string_view kLetters = "duefgnmpsx";
    if (kLetters.find(letter) == std::string_view::npos) return std::nullopt;
    specifier.letter = letter;
    pos = p + 1;
    return specifier;
}

std::optional<long long> AsInteger(const TFormatArg& arg)
{
    const auto& v = arg.Value();
    if (auto i = std::get_if<long long>(&v)) return *i;
    if (auto d = std::get_if<double>(&v)) {
        if (!std::isfinite(*d) || std::fabs(*d) > 9.2e18) return std::nullopt;
        return std::llround(*d);
    }
    return ParseInteger(std::get<std::string_view>(v));
}

std::optional<double> AsDouble(const TFormatArg& arg)
{
    const auto& v = arg.Value();
    if (auto i = std::get_if<long long>(&v)) return static_cast<double>(*i);
    if (auto d = std::get_if<double>(&v)) return *d;
    return ParseDouble(std::get<std::string_view>(v));
}

std::string PadDigits(std::string digits, std::optional<int> minDigits)
{
    if (minDigits && static_cast<int>(digits.size()) < *minDigits)
        digits.insert(0, static_cast<size_t>(*minDigits) - digits.size(), '0');
    return digits;
}

// Negative values show as their 32-bit two's complement when they fit, as unsigned text does.
unsigned long long AsUnsigned(long long value)
{
    if (value < 0 && value >= INT32_MIN) return static_cast<std::uint32_t>(value);
    return static_cast<unsigned long long>(value);
}

std::string Hex(unsigned long long value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return text;
}

std::optional<std::string> Convert(const TSpecifier& specifier, const TFormatArg& arg)
{
    switch (specifier.letter) {
    case 'd': {
        auto value = AsInteger(arg);
        if (!value) {
            auto d = AsDouble(arg);
            if (d && !std::isfinite(*d)) return NonFiniteText(*d);
            return std::nullopt;
        }
        const bool negative = *value < 0;
        std::string digits = negative ? std::to_string(*value).substr(1) : std::to_string(*value);
        return (negative ? "-" : "") + PadDigits(digits, specifier.precision);
    }
    case 'u': {
        auto value = AsInteger(arg);
        if (!value) return std::nullopt;
        return PadDigits(std::to_string(AsUnsigned(*value)), specifier.precision);
    }
    case 'x':
    case 'p': {
        auto value = AsInteger(arg);
        if (!value) return std::nullopt;
        std::optional<int> minDigits = specifier.letter == 'p' ? std::optional<int>(8) : specifier.precision;
        return PadDigits(Hex(AsUnsigned(*value)), minDigits);
    }
    case 'e': {
        auto value = AsDouble(arg);
        if (!value) return std::nullopt;
        return FormatScientific(*value, specifier.precision.value_or(15));
    }
    case 'f': {
        auto value = AsDouble(arg);
        if (!value) return std::nullopt;
        return FormatFixed(*value, specifier.precision.value_or(2));
    }
    case 'g': {
        auto value = AsDouble(arg);
        if (!value) return std::nullopt;
        return FormatGeneral(*value, specifier.precision.value_or(15));
    }
    case 'n': {
        auto value = AsDouble(arg);
        if (!value) return std::nullopt;
        return FormatThousands(*value, specifier.precision.value_or(2));
    }
    case 'm': {
        auto value = AsDouble(arg);
        if (!value) return std::nullopt;
        if (!std::isfinite(*value)) return NonFiniteText(*value);
        std::string amount = FormatThousands(std::fabs(*value), specifier.precision.value_or(2));
        return (*value < 0 ? "-$" : "$") + amount;
    }
    case 's': {
        const auto& v = arg.Value();
        std::string text;
        if (auto i = std::get_if<long long>(&v)) text = std::to_string(*i);
        else if (auto d = std::get_if<double>(&v)) text = FormatGeneral(*d, 15);
        else text = std::string(std::get<std::string_view>(v));
        if (specifier.precision && static_cast<int>(text.size()) > *specifier.precision)
            text.resize(static_cast<size_t>(*specifier.precision));
        return text;
    }
    default:
        return std::nullopt;
    }
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args)
{
    const TFormatArg* const argList = args.begin();
    std::string out;
    out.reserve(format.size() + 16);
    size_t nextArg = 0;
    size_t pos = 0;
    while (pos < format.size()) {
        const char c = format[pos];
        if (c != '%') {
            out += c;
            ++pos;
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == '%') {
            out += '%';
            pos += 2;
            continue;
        }
        const size_t start = pos;
        size_t after = pos + 1;
        std::optional<TSpecifier> specifier = ParseSpecifier(format, after);
        if (!specifier) {
            out += c;
            ++pos;
            continue;
        }
        if (specifier->index) nextArg = static_cast<size_t>(*specifier->index);
        std::optional<std::string> text;
        if (nextArg < args.size()) text = Convert(*specifier, argList[nextArg]);
        ++nextArg;
        if (!text) {
            out.append(format.substr(start, after - start));
        } else {
            const int width = specifier->width.value_or(0);
            if (static_cast<int>(text->size()) < width) {
                const std::string pad(static_cast<size_t>(width) - text->size(), ' ');
                *text = specifier->leftJustify ? *text + pad : pad + *text;
            }
            out += *text;
        }
        pos = after;
    }
    return out;
}

std::string FormatFloat(std::string_view format, double value)
{
    return Format(format, {value});
}

}  // namespace vantor
