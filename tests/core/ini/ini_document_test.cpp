#include "ini/ini_document.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(IniDocumentTest, LoadsByTheLineRulesAndWritesSectionsBack)
{
    const std::string text =
        "\xEF\xBB\xBF"
        "orphan=before any section\r\n"
        "; comment\r\n"
        "[ Units ]\r\n"
        "  Length =  mm  \r\n"
        "\r\n"
        "free text line\r"
        "Area=m2=x\n"
        "[Empty]\n"
        "[units]\n"
        "Length=in\n"
        "[Last]\n"
        "Mass=kg";  // no line end at the end of the file
    const TIniDocument document(text);
    EXPECT_EQ(document.Text(),
              "\xEF\xBB\xBF"
              "[Units]\nLength=mm\nfree text line\nArea=m2=x\n\n"
              "[Empty]\n\n"
              "[units]\nLength=in\n\n"
              "[Last]\nMass=kg\n\n");
    // The first of duplicate sections wins, lookups ignore case.
    ASSERT_NE(document.FindValue("UNITS", "length"), nullptr);
    EXPECT_EQ(*document.FindValue("UNITS", "length"), "mm");
    EXPECT_EQ(*document.FindValue("units", "AREA"), "m2=x");
    EXPECT_EQ(document.FindValue("Units", "free text line"), nullptr);
    EXPECT_EQ(document.FindValue("Units", "orphan"), nullptr);
    EXPECT_EQ(document.Sections(), (std::vector<std::string>{"Units", "Empty", "Last"}));
    EXPECT_EQ(document.SectionValues("units"), (std::vector<std::string>{"Length=mm", "Area=m2=x"}));
}

TEST(IniDocumentTest, DuplicateKeysReadFirstAndChangesReachEveryCopy)
{
    TIniDocument document("[S]\nKey=1\nkey=2\nOther=3\n[s]\nKey=4\n");
    EXPECT_EQ(*document.FindValue("S", "KEY"), "1");
    EXPECT_EQ(document.SectionNames("S"), (std::vector<std::string>{"Key", "Other"}));

    EXPECT_FALSE(document.SetValue("s", "KEY", " 1 "));  // unchanged, stored trimmed
    EXPECT_TRUE(document.SetValue("s", "KEY", "5"));
    EXPECT_EQ(document.Text(), "[S]\nKey=5\nkey=2\nOther=3\n\n[s]\nKey=4\n\n");

    EXPECT_TRUE(document.DeleteKey("S", "key"));
    EXPECT_EQ(document.FindValue("S", "Key"), nullptr);
    EXPECT_TRUE(document.EraseSection("S"));
    EXPECT_TRUE(document.Sections().empty());
    EXPECT_FALSE(document.EraseSection("S"));
}

TEST(IniDocumentTest, RefusesTextsThatWouldNotReadBack)
{
    struct Case {
        const char* section;
        const char* name;
        const char* value;
        bool storable;
    } cases[] = {
        {"S", "Name", "value = with [brackets]", true},
        {"S", "[Name", "x", true},
        {" ", "Name", "x", false},
        {"S", "  ", "x", false},
        {"S", "a=b", "x", false},
        {"S", ";Name", "x", false},
        {"S", "[Name", "x]", false},
        {"S", "Name", "two\nlines", false},
        {"S\nT", "Name", "x", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TIniDocument::IsStorable(c.section, c.name, c.value), c.storable) << c.section << "|" << c.name;
        if (!c.storable) continue;
        TIniDocument document;
        document.SetValue(c.section, c.name, c.value);
        const TIniDocument reloaded(document.Text());
        ASSERT_NE(reloaded.FindValue(c.section, c.name), nullptr) << c.name;
        EXPECT_EQ(*reloaded.FindValue(c.section, c.name), c.value);
    }
}

TEST(IniDocumentTest, GarbageLoadsAndWritesBackStably)
{
    const std::string inputs[] = {std::string("[A]\0x=\0\n\xff", 9), "[" + std::string(1 << 20, 'k') + "]\nv=1",
                                  "[S]\nname=" + std::string(1 << 20, 'v'), "[[]]\n[]\n=\n]\n[\n[a\n=x]"};
    for (const std::string& input : inputs) {
        const std::string once = TIniDocument(input).Text();
        EXPECT_EQ(TIniDocument(once).Text(), once);
    }
}

}  // namespace
}  // namespace vantor
