#include "XmlUtil.h"

#include "StringUtil.h"

namespace kivo::service {

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
