#pragma once
// The US Treasury SDN list from its legacy CSV files: sdn.csv (entries), alt.csv (aliases),
// add.csv (addresses). The files carry no date: the list date is a setting.

#include "ListEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

// Entries of list "USA" from the three file texts (alt and add may be empty).
std::vector<ListEntry> ParseOfac(std::string_view sdnCsv, std::string_view altCsv, std::string_view addCsv);

// Reads sdn.csv, alt.csv and add.csv of a folder; sdn.csv must exist, the others may be missing.
std::vector<ListEntry> LoadOfacFolder(const std::string& folder);

// Sorts one remarks item of the SDN file ("DOB 10 Dec 1948", "Passport 1084010 (Egypt)", ...)
// into the entry's fields.
void ApplyOfacRemark(std::string item, ListEntry& entry);

}  // namespace kivo::service
