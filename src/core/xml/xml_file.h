#pragma once

// One XML document held in memory, loaded from and saved to a file, with typed reads and
// writes of element texts and attributes. Readers never throw on bad content: they return
// the caller's default and leave a status code, so a reader of an older or partial file keeps
// its current values. Numbers are always written and read with "." as decimal separator.
//
// Node handles are pugixml nodes; a null node stands for "missing", and every operation
// accepts a missing node. Element names are matched with regard to case under a node; root
// names, CheckRoot's attribute values, the child names of FindItem/ListValues/ChildrenNamed
// and the boolean words are matched without regard to case.

#include "text/result.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantor {

// The outcome of the last read operation, with the numbers the file class has always
// documented for it.
enum class TXmlReadStatus : int {
    Ok = 0,
    NotLoaded = 1,    // file not loaded, or no root element
    NoElement = 2,    // element missing (ListValues: no children)
    BadValue = 3,     // number, integer or boolean not converted
    NoNode = 4,       // the node to read under is missing
    NoAttribute = 6,  // attribute missing or empty
};

// The outcome of the last text write.
enum class TXmlWriteStatus : int {
    Ok = 0,
    TextFailed = 1,  // the text could not be set, or held a character XML cannot carry
    NoParent = 2,    // the parent element is missing
};

class TXMLFile {
public:
    using TNode = pugi::xml_node;

    // The largest file Load accepts; no document of the program comes near it.
    static constexpr std::uintmax_t MaxFileBytes = 64u * 1024u * 1024u;

    // An empty document without a file name.
    TXMLFile();
    // The document of fileName: loaded when the file exists, empty otherwise. A file that
    // cannot be loaded leaves an empty document, ReadStatus NotLoaded and the reason in LoadError.
    explicit TXMLFile(std::string fileName);
    // As above; when the load succeeded, root receives the root element (missing when the
    // file does not exist). clear = true empties the document afterwards, so that a writer
    // replaces the old file; root is then a missing node.
    TXMLFile(std::string fileName, TNode& root, bool clear);

    TXMLFile(const TXMLFile&) = delete;
    TXMLFile& operator=(const TXMLFile&) = delete;

    const std::string& FileName() const { return m_fileName; }
    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }
    pugi::xml_document& Document() { return m_document; }
    const pugi::xml_document& Document() const { return m_document; }
    TNode Root() const { return m_document.document_element(); }
    TXmlReadStatus ReadStatus() const { return m_readStatus; }
    TXmlWriteStatus WriteStatus() const { return m_writeStatus; }
    const std::string& LoadError() const { return m_loadError; }
    // The element found by the last ReadText (and the readers built on it) or ReadPathAttribute.
    TNode CurrentNode() const { return m_currentNode; }

    // Replaces the document with the bytes of an XML file (the loading step of the
    // constructors, also usable on text from elsewhere). False, with ReadStatus NotLoaded, LoadError
    // and an empty document, when the bytes are not an XML document with a root element.
    bool LoadText(std::string_view bytes);

    // Empties the document; it stays usable.
    void Clear();
    // Writes the document, indented and with a UTF-8 XML declaration, to FileName.
    // Fails with "File name not known" when FileName is empty, or with the file system's
    // "Unable to write to ..." message; the old file is then untouched.
    TResult Save() const;

    // True when the root element is called name and, for each of program and version that is
    // not empty, the root's attribute of that name holds it. Without a root element:
    // ReadStatus NotLoaded and false.
    bool CheckRoot(std::string_view name, std::string_view program, std::string_view version);
    // Empties the document and creates the root element name with the attributes "program",
    // "generator" and "version".
    TNode NewRoot(std::string_view name, std::string_view program, std::string_view version);

    // The first child element of parent called name. When there is none and create is true a
    // new one is inserted at position index among parent's child elements (-1 or past the
    // end: appended).
    TNode FindChild(TNode parent, std::string_view name, int index = -1, bool create = false);
    // Walks names down from parent, each step a FindChild with create. Without a parent the
    // walk starts at the document, whose root must carry the first name; when the document
    // has no root and create is true, the root is created. An empty list gives a missing node.
    TNode FindPath(TNode parent, const std::vector<std::string>& names, bool create);
    // Always appends a new child element called name.
    TNode AddChild(TNode parent, std::string_view name);
    // The first child called childName whose sub-element keyName holds exactly keyValue.
    // When none matches and create is true, such a child is appended.
    TNode FindItem(TNode parent, std::string_view childName, bool create,
                   std::string_view keyValue, std::string_view keyName);
    // All child elements of node called name, in document order.
    std::vector<TNode> ChildrenNamed(TNode node, std::string_view name) const;
    // For each child called childName, in order, the text of its sub-element subName when it
    // has one. ReadStatus NoElement when node has no children.
    std::vector<std::string> ListValues(TNode node, std::string_view childName,
                                        std::string_view subName);

    // The text of node's child element name. Status NoNode for a missing node, NoElement for a missing
    // element. A present element without text reads as empty text, status Ok.
    std::string ReadText(TNode node, std::string_view name, std::string_view defaultText);
    // Node's attribute name; missing or empty gives status NoAttribute (a missing node NoNode).
    std::string ReadAttribute(TNode node, std::string_view name, std::string_view defaultText);
    // ReadAttribute on the node FindPath(parent, names) finds without creating anything.
    std::string ReadPathAttribute(TNode parent, const std::vector<std::string>& names,
                                  std::string_view defaultText, std::string_view attribute);
    // The element's number. The default goes through its text form (up to 15 significant
    // digits), so a missing element returns the default as that text reads back, status NoElement.
    // Text that is not a number gives the default with status BadValue.
    double ReadFloat(TNode node, std::string_view name, double defaultValue);
    // Extended values are held in double precision here.
    double ReadExtended(TNode node, std::string_view name, double defaultValue)
    {
        return ReadFloat(node, name, defaultValue);
    }
    // As ReadFloat for a whole number within the range of int.
    int ReadInteger(TNode node, std::string_view name, int defaultValue);
    // "true", "T", "Yes" / "false", "F", "No" in any case; other text gives the default with
    // status BadValue, a missing element the default with status NoElement.
    bool ReadBool(TNode node, std::string_view name, bool defaultValue);
    // The attribute converted; a missing attribute or bad text gives status BadValue and the default.
    double ReadAttributeFloat(TNode node, std::string_view name, double defaultValue);
    int ReadAttributeInteger(TNode node, std::string_view name, int defaultValue);

    // Sets (creating when missing) node's attribute name; nothing for a missing node. Texts
    // here and in the writers below are UTF-8: a malformed byte or a character XML 1.0
    // forbids is written as U+FFFD, so a saved document is always well-formed.
    void SetAttribute(TNode node, std::string_view name, std::string_view value);
    // Writes text as the child element name of parent and returns that element. With replace
    // the first existing child of that name is reused, otherwise a new one is always added.
    // WriteStatus NoParent for a missing parent, TextFailed when the text could not be set or held a fault
    // that was replaced.
    TNode WriteText(TNode parent, std::string_view name, bool replace, std::string_view text);
    // value formatted with a format string such as "%0.3f" or "%0.6g", then WriteText.
    TNode WriteFloat(TNode parent, std::string_view name, bool replace, std::string_view format,
                     double value);
    TNode WriteExtended(TNode parent, std::string_view name, bool replace,
                        std::string_view format, double value)
    {
        return WriteFloat(parent, name, replace, format, value);
    }
    TNode WriteBool(TNode parent, std::string_view name, bool replace, bool value);
    TNode WriteInteger(TNode parent, std::string_view name, bool replace, int value);

private:
    void LoadFile();
    void FailLoad(std::string message);
    std::string Describe(std::string_view problem) const;

    std::string m_fileName;
    pugi::xml_document m_document;
    TXmlReadStatus m_readStatus = TXmlReadStatus::Ok;
    TXmlWriteStatus m_writeStatus = TXmlWriteStatus::Ok;
    std::string m_loadError;
    TNode m_currentNode;
};

}  // namespace vantor
