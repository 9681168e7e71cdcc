#pragma once
// The EU consolidated list in the Financial Sanctions Files XML format 1.1 (root "export",
// one "sanctionEntity" per listed subject), as list "UE".

#include "ListEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

struct EuList {
    std::vector<ListEntry> entries;
    std::string date;  // yyyy-mm-dd of generationDate
};

// Throws std::runtime_error when the text is not such a file.
EuList ParseEuExport(std::string_view xml);
EuList LoadEuFile(const std::string& path);

}  // namespace kivo::service
