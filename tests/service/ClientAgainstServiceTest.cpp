// The client's own code against the real service: its request bodies, sent by its transport,
// answered by the service, read back by its answer parsing; and its normalisation against ours.

#include "ListServer.h"
#include "SoapRequestText.h"
#include "TextNormalise.h"

#include "search/AnswerParsing.h"
#include "search/NameSearch.h"
#include "search/SoapBodies.h"
#include "search/SoapTransport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

namespace svc = kivo::service;

namespace {

class ClientAgainstService : public ::testing::Test {
protected:
    void SetUp() override
    {
        svc::ServiceOptions options;
        options.port = 0;
        options.workers = 2;
        auto index = std::make_shared<const svc::ListIndex>(
            svc::LoadListFolder({svc::SampleListsFolder(), "", {}}).lists);
        server_ = std::make_unique<svc::ListServer>(options, index, log_);
        ASSERT_TRUE(server_->Bind());
        thread_ = std::thread([this] { server_->Run(); });
        settings_.host = QStringLiteral("127.0.0.1:%1").arg(server_->port());
    }
    void TearDown() override
    {
        transport_.reset();  // its kept-alive connection would hold the server's stop for seconds
        server_->Stop();
        if (thread_.joinable()) thread_.join();
    }

    QByteArray Post(const QByteArray& body) { return transport_->post(settings_, body); }

    std::ostringstream log_;
    std::unique_ptr<svc::ListServer> server_;
    std::thread thread_;
    ServiceSettings settings_;
    std::unique_ptr<SoapTransport> transport_ = std::make_unique<SoapTransport>();
};

}  // namespace

TEST_F(ClientAgainstService, SearchAnswerReadsAsHitsAndListDates)
{
    const QByteArray answer = Post(IndexRequestBody(settings_.ns, NormaliseSearchText(QStringLiteral("Zawahiri, Ayman"))));
    QString error;
    const std::vector<IndexRecord> records = ParseIndexAnswer(answer, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    QStringList hits;
    QStringList dates;
    for (const IndexRecord& r : records) {
        ASSERT_TRUE(r.nome && r.dborigine && r.idDbOrigine);
        if (r.nome->startsWith(QStringLiteral("__DB"))) dates << *r.dborigine + "=" + r.idDbOrigine->left(10);
        else hits << *r.dborigine + ":" + *r.idDbOrigine;
    }
    EXPECT_TRUE(hits.contains(QStringLiteral("USA:2676"))) << hits.join(' ').toStdString();
    EXPECT_TRUE(hits.contains(QStringLiteral("TALEB:QDi.006")));
    EXPECT_TRUE(hits.contains(QStringLiteral("UE:S001")));
    dates.sort();
    EXPECT_EQ(dates.join(' ').toStdString(), "TALEB=2026-02-27 UE=2026-02-27 USA=2021-07-01");
}

TEST_F(ClientAgainstService, NoHitAnswerReadsAsTheNoResultRecord)
{
    const QByteArray answer = Post(IndexRequestBody(settings_.ns, NormaliseSearchText(QStringLiteral("Mario Rossi"))));
    QString error;
    const auto records = ParseIndexAnswer(answer, &error);
    ASSERT_TRUE(error.isEmpty());
    ASSERT_FALSE(records.empty());
    EXPECT_TRUE(records[0].nome->startsWith(QStringLiteral("LA RICERCA")));
    EXPECT_TRUE(records[0].dborigine->trimmed().isEmpty());
}

TEST_F(ClientAgainstService, DetailAnswerReadsAsTypedLines)
{
    const QByteArray answer = Post(DetailRequestBody(settings_.ns, QStringLiteral("USA"), QStringLiteral("2676")));
    QString error;
    const QStringList lines = ParseDetailAnswer(answer, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_GT(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("HLISTA DI ORIGINE"));
    EXPECT_TRUE(lines.contains(QStringLiteral("DNome:|AL ZAWAHIRI, Dr. Ayman")));
    for (const QString& line : lines) EXPECT_TRUE(line.startsWith('H') || line.startsWith('D')) << line.toStdString();
}

TEST_F(ClientAgainstService, WrongNamespaceGivesAFaultWithoutIndiceRecords)
{
    const QByteArray answer = Post(IndexRequestBody(QStringLiteral("http://other/"), QStringLiteral("MARIO ROSSI")));
    QString error;
    EXPECT_TRUE(ParseIndexAnswer(answer, &error).empty());
    EXPECT_TRUE(error.isEmpty());  // well-formed XML: the client stores nothing and shows nothing
    EXPECT_TRUE(answer.contains("soap:Fault"));
}

TEST(RequestBodies, TheServiceToolWritesTheClientsBytes)
{
    const QString ns = QStringLiteral("http://kivo.local/ricerca/");
    EXPECT_EQ(IndexRequestBody(ns, QStringLiteral("MARIO ROSSI")).toStdString(),
              svc::SearchRequestText(ns.toStdString(), "MARIO ROSSI"));
    EXPECT_EQ(DetailRequestBody(ns, QStringLiteral("USA"), QStringLiteral("2676")).toStdString(),
              svc::DetailRequestText(ns.toStdString(), "USA", "2676"));
}

TEST(Normalisation, ServiceAndClientAgree)
{
    for (const char* text : {"d'Angelo-Rossi, Mario", "Nicolò", "  Straße ıſ  ", "Forces Démocratiques Alliées",
                             "ŁÓDŹ Ørsted Æther", "O’Brien", "محمد عبد", "àèìòù ÀÈÌÒÙ", "abc123 XYZ", "µÿ€™"})
        EXPECT_EQ(svc::NormaliseLikeClient(text), NormaliseSearchText(QString::fromUtf8(text)).toStdString()) << text;
}
