#pragma once
// The UN Security Council consolidated list (XML CONSOLIDATED_LIST). Only the records of the
// 1267 regime (UN_LIST_TYPE "Al-Qaida" or "Taliban") form the program's list "TALEB".

#include "ListEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

// Throws std::runtime_error when the text is not the consolidated list.
DatedList ParseUnConsolidated(std::string_view xml);
DatedList LoadUnFile(const std::string& path);

}  // namespace kivo::service
