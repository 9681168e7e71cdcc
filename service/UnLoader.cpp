#include "UnLoader.h"

#include "StringUtil.h"
#include "XmlUtil.h"

#include <pugixml.hpp>

#include <stdexcept>

namespace kivo::service {

namespace {

bool IsTalebRegime(const std::string& listType) { return listType == "Al-Qaida" || listType == "Taliban"; }

std::vector<std::string> Values(const pugi::xml_node& record, std::string_view element)
{
    std::vector<std::string> out;
    for (const auto& holder : ChildrenByLocalName(record, element))
        for (const auto& value : ChildrenByLocalName(holder, "VALUE")) {
            std::string v = CollapseWhitespace(value.text().get());
            if (!v.empty()) out.push_back(v);
        }
    return out;
}

std::string FullName(const pugi::xml_node& record)
{
    return CollapseWhitespace(JoinNonEmpty({ChildText(record, "FIRST_NAME"), ChildText(record, "SECOND_NAME"),
                                            ChildText(record, "THIRD_NAME"), ChildText(record, "FOURTH_NAME")},
                                           " "));
}

std::string BirthDate(const pugi::xml_node& dob)
{
    std::string when;
    if (!ChildText(dob, "DATE").empty()) when = ItalianDate(ChildText(dob, "DATE"));
    else if (!ChildText(dob, "YEAR").empty()) when = ChildText(dob, "YEAR");
    else if (!ChildText(dob, "FROM_YEAR").empty())
        when = "tra il " + ChildText(dob, "FROM_YEAR") + " e il " + ChildText(dob, "TO_YEAR");
    if (when.empty()) return {};
    const std::string type = ChildText(dob, "TYPE_OF_DATE");
    if (type == "APPROXIMATELY") when = "circa " + when;
    return JoinNonEmpty({when, ChildText(dob, "NOTE")}, " - ");
}

std::string Place(const pugi::xml_node& node)
{
    return CollapseWhitespace(JoinNonEmpty({ChildText(node, "STREET"), ChildText(node, "CITY"),
                                            ChildText(node, "STATE_PROVINCE"), ChildText(node, "ZIP_CODE"),
                                            ChildText(node, "COUNTRY"), ChildText(node, "NOTE")}));
}

IdentityDocument Document(const pugi::xml_node& doc)
{
    IdentityDocument d;
    d.type = JoinNonEmpty({ChildText(doc, "TYPE_OF_DOCUMENT"), ChildText(doc, "TYPE_OF_DOCUMENT2")}, " - ");
    d.number = ChildText(doc, "NUMBER");
    d.country = JoinNonEmpty({ChildText(doc, "ISSUING_COUNTRY"), ChildText(doc, "COUNTRY_OF_ISSUE")});
    std::string issued = ChildText(doc, "DATE_OF_ISSUE");
    if (!issued.empty()) issued = "rilasciato il " + ItalianDate(issued);
    d.note = CollapseWhitespace(JoinNonEmpty({issued, ChildText(doc, "CITY_OF_ISSUE"), ChildText(doc, "NOTE")}));
    return d;
}

void ReadAliases(const pugi::xml_node& record, std::string_view element, ListEntry& e)
{
    for (const auto& alias : ChildrenByLocalName(record, element)) {
        const std::string name = CollapseWhitespace(ChildText(alias, "ALIAS_NAME"));
        if (name.empty()) continue;
        e.aliases.push_back({name, ChildText(alias, "QUALITY")});
    }
}

ListEntry ReadRecord(const pugi::xml_node& record, bool individual)
{
    ListEntry e;
    e.list = "TALEB";
    e.id = ChildText(record, "REFERENCE_NUMBER");
    if (e.id.empty()) e.id = ChildText(record, "DATAID");
    e.name = FullName(record);
    e.kind = individual ? "Persona fisica" : "Entità";
    const std::string script = ChildText(record, "NAME_ORIGINAL_SCRIPT");
    if (!script.empty()) e.originalScript.push_back(script);
    for (auto& t : Values(record, "TITLE")) e.titles.push_back(std::move(t));
    for (auto& t : Values(record, "DESIGNATION")) e.titles.push_back(std::move(t));
    e.gender = ChildText(record, "GENDER") == "Male" ? "Maschile"
             : ChildText(record, "GENDER") == "Female" ? "Femminile" : ChildText(record, "GENDER");
    ReadAliases(record, individual ? "INDIVIDUAL_ALIAS" : "ENTITY_ALIAS", e);
    for (const auto& dob : ChildrenByLocalName(record, "INDIVIDUAL_DATE_OF_BIRTH"))
        if (auto d = BirthDate(dob); !d.empty()) e.birthDates.push_back(d);
    for (const auto& pob : ChildrenByLocalName(record, "INDIVIDUAL_PLACE_OF_BIRTH"))
        if (auto p = Place(pob); !p.empty()) e.birthPlaces.push_back(p);
    e.nationalities = Values(record, "NATIONALITY");
    for (const auto& doc : ChildrenByLocalName(record, "INDIVIDUAL_DOCUMENT")) {
        IdentityDocument d = Document(doc);
        if (!d.number.empty() || !d.type.empty()) e.documents.push_back(std::move(d));
    }
    for (const auto& addr : ChildrenByLocalName(record, individual ? "INDIVIDUAL_ADDRESS" : "ENTITY_ADDRESS"))
        if (auto a = Place(addr); !a.empty()) e.addresses.push_back(a);
    e.programmes.push_back(ChildText(record, "UN_LIST_TYPE"));
    if (const auto on = ChildText(record, "LISTED_ON"); !on.empty()) e.listedOn.push_back(ItalianDate(on));
    const std::string comments = CollapseWhitespace(ChildText(record, "COMMENTS1"));
    if (!comments.empty()) e.remarks.push_back(comments);
    return e;
}

}  // namespace

DatedList ParseUnConsolidated(std::string_view xml)
{
    pugi::xml_document doc;
    const pugi::xml_node root = ParseListRoot(doc, xml, "CONSOLIDATED_LIST", "UN");
    DatedList out;
    out.date = std::string(root.attribute("dateGenerated").value()).substr(0, 10);
    const auto readGroup = [&](std::string_view group, std::string_view item, bool individual) {
        for (const auto& holder : ChildrenByLocalName(root, group))
            for (const auto& record : ChildrenByLocalName(holder, item))
                if (IsTalebRegime(ChildText(record, "UN_LIST_TYPE")))
                    out.entries.push_back(ReadRecord(record, individual));
    };
    readGroup("INDIVIDUALS", "INDIVIDUAL", true);
    readGroup("ENTITIES", "ENTITY", false);
    return out;
}

DatedList LoadUnFile(const std::string& path) { return ParseUnConsolidated(ReadWholeFile(path)); }

}  // namespace kivo::service
