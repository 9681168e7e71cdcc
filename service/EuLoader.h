#pragma once
// The EU consolidated list in the Financial Sanctions Files XML format 1.1 (root "export",
// one "sanctionEntity" per listed subject), as list "UE".

#include "ListEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

// Throws std::runtime_error when the text is not such a file.
DatedList ParseEuExport(std::string_view xml);
DatedList LoadEuFile(const std::string& path);

}  // namespace kivo::service
