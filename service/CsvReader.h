#pragma once
// The OFAC legacy CSV dialect: comma-separated, texts in double quotes ("" inside is one quote),
// "-0-" (often followed by a blank) for an empty field, CR LF line ends, a DOS end-of-file mark.

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

using CsvRow = std::vector<std::string>;

// Every non-empty row of the text; "-0-" fields come back empty, unquoted fields trimmed. Fields
// that are not UTF-8 are read as Windows-1252 (older files were written so) and come back in UTF-8.
std::vector<CsvRow> ParseOfacCsv(std::string_view text);

}  // namespace kivo::service
