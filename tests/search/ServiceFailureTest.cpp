// A service that cannot be reached, hangs or floods: a KivoError of kind Transport with a clear
// description, no row stored, and the next request works again.

#include "SearchFixture.h"
#include "platform/KivoError.h"
#include "search/DetailRequest.h"
#include "search/NameSearch.h"

#include <functional>

namespace {

using ServiceFailure = SearchFixture;

QString TransportFailure(const std::function<void()>& request)
{
    try {
        request();
    } catch (const KivoError& error) {
        EXPECT_EQ(error.kind, ErrorKind::Transport);
        EXPECT_EQ(error.number, ErrorNumber::Transport);
        return error.description;
    }
    ADD_FAILURE() << "no transport failure";
    return {};
}

TEST_F(ServiceFailure, EachFailureIsDescribedAndStoresNothing)
{
    const std::string huge(50 * 1024 * 1024, 'x');
    const struct {
        const char* what;
        std::function<void()> prepare;
        QString expected;
    } cases[] = {
        {"connection refused",
         [&] { ctx.service.host = QStringLiteral("127.0.0.1:%1").arg(UnusedLocalPort()); },
         QStringLiteral("non accetta la connessione")},
        {"hung service",
         [&] {
             ctx.service.answerTimeoutSeconds = 1;
             server.answerNext({200, "text/xml", IndexAnswer(""), std::chrono::seconds(30)});
         },
         QStringLiteral("Il servizio di ricerca non ha risposto entro 1 secondo.")},
        {"50 MB announced",
         [&] { server.answerNext({200, "text/plain", huge}); },
         QStringLiteral("supera 16 MB")},
        {"50 MB in chunks",
         [&] { server.answerNext({200, "text/plain", huge, {}, true}); },
         QStringLiteral("supera 16 MB")},
    };
    for (const auto& c : cases) {
        const ServiceSettings normal = ctx.service;
        c.prepare();
        ctx.search.Found = true;
        const QString description = TransportFailure([&] { NameSearch(ctx, QStringLiteral("rossi")); });
        EXPECT_TRUE(description.contains(c.expected)) << c.what << ": " << description.toStdString();
        EXPECT_EQ(rowCount(QStringLiteral("indice")), 0) << c.what;
        EXPECT_FALSE(ctx.search.Found) << c.what;
        EXPECT_TRUE(dialogs.messages.empty()) << c.what;

        // The kept handle recovers: the next search goes through.
        ctx.service = normal;
        server.answerNext({200, "text/xml", IndexAnswer(IndexElement("ROSSI", "UE", "1"))});
        NameSearch(ctx, QStringLiteral("rossi"));
        EXPECT_EQ(rowCount(QStringLiteral("indice")), 1) << c.what;
        ctx.app.Connection.execute(QStringLiteral("DELETE FROM INDICE"));
    }
}

TEST_F(ServiceFailure, DetailRequestStoresNothingAndKeepsTheRun)
{
    ctx.service.host = QStringLiteral("127.0.0.1:%1").arg(UnusedLocalPort());
    ctx.search.SelectedList = QStringLiteral("UE");
    ctx.search.SelectedId = QStringLiteral("1");
    TransportFailure([&] { FetchDetail(ctx); });
    EXPECT_EQ(rowCount(QStringLiteral("dettaglio")), 0);
    EXPECT_EQ(ctx.search.RunId, kRun);
}

// Time-outs of zero would mean "wait for ever" to the transport; the defaults apply instead.
TEST_F(ServiceFailure, NonPositiveTimeoutsStillAnswer)
{
    ctx.service.connectTimeoutSeconds = 0;
    ctx.service.answerTimeoutSeconds = -5;
    server.answerNext({200, "text/xml", IndexAnswer(IndexElement("ROSSI", "UE", "1"))});
    NameSearch(ctx, QStringLiteral("rossi"));
    EXPECT_EQ(rowCount(QStringLiteral("indice")), 1);
}

}  // namespace
