// The requests as the service receives them: exact body bytes, exactly the two headers, one
// kept-alive connection for successive requests.

#include "SearchFixture.h"
#include "search/DetailRequest.h"
#include "search/NameSearch.h"

#include <algorithm>
#include <cctype>
#include <pugixml.hpp>

namespace {

const std::string kEnvelope =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<soap12:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\">\n"
    "<soap12:Body>\n";

std::vector<std::string> SortedLowerNames(const RecordedRequest& request)
{
    std::vector<std::string> names = request.headerNames();
    for (std::string& name : names)
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    std::sort(names.begin(), names.end());
    return names;
}

// Method, path and headers: Host (which HTTP/1.1 requires) and our two, nothing else.
void ExpectServiceRequest(const RecordedRequest& request, const FakeSoapServer& server)
{
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/ask_kivo.asmx");
    EXPECT_EQ(SortedLowerNames(request), (std::vector<std::string>{"content-length", "content-type", "host"}));
    EXPECT_EQ(request.header("Content-Type"), "application/soap+xml; charset=utf-8");
    EXPECT_EQ(request.header("Content-Length"), std::to_string(request.body.size()));
    EXPECT_EQ(request.header("Host"), server.hostAndPort().toStdString());
}

using SoapRequest = SearchFixture;

TEST_F(SoapRequest, NameSearchSendsTheExactBody)
{
    server.setDefaultAnswer({200, "application/soap+xml; charset=utf-8", IndexAnswer("")});
    NameSearch(ctx, QStringLiteral("d'Angelo-Rossi, Mario"));
    const RecordedRequest request = onlyRequest();
    ExpectServiceRequest(request, server);
    EXPECT_EQ(request.body, kEnvelope +
                                "<cerca_indice xmlns=\"http://kivo.local/ricerca/\">\n"
                                "<ric_str>DANGELOROSSI MARIO</ric_str>\n"
                                "</cerca_indice>\n"
                                "</soap12:Body>\n"
                                "</soap12:Envelope>\n");
}

TEST_F(SoapRequest, DetailRequestSendsTheExactBody)
{
    server.setDefaultAnswer({200, "application/soap+xml; charset=utf-8", DetailAnswer({})});
    ctx.service.ns = QStringLiteral("urn:altro-servizio");
    ctx.search.SelectedList = QStringLiteral("UE");
    ctx.search.SelectedId = QStringLiteral("EU.27.28");
    ctx.search.SelectedName = QStringLiteral("NOT SENT");
    ASSERT_TRUE(FetchDetail(ctx));
    const RecordedRequest request = onlyRequest();
    ExpectServiceRequest(request, server);
    EXPECT_EQ(request.body, kEnvelope +
                                "<cerca_dettaglio xmlns=\"urn:altro-servizio\">\n"
                                "<idx>\n"
                                "<nome> </nome>\n"
                                "<dborigine>UE</dborigine>\n"
                                "<id_db_origine>EU.27.28</id_db_origine>\n"
                                "</idx>\n"
                                "</cerca_dettaglio>\n"
                                "</soap12:Body>\n"
                                "</soap12:Envelope>\n");
}

// Values with markup characters are escaped, so the service reads back exactly what was chosen;
// Content-Length counts the bytes of the UTF-8 body.
TEST_F(SoapRequest, DetailValuesCannotBreakTheXml)
{
    server.setDefaultAnswer({200, "application/soap+xml; charset=utf-8", DetailAnswer({})});
    const QString list = QStringLiteral("U\"E'");
    const QString id = QString::fromUtf8("1</id_db_origine><x>&amp; Ö €");
    ctx.search.SelectedList = list;
    ctx.search.SelectedId = id;
    ASSERT_TRUE(FetchDetail(ctx));
    const RecordedRequest request = onlyRequest();
    ExpectServiceRequest(request, server);

    pugi::xml_document sent;
    ASSERT_TRUE(sent.load_buffer(request.body.data(), request.body.size()));
    const pugi::xml_node idx = sent.select_node("//idx").node();
    EXPECT_EQ(QString::fromUtf8(idx.child("dborigine").text().get()), list);
    EXPECT_EQ(QString::fromUtf8(idx.child("id_db_origine").text().get()), id);
    EXPECT_FALSE(idx.child("x")) << "a value added an element";
}

TEST_F(SoapRequest, SuccessiveRequestsReuseOneConnection)
{
    server.setDefaultAnswer({200, "application/soap+xml; charset=utf-8", IndexAnswer("")});
    NameSearch(ctx, QStringLiteral("PRIMO"));
    NameSearch(ctx, QStringLiteral("SECONDO"));
    ctx.search.SelectedList = QStringLiteral("USA");
    FetchDetail(ctx);
    const std::vector<RecordedRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].remotePort, requests[0].remotePort);
    EXPECT_EQ(requests[2].remotePort, requests[0].remotePort);
}

}  // namespace
