#include "EuLoader.h"

#include "StringUtil.h"
#include "XmlUtil.h"

#include <pugixml.hpp>

#include <stdexcept>

namespace kivo::service {

namespace {

std::string Attr(const pugi::xml_node& node, const char* name) { return CollapseWhitespace(node.attribute(name).value()); }

std::string AliasName(const pugi::xml_node& alias)
{
    std::string whole = Attr(alias, "wholeName");
    if (whole.empty())
        whole = JoinNonEmpty({Attr(alias, "firstName"), Attr(alias, "middleName"), Attr(alias, "lastName")}, " ");
    return whole;
}

std::string KindOf(const pugi::xml_node& entity)
{
    const std::string code = Attr(ChildByLocalName(entity, "subjectType"), "code");
    return code == "person" ? "Persona fisica" : "Entità";
}

std::string BirthDate(const pugi::xml_node& b)
{
    std::string when = Attr(b, "birthdate");
    when = when.empty() ? Attr(b, "year") : ItalianDate(when);
    if (!when.empty() && Attr(b, "circa") == "true") when = "circa " + when;
    return when;
}

std::string BirthPlace(const pugi::xml_node& b)
{
    return JoinNonEmpty({Attr(b, "city"), Attr(b, "place"), Attr(b, "region"), Attr(b, "countryDescription")});
}

std::string Address(const pugi::xml_node& a)
{
    return JoinNonEmpty({Attr(a, "street"), Attr(a, "poBox"), Attr(a, "zipCode"), Attr(a, "city"), Attr(a, "place"),
                         Attr(a, "region"), Attr(a, "countryDescription")});
}

IdentityDocument Document(const pugi::xml_node& id)
{
    IdentityDocument d;
    d.type = Attr(id, "identificationTypeDescription");
    if (d.type.empty()) d.type = Attr(id, "identificationTypeCode");
    d.number = Attr(id, "number");
    d.country = Attr(id, "countryDescription");
    std::vector<std::string> notes{Attr(id, "issuedBy")};
    if (Attr(id, "diplomatic") == "true") notes.push_back("diplomatico");
    if (Attr(id, "knownFalse") == "true") notes.push_back("falso");
    if (Attr(id, "knownExpired") == "true") notes.push_back("scaduto");
    if (Attr(id, "reportedLost") == "true") notes.push_back("denunciato smarrito");
    for (const auto& remark : ChildrenByLocalName(id, "remark")) notes.push_back(CollapseWhitespace(remark.text().get()));
    d.note = JoinNonEmpty(notes);
    return d;
}

std::string Regulation(const pugi::xml_node& r)
{
    std::string date = Attr(r, "publicationDate");
    if (!date.empty()) date = "pubblicato il " + ItalianDate(date);
    return JoinNonEmpty({Attr(r, "programme"), Attr(r, "numberTitle"), date});
}

ListEntry ReadEntity(const pugi::xml_node& entity)
{
    ListEntry e;
    e.list = "UE";
    e.id = Attr(entity, "logicalId");
    e.kind = KindOf(entity);
    for (const auto& alias : ChildrenByLocalName(entity, "nameAlias")) {
        const std::string name = AliasName(alias);
        if (name.empty()) continue;
        if (e.name.empty()) e.name = name;
        else if (Attr(alias, "strong") == "false") e.weakAliases.push_back(name);
        else e.aliases.push_back({name, ""});
        if (e.gender.empty()) e.gender = Attr(alias, "gender") == "M" ? "Maschile" : Attr(alias, "gender") == "F" ? "Femminile" : "";
        for (const char* attr : {"title", "function"})
            if (const auto t = Attr(alias, attr); !t.empty()) e.titles.push_back(t);
    }
    for (const auto& b : ChildrenByLocalName(entity, "birthdate")) {
        if (auto d = BirthDate(b); !d.empty()) e.birthDates.push_back(d);
        if (auto p = BirthPlace(b); !p.empty()) e.birthPlaces.push_back(p);
    }
    for (const auto& c : ChildrenByLocalName(entity, "citizenship"))
        if (auto n = Attr(c, "countryDescription"); !n.empty()) e.nationalities.push_back(n);
    for (const auto& id : ChildrenByLocalName(entity, "identification")) e.documents.push_back(Document(id));
    for (const auto& a : ChildrenByLocalName(entity, "address"))
        if (auto text = Address(a); !text.empty()) e.addresses.push_back(text);
    for (const auto& r : ChildrenByLocalName(entity, "regulation")) {
        if (auto text = Regulation(r); !text.empty()) e.programmes.push_back(text);
        if (auto on = Attr(r, "entryIntoForceDate"); !on.empty() && e.listedOn.empty()) e.listedOn.push_back(ItalianDate(on));
    }
    if (const auto ref = Attr(entity, "euReferenceNumber"); !ref.empty()) e.otherFields.emplace_back("Riferimento UE:", ref);
    if (const auto un = Attr(entity, "unitedNationId"); !un.empty()) e.otherFields.emplace_back("Riferimento ONU:", un);
    for (const auto& remark : ChildrenByLocalName(entity, "remark"))
        if (auto text = CollapseWhitespace(remark.text().get()); !text.empty()) e.remarks.push_back(text);
    return e;
}

}  // namespace

DatedList ParseEuExport(std::string_view xml)
{
    pugi::xml_document doc;
    const pugi::xml_node root = ParseListRoot(doc, xml, "export", "EU");
    DatedList out;
    out.date = std::string(root.attribute("generationDate").value()).substr(0, 10);
    for (const auto& entity : ChildrenByLocalName(root, "sanctionEntity")) {
        ListEntry e = ReadEntity(entity);
        if (!e.id.empty() && !e.name.empty()) out.entries.push_back(std::move(e));
    }
    return out;
}

DatedList LoadEuFile(const std::string& path) { return ParseEuExport(ReadWholeFile(path)); }

}  // namespace kivo::service
