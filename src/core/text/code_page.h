#pragma once

// Windows-1252, the code page of the legacy data files and of the location databases, and
// UTF-8, the program's own text.

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// Appends the UTF-8 bytes of a code point.
void AppendUtf8(std::string& out, char32_t c);

// Windows-1252 text as UTF-8; the five unassigned bytes map to the control characters of
// the same number.
std::string Windows1252ToUtf8(std::string_view text);

// The inverse: nothing when the text is not valid UTF-8 or holds a character the code page
// cannot write.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

// What keeps text from being XML 1.0 character data.
enum class TXmlTextFault {
    None,
    NotUtf8,            // a malformed, overlong or surrogate sequence
    ForbiddenCharacter  // a control character other than tab, line feed and carriage return,
                        // or U+FFFE / U+FFFF
};
// The first fault found; None for text XML can hold as it is.
TXmlTextFault CheckXmlText(std::string_view text);
// The text with each malformed byte and each character XML forbids replaced by U+FFFD.
std::string XmlSafeText(std::string_view text);

}  // namespace vantor
