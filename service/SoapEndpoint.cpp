#include "SoapEndpoint.h"

#include "DetailLines.h"
#include "SoapMessages.h"

namespace kivo::service {

namespace {

EndpointAnswer Fault(const SoapFault& fault, std::string subject)
{
    EndpointAnswer a;
    a.httpStatus = fault.senderFault ? 400 : 500;
    a.body = FaultAnswer(fault);
    a.operation = "fault";
    a.subject = fault.reason + (subject.empty() ? "" : " " + subject);
    return a;
}

EndpointAnswer Search(const SoapRequest& request, const ListIndex& index, const EndpointSettings& settings)
{
    std::vector<IndexRecord> records;
    for (const Hit& hit : index.Search(request.searched, settings.threshold, settings.maxHits)) {
        const ListEntry& e = index.lists().entries[hit.entry];
        records.push_back({e.name, e.list, e.id});
    }
    EndpointAnswer a;
    a.body = SearchIndexAnswer(records, index.lists().dates, settings.serviceNamespace);
    a.operation = "cerca_indice";
    a.subject = request.searched;
    a.hits = records.size();
    return a;
}

EndpointAnswer Detail(const SoapRequest& request, const ListIndex& index, const EndpointSettings& settings)
{
    EndpointAnswer a;
    a.operation = "cerca_dettaglio";
    a.subject = request.list + " " + request.id;
    if (const ListEntry* e = index.Find(request.list, request.id)) {
        const auto date = index.lists().dates.find(e->list);
        a.body = DetailAnswer(DetailLines(*e, date == index.lists().dates.end() ? "" : date->second),
                              settings.serviceNamespace);
        a.hits = 1;
    } else {
        a.body = DetailAnswer(NotFoundLines(request.list, request.id), settings.serviceNamespace);
    }
    return a;
}

// The address comes from the request's Host header: escaped, it cannot change the page around it.
std::string Escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string OperationWsdl(const std::string& name)
{
    return "<wsdl:operation name=\"" + name + "\"><soap12:operation soapAction=\"\" style=\"document\"/>"
           "<wsdl:input><soap12:body use=\"literal\"/></wsdl:input>"
           "<wsdl:output><soap12:body use=\"literal\"/></wsdl:output></wsdl:operation>";
}

}  // namespace

EndpointAnswer AnswerSoapRequest(std::string_view body, const ListIndex& index, const EndpointSettings& settings)
{
    SoapRequest request;
    SoapFault fault;
    if (!ParseSoapRequest(body, settings.serviceNamespace, request, fault)) return Fault(fault, "");
    return request.operation == SoapRequest::Operation::SearchIndex ? Search(request, index, settings)
                                                                    : Detail(request, index, settings);
}

std::string ServiceWsdl(const std::string& rawUrl, const std::string& rawNamespace)
{
    const std::string endpointUrl = Escaped(rawUrl);
    const std::string ns = Escaped(rawNamespace);
    return R"(<?xml version="1.0" encoding="utf-8"?>
<wsdl:definitions xmlns:wsdl="http://schemas.xmlsoap.org/wsdl/" xmlns:soap12="http://schemas.xmlsoap.org/wsdl/soap12/" xmlns:s="http://www.w3.org/2001/XMLSchema" xmlns:tns=")" + ns + R"(" targetNamespace=")" + ns + R"(">
<wsdl:types>
<s:schema elementFormDefault="qualified" targetNamespace=")" + ns + R"(">
<s:element name="cerca_indice"><s:complexType><s:sequence><s:element minOccurs="0" name="ric_str" type="s:string"/></s:sequence></s:complexType></s:element>
<s:element name="cerca_indiceResponse"><s:complexType><s:sequence><s:element minOccurs="0" name="cerca_indiceResult" type="tns:ArrayOfIndice"/></s:sequence></s:complexType></s:element>
<s:complexType name="ArrayOfIndice"><s:sequence><s:element minOccurs="0" maxOccurs="unbounded" name="indice" type="tns:indice"/></s:sequence></s:complexType>
<s:complexType name="indice"><s:sequence><s:element minOccurs="0" name="nome" type="s:string"/><s:element minOccurs="0" name="dborigine" type="s:string"/><s:element minOccurs="0" name="id_db_origine" type="s:string"/></s:sequence></s:complexType>
<s:element name="cerca_dettaglio"><s:complexType><s:sequence><s:element minOccurs="0" name="idx" type="tns:indice"/></s:sequence></s:complexType></s:element>
<s:element name="cerca_dettaglioResponse"><s:complexType><s:sequence><s:element minOccurs="0" name="cerca_dettaglioResult" type="tns:ArrayOfString"/></s:sequence></s:complexType></s:element>
<s:complexType name="ArrayOfString"><s:sequence><s:element minOccurs="0" maxOccurs="unbounded" name="string" nillable="true" type="s:string"/></s:sequence></s:complexType>
</s:schema>
</wsdl:types>
<wsdl:message name="cerca_indiceSoapIn"><wsdl:part name="parameters" element="tns:cerca_indice"/></wsdl:message>
<wsdl:message name="cerca_indiceSoapOut"><wsdl:part name="parameters" element="tns:cerca_indiceResponse"/></wsdl:message>
<wsdl:message name="cerca_dettaglioSoapIn"><wsdl:part name="parameters" element="tns:cerca_dettaglio"/></wsdl:message>
<wsdl:message name="cerca_dettaglioSoapOut"><wsdl:part name="parameters" element="tns:cerca_dettaglioResponse"/></wsdl:message>
<wsdl:portType name="ask_kivoSoap">
<wsdl:operation name="cerca_indice"><wsdl:input message="tns:cerca_indiceSoapIn"/><wsdl:output message="tns:cerca_indiceSoapOut"/></wsdl:operation>
<wsdl:operation name="cerca_dettaglio"><wsdl:input message="tns:cerca_dettaglioSoapIn"/><wsdl:output message="tns:cerca_dettaglioSoapOut"/></wsdl:operation>
</wsdl:portType>
<wsdl:binding name="ask_kivoSoap12" type="tns:ask_kivoSoap">
<soap12:binding transport="http://schemas.xmlsoap.org/soap/http"/>
)" + OperationWsdl("cerca_indice") + "\n" + OperationWsdl("cerca_dettaglio") + R"(
</wsdl:binding>
<wsdl:service name="ask_kivo">
<wsdl:port name="ask_kivoSoap12" binding="tns:ask_kivoSoap12"><soap12:address location=")" + endpointUrl + R"("/></wsdl:port>
</wsdl:service>
</wsdl:definitions>
)";
}

std::string ServiceHomePage(const std::string& rawUrl)
{
    const std::string endpointUrl = Escaped(rawUrl);
    return R"(<!DOCTYPE html>
<html lang="it"><head><meta charset="utf-8"><title>ask_kivo</title></head><body>
<h1>ask_kivo - ricerca nelle liste sanzioni</h1>
<p>Servizio SOAP 1.2 all'indirizzo )" + endpointUrl + R"(. Operazioni:</p>
<ul>
<li><b>cerca_indice</b>: cerca un nominativo o un numero di documento nelle liste UE, USA e ONU (Talebani e Al-Qaida).</li>
<li><b>cerca_dettaglio</b>: restituisce la scheda di una voce di lista.</li>
</ul>
<p>Descrizione del servizio: <a href="?WSDL">WSDL</a>.</p>
</body></html>
)";
}

}  // namespace kivo::service
