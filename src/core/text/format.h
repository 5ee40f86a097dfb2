#pragma once

// The one implementation of the program's format strings:
//   %[index:][-][width][.precision]letter
// with the letters d u e f g n m p s x in either case and "%%" for a percent sign.
// "%0.4g" shows four significant digits, "%0.3f" three decimals, "%3.3d" an integer padded
// to three digits, "%.2x" upper-case hexadecimal of at least two digits. The decimal
// separator is always ".". A specifier that is malformed or lacks its argument is copied
// as it stands; Format never throws.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace vantor {

class TFormatArg {
public:
    TFormatArg(int value) : m_value(static_cast<long long>(value)) {}
    TFormatArg(long value) : m_value(static_cast<long long>(value)) {}
    TFormatArg(long long value) : m_value(value) {}
    TFormatArg(unsigned value) : m_value(static_cast<long long>(value)) {}
    TFormatArg(unsigned long value) : m_value(static_cast<long long>(value)) {}
    TFormatArg(unsigned long long value) : m_value(static_cast<long long>(value)) {}
    TFormatArg(double value) : m_value(value) {}
    TFormatArg(float value) : m_value(static_cast<double>(value)) {}
    TFormatArg(const char* value) : m_value(std::string_view(value)) {}
    TFormatArg(std::string_view value) : m_value(value) {}
    TFormatArg(const std::string& value) : m_value(std::string_view(value)) {}

    const std::variant<long long, double, std::string_view>& Value() const { return m_value; }

private:
    std::variant<long long, double, std::string_view> m_value;
};

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args);

// Format with one number, the common case of a row's or a record's format.
std::string FormatFloat(std::string_view format, double value);

}  // namespace vantor
