#include "text/code_page.h"

#include <array>
#include <cstdint>

namespace vantor {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The next code point of UTF-8 text; nothing for a malformed, overlong or surrogate sequence.
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

std::optional<char> Windows1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t k = 0; k < kCp1252High.size(); ++k)
        if (kCp1252High[k] == c) return static_cast<char>(0x80 + k);
    return std::nullopt;
}

bool IsXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           c >= 0x10000;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c)
{
    const auto byte = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
    if (c < 0x80) {
        byte(static_cast<unsigned>(c));
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80u] : char32_t{byte});
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
        const std::optional<char> byte = Windows1252Byte(*c);
        if (!byte) return std::nullopt;
        out += *byte;
    }
    return out;
}

TXmlTextFault CheckXmlText(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::optional<char32_t> c = NextUtf8(text, i);
        if (!c) return TXmlTextFault::NotUtf8;
        if (!IsXmlCharacter(*c)) return TXmlTextFault::ForbiddenCharacter;
    }
    return TXmlTextFault::None;
}

std::string XmlSafeText(std::string_view text)
{
    constexpr char32_t kReplacement = 0xFFFD;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const std::optional<char32_t> c = NextUtf8(text, i);
        if (!c) {
            // Only the lead byte is dropped, so a well-formed character after it survives.
            i = start + 1;
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, IsXmlCharacter(*c) ? *c : kReplacement);
        }
    }
    return out;
}

}  // namespace vantor
