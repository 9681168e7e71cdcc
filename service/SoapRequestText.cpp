#include "SoapRequestText.h"

namespace kivo::service {

namespace {

std::string Envelope(const std::string& operation)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<soap12:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\">\n"
           "<soap12:Body>\n" + operation + "</soap12:Body>\n</soap12:Envelope>\n";
}

}  // namespace

std::string SearchRequestText(const std::string& ns, const std::string& searched)
{
    return Envelope("<cerca_indice xmlns=\"" + ns + "\">\n<ric_str>" + searched + "</ric_str>\n</cerca_indice>\n");
}

std::string DetailRequestText(const std::string& ns, const std::string& list, const std::string& id)
{
    return Envelope("<cerca_dettaglio xmlns=\"" + ns + "\">\n<idx>\n<nome> </nome>\n<dborigine>" + list +
                    "</dborigine>\n<id_db_origine>" + id + "</id_db_origine>\n</idx>\n</cerca_dettaglio>\n");
}

}  // namespace kivo::service
