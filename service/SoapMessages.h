#pragma once
// The SOAP 1.2 messages of the service: reading the two requests, writing their answers and faults.
//
// cerca_indice answers one "indice" record (nome, dborigine, id_db_origine) per hit, the date
// record of each list (nome "__DB...", id_db_origine the list date yyyy-mm-ddT00:00:00) and, when
// nothing matched, one record named "LA RICERCA NON HA PRODOTTO RISULTATI" with a blank list code.
// cerca_dettaglio answers the entry's lines as the children of cerca_dettaglioResult.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

inline constexpr std::string_view kSoap12Namespace = "http://www.w3.org/2003/05/soap-envelope";
inline constexpr std::string_view kNoResultName = "LA RICERCA NON HA PRODOTTO RISULTATI";

struct SoapRequest {
    enum class Operation { SearchIndex, Detail } operation = Operation::SearchIndex;
    std::string searched;  // ric_str of cerca_indice
    std::string list;      // dborigine of cerca_dettaglio
    std::string id;        // id_db_origine of cerca_dettaglio
};

// A request that cannot be served: answered as a SOAP Fault.
struct SoapFault {
    bool senderFault = true;  // soap:Sender (the request is wrong) or soap:Receiver (our failure)
    std::string reason;
};

// Reads a request body. Returns false and fills fault when the body is not a SOAP 1.2 envelope
// holding one of the two operations in the service namespace with its elements.
bool ParseSoapRequest(std::string_view body, const std::string& serviceNamespace, SoapRequest& request,
                      SoapFault& fault);

struct IndexRecord {
    std::string name;
    std::string list;
    std::string id;
};

// Hits first, then the date records of the lists (list code -> yyyy-mm-dd); the no-result record
// when there are no hits.
std::string SearchIndexAnswer(const std::vector<IndexRecord>& hits, const std::map<std::string, std::string>& dates,
                              const std::string& serviceNamespace);

std::string DetailAnswer(const std::vector<std::string>& lines, const std::string& serviceNamespace);

std::string FaultAnswer(const SoapFault& fault);

}  // namespace kivo::service
