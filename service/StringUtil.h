#pragma once
// Small text helpers shared by the loaders and the detail lines.

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

std::string Trim(std::string_view s);
bool StartsWith(std::string_view s, std::string_view prefix);

// The non-empty parts joined by separator.
std::string JoinNonEmpty(const std::vector<std::string>& parts, std::string_view separator = ", ");

// "2001-01-25" (optionally followed by a time) -> "25/01/2001"; anything else comes back trimmed.
std::string ItalianDate(std::string_view isoDate);

// Runs of blanks, tabs and line ends become one blank.
std::string CollapseWhitespace(std::string_view s);

// The whole file, or throws std::runtime_error naming it.
std::string ReadWholeFile(const std::string& path);

}  // namespace kivo::service
