#pragma once

// Small stateless text and number routines shared by the entry rows, the edits, the
// designation and catalogue readers, the chart and the INI tools.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Typed number text made ready for decimal conversion: blanks removed, one decimal point,
// one exponent, stray minus signs dropped ("1 234.5" -> "1234.5", "--5" -> "-5",
// "12/ 7" -> "12/7"). An exponent that cannot be read as an integer raises EConvertError.
std::string CleanNumberText(std::string_view text);

// "a/b": A and B read as numbers, true. Without '/': A is the whole text, B unchanged,
// false. Text that is not a number raises EConvertError.
bool SplitPair(std::string_view text, double& a, double& b);

// A number or a pair of numbers written exactly: "a" or "a/b", blanks allowed around each
// number, each a plain decimal number (ParseDouble). Nothing is cleaned: a second '/', a
// second decimal point, an empty part or a stray character make the text unreadable
// (nullopt), so that "25/17/3" is never taken for "25/173".
struct TNumberPair {
    double First = 0;
    std::optional<double> Second;
};
std::optional<TNumberPair> ReadNumberPair(std::string_view text);

// The single digit after the first '.' of a format ("%0.3f" -> 3); 0 without one.
int DecimalsOf(std::string_view format);

// Decimals that show `sigDigs` significant digits of value (at most maxDecimals); a value
// of one integer digit shows its decimals up to the first significant one.
int SigDigitDecimals(int sigDigs, int maxDecimals, double value);
std::string SigDigitFormat(int sigDigs, int maxDecimals, double value);

// Above `limit` the given format; below it a fixed format whose decimals shrink as the
// value grows.
std::string MagnitudeFormat(int limit, std::string_view format, double value);

// "1.2500" -> "1.25", "2.000" -> "2", "1.5E005" -> "1.5E5".
std::string TrimNumberZeros(std::string_view text);

std::string Trim(std::string_view text);
std::string RemoveSpaces(std::string_view text);
// Everything up to and including the first c kept; every later c removed.
std::string KeepFirst(std::string_view text, char c);
// The count-th field (from 1) of the text split at the delimiter; empty beyond the last.
std::string ExtractField(int count, char delimiter, std::string_view text);
std::vector<std::string> SplitToArray(std::string_view text, char delimiter);
bool SplitNameValue(std::string_view text, std::string& name, std::string& value);
std::string ReplaceChar(std::string_view text, char from, char to);

// Multi-line text kept on one line (XML attributes): each line break becomes "%13%10".
std::string EncodeLineBreaks(std::string_view text);
std::string DecodeLineBreaks(std::string_view text);

// "day<d>month<d>year"; any failure gives today's date.
std::chrono::year_month_day ReadDate(std::string_view text, char delimiter);
// The same, with nothing for text that is no such date.
std::optional<std::chrono::year_month_day> TryReadDate(std::string_view text, char delimiter);
std::chrono::year_month_day Today();

// The file name without folder and extension ("C:\a\coil.hqx" and "/a/coil.hqx" -> "coil").
std::string FileTitle(std::string_view path);

// ASCII case-insensitive comparison, as the program compares names and words.
bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // UTF-8
// A UTF-8 byte-order mark at the start of text removed; true when there was one.
bool StripByteOrderMark(std::string_view& text);

// The texts with separator between them: {"a", "b"} and ", " give "a, b".
std::string Joined(const std::vector<std::string>& texts, std::string_view separator);

}  // namespace vantor
