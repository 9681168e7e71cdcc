#include "XmlUtil.h"

#include "StringUtil.h"

#include <stdexcept>

namespace kivo::service {

pugi::xml_node ParseListRoot(pugi::xml_document& doc, std::string_view xml, std::string_view rootName,
                             const std::string& listName)
{
    const auto parsed = doc.load_buffer(xml.data(), xml.size());
    if (!parsed) throw std::runtime_error(listName + " list is not XML: " + parsed.description());
    const pugi::xml_node root = doc.document_element();
    if (LocalName(root) != rootName)
        throw std::runtime_error(listName + " list: the root element is not " + std::string(rootName));
    return root;
}

std::string_view LocalName(const pugi::xml_node& node)
{
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node ChildByLocalName(const pugi::xml_node& parent, std::string_view name)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && LocalName(child) == name) return child;
    return {};
}

std::vector<pugi::xml_node> ChildrenByLocalName(const pugi::xml_node& parent, std::string_view name)
{
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && LocalName(child) == name) out.push_back(child);
    return out;
}

std::string ChildText(const pugi::xml_node& parent, std::string_view name)
{
    return Trim(ChildByLocalName(parent, name).text().get());
}

}  // namespace kivo::service
