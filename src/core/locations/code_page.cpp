#include "locations/code_page.h"

#include <array>
#include <cstdint>

namespace vantor {

namespace {

// Characters of bytes 0x80 to 0x9F; 0 where the code page defines none. Every other byte is
// the character of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next character of UTF-8 text; nothing for a malformed or overlong sequence.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<std::uint8_t>(text[i++]);
    if (lead < 0x80) return lead;
    int more = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
        more = 1;
        c = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        more = 2;
        c = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        more = 3;
        c = lead & 0x07u;
    } else {
        return std::nullopt;
    }
    for (int k = 0; k < more; ++k) {
        if (i >= text.size()) return std::nullopt;
        const auto next = static_cast<std::uint8_t>(text[i++]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3Fu);
    }
    constexpr std::array<char32_t, 4> kSmallest = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[static_cast<std::size_t>(more)] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return c;
}

std::optional<char> EncodeCharacter(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t k = 0; k < kHighControls.size(); ++k)
        if (kHighControls[k] != 0 && kHighControls[k] == c) return static_cast<char>(0x80 + k);
    return std::nullopt;
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<std::uint8_t>(byte);
        char32_t c = b;
        if (b >= 0x80 && b < 0xA0) c = kHighControls[b - 0x80u] != 0 ? kHighControls[b - 0x80u] : 0xFFFD;
        AppendUtf8(out, c);
    }
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::optional<char32_t> c = NextUtf8(text, i);
        if (!c) return std::nullopt;
        const std::optional<char> byte = EncodeCharacter(*c);
        if (!byte) return std::nullopt;
        out += *byte;
    }
    return out;
}

}  // namespace vantor
