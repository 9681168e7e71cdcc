#pragma once
// One listed person, organisation, vessel or aircraft, as the three loaders read it.

#include <map>
#include <string>
#include <vector>

namespace kivo::service {

struct Alias {
    std::string name;
    std::string quality;  // "a.k.a.", "f.k.a.", "Good", "Low", ... as the list says
};

struct IdentityDocument {
    std::string type;     // "Passport", "National ID No.", ...
    std::string number;   // as listed
    std::string country;  // issuing country, when known
    std::string note;     // issue date, remarks
};

struct ListEntry {
    std::string list;  // "UE", "USA" or "TALEB"
    std::string id;    // the entry's identifier in its list
    std::string name;  // the listed name
    std::string kind;  // "Persona fisica", "Entità", "Nave", "Aeromobile"
    std::vector<Alias> aliases;       // searchable other names
    std::vector<std::string> weakAliases;  // shown, not searched (low-quality names)
    std::vector<std::string> originalScript;
    std::vector<std::string> titles;  // titles, functions, designations
    std::string gender;
    std::vector<std::string> birthDates;
    std::vector<std::string> birthPlaces;
    std::vector<std::string> nationalities;
    std::vector<IdentityDocument> documents;
    std::vector<std::string> addresses;
    std::vector<std::string> programmes;  // sanctions programmes or regimes
    std::vector<std::string> listedOn;
    std::vector<std::pair<std::string, std::string>> otherFields;  // label, value (vessel data, ...)
    std::vector<std::string> remarks;
};

// One list as a loader reads it: its entries and its publication date (yyyy-mm-dd).
struct DatedList {
    std::vector<ListEntry> entries;
    std::string date;
};

// The loaded lists: the entries and the publication date of each list (yyyy-mm-dd).
struct ListSet {
    std::vector<ListEntry> entries;
    std::map<std::string, std::string> dates;  // list code -> yyyy-mm-dd
};

}  // namespace kivo::service
