// INTERIM: see Placeholders.h.
#include "app/Placeholders.h"

#include "platform/KivoError.h"
#include "startup/ResultFile.h"

#if KIVO_WITH_SEARCH
#include "search/NameSearch.h"
#endif

#include <QDateTime>
#include <QMainWindow>

namespace {

constexpr int kSubscriptOutOfRange = 9;

QString Argument(const AppContext& ctx, int index)
{
    if (index >= ctx.app.Arguments.size())
        throw KivoError(kSubscriptOutOfRange, QStringLiteral("Indice non incluso nell'intervallo"), QStringLiteral("Batch"));
    return ctx.app.Arguments.at(index);
}

void Search(AppContext& ctx, const QString& name)
{
#if KIVO_WITH_SEARCH
    NameSearch(ctx, name);
#else
    Q_UNUSED(ctx);
    Q_UNUSED(name);
#endif
}

QString RunIdNow()
{
#if KIVO_WITH_SEARCH
    return NewRunId();
#else
    return QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy - HH:mm:ss"));
#endif
}

}  // namespace

void InterimShowMainWindow(AppContext&)
{
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("KIVO V1.0 - Ricerca in Black List Ue/Usa"));
    window->resize(969, 679);
    window->show();
}

void InterimRunBatch(AppContext& ctx)
{
    const bool personalised = ctx.settings.PC == QStringLiteral("Y");
    ctx.app.CurrentOperator = ctx.app.OperatorToSelect = Argument(ctx, 0);
    ctx.app.BatchMode = true;
    ctx.search.RunId = RunIdNow();
    ctx.search.HitCount = 0;
    ctx.search.SearchKind = QStringLiteral("N");
    if (!personalised) {
        Search(ctx, Argument(ctx, 1));
        return;
    }
    AppendLog(ctx, QStringLiteral("PARAMETRI PASSATI: 1=") + Argument(ctx, 0) + QStringLiteral(" 2=") +
                       Argument(ctx, 1) + QStringLiteral(" 3=") + Argument(ctx, 2));
    Search(ctx, Argument(ctx, 2));
}
