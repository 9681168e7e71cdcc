#pragma once
// One SOAP request in, one answer out: the service's logic without the HTTP server around it.

#include "ListIndex.h"

#include <memory>
#include <string>
#include <string_view>

namespace kivo::service {

struct EndpointSettings {
    std::string serviceNamespace = "http://kivo.local/ricerca/";
    double threshold = 0.90;
    std::size_t maxHits = 200;
};

struct EndpointAnswer {
    int httpStatus = 200;
    std::string body;       // a SOAP 1.2 envelope
    std::string operation;  // for the log: "cerca_indice", "cerca_dettaglio" or "fault"
    std::string subject;    // for the log: the element searched or the entry asked for
    std::size_t hits = 0;   // for the log
};

EndpointAnswer AnswerSoapRequest(std::string_view body, const ListIndex& index, const EndpointSettings& settings);

// The WSDL of the two operations at this address (http://host:port/ask_kivo.asmx).
std::string ServiceWsdl(const std::string& endpointUrl, const std::string& serviceNamespace);

// The short HTML page that a browser sees.
std::string ServiceHomePage(const std::string& endpointUrl);

}  // namespace kivo::service
