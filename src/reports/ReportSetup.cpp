#include "reports/ReportSetup.h"

#include "data/SqlText.h"
#include "platform/DesktopOpen.h"

namespace {

const QString kConnectionName = QStringLiteral("CONNESSIONE");
const QString kDataset = QStringLiteral("DS");

void SetListDates(ReportEngine& engine, const AppContext& ctx) {
    engine.SetParameter(QStringLiteral("DTUE"), ctx.search.ListDateUE);
    engine.SetParameter(QStringLiteral("DTUSA"), ctx.search.ListDateUSA);
    engine.SetParameter(QStringLiteral("DTTAL"), ctx.search.ListDateTALEB);
}

void SetDataset(ReportEngine& engine, const AppContext& ctx, const QString& sql) {
    engine.SetConnection(kConnectionName, ctx.app.ConnectionString);
    engine.SetDatasetSql(kDataset, sql);
    engine.SetConnection(kConnectionName, ctx.app.ConnectionString);
}

}  // namespace

bool OperatorFromCommandLine(const AppContext& ctx) {
    const QStringList& arguments = ctx.app.Arguments;
    return ctx.app.BatchMode && arguments.size() == 5 && !arguments.at(3).isEmpty();
}

bool LoadReportOperator(AppContext& ctx, const QString& title) {
    if (OperatorFromCommandLine(ctx))
        return true;
    const auto row =
        ctx.app.Connection.firstRow(QStringLiteral("SELECT * From OPE WHERE OCOD=") + SqlQuote(ctx.app.CurrentOperator));
    if (!row) {
        ctx.dialogs->message({QStringLiteral("Il codice operatore ") + ctx.app.CurrentOperator +
                                  QStringLiteral(" non risulta registrato in KIVO. Registrare l'operatore per creare "
                                                 "la stampa\nE' possibile utilizzara la voce CARICA OPERATORI da "
                                                 "ZARVA o MOVIK nel menù Funzioni"),
                              title, MessageIcon::Critical});
        return false;
    }
    const auto text = [&](const char* column) { return row->value(QLatin1String(column)).toString(); };
    ctx.app.ReportOperatorVat = text("opiva");
    ctx.app.ReportOperatorLabel =
        text("orag").trimmed() + QStringLiteral(" /  ") + text("oloca").trimmed() + QStringLiteral(" (") + text("opr") + u')';
    return true;
}

QString SearchedElementText(const QString& name, const QString& taxCode, const QString& document) {
    QString text;
    if (!name.trimmed().isEmpty())
        text = QStringLiteral("Nome = ") + name;
    if (!taxCode.trimmed().isEmpty())
        text += QStringLiteral(" Codice Fiscale = ") + taxCode;
    if (!document.trimmed().isEmpty())
        text += QStringLiteral(" Documento = ") + document;
    return text;
}

void SetUpOutcomeReport(ReportEngine& engine, const AppContext& ctx, const OutcomeReportValues& values) {
    SetOutcomeTemplate(engine, ctx);
    SetOutcomeParameters(engine, ctx, values);
}

void SetOutcomeTemplate(ReportEngine& engine, const AppContext& ctx) {
    engine.SetTemplate(ctx.programPath(ctx.search.Found ? QStringLiteral("stampe/KIVO_INDICE.rep")
                                                        : QStringLiteral("stampe/KIVO_NT.rep")));
}

void SetOutcomeParameters(ReportEngine& engine, const AppContext& ctx, const OutcomeReportValues& values) {
    engine.SetParameter(QStringLiteral("PCF"), values.pcf);
    engine.SetParameter(QStringLiteral("PRAG"), values.prag);
    engine.SetParameter(QStringLiteral("PIDRIC"), values.pidric);
    engine.SetParameter(QStringLiteral("PNOME"), values.pnome);
    SetListDates(engine, ctx);
    SetDataset(engine, ctx,
               QStringLiteral("SELECT * FROM INDICE WHERE IDRIC= ") + SqlQuote(values.runId) + QStringLiteral(" ORDER BY NOME"));
}

void SetUpDetailReport(ReportEngine& engine, const AppContext& ctx, const DetailReportValues& values) {
    engine.SetTemplate(ctx.programPath(QStringLiteral("stampe/KIVO_DETTAGLIO.rep")));
    engine.SetParameter(QStringLiteral("PCF"), ctx.app.ReportOperatorVat);
    engine.SetParameter(QStringLiteral("PRAG"), ctx.app.ReportOperatorLabel);
    engine.SetParameter(QStringLiteral("PIDRIC"), ctx.search.RunId);
    SetListDates(engine, ctx);
    engine.SetParameter(QStringLiteral("PNOME"), values.name);
    engine.SetParameter(QStringLiteral("PDB"), values.list);
    engine.SetParameter(QStringLiteral("PDBI"), values.entryId);
    SetDataset(engine, ctx,
               QStringLiteral("SELECT * FROM DETTAGLIO WHERE IDRIC= ") + SqlQuote(ctx.search.RunId) +
                   QStringLiteral(" ORDER BY IDRICP"));
}

void SaveOrPreview(ReportEngine& engine, bool toFile, const QString& file, QWidget* parent) {
    if (!toFile) {
        engine.ShowPreview(parent);
        return;
    }
    engine.SaveAsPdf(file);
    DesktopOpen(file);
}
