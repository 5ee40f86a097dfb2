// Windows-1252 and UTF-8: every byte of the code page and back, and the text it refuses.

#include "text/code_page.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(CodePage, ConvertsWindows1252BothWays)
{
    EXPECT_EQ(Windows1252ToUtf8("S\xE3o Paulo"), "São Paulo");
    EXPECT_EQ(Windows1252ToUtf8("\x80\x9F"), "€Ÿ");
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");  // an unassigned byte: the control character
    EXPECT_EQ(Utf8ToWindows1252("\xC2\x81"), std::optional<std::string>("\x81"));
    EXPECT_EQ(Utf8ToWindows1252("Reykjavík"), std::optional<std::string>("Reykjav\xEDk"));
    EXPECT_EQ(Utf8ToWindows1252("Œuvre—"), std::optional<std::string>("\x8Cuvre\x97"));
    EXPECT_FALSE(Utf8ToWindows1252("\xC3"));          // cut sequence
    EXPECT_FALSE(Utf8ToWindows1252("\xC0\xAF"));      // overlong
    EXPECT_FALSE(Utf8ToWindows1252("東京"));
}

TEST(CodePage, EveryByteComesBack)
{
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(byte)), std::optional<std::string>(byte)) << b;
    }
}
