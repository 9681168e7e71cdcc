// The real HTTP server on a free loopback port: SOAP over POST, WSDL and page over GET, faults for
// what is malformed or too large, list replacement while requests run, and stopping.

#include "ListServer.h"
#include "ListsFixture.h"
#include "SoapRequestText.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <sstream>
#include <thread>

using namespace kivo::service;

namespace {

const char* kSoapType = "application/soap+xml; charset=utf-8";

std::string SearchBody(const std::string& text) { return SearchRequestText("http://kivo.local/ricerca/", text); }

class RunningServer {
public:
    explicit RunningServer(std::shared_ptr<const ListIndex> index, std::size_t maxBody = 64 * 1024)
    {
        ServiceOptions options;
        options.port = 0;
        options.maxBodyBytes = maxBody;
        options.workers = 4;
        server_ = std::make_unique<ListServer>(options, std::move(index), log_);
        EXPECT_TRUE(server_->Bind());
        thread_ = std::thread([this] { server_->Run(); });
    }
    ~RunningServer()
    {
        server_->Stop();
        thread_.join();
    }
    ListServer& server() { return *server_; }
    httplib::Client Client() const { return httplib::Client("127.0.0.1", server_->port()); }
    std::string log() const { return log_.str(); }

private:
    std::ostringstream log_;  // written under the server's log lock, read after requests end
    std::unique_ptr<ListServer> server_;
    std::thread thread_;
};

std::shared_ptr<const ListIndex> Samples()
{
    return std::shared_ptr<const ListIndex>(&test::SampleIndex(), [](const ListIndex*) {});
}

}  // namespace

TEST(Server, AnswersSoapAndLogsEachRequest)
{
    RunningServer running(Samples());
    auto client = running.Client();
    const auto res = client.Post("/ask_kivo.asmx", SearchBody("MICHELE ZAGARIA"), kSoapType);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->get_header_value("Content-Type"), kSoapType);
    EXPECT_NE(res->body.find("<nome>ZAGARIA, Michele</nome>"), std::string::npos);
    EXPECT_NE(res->body.find("<nome>__DB_USA</nome>"), std::string::npos);
    EXPECT_NE(running.log().find("cerca_indice \"MICHELE ZAGARIA\" hits=1"), std::string::npos) << running.log();
}

TEST(Server, AnswersAreTheseBytes)
{
    RunningServer running(Samples());
    auto client = running.Client();
    const std::string envelope =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>";
    const auto search = client.Post("/ask_kivo.asmx", SearchBody("MARIO ROSSI"), kSoapType);
    ASSERT_TRUE(search);
    EXPECT_EQ(search->body,
              envelope + "<cerca_indiceResponse xmlns=\"http://kivo.local/ricerca/\"><cerca_indiceResult>"
              "<indice><nome>LA RICERCA NON HA PRODOTTO RISULTATI</nome><dborigine> </dborigine><id_db_origine> </id_db_origine></indice>"
              "<indice><nome>__DB_TALEB</nome><dborigine>TALEB</dborigine><id_db_origine>2026-02-27T00:00:00</id_db_origine></indice>"
              "<indice><nome>__DB_UE</nome><dborigine>UE</dborigine><id_db_origine>2026-02-27T00:00:00</id_db_origine></indice>"
              "<indice><nome>__DB_USA</nome><dborigine>USA</dborigine><id_db_origine>2021-07-01T00:00:00</id_db_origine></indice>"
              "</cerca_indiceResult></cerca_indiceResponse></soap:Body></soap:Envelope>");
    const auto detail = client.Post("/ask_kivo.asmx", DetailRequestText("http://kivo.local/ricerca/", "USA", "15230"), kSoapType);
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->body,
              envelope + "<cerca_dettaglioResponse xmlns=\"http://kivo.local/ricerca/\"><cerca_dettaglioResult>"
              "<string>HLISTA DI ORIGINE</string><string>DLista:|Stati Uniti - Dipartimento del Tesoro</string>"
              "<string>DIdentificativo:|15230</string><string>DData della lista:|01/07/2021</string>"
              "<string>DProgramma / regime:|TCO</string><string>HNOMINATIVO E ALIAS</string>"
              "<string>DNome:|CATERINO, Mario</string><string>DTipo:|Persona fisica</string>"
              "<string>HDATI ANAGRAFICI</string><string>DData di nascita:|14 Jun 1957</string>"
              "<string>DLuogo di nascita:|Casal di Principe, Italy</string>"
              "</cerca_dettaglioResult></cerca_dettaglioResponse></soap:Body></soap:Envelope>");
}

TEST(Server, ServesWsdlAndPage)
{
    RunningServer running(Samples());
    auto client = running.Client();
    for (const char* path : {"/ask_kivo.asmx?WSDL", "/ask_kivo.asmx?wsdl"}) {
        const auto res = client.Get(path);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 200);
        EXPECT_NE(res->body.find("<wsdl:operation name=\"cerca_indice\">"), std::string::npos);
        EXPECT_NE(res->body.find("<wsdl:operation name=\"cerca_dettaglio\">"), std::string::npos);
        EXPECT_NE(res->body.find("targetNamespace=\"http://kivo.local/ricerca/\""), std::string::npos);
    }
    // The address shown is the one the client used, escaped.
    const auto hostile = client.Get("/ask_kivo.asmx?WSDL", {{"Host", "x\"><script>"}});
    ASSERT_TRUE(hostile);
    EXPECT_EQ(hostile->body.find("<script>"), std::string::npos);
    EXPECT_NE(hostile->body.find("location=\"http://x&quot;&gt;&lt;script&gt;/ask_kivo.asmx\""), std::string::npos);

    const auto page = client.Get("/ask_kivo.asmx");
    ASSERT_TRUE(page);
    EXPECT_NE(page->get_header_value("Content-Type").find("text/html"), std::string::npos);
    EXPECT_NE(page->body.find("cerca_dettaglio"), std::string::npos);
}

TEST(Server, MalformedAndOversizeRequestsGetSoapFaults)
{
    RunningServer running(Samples(), 4096);
    auto client = running.Client();
    const struct { std::string body; int status; } cases[] = {
        {"not xml at all", 400},
        {SearchBody(""), 400},
        {std::string(10000, 'x'), 413},
        {SearchBody(std::string(5000, 'A')), 413},
    };
    for (const auto& c : cases) {
        const auto res = client.Post("/ask_kivo.asmx", c.body, kSoapType);
        ASSERT_TRUE(res) << c.body.substr(0, 40);
        EXPECT_EQ(res->status, c.status) << c.body.substr(0, 40);
        EXPECT_NE(res->body.find("<soap:Fault>"), std::string::npos) << res->body;
    }
    // The server still serves after all that.
    const auto res = client.Post("/ask_kivo.asmx", SearchBody("MICHELE ZAGARIA"), kSoapType);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    const auto unknown = client.Post("/other", "x", "text/plain");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->status, 404);
}

TEST(Server, ReplacingTheListsDropsNoRequest)
{
    RunningServer running(Samples());
    std::atomic<int> failures{0};
    std::atomic<int> answered{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> clients;
    for (int c = 0; c < 3; ++c)
        clients.emplace_back([&] {
            auto client = running.Client();
            client.set_keep_alive(true);
            while (!stop) {
                const auto res = client.Post("/ask_kivo.asmx", SearchBody("AYMAN AL ZAWAHIRI"), kSoapType);
                if (!res || res->status != 200 || res->body.find("<nome>AL ZAWAHIRI, Dr. Ayman</nome>") == std::string::npos)
                    ++failures;
                ++answered;
            }
        });
    for (int i = 0; i < 5; ++i) {
        // A fresh index each time, as a SIGHUP reload builds one.
        running.server().ReplaceIndex(std::make_shared<const ListIndex>(test::SampleIndex().lists()));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    stop = true;
    for (auto& t : clients) t.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_GT(answered.load(), 5);
}

TEST(Server, StopEndsRunAndRefusesNewConnections)
{
    int port = 0;
    {
        RunningServer running(Samples());
        port = running.server().port();
        ASSERT_TRUE(running.Client().Get("/"));
    }
    httplib::Client late("127.0.0.1", port);
    late.set_connection_timeout(1, 0);
    EXPECT_FALSE(late.Get("/"));
}
