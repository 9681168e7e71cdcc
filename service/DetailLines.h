#pragma once
// The detail lines of one entry, as cerca_dettaglio answers them: the first character is the line
// type ("H" heading, "D" data), "|" separates the fields. The client shows a line with every "|"
// turned into a blank, so a data line reads "Label: value".

#include "ListEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

// Full name of a list code as the program shows it ("UE" -> "Unione Europea").
std::string ListFullName(std::string_view list);

// listDate is yyyy-mm-dd ("" when unknown).
std::vector<std::string> DetailLines(const ListEntry& entry, const std::string& listDate);

// The answer for an identifier that no entry of the list has.
std::vector<std::string> NotFoundLines(std::string_view list, std::string_view id);

}  // namespace kivo::service
