#include "search/DetailRequest.h"

#include "data/SqlText.h"
#include "search/AnswerParsing.h"
#include "search/NameSearch.h"
#include "search/ParseErrorMessage.h"
#include "search/SoapBodies.h"
#include "search/SoapTransport.h"

namespace {

void InsertDetailLine(AppContext& ctx, qsizetype number, const QString& type, const QString& text)
{
    ctx.app.Connection.execute(QStringLiteral("INSERT INTO DETTAGLIO (idric, idricp, tr, testo) VALUES (") +
                               SqlQuote(ctx.search.RunId) + u',' + SqlQuote(QString::number(number)) + u',' +
                               SqlQuote(type) + u',' + SqlQuote(text) + u')');
}

// A line's first character is its type; the rest, with "|" between fields shown as blanks, its text.
void StoreDetailLine(AppContext& ctx, qsizetype number, const QString& line)
{
    const QString type = line.left(1);
    QString text = line;
    text.replace(QLatin1Char('|'), QLatin1Char(' '));
    InsertDetailLine(ctx, number, type, ReplaceApostrophes(text.mid(1)));
}

}  // namespace

bool FetchDetail(AppContext& ctx)
{
    const QByteArray body = DetailRequestBody(ctx.service.ns, ctx.search.SelectedList, ctx.search.SelectedId);
    const QByteArray answer = TransportOf(ctx).post(ctx.service, body);

    QString error;
    const QStringList lines = ParseDetailAnswer(answer, &error);
    if (!error.isEmpty()) {
        ShowParseError(ctx, error);
        return false;
    }
    ctx.search.RunId = NewRunId();
    qsizetype number = 0;
    for (const QString& line : lines)
        StoreDetailLine(ctx, ++number, line);
    InsertDetailLine(ctx, number + 1, QStringLiteral("B"), QStringLiteral(" "));
    return true;
}
