#include "text/text_routines.h"

#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace vantor {

namespace {

bool IsSpace(char c) { return static_cast<unsigned char>(c) <= ' '; }

char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Cleans a text that holds no '/'.
std::string CleanSingleNumber(std::string text)
{
    if (text.empty()) return "0";
    std::replace(text.begin(), text.end(), 'e', 'E');
    text = KeepFirst(text, 'E');
    if (text.size() > 1) {
        std::string kept(1, text.front());
        for (size_t i = 1; i < text.size(); ++i) {
            if (text[i] == '-' && text[i - 1] != 'E') continue;
            kept += text[i];
        }
        text = kept;
    }
    if (text == "-") return "0";
    text = KeepFirst(text, '.');
    if (text.front() == 'E') text.insert(0, "1");
    const auto e = text.find('E');
    if (e != std::string::npos && e + 1 < text.size()) {
        std::string exponent = text.substr(e + 1);
        if (auto dot = exponent.find('.'); dot != std::string::npos) exponent.erase(dot, 1);
        const long long value = StrToInt(exponent);
        if (value > 300 || value < -300) exponent = exponent.substr(0, 2);
        text = text.substr(0, e + 1) + exponent;
    }
    return text;
}

}  // namespace

std::string Trim(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string RemoveSpaces(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

std::string KeepFirst(std::string_view text, char c)
{
    const auto first = text.find(c);
    if (first == std::string_view::npos) return std::string(text);
    std::string out(text.substr(0, first + 1));
    for (char ch : text.substr(first + 1))
        if (ch != c) out += ch;
    return out;
}

std::string CleanNumberText(std::string_view text)
{
    std::string cleaned = RemoveSpaces(text);
    if (cleaned.find('/') != std::string::npos) {
        cleaned = KeepFirst(cleaned, '/');
        const auto slash = cleaned.find('/');
        return CleanNumberText(cleaned.substr(0, slash)) + "/" + CleanNumberText(cleaned.substr(slash + 1));
    }
    return CleanSingleNumber(std::move(cleaned));
}

bool SplitPair(std::string_view text, double& a, double& b)
{
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) {
        a = StrToFloat(text);
        return false;
    }
    const double first = StrToFloat(text.substr(0, slash));
    const double second = StrToFloat(text.substr(slash + 1));
    a = first;
    b = second;
    return true;
}

std::optional<TNumberPair> ReadNumberPair(std::string_view text)
{
    const auto slash = text.find('/');
    const std::optional<double> first = ParseDouble(text.substr(0, slash));
    if (!first) return std::nullopt;
    if (slash == std::string_view::npos) return TNumberPair{*first, std::nullopt};
    const std::optional<double> second = ParseDouble(text.substr(slash + 1));
    if (!second) return std::nullopt;
    return TNumberPair{*first, *second};
}

int DecimalsOf(std::string_view format)
{
    const auto dot = format.find('.');
    if (dot == std::string_view::npos || dot + 1 >= format.size()) return 0;
    const char c = format[dot + 1];
    return (c >= '0' && c <= '9') ? c - '0' : 0;
}

int SigDigitDecimals(int sigDigs, int maxDecimals, double value)
{
    const std::string s = FormatFixed(value, maxDecimals);
    const auto dot = s.find('.');
    const int intLen = dot == std::string::npos ? static_cast<int>(s.size()) : static_cast<int>(dot);
    int result = 0;
    if (intLen == 1) {
        // 1-based position of the first significant decimal, counted from the start of s.
        result = 3;
        for (size_t i = 2; i < s.size(); ++i) {
            if (s[i] != '0') {
                result = static_cast<int>(i) + 1;
                break;
            }
        }
    } else {
        result = sigDigs > intLen ? sigDigs - intLen : 0;
    }
    return std::min(result, maxDecimals);
}

std::string SigDigitFormat(int sigDigs, int maxDecimals, double value)
{
    return "%0." + std::to_string(SigDigitDecimals(sigDigs, maxDecimals, value)) + "f";
}

std::string MagnitudeFormat(int limit, std::string_view format, double value)
{
    if (value > limit) return std::string(format);
    const double whole = std::trunc(std::fabs(value));
    if (whole >= 75 || value == 0) return "%0.0f";
    if (whole >= 1) return "%0.1f";
    if (value > 0.1) return "%0.2f";
    if (value > 0.01) return "%0.3f";
    return "%0.4f";
}

std::string TrimNumberZeros(std::string_view text)
{
    const auto e = text.find('E');
    std::string mantissa(text.substr(0, e));
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }
    if (e == std::string_view::npos) return mantissa;
    std::string_view exponent = text.substr(e + 1);
    std::string sign;
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
        sign = exponent.front();
        exponent.remove_prefix(1);
    }
    // One digit always stays, so "1E000" reads back as a number.
    while (exponent.size() > 1 && exponent.front() == '0') exponent.remove_prefix(1);
    return mantissa + "E" + sign + std::string(exponent);
}

std::string ExtractField(int count, char delimiter, std::string_view text)
{
    std::string rest = Trim(text);
    std::string field;
    int i = 1;
    for (; i <= count && !rest.empty(); ++i) {
        const auto pos = rest.find(delimiter);
        if (pos != std::string::npos) {
            field = rest.substr(0, pos);
            rest = rest.substr(pos + 1);
            rest.erase(0, std::min(rest.size(), rest.find_first_not_of(' ')));
        } else {
            field = i < count ? std::string() : rest;
            rest.clear();
        }
    }
    return i > count ? field : std::string();
}

std::vector<std::string> SplitToArray(std::string_view text, char delimiter)
{
    std::vector<std::string> pieces;
    std::string rest = Trim(text);
    for (auto pos = rest.find(delimiter); pos != std::string::npos; pos = rest.find(delimiter)) {
        pieces.push_back(rest.substr(0, pos));
        rest = Trim(std::string_view(rest).substr(pos + 1));
    }
    if (!rest.empty()) pieces.push_back(rest);
    return pieces;
}

bool SplitNameValue(std::string_view text, std::string& name, std::string& value)
{
    const auto eq = text.find('=');
    if (eq == std::string_view::npos) {
        name.clear();
        value.clear();
        return false;
    }
    name = Trim(text.substr(0, eq));
    value = Trim(text.substr(eq + 1));
    return true;
}

std::string ReplaceChar(std::string_view text, char from, char to)
{
    std::string out(text);
    std::replace(out.begin(), out.end(), from, to);
    return out;
}

std::string EncodeLineBreaks(std::string_view text)
{
    // A lone line feed (as typed on this platform) is a line break too; an XML reader would
    // otherwise fold it into a blank.
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "%13%10";
            ++i;
        } else if (text[i] == '\n') {
            out += "%13%10";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string DecodeLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    static constexpr std::string_view kBreak = "%13%10";
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i, kBreak.size()) == kBreak) {
            out += "\r\n";
            i += kBreak.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::chrono::year_month_day Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::optional<std::chrono::year_month_day> TryReadDate(std::string_view text, char delimiter)
{
    std::string rest = Trim(text);
    const auto first = rest.find(delimiter);
    if (first == std::string::npos) return std::nullopt;
    const auto day = ParseInteger(Trim(std::string_view(rest).substr(0, first)));
    rest = Trim(std::string_view(rest).substr(first + 1));
    const auto second = rest.find(delimiter);
    if (second == std::string::npos) return std::nullopt;
    const auto month = ParseInteger(Trim(std::string_view(rest).substr(0, second)));
    const auto year = ParseInteger(Trim(std::string_view(rest).substr(second + 1)));
    if (!day || !month || !year || *year < 1 || *year > 9999 || *month < 1 || *month > 12 || *day < 1 ||
        *day > 31)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{static_cast<int>(*year)},
                                           std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::chrono::year_month_day ReadDate(std::string_view text, char delimiter)
{
    return TryReadDate(text, delimiter).value_or(Today());
}

std::string FileTitle(std::string_view path)
{
    const auto slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ToUpper(x) == ToUpper(y); });
}

std::string UpperCase(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), ToUpper);
    return out;
}

std::string LowerCase(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), ToLower);
    return out;
}

bool StripByteOrderMark(std::string_view& text)
{
    if (!text.starts_with(kByteOrderMark)) return false;
    text.remove_prefix(kByteOrderMark.size());
    return true;
}

std::string Joined(const std::vector<std::string>& texts, std::string_view separator)
{
    std::string joined;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) joined += separator;
        joined += texts[i];
    }
    return joined;
}

}  // namespace vantor
