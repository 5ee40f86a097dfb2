#pragma once

// Place, region and database names are kept in the location files as Windows-1252 bytes, the
// code page of the databases the program has always read; inside the program they are UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// Every byte becomes its character; the five bytes the code page leaves undefined become U+FFFD.
std::string Windows1252ToUtf8(std::string_view bytes);

// Nothing when the text is not valid UTF-8 or holds a character the code page cannot write.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

}  // namespace vantor
