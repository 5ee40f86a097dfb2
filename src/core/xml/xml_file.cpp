#include "xml/xml_file.h"

#include "text/code_page.h"
#include "text/file_io.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <climits>
#include <filesystem>
#include <optional>

namespace vantor {

namespace {

// Comments and processing instructions (a style sheet link, say) are kept so that a file
// edited by hand keeps them through a load and save. Whitespace between elements is
// indentation and is dropped, but an element whose only content is blanks keeps them as
// its text.
constexpr unsigned LoadOptions =
    pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_ws_pcdata_single;

constexpr const char* Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
constexpr const char* Indent = "  ";

// pugixml takes zero-terminated names and values.
std::string Str(std::string_view text)
{
    return std::string(text);
}

// The text as XML can hold it; the check alone for the usual, well-formed text.
std::string XmlText(std::string_view text)
{
    return CheckXmlText(text) == TXmlTextFault::None ? Str(text) : XmlSafeText(text);
}

bool IsElementNamed(pugi::xml_node node, std::string_view name, bool ignoreCase)
{
    if (node.type() != pugi::node_element) return false;
    return ignoreCase ? SameText(node.name(), name) : name == node.name();
}

pugi::xml_node FirstElementNamed(pugi::xml_node parent, std::string_view name, bool ignoreCase)
{
    for (pugi::xml_node child : parent.children())
        if (IsElementNamed(child, name, ignoreCase)) return child;
    return {};
}

pugi::xml_node NthElement(pugi::xml_node parent, int index)
{
    for (pugi::xml_node child : parent.children()) {
        if (child.type() != pugi::node_element) continue;
        if (index-- == 0) return child;
    }
    return {};
}

// pugixml accepts several top-level elements; that is not a well-formed document, and saving
// it again would write a file other readers refuse.
bool HasSingleRoot(const pugi::xml_document& document)
{
    int elements = 0;
    for (pugi::xml_node child : document.children())
        if (child.type() == pugi::node_element) ++elements;
    return elements == 1;
}

std::optional<int> ParseInt(std::string_view text)
{
    const std::optional<long long> value = ParseInteger(text);
    if (!value || *value < INT_MIN || *value > INT_MAX) return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<bool> ParseBoolWord(std::string_view text)
{
    for (const char* word : {"true", "T", "Yes"})
        if (SameText(text, word)) return true;
    for (const char* word : {"false", "F", "No"})
        if (SameText(text, word)) return false;
    return std::nullopt;
}

class TStringWriter : public pugi::xml_writer {
public:
    explicit TStringWriter(std::string& text) : m_text(text) {}
    void write(const void* data, size_t size) override
    {
        m_text.append(static_cast<const char*>(data), size);
    }

private:
    std::string& m_text;
};

}  // namespace

TXMLFile::TXMLFile() = default;

TXMLFile::TXMLFile(std::string fileName) : m_fileName(std::move(fileName))
{
    LoadFile();
}

TXMLFile::TXMLFile(std::string fileName, TNode& root, bool clear) : TXMLFile(std::move(fileName))
{
    root = TNode();
    if (m_readStatus != TXmlReadStatus::Ok) return;
    // Clearing first keeps root from pointing into the discarded document.
    if (clear)
        Clear();
    else
        root = Root();
}

void TXMLFile::LoadFile()
{
    std::error_code error;
    const std::filesystem::path path(m_fileName);
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return;
    if (error || status.type() != std::filesystem::file_type::regular)
        return FailLoad("Unable to read " + m_fileName);
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > MaxFileBytes)
        return FailLoad(m_fileName + " is too large to be a document of this program");
    const std::optional<std::string> bytes = ReadFileText(path, MaxFileBytes);
    if (!bytes) return FailLoad("Unable to read " + m_fileName);
    LoadText(*bytes);
}

bool TXMLFile::LoadText(std::string_view bytes)
{
    Clear();
    m_readStatus = TXmlReadStatus::Ok;
    m_loadError.clear();
    if (bytes.size() > MaxFileBytes) {
        FailLoad(Describe("the document is too large"));
        return false;
    }
    const pugi::xml_parse_result result =
        m_document.load_buffer(bytes.data(), bytes.size(), LoadOptions, pugi::encoding_auto);
    if (!result) {
        FailLoad(Describe(Format("%s at byte %d", {result.description(), static_cast<long long>(result.offset)})));
        return false;
    }
    if (!HasSingleRoot(m_document)) {
        FailLoad(Describe("more than one root element"));
        return false;
    }
    return true;
}

void TXMLFile::FailLoad(std::string message)
{
    Clear();
    m_readStatus = TXmlReadStatus::NotLoaded;
    m_loadError = std::move(message);
}

std::string TXMLFile::Describe(std::string_view problem) const
{
    const std::string what = m_fileName.empty() ? std::string("The text") : m_fileName;
    return what + " is not an XML document: " + Str(problem);
}

void TXMLFile::Clear()
{
    m_document.reset();
    m_currentNode = TNode();
}

TResult TXMLFile::Save() const
{
    if (m_fileName.empty()) return TResult::Error(TErrorCode::Failed, "File name not known");
    std::string text = Declaration;
    TStringWriter writer(text);
    // The declaration above is the only one written; one held in the tree would repeat it.
    for (TNode child : m_document.children())
        if (child.type() != pugi::node_declaration)
            child.print(writer, Indent, pugi::format_indent, pugi::encoding_utf8);
    return WriteFileAtomically(m_fileName, text);
}

bool TXMLFile::CheckRoot(std::string_view name, std::string_view program, std::string_view version)
{
    m_readStatus = TXmlReadStatus::Ok;
    const TNode root = Root();
    if (!root) {
        m_readStatus = TXmlReadStatus::NotLoaded;
        return false;
    }
    const auto attributeHolds = [&root](const char* attribute, std::string_view expected) {
        return expected.empty() || SameText(root.attribute(attribute).value(), expected);
    };
    return SameText(root.name(), name) && attributeHolds("program", program) &&
           attributeHolds("version", version);
}

TXMLFile::TNode TXMLFile::NewRoot(std::string_view name, std::string_view program,
                                  std::string_view version)
{
    Clear();
    const TNode root = m_document.append_child(Str(name).c_str());
    SetAttribute(root, "program", program);
    SetAttribute(root, "generator", "Korvane Software");
    SetAttribute(root, "version", version);
    return root;
}

TXMLFile::TNode TXMLFile::FindChild(TNode parent, std::string_view name, int index, bool create)
{
    const TNode child = FirstElementNamed(parent, name, false);
    if (child || !create || !parent) return child;
    const TNode before = index < 0 ? TNode() : NthElement(parent, index);
    if (!before) return AddChild(parent, name);
    return parent.insert_child_before(Str(name).c_str(), before);
}

TXMLFile::TNode TXMLFile::FindPath(TNode parent, const std::vector<std::string>& names, bool create)
{
    if (names.empty()) return {};
    auto next = names.begin();
    TNode node = parent;
    if (!node) {
        // There is one root: a first name other than the root's cannot be found, and adding a
        // second top-level element would make the document unreadable.
        node = Root();
        if (!node && create) node = m_document.append_child(next->c_str());
        if (!node || !SameText(node.name(), *next)) return {};
        ++next;
    }
    for (; next != names.end() && node; ++next) node = FindChild(node, *next, -1, create);
    return node;
}

TXMLFile::TNode TXMLFile::AddChild(TNode parent, std::string_view name)
{
    return parent.append_child(Str(name).c_str());
}

TXMLFile::TNode TXMLFile::FindItem(TNode parent, std::string_view childName, bool create,
                                   std::string_view keyValue, std::string_view keyName)
{
    for (TNode child : ChildrenNamed(parent, childName)) {
        const TNode key = FirstElementNamed(child, keyName, false);
        if (key && keyValue == key.text().get()) return child;
    }
    if (!create || !parent) return {};
    const TNode item = AddChild(parent, childName);
    WriteText(item, keyName, true, keyValue);
    return item;
}

std::vector<TXMLFile::TNode> TXMLFile::ChildrenNamed(TNode node, std::string_view name) const
{
    std::vector<TNode> children;
    for (TNode child : node.children())
        if (IsElementNamed(child, name, true)) children.push_back(child);
    return children;
}

std::vector<std::string> TXMLFile::ListValues(TNode node, std::string_view childName,
                                              std::string_view subName)
{
    std::vector<std::string> values;
    m_readStatus = TXmlReadStatus::Ok;
    if (!node) {
        m_readStatus = TXmlReadStatus::NoNode;
        return values;
    }
    if (!NthElement(node, 0)) {
        m_readStatus = TXmlReadStatus::NoElement;
        return values;
    }
    for (TNode child : ChildrenNamed(node, childName))
        if (const TNode sub = FirstElementNamed(child, subName, false)) values.emplace_back(sub.text().get());
    return values;
}

std::string TXMLFile::ReadText(TNode node, std::string_view name, std::string_view defaultText)
{
    m_readStatus = TXmlReadStatus::Ok;
    if (!node) {
        m_readStatus = TXmlReadStatus::NoNode;
        return Str(defaultText);
    }
    const TNode child = FirstElementNamed(node, name, false);
    if (!child) {
        m_readStatus = TXmlReadStatus::NoElement;
        return Str(defaultText);
    }
    m_currentNode = child;
    // An element that is present but empty reads as empty text: a value the user cleared
    // must not come back as the caller's default.
    return child.text().get();
}

std::string TXMLFile::ReadAttribute(TNode node, std::string_view name, std::string_view defaultText)
{
    m_readStatus = TXmlReadStatus::Ok;
    if (!node) {
        m_readStatus = TXmlReadStatus::NoNode;
        return Str(defaultText);
    }
    const pugi::xml_attribute attribute = node.attribute(Str(name).c_str());
    if (attribute.empty() || *attribute.value() == '\0') {
        m_readStatus = TXmlReadStatus::NoAttribute;
        return Str(defaultText);
    }
    return attribute.value();
}

std::string TXMLFile::ReadPathAttribute(TNode parent, const std::vector<std::string>& names,
                                        std::string_view defaultText, std::string_view attribute)
{
    m_currentNode = FindPath(parent, names, false);
    return ReadAttribute(m_currentNode, attribute, defaultText);
}

double TXMLFile::ReadFloat(TNode node, std::string_view name, double defaultValue)
{
    const std::string text = ReadText(node, name, FormatGeneral(defaultValue, 15));
    if (const std::optional<double> value = ParseDouble(text)) return *value;
    // A default that has no text form (NaN) keeps the status of the element lookup.
    if (m_readStatus == TXmlReadStatus::Ok) m_readStatus = TXmlReadStatus::BadValue;
    return defaultValue;
}

int TXMLFile::ReadInteger(TNode node, std::string_view name, int defaultValue)
{
    const std::string text = ReadText(node, name, Format("%d", {defaultValue}));
    if (const std::optional<int> value = ParseInt(text)) return *value;
    m_readStatus = TXmlReadStatus::BadValue;
    return defaultValue;
}

bool TXMLFile::ReadBool(TNode node, std::string_view name, bool defaultValue)
{
    const std::string text = ReadText(node, name, "");
    if (m_readStatus != TXmlReadStatus::Ok) return defaultValue;
    if (const std::optional<bool> value = ParseBoolWord(text)) return *value;
    m_readStatus = TXmlReadStatus::BadValue;
    return defaultValue;
}

double TXMLFile::ReadAttributeFloat(TNode node, std::string_view name, double defaultValue)
{
    if (const std::optional<double> value = ParseDouble(ReadAttribute(node, name, ""))) return *value;
    m_readStatus = TXmlReadStatus::BadValue;
    return defaultValue;
}

int TXMLFile::ReadAttributeInteger(TNode node, std::string_view name, int defaultValue)
{
    if (const std::optional<int> value = ParseInt(ReadAttribute(node, name, ""))) return *value;
    m_readStatus = TXmlReadStatus::BadValue;
    return defaultValue;
}

void TXMLFile::SetAttribute(TNode node, std::string_view name, std::string_view value)
{
    if (!node) return;
    const std::string attributeName = Str(name);
    pugi::xml_attribute attribute = node.attribute(attributeName.c_str());
    if (!attribute) attribute = node.append_attribute(attributeName.c_str());
    attribute.set_value(XmlText(value).c_str());
}

TXMLFile::TNode TXMLFile::WriteText(TNode parent, std::string_view name, bool replace,
                                    std::string_view text)
{
    m_writeStatus = TXmlWriteStatus::Ok;
    if (!parent) {
        m_writeStatus = TXmlWriteStatus::NoParent;
        return {};
    }
    const TNode node = replace ? FindChild(parent, name, -1, true) : AddChild(parent, name);
    // Text XML cannot hold is written with U+FFFD in its place, so the file stays well-formed,
    // and reported.
    const bool wellFormed = CheckXmlText(text) == TXmlTextFault::None;
    if (!node.text().set((wellFormed ? Str(text) : XmlSafeText(text)).c_str()) || !wellFormed)
        m_writeStatus = TXmlWriteStatus::TextFailed;
    return node;
}

TXMLFile::TNode TXMLFile::WriteFloat(TNode parent, std::string_view name, bool replace,
                                     std::string_view format, double value)
{
    return WriteText(parent, name, replace, FormatFloat(format, value));
}

TXMLFile::TNode TXMLFile::WriteBool(TNode parent, std::string_view name, bool replace, bool value)
{
    return WriteText(parent, name, replace, value ? "true" : "false");
}

TXMLFile::TNode TXMLFile::WriteInteger(TNode parent, std::string_view name, bool replace, int value)
{
    return WriteText(parent, name, replace, Format("%d", {value}));
}

}  // namespace vantor
