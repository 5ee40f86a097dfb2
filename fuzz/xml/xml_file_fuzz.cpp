// Arbitrary bytes as an XML file: loading either refuses them with a message or gives a
// document that every reader walks without crashing, and that can be edited afterwards.

#include "xml/xml_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using vantor::TXMLFile;

void ReadEverythingUnder(TXMLFile& file, TXMLFile::TNode node)
{
    for (pugi::xml_attribute attribute : node.attributes()) {
        (void)file.ReadAttribute(node, attribute.name(), "default");
        (void)file.ReadAttributeFloat(node, attribute.name(), 1.5);
        (void)file.ReadAttributeInteger(node, attribute.name(), 7);
    }
    for (TXMLFile::TNode child : node.children()) {
        const char* name = child.name();
        (void)file.ReadText(node, name, "default");
        (void)file.ReadFloat(node, name, 0.1);
        (void)file.ReadInteger(node, name, -3);
        (void)file.ReadBool(node, name, true);
        (void)file.ChildrenNamed(node, name);
        (void)file.ListValues(node, name, name);
        if (TXMLFile::TNode grandChild = child.first_child())
            (void)file.FindItem(node, name, false, grandChild.text().get(), grandChild.name());
    }
}

// pugixml's own traversal is iterative, so deeply nested input cannot exhaust the stack here.
class TReader : public pugi::xml_tree_walker {
public:
    explicit TReader(TXMLFile& file) : m_file(file) {}
    bool for_each(pugi::xml_node& node) override
    {
        if (node.type() == pugi::node_element) ReadEverythingUnder(m_file, node);
        return true;
    }

private:
    TXMLFile& m_file;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TXMLFile file;
    if (!file.LoadText(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;

    const TXMLFile::TNode root = file.Root();
    (void)file.CheckRoot(root.name(), root.attribute("program").value(), root.attribute("version").value());
    ReadEverythingUnder(file, root);
    TReader reader(file);
    file.Document().traverse(reader);

    const std::string firstName = root.first_child().name();
    (void)file.ReadPathAttribute(pugi::xml_node(), {root.name(), firstName}, "", "version");
    const TXMLFile::TNode path = file.FindPath(pugi::xml_node(), {root.name(), firstName, "Added"}, true);
    file.WriteFloat(path, "Value", true, "%0.6g", file.ReadFloat(root, firstName, 2.5));
    file.SetAttribute(path, "key", root.text().get());
    file.NewRoot(firstName.empty() ? "Root" : firstName, "Vantor", "1");
    return 0;
}
