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

TEST(CodePage, XmlTextKeepsOnlyWhatXmlCanHold)
{
    EXPECT_EQ(CheckXmlText("Kälte\t\r\n東京 😀"), TXmlTextFault::None);
    EXPECT_EQ(CheckXmlText("\xFF\xFE" "A"), TXmlTextFault::NotUtf8);
    EXPECT_EQ(CheckXmlText("\xED\xA0\x80"), TXmlTextFault::NotUtf8);  // a surrogate
    EXPECT_EQ(CheckXmlText("A\x01" "B"), TXmlTextFault::ForbiddenCharacter);
    EXPECT_EQ(CheckXmlText(std::string("A\0B", 3)), TXmlTextFault::ForbiddenCharacter);
    EXPECT_EQ(CheckXmlText("\xEF\xBF\xBF"), TXmlTextFault::ForbiddenCharacter);  // U+FFFF
    EXPECT_EQ(CheckXmlText("\xC2\x81"), TXmlTextFault::None);  // C1 controls are allowed in XML 1.0

    // Only the bad lead byte goes: the letter after a cut sequence stays.
    EXPECT_EQ(XmlSafeText("\xC3" "A\x01\tB\xFF"), "\xEF\xBF\xBD" "A\xEF\xBF\xBD\tB\xEF\xBF\xBD");
    EXPECT_EQ(XmlSafeText("Kälte"), "Kälte");
}
