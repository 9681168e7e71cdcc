#pragma once
// pugixml helpers that match element names without their namespace prefix.

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

// Parses a list file into doc and returns its root element; throws std::runtime_error naming the
// list when the text is not XML or its root is not rootName.
pugi::xml_node ParseListRoot(pugi::xml_document& doc, std::string_view xml, std::string_view rootName,
                             const std::string& listName);

// "ns2:sanctionEntity" -> "sanctionEntity".
std::string_view LocalName(const pugi::xml_node& node);

// First child element with this local name (empty node when none).
pugi::xml_node ChildByLocalName(const pugi::xml_node& parent, std::string_view name);

// Every child element with this local name, in document order.
std::vector<pugi::xml_node> ChildrenByLocalName(const pugi::xml_node& parent, std::string_view name);

// Trimmed text of the first child element with this local name ("" when none).
std::string ChildText(const pugi::xml_node& parent, std::string_view name);

}  // namespace kivo::service
