#include "search/NameSearch.h"

#include "data/SqlText.h"
#include "platform/Cp1252.h"
#include "search/AnswerParsing.h"
#include "search/ParseErrorMessage.h"
#include "search/SoapBodies.h"
#include "search/SoapTransport.h"

#include <QDateTime>

namespace {

bool IsKeptCode(int code)
{
    return (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == ' ';
}

// A record's children replace the current values; a missing child keeps the previous record's.
void TakeRecord(SearchRun& run, const IndexRecord& record)
{
    if (record.nome)
        run.RecordName = ReplaceApostrophes(*record.nome).toUpper();
    if (record.dborigine)
        run.RecordList = *record.dborigine;
    if (record.idDbOrigine)
        run.RecordListId = *record.idDbOrigine;
}

// Date records name no entry: they carry the publication date of one list.
bool IsDateRecord(const SearchRun& run)
{
    return run.RecordName.startsWith(QLatin1String("__DB"));
}

void KeepListDate(SearchRun& run)
{
    const QString date = run.RecordListId.left(10);
    if (run.RecordList == QLatin1String("UE"))
        run.ListDateUE = date;
    else if (run.RecordList == QLatin1String("USA"))
        run.ListDateUSA = date;
    else if (run.RecordList == QLatin1String("TALEB"))
        run.ListDateTALEB = date;
}

}  // namespace

QString NormaliseSearchText(const QString& text)
{
    QString normalised;
    normalised.reserve(text.size());
    for (QChar c : text) {
        // Character by character, as the search service does it: "ß" stays one (dropped) letter.
        const QChar upper = c.toUpper();
        if (IsKeptCode(Cp1252Code(upper)))
            normalised += upper;
    }
    return normalised;
}

QString NewRunId()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy - HH:mm:ss"));
}

void NameSearch(AppContext& ctx, const QString& text)
{
    ctx.search.Found = false;
    const QByteArray body = IndexRequestBody(ctx.service.ns, NormaliseSearchText(text));
    const QByteArray answer = TransportOf(ctx).post(ctx.service, body);

    QString error;
    const std::vector<IndexRecord> records = ParseIndexAnswer(answer, &error);
    if (!error.isEmpty()) {
        ShowParseError(ctx, error);
        return;
    }
    for (const IndexRecord& record : records) {
        TakeRecord(ctx.search, record);
        if (IsDateRecord(ctx.search))
            KeepListDate(ctx.search);
        else
            StoreHit(ctx);
    }
}

void StoreHit(AppContext& ctx)
{
    SearchRun& run = ctx.search;
    // Counted only once the row is in, so that HitCount always equals the last stored idricp.
    const std::int64_t number = run.HitCount + 1;
    ctx.app.Connection.execute(QStringLiteral("INSERT INTO INDICE (idric, idricp, db, nome, dbid) VALUES (") +
                               SqlQuote(run.RunId) + u',' + SqlQuote(QString::number(number)) + u',' +
                               SqlQuote(run.RecordList) + u',' + SqlQuote(run.RecordName) + u',' +
                               SqlQuote(run.RecordListId) + u')');
    run.HitCount = number;
    if (!run.RecordList.trimmed().isEmpty())
        run.Found = true;
}
