#include "SearchFixture.h"

#include "data/SqlText.h"

#include <QSqlQuery>
#include <QSqlRecord>

SearchFixture::SearchFixture() : ctx(program.context(dialogs))
{
    ctx.app.ConnectionString = program.connectionString();
    ctx.app.Connection = Database::Open(ctx.app.ConnectionString);
    ctx.service.host = server.hostAndPort();
    ctx.search.RunId = kRun;
    ctx.search.HitCount = 0;
    ctx.search.SearchKind = QStringLiteral("N");
}

namespace {

QStringList Rows(const Database& db, const QString& sql)
{
    QSqlQuery query = db.select(sql);
    QStringList rows;
    while (query.next()) {
        QStringList columns;
        for (int i = 0; i < query.record().count(); ++i)
            columns << query.value(i).toString();
        rows << columns.join(QLatin1Char('|'));
    }
    return rows;
}

}  // namespace

QStringList SearchFixture::indiceRows(const QString& run) const
{
    return Rows(ctx.app.Connection, QStringLiteral("SELECT idricp, db, nome, dbid FROM INDICE WHERE IDRIC=") +
                                        SqlQuote(run) + QStringLiteral(" ORDER BY IDRICP"));
}

QStringList SearchFixture::dettaglioRows(const QString& run) const
{
    return Rows(ctx.app.Connection, QStringLiteral("SELECT idricp, tr, testo FROM DETTAGLIO WHERE IDRIC=") +
                                        SqlQuote(run) + QStringLiteral(" ORDER BY IDRICP"));
}

int SearchFixture::rowCount(const QString& table) const
{
    return ctx.app.Connection.firstRow(QStringLiteral("SELECT count(*) FROM ") + table)->value(0).toInt();
}

RecordedRequest SearchFixture::onlyRequest() const
{
    const std::vector<RecordedRequest> requests = server.requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? RecordedRequest{} : requests.front();
}
