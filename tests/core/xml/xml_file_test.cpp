#include "xml/xml_file.h"

#include "support/comma_locale.h"
#include "support/temp_folder.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace vantor {
namespace {

namespace fs = std::filesystem;
using TNode = TXMLFile::TNode;

constexpr const char* CoilText = R"(<Coil program="Vantor" version="2" empty="" rows="4" bad="x">
  <Good>2.5</Good><Sci> 1.5E-3 </Sci><Bad>abc</Bad><Nan>nan</Nan><Inf>inf</Inf><Empty/>
  <Int>-12</Int><Big>3000000000</Big><Yes>YES</Yes><One>1</One><F>f</F>
</Coil>)";

TEST(XMLFile, ReadsFallBackToTheDefaultWithTheirStatus)
{
    TXMLFile file;
    file.LoadText(CoilText);
    ASSERT_EQ(file.ReadStatus(), TXmlReadStatus::Ok) << file.LoadError();
    const TNode root = file.Root();

    struct FloatCase { const char* name; double expected; int status; };
    for (const FloatCase& c : {FloatCase{"Good", 2.5, 0}, {"Sci", 0.0015, 0}, {"Bad", -1, 3},
                               {"Nan", -1, 3}, {"Inf", -1, 3}, {"Empty", -1, 3}, {"Missing", -1, 2}}) {
        EXPECT_EQ(file.ReadFloat(root, c.name, -1), c.expected) << c.name;
        EXPECT_EQ(static_cast<int>(file.ReadStatus()), c.status) << c.name;  // the documented numbers
    }
    struct IntCase { const char* name; int expected; int status; };
    for (const IntCase& c : {IntCase{"Int", -12, 0}, {"Big", 7, 3}, {"Good", 7, 3}, {"Missing", 7, 2}}) {
        EXPECT_EQ(file.ReadInteger(root, c.name, 7), c.expected) << c.name;
        EXPECT_EQ(static_cast<int>(file.ReadStatus()), c.status) << c.name;  // the documented numbers
    }
    struct BoolCase { const char* name; bool defaultValue; bool expected; int status; };
    for (const BoolCase& c : {BoolCase{"Yes", false, true, 0}, {"F", true, false, 0},
                              {"One", true, true, 3}, {"One", false, false, 3},
                              {"Missing", true, true, 2}}) {
        EXPECT_EQ(file.ReadBool(root, c.name, c.defaultValue), c.expected) << c.name;
        EXPECT_EQ(static_cast<int>(file.ReadStatus()), c.status) << c.name;  // the documented numbers
    }

    // The default of a missing element comes back as its 15-digit text reads.
    EXPECT_EQ(file.ReadFloat(root, "Missing", 0.12345678901234567), 0.123456789012346);
    EXPECT_EQ(file.ReadText(TNode(), "Good", "d"), "d");
    EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::NoNode);
    EXPECT_EQ(file.ReadText(root, "good", "d"), "d") << "element names are case-sensitive";
    EXPECT_EQ(file.ReadText(root, "Good", "d"), "2.5");
    EXPECT_EQ(file.CurrentNode(), root.child("Good"));
}

TEST(XMLFile, AttributesReadAndWrite)
{
    TXMLFile file;
    file.LoadText(CoilText);
    const TNode root = file.Root();
    EXPECT_EQ(file.ReadAttribute(root, "empty", "d"), "d");
    EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::NoAttribute);
    EXPECT_EQ(file.ReadAttribute(root, "absent", "d"), "d");
    EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::NoAttribute);
    EXPECT_EQ(file.ReadAttributeInteger(root, "rows", 1), 4);
    EXPECT_EQ(file.ReadAttributeFloat(root, "bad", 1.5), 1.5);
    EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::BadValue);
    EXPECT_EQ(file.ReadAttributeInteger(root, "absent", 9), 9);
    EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::BadValue);

    file.SetAttribute(root.child("Good"), "unit", "m");
    file.SetAttribute(root.child("Good"), "unit", "ft");
    file.SetAttribute(TNode(), "unit", "m");
    EXPECT_EQ(file.ReadPathAttribute(TNode(), {"coil", "Good"}, "", "unit"), "ft");
    EXPECT_EQ(file.CurrentNode(), root.child("Good"));
    EXPECT_EQ(file.ReadPathAttribute(root, {"Nowhere"}, "d", "unit"), "d");
    EXPECT_FALSE(file.CurrentNode());
}

TEST(XMLFile, WritesReplaceOrAdd)
{
    TXMLFile file;
    const TNode root = file.NewRoot("Data", "Vantor", "3");
    EXPECT_STREQ(root.attribute("generator").value(), "Korvane Software");

    file.WriteText(root, "Note", true, "first");
    const TNode note = file.WriteText(root, "Note", true, "second");
    EXPECT_EQ(file.ChildrenNamed(root, "note").size(), 1u);
    EXPECT_STREQ(note.text().get(), "second");
    file.WriteText(root, "Item", false, "a");
    file.WriteText(root, "Item", false, "b");
    EXPECT_EQ(file.ChildrenNamed(root, "Item").size(), 2u);
    EXPECT_FALSE(file.WriteText(TNode(), "Note", true, "x"));
    EXPECT_EQ(file.WriteStatus(), TXmlWriteStatus::NoParent);
    file.WriteBool(root, "Wet", true, true);
    file.WriteInteger(root, "Rows", true, -3);
    file.WriteFloat(root, "Area", true, "%0.3f", 1.23456);
    EXPECT_EQ(file.WriteStatus(), TXmlWriteStatus::Ok);
    EXPECT_TRUE(file.ReadBool(root, "Wet", false));
    EXPECT_EQ(file.ReadInteger(root, "Rows", 0), -3);
    EXPECT_EQ(file.ReadText(root, "Area", ""), "1.235");
}

TEST(XMLFile, TextXmlCannotHoldNeverReachesTheDocument)
{
    TXMLFile file;
    const TNode root = file.NewRoot("Data", "Vantor", "3");
    file.WriteText(root, "Company", true, "A\x01" "B\xFF\xFE");
    EXPECT_EQ(file.WriteStatus(), TXmlWriteStatus::TextFailed);
    file.SetAttribute(root, "note", "x\x02y");
    std::ostringstream saved;
    file.Document().save(saved);
    EXPECT_EQ(saved.str().find("&#"), std::string::npos) << saved.str();

    // What was written parses back, the faults replaced.
    TXMLFile again;
    ASSERT_TRUE(again.LoadText(saved.str())) << again.LoadError();
    EXPECT_EQ(again.ReadText(again.Root(), "Company", ""), "A\xEF\xBF\xBD" "B\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(again.ReadAttribute(again.Root(), "note", ""), "x\xEF\xBF\xBDy");
    file.WriteText(root, "Company", true, "Korvane");
    EXPECT_EQ(file.WriteStatus(), TXmlWriteStatus::Ok);
}

TEST(XMLFile, NavigationFindsOrCreates)
{
    TXMLFile file;
    file.LoadText("<Makers><Maker><Name>B</Name></Maker><maker><Name>A</Name></maker></Makers>");
    EXPECT_FALSE(file.FindPath(TNode(), {"Other", "Maker"}, false));
    EXPECT_FALSE(file.FindPath(TNode(), {"Other"}, true)) << "a second root is never added";
    EXPECT_FALSE(file.FindPath(TNode(), {}, true));
    const TNode root = file.FindPath(TNode(), {"MAKERS"}, false);
    ASSERT_TRUE(root);

    EXPECT_EQ(file.FindItem(root, "MAKER", false, "A", "Name"), root.last_child());
    EXPECT_FALSE(file.FindItem(root, "Maker", false, "a", "Name")) << "key values match exactly";
    const TNode added = file.FindItem(root, "Maker", true, "C", "Name");
    EXPECT_EQ(file.ListValues(root, "maker", "Name"), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(file.FindItem(root, "Maker", true, "C", "Name"), added);
    EXPECT_TRUE(file.ListValues(added.child("Name"), "x", "y").empty());
    EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::NoElement);

    const TNode first = file.FindChild(root, "Header", 0, true);
    EXPECT_EQ(root.first_child(), first);
    EXPECT_EQ(file.FindChild(root, "Header", 2, true), first);
    const TNode deep = file.FindPath(root, {"Units", "Length"}, true);
    EXPECT_EQ(file.FindPath(TNode(), {"Makers", "Units", "Length"}, false), deep);
    EXPECT_FALSE(file.FindChild(TNode(), "Header", -1, true));

    TXMLFile empty;
    const TNode created = empty.FindPath(TNode(), {"Data", "Coil"}, true);
    EXPECT_STREQ(created.parent().name(), "Data");
    EXPECT_EQ(empty.Root(), created.parent());
}

TEST(XMLFile, CheckRootComparesNameAndOptionalAttributes)
{
    TXMLFile file;
    file.LoadText(CoilText);
    EXPECT_TRUE(file.CheckRoot("COIL", "", ""));
    EXPECT_TRUE(file.CheckRoot("Coil", "vantor", "2"));
    EXPECT_FALSE(file.CheckRoot("Coil", "Other", ""));
    EXPECT_FALSE(file.CheckRoot("Coil", "", "3"));
    EXPECT_FALSE(file.CheckRoot("Data", "", ""));
    EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::Ok);
    file.Clear();
    EXPECT_FALSE(file.CheckRoot("Coil", "", ""));
    EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::NotLoaded);
}

TEST(XMLFile, RefusesWhatIsNotAnXMLDocument)
{
    struct Case { const char* label; std::string bytes; };
    for (const Case& c : {Case{"empty", ""}, {"binary", std::string("\x00\xff\xfe<\x01", 5)},
                          {"truncated", "<Coil><Rows>4</Rows>"}, {"declaration only", "<?xml version=\"1.0\"?>"},
                          {"plain text", "Rows=4"}, {"two roots", "<a/><b/>"}}) {
        TXMLFile file;
    file.LoadText(c.bytes);
        EXPECT_EQ(file.ReadStatus(), TXmlReadStatus::NotLoaded) << c.label;
        EXPECT_FALSE(file.LoadError().empty()) << c.label;
        EXPECT_FALSE(file.Root()) << c.label;
    }
    for (const char* good : {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>1</a>", "<a>1</a>\n"}) {
        TXMLFile file;
    file.LoadText(good);
        EXPECT_EQ(file.ReadInteger(file.Root(), "a", 0), 0) << "root holds text, not a child";
        EXPECT_STREQ(file.Root().text().get(), "1") << file.LoadError();
    }
}

class XMLFileOnDisk : public testing::Test {
protected:
    std::string Path(const char* name) const { return (m_folder / name).string(); }
    test::TTempFolder m_temp;
    const fs::path& m_folder = m_temp.Path();
};

TEST_F(XMLFileOnDisk, NumbersAndTextSurviveSaveAndLoadUnderACommaLocale)
{
    test::TCommaLocale locale;
    ASSERT_TRUE(test::TCommaLocale::IsActive()) << "the de_DE.UTF-8 locale is not installed";
    const std::string name = Path("coil.hqx");
    {
        TNode root;
        TXMLFile writer(name, root, true);
        EXPECT_FALSE(root);
        root = writer.NewRoot("Coil", "Vantor", "1");
        writer.WriteFloat(root, "Six", true, "%0.6g", 1.23456789);
        writer.WriteFloat(root, "Tiny", true, "%0.6g", 1.5e-7);
        writer.WriteFloat(root, "Third", true, "%0.17g", 1.0 / 3.0);
        writer.WriteFloat(root, "Tenth", true, "%0.17g", 0.1);
        writer.WriteText(root, "Note", true, " <a & \"b\"> ");
        writer.WriteText(root, "Cleared", true, "");
        ASSERT_TRUE(writer.Save());
    }
    TNode root;
    TXMLFile reader(name, root, false);
    ASSERT_EQ(reader.ReadStatus(), TXmlReadStatus::Ok) << reader.LoadError();
    EXPECT_TRUE(reader.CheckRoot("Coil", "Vantor", "1"));
    EXPECT_EQ(reader.ReadText(root, "Six", ""), "1.23457");
    EXPECT_EQ(reader.ReadFloat(root, "Six", 0), 1.23457);
    EXPECT_EQ(reader.ReadFloat(root, "Tiny", 0), 1.5e-7);
    EXPECT_EQ(reader.ReadFloat(root, "Third", 0), 1.0 / 3.0);
    EXPECT_EQ(reader.ReadFloat(root, "Tenth", 0), 0.1);
    EXPECT_EQ(reader.ReadText(root, "Note", ""), " <a & \"b\"> ");
    EXPECT_EQ(reader.ReadText(root, "Cleared", "old"), "");
    EXPECT_EQ(ReadFileText(name)->rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Coil", 0), 0u);
}

TEST_F(XMLFileOnDisk, MissingUnreadableAndOversizedFiles)
{
    TXMLFile fresh(Path("new.hqx"));
    EXPECT_EQ(fresh.ReadStatus(), TXmlReadStatus::Ok);
    EXPECT_FALSE(fresh.Root());

    const std::string big = Path("big.hqx");
    ASSERT_TRUE(WriteFileAtomically(big, "<a/>"));
    fs::resize_file(big, TXMLFile::MaxFileBytes + 1);
    TNode root;
    TXMLFile tooLarge(big, root, false);
    EXPECT_EQ(tooLarge.ReadStatus(), TXmlReadStatus::NotLoaded);
    EXPECT_NE(tooLarge.LoadError().find(big), std::string::npos);

    TXMLFile folder(m_folder.string());
    EXPECT_EQ(folder.ReadStatus(), TXmlReadStatus::NotLoaded);
}

TEST_F(XMLFileOnDisk, FailedSaveKeepsTheOldFile)
{
    EXPECT_EQ(TXMLFile().Save().Message, "File name not known");
    const std::string name = Path("makers.xml");
    ASSERT_TRUE(WriteFileAtomically(name, "<Makers/>"));

    TXMLFile file(name);
    const TNode root = file.Root();
    file.WriteText(root, "Note", true, std::string(4096, 'x'));
    // A file-size limit makes the write fail even for root, which ignores folder permissions.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const TResult result = file.Save();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result);
    EXPECT_EQ(result.Message.rfind("Unable to write to", 0), 0u);
    EXPECT_EQ(ReadFileText(name), "<Makers/>");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace vantor
