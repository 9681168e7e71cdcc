// The detail of a hit: its lines stored under a new run identifier, then the closing row.

#include "SearchFixture.h"
#include "search/DetailRequest.h"
#include "search/NameSearch.h"

#include <QRegularExpression>

namespace {

class DetailRequest : public SearchFixture {
protected:
    DetailRequest()
    {
        ctx.search.SelectedList = QStringLiteral("UE");
        ctx.search.SelectedId = QStringLiteral("EU.1");
    }
    void answer(const std::vector<std::vector<std::string>>& groups)
    {
        server.answerNext({200, "application/soap+xml; charset=utf-8", DetailAnswer(groups)});
    }
};

TEST_F(DetailRequest, StoresTypeAndTextOfEachLine)
{
    answer({{"HCOGNOME|NOME|DATA DI NASCITA", "DO'BRIEN|MARIO|", "X", "'APICE|A"}});
    ASSERT_TRUE(FetchDetail(ctx));
    EXPECT_NE(ctx.search.RunId, kRun);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} - \\d\\d:\\d\\d:\\d\\d$")).match(ctx.search.RunId).hasMatch())
        << ctx.search.RunId.toStdString();
    EXPECT_EQ(dettaglioRows(ctx.search.RunId),
              (QStringList{QStringLiteral("1|H|COGNOME NOME DATA DI NASCITA"), QString::fromUtf8("2|D|O´BRIEN MARIO "),
                           QStringLiteral("3|X|"), QStringLiteral("4|'|APICE A"), QStringLiteral("5|B| ")}));
}

TEST_F(DetailRequest, NumbersLinesAcrossResultElements)
{
    answer({{"H1", "D2", "D3"}, {"H4", "D5"}});
    ASSERT_TRUE(FetchDetail(ctx));
    const QStringList rows = dettaglioRows(ctx.search.RunId);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[3], QStringLiteral("4|H|4"));
    EXPECT_EQ(rows[5], QStringLiteral("6|B| "));
}

TEST_F(DetailRequest, WithoutResultsOnlyTheClosingRow)
{
    answer({});
    ASSERT_TRUE(FetchDetail(ctx));
    EXPECT_EQ(dettaglioRows(ctx.search.RunId), QStringList{QStringLiteral("1|B| ")});
}

TEST_F(DetailRequest, AnswerThatIsNotXmlStoresNothing)
{
    server.answerNext({500, "text/html", "<html><body>Errore<br></body></html>"});
    EXPECT_FALSE(FetchDetail(ctx));
    EXPECT_EQ(ctx.search.RunId, kRun);
    EXPECT_EQ(rowCount(QStringLiteral("dettaglio")), 0);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Parse error: ")));
}

}  // namespace
