#include "SoapMessages.h"

#include "StringUtil.h"
#include "TextNormalise.h"
#include "XmlUtil.h"

#include <pugixml.hpp>

#include <sstream>

namespace kivo::service {

namespace {

constexpr std::size_t kMaxSearchedLength = 256;
constexpr std::size_t kMaxIdLength = 64;

// The namespace URI in scope for a prefix ("" = the default namespace) at this element.
std::string NamespaceOf(pugi::xml_node node)
{
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    const std::string attribute =
        colon == std::string_view::npos ? std::string("xmlns") : "xmlns:" + std::string(name.substr(0, colon));
    for (; node; node = node.parent())
        if (const auto a = node.attribute(attribute.c_str())) return a.value();
    return {};
}

pugi::xml_node FirstElementChild(const pugi::xml_node& parent)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) return c;
    return {};
}

// Text that can go back into an answer as it is: well-formed UTF-8 without control characters.
bool IsCleanText(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = NextCodePoint(text, pos);
        if (cp == 0xFFFD || cp < 0x20 || cp == 0x7F) return false;
    }
    return true;
}

bool Fail(SoapFault& fault, std::string reason)
{
    fault = {true, std::move(reason)};
    return false;
}

bool ReadSearch(const pugi::xml_node& operation, SoapRequest& request, SoapFault& fault)
{
    const pugi::xml_node ricStr = ChildByLocalName(operation, "ric_str");
    if (!ricStr) return Fail(fault, "cerca_indice senza ric_str");
    request.operation = SoapRequest::Operation::SearchIndex;
    request.searched = ricStr.text().get();
    if (request.searched.size() > kMaxSearchedLength) return Fail(fault, "ric_str troppo lungo");
    if (Trim(request.searched).empty()) return Fail(fault, "ric_str vuoto: nessun elemento da cercare");
    return true;
}

bool ReadDetail(const pugi::xml_node& operation, SoapRequest& request, SoapFault& fault)
{
    const pugi::xml_node idx = ChildByLocalName(operation, "idx");
    if (!idx) return Fail(fault, "cerca_dettaglio senza idx");
    request.operation = SoapRequest::Operation::Detail;
    request.list = Trim(ChildText(idx, "dborigine"));
    request.id = Trim(ChildText(idx, "id_db_origine"));
    if (request.list.empty() || request.id.empty()) return Fail(fault, "idx senza dborigine o id_db_origine");
    if (request.list.size() > kMaxIdLength || request.id.size() > kMaxIdLength)
        return Fail(fault, "dborigine o id_db_origine troppo lungo");
    if (!IsCleanText(request.list) || !IsCleanText(request.id))
        return Fail(fault, "dborigine o id_db_origine con caratteri non validi");
    return true;
}

pugi::xml_node AppendEnvelopeBody(pugi::xml_document& doc)
{
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "utf-8";
    auto envelope = doc.append_child("soap:Envelope");
    envelope.append_attribute("xmlns:soap") = std::string(kSoap12Namespace).c_str();
    envelope.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    envelope.append_attribute("xmlns:xsd") = "http://www.w3.org/2001/XMLSchema";
    return envelope.append_child("soap:Body");
}

std::string Serialise(const pugi::xml_document& doc)
{
    std::ostringstream out;
    // No indentation: a blank between the result's children would be one more detail line.
    doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

void AppendRecord(pugi::xml_node& result, const std::string& name, const std::string& list, const std::string& id)
{
    auto record = result.append_child("indice");
    record.append_child("nome").text().set(name.c_str());
    record.append_child("dborigine").text().set(list.c_str());
    record.append_child("id_db_origine").text().set(id.c_str());
}

}  // namespace

bool ParseSoapRequest(std::string_view body, const std::string& serviceNamespace, SoapRequest& request,
                      SoapFault& fault)
{
    pugi::xml_document doc;
    const auto parsed = doc.load_buffer(body.data(), body.size());
    if (!parsed) return Fail(fault, std::string("XML non valido: ") + parsed.description());
    const pugi::xml_node envelope = doc.document_element();
    if (LocalName(envelope) != "Envelope" || NamespaceOf(envelope) != kSoap12Namespace)
        return Fail(fault, "il documento non e' una busta SOAP 1.2");
    const pugi::xml_node soapBody = ChildByLocalName(envelope, "Body");
    const pugi::xml_node operation = FirstElementChild(soapBody);
    if (!operation) return Fail(fault, "busta SOAP senza Body o senza operazione");
    if (NamespaceOf(operation) != serviceNamespace)
        return Fail(fault, "namespace dell'operazione diverso da " + serviceNamespace);
    if (LocalName(operation) == "cerca_indice") return ReadSearch(operation, request, fault);
    if (LocalName(operation) == "cerca_dettaglio") return ReadDetail(operation, request, fault);
    const std::string_view name = LocalName(operation);
    return Fail(fault, "operazione sconosciuta" + (IsCleanText(name) ? ": " + std::string(name) : std::string()));
}

std::string SearchIndexAnswer(const std::vector<IndexRecord>& hits, const std::map<std::string, std::string>& dates,
                              const std::string& serviceNamespace)
{
    pugi::xml_document doc;
    auto response = AppendEnvelopeBody(doc).append_child("cerca_indiceResponse");
    response.append_attribute("xmlns") = serviceNamespace.c_str();
    auto result = response.append_child("cerca_indiceResult");
    for (const auto& hit : hits) AppendRecord(result, hit.name, hit.list, hit.id);
    if (hits.empty()) AppendRecord(result, std::string(kNoResultName), " ", " ");
    for (const auto& [list, date] : dates) AppendRecord(result, "__DB_" + list, list, date + "T00:00:00");
    return Serialise(doc);
}

std::string DetailAnswer(const std::vector<std::string>& lines, const std::string& serviceNamespace)
{
    pugi::xml_document doc;
    auto response = AppendEnvelopeBody(doc).append_child("cerca_dettaglioResponse");
    response.append_attribute("xmlns") = serviceNamespace.c_str();
    auto result = response.append_child("cerca_dettaglioResult");
    for (const auto& line : lines) result.append_child("string").text().set(line.c_str());
    return Serialise(doc);
}

std::string FaultAnswer(const SoapFault& fault)
{
    pugi::xml_document doc;
    auto f = AppendEnvelopeBody(doc).append_child("soap:Fault");
    f.append_child("soap:Code").append_child("soap:Value").text().set(fault.senderFault ? "soap:Sender" : "soap:Receiver");
    auto text = f.append_child("soap:Reason").append_child("soap:Text");
    text.append_attribute("xml:lang") = "it";
    text.text().set(fault.reason.c_str());
    return Serialise(doc);
}

}  // namespace kivo::service
