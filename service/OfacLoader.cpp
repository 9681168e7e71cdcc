#include "OfacLoader.h"

#include "CsvReader.h"
#include "StringUtil.h"

#include <array>
#include <cctype>
#include <filesystem>
#include <unordered_map>

namespace kivo::service {

namespace {

enum SdnColumn { kEntNum, kName, kType, kProgram, kTitle, kCallSign, kVesselType, kTonnage, kGrt,
                 kVesselFlag, kVesselOwner, kRemarks, kSdnColumns };

std::string Field(const CsvRow& row, std::size_t column) { return column < row.size() ? row[column] : std::string(); }

std::string KindOf(const std::string& sdnType)
{
    if (sdnType == "individual") return "Persona fisica";
    if (sdnType == "vessel") return "Nave";
    if (sdnType == "aircraft") return "Aeromobile";
    return "Entità";
}

// "SDGT] [IRGC" holds two programmes.
std::vector<std::string> SplitProgrammes(const std::string& field)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= field.size()) {
        const auto sep = field.find("] [", start);
        const std::string one = Trim(field.substr(start, sep == std::string::npos ? std::string::npos : sep - start));
        if (!one.empty()) out.push_back(one);
        if (sep == std::string::npos) break;
        start = sep + 3;
    }
    return out;
}

// Words that name an identity or registration number in the remarks.
bool NamesAnIdentifier(std::string_view type)
{
    static constexpr std::array<std::string_view, 35> kKeywords = {
        "No.", "No ", "Number", "ID", "Passport", "#", "IMO", "MMSI", "R.F.C.", "C.U.R.P.", "D.N.I.",
        "BIC", "BIK", "Cedula", "Address -", "Registration", "License", "Licence", "Certificate", "Card",
        "SSN", "C.U.I.T.", "C.U.I.", "I.F.E.", "Tax", "Identification", "Identidad", "Serial", "Code",
        "Fiscal", "FEIN", "RTN", "Credencial", "Cartilla", "Matricula"};
    for (auto k : kKeywords)
        if (type.find(k) != std::string_view::npos) return true;
    return type == "No" || type.ends_with(" No");
}

// "Passport 1084010 (Egypt) issued 1990" -> type, number, country, note; false when not one.
bool ParseIdentifier(const std::string& item, IdentityDocument& doc)
{
    std::string main = item;
    std::string note;
    for (std::string_view tail : {" issued", " expires", " Expiration"}) {
        const auto at = main.find(tail);
        if (at != std::string::npos) { note = Trim(main.substr(at)); main.resize(at); }
    }
    // A country in brackets at the end; brackets inside ("Serial Number (MSN) 208B5142") stay.
    main = Trim(main);
    const auto paren = main.rfind('(');
    if (paren != std::string::npos && !main.empty() && main.back() == ')') {
        doc.country = Trim(main.substr(paren + 1, main.size() - paren - 2));
        main = Trim(main.substr(0, paren));
    }
    // The number starts at the first word holding a digit.
    std::size_t wordStart = 0;
    std::size_t numberStart = std::string::npos;
    for (std::size_t i = 0; i <= main.size(); ++i) {
        if (i == main.size() || main[i] == ' ') {
            const std::string_view word(main.data() + wordStart, i - wordStart);
            for (char c : word)
                if (std::isdigit(static_cast<unsigned char>(c))) { numberStart = wordStart; break; }
            if (numberStart != std::string::npos) break;
            wordStart = i + 1;
        }
    }
    if (numberStart == std::string::npos || numberStart == 0) return false;
    doc.type = Trim(main.substr(0, numberStart));
    doc.number = Trim(main.substr(numberStart));
    doc.note = note;
    return NamesAnIdentifier(doc.type);
}

std::string GenderInItalian(const std::string& g)
{
    if (g == "Male") return "Maschile";
    if (g == "Female") return "Femminile";
    return g;
}

// a.k.a. 'ABU HAFS' -> ABU HAFS
std::string QuotedName(const std::string& item)
{
    const auto open = item.find('\'');
    const auto close = item.rfind('\'');
    if (open == std::string::npos || close <= open) return Trim(item.substr(item.find(' ') + 1));
    return item.substr(open + 1, close - open - 1);
}

std::vector<std::string> SplitRemarks(const std::string& remarks)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < remarks.size()) {
        auto end = remarks.find(';', start);
        if (end == std::string::npos) end = remarks.size();
        std::string item = Trim(remarks.substr(start, end - start));
        if (!item.empty() && item.back() == '.' && end == remarks.size()) item.pop_back();
        if (!item.empty()) items.push_back(item);
        start = end + 1;
    }
    return items;
}

void ApplyVesselFields(const CsvRow& row, ListEntry& entry)
{
    static constexpr std::array<std::pair<SdnColumn, const char*>, 6> kVesselFields = {{
        {kCallSign, "Nominativo radio:"}, {kVesselType, "Tipo di nave:"}, {kTonnage, "Stazza:"},
        {kGrt, "Stazza lorda:"}, {kVesselFlag, "Bandiera:"}, {kVesselOwner, "Armatore:"}}};
    for (const auto& [column, label] : kVesselFields) {
        const std::string value = Field(row, column);
        if (!value.empty()) entry.otherFields.emplace_back(label, value);
    }
}

}  // namespace

void ApplyOfacRemark(std::string item, ListEntry& entry)
{
    if (StartsWith(item, "alt. ")) item = item.substr(5);
    if (StartsWith(item, "DOB ")) { entry.birthDates.push_back(Trim(item.substr(4))); return; }
    if (StartsWith(item, "POB ")) { entry.birthPlaces.push_back(Trim(item.substr(4))); return; }
    if (StartsWith(item, "nationality ")) { entry.nationalities.push_back(Trim(item.substr(12))); return; }
    if (StartsWith(item, "citizen ")) { entry.nationalities.push_back(Trim(item.substr(8))); return; }
    if (StartsWith(item, "Gender ")) { entry.gender = GenderInItalian(Trim(item.substr(7))); return; }
    if (StartsWith(item, "a.k.a. ") || StartsWith(item, "f.k.a. ") || StartsWith(item, "n.k.a. ")) {
        entry.weakAliases.push_back(QuotedName(item));
        return;
    }
    IdentityDocument doc;
    if (ParseIdentifier(item, doc)) { entry.documents.push_back(std::move(doc)); return; }
    entry.remarks.push_back(item);
}

std::vector<ListEntry> ParseOfac(std::string_view sdnCsv, std::string_view altCsv, std::string_view addCsv)
{
    const std::vector<CsvRow> rows = ParseOfacCsv(sdnCsv);
    std::vector<ListEntry> entries;
    entries.reserve(rows.size());
    std::unordered_map<std::string, std::size_t> byId;
    for (const CsvRow& row : rows) {
        if (row.size() < 2 || Field(row, kEntNum).empty() || Field(row, kName).empty()) continue;
        ListEntry e;
        e.list = "USA";
        e.id = Field(row, kEntNum);
        e.name = Field(row, kName);
        e.kind = KindOf(Field(row, kType));
        e.programmes = SplitProgrammes(Field(row, kProgram));
        if (!Field(row, kTitle).empty()) e.titles.push_back(Field(row, kTitle));
        ApplyVesselFields(row, e);
        for (auto& item : SplitRemarks(Field(row, kRemarks))) ApplyOfacRemark(std::move(item), e);
        byId.emplace(e.id, entries.size());
        entries.push_back(std::move(e));
    }
    for (const CsvRow& row : ParseOfacCsv(altCsv)) {
        const auto it = byId.find(Field(row, 0));
        if (it == byId.end() || Field(row, 3).empty()) continue;
        entries[it->second].aliases.push_back({Field(row, 3), Field(row, 2)});
    }
    for (const CsvRow& row : ParseOfacCsv(addCsv)) {
        const auto it = byId.find(Field(row, 0));
        if (it == byId.end()) continue;
        const std::string address = JoinNonEmpty({Field(row, 2), Field(row, 3), Field(row, 4), Field(row, 5)});
        if (!address.empty()) entries[it->second].addresses.push_back(address);
    }
    return entries;
}

std::vector<ListEntry> LoadOfacFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    const auto optional = [&](const char* name) {
        const fs::path p = fs::path(folder) / name;
        return fs::exists(p) ? ReadWholeFile(p.string()) : std::string();
    };
    const std::string sdn = ReadWholeFile((fs::path(folder) / "sdn.csv").string());
    return ParseOfac(sdn, optional("alt.csv"), optional("add.csv"));
}

}  // namespace kivo::service
