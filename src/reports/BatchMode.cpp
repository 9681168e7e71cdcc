#include "reports/BatchMode.h"

#include "data/SqlText.h"
#include "platform/KivoError.h"
#include "reports/OutcomeWindow.h"
#include "reports/ReportSetup.h"
#include "ui/WindowHost.h"
#include "search/NameSearch.h"
#include "startup/ResultFile.h"

#include <QDir>

namespace {

constexpr int kSubscriptOutOfRange = 9;

// Reading an argument the command line did not give is a failure, reported by start-up.
QString Argument(const AppContext& ctx, int index) {
    if (index >= ctx.app.Arguments.size())
        throw KivoError(kSubscriptOutOfRange,
                        QStringLiteral("Indice non compreso nell'intervallo: manca l'argomento %1 della riga di comando")
                            .arg(index + 1),
                        QStringLiteral("RunBatch"));
    return ctx.app.Arguments.at(index);
}

void StartBatchRun(AppContext& ctx) {
    ctx.app.CurrentOperator = ctx.app.OperatorToSelect = Argument(ctx, 0);
    ctx.app.BatchMode = true;
    ctx.search.RunId = NewRunId();
    ctx.search.OutcomeRunId = ctx.search.RunId;
    ctx.search.HitCount = 0;
}

void ShowArguments(AppContext& ctx) {
    ctx.dialogs->inform(QStringLiteral("ubo ") + QString::number(ctx.app.Arguments.size() - 1));
    ctx.dialogs->inform(QStringLiteral("1=") + Argument(ctx, 1));
    ctx.dialogs->inform(QStringLiteral("2=") + Argument(ctx, 2));
}

void RunStandardBatch(AppContext& ctx) {
    StartBatchRun(ctx);
    if (ctx.settings.PC == QLatin1String("P"))
        ShowArguments(ctx);
    if (ctx.app.Arguments.size() == 5) {
        ctx.app.ReportOperatorVat = Argument(ctx, 3);
        ctx.app.ReportOperatorLabel = Argument(ctx, 4);
    }
    ctx.search.SearchKind = QStringLiteral("N");
    NameSearch(ctx, Argument(ctx, 1));
    ctx.app.BatchPdfPath = Argument(ctx, 2);
    // The outcome window opens inside the main window, with the welcome window behind it.
    if (ctx.showMainWindow && !MainWindowHost())
        ctx.showMainWindow(ctx);
    ShowOutcomeWindow(ctx, Argument(ctx, 1));
}

QString PersonalisedPdfPath(const AppContext& ctx, const QString& name) {
    const QString folder = ctx.settings.PDA.isEmpty() ? ctx.programPath(QStringLiteral("ALLEGATI"))
                                                      : QDir(ctx.programDir).absoluteFilePath(ctx.settings.PDA);
    return folder + u'/' + name.trimmed() + QStringLiteral(".pdf");
}

void RunPersonalisedBatch(AppContext& ctx) {
    StartBatchRun(ctx);
    AppendLog(ctx, QStringLiteral("PARAMETRI PASSATI: 1=") + Argument(ctx, 0) + QStringLiteral(" 2=") +
                       Argument(ctx, 1) + QStringLiteral(" 3=") + Argument(ctx, 2));
    ctx.app.BatchPdfPath = PersonalisedPdfPath(ctx, Argument(ctx, 2));
    ctx.search.SearchKind = QStringLiteral("N");
    NameSearch(ctx, Argument(ctx, 2));
    WriteBatchReport(ctx);
}

}  // namespace

void WriteBatchReport(AppContext& ctx) {
    try {
        ReportEngine engine;  // belongs to no window
        // Found as the name search left it: the outcome window's "LA RICERCA" rule plays no part.
        SetOutcomeTemplate(engine, ctx);
        AppendLog(ctx, ctx.search.Found ? QStringLiteral("ESITO=1") : QStringLiteral("ESITO=0"));
        SetOutcomeParameters(engine, ctx,
                             {Argument(ctx, 0), Argument(ctx, 1), ctx.search.RunId.left(10),
                              QStringLiteral("NOME = ") + Argument(ctx, 2), ctx.search.RunId});
        engine.SaveAsPdf(ctx.app.BatchPdfPath);
        AppendLog(ctx, QStringLiteral("PDF=") + ctx.app.BatchPdfPath);
    } catch (const KivoError& error) {
        ctx.dialogs->inform(QStringLiteral("ERRORE: ") + QString::number(error.number) + u' ' + error.description);
    } catch (const std::exception& error) {
        ctx.dialogs->inform(QStringLiteral("ERRORE: ") + QString::number(ErrorNumber::Report) + u' ' +
                            QString::fromLocal8Bit(error.what()));
    }
}

void RunBatch(AppContext& ctx) {
    if (ctx.settings.PC == QLatin1String("Y"))
        RunPersonalisedBatch(ctx);
    else
        RunStandardBatch(ctx);
}
