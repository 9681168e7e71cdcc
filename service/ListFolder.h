#pragma once
// A folder of lists: ofac/ (sdn.csv, alt.csv, add.csv), un/ (the consolidated XML) and eu/ (the
// Financial Sanctions Files XML). A list missing there is taken from the fallback folder (the
// shipped samples), so that the service always screens against all three lists.

#include "ListEntry.h"

#include <map>
#include <string>
#include <vector>

namespace kivo::service {

struct ListFolderOptions {
    std::string folder;
    std::string fallbackFolder;  // "" = none
    // List code -> yyyy-mm-dd, overriding the date read from the files. The OFAC files carry no
    // date: without an override it comes from ofac/DATE (one line yyyy-mm-dd) or, failing that,
    // from the modification day of sdn.csv.
    std::map<std::string, std::string> dates;
};

struct LoadedLists {
    ListSet lists;
    std::vector<std::string> notes;  // what was read, for the start-up log
};

// Throws std::runtime_error when a file is unreadable or malformed, or no list was found at all.
LoadedLists LoadListFolder(const ListFolderOptions& options);

// The folder that the service reads by default: the shipped sample lists, from liste-servizio/
// beside the executable when it is there, else from the source tree.
std::string SampleListsFolder();

}  // namespace kivo::service
