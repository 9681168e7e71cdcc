#include "DetailLines.h"

#include "StringUtil.h"

namespace kivo::service {

namespace {

constexpr std::size_t kLineWidth = 100;  // longer texts go on continuation lines

// No "|" inside a field (it would split it) and no control characters (not allowed in XML).
std::string CleanField(std::string_view text)
{
    std::string out;
    for (char c : CollapseWhitespace(text)) {
        if (c == '|') out += '/';
        else if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    return out;
}

class LineWriter {
public:
    void Heading(std::string_view title) { lines_.push_back("H" + std::string(title)); }

    // "DLabel:|value", wrapped at word boundaries onto "D|..." lines.
    void Data(std::string_view label, std::string_view value)
    {
        std::string rest = CleanField(value);
        if (rest.empty()) return;
        std::string prefix = "D" + std::string(label) + "|";
        while (!rest.empty()) {
            std::size_t cut = rest.size();
            if (cut > kLineWidth) {
                cut = rest.rfind(' ', kLineWidth);
                if (cut == std::string::npos || cut == 0) cut = kLineWidth;
                while (cut > 1 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) --cut;  // whole UTF-8 characters
            }
            lines_.push_back(prefix + rest.substr(0, cut));
            rest = Trim(rest.substr(cut));
            prefix = "D|";
        }
    }

    void DataEach(std::string_view label, const std::vector<std::string>& values)
    {
        for (const auto& v : values) Data(label, v);
    }

    std::vector<std::string> Take() { return std::move(lines_); }

private:
    std::vector<std::string> lines_;
};

std::string DocumentText(const IdentityDocument& d)
{
    std::string text = JoinNonEmpty({d.type, d.number.empty() ? "" : "n. " + d.number}, " ");
    if (!d.country.empty()) text += " (" + d.country + ")";
    return JoinNonEmpty({text, d.note}, " - ");
}

// How the lists qualify an alias, in the program's language.
std::string AliasQuality(const std::string& quality)
{
    if (quality == "Good") return "qualità buona";
    if (quality == "Low") return "qualità bassa";
    return quality;
}

void WriteListPart(const ListEntry& e, const std::string& listDate, LineWriter& out)
{
    out.Heading("LISTA DI ORIGINE");
    out.Data("Lista:", ListFullName(e.list));
    out.Data("Identificativo:", e.id);
    out.Data("Data della lista:", ItalianDate(listDate));
    out.DataEach("Programma / regime:", e.programmes);
    out.DataEach("Data di inserimento:", e.listedOn);
}

void WriteNames(const ListEntry& e, LineWriter& out)
{
    out.Heading("NOMINATIVO E ALIAS");
    out.Data("Nome:", e.name);
    out.Data("Tipo:", e.kind);
    out.DataEach("Nome in scrittura originale:", e.originalScript);
    out.DataEach("Titolo / funzione:", e.titles);
    for (const auto& a : e.aliases)
        out.Data("Alias:", a.quality.empty() ? a.name : a.name + " (" + AliasQuality(a.quality) + ")");
    out.DataEach("Alias secondario:", e.weakAliases);
}

void WritePersonalData(const ListEntry& e, LineWriter& out)
{
    if (e.gender.empty() && e.birthDates.empty() && e.birthPlaces.empty() && e.nationalities.empty()) return;
    out.Heading("DATI ANAGRAFICI");
    out.Data("Sesso:", e.gender);
    out.DataEach("Data di nascita:", e.birthDates);
    out.DataEach("Luogo di nascita:", e.birthPlaces);
    out.DataEach("Nazionalità:", e.nationalities);
}

void WriteDocumentsAndAddresses(const ListEntry& e, LineWriter& out)
{
    if (!e.documents.empty()) {
        out.Heading("DOCUMENTI E IDENTIFICATIVI");
        for (const auto& d : e.documents) out.Data("Documento:", DocumentText(d));
    }
    if (!e.addresses.empty()) {
        out.Heading("INDIRIZZI");
        out.DataEach("Indirizzo:", e.addresses);
    }
}

void WriteOther(const ListEntry& e, LineWriter& out)
{
    if (!e.otherFields.empty()) {
        out.Heading("ALTRI DATI");
        for (const auto& [label, value] : e.otherFields) out.Data(label, value);
    }
    if (!e.remarks.empty()) {
        out.Heading("NOTE");
        out.DataEach("Nota:", e.remarks);
    }
}

}  // namespace

std::string ListFullName(std::string_view list)
{
    if (list == "UE") return "Unione Europea";
    if (list == "USA") return "Stati Uniti - Dipartimento del Tesoro";
    if (list == "TALEB") return "ONU - Consiglio di Sicurezza (Lista Talebani)";
    return std::string(list);
}

std::vector<std::string> DetailLines(const ListEntry& entry, const std::string& listDate)
{
    LineWriter out;
    WriteListPart(entry, listDate, out);
    WriteNames(entry, out);
    WritePersonalData(entry, out);
    WriteDocumentsAndAddresses(entry, out);
    WriteOther(entry, out);
    return out.Take();
}

std::vector<std::string> NotFoundLines(std::string_view list, std::string_view id)
{
    LineWriter out;
    out.Heading("SCHEDA NON TROVATA");
    out.Data("Lista:", ListFullName(list));
    out.Data("Identificativo:", id);
    out.Data("Esito:", "nessuna voce della lista ha questo identificativo (la lista potrebbe essere stata aggiornata)");
    return out.Take();
}

}  // namespace kivo::service
